// Copyright (c) 2026 VexData developers
#include <VexVerify_Design.hxx>

#include <VexGeom_Walker.hxx>

#include <fstream>

namespace
{
//! The roles by name.
const struct
{
  const char*            Name;
  VexVerify_Design::Role Role;
} THE_ROLES[] = {{"drill", VexVerify_Design::Role_Drill},
                 {"copper", VexVerify_Design::Role_Copper},
                 {"outline", VexVerify_Design::Role_Outline}};

//! Returns true when theText is one or more ASCII letters.
Standard_Boolean isWord(const TCollection_AsciiString& theText)
{
  if (theText.IsEmpty())
  {
    return Standard_False;
  }
  for (Standard_Integer anIndex = 1; anIndex <= theText.Length(); ++anIndex)
  {
    if (!IsAlphabetic(theText.Value(anIndex)))
    {
      return Standard_False;
    }
  }
  return Standard_True;
}

//! Returns true when thePath opens for reading.
Standard_Boolean exists(const TCollection_AsciiString& thePath)
{
  std::ifstream aFile(thePath.ToCString(), std::ios::in | std::ios::binary);
  return aFile.is_open();
}
} // namespace

const char* VexVerify_Design::RoleName(const Role theRole)
{
  for (const auto& aRole : THE_ROLES)
  {
    if (aRole.Role == theRole)
    {
      return aRole.Name;
    }
  }
  return "copper";
}

Standard_Boolean VexVerify_Design::ParseArgument(const TCollection_AsciiString& theArgument,
                                                 Role& theRole, Standard_Boolean& isGiven,
                                                 TCollection_AsciiString& thePath,
                                                 Message_Msg&             theFault)
{
  isGiven                       = Standard_False;
  thePath                       = theArgument;
  const Standard_Integer aColon = theArgument.Search(":");
  if (aColon < 2)
  {
    return Standard_True;
  }
  TCollection_AsciiString aPrefix = theArgument.SubString(1, aColon - 1);
  if (!isWord(aPrefix))
  {
    return Standard_True;
  }
  aPrefix.LowerCase();
  for (const auto& aRole : THE_ROLES)
  {
    if (aPrefix.IsEqual(aRole.Name))
    {
      theRole = aRole.Role;
      isGiven = Standard_True;
      thePath = aColon < theArgument.Length()
                    ? theArgument.SubString(aColon + 1, theArgument.Length())
                    : TCollection_AsciiString();
      return Standard_True;
    }
  }
  if (exists(theArgument))
  {
    return Standard_True;
  }
  theFault = Message_Msg("VEX_VERIFY_UNKNOWN_ROLE");
  theFault << theArgument << theArgument.SubString(1, aColon - 1);
  return Standard_False;
}

VexVerify_Design::Role VexVerify_Design::ChooseRole(const PenFormatData_Model& theModel,
                                                    TCollection_AsciiString&   theReason)
{
  Standard_Integer aHoles = 0, anOthers = 0;
  for (VexGeom_Walker aWalker(theModel); aWalker.More(); aWalker.Next())
  {
    if (!VexGeom_Drawing::Draws(aWalker.Kind()))
    {
      continue;
    }
    if (VexGeom_Drawing::IsPointToolpath(aWalker.Sequence()))
    {
      aHoles += aWalker.Sequence().GetCurve()->Children().Extent();
    }
    else
    {
      ++anOthers;
    }
  }
  if (aHoles > 0 && anOthers == 0)
  {
    theReason = "holes only";
    return Role_Drill;
  }
  theReason = aHoles == 0 && anOthers == 0 ? "nothing drawn" : "not holes only";
  return Role_Copper;
}
