// Copyright (c) 2026 VexData developers
#ifndef _VexHost_Context_HeaderFile
#define _VexHost_Context_HeaderFile

#include <VexHost_Plugin.hxx>

#include <Message_Messenger.hxx>
#include <NCollection_List.hxx>
#include <Standard_Transient.hxx>

#include <functional>
#include <string>
#include <vector>

namespace CLI
{
class App;
}

//! What every subcommand of vex needs: the global options, the message sink that prints on
//! standard error, the message catalogue and the loaded plug-in.
//!
//! The catalogue is the first of: the --catalogue option; the VEXDATA_CATALOGUE environment
//! variable; share/vexdata/VexData.msg under vex's own directory (the build tree, where the build
//! copies it); share/vexdata/VexData.msg under the parent of vex's directory (an installed
//! prefix with vex in bin/). The plug-in is the --plugin option, else libVexData.so beside vex,
//! else lib/libVexData.so under the parent of vex's directory.
class VexHost_Context
{
public:
  //! Runs one subcommand and returns the process exit status.
  typedef std::function<int()> Runner;

  //! Exit status when the command line is wrong.
  static const int THE_USAGE_ERROR = 2;

  //! Exit status when the plug-in or the catalogue given on the command line cannot be loaded.
  static const int THE_SETUP_FAILED = 3;

  //! Creates a context whose messenger prints on standard error.
  VexHost_Context();

  //! Declares the global options --plugin, --catalogue and --message-keys on theApp.
  void AddGlobalOptions(CLI::App& theApp);

  //! Registers theRunner as what to do when theCommand was given on the command line.
  void AddCommand(CLI::App* theCommand, const Runner& theRunner);

  //! Runs the command that was given; returns its exit status.
  int Run();

  //! Keeps theObject (a model read by the command) alive until the process ends, so that
  //! ExitNow() can leave its memory to the system instead of freeing it object by object.
  void KeepUntilExit(const Handle(Standard_Transient) & theObject) const;

  //! Ends the process with theStatus when objects are kept: flushes the standard streams and
  //! exits without running destructors, which for a board of millions of objects would touch
  //! every one of them again only to free them. Everything the command writes is complete before
  //! it returns. A build with AddressSanitizer returns instead, so that the leak check still sees
  //! every object freed.
  void ExitNow(const int theStatus) const;

  //! Loads the catalogue and the plug-in, once. Reports what fails and returns false when the
  //! plug-in, or a catalogue named explicitly, cannot be loaded.
  Standard_Boolean Prepare();

  //! Returns the messenger that prints on standard error.
  const Handle(Message_Messenger) & Messenger() const { return myMessenger; }

  //! Returns the plug-in; loaded once Prepare() succeeded.
  const VexHost_Plugin& Plugin() const { return myPlugin; }

  //! Returns true when messages print as keys and arguments instead of texts.
  Standard_Boolean MessageKeys() const { return myMessageKeys; }

  //! Returns the directory of the running executable (empty when unknown).
  static std::string ExecutableDirectory();

  //! Registers, for every key of the catalogue theFile, a text made of the key and one
  //! placeholder per argument, so that a message prints as "KEY arg arg". False when theFile
  //! cannot be read.
  static Standard_Boolean RegisterKeyTexts(const std::string& theFile);

private:
  //! Returns the catalogue to load (empty when none is found).
  std::string findCatalogue() const;

  //! Returns the plug-in to load.
  std::string findPlugin() const;

  //! Loads the catalogue; false when one named explicitly cannot be read.
  Standard_Boolean loadCatalogue();

  Handle(Message_Messenger) myMessenger;                       //!< prints on standard error
  VexHost_Plugin                            myPlugin;          //!< the plug-in, once loaded
  std::string                               myPluginPath;      //!< --plugin
  std::string                               myCataloguePath;   //!< --catalogue
  Standard_Boolean                          myMessageKeys;     //!< --message-keys
  Standard_Boolean                          isPrepared;        //!< Prepare() has run
  Standard_Boolean                          isReady;           //!< Prepare() succeeded
  std::vector<std::pair<CLI::App*, Runner>> myCommands;        //!< subcommands and their runners
  mutable NCollection_List<Handle(Standard_Transient)> myKept; //!< released at exit (first to go)
};

#endif
