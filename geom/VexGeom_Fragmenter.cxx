// Copyright (c) 2026 VexData developers
#include <VexGeom_Fragmenter.hxx>

#include <VexGeom_Polygons.hxx>

#include <algorithm>
#include <cmath>

namespace
{
//! Returns true when thePart is theWindow itself (the area covers the window).
Standard_Boolean isWhole(const ClipperLib::Paths& thePart, const ClipperLib::Path& theWindow)
{
  // A part with a hole or a notch has less area; rounding of the clip keeps it within a unit.
  return thePart.size() == 1 &&
         std::fabs(ClipperLib::Area(thePart.front()) - ClipperLib::Area(theWindow)) < 1.0;
}
} // namespace

ClipperLib::Path VexGeom_Fragmenter::window(const Standard_Integer theX0,
                                            const Standard_Integer theY0,
                                            const Standard_Integer theX1,
                                            const Standard_Integer theY1) const
{
  gp_XY aMin, aMax;
  myGrid.TileBox(theX0, theY0, theX1, theY1, aMin, aMax);
  const gp_XY aMargin(myMargin, myMargin);
  return VexGeom_Polygons::Rectangle(VexGeom_Units::ToPoint(aMin - aMargin),
                                     VexGeom_Units::ToPoint(aMax + aMargin));
}

void VexGeom_Fragmenter::Split(const ClipperLib::Paths& thePolygons, const Visitor& theVisit) const
{
  if (thePolygons.empty())
  {
    return;
  }
  // Start from the tiles the area's box touches.
  ClipperLib::IntPoint aMin = thePolygons.front().front(), aMax = aMin;
  VexGeom_Polygons::AddToBox(thePolygons, aMin, aMax);
  const gp_XY            aLow   = VexGeom_Units::ToXY(aMin) - gp_XY(myMargin, myMargin);
  const gp_XY            aHigh  = VexGeom_Units::ToXY(aMax) + gp_XY(myMargin, myMargin);
  const Standard_Integer aFirst = myGrid.Tile(aLow), aLast = myGrid.Tile(aHigh);
  const Standard_Integer aNbX = myGrid.NbTilesX();
  // The window of those tiles holds the whole area: nothing to clip yet.
  ClipperLib::Paths aPart = thePolygons;
  split(aPart, aFirst % aNbX, aFirst / aNbX, aLast % aNbX, aLast / aNbX, theVisit);
}

void VexGeom_Fragmenter::split(ClipperLib::Paths& thePart, const Standard_Integer theX0,
                               const Standard_Integer theY0, const Standard_Integer theX1,
                               const Standard_Integer theY1, const Visitor& theVisit) const
{
  if (thePart.empty())
  {
    return;
  }
  const ClipperLib::Path aWindow = window(theX0, theY0, theX1, theY1);
  if (theX0 == theX1 && theY0 == theY1)
  {
    theVisit(theY0 * myGrid.NbTilesX() + theX0, thePart, isWhole(thePart, aWindow));
    return;
  }
  if (isWhole(thePart, aWindow))
  {
    for (Standard_Integer aY = theY0; aY <= theY1; ++aY)
    {
      for (Standard_Integer anX = theX0; anX <= theX1; ++anX)
      {
        ClipperLib::Paths aWhole(1, window(anX, aY, anX, aY));
        theVisit(aY * myGrid.NbTilesX() + anX, aWhole, Standard_True);
      }
    }
    return;
  }
  // Halve the longer side and clip each half from this part.
  const Standard_Boolean isAlongX      = theX1 - theX0 >= theY1 - theY0;
  const Standard_Integer aMiddle       = isAlongX ? (theX0 + theX1) / 2 : (theY0 + theY1) / 2;
  const Standard_Integer aHalves[2][4] = {
      {theX0, theY0, isAlongX ? aMiddle : theX1, isAlongX ? theY1 : aMiddle},
      {isAlongX ? aMiddle + 1 : theX0, isAlongX ? theY0 : aMiddle + 1, theX1, theY1}};
  for (const auto& aHalf : aHalves)
  {
    ClipperLib::Paths aPart;
    VexGeom_Polygons::Combine(ClipperLib::ctIntersection, thePart,
                              ClipperLib::Paths(1, window(aHalf[0], aHalf[1], aHalf[2], aHalf[3])),
                              aPart);
    split(aPart, aHalf[0], aHalf[1], aHalf[2], aHalf[3], theVisit);
  }
}
