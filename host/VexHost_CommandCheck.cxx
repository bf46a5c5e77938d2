// Copyright (c) 2026 VexData developers
#include <VexHost_Commands.hxx>

#include <VexHost_ModelFile.hxx>
#include <VexHost_Text.hxx>

#include <CLI/CLI.hpp>

#include <iostream>
#include <memory>

namespace
{
//! Prints a heading with the number of objects, then one line per object.
void printObjects(const char* theHeading, const PenFormatData_Model& theModel,
                  const NCollection_List<Handle(PenFormatData_Object)>& theObjects)
{
  std::cout << theHeading << ": " << theObjects.Extent() << "\n";
  for (const Handle(PenFormatData_Object) & anObject : theObjects)
  {
    std::cout << "  " << VexHost_Text::Describe(theModel, anObject) << "\n";
  }
}

//! Reads theFile, asks the plug-in which objects it could write and lists them.
int check(VexHost_Context& theContext, const std::string& theFile)
{
  if (!theContext.Prepare())
  {
    return VexHost_Context::THE_SETUP_FAILED;
  }
  Handle(PenFormatData_Model) aModel;
  if (const int aStatus = VexHost_ModelFile::Load(theContext, theFile, aModel))
  {
    return aStatus;
  }
  NCollection_List<Handle(PenFormatData_Object)> aWritable, anUnWritable;
  const Standard_Integer                         aCode =
      theContext.Plugin().CheckWritable(aModel, theContext.Messenger(), aWritable, anUnWritable);
  if (aCode != 0)
  {
    return VexHost_Plugin::ExitStatus(aCode);
  }
  printObjects("Writable", *aModel, aWritable);
  printObjects("Not written", *aModel, anUnWritable);
  std::cout.flush();
  return 0;
}
} // namespace

void VexHost_Commands::RegisterCheck(CLI::App& theApp, VexHost_Context& theContext)
{
  CLI::App* aCommand = theApp.add_subcommand(
      "check", "Read a machine file, model document or design file and list which of its "
               "objects a machine file takes (toolpaths) and which are left out without error");
  auto aFile = std::make_shared<std::string>();
  aCommand->add_option("FILE", *aFile, "File to read")->required();
  theContext.AddCommand(aCommand, [&theContext, aFile]() { return check(theContext, *aFile); });
}
