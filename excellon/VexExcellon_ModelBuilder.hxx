// Copyright (c) 2026 VexData developers
#ifndef _VexExcellon_ModelBuilder_HeaderFile
#define _VexExcellon_ModelBuilder_HeaderFile

#include <VexExcellon_ApertureTable.hxx>
#include <VexExcellon_Listener.hxx>
#include <VexPcb_ImportOptions.hxx>
#include <VexPcb_TransferReport.hxx>

#include <PenFormatData_Model.hxx>
#include <PhGeom_Curve.hxx>

//! The listener of the Excellon parser that builds the model of a drilling job:
//! - one aperture per tool: round, one parameter (the diameter), tool flag 1, named after the
//!   tool with at least two digits ("T01", "T12"); see VexExcellon_ApertureTable for reuse and
//!   suffixes across files;
//! - per tool, the holes as one point toolpath (toolpath flag 1, mode 2; a container whose
//!   child curves hold one point each, in file order), and the slots and routes as one path
//!   toolpath (mode 1; each slot or route one contour of segments and arcs);
//! - every toolpath in the phase and layer of the options ("Drilling" and "Drill" by default),
//!   the layer registered as the machine-file reader registers its layers.
//! Nothing reaches the model before Commit(), so a file with a fault leaves it untouched; the
//! fault goes to the report. An empty model becomes millimetres; a model that already holds
//! something keeps its unit and gets the values converted into it.
class VexExcellon_ModelBuilder final : public VexExcellon_Listener
{
public:
  //! Creates the builder that reads into theModel, with theOptions and theReport.
  VexExcellon_ModelBuilder(PenFormatData_Model& theModel, const VexPcb_ImportOptions& theOptions,
                           VexPcb_TransferReport& theReport);

  //! Adds everything read to the model and the counts to the report.
  void Commit();

  //! Listener calls: see VexExcellon_Listener.
  void OnTool(const Standard_Integer theLine, const Standard_Integer theTool,
              const Standard_Real theDiameter) Standard_OVERRIDE;
  void OnHole(const Standard_Integer theLine, const Standard_Integer theTool,
              const gp_XY& thePoint) Standard_OVERRIDE;
  void OnSlot(const Standard_Integer theLine, const Standard_Integer theTool, const gp_XY& theStart,
              const gp_XY& theEnd) Standard_OVERRIDE;
  void OnRouteMove(const Standard_Integer theLine, const gp_XY& theStart,
                   const gp_XY& theEnd) Standard_OVERRIDE;
  void OnRouteSegment(const Standard_Integer theLine, const Standard_Integer theTool,
                      const gp_XY& theStart, const gp_XY& theEnd) Standard_OVERRIDE;
  void OnRouteArc(const Standard_Integer theLine, const Standard_Integer theTool,
                  const gp_XY& theStart, const gp_XY& theEnd, const gp_XY& theCenter,
                  const Standard_Boolean theIsCounterClockwise) Standard_OVERRIDE;
  void OnRouteEnd(const Standard_Integer theLine) Standard_OVERRIDE;
  void OnIgnored(const Standard_Integer theLine, const Ignored theWhat) Standard_OVERRIDE;
  void OnFault(const VexPcb_Fault& theFault) Standard_OVERRIDE;

private:
  //! The toolpaths of one aperture in this file, built before they join the model.
  struct Toolpaths
  {
    Standard_Integer Aperture;   //!< aperture number
    Handle(PhGeom_Curve) Points; //!< container of the holes, null until the first
    Handle(PhGeom_Curve) Paths;  //!< container of slots and routes, null until the first
  };

  //! A tool as the file defines it.
  struct Tool
  {
    Standard_Real    Diameter;  //!< in the model's unit
    Standard_Integer Toolpaths; //!< index in myToolpaths, -1 until the tool is used
  };

  //! Counts of the import, handed to the report once the file is read.
  enum Count
  {
    Count_Holes,
    Count_Slots,
    Count_Routes,
    Count_UnusedTools,
    Count_NbCounts
  };

  //! Returns the index in myToolpaths of the toolpaths of theTool, finding its aperture on
  //! first use.
  Standard_Integer toolpaths(const Standard_Integer theTool);

  //! Returns a new curve of the model's allocator.
  Handle(PhGeom_Curve) newCurve() const;

  //! Converts thePoint from millimetres into the model's unit.
  gp_XY toModel(const gp_XY& thePoint) const { return thePoint * myFactor; }

  //! Appends an arc to the route being read (points in the model's unit).
  void addArc(const gp_XY& theStart, const gp_XY& theEnd, const gp_XY& theCenter,
              const Standard_Boolean theIsCounterClockwise);

  //! Adds the point (theMode 2) or path (1) toolpath of theToolpaths to the model, if any.
  void addToolpath(const Toolpaths& theToolpaths, const Standard_Integer theMode);

  //! Hands the counts to the report.
  void report() const;

  PenFormatData_Model&                        myModel;     //!< the model read into
  VexPcb_TransferReport&                      myReport;    //!< the report
  VexExcellon_ApertureTable                   myApertures; //!< apertures found or made
  NCollection_DataMap<Standard_Integer, Tool> myTools;     //!< tools by number
  NCollection_Vector<Toolpaths>               myToolpaths; //!< per aperture, in first use
  NCollection_DataMap<Standard_Integer, Standard_Integer> myByAperture; //!< aperture to index
  Handle(PhGeom_Curve) myRoute;                               //!< route being read, or null
  Standard_Integer           myRouteTool;                     //!< index in myToolpaths
  TCollection_ExtendedString myPhase;                         //!< phase of the toolpaths
  TCollection_ExtendedString myLayer;                         //!< layer of the toolpaths
  Standard_Real              myFactor;                        //!< millimetres to model unit
  Standard_Integer           myCounts[Count_NbCounts];        //!< imported
  Standard_Integer           myIgnored[Ignored_AfterEnd + 1]; //!< left out
  Standard_Boolean           isEmptyModel;                    //!< the model held nothing
};

#endif
