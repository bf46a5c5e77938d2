// Copyright (c) 2026 VexData developers
#ifndef _VexVerify_Board_HeaderFile
#define _VexVerify_Board_HeaderFile

#include <VexVerify_GapCloser.hxx>

#include <PenFormatData_Model.hxx>
#include <PenFormatData_Sequence.hxx>

#include <clipper.hpp>

#include <vector>

//! The board an outline design encloses, built from the drawing as CAD programs make it: the
//! profile as many lines in any order and direction, whose ends may stop short of the next line
//! (gaps), end on the middle of another or run on past it, and which may overlap; sometimes as
//! filled areas. The board's edge is the centre line of the outline's lines.
//!
//! The lines (arcs cut into chords) first get their gaps bridged (see VexVerify_GapCloser): every
//! line end that comes within the gap distance of another line is joined to it. All lines and
//! bridges are then drawn with a round pen of half the gap distance and united: the drawing's
//! ink. What the ink encloses are its faces; a face inside an odd number of closed lines is
//! board, one inside an even number is a cut-out. Every face is grown back by the pen's radius
//! with sharp corners, which brings its edge back onto the lines' centres; lines that stick into
//! a face (overshoots of redrawn corners, strays) leave no trace. Features of the board thinner
//! than the gap distance vanish with the gaps. The design's dark areas are added as they are;
//! points and clear features are ignored.
//!
//! The result is the board's area, and its closed contours in millimetres: the outer edges
//! counter-clockwise, the edges of cut-outs clockwise, ready to be cut along.
class VexVerify_Board
{
public:
  //! A closed contour of the board in millimetres; its last point joins its first.
  struct Contour
  {
    std::vector<gp_XY> Points;  //!< the corners in order
    Standard_Boolean   IsOuter; //!< true: an outer edge (counter-clockwise); false: a cut-out
  };

  //! The default gap distance, in millimetres: wider than the gaps CAD programs leave at the
  //! ends of outline lines (up to about 0.28 mm), narrower than any slot a board is cut with.
  static Standard_Real DefaultGap() { return 0.3; }

  //! Creates an empty board.
  VexVerify_Board();

  //! Builds the board of theDesign (values usable), bridging gaps up to theGap millimetres; line
  //! ends closer than theJoin millimetres to another line meet it without a bridge.
  void Build(const PenFormatData_Model& theDesign, const Standard_Real theGap,
             const Standard_Real theJoin);

  //! Builds the board of theDesign with the default gap distance (DefaultGap()).
  void Build(const PenFormatData_Model& theDesign, const Standard_Real theJoin)
  {
    Build(theDesign, DefaultGap(), theJoin);
  }

  //! Returns the board's area (normalised polygons, integer units); empty when nothing closes.
  const ClipperLib::Paths& Area() const { return myArea; }

  //! Returns the closed contours of the board's area in millimetres: the outer edges and the
  //! edges of the cut-outs.
  std::vector<Contour> Contours() const;

  //! Returns the centre lines of the outline's strokes and the bridges over their gaps (open
  //! polylines, integer units): where the drawing says the board is cut.
  const ClipperLib::Paths& Lines() const { return myEdges; }

  //! Returns the number of closed loops the lines form.
  Standard_Integer NbLoops() const { return myNbLoops; }

  //! Returns the number of area sequences added.
  Standard_Integer NbAreas() const { return myNbAreas; }

  //! Returns how the gaps between the lines were closed: the line ends bridged across a gap
  //! and the widest gap, the ends left open.
  const VexVerify_GapCloser::Result& Gaps() const { return myGaps; }

  //! Returns the number of line ends that no other line comes near.
  Standard_Integer NbOpenEnds() const { return myGaps.NbOpen; }

  //! Returns the first line end that no other line comes near (millimetres).
  const gp_XY& FirstOpenEnd() const { return myGaps.FirstOpenAt; }

private:
  //! Adds the polylines of the stroked contours of theSequence to myLines; a contour is cut
  //! where its elements do not meet within theJoin.
  void addLines(const PenFormatData_Sequence& theSequence, const Standard_Real theFactor,
                const Standard_Real theJoin);

  //! Adds the area of the area sequence theSequence to theAreas.
  void addArea(const PenFormatData_Sequence& theSequence, const Standard_Real theFactor,
               ClipperLib::Paths& theAreas);

  //! Returns the board the lines enclose, bridging gaps up to theGap.
  ClipperLib::Paths enclosed(const Standard_Real theGap, const Standard_Real theJoin);

  std::vector<std::vector<gp_XY>> myLines;   //!< polylines of the stroked contours
  ClipperLib::Paths               myArea;    //!< the board
  ClipperLib::Paths               myEdges;   //!< lines and bridges, integer units
  VexVerify_GapCloser::Result     myGaps;    //!< how the gaps were closed
  Standard_Integer                myNbLoops; //!< closed loops
  Standard_Integer                myNbAreas; //!< area sequences
};

#endif
