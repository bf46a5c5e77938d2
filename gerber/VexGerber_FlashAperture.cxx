// Copyright (c) 2026 VexData developers
#include <VexGerber_FlashAperture.hxx>

#include <VexGerber_Limits.hxx>

#include <PenFormatData_Aperture.hxx>

#include <cmath>

namespace
{
//! Largest distance (degrees) of a rotation from a multiple of a quarter turn that still counts
//! as one: what the digits of a file can give for 90 and its multiples.
const Standard_Real THE_QUARTER_TOLERANCE = 1.0e-9;

//! Returns true when theDegrees is a multiple of a quarter turn; isOdd tells an odd multiple.
bool isQuarterTurn(const Standard_Real theDegrees, bool& isOdd)
{
  const Standard_Real aQuarters = theDegrees / 90.0;
  const Standard_Real aNearest  = std::round(aQuarters);
  if (!std::isfinite(aQuarters) || std::fabs(aQuarters - aNearest) * 90.0 > THE_QUARTER_TOLERANCE)
  {
    return false;
  }
  isOdd = std::fmod(std::fabs(aNearest), 2.0) == 1.0;
  return true;
}

//! Sets theShape and the sides (scaled) of a rectangle or obround; false when it is turned by
//! other than quarter turns or covers nothing.
bool sides(const VexGerber_Aperture& theAperture, const VexGerber_ApertureTransform& theTransform,
           Standard_Integer& theShape, NCollection_Vector<Standard_Real>& theParams,
           Standard_Real& theInner)
{
  bool isOdd = false;
  if (theAperture.Params().Length() > 3 || !isQuarterTurn(theTransform.Rotation, isOdd))
  {
    return false; // a rectangular hole, or a turn no side can say
  }
  const Standard_Real aWidth = theAperture.Param(0), aHeight = theAperture.Param(1);
  theShape = theAperture.GetKind() == VexGerber_Aperture::Kind_Rectangle
                 ? PenFormatData_Aperture::Shape_Rectangle
                 : PenFormatData_Aperture::Shape_Obround;
  theParams.Append((isOdd ? aHeight : aWidth) * theTransform.Scale);
  theParams.Append((isOdd ? aWidth : aHeight) * theTransform.Scale);
  theInner = Min(aWidth, aHeight);
  return theInner > 0.0;
}

//! Sets theShape and the diameter, vertices and rotation of a polygon; false when it covers
//! nothing.
bool polygon(const VexGerber_Aperture& theAperture, const VexGerber_ApertureTransform& theTransform,
             Standard_Integer& theShape, NCollection_Vector<Standard_Real>& theParams,
             Standard_Real& theInner)
{
  const Standard_Integer aCount    = theAperture.Params().Length();
  const Standard_Real    aVertices = theAperture.Param(1);
  if (aCount > 4 || !(aVertices >= 3.0))
  {
    return false;
  }
  const Standard_Real aRotation =
      VexGerber_FlashAperture::PolygonRotation(theAperture.Param(2), theTransform);
  theShape = PenFormatData_Aperture::Shape_Polygon;
  theParams.Append(theAperture.Param(0) * theTransform.Scale);
  theParams.Append(aVertices);
  if (aCount > 2 || aRotation != 0.0)
  {
    theParams.Append(aRotation);
  }
  theInner = theAperture.Param(0) * std::cos(M_PI / aVertices); // the inscribed circle
  return theInner > 0.0;
}
//! Appends the hole of theAperture (parameter theHole, when given) to theParams, scaled; false
//! when it is not inside theInner (the diameter of the shape's inscribed circle), or when a size
//! of theParams is beyond what a file can give: such a flash would not read back, and stays an
//! outline (which the reader refuses as a coordinate out of range).
bool withHole(const VexGerber_Aperture& theAperture, const Standard_Integer theHole,
              const Standard_Real theInner, const Standard_Real theScale,
              const Standard_Integer theShape, NCollection_Vector<Standard_Real>& theParams)
{
  if (theAperture.Params().Length() > theHole)
  {
    const Standard_Real aHole = theAperture.Param(theHole);
    if (!(aHole < theInner))
    {
      return false; // a hole that reaches the edge: not a ring a model aperture says
    }
    theParams.Append(aHole * theScale);
  }
  for (Standard_Integer anIndex = 0; anIndex < theParams.Length(); ++anIndex)
  {
    const Standard_Boolean isLength =
        theShape != PenFormatData_Aperture::Shape_Polygon || (anIndex != 1 && anIndex != 2);
    if (isLength && !VexGerber_Limits::IsInRange(theParams(anIndex)))
    {
      return false;
    }
  }
  return true;
}
} // namespace

Standard_Real VexGerber_FlashAperture::PolygonRotation(
    const Standard_Real theDegrees, const VexGerber_ApertureTransform& theTransform)
{
  Standard_Real aMirrored = theDegrees;
  switch (theTransform.Mirror)
  {
  case VexGerber_Mirror_X:
    aMirrored = 180.0 - theDegrees;
    break;
  case VexGerber_Mirror_Y:
    aMirrored = -theDegrees;
    break;
  case VexGerber_Mirror_XY:
    aMirrored = theDegrees + 180.0;
    break;
  case VexGerber_Mirror_None:
    break;
  }
  return aMirrored + theTransform.Rotation;
}

Standard_Boolean VexGerber_FlashAperture::Make(const VexGerber_Aperture&          theAperture,
                                               const VexGerber_ApertureTransform& theTransform,
                                               Standard_Integer&                  theShape,
                                               NCollection_Vector<Standard_Real>& theParams)
{
  theParams.Clear();
  const Standard_Real aScale = theTransform.Scale;
  if (!(aScale > 0.0) || !std::isfinite(aScale) || !std::isfinite(theTransform.Rotation))
  {
    return Standard_False;
  }
  Standard_Real    anInner = 0.0;
  Standard_Integer aHole   = 0; // index of the hole parameter
  bool             isMade  = false;
  switch (theAperture.GetKind())
  {
  case VexGerber_Aperture::Kind_Circle:
    theShape = PenFormatData_Aperture::Shape_Round;
    theParams.Append(theAperture.Param(0) * aScale);
    anInner = theAperture.Param(0);
    aHole   = 1;
    isMade  = theAperture.Params().Length() <= 2 && anInner > 0.0;
    break;
  case VexGerber_Aperture::Kind_Rectangle:
  case VexGerber_Aperture::Kind_Obround:
    aHole  = 2;
    isMade = sides(theAperture, theTransform, theShape, theParams, anInner);
    break;
  case VexGerber_Aperture::Kind_Polygon:
    aHole  = 3;
    isMade = polygon(theAperture, theTransform, theShape, theParams, anInner);
    break;
  default:
    break;
  }
  return isMade && withHole(theAperture, aHole, anInner, aScale, theShape, theParams);
}
