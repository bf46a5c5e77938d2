// Copyright (c) 2026 VexData developers
#ifndef _VexVerify_OutlineCheck_HeaderFile
#define _VexVerify_OutlineCheck_HeaderFile

#include <VexVerify_Board.hxx>
#include <VexVerify_JobPaths.hxx>

#include <Message_Msg.hxx>

//! Finds where the job's paths leave the board that an outline design encloses.
//!
//! A cut along the board's edge runs with its centre line one tool radius outside the outline,
//! the tool touching the board. A path leaves the outline where its centre line lies outside the
//! board by more than its tool radius plus the tolerance: there the tool no longer touches the
//! board but cuts beyond it. Paths inside the board (isolation, slots, a cut-out that strays into
//! the board) are no concern of this check; the copper check sees those that cut copper. Nor are
//! paths along the outline's own lines, such as one that runs on past a corner: the drawing says
//! the board is cut there.
//!
//! The board (see VexVerify_Board) with its lines, grown by each tool radius in use, is cut into
//! tiles once; the pieces of path in tiles the grown board covers completely are inside, those
//! in tiles it does not reach are outside, and only the tiles along its edge need a boolean
//! operation.
class VexVerify_OutlineCheck
{
public:
  //! Creates a check with theTolerance in millimetres that bridges gaps in the outline's lines
  //! up to theGap millimetres (see VexVerify_Board).
  VexVerify_OutlineCheck(const Standard_Real theTolerance,
                         const Standard_Real theGap = VexVerify_Board::DefaultGap())
      : myTolerance(theTolerance), myGap(theGap)
  {
  }

  //! Compares thePaths with the board of theDesign (values usable) and fills theCheck: the paths
  //! compared, the closed contours of the outline and one finding per place where a path leaves
  //! the board. Returns false with Fault() set when the design encloses no area or the polygon
  //! work fails.
  Standard_Boolean Perform(const PenFormatData_Model& theDesign, const VexVerify_JobPaths& thePaths,
                           VexVerify_Report::Check& theCheck);

  //! Returns the reason of the last failure.
  const Message_Msg& Fault() const { return myFault; }

private:
  //! Builds theBoard of theDesign and notes in theCheck the gaps it bridged and the line ends it
  //! left open; false with myFault set when it encloses nothing.
  Standard_Boolean buildBoard(const PenFormatData_Model& theDesign, VexVerify_Board& theBoard,
                              VexVerify_Report::Check& theCheck);

  //! Does the work of Perform(); the polygon library may throw.
  Standard_Boolean perform(const PenFormatData_Model& theDesign, const VexVerify_JobPaths& thePaths,
                           VexVerify_Report::Check& theCheck);

  Standard_Real myTolerance; //!< tolerance in millimetres
  Standard_Real myGap;       //!< widest gap bridged in the outline's lines, millimetres
  Message_Msg   myFault;     //!< reason of the last failure
};

#endif
