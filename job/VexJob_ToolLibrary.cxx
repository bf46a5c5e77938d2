// Copyright (c) 2026 VexData developers
#include <VexJob_ToolLibrary.hxx>

#include <TCollection_ExtendedString.hxx>

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace
{
typedef nlohmann::json Json;

//! Longest tool name, in characters (names are written one byte per character).
const size_t THE_MAX_NAME = 255;

//! A row of the built-in library.
struct DefaultTool
{
  VexJob_Tool::Kind Kind;
  double            Width;
};

//! The built-in tools: engraving cutters, end mills and the drills shops stock.
const DefaultTool THE_DEFAULTS[] = {
    {VexJob_Tool::Kind_Isolation, 0.1}, {VexJob_Tool::Kind_Isolation, 0.15},
    {VexJob_Tool::Kind_Isolation, 0.2}, {VexJob_Tool::Kind_Isolation, 0.25},
    {VexJob_Tool::Kind_Isolation, 0.3}, {VexJob_Tool::Kind_Isolation, 0.4},
    {VexJob_Tool::Kind_EndMill, 0.8},   {VexJob_Tool::Kind_EndMill, 1.0},
    {VexJob_Tool::Kind_EndMill, 1.2},   {VexJob_Tool::Kind_EndMill, 1.5},
    {VexJob_Tool::Kind_EndMill, 2.0},   {VexJob_Tool::Kind_EndMill, 2.5},
    {VexJob_Tool::Kind_EndMill, 3.0},   {VexJob_Tool::Kind_Drill, 0.4},
    {VexJob_Tool::Kind_Drill, 0.5},     {VexJob_Tool::Kind_Drill, 0.6},
    {VexJob_Tool::Kind_Drill, 0.7},     {VexJob_Tool::Kind_Drill, 0.8},
    {VexJob_Tool::Kind_Drill, 0.9},     {VexJob_Tool::Kind_Drill, 1.0},
    {VexJob_Tool::Kind_Drill, 1.1},     {VexJob_Tool::Kind_Drill, 1.2},
    {VexJob_Tool::Kind_Drill, 1.3},     {VexJob_Tool::Kind_Drill, 1.5},
    {VexJob_Tool::Kind_Drill, 1.6},     {VexJob_Tool::Kind_Drill, 2.0},
    {VexJob_Tool::Kind_Drill, 2.5},     {VexJob_Tool::Kind_Drill, 3.0},
    {VexJob_Tool::Kind_Drill, 3.2}};

//! Returns the default name of a tool: its kind's prefix and its width in millimetres.
std::string defaultName(const VexJob_Tool::Kind theKind, const double theWidth)
{
  const char* aPrefix = theKind == VexJob_Tool::Kind_Isolation ? "Iso"
                        : theKind == VexJob_Tool::Kind_EndMill ? "Mill"
                                                               : "Drill";
  char        aText[32];
  std::snprintf(aText, sizeof(aText), "%s%.2f", aPrefix, theWidth);
  return aText;
}

//! Returns theKey escaped for a JSON pointer.
std::string escaped(const std::string& theKey)
{
  std::string aResult;
  for (const char aChar : theKey)
  {
    aResult += aChar == '~'   ? std::string("~0")
               : aChar == '/' ? std::string("~1")
                              : std::string(1, aChar);
  }
  return aResult;
}

//! Reads the library document, remembering the first fault with its JSON pointer.
class Reader
{
public:
  //! Reads theDocument into theLibrary; false on a fault (see Error()).
  bool Read(const Json& theDocument, VexJob_ToolLibrary& theLibrary)
  {
    if (!theDocument.is_object())
    {
      return fail("", "the tool library must be an object with a \"tools\" array");
    }
    for (auto anIter = theDocument.begin(); anIter != theDocument.end(); ++anIter)
    {
      if (anIter.key() != "tools")
      {
        return fail("/" + escaped(anIter.key()), "unknown key (expected tools)");
      }
    }
    const auto aTools = theDocument.find("tools");
    if (aTools == theDocument.end() || !aTools->is_array() || aTools->empty())
    {
      return fail("/tools", "a non-empty array of tools is required");
    }
    for (size_t anIndex = 0; anIndex < aTools->size(); ++anIndex)
    {
      VexJob_Tool aTool;
      if (!readTool((*aTools)[anIndex], "/tools/" + std::to_string(anIndex), aTool))
      {
        return false;
      }
      if (theLibrary.Find(aTool.Name) != nullptr)
      {
        return fail("/tools/" + std::to_string(anIndex) + "/name",
                    "the name \"" + aTool.Name + "\" is given to two tools");
      }
      theLibrary.Add(aTool);
    }
    return true;
  }

  //! Returns the fault.
  const std::string& Error() const { return myError; }

private:
  //! Records a fault at thePointer and returns false.
  bool fail(const std::string& thePointer, const std::string& theWhat)
  {
    myError = thePointer + ": " + theWhat;
    return false;
  }

  //! Reads one tool at thePointer.
  bool readTool(const Json& theValue, const std::string& thePointer, VexJob_Tool& theTool)
  {
    if (!theValue.is_object())
    {
      return fail(thePointer, "a tool must be an object with name, kind and diameter");
    }
    for (auto anIter = theValue.begin(); anIter != theValue.end(); ++anIter)
    {
      if (anIter.key() != "name" && anIter.key() != "kind" && anIter.key() != "diameter")
      {
        return fail(thePointer + "/" + escaped(anIter.key()),
                    "unknown key (expected name, kind or diameter)");
      }
    }
    return readName(theValue, thePointer, theTool) && readKind(theValue, thePointer, theTool) &&
           readWidth(theValue, thePointer, theTool);
  }

  //! Reads the tool's name: a string of one-byte characters, not empty.
  bool readName(const Json& theTool, const std::string& thePointer, VexJob_Tool& theResult)
  {
    const auto aName = theTool.find("name");
    if (aName == theTool.end() || !aName->is_string())
    {
      return fail(thePointer + "/name", "a name (string) is required");
    }
    theResult.Name = aName->get<std::string>();
    const TCollection_ExtendedString aWide(theResult.Name.c_str(), Standard_True);
    bool isOneByte = aWide.Length() > 0 && theResult.Name.find('\0') == std::string::npos;
    for (Standard_Integer anIndex = 1; isOneByte && anIndex <= aWide.Length(); ++anIndex)
    {
      isOneByte = aWide.Value(anIndex) <= 0xFF;
    }
    if (!isOneByte || static_cast<size_t>(aWide.Length()) > THE_MAX_NAME)
    {
      return fail(thePointer + "/name", "a name is 1 to 255 characters, none above U+00FF");
    }
    return true;
  }

  //! Reads the tool's kind.
  bool readKind(const Json& theTool, const std::string& thePointer, VexJob_Tool& theResult)
  {
    const auto        aKind = theTool.find("kind");
    const std::string aText =
        aKind != theTool.end() && aKind->is_string() ? aKind->get<std::string>() : "";
    for (const VexJob_Tool::Kind aCandidate :
         {VexJob_Tool::Kind_Isolation, VexJob_Tool::Kind_EndMill, VexJob_Tool::Kind_Drill})
    {
      if (aText == VexJob_ToolLibrary::KindName(aCandidate))
      {
        theResult.Type = aCandidate;
        return true;
      }
    }
    return fail(thePointer + "/kind",
                "unknown tool kind \"" + aText + "\" (expected isolation, end mill or drill)");
  }

  //! Reads the tool's diameter in millimetres.
  bool readWidth(const Json& theTool, const std::string& thePointer, VexJob_Tool& theResult)
  {
    const auto aWidth = theTool.find("diameter");
    if (aWidth == theTool.end() || !aWidth->is_number())
    {
      return fail(thePointer + "/diameter", "a diameter in millimetres (number) is required");
    }
    theResult.Width = aWidth->get<double>();
    if (!std::isfinite(theResult.Width) || theResult.Width <= 0.0 ||
        theResult.Width > VexJob_ToolLibrary::MaxWidth())
    {
      return fail(thePointer + "/diameter",
                  "the diameter must be greater than 0 and at most 50 mm");
    }
    return true;
  }

  std::string myError; //!< the first fault
};
} // namespace

VexJob_ToolLibrary VexJob_ToolLibrary::Default()
{
  VexJob_ToolLibrary aLibrary;
  for (const DefaultTool& aRow : THE_DEFAULTS)
  {
    aLibrary.Add(VexJob_Tool{defaultName(aRow.Kind, aRow.Width), aRow.Kind, aRow.Width});
  }
  return aLibrary;
}

Standard_Boolean VexJob_ToolLibrary::Parse(const std::string&  theText,
                                           VexJob_ToolLibrary& theLibrary, std::string& theError)
{
  const Json aDocument = Json::parse(theText, nullptr, false);
  if (aDocument.is_discarded())
  {
    theError = ": the tool library is not valid JSON";
    return Standard_False;
  }
  Reader             aReader;
  VexJob_ToolLibrary aLibrary;
  if (!aReader.Read(aDocument, aLibrary))
  {
    theError = aReader.Error();
    return Standard_False;
  }
  theLibrary = aLibrary;
  return Standard_True;
}

void VexJob_ToolLibrary::Add(const VexJob_Tool& theTool)
{
  const auto aPlace = std::upper_bound(myTools.begin(), myTools.end(), theTool,
                                       [](const VexJob_Tool& theLeft, const VexJob_Tool& theRight)
                                       {
                                         return theLeft.Type != theRight.Type
                                                    ? theLeft.Type < theRight.Type
                                                    : theLeft.Width < theRight.Width;
                                       });
  myTools.insert(aPlace, theTool);
}

const VexJob_Tool* VexJob_ToolLibrary::Find(const std::string& theName) const
{
  for (const VexJob_Tool& aTool : myTools)
  {
    if (aTool.Name == theName)
    {
      return &aTool;
    }
  }
  return nullptr;
}

const VexJob_Tool* VexJob_ToolLibrary::Narrowest(const VexJob_Tool::Kind theKind) const
{
  return AtLeast(theKind, 0.0);
}

const VexJob_Tool* VexJob_ToolLibrary::AtLeast(const VexJob_Tool::Kind theKind,
                                               const Standard_Real     theWidth) const
{
  for (const VexJob_Tool& aTool : myTools)
  {
    if (aTool.Type == theKind && aTool.Width >= theWidth)
    {
      return &aTool;
    }
  }
  return nullptr;
}

const VexJob_Tool* VexJob_ToolLibrary::AtMost(const VexJob_Tool::Kind theKind,
                                              const Standard_Real     theWidth) const
{
  const VexJob_Tool* aResult = nullptr;
  for (const VexJob_Tool& aTool : myTools)
  {
    if (aTool.Type == theKind && aTool.Width <= theWidth)
    {
      aResult = &aTool;
    }
  }
  return aResult;
}

const char* VexJob_ToolLibrary::KindName(const VexJob_Tool::Kind theKind)
{
  switch (theKind)
  {
  case VexJob_Tool::Kind_Isolation:
    return "isolation";
  case VexJob_Tool::Kind_EndMill:
    return "end mill";
  case VexJob_Tool::Kind_Drill:
    break;
  }
  return "drill";
}
