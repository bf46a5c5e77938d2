// Copyright (c) 2026 VexData developers
#include <VexData_RecordTable.hxx>

#include <VexData_Format.hxx>

namespace
{
using namespace VexData_Format;

//! Every tag with a meaning. Field types carry their fixed sizes (0: the length is read with the
//! value); fixed-size records the size of their payload. A reader knows the sizes of the field
//! types and of records 12 to 20 by itself and learns the others from declarations; the writer
//! declares every record size it may use, the macro records included, and none for tag 20.
const VexData_RecordTable::Row THE_ROWS[] = {
    {Tag_End, "end marker", 0, Standard_False, Standard_False},
    {Field_Byte, "byte field", 1, Standard_True, Standard_False},
    {Field_Short, "2-byte field", 2, Standard_True, Standard_False},
    {Field_Int, "int32 field", 4, Standard_True, Standard_False},
    {Field_Long, "8-byte field", 8, Standard_True, Standard_False},
    {Field_Float, "float32 field", 4, Standard_True, Standard_False},
    {Field_Double, "8-byte field", 8, Standard_True, Standard_False},
    {Field_String, "string field", 0, Standard_True, Standard_False},
    {Field_WString, "wide string field", 0, Standard_True, Standard_False},
    {Field_BitsShort, "bit field (byte count)", 0, Standard_True, Standard_False},
    {Field_BitsLong, "bit field (int32 count)", 0, Standard_True, Standard_False},
    {Tag_TypeDeclaration, "type declaration", 0, Standard_False, Standard_False},
    {Tag_PathStart, "path start", 8, Standard_True, Standard_True},
    {Tag_LineTo, "line-to", 8, Standard_True, Standard_True},
    {Tag_Circle, "circle", 12, Standard_True, Standard_True},
    {Tag_DrillPoint, "drill point", 8, Standard_True, Standard_True},
    {Tag_ToolGroup, "tool group", 4, Standard_True, Standard_True},
    {Tag_ArcTo, "arc-to", 20, Standard_True, Standard_True},
    {Tag_ScannerBox, "scanner box", 8, Standard_True, Standard_True},
    {Tag_ScanFieldPosition, "scan field position", 8, Standard_True, Standard_True},
    {Tag_Empty, "empty record", 0, Standard_True, Standard_False},
    {Tag_MacroDefinition, "macro definition", 4, Standard_False, Standard_True},
    {Tag_MacroEnd, "macro end", 0, Standard_False, Standard_True},
    {Tag_MacroPlacement, "macro placement", 12, Standard_False, Standard_True},
    {Tag_ToolDefinition, "tool definition", 0, Standard_False, Standard_False},
    {Tag_BlockHeader, "block header", 0, Standard_False, Standard_False},
    {Tag_ToolpathBlock, "toolpath block", 0, Standard_False, Standard_False}};

//! Number of rows.
const Standard_Integer THE_NB_ROWS =
    static_cast<Standard_Integer>(sizeof(THE_ROWS) / sizeof(THE_ROWS[0]));
} // namespace

Standard_Integer VexData_RecordTable::NbRows()
{
  return THE_NB_ROWS;
}

const VexData_RecordTable::Row& VexData_RecordTable::Value(const Standard_Integer theIndex)
{
  return THE_ROWS[theIndex];
}

const VexData_RecordTable::Row* VexData_RecordTable::Find(const Standard_Integer theTag)
{
  for (const Row& aRow : THE_ROWS)
  {
    if (aRow.Tag == theTag)
    {
      return &aRow;
    }
  }
  return NULL;
}

const char* VexData_RecordTable::Name(const Standard_Integer theTag)
{
  const Row* aRow = Find(theTag);
  if (aRow != NULL)
  {
    return aRow->Name;
  }
  return theTag < Tag_ToolDefinition ? "record" : "compound record";
}
