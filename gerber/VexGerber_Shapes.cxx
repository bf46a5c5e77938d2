// Copyright (c) 2026 VexData developers
#include <VexGerber_Shapes.hxx>

#include <VexGerber_MacroShape.hxx>

namespace
{
//! Returns the index of the first hole parameter of a standard aperture of theKind; -1 for the
//! others.
Standard_Integer firstHole(const VexGerber_Aperture::Kind theKind)
{
  switch (theKind)
  {
  case VexGerber_Aperture::Kind_Circle:
    return 1;
  case VexGerber_Aperture::Kind_Rectangle:
  case VexGerber_Aperture::Kind_Obround:
    return 2;
  case VexGerber_Aperture::Kind_Polygon:
    return 3;
  default:
    return -1;
  }
}

//! Returns theShape with a rectangular hole of theWidth by theHeight at its centre (old files
//! give such a hole by its two sides).
VexGeom_Shape withRectangularHole(const VexGeom_Shape& theShape, const Standard_Real theWidth,
                                  const Standard_Real theHeight)
{
  if (theShape.IsEmpty())
  {
    return theShape; // nothing to make a hole in
  }
  NCollection_Vector<VexGeom_Contour> aContours = theShape.Contours();
  const Standard_Integer              aCount    = aContours.Length();
  VexGeom_Shape::Rectangle(theWidth, theHeight, 0.0).Place(gp_XY(0.0, 0.0), aContours);
  if (aContours.Length() > aCount)
  {
    aContours.ChangeLast().Reverse();
  }
  return VexGeom_Shape::Outline(aContours);
}
} // namespace

VexGerber_Shapes::VexGerber_Shapes(const VexGerber_Limits& theLimits, VexPcb_Fault& theFault,
                                   const size_t theSize)
    : myLimits(theLimits), myFault(theFault),
      myBudget(theLimits.FlattenedSegments,
               theLimits.PolygonWork + theLimits.PolygonWorkPerByte * static_cast<double>(theSize)),
      myFlattener(myBudget), mySweep(myFlattener)
{
}

Standard_Boolean VexGerber_Shapes::refused()
{
  if (myBudget.Reached() == VexGeom_Budget::Limit_Segments)
  {
    return myFault.Fail(
        VexPcb_Fault("VEX_GERBER_LIMIT_FLATTENED_SEGMENTS").Arg(myLimits.FlattenedSegments));
  }
  return myFault.Fail(
      VexPcb_Fault("VEX_GERBER_LIMIT_POLYGON_WORK").Arg(myBudget.WorkLimitMillions()));
}

Standard_Boolean VexGerber_Shapes::prepare(VexGerber_Aperture& theAperture)
{
  if (theAperture.HasShape())
  {
    return Standard_True;
  }
  // A hole given by two sides is rectangular; by one, round.
  const Standard_Integer aFirstHole = firstHole(theAperture.GetKind());
  const Standard_Boolean isRectangular =
      aFirstHole > 0 && theAperture.Params().Length() > aFirstHole + 1;
  const Standard_Real aRound =
      isRectangular || aFirstHole < 0 ? 0.0 : theAperture.Param(aFirstHole);
  VexGeom_Shape aShape;
  switch (theAperture.GetKind())
  {
  case VexGerber_Aperture::Kind_Circle:
    aShape = VexGeom_Shape::Circle(theAperture.Param(0), aRound);
    break;
  case VexGerber_Aperture::Kind_Rectangle:
    aShape = VexGeom_Shape::Rectangle(theAperture.Param(0), theAperture.Param(1), aRound);
    break;
  case VexGerber_Aperture::Kind_Obround:
    aShape = VexGeom_Shape::Obround(theAperture.Param(0), theAperture.Param(1), aRound);
    break;
  case VexGerber_Aperture::Kind_Polygon:
    aShape = VexGeom_Shape::Polygon(theAperture.Param(0),
                                    static_cast<Standard_Integer>(theAperture.Param(1)),
                                    theAperture.Param(2), aRound);
    break;
  case VexGerber_Aperture::Kind_Macro:
    if (!VexGerber_MacroShape(myLimits, myFault, myFlattener).Build(theAperture, aShape))
    {
      return myFault.IsSet() ? Standard_False : refused();
    }
    break;
  case VexGerber_Aperture::Kind_Block:
    break; // placed object by object, never as one shape
  }
  if (isRectangular)
  {
    aShape = withRectangularHole(aShape, theAperture.Param(aFirstHole),
                                 theAperture.Param(aFirstHole + 1));
  }
  theAperture.SetShape(aShape);
  return Standard_True;
}

Standard_Boolean VexGerber_Shapes::Flash(VexGerber_Aperture&                theAperture,
                                         const VexGerber_ApertureTransform& theTransform,
                                         const gp_XY&                       thePoint,
                                         std::vector<VexGeom_Contour>&      theContours)
{
  if (!prepare(theAperture))
  {
    return Standard_False;
  }
  theAperture.Shape().PlaceInto(theTransform.Matrix(), thePoint, theContours);
  return Standard_True;
}

Standard_Boolean VexGerber_Shapes::Sweep(VexGerber_Aperture&                  theAperture,
                                         const VexGerber_ApertureTransform&   theTransform,
                                         const VexGeom_Contour&               thePath,
                                         NCollection_Vector<VexGeom_Contour>& theContours)
{
  if (!prepare(theAperture))
  {
    return Standard_False;
  }
  return mySweep.Along(theAperture.Shape(), theTransform.Matrix(), thePath, theContours)
             ? Standard_True
             : refused();
}
