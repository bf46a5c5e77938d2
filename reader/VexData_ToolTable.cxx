// Copyright (c) 2026 VexData developers
#include <VexData_ToolTable.hxx>

VexData_ToolTable::VexData_ToolTable(const Standard_Size theRenamingLimit)
    : myTools(1), myDefinitions(1), myRenamings(0), myRenamingLimit(theRenamingLimit)
{
}

Standard_Integer VexData_ToolTable::Register(VexData_Tool& theTool, Standard_Boolean& theIsNew)
{
  theIsNew = Standard_False;
  // Once a definition has been given a tool number, an identical later definition gets the same
  // number: the tools it would meet on the way are all still there and unchanged.
  const Standard_Integer* aKnown = myDefinitions.Seek(theTool);
  if (aKnown != NULL)
  {
    return *aKnown;
  }
  const Standard_Integer aNumber = findOrAdd(theTool, theIsNew);
  if (aNumber != 0)
  {
    myDefinitions.Bind(theTool, aNumber);
  }
  return aNumber;
}

Standard_Integer VexData_ToolTable::findOrAdd(VexData_Tool& theTool, Standard_Boolean& theIsNew)
{
  // A tool that differs from the one holding its name tries T_1, T_2 ... until it finds a free
  // name or a tool identical to itself.
  theTool.SetUniqueName(theTool.Name());
  Standard_Integer aCounter = 1;
  for (Standard_Integer aFound = myTools.FindIndex(theTool); aFound != 0;
       aFound                  = myTools.FindIndex(theTool))
  {
    if (myTools.FindKey(aFound).IsSame(theTool))
    {
      return aFound;
    }
    if (++myRenamings > myRenamingLimit)
    {
      return 0;
    }
    TCollection_AsciiString aName = theTool.Name();
    aName += "_";
    aName += TCollection_AsciiString(aCounter++);
    theTool.SetUniqueName(aName);
  }
  theIsNew = Standard_True;
  return myTools.Add(theTool);
}
