// Copyright (c) 2026 VexData developers
#include <VexVerify_CopperIndex.hxx>

#include <VexVerify_Features.hxx>
#include <VexVerify_Fragmenter.hxx>
#include <VexVerify_Geometry.hxx>

#include <algorithm>
#include <map>

namespace
{
//! Most vertices of an area kept whole however many tiles it spans: the work of a tile is then
//! still small, and cutting it would cost more than it saves.
const size_t THE_WHOLE_AREA = 1024;

//! Margin added to every distance test: the chords of the job and of the design may each lie a
//! chord tolerance inside their arcs, and integer rounding moves points by half a unit.
Standard_Real slack()
{
  return 2.0 * VexVerify_Geometry::ChordTolerance() + 2.0 / VexVerify_Geometry::Scale();
}

//! Widens theMin-theMax by thePoint grown by theRadius.
void widen(const gp_XY& thePoint, const Standard_Real theRadius, gp_XY& theMin, gp_XY& theMax)
{
  theMin.SetCoord(std::min(theMin.X(), thePoint.X() - theRadius),
                  std::min(theMin.Y(), thePoint.Y() - theRadius));
  theMax.SetCoord(std::max(theMax.X(), thePoint.X() + theRadius),
                  std::max(theMax.Y(), thePoint.Y() + theRadius));
}

//! Returns the sequence of theObject when it draws something, else a null handle.
Handle(PenFormatData_Sequence) drawing(const Handle(PenFormatData_Object) & theObject)
{
  const Handle(PenFormatData_Sequence) aSequence =
      Handle(PenFormatData_Sequence)::DownCast(theObject);
  if (aSequence.IsNull() ||
      VexVerify_Features::Classify(*aSequence) == VexVerify_Features::Kind_None)
  {
    return Handle(PenFormatData_Sequence)();
  }
  return aSequence;
}
} // namespace

VexVerify_CopperIndex::VexVerify_CopperIndex(const VexVerify_Grid& theGrid)
    : myGrid(theGrid), myStamp(0), isClear(Standard_False), myNbFeatures(0)
{
}

void VexVerify_CopperIndex::Survey(const PenFormatData_Model& theDesign, gp_XY& theMin,
                                   gp_XY& theMax, size_t& theNbElements)
{
  const Standard_Real aFactor = VexVerify_Features::UnitFactor(theDesign);
  for (NCollection_List<Handle(PenFormatData_Object)>::Iterator anIt(theDesign.Objects());
       anIt.More(); anIt.Next())
  {
    const Handle(PenFormatData_Sequence) aSequence = drawing(anIt.Value());
    if (aSequence.IsNull())
    {
      continue;
    }
    const Standard_Real aRadius =
        0.5 *
        std::fabs(VexVerify_Features::Width(theDesign, aSequence->ApertureNumber()) * aFactor);
    for (NCollection_List<Handle(PhGeom_Curve)>::Iterator aContour(
             aSequence->GetCurve()->Children());
         aContour.More(); aContour.Next())
    {
      if (aContour.Value().IsNull())
      {
        continue;
      }
      for (PhGeom_Curve::ElementIterator anElement(*aContour.Value()); anElement.More();
           anElement.Next())
      {
        const PhGeom_Element& aValue = anElement.Value();
        ++theNbElements;
        widen(aValue.StartPoint() * aFactor, aRadius, theMin, theMax);
        widen(aValue.EndPoint() * aFactor, aRadius, theMin, theMax);
        if (aValue.Kind() == PhGeom_Element::Kind_Arc)
        {
          const PhGeom_Arc& anArc = static_cast<const PhGeom_Arc&>(aValue);
          widen(anArc.Center() * aFactor, std::fabs(anArc.Radius() * aFactor) + aRadius, theMin,
                theMax);
        }
      }
    }
  }
}

void VexVerify_CopperIndex::Build(const PenFormatData_Model& theDesign, const size_t theNbElements,
                                  const Standard_Real theMargin)
{
  myItems.reserve(theNbElements);
  const Standard_Real aFactor = VexVerify_Features::UnitFactor(theDesign);
  for (NCollection_List<Handle(PenFormatData_Object)>::Iterator anIt(theDesign.Objects());
       anIt.More(); anIt.Next())
  {
    const Handle(PenFormatData_Sequence) aSequence = drawing(anIt.Value());
    if (aSequence.IsNull())
    {
      continue;
    }
    isClear = aSequence->IsClear();
    if (aSequence->IsArea())
    {
      addArea(*aSequence->GetCurve(), aFactor, theMargin);
      continue;
    }
    const Standard_Integer anAperture = aSequence->ApertureNumber();
    const Standard_Real aRadius = 0.5 * VexVerify_Features::Width(theDesign, anAperture) * aFactor;
    const Standard_Real aHole =
        0.5 * VexVerify_Features::HoleWidth(theDesign, anAperture) * aFactor;
    for (NCollection_List<Handle(PhGeom_Curve)>::Iterator aContour(
             aSequence->GetCurve()->Children());
         aContour.More(); aContour.Next())
    {
      if (!aContour.Value().IsNull() && aRadius > 0.0)
      {
        addStrokes(*aContour.Value(), aFactor, aRadius, aHole);
      }
    }
  }
  fileItems();
}

void VexVerify_CopperIndex::addStrokes(const PhGeom_Curve& theContour,
                                       const Standard_Real theFactor, const Standard_Real theRadius,
                                       const Standard_Real theHole)
{
  std::vector<gp_XY> aChords;
  for (PhGeom_Curve::ElementIterator anIt(theContour); anIt.More(); anIt.Next())
  {
    const PhGeom_Element& anElement = anIt.Value();
    ++myNbFeatures;
    const gp_XY aStart = anElement.StartPoint() * theFactor;
    if (anElement.Kind() == PhGeom_Element::Kind_Point)
    {
      myItems.push_back(Item{aStart, aStart, theRadius, std::max(0.0, theHole), -1, -1, isClear});
    }
    else if (anElement.Kind() == PhGeom_Element::Kind_Segment)
    {
      addStroke(aStart, anElement.EndPoint() * theFactor, theRadius);
    }
    else
    {
      aChords.assign(1, aStart);
      VexVerify_Geometry::FlattenArc(static_cast<const PhGeom_Arc&>(anElement), theFactor, aChords);
      for (size_t anIndex = 1; anIndex < aChords.size(); ++anIndex)
      {
        addStroke(aChords[anIndex - 1], aChords[anIndex], theRadius);
      }
    }
  }
}

void VexVerify_CopperIndex::addStroke(const gp_XY& theStart, const gp_XY& theEnd,
                                      const Standard_Real theRadius)
{
  const gp_XY            aSpan = theEnd - theStart;
  const Standard_Integer aParts =
      static_cast<Standard_Integer>(std::max(1.0, std::ceil(aSpan.Modulus() / myGrid.CellSize())));
  gp_XY aFrom = theStart;
  for (Standard_Integer aPart = 1; aPart <= aParts; ++aPart)
  {
    const gp_XY aTo = aPart == aParts ? theEnd : theStart + aSpan * (Standard_Real(aPart) / aParts);
    myItems.push_back(Item{aFrom, aTo, theRadius, 0.0, -1, -1, isClear});
    aFrom = aTo;
  }
}

void VexVerify_CopperIndex::addArea(const PhGeom_Curve& theCurve, const Standard_Real theFactor,
                                    const Standard_Real theMargin)
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
    VexVerify_Features::Outline(*aContour.Value(), theFactor, aPoints);
    ClipperLib::Path aPath;
    for (const gp_XY& aPoint : aPoints)
    {
      aPath.push_back(VexVerify_Geometry::ToInt(aPoint));
    }
    anArea.push_back(aPath);
  }
  VexVerify_Geometry::Normalise(anArea);
  if (anArea.empty())
  {
    return;
  }
  // A small area stays whole; a large one (a pour) is cut so that no tile's work holds all of it.
  ClipperLib::IntPoint aMin = anArea.front().front(), aMax = aMin;
  size_t               aVertices = 0;
  for (const ClipperLib::Path& aPath : anArea)
  {
    aVertices += aPath.size();
    for (const ClipperLib::IntPoint& aPoint : aPath)
    {
      aMin.X = std::min(aMin.X, aPoint.X), aMin.Y = std::min(aMin.Y, aPoint.Y);
      aMax.X = std::max(aMax.X, aPoint.X), aMax.Y = std::max(aMax.Y, aPoint.Y);
    }
  }
  if (aVertices <= THE_WHOLE_AREA ||
      myGrid.Tile(VexVerify_Geometry::ToXY(aMin)) == myGrid.Tile(VexVerify_Geometry::ToXY(aMax)))
  {
    addAreaItem(anArea, -1);
    return;
  }
  const VexVerify_Fragmenter aFragmenter(myGrid, theMargin);
  aFragmenter.Split(anArea, [this](Standard_Integer theTile, ClipperLib::Paths& thePart,
                                   Standard_Boolean) { addAreaItem(thePart, theTile); });
}

void VexVerify_CopperIndex::addAreaItem(ClipperLib::Paths& theArea, const Standard_Integer theTile)
{
  if (theArea.empty())
  {
    return;
  }
  ClipperLib::IntPoint aMin = theArea.front().front(), aMax = aMin;
  for (const ClipperLib::Path& aPath : theArea)
  {
    for (const ClipperLib::IntPoint& aPoint : aPath)
    {
      aMin.X = std::min(aMin.X, aPoint.X), aMin.Y = std::min(aMin.Y, aPoint.Y);
      aMax.X = std::max(aMax.X, aPoint.X), aMax.Y = std::max(aMax.Y, aPoint.Y);
    }
  }
  myItems.push_back(Item{VexVerify_Geometry::ToXY(aMin), VexVerify_Geometry::ToXY(aMax), 0.0, 0.0,
                         static_cast<Standard_Integer>(myAreas.size()), theTile, isClear});
  myAreas.emplace_back();
  myAreas.back().swap(theArea);
}

void VexVerify_CopperIndex::fileItems()
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

Standard_Boolean VexVerify_CopperIndex::Near(const gp_XY& theStart, const gp_XY& theEnd,
                                             const Standard_Real            theExtra,
                                             const Standard_Integer         theTile,
                                             std::vector<Standard_Integer>& theItems)
{
  if (++myStamp == 0)
  {
    std::fill(myStamps.begin(), myStamps.end(), 0);
    myStamp = 1;
  }
  const Standard_Real aReach = std::max(theExtra, 0.0) + slack();
  const gp_XY         aMin(std::min(theStart.X(), theEnd.X()) - aReach,
                           std::min(theStart.Y(), theEnd.Y()) - aReach);
  const gp_XY         aMax(std::max(theStart.X(), theEnd.X()) + aReach,
                           std::max(theStart.Y(), theEnd.Y()) + aReach);
  Standard_Boolean    isDark = Standard_False;
  for (Standard_Integer aRow = myGrid.Row(aMin.Y()); aRow <= myGrid.Row(aMax.Y()); ++aRow)
  {
    const Standard_Integer aFirst = myGrid.Cell(myGrid.Column(aMin.X()), aRow);
    const Standard_Integer aLast  = myGrid.Cell(myGrid.Column(aMax.X()), aRow);
    for (uint32_t anEntry = myCellStart[aFirst]; anEntry < myCellStart[aLast + 1]; ++anEntry)
    {
      const uint32_t anIndex = myCellItems[anEntry];
      if (myStamps[anIndex] == myStamp)
      {
        continue;
      }
      myStamps[anIndex]       = myStamp;
      const Item&      anItem = myItems[anIndex];
      Standard_Boolean isNear = Standard_False;
      if (anItem.Tile >= 0 && anItem.Tile != theTile)
      {
        continue;
      }
      if (anItem.Area >= 0)
      {
        isNear = anItem.Start.X() <= aMax.X() && anItem.End.X() >= aMin.X() &&
                 anItem.Start.Y() <= aMax.Y() && anItem.End.Y() >= aMin.Y();
      }
      else
      {
        const Standard_Real aReachOf = anItem.Radius + theExtra + slack();
        isNear                       = aReachOf > 0.0 && VexVerify_Geometry::SegmentDistance(
                                                             theStart, theEnd, anItem.Start, anItem.End) < aReachOf;
      }
      if (isNear)
      {
        theItems.push_back(static_cast<Standard_Integer>(anIndex));
        isDark = isDark || !anItem.Clear;
      }
    }
  }
  return isDark;
}

Standard_Boolean VexVerify_CopperIndex::Covers(const gp_XY& theStart, const gp_XY& theEnd,
                                               const Standard_Real     theExtra,
                                               const Standard_Integer* theItems,
                                               const size_t            theCount) const
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
    const Standard_Real aReach = anItem.Radius + theExtra - slack();
    isCovered                  = isCovered ||
                (anItem.Area < 0 && anItem.Hole <= 0.0 && aReach > 0.0 &&
                 VexVerify_Geometry::PointDistance(theStart, anItem.Start, anItem.End) < aReach &&
                 VexVerify_Geometry::PointDistance(theEnd, anItem.Start, anItem.End) < aReach);
  }
  return isCovered;
}

void VexVerify_CopperIndex::Copper(std::vector<Standard_Integer>& theItems,
                                   const Standard_Real theExtra, ClipperLib::Paths& theCopper) const
{
  std::sort(theItems.begin(), theItems.end());
  theItems.erase(std::unique(theItems.begin(), theItems.end()), theItems.end());
  // Items of one sequence are filed together, so their indexes follow the object order.
  theCopper.clear();
  const Standard_Boolean hasClear =
      std::any_of(theItems.begin(), theItems.end(),
                  [this](Standard_Integer theItem) { return myItems[theItem].Clear; });
  if (!hasClear)
  {
    // Growing a union is the union of the grown shapes: grow each and let the winding rule unite.
    shapes(theItems, 0, theItems.size(), theExtra, theCopper);
    return;
  }
  // With clear features the copper must be built in order before it is grown.
  size_t aFirst = 0;
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
    ClipperLib::Clipper aClipper;
    aClipper.AddPaths(theCopper, ClipperLib::ptSubject, true);
    aClipper.AddPaths(aShapes, ClipperLib::ptClip, true);
    aClipper.Execute(isClearRun ? ClipperLib::ctDifference : ClipperLib::ctUnion, theCopper,
                     ClipperLib::pftNonZero, ClipperLib::pftNonZero);
    aFirst = aLast;
  }
  VexVerify_Geometry::Grow(theCopper, theExtra);
}

void VexVerify_CopperIndex::shapes(const std::vector<Standard_Integer>& theItems,
                                   const size_t theFirst, const size_t theLast,
                                   const Standard_Real theExtra, ClipperLib::Paths& theShapes) const
{
  // Strokes and discs of one grown radius are drawn by one offset run.
  std::map<ClipperLib::cInt, ClipperLib::Paths> aPens;
  ClipperLib::Paths                             aHoles;
  for (size_t anIndex = theFirst; anIndex < theLast; ++anIndex)
  {
    const Item& anItem = myItems[theItems[anIndex]];
    if (anItem.Area >= 0)
    {
      ClipperLib::Paths anArea = myAreas[anItem.Area];
      VexVerify_Geometry::Grow(anArea, theExtra);
      theShapes.insert(theShapes.end(), anArea.begin(), anArea.end());
      continue;
    }
    const Standard_Real aRadius = anItem.Radius + theExtra;
    if (aRadius <= 0.0)
    {
      continue;
    }
    ClipperLib::Path aLine(1, VexVerify_Geometry::ToInt(anItem.Start));
    aLine.push_back(VexVerify_Geometry::ToInt(anItem.End));
    aPens[VexVerify_Geometry::ToInt(aRadius)].push_back(aLine);
    // A disc's hole shrinks as the disc grows; drawn the other way round it cancels the disc.
    if (anItem.Hole - theExtra > 0.0)
    {
      ClipperLib::Paths aHole;
      VexVerify_Geometry::Stroke(ClipperLib::Paths(1, ClipperLib::Path(1, aLine.front())),
                                 anItem.Hole - theExtra, aHole);
      ClipperLib::ReversePaths(aHole);
      aHoles.insert(aHoles.end(), aHole.begin(), aHole.end());
    }
  }
  for (const auto& aPen : aPens)
  {
    VexVerify_Geometry::Stroke(aPen.second,
                               static_cast<Standard_Real>(aPen.first) / VexVerify_Geometry::Scale(),
                               theShapes);
  }
  theShapes.insert(theShapes.end(), aHoles.begin(), aHoles.end());
}
