// Copyright (c) 2026 VexData developers
#include <VexVerify_Places.hxx>

#include <VexGeom_Polygons.hxx>

#include <algorithm>
#include <cmath>
#include <tuple>

namespace
{
//! Returns the point halfway along thePath (millimetres).
gp_XY middle(const ClipperLib::Path& thePath, const Standard_Real theLength)
{
  Standard_Real aLeft = 0.5 * theLength * VexGeom_Units::THE_SCALE;
  for (size_t anIndex = 1; anIndex < thePath.size(); ++anIndex)
  {
    const gp_XY         aFrom = gp_XY(static_cast<Standard_Real>(thePath[anIndex - 1].X),
                                      static_cast<Standard_Real>(thePath[anIndex - 1].Y));
    const gp_XY         aTo   = gp_XY(static_cast<Standard_Real>(thePath[anIndex].X),
                                      static_cast<Standard_Real>(thePath[anIndex].Y));
    const Standard_Real aSpan = (aTo - aFrom).Modulus();
    if (aSpan >= aLeft && aSpan > 0.0)
    {
      return (aFrom + (aTo - aFrom) * (aLeft / aSpan)) / VexGeom_Units::THE_SCALE;
    }
    aLeft -= aSpan;
  }
  return VexGeom_Units::ToXY(thePath.front());
}
} // namespace

void VexVerify_Places::Add(const Standard_Integer thePath, const ClipperLib::Path& thePiece)
{
  if (thePiece.empty())
  {
    return;
  }
  Piece aPiece;
  aPiece.Start = aPiece.Min = aPiece.Max = thePiece.front();
  aPiece.End                             = thePiece.back();
  for (const ClipperLib::IntPoint& aPoint : thePiece)
  {
    aPiece.Min.X = std::min(aPiece.Min.X, aPoint.X);
    aPiece.Min.Y = std::min(aPiece.Min.Y, aPoint.Y);
    aPiece.Max.X = std::max(aPiece.Max.X, aPoint.X);
    aPiece.Max.Y = std::max(aPiece.Max.Y, aPoint.Y);
  }
  aPiece.Length = VexGeom_Polygons::Length(thePiece);
  aPiece.Middle = middle(thePiece, aPiece.Length);
  aPiece.Path   = thePath;
  myPieces.push_back(aPiece);
}

Standard_Integer VexVerify_Places::root(Standard_Integer thePiece)
{
  while (myParents[thePiece] != thePiece)
  {
    myParents[thePiece] = myParents[myParents[thePiece]];
    thePiece            = myParents[thePiece];
  }
  return thePiece;
}

void VexVerify_Places::join()
{
  // Pieces of one path that share an end point belong to one place.
  typedef std::tuple<Standard_Integer, ClipperLib::cInt, ClipperLib::cInt, Standard_Integer> End;
  std::vector<End>                                                                           anEnds;
  anEnds.reserve(2 * myPieces.size());
  myParents.resize(myPieces.size());
  for (size_t anIndex = 0; anIndex < myPieces.size(); ++anIndex)
  {
    const Piece&           aPiece = myPieces[anIndex];
    const Standard_Integer anId   = static_cast<Standard_Integer>(anIndex);
    myParents[anIndex]            = anId;
    anEnds.emplace_back(aPiece.Path, aPiece.Start.X, aPiece.Start.Y, anId);
    anEnds.emplace_back(aPiece.Path, aPiece.End.X, aPiece.End.Y, anId);
  }
  std::sort(anEnds.begin(), anEnds.end());
  for (size_t anIndex = 1; anIndex < anEnds.size(); ++anIndex)
  {
    const End& aLeft  = anEnds[anIndex - 1];
    const End& aRight = anEnds[anIndex];
    if (std::get<0>(aLeft) == std::get<0>(aRight) && std::get<1>(aLeft) == std::get<1>(aRight) &&
        std::get<2>(aLeft) == std::get<2>(aRight))
    {
      myParents[root(std::get<3>(aLeft))] = root(std::get<3>(aRight));
    }
  }
}

void VexVerify_Places::Finish(const VexVerify_Report::Kind theKind,
                              VexVerify_Report::Check&     theCheck)
{
  join();
  // One finding per place, represented by its root piece's slot.
  std::vector<VexVerify_Report::Finding> aPlaces;
  std::vector<Standard_Integer>          aPlaceOf(myPieces.size(), -1);
  std::vector<Standard_Real>             aLongest;
  for (size_t anIndex = 0; anIndex < myPieces.size(); ++anIndex)
  {
    const Piece&           aPiece = myPieces[anIndex];
    const Standard_Integer aRoot  = root(static_cast<Standard_Integer>(anIndex));
    if (aPlaceOf[aRoot] < 0)
    {
      aPlaceOf[aRoot] = static_cast<Standard_Integer>(aPlaces.size());
      VexVerify_Report::Finding aPlace(theKind);
      aPlace.PathIndex = aPiece.Path;
      aPlace.BoxMin    = VexGeom_Units::ToXY(aPiece.Min);
      aPlace.BoxMax    = VexGeom_Units::ToXY(aPiece.Max);
      aPlaces.push_back(aPlace);
      aLongest.push_back(-1.0);
    }
    VexVerify_Report::Finding& aPlace = aPlaces[aPlaceOf[aRoot]];
    aPlace.Length += aPiece.Length;
    const gp_XY aMin = VexGeom_Units::ToXY(aPiece.Min), aMax = VexGeom_Units::ToXY(aPiece.Max);
    aPlace.BoxMin.SetCoord(std::min(aPlace.BoxMin.X(), aMin.X()),
                           std::min(aPlace.BoxMin.Y(), aMin.Y()));
    aPlace.BoxMax.SetCoord(std::max(aPlace.BoxMax.X(), aMax.X()),
                           std::max(aPlace.BoxMax.Y(), aMax.Y()));
    if (aPiece.Length > aLongest[aPlaceOf[aRoot]])
    {
      aLongest[aPlaceOf[aRoot]] = aPiece.Length;
      aPlace.At                 = aPiece.Middle;
    }
  }
  std::sort(aPlaces.begin(), aPlaces.end(),
            [](const VexVerify_Report::Finding& theLeft, const VexVerify_Report::Finding& theRight)
            {
              return std::make_tuple(-theLeft.Length, theLeft.At.X(), theLeft.At.Y()) <
                     std::make_tuple(-theRight.Length, theRight.At.X(), theRight.At.Y());
            });
  for (const VexVerify_Report::Finding& aPlace : aPlaces)
  {
    // Shorter stretches are below the accuracy of the flattened geometry.
    if (aPlace.Length < VexGeom_Units::THE_CHORD_TOLERANCE)
    {
      continue;
    }
    theCheck.Findings.Append(aPlace);
    theCheck.FoundLength += aPlace.Length;
  }
  myPieces.clear();
  myParents.clear();
}
