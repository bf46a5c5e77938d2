// Copyright (c) 2026 VexData developers
#ifndef _VexData_ModelBuilder_HeaderFile
#define _VexData_ModelBuilder_HeaderFile

#include <VexData_RecordParser.hxx>
#include <PenFormatData_Layer.hxx>
#include <PenFormatData_Model.hxx>
#include <PenFormatData_ToolpathMode.hxx>
#include <PhGeom_Curve.hxx>

#include <NCollection_Sequence.hxx>
#include <TCollection_ExtendedString.hxx>

//! The listener of the record parser that builds the model: an aperture for every new tool, a
//! layer for every block that names one, a curve sequence and a point sequence for every tool
//! group, and a rectangle on the "Scan fields" layer for every scan field. Objects reach the model
//! as soon as their records are complete; a tool group reaches it when it ends, so that a group
//! cut short by a fault is dropped. Macros are kept aside and reach the model only through their
//! placements.
class VexData_ModelBuilder final : public VexData_RecordListener
{
public:
  //! Creates a builder that fills theModel.
  explicit VexData_ModelBuilder(PenFormatData_Model& theModel);

  //! Starts a new reading: the "Scan fields" layer is created again when a scan field comes, and
  //! nothing of a group or macro cut short by an earlier fault is left.
  void Reset()
  {
    myScanLayer.Nullify();
    myMacro.Nullify();
    myCurrent.Nullify();
    myPath = NULL;
  }

  //! Creates the aperture of a new tool.
  void ToolDefinition(const Standard_Integer theIndex, const Standard_Boolean isFileScope,
                      const Standard_Integer theNumber, const VexData_Tool& theTool,
                      const Standard_Boolean isNew);

  //! Keeps the block's names and registers its layer when it names one.
  void BlockHeader(const TCollection_AsciiString& thePhase,
                   const TCollection_AsciiString& theLayer);

  //! Starts the sequences of a tool group made with tool theNumber.
  void ToolGroup(const Standard_Integer theIndex, const Standard_Boolean isBlockScope,
                 const Standard_Integer theNumber, const VexData_Tool& theTool);

  //! Adds the sequences of the finished group to the model.
  void GroupEnd();

  //! Starts a path in a new curve of the group, or in the macro being defined.
  void PathStart(const gp_XY& thePoint);

  //! Adds the segment of a line-to that moves.
  void LineTo(const gp_XY& theFrom, const gp_XY& theTo, const Standard_Boolean isSegment)
  {
    if (isSegment)
    {
      myPath->CreateSegment(theFrom, theTo);
    }
  }

  //! Adds the arc of an arc-to.
  void ArcTo(const gp_XY& theFrom, const gp_XY& theEnd, const gp_XY& theCentre,
             const Standard_Real theRadius, const Standard_Boolean isFullTurn);

  //! Adds a full circle as a curve of its own.
  void Circle(const gp_XY& theCentre, const Standard_Real theRadius);

  //! Adds a hole as a curve of its own in the group's point container.
  void DrillPoint(const gp_XY& thePoint);

  //! Creates the curve of the macro being defined.
  void MacroBegin(const Standard_Integer theNumber);

  //! Keeps the finished macro.
  void MacroEnd(const VexData_RecordPlace& theEnd, const Standard_Integer theNumber,
                const Standard_Size theElements);

  //! Copies macro theNumber into a new curve of the group and moves it by theOffset.
  void Placement(const Standard_Integer theNumber, const gp_XY& theOffset);

  //! Adds the rectangle of a scan field as a sequence on the "Scan fields" layer.
  void ScanField(const gp_XY& theCentre, const Standard_Real theWidth,
                 const Standard_Real theHeight);

private:
  //! Appends the group's current curve to its container when it has elements.
  void flushCurve();

  //! Starts a new current curve of the group, after flushing the one before.
  void startCurve();

  //! Adds a toolpath sequence of the group over theContainer to the model.
  void addToolpath(const Handle(PhGeom_Curve) & theContainer,
                   const PenFormatData_ToolpathMode theMode);

  //! Creates a layer named theName with its two lowest flag bits set and registers it.
  Handle(PenFormatData_Layer) addLayer(const TCollection_ExtendedString& theName);

  //! Returns a new empty curve of type 0 from the model's allocator.
  Handle(PhGeom_Curve) newCurve() const { return PhGeom_Curve::Create(myModel.Allocator(), 0); }

private:
  PenFormatData_Model&                       myModel;  //!< model being filled
  NCollection_Sequence<Handle(PhGeom_Curve)> myMacros; //!< macro curves, from 1
  Handle(PhGeom_Curve) myMacro;                        //!< macro being defined, or null
  TCollection_ExtendedString myPhase;                  //!< phase name of the block
  TCollection_ExtendedString myLayer;                  //!< layer name of the block
  Standard_Integer           myTool;                   //!< tool number of the group
  Handle(PhGeom_Curve) myCurves;                       //!< the group's paths, circles, macros
  Handle(PhGeom_Curve) myPoints;                       //!< the group's holes, null until one
  Handle(PhGeom_Curve) myCurrent;                      //!< the group's curve being filled
  PhGeom_Curve* myPath;                                //!< curve the path being read fills
  Handle(PenFormatData_Layer) myScanLayer;             //!< "Scan fields", once created
};

//! The parser's grammar is compiled once for the builder, in VexData_ModelBuilder.cxx, where the
//! builder's events can be inlined into it.
extern template VexData_Reader::Status VexData_RecordParser::Parse<VexData_ModelBuilder>(
    std::istream&, const Handle(Message_Messenger) &, VexData_ModelBuilder&);

#endif
