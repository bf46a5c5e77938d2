// Copyright (c) 2026 VexData developers
#include <VexGerber_Shapes.hxx>

#include <VexGerber_MacroShape.hxx>

VexGerber_Shapes::VexGerber_Shapes(const VexGerber_Limits& theLimits, VexGerber_Fault& theFault,
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
    return myFault.Fail("VEX_GERBER_LIMIT_FLATTENED_SEGMENTS", myLimits.FlattenedSegments);
  }
  return myFault.Fail("VEX_GERBER_LIMIT_POLYGON_WORK", myBudget.WorkLimitMillions());
}

Standard_Boolean VexGerber_Shapes::prepare(VexGerber_Aperture& theAperture)
{
  if (theAperture.HasShape())
  {
    return Standard_True;
  }
  VexGeom_Shape aShape;
  switch (theAperture.GetKind())
  {
  case VexGerber_Aperture::Kind_Circle:
    aShape = VexGeom_Shape::Circle(theAperture.Param(0), theAperture.Param(1));
    break;
  case VexGerber_Aperture::Kind_Rectangle:
    aShape =
        VexGeom_Shape::Rectangle(theAperture.Param(0), theAperture.Param(1), theAperture.Param(2));
    break;
  case VexGerber_Aperture::Kind_Obround:
    aShape =
        VexGeom_Shape::Obround(theAperture.Param(0), theAperture.Param(1), theAperture.Param(2));
    break;
  case VexGerber_Aperture::Kind_Polygon:
    aShape = VexGeom_Shape::Polygon(theAperture.Param(0),
                                    static_cast<Standard_Integer>(theAperture.Param(1)),
                                    theAperture.Param(2), theAperture.Param(3));
    break;
  case VexGerber_Aperture::Kind_Macro:
    if (!VexGerber_MacroShape(myLimits, myFault, myFlattener).Build(theAperture, aShape))
    {
      return myFault.HasFault() ? Standard_False : refused();
    }
    break;
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
