// Copyright (c) 2026 VexData developers
#include <VexHost_DumpFault.hxx>

#include <VexHost_DumpListing.hxx>

#include <VexData_Format.hxx>

namespace
{
typedef VexData_ParseFault Fault;

//! The words for the values the parser reads, by the value.
const struct
{
  Fault::Value Value; //!< value being read
  const char*  Words; //!< how the listing names it
} THE_VALUES[] = {{Fault::Value_FirstTag, "the first record tag"},
                  {Fault::Value_TagAfterDeclaration, "the record tag after a declaration"},
                  {Fault::Value_RecordTag, "a record tag"},
                  {Fault::Value_DeclaredTag, "the declared tag (byte)"},
                  {Fault::Value_DeclaredSize, "the declared size (int32)"},
                  {Fault::Value_CompoundItemTag, "an item tag of a compound record"},
                  {Fault::Value_RestOfRecord, "the rest of the record"},
                  {Fault::Value_ToolIndexType, "the tool index type"},
                  {Fault::Value_ToolIndex, "the tool index (int32)"},
                  {Fault::Value_ToolModeType, "the tool mode type"},
                  {Fault::Value_ToolMode, "the tool mode (byte)"},
                  {Fault::Value_ToolWidthType, "the tool width type"},
                  {Fault::Value_ToolWidth, "the tool width (float32)"},
                  {Fault::Value_ToolNameType, "the tool name type"},
                  {Fault::Value_ToolName, "the tool name (string)"},
                  {Fault::Value_ToolEnd, "the end marker of the tool definition"},
                  {Fault::Value_HeaderTag, "the block header tag"},
                  {Fault::Value_PhaseType, "the phase name type"},
                  {Fault::Value_Phase, "the phase name (string)"},
                  {Fault::Value_LayerType, "the layer name type"},
                  {Fault::Value_Layer, "the layer name (string)"},
                  {Fault::Value_HeaderEnd, "the end marker of the block header"},
                  {Fault::Value_BlockItemTag, "the next item tag of the block"},
                  {Fault::Value_GroupTool, "the tool index of the group (int32)"},
                  {Fault::Value_GroupFirstTag, "the first item tag of the group"},
                  {Fault::Value_GroupItemTag, "the next item tag of the group"},
                  {Fault::Value_PointX, "x (float32)"},
                  {Fault::Value_PointY, "y (float32)"},
                  {Fault::Value_PathX, "the x of the path start (float32)"},
                  {Fault::Value_PathY, "the y of the path start (float32)"},
                  {Fault::Value_PathTag, "the next tag of the path"},
                  {Fault::Value_EndX, "the end x (float32)"},
                  {Fault::Value_EndY, "the end y (float32)"},
                  {Fault::Value_CentreX, "the centre x (float32)"},
                  {Fault::Value_CentreY, "the centre y (float32)"},
                  {Fault::Value_Radius, "the radius (float32)"},
                  {Fault::Value_MacroNumber, "the macro number (int32)"},
                  {Fault::Value_OffsetX, "the offset x (float32)"},
                  {Fault::Value_OffsetY, "the offset y (float32)"},
                  {Fault::Value_BoxWidth, "the box width (float32)"},
                  {Fault::Value_BoxHeight, "the box height (float32)"}};

//! The words for the rules whose faults need no value, by reason.
const struct
{
  Fault::Reason Why;   //!< rule broken
  const char*   Words; //!< how the listing says it
} THE_RULES[] = {
    {Fault::Reason_NegativeSize, "a declared size below 0"},
    {Fault::Reason_BitCount, "the count of the bit field cannot be read or is -1"},
    {Fault::Reason_ToolIndex, "a tool index must be greater than 0"},
    {Fault::Reason_ToolIndexTaken, "this tool index is already defined in the same scope"},
    {Fault::Reason_ToolWidth, "a tool width must be 0 or greater"},
    {Fault::Reason_ToolNames, "too many tools share their names with other tools"},
    {Fault::Reason_NoTool, "no tool definition of this block or of the file has this index"},
    {Fault::Reason_Elements, "macro placements copy more elements than a file may make"},
    {Fault::Reason_BoxWidth, "the box width must be greater than 0"},
    {Fault::Reason_BoxHeight, "the box height must be greater than 0"},
    {Fault::Reason_NoScannerBox, "no valid scanner box comes before this scan field"},
    {Fault::Reason_Unexpected, "unexpected failure while listing"}};

//! Returns theTag in decimal.
std::string tag(const Standard_Integer theTag)
{
  return std::to_string(theTag);
}
} // namespace

std::string VexHost_DumpFault::Describe(const VexData_ParseFault& theFault)
{
  const std::string aMagic = std::to_string(VexData_Format::THE_MAGIC_LENGTH);
  switch (theFault.Why)
  {
  case Fault::Reason_WrongMagic:
    return "the first " + aMagic + " bytes are not \"" + VexData_Format::THE_MAGIC +
           "\": not a machine file";
  case Fault::Reason_ShortMagic:
    return "the file ends inside the " + aMagic + "-byte magic";
  case Fault::Reason_NoHeaderEnd:
    return "no " + VexHost_DumpListing::HeaderEnd() + " byte ends the header";
  case Fault::Reason_Read:
    return describeRead(theFault);
  case Fault::Reason_WrongItem:
    return "found " + tag(theFault.Found) + " where " + tag(theFault.Wanted) + " (" +
           valueName(theFault.Expected) + ") was expected";
  case Fault::Reason_SizeConflict:
    return "tag " + tag(theFault.Found) + " already has size " + tag(theFault.Argument);
  case Fault::Reason_Undeclared:
    return "tag " + tag(theFault.Found) + " has no declared size, so it cannot be stepped over";
  case Fault::Reason_NotAllowed:
    return "tag " + tag(theFault.Found) + " is not allowed here";
  case Fault::Reason_ToolMode:
    return "a tool mode must be " + tag(VexData_Format::ToolMode_Paths) + ", " +
           tag(VexData_Format::ToolMode_Points) + " or " + tag(VexData_Format::ToolMode_Both);
  case Fault::Reason_NoMacro:
    return "no such macro; the file has defined " + tag(theFault.Argument) + " so far";
  case Fault::Reason_MacroNumber:
    return "macros are numbered from 1 in order; expected " + tag(theFault.Argument);
  case Fault::Reason_MacroEnd:
    return "found tag " + tag(theFault.Found) + " where the macro end (" +
           tag(VexData_Format::Tag_MacroEnd) + ") was expected";
  default:
    break;
  }
  for (const auto& aRule : THE_RULES)
  {
    if (aRule.Why == theFault.Why)
    {
      return aRule.Words;
    }
  }
  return "unknown fault";
}

std::string VexHost_DumpFault::describeRead(const VexData_ParseFault& theFault)
{
  const std::string aWhat = valueName(theFault.Expected);
  switch (theFault.Status)
  {
  case VexData_Reader::EndOfFile:
    return "the file ends at offset " + VexHost_DumpListing::Offset(theFault.End) + " where " +
           aWhat + " was expected";
  case VexData_Reader::StringTooLong:
    return aWhat + " has no 0 byte within " + tag(VexData_Format::THE_MAX_STRING_LENGTH + 1) +
           " bytes";
  case VexData_Reader::StreamFail:
    return "the input failed while reading " + aWhat;
  default:
    return "input error while reading " + aWhat;
  }
}

std::string VexHost_DumpFault::valueName(const VexData_ParseFault::Value theValue)
{
  if (theValue == Fault::Value_MacroTag)
  {
    return "a path start (" + tag(VexData_Format::Tag_PathStart) + ") or the macro end (" +
           tag(VexData_Format::Tag_MacroEnd) + ")";
  }
  for (const auto& aValue : THE_VALUES)
  {
    if (aValue.Value == theValue)
    {
      return aValue.Words;
    }
  }
  return "a value";
}
