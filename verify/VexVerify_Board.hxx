// Copyright (c) 2026 VexData developers
#ifndef _VexVerify_Board_HeaderFile
#define _VexVerify_Board_HeaderFile

#include <PenFormatData_Model.hxx>
#include <PenFormatData_Sequence.hxx>

#include <clipper.hpp>

#include <vector>

//! The board an outline design encloses. Outline files draw the profile as lines (often many
//! short draws in any order, sometimes as filled areas), so the board is built from both:
//! - the stroked contours of the design are joined end to end (ends closer than a join distance
//!   meet) into closed loops, and the board is what the loops enclose, an odd number of loops
//!   deep (a loop inside the profile cuts a hole);
//! - the design's dark areas are added as they are.
//! Chains that do not close are left out and counted; points and clear features are ignored.
class VexVerify_Board
{
public:
  //! Creates an empty board.
  VexVerify_Board() : myNbLoops(0), myNbAreas(0), myNbOpenEnds(0) {}

  //! Builds the board of theDesign (values usable), joining ends closer than theJoin millimetres.
  void Build(const PenFormatData_Model& theDesign, const Standard_Real theJoin);

  //! Returns the board's area (normalised polygons, integer units); empty when nothing closes.
  const ClipperLib::Paths& Area() const { return myArea; }

  //! Returns the number of closed loops found.
  Standard_Integer NbLoops() const { return myNbLoops; }

  //! Returns the number of area sequences added.
  Standard_Integer NbAreas() const { return myNbAreas; }

  //! Returns the number of chain ends that met no other end.
  Standard_Integer NbOpenEnds() const { return myNbOpenEnds; }

  //! Returns the first chain end that met no other end (millimetres).
  const gp_XY& FirstOpenEnd() const { return myFirstOpenEnd; }

private:
  //! Adds the polylines of the stroked contours of theSequence to myLines.
  void addLines(const PenFormatData_Sequence& theSequence, const Standard_Real theFactor,
                const Standard_Real theJoin);

  //! Joins the open lines into chains and files the closed ones as loops.
  void joinLines(const Standard_Real theJoin, ClipperLib::Paths& theLoops);

  //! Files theChain as a loop when its ends meet, else counts its open ends.
  void fileChain(const std::vector<gp_XY>& theChain, const Standard_Real theJoin,
                 ClipperLib::Paths& theLoops);

  std::vector<std::vector<gp_XY>> myLines;        //!< polylines of the stroked contours
  ClipperLib::Paths               myArea;         //!< the board
  gp_XY                           myFirstOpenEnd; //!< first end that met nothing
  Standard_Integer                myNbLoops;      //!< closed loops
  Standard_Integer                myNbAreas;      //!< area sequences
  Standard_Integer                myNbOpenEnds;   //!< ends that met nothing
};

#endif
