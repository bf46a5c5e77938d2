// Copyright (c) 2026 VexData developers
#ifndef _VexGeom_Polygons_HeaderFile
#define _VexGeom_Polygons_HeaderFile

#include <VexGeom_Budget.hxx>
#include <VexGeom_Contour.hxx>
#include <VexGeom_Units.hxx>

//! Work on areas and lines as polygons of the polygon library (integer units, see
//! VexGeom_Units): union, difference and intersection of areas filled by non-zero winding,
//! growing and shrinking an area, the stroke of open polylines with a round pen, and the parts of
//! open lines inside or outside an area. Results are normalised: outlines counter-clockwise,
//! holes clockwise, no overlaps. The operations that take a budget count their estimated work
//! first and do nothing when it refuses.
class VexGeom_Polygons
{
public:
  //! Replaces theResult by theSubject combined with theClip by theType (union, difference,
  //! intersection), both read by non-zero winding.
  Standard_EXPORT static void Combine(const ClipperLib::ClipType theType,
                                      const ClipperLib::Paths&   theSubject,
                                      const ClipperLib::Paths&   theClip,
                                      ClipperLib::Paths&         theResult);

  //! Combines like above once theBudget has paid for it; false (theResult untouched) when the
  //! budget refuses.
  Standard_EXPORT static Standard_Boolean Combine(const ClipperLib::ClipType theType,
                                                  const ClipperLib::Paths&   theSubject,
                                                  const ClipperLib::Paths&   theClip,
                                                  ClipperLib::Paths&         theResult,
                                                  VexGeom_Budget&            theBudget);

  //! Replaces thePolygons by the union of their non-zero-winding areas.
  Standard_EXPORT static void Normalise(ClipperLib::Paths& thePolygons);

  //! Replaces thePolygons (normalised) by the same area grown by theDistance (millimetres) with
  //! round corners within the chord tolerance; a negative distance shrinks it.
  Standard_EXPORT static void Grow(ClipperLib::Paths& thePolygons, const double theDistance);

  //! Appends to theResult the outline of every open polyline of theLines drawn with a round pen of
  //! theRadius (millimetres): round ends and joins. A polyline of one point gives a disc. Nothing
  //! is added when theRadius is not positive. Outlines run counter-clockwise.
  Standard_EXPORT static void Stroke(const ClipperLib::Paths& theLines, const double theRadius,
                                     ClipperLib::Paths& theResult);

  //! Appends to theResult the parts of the open polylines theLines inside (isInside) or outside
  //! the non-zero-winding area of thePolygons. A polyline lying wholly on one horizontal line is
  //! clipped with x and y swapped: the polygon library loses such a line when it crosses no
  //! polygon edge.
  Standard_EXPORT static void ClipLines(const ClipperLib::Paths& theLines,
                                        const ClipperLib::Paths& thePolygons,
                                        const Standard_Boolean   isInside,
                                        ClipperLib::Paths&       theResult);

  //! Returns the rectangle from theMin to theMax (integer units), counter-clockwise.
  Standard_EXPORT static ClipperLib::Path Rectangle(const ClipperLib::IntPoint& theMin,
                                                    const ClipperLib::IntPoint& theMax);

  //! Widens theMin-theMax (integer units) by every point of thePaths.
  Standard_EXPORT static void AddToBox(const ClipperLib::Paths& thePaths,
                                       ClipperLib::IntPoint& theMin, ClipperLib::IntPoint& theMax);

  //! Returns the length of the open polyline thePath, in millimetres.
  Standard_EXPORT static double Length(const ClipperLib::Path& thePath);

  //! Returns the signed area of thePolygons in square millimetres (holes count negative).
  Standard_EXPORT static double Area(const ClipperLib::Paths& thePolygons);

  //! Appends closed contours of segments made of thePaths (orientation kept) to theContours;
  //! paths of fewer than three points are left out.
  Standard_EXPORT static void ToContours(const ClipperLib::Paths&             thePaths,
                                         NCollection_Vector<VexGeom_Contour>& theContours);

  //! Returns the distance between the segments theA0-theA1 and theB0-theB1 (0 when they cross).
  Standard_EXPORT static double SegmentDistance(const gp_XY& theA0, const gp_XY& theA1,
                                                const gp_XY& theB0, const gp_XY& theB1);

  //! Returns the distance from thePoint to the segment theA0-theA1.
  Standard_EXPORT static double PointDistance(const gp_XY& thePoint, const gp_XY& theA0,
                                              const gp_XY& theA1);
};

#endif
