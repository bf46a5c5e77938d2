// Copyright (c) 2026 VexData developers
#ifndef _VexJob_TestBoard_HeaderFile
#define _VexJob_TestBoard_HeaderFile

#include <VexVerify_TestModel.hxx>

#include <VexJob_Contour.hxx>
#include <VexJob_Copper.hxx>

#include <VexGeom_Units.hxx>
#include <VexGeom_Polygons.hxx>

#include <algorithm>
#include <cmath>

//! Copper and paths for the job's tests, built in memory.
class VexJob_TestBoard
{
public:
  //! Returns the copper of theDesign.
  static ClipperLib::Paths Copper(const VexVerify_TestModel& theDesign)
  {
    ClipperLib::Paths aCopper;
    VexJob_Copper::Build(*theDesign.Model(), aCopper);
    return aCopper;
  }

  //! Returns the distance from thePoint to the boundary of thePolygons (millimetres), negative
  //! when it lies inside them.
  static double SignedDistance(const gp_XY& thePoint, const ClipperLib::Paths& thePolygons)
  {
    double aDistance = HUGE_VAL;
    int    aWinding  = 0;
    for (const ClipperLib::Path& aPath : thePolygons)
    {
      for (size_t anIndex = 0; anIndex < aPath.size(); ++anIndex)
      {
        aDistance =
            std::min(aDistance, VexGeom_Polygons::PointDistance(
                                    thePoint, VexGeom_Units::ToXY(aPath[anIndex]),
                                    VexGeom_Units::ToXY(aPath[(anIndex + 1) % aPath.size()])));
      }
      aWinding += ClipperLib::PointInPolygon(VexGeom_Units::ToPoint(thePoint), aPath) != 0
                      ? (ClipperLib::Orientation(aPath) ? 1 : -1)
                      : 0;
    }
    return aWinding > 0 ? -aDistance : aDistance;
  }

  //! Returns the least signed distance of points every theStep along theContours to thePolygons.
  static double Clearance(const std::vector<VexJob_Contour>& theContours,
                          const ClipperLib::Paths& thePolygons, const double theStep = 0.05)
  {
    double aLeast = HUGE_VAL;
    for (const VexJob_Contour& aContour : theContours)
    {
      for (const VexJob_Element& anElement : aContour.Elements())
      {
        for (double aLength = 0.0; aLength <= anElement.Length(); aLength += theStep)
        {
          aLeast = std::min(aLeast, SignedDistance(anElement.PointAt(aLength), thePolygons));
        }
      }
    }
    return aLeast;
  }

  //! Returns twice the signed area of theContour's element ends (positive counter-clockwise).
  static double Turn(const VexJob_Contour& theContour)
  {
    double anArea = 0.0;
    for (const VexJob_Element& anElement : theContour.Elements())
    {
      const gp_XY aMiddle = anElement.PointAt(0.5 * anElement.Length());
      anArea += anElement.Start.Crossed(aMiddle) + aMiddle.Crossed(anElement.End);
    }
    return anArea;
  }
};

#endif
