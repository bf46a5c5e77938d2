// Copyright (c) 2026 VexData developers
#include <VexGerber_RegionHoles.hxx>

#include <cmath>

namespace
{
//! Distance under which two points of a contour are the same point (model unit).
const Standard_Real THE_SAME_POINT = 1.0e-9;

//! Makes thePolygon theContour with each arc flattened into sixteen chords.
void flatten(const VexGeom_Contour& theContour, std::vector<gp_XY>& thePolygon)
{
  thePolygon.clear();
  thePolygon.push_back(theContour.Start());
  for (Standard_Integer anIndex = 0; anIndex < theContour.NbEdges(); ++anIndex)
  {
    const VexGeom_Edge& anEdge = theContour.Edge(anIndex);
    if (anEdge.Type != VexGeom_Edge::Kind_Segment)
    {
      const gp_XY         aRadius = theContour.EdgeStart(anIndex) - anEdge.Center;
      const Standard_Real aSweep  = theContour.ArcSweep(anIndex);
      const Standard_Real aStart  = std::atan2(aRadius.Y(), aRadius.X());
      for (int aStep = 1; aStep < 16; ++aStep)
      {
        const Standard_Real anAngle = aStart + aSweep * aStep / 16.0;
        thePolygon.push_back(anEdge.Center +
                             aRadius.Modulus() * gp_XY(std::cos(anAngle), std::sin(anAngle)));
      }
    }
    thePolygon.push_back(anEdge.End);
  }
}

//! Returns true when thePoint lies inside thePolygon (even-odd crossing).
bool contains(const std::vector<gp_XY>& thePolygon, const gp_XY& thePoint)
{
  bool isInside = false;
  for (size_t anIndex = 1; anIndex < thePolygon.size(); ++anIndex)
  {
    const gp_XY& aFrom = thePolygon[anIndex - 1];
    const gp_XY& aTo   = thePolygon[anIndex];
    if ((aFrom.Y() > thePoint.Y()) != (aTo.Y() > thePoint.Y()))
    {
      const Standard_Real aX =
          aFrom.X() + (thePoint.Y() - aFrom.Y()) * (aTo.X() - aFrom.X()) / (aTo.Y() - aFrom.Y());
      isInside = aX > thePoint.X() ? !isInside : isInside;
    }
  }
  return isInside;
}

} // namespace

void VexGerber_RegionHoles::ToContour(const PhGeom_Curve& theCurve, VexGeom_Contour& theContour)
{
  theContour.Reset(theCurve.FirstElement()->StartPoint());
  for (PhGeom_Curve::ElementIterator anIter(theCurve); anIter.More(); anIter.Next())
  {
    const PhGeom_Element& anElement = anIter.Value();
    if (anElement.Kind() == PhGeom_Element::Kind_Arc)
    {
      const PhGeom_Arc& anArc = static_cast<const PhGeom_Arc&>(anElement);
      theContour.AddArc(anArc.EndPoint(), anArc.Center(), anArc.Sense() == 1);
    }
    else if (anElement.Kind() == PhGeom_Element::Kind_Segment)
    {
      theContour.AddSegment(anElement.EndPoint());
    }
  }
  if (theContour.NbEdges() > 0 && !theContour.IsClosed(THE_SAME_POINT))
  {
    theContour.AddSegment(theContour.Start()); // an area outline is closed
  }
}

void VexGerber_RegionHoles::Match(const PhGeom_Curve& theContainer)
{
  // What is kept of each contour until the holes are matched: its curve, area and box.
  myItems.clear();
  for (NCollection_List<Handle(PhGeom_Curve)>::Iterator anIter(theContainer.Children());
       anIter.More(); anIter.Next())
  {
    if (anIter.Value()->NbElements() == 0)
    {
      continue;
    }
    ToContour(*anIter.Value(), myContour);
    Item anItem;
    anItem.Curve = anIter.Value().get();
    anItem.Area  = myContour.SignedArea();
    if (anItem.Area > 0.0)
    {
      flatten(myContour, myPolygon);
      setBox(anItem);
    }
    myItems.push_back(anItem);
  }
  matchHoles();
}

void VexGerber_RegionHoles::setBox(Item& theItem) const
{
  theItem.Box[0] = theItem.Box[1] = RealLast();
  theItem.Box[2] = theItem.Box[3] = RealFirst();
  for (const gp_XY& aPoint : myPolygon)
  {
    theItem.Box[0] = Min(theItem.Box[0], aPoint.X());
    theItem.Box[1] = Min(theItem.Box[1], aPoint.Y());
    theItem.Box[2] = Max(theItem.Box[2], aPoint.X());
    theItem.Box[3] = Max(theItem.Box[3], aPoint.Y());
  }
}

void VexGerber_RegionHoles::matchHoles()
{
  // Holes go with the outline that holds them; a hole that nothing holds fills by itself. Each
  // outline lists its holes through the items, in order, so that no list is allocated.
  Standard_Integer aLastOuter = -1;
  for (Standard_Integer anIndex = 0; anIndex < static_cast<Standard_Integer>(myItems.size());
       ++anIndex)
  {
    if (myItems[anIndex].Area > 0.0)
    {
      aLastOuter = anIndex;
      continue;
    }
    if (myItems[anIndex].Area == 0.0)
    {
      continue;
    }
    const Standard_Integer anOuter = containerOf(anIndex, aLastOuter);
    Item&                  aHolder = myItems[anOuter >= 0 ? anOuter : anIndex];
    if (aHolder.FirstHole < 0)
    {
      aHolder.FirstHole = anIndex;
    }
    else
    {
      myItems[aHolder.LastHole].NextHole = anIndex;
    }
    aHolder.LastHole = anIndex;
  }
}

Standard_Boolean VexGerber_RegionHoles::holds(const Standard_Integer theOuter,
                                              const gp_XY&           thePoint)
{
  const Item& anOuter = myItems[theOuter];
  if (thePoint.X() < anOuter.Box[0] || thePoint.X() > anOuter.Box[2] ||
      thePoint.Y() < anOuter.Box[1] || thePoint.Y() > anOuter.Box[3])
  {
    return Standard_False;
  }
  ToContour(*anOuter.Curve, myContour);
  flatten(myContour, myPolygon);
  return contains(myPolygon, thePoint);
}

Standard_Integer VexGerber_RegionHoles::containerOf(const Standard_Integer theHole,
                                                    const Standard_Integer theLastOuter)
{
  // The outline just before the hole when it holds it (the usual order of an aperture's
  // outline and its hole), else the smallest one that does.
  const gp_XY aPoint = myItems[theHole].Curve->FirstElement()->StartPoint();
  if (theLastOuter >= 0 && holds(theLastOuter, aPoint))
  {
    return theLastOuter;
  }
  Standard_Integer aBest = -1;
  for (Standard_Integer anIndex = 0; anIndex < static_cast<Standard_Integer>(myItems.size());
       ++anIndex)
  {
    const Item& anItem = myItems[anIndex];
    if (anItem.Area > 0.0 && (aBest < 0 || anItem.Area < myItems[aBest].Area) &&
        holds(anIndex, aPoint))
    {
      aBest = anIndex;
    }
  }
  return aBest;
}
