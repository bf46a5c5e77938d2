// Copyright (c) 2026 VexData developers
#ifndef _VexTest_Messages_HeaderFile
#define _VexTest_Messages_HeaderFile

#include <Message_Gravity.hxx>
#include <Message_Messenger.hxx>

#include <memory>
#include <string>
#include <vector>

//! One message as the plug-in sent it: key, arguments as printed, gravity.
struct VexTest_Message
{
  std::string              Key;     //!< message key
  std::vector<std::string> Args;    //!< arguments, in order
  Message_Gravity          Gravity; //!< gravity
};

//! Captures what the plug-in sends. On first use it registers, for every key of the catalogue in
//! resources/, a text made of the key and its argument placeholders, so a captured text splits
//! back into key and arguments. Reals are printed with %.17g.
class VexTest_MessageCapture
{
public:
  //! Creates a messenger whose only printer records into this capture.
  VexTest_MessageCapture();

  //! Returns the messenger to give to a model or entry point.
  const Handle(Message_Messenger) & Messenger() const { return myMessenger; }

  //! Returns every captured message, in order.
  const std::vector<VexTest_Message>& Messages() const { return *myMessages; }

  //! Forgets the captured messages.
  void Clear() { myMessages->clear(); }

  //! Returns the captured messages as one line each: "gravity KEY arg arg".
  std::string Dump() const;

  //! Returns how many messages with theKey were captured.
  int Count(const std::string& theKey) const;

  //! Registers the key-and-arguments catalogue; called by the constructor.
  static void RegisterCatalogue();

  //! Returns the keys of the catalogue in resources/ with their placeholders ("d", "f", "s").
  static std::vector<std::pair<std::string, std::string>> CatalogueKeys();

private:
  Handle(Message_Messenger) myMessenger;                    //!< messenger with the recorder
  std::shared_ptr<std::vector<VexTest_Message>> myMessages; //!< recorded messages
};

#endif
