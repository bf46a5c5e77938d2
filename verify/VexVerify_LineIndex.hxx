// Copyright (c) 2026 VexData developers
#ifndef _VexVerify_LineIndex_HeaderFile
#define _VexVerify_LineIndex_HeaderFile

#include <VexVerify_PointGrid.hxx>

#include <vector>

//! The segments of a set of polylines, filed by points sampled along them, so that the lines
//! near the end of one are found in the few grid cells around it: the work grows with the length
//! of the lines, not with the square of their number. Searches look from a line's end within a
//! reach given once; the part of the end's own line nearer to it than a given length along the
//! line is left out, so that a line does not find itself where it ends.
class VexVerify_LineIndex
{
public:
  //! A polyline in millimetres.
  typedef std::vector<gp_XY> Line;

  //! An end of a line.
  struct End
  {
    Standard_Integer Line;    //!< index of the line
    Standard_Boolean IsStart; //!< its first point, else its last
  };

  //! A point found on the lines.
  struct Hit
  {
    gp_XY            Point;    //!< where
    Standard_Real    Distance; //!< how far from the end looked from; infinite when nothing found
    Standard_Integer Line;     //!< the line it lies on
    Standard_Integer EndOf;    //!< 0 the first point of the line, 1 its last, -1 neither
  };

  //! Files the segments of theLines (kept by reference) for searches up to theReach.
  VexVerify_LineIndex(const std::vector<Line>& theLines, const Standard_Real theReach);

  //! Returns the point of theEnd.
  const gp_XY& Point(const End& theEnd) const
  {
    const Line& aLine = myLines[theEnd.Line];
    return theEnd.IsStart ? aLine.front() : aLine.back();
  }

  //! Returns the direction in which the line of theEnd leaves it (unit length; null for a line
  //! without length).
  gp_XY Direction(const End& theEnd) const;

  //! Returns the point of the lines nearest to theEnd within the reach, leaving out the part of
  //! its own line within theSkip along it.
  Hit Nearest(const End& theEnd, const Standard_Real theSkip) const;

  //! Returns the first point within the reach where the line of theEnd, continued straight on
  //! beyond it (isAhead) or followed back from it, meets a line (leaving out the part of its own
  //! line within theSkip along it).
  Hit Cast(const End& theEnd, const Standard_Real theSkip, const Standard_Boolean isAhead) const;

private:
  //! A segment of a line: its index in the line and the length of the line before it.
  struct Piece
  {
    Standard_Integer Line;  //!< the line
    Standard_Integer Index; //!< the segment from point Index to point Index + 1
    Standard_Real    From;  //!< length of the line up to point Index
  };

  //! Files thePiece from theStart to theEnd under points at most a cell apart along it.
  void addPiece(const Piece& thePiece, const gp_XY& theStart, const gp_XY& theEnd);

  //! Gives the part of thePiece to search from theEnd: the whole piece on other lines, on its
  //! own line what lies farther than theSkip along it from theEnd. False when nothing is left.
  bool part(const Piece& thePiece, const End& theEnd, const Standard_Real theSkip, gp_XY& theFrom,
            gp_XY& theTo) const;

  //! Returns theHit's point found on thePiece, filled in: which end of its line it is, if any.
  Hit hitOn(const Piece& thePiece, const gp_XY& thePoint, const Standard_Real theDistance) const;

  const std::vector<Line>&   myLines;   //!< the lines
  std::vector<Piece>         myPieces;  //!< their segments
  std::vector<Standard_Real> myLengths; //!< length of every line
  Standard_Real              myCell;    //!< greatest distance between two samples
  VexVerify_PointGrid        myGrid;    //!< points sampled along the segments
  Standard_Real              myReach;   //!< farthest point looked for
};

#endif
