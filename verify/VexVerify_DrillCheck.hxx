// Copyright (c) 2026 VexData developers
#ifndef _VexVerify_DrillCheck_HeaderFile
#define _VexVerify_DrillCheck_HeaderFile

#include <VexVerify_Report.hxx>

#include <Message_Msg.hxx>

#include <algorithm>
#include <utility>
#include <vector>

//! Compares the holes of a drill design with the drill hits of a job.
//!
//! Holes are the points of the design's point toolpaths, hits those of the job's; the diameter
//! of either is its tool's. A hole and a hit pair when they lie within the tolerance of each
//! other, closest pairs first, each hole and hit at most once. Then:
//! - a paired hole whose hit's diameter differs by more than the drill tolerance (or the
//!   tolerance, when larger): "diameter";
//! - an unpaired hole overlapped by an unpaired hit (closer than the sum of their radii): the
//!   hole was drilled off its place, "moved";
//! - any other unpaired hole: "missing";
//! - an unpaired hit within the tolerance of a paired hole: "doubled"; any other: "extra".
//! Findings are listed per tool (the design's tool for the hole findings, the job's for extra and
//! doubled hits), each tool's by position. A hole the job mills as a circle (a closed path of
//! arcs about one centre, whose cut edge, the circle grown by the tool's radius, is the hole's
//! edge within the drill tolerance) counts as a hit of that diameter; other circles of the job
//! (rings around round pads) are no hits. Neighbours are found on a grid of sorted cell keys, so
//! the work grows with the number of holes and hits, not with their product.
class VexVerify_DrillCheck
{
public:
  //! Creates a check with theTolerance of positions and theDrillTolerance of diameters (a hole
  //! drilled with a drill up to this much smaller or larger is drilled as designed), millimetres.
  VexVerify_DrillCheck(const Standard_Real theTolerance, const Standard_Real theDrillTolerance)
      : myTolerance(theTolerance), myDrillTolerance(theDrillTolerance)
  {
  }

  //! Compares theDesign with theJob and fills the drill part of theCheck. Both models must have
  //! passed VexGeom_Drawing::IsUsable(). Returns false with Fault() set when the work cannot be
  //! done (memory).
  Standard_Boolean Perform(const PenFormatData_Model& theDesign, const PenFormatData_Model& theJob,
                           VexVerify_Report::Check& theCheck);

  //! Compares the holes of theDesigns together, as one drilling (a board's plated and non-plated
  //! drill files), with theJob and fills the drill part of theCheck; with more than one design,
  //! every design tool names its file. Otherwise as Perform() of one design.
  Standard_Boolean Perform(const NCollection_Sequence<VexVerify_Design>& theDesigns,
                           const PenFormatData_Model& theJob, VexVerify_Report::Check& theCheck);

  //! Returns the reason of the last failure.
  const Message_Msg& Fault() const { return myFault; }

private:
  //! A design model and the file its tools are named after (empty: not named).
  typedef std::pair<const PenFormatData_Model*, TCollection_AsciiString> DesignFile;

  //! Does the work of both Perform().
  Standard_Boolean perform(const std::vector<DesignFile>& theDesigns,
                           const PenFormatData_Model& theJob, VexVerify_Report::Check& theCheck);

  //! Returns the tolerance of diameters: the drill tolerance, or the tolerance when larger.
  Standard_Real diameterTolerance() const { return std::max(myTolerance, myDrillTolerance); }

  Standard_Real myTolerance;      //!< tolerance of positions in millimetres
  Standard_Real myDrillTolerance; //!< tolerance of diameters in millimetres
  Message_Msg   myFault;          //!< reason of the last failure
};

#endif
