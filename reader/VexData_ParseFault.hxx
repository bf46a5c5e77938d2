// Copyright (c) 2026 VexData developers
#ifndef _VexData_ParseFault_HeaderFile
#define _VexData_ParseFault_HeaderFile

#include <VexData_Reader.hxx>

//! Why and where reading a machine file stopped, as the record parser reports it to its listener
//! once the message has gone to the messenger. A listener that lists the file tells the user what
//! was expected at that offset; one that builds a model needs nothing of it but the status.
struct VexData_ParseFault
{
  //! What stopped the read.
  enum Reason
  {
    Reason_WrongMagic,     //!< the first 36 bytes are not the magic
    Reason_ShortMagic,     //!< the file ends inside the magic
    Reason_NoHeaderEnd,    //!< no 0x1A byte ends the header
    Reason_Read,           //!< the value Expected could not be read
    Reason_WrongItem,      //!< the type or tag byte Found stands where Expected was due
    Reason_NegativeSize,   //!< a type declaration gives a size below 0
    Reason_SizeConflict,   //!< a type declaration changes the size Argument of tag Found
    Reason_BitCount,       //!< the count of a bit field cannot be read or is -1
    Reason_Undeclared,     //!< record Found has no size to step over it by
    Reason_NotAllowed,     //!< tag Found cannot stand here
    Reason_ToolIndex,      //!< a tool index below 1
    Reason_ToolIndexTaken, //!< a tool index defined twice in one scope
    Reason_ToolMode,       //!< a tool mode above 2
    Reason_ToolWidth,      //!< a tool width below 0 or not a number
    Reason_ToolNames,      //!< too many renamings of tools sharing names
    Reason_NoTool,         //!< a tool group names a tool index that no definition gave
    Reason_NoMacro,        //!< a placement names a macro not defined; Argument macros so far
    Reason_MacroNumber,    //!< a macro definition out of order; Argument the number due
    Reason_MacroEnd,       //!< tag Found stands where a macro definition must end
    Reason_Elements,       //!< placements copy more elements than the limit allows
    Reason_BoxWidth,       //!< a scanner box width not above 0
    Reason_BoxHeight,      //!< a scanner box height not above 0
    Reason_NoScannerBox,   //!< a scan field without a valid scanner box before it
    Reason_Unexpected      //!< a failure of memory or of the model, not of the file
  };

  //! The value the parser was reading when the fault happened (Reason_Read, Reason_WrongItem).
  enum Value
  {
    Value_None,
    Value_FirstTag,            //!< the first record tag after the header
    Value_TagAfterDeclaration, //!< the record tag after a type declaration
    Value_RecordTag,           //!< a top-level record tag
    Value_DeclaredTag,         //!< the tag of a type declaration
    Value_DeclaredSize,        //!< the size of a type declaration
    Value_CompoundItemTag,     //!< an item tag of a compound record stepped over
    Value_RestOfRecord,        //!< the bytes of a record stepped over
    Value_ToolIndexType,       //!< the type byte of a tool index
    Value_ToolIndex,           //!< a tool index
    Value_ToolModeType,        //!< the type byte of a tool mode
    Value_ToolMode,            //!< a tool mode
    Value_ToolWidthType,       //!< the type byte of a tool width
    Value_ToolWidth,           //!< a tool width
    Value_ToolNameType,        //!< the type byte of a tool name
    Value_ToolName,            //!< a tool name
    Value_ToolEnd,             //!< the end marker of a tool definition
    Value_HeaderTag,           //!< the block header tag of a toolpath block
    Value_PhaseType,           //!< the type byte of a phase name
    Value_Phase,               //!< a phase name
    Value_LayerType,           //!< the type byte of a layer name
    Value_Layer,               //!< a layer name
    Value_HeaderEnd,           //!< the end marker of a block header
    Value_BlockItemTag,        //!< the tag of the next item of a toolpath block
    Value_GroupTool,           //!< the tool index of a tool group
    Value_GroupFirstTag,       //!< the tag of the first item of a tool group
    Value_GroupItemTag,        //!< the tag of the next item of a tool group
    Value_PointX,              //!< x of a drill point
    Value_PointY,              //!< y of a drill point
    Value_PathX,               //!< x of a path start
    Value_PathY,               //!< y of a path start
    Value_PathTag,             //!< the tag after a path start, line-to or arc-to
    Value_EndX,                //!< end x of a line-to or arc-to
    Value_EndY,                //!< end y of a line-to or arc-to
    Value_CentreX,             //!< centre x of a circle, arc-to or scan field
    Value_CentreY,             //!< centre y of a circle, arc-to or scan field
    Value_Radius,              //!< radius of a circle or arc-to
    Value_MacroNumber,         //!< the number of a macro definition or placement
    Value_OffsetX,             //!< offset x of a macro placement
    Value_OffsetY,             //!< offset y of a macro placement
    Value_MacroTag,            //!< the tag after a macro number: a path start or the macro end
    Value_BoxWidth,            //!< the width of a scanner box
    Value_BoxHeight            //!< the height of a scanner box
  };

  VexData_Reader::Status Status;   //!< the status the read ends with
  Reason                 Why;      //!< what stopped it
  Standard_Size          Offset;   //!< where: the byte of the faulty value or record
  Standard_Size          End;      //!< where the input stood when the fault was found
  Value                  Expected; //!< the value being read, for Reason_Read and Reason_WrongItem
  Standard_Integer       Found;    //!< the byte found or the tag concerned
  Standard_Integer       Wanted;   //!< the byte due (Reason_WrongItem)
  Standard_Integer       Argument; //!< the old size, the macros defined or the number due

  //! Creates the description of a read that has not failed.
  VexData_ParseFault()
      : Status(VexData_Reader::Ok), Why(Reason_Unexpected), Offset(0), End(0), Expected(Value_None),
        Found(0), Wanted(0), Argument(0)
  {
  }
};

#endif
