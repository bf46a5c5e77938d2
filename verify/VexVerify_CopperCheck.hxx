// Copyright (c) 2026 VexData developers
#ifndef _VexVerify_CopperCheck_HeaderFile
#define _VexVerify_CopperCheck_HeaderFile

#include <VexVerify_JobPaths.hxx>

#include <Message_Msg.hxx>

//! Finds where the job's paths cut into the copper of a design.
//!
//! A path at its tool width cuts copper where its centre line comes closer to the copper than
//! the tool radius less the tolerance; equivalently, where the centre line runs inside the copper
//! grown by that much. The copper is what the design draws (see VexGeom_Drawing): its dark
//! strokes, discs, flashes and areas, less its clear features in object order.
//!
//! The check scales with the board: the design's features are filed in grid cells (see
//! VexGeom_DrawnArea), every short
//! piece of job path asks for the features within reach (exact centre-line distances), and only
//! pieces with copper in reach go on to the polygon work, grouped by tile and path toolpath, each
//! group with just its features. Memory holds the filed features and the pieces with copper in
//! reach; no union of the whole board's copper is ever built.
class VexVerify_CopperCheck
{
public:
  //! Creates a check with theTolerance in millimetres.
  VexVerify_CopperCheck(const Standard_Real theTolerance) : myTolerance(theTolerance) {}

  //! Compares thePaths with the copper of theDesign (values usable) and fills theCheck: the
  //! paths compared and one finding per place where a path cuts copper. Returns false with
  //! Fault() set when the polygon work fails.
  Standard_Boolean Perform(const PenFormatData_Model& theDesign, const VexVerify_JobPaths& thePaths,
                           VexVerify_Report::Check& theCheck);

  //! Returns the reason of the last failure.
  const Message_Msg& Fault() const { return myFault; }

private:
  //! Does the work of Perform(); the polygon library may throw.
  void perform(const PenFormatData_Model& theDesign, const VexVerify_JobPaths& thePaths,
               VexVerify_Report::Check& theCheck);

  Standard_Real myTolerance; //!< tolerance in millimetres
  Message_Msg   myFault;     //!< reason of the last failure
};

#endif
