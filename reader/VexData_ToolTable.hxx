// Copyright (c) 2026 VexData developers
#ifndef _VexData_ToolTable_HeaderFile
#define _VexData_ToolTable_HeaderFile

#include <VexData_Tool.hxx>

#include <NCollection_DataMap.hxx>
#include <NCollection_IndexedMap.hxx>

//! The distinct tools of one machine file, numbered 1, 2, 3 ... in the order of their first
//! definition. A definition that repeats a known tool (same name, mode and width) gets that
//! tool's number; a different tool whose name is taken is renamed T_1, T_2 ... so that names stay
//! unique. Every renaming probes the table, so their number per file is bounded to keep a small
//! file of many same-named tools from taking quadratic time.
class VexData_ToolTable
{
public:
  //! Creates an empty table allowing at most theRenamingLimit renamings.
  VexData_ToolTable(const Standard_Size theRenamingLimit);

  //! Forgets the renamings counted so far; the tools stay.
  void ResetRenamings() { myRenamings = 0; }

  //! Returns the bound on renamings.
  Standard_Size RenamingLimit() const { return myRenamingLimit; }

  //! Returns the tool number of theTool, renaming it when its name is taken by a different tool;
  //! theIsNew tells whether the tool was added by this call. Returns 0 when the bound on
  //! renamings is passed.
  Standard_Integer Register(VexData_Tool& theTool, Standard_Boolean& theIsNew);

  //! Returns the number of tools.
  Standard_Integer Extent() const { return myTools.Extent(); }

  //! Returns tool theNumber, from 1 to Extent().
  const VexData_Tool& Tool(const Standard_Integer theNumber) const
  {
    return myTools.FindKey(theNumber);
  }

private:
  //! Looks for theTool under its name and its renamed forms and adds it under the first free one.
  Standard_Integer findOrAdd(VexData_Tool& theTool, Standard_Boolean& theIsNew);

private:
  NCollection_IndexedMap<VexData_Tool, VexData_Tool::Hasher> myTools; //!< tools by unique name
  NCollection_DataMap<VexData_Tool, Standard_Integer, VexData_Tool::DefinitionHasher>
                myDefinitions;   //!< definitions already read -> their tool number
  Standard_Size myRenamings;     //!< renamings so far
  Standard_Size myRenamingLimit; //!< most renamings allowed
};

#endif
