// Copyright (c) 2026 VexData developers
#include <VexVerify_BridgeCheck.hxx>

#include <VexVerify_Guard.hxx>

#include <VexVerify_MilledArea.hxx>

#include <VexGeom_DrawnArea.hxx>
#include <VexGeom_Flattener.hxx>
#include <VexGeom_Parallel.hxx>
#include <VexGeom_Polygons.hxx>
#include <VexGeom_Walker.hxx>

#include <algorithm>
#include <cmath>
#include <exception>

namespace
{
typedef VexVerify_TileParts::Part Part;

//! Cells per tile side, as the copper check has them.
const Standard_Integer THE_CELLS_PER_TILE = 8;

//! Most grid cells, whatever the board.
const Standard_Real THE_MAX_CELLS = 4.0e6;

//! How far the board reaches beyond the copper without an outline (millimetres).
const Standard_Real THE_BOX_MARGIN = 1.0;

//! Candidates whose nearest points are worked out when a part joins the others of its piece.
const size_t THE_CANDIDATES = 3;

//! How far the window a join through several tiles is looked for again in reaches beyond its
//! two points (millimetres).
const Standard_Real THE_REFINE_MARGIN = 0.5;

//! Returns thePoint (integer units, real) in millimetres.
gp_XY toMillimetres(const gp_XY& thePoint)
{
  return thePoint / VexGeom_Units::THE_SCALE;
}

//! Returns thePoint (millimetres) in integer units, real.
gp_XY toUnits(const gp_XY& thePoint)
{
  return thePoint * VexGeom_Units::THE_SCALE;
}

//! Appends to thePoints a point well inside the area theContour encloses (theFactor: model unit
//! to millimetres); its vertices lie on its edge.
void insideArea(const PhGeom_Curve& theContour, const double theFactor,
                std::vector<gp_XY>& thePoints)
{
  std::vector<gp_XY> anOutline;
  VexGeom_Flattener::Outline(theContour, theFactor, anOutline);
  if (anOutline.empty())
  {
    return;
  }
  Part aPart;
  aPart.Polygons.resize(1);
  for (const gp_XY& aPoint : anOutline)
  {
    aPart.Polygons[0].push_back(VexGeom_Units::ToPoint(aPoint));
  }
  aPart.Min = aPart.Max = aPart.Polygons[0][0];
  VexGeom_Polygons::AddToBox(aPart.Polygons, aPart.Min, aPart.Max);
  gp_XY anInside;
  if (VexVerify_TileParts::InsidePoint(aPart, anInside))
  {
    thePoints.push_back(toMillimetres(anInside));
  }
}

//! Numbers theParts with new nodes of theAdd.
template <class TheAdd> void number(std::vector<Part>& theParts, const TheAdd& theAdd)
{
  for (Part& aPart : theParts)
  {
    aPart.Node = theAdd();
  }
}
} // namespace

Standard_Boolean VexVerify_BridgeCheck::Perform(const PenFormatData_Model& theDesign,
                                                const VexVerify_JobPaths&  thePaths,
                                                VexVerify_Report::Check&   theCheck)
{
  return VexVerify_Guard::Run([&]() { return perform(theDesign, thePaths, theCheck); },
                              theCheck.Design, myFault);
}

Standard_Boolean VexVerify_BridgeCheck::perform(const PenFormatData_Model& theDesign,
                                                const VexVerify_JobPaths&  thePaths,
                                                VexVerify_Report::Check&   theCheck)
{
  theCheck.IsBridged = Standard_True;
  theCheck.Board     = myOutline;
  gp_XY  aMin(RealLast(), RealLast()), aMax(RealFirst(), RealFirst());
  size_t aCount = 0;
  VexGeom_DrawnArea::Survey(theDesign, aMin, aMax, aCount);
  if (aMin.X() > aMax.X())
  {
    return Standard_True; // no copper, no islands
  }
  if (myBoard.empty())
  {
    myBoxMin = VexGeom_Units::ToPoint(aMin - gp_XY(THE_BOX_MARGIN, THE_BOX_MARGIN));
    myBoxMax = VexGeom_Units::ToPoint(aMax + gp_XY(THE_BOX_MARGIN, THE_BOX_MARGIN));
  }
  else
  {
    myBoxMin = myBoxMax = myBoard.front().front();
    VexGeom_Polygons::AddToBox(myBoard, myBoxMin, myBoxMax);
  }
  // One grid over the copper, the job and the board, with a few features per cell.
  const gp_XY aBoxMin = VexGeom_Units::ToXY(myBoxMin), aBoxMax = VexGeom_Units::ToXY(myBoxMax);
  const gp_XY aLow(std::min(aMin.X(), aBoxMin.X()), std::min(aMin.Y(), aBoxMin.Y()));
  const gp_XY aHigh(std::max(aMax.X(), aBoxMax.X()), std::max(aMax.Y(), aBoxMax.Y()));
  myGrid.Init(aLow - gp_XY(1.0, 1.0), aHigh + gp_XY(1.0, 1.0),
              VexGeom_Grid::CellSizeFor(aLow, aHigh, aCount + thePaths.NbChords()),
              THE_CELLS_PER_TILE, THE_MAX_CELLS);
  VexGeom_DrawnArea anIndex(myGrid);
  anIndex.Build(theDesign, aCount, myGrid.CellSize());
  const VexVerify_MilledArea aMilled(myGrid, thePaths);
  addFeatures(theDesign);
  const Standard_Integer aFirst = myGrid.Tile(aBoxMin), aLast = myGrid.Tile(aBoxMax);
  const Standard_Integer aColumns = myGrid.NbTilesX();
  myTops.assign(static_cast<size_t>(aColumns), Sides());
  // The tiles of a row are cut on several threads at once; their parts are then numbered and
  // joined in order, so the islands and bridges do not depend on the number of threads.
  const Standard_Integer aFirstColumn = aFirst % aColumns;
  std::vector<TileCut>   aCuts(static_cast<size_t>(aLast % aColumns - aFirstColumn + 1));
  for (Standard_Integer aRow = aFirst / aColumns; aRow <= aLast / aColumns; ++aRow)
  {
    std::fill(aCuts.begin(), aCuts.end(), TileCut());
    VexGeom_Parallel::For(aCuts.size(), myNbWorkers,
                          [&](const size_t theIndex)
                          {
                            cutTile(aFirstColumn + static_cast<Standard_Integer>(theIndex), aRow,
                                    anIndex, aMilled, aCuts[theIndex]);
                          });
    myRight = Sides();
    for (size_t aCut = 0; aCut < aCuts.size(); ++aCut)
    {
      fileTile(aFirstColumn + static_cast<Standard_Integer>(aCut), aRow, aCuts[aCut]);
    }
  }
  report(theCheck, anIndex, aMilled);
  return Standard_True;
}

void VexVerify_BridgeCheck::addFeatures(const PenFormatData_Model& theDesign)
{
  std::vector<gp_XY> aPoints;
  for (VexGeom_Walker aWalker(theDesign); aWalker.More(); aWalker.Next())
  {
    if (!VexGeom_Drawing::Draws(aWalker.Kind()) || aWalker.IsClear())
    {
      continue;
    }
    Standard_Integer aNet = VexVerify_Islands::THE_NONE;
    if (myNets != NULL)
    {
      const Handle(PenFormatData_Object)
          anObject(const_cast<PenFormatData_Sequence*>(&aWalker.Sequence()));
      aNet = myNets->Names().FindIndex(myNets->Net(anObject));
    }
    const Standard_Boolean isArea = aWalker.Kind() == VexGeom_Drawing::Kind_Area;
    for (NCollection_List<Handle(PhGeom_Curve)>::Iterator aContour(
             aWalker.Sequence().GetCurve()->Children());
         aContour.More(); aContour.Next())
    {
      if (aContour.Value().IsNull() || aContour.Value()->NbElements() == 0)
      {
        continue;
      }
      aPoints.clear();
      if (isArea)
      {
        insideArea(*aContour.Value(), aWalker.Factor(), aPoints);
      }
      else
      {
        // A stroke's start and every flash lie inside what they draw.
        for (PhGeom_Curve::ElementIterator anElement(*aContour.Value()); anElement.More();
             anElement.Next())
        {
          if (aPoints.empty() || anElement.Value().Kind() == PhGeom_Element::Kind_Point)
          {
            aPoints.push_back(anElement.Value().StartPoint() * aWalker.Factor());
          }
        }
      }
      for (const gp_XY& aPoint : aPoints)
      {
        myFeatures.push_back(Feature{aPoint, aNet, myGrid.Tile(aPoint)});
      }
    }
  }
  std::stable_sort(myFeatures.begin(), myFeatures.end(),
                   [](const Feature& theLeft, const Feature& theRight)
                   { return theLeft.Tile < theRight.Tile; });
}

void VexVerify_BridgeCheck::boardPart(const ClipperLib::IntPoint& theMin,
                                      const ClipperLib::IntPoint& theMax,
                                      ClipperLib::Paths&          thePart) const
{
  thePart.clear();
  if (myBoard.empty())
  {
    const ClipperLib::IntPoint aMin(std::max(theMin.X, myBoxMin.X), std::max(theMin.Y, myBoxMin.Y));
    const ClipperLib::IntPoint aMax(std::min(theMax.X, myBoxMax.X), std::min(theMax.Y, myBoxMax.Y));
    if (aMin.X < aMax.X && aMin.Y < aMax.Y)
    {
      thePart.push_back(VexGeom_Polygons::Rectangle(aMin, aMax));
    }
    return;
  }
  const ClipperLib::Paths aWindow(1, VexGeom_Polygons::Rectangle(theMin, theMax));
  VexGeom_Polygons::Combine(ClipperLib::ctIntersection, myBoard, aWindow, thePart);
}

void VexVerify_BridgeCheck::cutTile(const Standard_Integer theColumn, const Standard_Integer theRow,
                                    const VexGeom_DrawnArea&    theIndex,
                                    const VexVerify_MilledArea& theMilled, TileCut& theCut) const
{
  gp_XY aMin, aMax;
  myGrid.TileBox(theColumn, theRow, theColumn, theRow, aMin, aMax);
  theCut.Low  = VexGeom_Units::ToPoint(aMin);
  theCut.High = VexGeom_Units::ToPoint(aMax);
  ClipperLib::Paths aBoard, aCopper, aMilledArea, aLeftArea, aKeptArea;
  boardPart(theCut.Low, theCut.High, aBoard);
  if (aBoard.empty())
  {
    return;
  }
  // The copper over the board; what the milling leaves of the board, and of the copper.
  theIndex.Window(aMin, aMax, 0.0, aCopper);
  VexGeom_Polygons::Combine(ClipperLib::ctIntersection, aCopper, aBoard, aCopper);
  theMilled.Tile(theRow * myGrid.NbTilesX() + theColumn, aMilledArea);
  VexGeom_Polygons::Combine(ClipperLib::ctDifference, aBoard, aMilledArea, aLeftArea);
  VexGeom_Polygons::Combine(ClipperLib::ctDifference, aCopper, aMilledArea, aKeptArea);
  VexVerify_TileParts::Split(aCopper, theCut.Copper);
  VexVerify_TileParts::Split(aLeftArea, theCut.Left);
  VexVerify_TileParts::Split(aKeptArea, theCut.Kept);
  theCut.HasBoard = Standard_True;
}

void VexVerify_BridgeCheck::fileTile(const Standard_Integer theColumn,
                                     const Standard_Integer theRow, TileCut& theCut)
{
  std::vector<std::vector<size_t>> aKeptByLeft;
  if (theCut.HasBoard)
  {
    number(theCut.Copper, [this]() { return myIslands.AddCopper(); });
    number(theCut.Left, [this]() { return myIslands.AddLeft(); });
    fileFeatures(theRow * myGrid.NbTilesX() + theColumn, theCut.Copper);
    fileKept(theCut.Kept, theCut.Copper, theCut.Left, aKeptByLeft);
  }
  joinSides(theColumn, theCut.Low, theCut.High, theCut.Copper, theCut.Left, theCut.Kept,
            aKeptByLeft);
}

void VexVerify_BridgeCheck::fileFeatures(const Standard_Integer   theTile,
                                         const std::vector<Part>& theCopper)
{
  for (const Part& aPart : theCopper)
  {
    gp_XY anInside;
    if (VexVerify_TileParts::InsidePoint(aPart, anInside))
    {
      myIslands.AddPlace(aPart.Node, toMillimetres(anInside), Standard_False);
    }
  }
  auto anIt = std::lower_bound(myFeatures.begin(), myFeatures.end(), theTile,
                               [](const Feature& theFeature, const Standard_Integer theValue)
                               { return theFeature.Tile < theValue; });
  for (; anIt != myFeatures.end() && anIt->Tile == theTile; ++anIt)
  {
    const Standard_Integer aPart = VexVerify_TileParts::Find(theCopper, toUnits(anIt->At));
    if (aPart < 0)
    {
      continue; // erased by a clear object, or off the board
    }
    myIslands.AddPlace(theCopper[aPart].Node, anIt->At, Standard_True);
    if (anIt->Net != VexVerify_Islands::THE_NONE)
    {
      myIslands.AddNet(theCopper[aPart].Node, anIt->Net);
    }
  }
}

void VexVerify_BridgeCheck::fileKept(std::vector<Part>& theKept, const std::vector<Part>& theCopper,
                                     const std::vector<Part>&          theLeft,
                                     std::vector<std::vector<size_t>>& theKeptByLeft)
{
  // Each kept part lies in one copper part and one leftover part: a point inside tells which.
  theKeptByLeft.assign(theLeft.size(), std::vector<size_t>());
  std::vector<std::pair<Standard_Integer, size_t>> aByLeft;
  for (size_t anIndex = 0; anIndex < theKept.size(); ++anIndex)
  {
    gp_XY anInside;
    if (!VexVerify_TileParts::InsidePoint(theKept[anIndex], anInside))
    {
      continue; // thinner than the geometry's accuracy
    }
    const Standard_Integer aCopper = VexVerify_TileParts::Find(theCopper, anInside);
    const Standard_Integer aLeft   = VexVerify_TileParts::Find(theLeft, anInside);
    if (aCopper < 0 || aLeft < 0)
    {
      continue;
    }
    theKept[anIndex].Node = theCopper[aCopper].Node;
    myIslands.AddMember(theKept[anIndex].Node, theLeft[aLeft].Node, toMillimetres(anInside));
    aByLeft.push_back(std::make_pair(aLeft, anIndex));
    theKeptByLeft[aLeft].push_back(anIndex);
  }
  // The copper parts of one leftover part are joined: each to the nearest of those before it.
  std::stable_sort(aByLeft.begin(), aByLeft.end(),
                   [](const std::pair<Standard_Integer, size_t>& theA,
                      const std::pair<Standard_Integer, size_t>& theB)
                   { return theA.first < theB.first; });
  std::vector<std::pair<double, size_t>> aCandidates;
  for (size_t aFirst = 0, aLast = 0; aFirst < aByLeft.size(); aFirst = aLast)
  {
    for (aLast = aFirst + 1;
         aLast < aByLeft.size() && aByLeft[aLast].first == aByLeft[aFirst].first; ++aLast)
    {
      const Part& aPart = theKept[aByLeft[aLast].second];
      aCandidates.clear();
      for (size_t anOther = aFirst; anOther < aLast; ++anOther)
      {
        const Part& aBefore = theKept[aByLeft[anOther].second];
        if (aBefore.Node != aPart.Node)
        {
          aCandidates.push_back(std::make_pair(VexVerify_TileParts::BoxDistance(aPart, aBefore),
                                               aByLeft[anOther].second));
        }
      }
      joinNearest(aPart, theKept, aCandidates);
    }
  }
}

void VexVerify_BridgeCheck::joinNearest(const Part& thePart, const std::vector<Part>& theKept,
                                        std::vector<std::pair<double, size_t>>& theCandidates)
{
  // The nearest by box first; the nearest points of a few of them decide.
  const size_t aCount = std::min(THE_CANDIDATES, theCandidates.size());
  std::partial_sort(theCandidates.begin(), theCandidates.begin() + aCount, theCandidates.end());
  double aBest = RealLast();
  gp_XY  aBestMiddle;
  size_t aBestPart = 0;
  for (size_t anIndex = 0; anIndex < aCount; ++anIndex)
  {
    gp_XY        aMiddle;
    const double aDistance =
        VexVerify_TileParts::Distance(thePart, theKept[theCandidates[anIndex].second], aMiddle);
    if (aDistance < aBest)
    {
      aBest       = aDistance;
      aBestMiddle = aMiddle;
      aBestPart   = theCandidates[anIndex].second;
    }
  }
  if (aCount > 0)
  {
    myIslands.AddJoin(thePart.Node, theKept[aBestPart].Node, toMillimetres(aBestMiddle),
                      aBest / VexGeom_Units::THE_SCALE);
  }
}

void VexVerify_BridgeCheck::joinSides(const Standard_Integer                  theColumn,
                                      const ClipperLib::IntPoint&             theMin,
                                      const ClipperLib::IntPoint&             theMax,
                                      const std::vector<Part>&                theCopper,
                                      const std::vector<Part>&                theLeft,
                                      const std::vector<Part>&                theKept,
                                      const std::vector<std::vector<size_t>>& theKeptByLeft)
{
  // The sides kept by an earlier tile are empty where there was none.
  Sides& aBelow = myTops[theColumn];
  Sides  aSide  = sideOf(Standard_True, theMin.X, theCopper, theLeft, theKept, theKeptByLeft);
  matchSides(Standard_True, theMin.X, aSide, myRight);
  aSide = sideOf(Standard_False, theMin.Y, theCopper, theLeft, theKept, theKeptByLeft);
  matchSides(Standard_False, theMin.Y, aSide, aBelow);
  myRight = sideOf(Standard_True, theMax.X, theCopper, theLeft, theKept, theKeptByLeft);
  aBelow  = sideOf(Standard_False, theMax.Y, theCopper, theLeft, theKept, theKeptByLeft);
}

VexVerify_BridgeCheck::Sides VexVerify_BridgeCheck::sideOf(
    const Standard_Boolean isVertical, const ClipperLib::cInt theValue,
    const std::vector<Part>& theCopper, const std::vector<Part>& theLeft,
    const std::vector<Part>& theKept, const std::vector<std::vector<size_t>>& theKeptByLeft) const
{
  Sides aSide;
  VexVerify_TileParts::Stretches(theCopper, isVertical, theValue, aSide.Copper);
  VexVerify_TileParts::Stretches(theLeft, isVertical, theValue, aSide.Left);
  // Each stretch of leftover copper files the kept copper of its part nearest to it.
  for (VexVerify_TileParts::Stretch& aStretch : aSide.Left)
  {
    const gp_XY aFrom    = isVertical ? gp_XY(double(theValue), double(aStretch.From))
                                      : gp_XY(double(aStretch.From), double(theValue));
    const gp_XY aTo      = isVertical ? gp_XY(double(theValue), double(aStretch.To))
                                      : gp_XY(double(aStretch.To), double(theValue));
    aStretch.Reach       = RealLast();
    const Part* aNearest = NULL;
    for (const size_t aKept : theKeptByLeft[aStretch.Node - theLeft.front().Node])
    {
      const Part& aPart = theKept[aKept];
      if (aPart.Node < 0 || VexVerify_TileParts::BoxDistance(aPart, aFrom, aTo) >= aStretch.Reach)
      {
        continue;
      }
      gp_XY        anOn;
      const double aReach = VexVerify_TileParts::Distance(aPart, aFrom, aTo, anOn);
      if (aReach < aStretch.Reach)
      {
        aStretch.Reach = aReach;
        aStretch.Along = isVertical ? anOn.Y() : anOn.X();
        aNearest       = &aPart;
      }
    }
    if (aNearest != NULL && VexVerify_TileParts::InsidePoint(*aNearest, aStretch.Inside))
    {
      aStretch.Copper = aNearest->Node;
    }
  }
  return aSide;
}

void VexVerify_BridgeCheck::matchSides(const Standard_Boolean isVertical,
                                       const ClipperLib::cInt theValue, Sides& theSide,
                                       Sides& theOther)
{
  typedef VexVerify_TileParts::Stretch Stretch;
  VexVerify_TileParts::Match(theSide.Copper, theOther.Copper,
                             [this](const Stretch& theA, const Stretch& theB)
                             { myIslands.JoinCopper(theA.Node, theB.Node); });
  // Leftover copper that goes on across the side joins the kept copper on either side of it.
  VexVerify_TileParts::Match(
      theSide.Left, theOther.Left,
      [&](const Stretch& theA, const Stretch& theB)
      {
        myIslands.JoinLeft(theA.Node, theB.Node);
        if (theA.Copper >= 0 && theB.Copper >= 0)
        {
          // Where the leftover copper crosses, as near to both as the common stretch allows.
          const double anAlong = std::min(
              std::max(0.5 * (theA.Along + theB.Along), double(std::max(theA.From, theB.From))),
              double(std::min(theA.To, theB.To)));
          const gp_XY aPoint =
              isVertical ? gp_XY(double(theValue), anAlong) : gp_XY(anAlong, double(theValue));
          myIslands.AddCrossing(theA.Copper, theB.Copper, toMillimetres(aPoint),
                                (theA.Reach + theB.Reach + std::fabs(theA.Along - theB.Along)) /
                                    VexGeom_Units::THE_SCALE,
                                toMillimetres(theA.Inside), toMillimetres(theB.Inside));
        }
      });
}

VexVerify_Report::Island VexVerify_BridgeCheck::island(const Standard_Integer theIsland) const
{
  VexVerify_Report::Island anIsland;
  anIsland.At                 = myIslands.Place(theIsland);
  const Standard_Integer aNet = myIslands.Net(theIsland);
  anIsland.Net                = myNets != NULL && aNet != VexVerify_Islands::THE_NONE
                                    ? myNets->Names().FindKey(aNet)
                                    : TCollection_AsciiString();
  anIsland.IsSeveral          = myIslands.IsSeveral(theIsland);
  return anIsland;
}

gp_XY VexVerify_BridgeCheck::placeOf(const VexVerify_Islands::Bridge& theBridge,
                                     VexGeom_DrawnArea&               theIndex,
                                     const VexVerify_MilledArea&      theMilled) const
{
  // A join found through several tiles is looked for again in a window around both points.
  const double aTile = myGrid.CellSize() * THE_CELLS_PER_TILE;
  const gp_XY  aMin(std::min(theBridge.From.X(), theBridge.To.X()) - THE_REFINE_MARGIN,
                    std::min(theBridge.From.Y(), theBridge.To.Y()) - THE_REFINE_MARGIN);
  const gp_XY  aMax(std::max(theBridge.From.X(), theBridge.To.X()) + THE_REFINE_MARGIN,
                    std::max(theBridge.From.Y(), theBridge.To.Y()) + THE_REFINE_MARGIN);
  if (theBridge.IsExact || aMax.X() - aMin.X() > 3.0 * aTile || aMax.Y() - aMin.Y() > 3.0 * aTile)
  {
    return theBridge.At;
  }
  ClipperLib::Paths aBoard, aCopper, aMilled, aLeftArea, aKeptArea;
  boardPart(VexGeom_Units::ToPoint(aMin), VexGeom_Units::ToPoint(aMax), aBoard);
  theIndex.Window(aMin, aMax, 0.0, aCopper);
  VexGeom_Polygons::Combine(ClipperLib::ctIntersection, aCopper, aBoard, aCopper);
  theMilled.Window(aMin, aMax, aMilled);
  VexGeom_Polygons::Combine(ClipperLib::ctDifference, aBoard, aMilled, aLeftArea);
  VexGeom_Polygons::Combine(ClipperLib::ctDifference, aCopper, aMilled, aKeptArea);
  std::vector<Part> aLeft, aKept;
  VexVerify_TileParts::Split(aLeftArea, aLeft);
  VexVerify_TileParts::Split(aKeptArea, aKept);
  const gp_XY            aFrom = toUnits(theBridge.From), aTo = toUnits(theBridge.To);
  const Standard_Integer aKeptFrom = VexVerify_TileParts::Find(aKept, aFrom);
  const Standard_Integer aKeptTo   = VexVerify_TileParts::Find(aKept, aTo);
  const Standard_Integer aLeftFrom = VexVerify_TileParts::Find(aLeft, aFrom);
  if (aKeptFrom < 0 || aKeptTo < 0 || aKeptFrom == aKeptTo || aLeftFrom < 0 ||
      aLeftFrom != VexVerify_TileParts::Find(aLeft, aTo))
  {
    return theBridge.At; // joined only through copper beyond the window
  }
  gp_XY aMiddle;
  VexVerify_TileParts::Distance(aKept[aKeptFrom], aKept[aKeptTo], aMiddle);
  return toMillimetres(aMiddle);
}

void VexVerify_BridgeCheck::report(VexVerify_Report::Check& theCheck, VexGeom_DrawnArea& theIndex,
                                   const VexVerify_MilledArea& theMilled)
{
  std::vector<VexVerify_Islands::Bridge> aBridges;
  myIslands.Finish(aBridges);
  theCheck.Islands = myIslands.NbIslands();
  // Listed by place: left to right, then bottom to top.
  std::sort(aBridges.begin(), aBridges.end(),
            [](const VexVerify_Islands::Bridge& theLeft, const VexVerify_Islands::Bridge& theRight)
            {
              return theLeft.At.X() != theRight.At.X() ? theLeft.At.X() < theRight.At.X()
                                                       : theLeft.At.Y() < theRight.At.Y();
            });
  for (const VexVerify_Islands::Bridge& aBridge : aBridges)
  {
    VexVerify_Report::Finding aFinding(VexVerify_Report::Kind_Bridge);
    aFinding.At         = placeOf(aBridge, theIndex, theMilled);
    aFinding.Islands[0] = island(aBridge.First);
    aFinding.Islands[1] = island(aBridge.Second);
    (myIslands.IsOneNet(aBridge.First, aBridge.Second) ? theCheck.Joins : theCheck.Findings)
        .Append(aFinding);
  }
}
