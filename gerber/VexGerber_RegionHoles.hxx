// Copyright (c) 2026 VexData developers
#ifndef _VexGerber_RegionHoles_HeaderFile
#define _VexGerber_RegionHoles_HeaderFile

#include <VexGeom_Contour.hxx>

#include <PhGeom_Curve.hxx>

#include <vector>

//! The contours of an area sequence as the Gerber writer makes regions of them: every hole
//! (a clockwise contour) goes with the outline that holds it, the outline just before it when it
//! does (the usual order of an aperture's outline and its hole), else the smallest that does; a
//! hole that nothing holds fills by itself. Containment is tested on the outlines flattened.
class VexGerber_RegionHoles
{
public:
  //! What is kept of a contour while holes are matched to outlines.
  struct Item
  {
    const PhGeom_Curve* Curve;     //!< the contour
    Standard_Real       Area;      //!< signed area (model unit)
    Standard_Real       Box[4];    //!< box of an outline's flattened contour: x, y min; x, y max
    Standard_Integer    FirstHole; //!< first hole written with it (itself for a lone hole), -1
    Standard_Integer    LastHole;  //!< last such hole, -1 none
    Standard_Integer    NextHole;  //!< for a hole, the next hole of its outline, -1 none

    //! Creates an item without holes.
    Item() : Curve(NULL), Area(0.0), Box(), FirstHole(-1), LastHole(-1), NextHole(-1) {}
  };

  //! Makes theContour the outline of theCurve (model unit), closed as an area outline is.
  Standard_EXPORT static void ToContour(const PhGeom_Curve& theCurve, VexGeom_Contour& theContour);

  //! Takes the contours of theContainer (its children, empty ones left out) and matches every
  //! hole to the outline that holds it.
  Standard_EXPORT void Match(const PhGeom_Curve& theContainer);

  //! Returns the contours of the last Match, in order; an outline lists its holes from FirstHole
  //! through NextHole.
  const std::vector<Item>& Items() const { return myItems; }

private:
  //! Sets the box of theItem to that of the flattened contour in myPolygon.
  void setBox(Item& theItem) const;

  //! Gives every hole to the outline that holds it (or to itself when none does).
  void matchHoles();

  //! Returns the outline that holds hole theHole: theLastOuter, the last outline
  //! before it, when it does, else the smallest that does; -1 when none does.
  Standard_Integer containerOf(const Standard_Integer theHole, const Standard_Integer theLastOuter);

  //! Returns true when thePoint lies inside outline theOuter, flattened.
  Standard_Boolean holds(const Standard_Integer theOuter, const gp_XY& thePoint);

  std::vector<Item>  myItems;   //!< contours of the last Match
  VexGeom_Contour    myContour; //!< a contour being tested (memory reused)
  std::vector<gp_XY> myPolygon; //!< an outline flattened (memory reused)
};

#endif
