// Copyright (c) 2026 VexData developers
#ifndef _VexVerify_Pieces_HeaderFile
#define _VexVerify_Pieces_HeaderFile

#include <VexGeom_Units.hxx>

#include <algorithm>
#include <cstdint>
#include <vector>

//! The pieces of job path that go on to the polygon work, each with the tile that holds its
//! middle and the design features it must be compared with. They are handed out in groups of
//! one tile and one path toolpath, as open polylines (pieces that meet end to end joined again),
//! so that each group makes one boolean operation of a tile's size.
class VexVerify_Pieces
{
public:
  //! Adds the piece theStart-theEnd of path thePath in theTile. Its features are those added with
  //! AddFeature() since the previous piece.
  void Add(const gp_XY& theStart, const gp_XY& theEnd, const Standard_Integer thePath,
           const Standard_Integer theTile)
  {
    const uint32_t aCount = static_cast<uint32_t>(myFeatures.size()) - myFirstFree;
    myPieces.push_back(Piece{theStart, theEnd, thePath, theTile, myFirstFree, aCount});
    myFirstFree = static_cast<uint32_t>(myFeatures.size());
  }

  //! Returns the list the features of the next piece are appended to.
  std::vector<Standard_Integer>& Features() { return myFeatures; }

  //! Returns the features appended since the last piece, and their number in theCount.
  const Standard_Integer* NewFeatures(size_t& theCount) const
  {
    theCount = myFeatures.size() - myFirstFree;
    return theCount == 0 ? NULL : &myFeatures[myFirstFree];
  }

  //! Forgets the features appended since the last piece (the piece was not kept).
  void DropFeatures() { myFeatures.resize(myFirstFree); }

  //! Returns the number of pieces.
  size_t Size() const { return myPieces.size(); }

  //! Calls theVisit(tile, path, polylines, features) once per tile and path toolpath, then
  //! forgets every piece.
  template <class TheVisit> void Visit(const TheVisit& theVisit)
  {
    std::vector<uint32_t> anOrder(myPieces.size());
    for (size_t anIndex = 0; anIndex < anOrder.size(); ++anIndex)
    {
      anOrder[anIndex] = static_cast<uint32_t>(anIndex);
    }
    std::stable_sort(anOrder.begin(), anOrder.end(),
                     [this](const uint32_t theLeft, const uint32_t theRight)
                     {
                       const Piece &aLeft = myPieces[theLeft], &aRight = myPieces[theRight];
                       return aLeft.Tile != aRight.Tile ? aLeft.Tile < aRight.Tile
                                                        : aLeft.Path < aRight.Path;
                     });
    ClipperLib::Paths             aLines;
    std::vector<Standard_Integer> aFeatures;
    for (size_t aFirst = 0; aFirst < anOrder.size();)
    {
      const Piece& aHead = myPieces[anOrder[aFirst]];
      aLines.clear();
      aFeatures.clear();
      size_t aLast = aFirst;
      for (; aLast < anOrder.size() && myPieces[anOrder[aLast]].Tile == aHead.Tile &&
             myPieces[anOrder[aLast]].Path == aHead.Path;
           ++aLast)
      {
        const Piece& aPiece = myPieces[anOrder[aLast]];
        if (aLast == aFirst || !myPieces[anOrder[aLast - 1]].End.IsEqual(aPiece.Start, 0.0))
        {
          aLines.push_back(ClipperLib::Path(1, VexGeom_Units::ToPoint(aPiece.Start)));
        }
        aLines.back().push_back(VexGeom_Units::ToPoint(aPiece.End));
        aFeatures.insert(aFeatures.end(), myFeatures.begin() + aPiece.First,
                         myFeatures.begin() + aPiece.First + aPiece.Count);
      }
      theVisit(aHead.Tile, aHead.Path, aLines, aFeatures);
      aFirst = aLast;
    }
    myPieces.clear();
    myFeatures.clear();
    myFirstFree = 0;
  }

private:
  //! One piece.
  struct Piece
  {
    gp_XY            Start; //!< start
    gp_XY            End;   //!< end
    Standard_Integer Path;  //!< path toolpath
    Standard_Integer Tile;  //!< tile of its middle
    uint32_t         First; //!< first of its features in myFeatures
    uint32_t         Count; //!< number of its features
  };

  std::vector<Piece>            myPieces;        //!< pieces in the order added
  std::vector<Standard_Integer> myFeatures;      //!< features of every piece
  uint32_t                      myFirstFree = 0; //!< features from here belong to the next piece
};

#endif
