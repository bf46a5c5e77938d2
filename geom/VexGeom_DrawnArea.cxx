// Copyright (c) 2026 VexData developers
#include <VexGeom_DrawnArea.hxx>

#include <VexGeom_Flattener.hxx>
#include <VexGeom_Fragmenter.hxx>
#include <VexGeom_Polygons.hxx>
#include <VexGeom_Sweep.hxx>
#include <VexGeom_Walker.hxx>

#include <algorithm>
#include <map>

namespace
{
//! Most vertices of a polygon kept whole however many tiles it spans: the work of a tile is then
//! still small, and cutting it would cost more than it saves.
const size_t THE_WHOLE_AREA = 1024;

//! Margin added to every distance test: the chords of a query and of the model may each lie a
//! chord tolerance inside their arcs, and integer rounding moves points by half a unit.
double slack()
{
  return 2.0 * VexGeom_Units::THE_CHORD_TOLERANCE + 2.0 / VexGeom_Units::THE_SCALE;
}

//! Widens theMin-theMax by thePoint grown by theRadius.
void widen(const gp_XY& thePoint, const double theRadius, gp_XY& theMin, gp_XY& theMax)
{
  theMin.SetCoord(std::min(theMin.X(), thePoint.X() - theRadius),
                  std::min(theMin.Y(), thePoint.Y() - theRadius));
  theMax.SetCoord(std::max(theMax.X(), thePoint.X() + theRadius),
                  std::max(theMax.Y(), thePoint.Y() + theRadius));
}

//! Returns how far what the sequence of theWalker draws reaches beyond its elements.
double padOf(const VexGeom_Walker& theWalker)
{
  const double aPad = 0.5 * std::fabs(theWalker.ToolWidth());
  if (theWalker.Kind() != VexGeom_Drawing::Kind_Artwork)
  {
    return aPad;
  }
  const gp_XY& aHalf = theWalker.Shape().HalfExtent();
  return std::max(aPad, std::max(aHalf.X(), aHalf.Y()));
}

//! Returns the box of theArea (not empty) in integer units.
void boxOf(const ClipperLib::Paths& theArea, ClipperLib::IntPoint& theMin,
           ClipperLib::IntPoint& theMax)
{
  theMin = theMax = theArea.front().front();
  VexGeom_Polygons::AddToBox(theArea, theMin, theMax);
}
} // namespace

VexGeom_DrawnArea::VexGeom_DrawnArea(const VexGeom_Grid& theGrid)
    : myGrid(theGrid), myStamp(0), isClear(Standard_False), myNbFeatures(0)
{
}

void VexGeom_DrawnArea::Survey(const PenFormatData_Model& theModel, gp_XY& theMin, gp_XY& theMax,
                               size_t& theNbElements)
{
  for (VexGeom_Walker aWalker(theModel); aWalker.More(); aWalker.Next())
  {
    if (!VexGeom_Drawing::Draws(aWalker.Kind()))
    {
      continue;
    }
    const double aPad    = padOf(aWalker);
    const double aFactor = aWalker.Factor();
    for (NCollection_List<Handle(PhGeom_Curve)>::Iterator aContour(
             aWalker.Sequence().GetCurve()->Children());
         aContour.More(); aContour.Next())
    {
      for (PhGeom_Curve::ElementIterator anElement(*aContour.Value());
           !aContour.Value().IsNull() && anElement.More(); anElement.Next())
      {
        const PhGeom_Element& aValue = anElement.Value();
        ++theNbElements;
        widen(aValue.StartPoint() * aFactor, aPad, theMin, theMax);
        widen(aValue.EndPoint() * aFactor, aPad, theMin, theMax);
        if (aValue.Kind() == PhGeom_Element::Kind_Arc)
        {
          const PhGeom_Arc& anArc = static_cast<const PhGeom_Arc&>(aValue);
          widen(anArc.Center() * aFactor, std::fabs(anArc.Radius() * aFactor) + aPad, theMin,
                theMax);
        }
      }
    }
  }
}

void VexGeom_DrawnArea::Build(const PenFormatData_Model& theModel, const size_t theNbElements,
                              const double theMargin)
{
  myItems.reserve(theNbElements);
  for (VexGeom_Walker aWalker(theModel); aWalker.More(); aWalker.Next())
  {
    if (VexGeom_Drawing::Draws(aWalker.Kind()))
    {
      addSequence(aWalker, theMargin);
    }
  }
  fileItems();
}

void VexGeom_DrawnArea::addSequence(const VexGeom_Walker& theWalker, const double theMargin)
{
  isClear                             = theWalker.IsClear();
  const PhGeom_Curve&         aCurve  = *theWalker.Sequence().GetCurve();
  const double                aFactor = theWalker.Factor();
  const VexGeom_Shape&        aShape  = theWalker.Shape();
  const VexGeom_Drawing::Kind aKind   = theWalker.Kind();
  if (aKind == VexGeom_Drawing::Kind_Area)
  {
    addArea(aCurve, aFactor, theMargin);
    return;
  }
  // Toolpaths draw with a round pen of their tool's width, artwork with its aperture's shape.
  const bool   isArtwork = aKind == VexGeom_Drawing::Kind_Artwork;
  const double aRadius   = 0.5 * (isArtwork ? aShape.Width() : theWalker.ToolWidth());
  for (NCollection_List<Handle(PhGeom_Curve)>::Iterator aContour(aCurve.Children());
       aContour.More(); aContour.Next())
  {
    if (aContour.Value().IsNull() || !(aRadius > 0.0))
    {
      continue;
    }
    if (isArtwork && !aShape.IsCircle())
    {
      addShapes(*aContour.Value(), aFactor, aShape, theMargin);
      continue;
    }
    addStrokes(*aContour.Value(), aFactor, aKind == VexGeom_Drawing::Kind_Drill ? 0.0 : aRadius,
               aKind == VexGeom_Drawing::Kind_Path ? 0.0 : aRadius,
               aShape.IsCircle() ? 0.5 * aShape.Hole() : 0.0);
  }
}

void VexGeom_DrawnArea::addStrokes(const PhGeom_Curve& theContour, const double theFactor,
                                   const double theRadius, const double theDisc,
                                   const double theHole)
{
  std::vector<gp_XY> aChords;
  for (PhGeom_Curve::ElementIterator anIt(theContour); anIt.More(); anIt.Next())
  {
    const PhGeom_Element& anElement = anIt.Value();
    const bool            isPoint   = anElement.Kind() == PhGeom_Element::Kind_Point;
    if (!((isPoint ? theDisc : theRadius) > 0.0))
    {
      continue;
    }
    ++myNbFeatures;
    const gp_XY aStart = anElement.StartPoint() * theFactor;
    if (isPoint)
    {
      myItems.push_back(Item{aStart, aStart, theDisc, std::max(0.0, theHole), -1, -1, isClear});
    }
    else if (anElement.Kind() == PhGeom_Element::Kind_Segment)
    {
      addStroke(aStart, anElement.EndPoint() * theFactor, theRadius);
    }
    else
    {
      aChords.assign(1, aStart);
      VexGeom_Flattener::AddArc(static_cast<const PhGeom_Arc&>(anElement), theFactor, aChords);
      for (size_t anIndex = 1; anIndex < aChords.size(); ++anIndex)
      {
        addStroke(aChords[anIndex - 1], aChords[anIndex], theRadius);
      }
    }
  }
}

void VexGeom_DrawnArea::addShapes(const PhGeom_Curve& theContour, const double theFactor,
                                  const VexGeom_Shape& theShape, const double theMargin)
{
  // A model is as large as its memory: its shapes are not bounded further.
  VexGeom_Budget                      aBudget;
  VexGeom_Flattener                   aFlattener(aBudget);
  VexGeom_Sweep                       aSweep(aFlattener);
  NCollection_Vector<VexGeom_Contour> aContours(4);
  ClipperLib::Paths                   aPaths;
  for (PhGeom_Curve::ElementIterator anIt(theContour); anIt.More(); anIt.Next())
  {
    const PhGeom_Element& anElement = anIt.Value();
    aContours.Clear();
    aPaths.clear();
    if (anElement.Kind() == PhGeom_Element::Kind_Point)
    {
      theShape.Place(anElement.StartPoint() * theFactor, aContours);
    }
    else
    {
      aSweep.Along(theShape, gp_Mat2d(gp_XY(1.0, 0.0), gp_XY(0.0, 1.0)),
                   VexGeom_Sweep::PathOf(anElement, theFactor), aContours);
    }
    ++myNbFeatures;
    aFlattener.ToPaths(aContours, aPaths);
    addPolygons(aPaths, theMargin);
  }
}

void VexGeom_DrawnArea::addStroke(const gp_XY& theStart, const gp_XY& theEnd,
                                  const double theRadius)
{
  const gp_XY            aSpan = theEnd - theStart;
  const Standard_Integer aParts =
      static_cast<Standard_Integer>(std::max(1.0, std::ceil(aSpan.Modulus() / myGrid.CellSize())));
  gp_XY aFrom = theStart;
  for (Standard_Integer aPart = 1; aPart <= aParts; ++aPart)
  {
    const gp_XY aTo = aPart == aParts ? theEnd : theStart + aSpan * (double(aPart) / aParts);
    myItems.push_back(Item{aFrom, aTo, theRadius, 0.0, -1, -1, isClear});
    aFrom = aTo;
  }
}

void VexGeom_DrawnArea::addArea(const PhGeom_Curve& theCurve, const double theFactor,
                                const double theMargin)
{
  ++myNbFeatures;
  ClipperLib::Paths  anArea;
  std::vector<gp_XY> aPoints;
  for (NCollection_List<Handle(PhGeom_Curve)>::Iterator aContour(theCurve.Children());
       aContour.More(); aContour.Next())
  {
    if (aContour.Value().IsNull())
    {
      continue;
    }
    VexGeom_Flattener::Outline(*aContour.Value(), theFactor, aPoints);
    ClipperLib::Path aPath;
    for (const gp_XY& aPoint : aPoints)
    {
      aPath.push_back(VexGeom_Units::ToPoint(aPoint));
    }
    anArea.push_back(aPath);
  }
  addPolygons(anArea, theMargin);
}

void VexGeom_DrawnArea::addPolygons(ClipperLib::Paths& theArea, const double theMargin)
{
  VexGeom_Polygons::Normalise(theArea);
  if (theArea.empty())
  {
    return;
  }
  // A small area stays whole; a large one (a pour) is cut so that no tile's work holds all of it.
  ClipperLib::IntPoint aMin, aMax;
  boxOf(theArea, aMin, aMax);
  size_t aVertices = 0;
  for (const ClipperLib::Path& aPath : theArea)
  {
    aVertices += aPath.size();
  }
  if (aVertices <= THE_WHOLE_AREA ||
      myGrid.Tile(VexGeom_Units::ToXY(aMin)) == myGrid.Tile(VexGeom_Units::ToXY(aMax)))
  {
    addAreaItem(theArea, -1);
    return;
  }
  const VexGeom_Fragmenter aFragmenter(myGrid, theMargin);
  aFragmenter.Split(theArea, [this](Standard_Integer theTile, ClipperLib::Paths& thePart,
                                    Standard_Boolean) { addAreaItem(thePart, theTile); });
}

void VexGeom_DrawnArea::addAreaItem(ClipperLib::Paths& theArea, const Standard_Integer theTile)
{
  if (theArea.empty())
  {
    return;
  }
  ClipperLib::IntPoint aMin, aMax;
  boxOf(theArea, aMin, aMax);
  myItems.push_back(Item{VexGeom_Units::ToXY(aMin), VexGeom_Units::ToXY(aMax), 0.0, 0.0,
                         static_cast<Standard_Integer>(myAreas.size()), theTile, isClear});
  myAreas.emplace_back();
  myAreas.back().swap(theArea);
}

void VexGeom_DrawnArea::fileItems()
{
  // Two passes: count the entries of every cell, then fill them.
  myCellStart.assign(static_cast<size_t>(myGrid.NbCells()) + 1, 0);
  for (int aPass = 0; aPass < 2; ++aPass)
  {
    if (aPass == 1)
    {
      for (size_t aCell = 1; aCell < myCellStart.size(); ++aCell)
      {
        myCellStart[aCell] += myCellStart[aCell - 1];
      }
      myCellItems.resize(myCellStart.back());
    }
    for (size_t anIndex = 0; anIndex < myItems.size(); ++anIndex)
    {
      const Item&            anItem = myItems[anIndex];
      const Standard_Integer aC0 =
          myGrid.Column(std::min(anItem.Start.X(), anItem.End.X()) - anItem.Radius);
      const Standard_Integer aC1 =
          myGrid.Column(std::max(anItem.Start.X(), anItem.End.X()) + anItem.Radius);
      const Standard_Integer aR0 =
          myGrid.Row(std::min(anItem.Start.Y(), anItem.End.Y()) - anItem.Radius);
      const Standard_Integer aR1 =
          myGrid.Row(std::max(anItem.Start.Y(), anItem.End.Y()) + anItem.Radius);
      for (Standard_Integer aRow = aR0; aRow <= aR1; ++aRow)
      {
        for (Standard_Integer aColumn = aC0; aColumn <= aC1; ++aColumn)
        {
          const size_t aCell = static_cast<size_t>(myGrid.Cell(aColumn, aRow));
          if (aPass == 0)
          {
            ++myCellStart[aCell + 1];
          }
          else
          {
            myCellItems[--myCellStart[aCell + 1]] = static_cast<uint32_t>(anIndex);
          }
        }
      }
    }
  }
  // The fill counted every cell's end back down to its start; shift the starts into place.
  myCellStart.erase(myCellStart.begin());
  myCellStart.push_back(static_cast<uint32_t>(myCellItems.size()));
  myStamps.assign(myItems.size(), 0);
}

template <class TheIsNear>
Standard_Boolean VexGeom_DrawnArea::collect(const gp_XY& theMin, const gp_XY& theMax,
                                            const TheIsNear&               theIsNear,
                                            std::vector<Standard_Integer>& theItems)
{
  if (++myStamp == 0)
  {
    std::fill(myStamps.begin(), myStamps.end(), 0);
    myStamp = 1;
  }
  Standard_Boolean isDark = Standard_False;
  for (Standard_Integer aRow = myGrid.Row(theMin.Y()); aRow <= myGrid.Row(theMax.Y()); ++aRow)
  {
    const Standard_Integer aFirst = myGrid.Cell(myGrid.Column(theMin.X()), aRow);
    const Standard_Integer aLast  = myGrid.Cell(myGrid.Column(theMax.X()), aRow);
    for (uint32_t anEntry = myCellStart[aFirst]; anEntry < myCellStart[aLast + 1]; ++anEntry)
    {
      const uint32_t anIndex = myCellItems[anEntry];
      if (myStamps[anIndex] == myStamp)
      {
        continue;
      }
      myStamps[anIndex]  = myStamp;
      const Item& anItem = myItems[anIndex];
      if (theIsNear(anItem))
      {
        theItems.push_back(static_cast<Standard_Integer>(anIndex));
        isDark = isDark || !anItem.Clear;
      }
    }
  }
  return isDark;
}

Standard_Boolean VexGeom_DrawnArea::Near(const gp_XY& theStart, const gp_XY& theEnd,
                                         const double theExtra, const Standard_Integer theTile,
                                         std::vector<Standard_Integer>& theItems)
{
  const double aReach = std::max(theExtra, 0.0) + slack();
  const gp_XY  aMin(std::min(theStart.X(), theEnd.X()) - aReach,
                    std::min(theStart.Y(), theEnd.Y()) - aReach);
  const gp_XY  aMax(std::max(theStart.X(), theEnd.X()) + aReach,
                    std::max(theStart.Y(), theEnd.Y()) + aReach);
  return collect(
      aMin, aMax,
      [&](const Item& theItem)
      {
        if (theItem.Tile >= 0 && theItem.Tile != theTile)
        {
          return false;
        }
        if (theItem.Area >= 0)
        {
          return theItem.Start.X() <= aMax.X() && theItem.End.X() >= aMin.X() &&
                 theItem.Start.Y() <= aMax.Y() && theItem.End.Y() >= aMin.Y();
        }
        const double aReachOf = theItem.Radius + theExtra + slack();
        return aReachOf > 0.0 && VexGeom_Polygons::SegmentDistance(theStart, theEnd, theItem.Start,
                                                                   theItem.End) < aReachOf;
      },
      theItems);
}

void VexGeom_DrawnArea::windowItems(const gp_XY& theMin, const gp_XY& theMax,
                                    const double                   theDistance,
                                    std::vector<Standard_Integer>& theItems) const
{
  const gp_XY aReach(std::max(theDistance, 0.0) + slack(), std::max(theDistance, 0.0) + slack());
  const gp_XY aMin = theMin - aReach, aMax = theMax + aReach;
  // A feature filed in several cells is met once per cell; the repeats are dropped afterwards,
  // so no per-query marks are kept and the index is only read.
  for (Standard_Integer aRow = myGrid.Row(aMin.Y()); aRow <= myGrid.Row(aMax.Y()); ++aRow)
  {
    const Standard_Integer aFirst = myGrid.Cell(myGrid.Column(aMin.X()), aRow);
    const Standard_Integer aLast  = myGrid.Cell(myGrid.Column(aMax.X()), aRow);
    for (uint32_t anEntry = myCellStart[aFirst]; anEntry < myCellStart[aLast + 1]; ++anEntry)
    {
      const Item& anItem = myItems[myCellItems[anEntry]];
      if (std::min(anItem.Start.X(), anItem.End.X()) - anItem.Radius <= aMax.X() &&
          std::max(anItem.Start.X(), anItem.End.X()) + anItem.Radius >= aMin.X() &&
          std::min(anItem.Start.Y(), anItem.End.Y()) - anItem.Radius <= aMax.Y() &&
          std::max(anItem.Start.Y(), anItem.End.Y()) + anItem.Radius >= aMin.Y())
      {
        theItems.push_back(static_cast<Standard_Integer>(myCellItems[anEntry]));
      }
    }
  }
  std::sort(theItems.begin(), theItems.end());
  theItems.erase(std::unique(theItems.begin(), theItems.end()), theItems.end());
}

void VexGeom_DrawnArea::Window(const gp_XY& theMin, const gp_XY& theMax, const double theDistance,
                               ClipperLib::Paths& theArea) const
{
  std::vector<Standard_Integer> anItems;
  windowItems(theMin, theMax, theDistance, anItems);
  ClipperLib::Paths aLast;
  build(anItems, theDistance, theArea, aLast);
  theArea.insert(theArea.end(), aLast.begin(), aLast.end());
  const ClipperLib::Paths aWindow(1, VexGeom_Polygons::Rectangle(VexGeom_Units::ToPoint(theMin),
                                                                 VexGeom_Units::ToPoint(theMax)));
  VexGeom_Polygons::Combine(ClipperLib::ctIntersection, theArea, aWindow, theArea);
}

void VexGeom_DrawnArea::Window(const gp_XY& theMin, const gp_XY& theMax, const double theDistance,
                               ClipperLib::PolyTree& theArea) const
{
  std::vector<Standard_Integer> anItems;
  windowItems(theMin, theMax, theDistance, anItems);
  ClipperLib::Paths anArea, aLast;
  build(anItems, theDistance, anArea, aLast);
  ClipperLib::Clipper aClipper;
  aClipper.AddPaths(anArea, ClipperLib::ptSubject, true);
  aClipper.AddPaths(aLast, ClipperLib::ptSubject, true);
  aClipper.AddPath(
      VexGeom_Polygons::Rectangle(VexGeom_Units::ToPoint(theMin), VexGeom_Units::ToPoint(theMax)),
      ClipperLib::ptClip, true);
  aClipper.Execute(ClipperLib::ctIntersection, theArea, ClipperLib::pftNonZero,
                   ClipperLib::pftNonZero);
}

Standard_Boolean VexGeom_DrawnArea::Covers(const gp_XY& theStart, const gp_XY& theEnd,
                                           const double theExtra, const Standard_Integer* theItems,
                                           const size_t theCount) const
{
  Standard_Boolean isCovered = Standard_False;
  for (size_t anIndex = 0; anIndex < theCount; ++anIndex)
  {
    const Item& anItem = myItems[theItems[anIndex]];
    if (anItem.Clear)
    {
      return Standard_False;
    }
    // A disc with a hole is not convex; its hole is left to the polygon work.
    const double aReach = anItem.Radius + theExtra - slack();
    isCovered           = isCovered ||
                (anItem.Area < 0 && anItem.Hole <= 0.0 && aReach > 0.0 &&
                 VexGeom_Polygons::PointDistance(theStart, anItem.Start, anItem.End) < aReach &&
                 VexGeom_Polygons::PointDistance(theEnd, anItem.Start, anItem.End) < aReach);
  }
  return isCovered;
}

void VexGeom_DrawnArea::Copper(std::vector<Standard_Integer>& theItems, const double theExtra,
                               ClipperLib::Paths& theCopper) const
{
  std::sort(theItems.begin(), theItems.end());
  theItems.erase(std::unique(theItems.begin(), theItems.end()), theItems.end());
  ClipperLib::Paths aLast;
  build(theItems, theExtra, theCopper, aLast);
  theCopper.insert(theCopper.end(), aLast.begin(), aLast.end());
}

void VexGeom_DrawnArea::build(const std::vector<Standard_Integer>& theItems, const double theExtra,
                              ClipperLib::Paths& theCopper, ClipperLib::Paths& theLast) const
{
  // Items of one sequence are filed together, so their indexes follow the object order.
  theCopper.clear();
  theLast.clear();
  const Standard_Boolean hasClear =
      std::any_of(theItems.begin(), theItems.end(),
                  [this](Standard_Integer theItem) { return myItems[theItem].Clear; });
  if (!hasClear)
  {
    // Growing a union is the union of the grown shapes: grow each and let the winding rule unite.
    shapes(theItems, 0, theItems.size(), theExtra, theLast);
    return;
  }
  // With clear features the copper must be built in order before it is grown. A run erases
  // from the shapes of the dark run before it as they are (the winding rule unites them), and
  // the last dark run is left to the caller's own union when nothing is grown.
  ClipperLib::Paths aDark;
  size_t            aFirst = 0;
  while (aFirst < theItems.size())
  {
    const Standard_Boolean isClearRun = myItems[theItems[aFirst]].Clear;
    size_t                 aLast      = aFirst;
    while (aLast < theItems.size() && myItems[theItems[aLast]].Clear == isClearRun)
    {
      ++aLast;
    }
    ClipperLib::Paths aShapes;
    shapes(theItems, aFirst, aLast, 0.0, aShapes);
    if (isClearRun)
    {
      theCopper.insert(theCopper.end(), aDark.begin(), aDark.end());
      aDark.clear();
      VexGeom_Polygons::Combine(ClipperLib::ctDifference, theCopper, aShapes, theCopper);
    }
    else
    {
      aDark.swap(aShapes);
    }
    aFirst = aLast;
  }
  if (theExtra == 0.0)
  {
    theLast.swap(aDark);
    return;
  }
  theCopper.insert(theCopper.end(), aDark.begin(), aDark.end());
  VexGeom_Polygons::Normalise(theCopper);
  VexGeom_Polygons::Grow(theCopper, theExtra);
}

void VexGeom_DrawnArea::shapes(const std::vector<Standard_Integer>& theItems, const size_t theFirst,
                               const size_t theLast, const double theExtra,
                               ClipperLib::Paths& theShapes) const
{
  // Strokes and discs of one grown radius are drawn by one offset run. The pieces of one stroke
  // are filed one after the other: drawn as one line they need no round ends where they meet.
  std::map<ClipperLib::cInt, Pen> aPens;
  ClipperLib::Paths               aHoles;
  for (size_t anIndex = theFirst; anIndex < theLast; ++anIndex)
  {
    const Item& anItem = myItems[theItems[anIndex]];
    if (anItem.Area >= 0)
    {
      ClipperLib::Paths anArea = myAreas[anItem.Area];
      VexGeom_Polygons::Grow(anArea, theExtra);
      theShapes.insert(theShapes.end(), anArea.begin(), anArea.end());
      continue;
    }
    const double aRadius = anItem.Radius + theExtra;
    if (aRadius <= 0.0)
    {
      continue;
    }
    Pen&                       aPen   = aPens[VexGeom_Units::ToInt(aRadius)];
    const ClipperLib::IntPoint aStart = VexGeom_Units::ToPoint(anItem.Start);
    const bool                 isDisc = anItem.Start.IsEqual(anItem.End, 0.0);
    if (isDisc || aPen.Last != theItems[anIndex] - 1 || aPen.Lines.back().back() != aStart)
    {
      aPen.Lines.push_back(ClipperLib::Path(1, aStart));
    }
    aPen.Lines.back().push_back(VexGeom_Units::ToPoint(anItem.End));
    aPen.Last = isDisc ? -2 : theItems[anIndex];
    // A disc's hole shrinks as the disc grows; drawn the other way round it cancels the disc.
    if (anItem.Hole - theExtra > 0.0)
    {
      ClipperLib::Paths aHole;
      VexGeom_Polygons::Stroke(ClipperLib::Paths(1, ClipperLib::Path(1, aStart)),
                               anItem.Hole - theExtra, aHole);
      ClipperLib::ReversePaths(aHole);
      aHoles.insert(aHoles.end(), aHole.begin(), aHole.end());
    }
  }
  for (const auto& aPen : aPens)
  {
    VexGeom_Polygons::Stroke(aPen.second.Lines,
                             static_cast<double>(aPen.first) / VexGeom_Units::THE_SCALE, theShapes);
  }
  theShapes.insert(theShapes.end(), aHoles.begin(), aHoles.end());
}
