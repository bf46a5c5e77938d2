// Copyright (c) 2026 VexData developers
#ifndef _VexVerify_Places_HeaderFile
#define _VexVerify_Places_HeaderFile

#include <VexVerify_Report.hxx>

#include <clipper.hpp>

#include <deque>
#include <vector>

//! Gathers the pieces of job paths that a path check found (the stretches in copper, or outside
//! the board) and joins them into places: pieces of the same path toolpath that meet end to end
//! make one place, however the work was cut into tiles. A place becomes one finding with the
//! length of path it covers, its bounding box and the middle of its longest piece.
class VexVerify_Places
{
public:
  //! Adds thePiece (an open polyline in integer units) of path thePath.
  void Add(const Standard_Integer thePath, const ClipperLib::Path& thePiece);

  //! Returns the number of pieces added.
  size_t NbPieces() const { return myPieces.size(); }

  //! Joins the pieces into places and appends them to theCheck as findings of theKind, longest
  //! first, adding their length to its FoundLength. Places shorter than the chord tolerance are
  //! below the accuracy of the geometry and left out. Forgets the pieces.
  void Finish(const VexVerify_Report::Kind theKind, VexVerify_Report::Check& theCheck);

private:
  //! One piece as added.
  struct Piece
  {
    ClipperLib::IntPoint Start;  //!< first point
    ClipperLib::IntPoint End;    //!< last point
    ClipperLib::IntPoint Min;    //!< lower left of its box
    ClipperLib::IntPoint Max;    //!< upper right of its box
    gp_XY                Middle; //!< point halfway along it, in millimetres
    Standard_Real        Length; //!< length in millimetres
    Standard_Integer     Path;   //!< path toolpath
  };

  //! Joins the pieces that meet end to end (union-find over their sorted end points).
  void join();

  //! Returns the piece that represents the place of thePiece (union-find, path halving).
  Standard_Integer root(Standard_Integer thePiece);

  std::deque<Piece>             myPieces;  //!< every piece (a deque grows without copying)
  std::vector<Standard_Integer> myParents; //!< union-find parents
};

#endif
