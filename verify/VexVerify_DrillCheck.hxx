// Copyright (c) 2026 VexData developers
#ifndef _VexVerify_DrillCheck_HeaderFile
#define _VexVerify_DrillCheck_HeaderFile

#include <VexVerify_Report.hxx>

#include <Message_Msg.hxx>

#include <utility>
#include <vector>

//! Compares the holes of a drill design with the drill hits of a job.
//!
//! Holes are the points of the design's point toolpaths, hits those of the job's; the diameter
//! of either is its tool's. A hole and a hit pair when they lie within the tolerance of each
//! other, closest pairs first, each hole and hit at most once. Then:
//! - a paired hole whose hit's diameter differs by more than the tolerance: "diameter";
//! - an unpaired hole overlapped by an unpaired hit (closer than the sum of their radii): the
//!   hole was drilled off its place, "moved";
//! - any other unpaired hole: "missing";
//! - an unpaired hit within the tolerance of a paired hole: "doubled"; any other: "extra".
//! Findings are listed per tool (the design's tool for the hole findings, the job's for extra and
//! doubled hits), each tool's by position. Neighbours are found on a grid of sorted cell keys, so
//! the work grows with the number of holes and hits, not with their product.
class VexVerify_DrillCheck
{
public:
  //! Creates a check with theTolerance in millimetres.
  VexVerify_DrillCheck(const Standard_Real theTolerance) : myTolerance(theTolerance) {}

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

  Standard_Real myTolerance; //!< tolerance in millimetres
  Message_Msg   myFault;     //!< reason of the last failure
};

#endif
