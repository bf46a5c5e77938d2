// Copyright (c) 2026 VexData developers
#include <VexRender_SvgAperture.hxx>

#include <cmath>

namespace
{
//! Segments of a half circle in an approximated outline.
const int THE_HALF_CIRCLE_STEPS = 16;

//! Polygon vertex counts a design file may give.
const int THE_MIN_POLYGON_VERTICES = 3;
const int THE_MAX_POLYGON_VERTICES = 12;

//! Returns parameter theIndex of theAperture times theFactor, or NaN when it is missing.
double length(const PenFormatData_Aperture& theAperture, const int theIndex, const double theFactor)
{
  return theIndex <= theAperture.NbParams() ? theAperture.Param(theIndex) * theFactor
                                            : std::nan("");
}

//! Returns true for a length a shape can have: a number, 0 or more.
bool isSize(const double theValue)
{
  return std::isfinite(theValue) && theValue >= 0.0;
}

//! Appends the half circle of theRadius around theCentre from angle theStart, counter-clockwise.
int halfCircle(gp_XY* theVertices, const gp_XY& theCentre, const double theRadius,
               const double theStart)
{
  for (int aStep = 0; aStep <= THE_HALF_CIRCLE_STEPS; ++aStep)
  {
    const double anAngle = theStart + M_PI * aStep / THE_HALF_CIRCLE_STEPS;
    theVertices[aStep] =
        theCentre + gp_XY(theRadius * std::cos(anAngle), theRadius * std::sin(anAngle));
  }
  return THE_HALF_CIRCLE_STEPS + 1;
}
} // namespace

VexRender_SvgAperture::VexRender_SvgAperture()
    : myShape(0), myNbVertices(0), myWidth(0.0), myHeight(0.0), myRotation(0.0), myHole(0.0),
      myHalfExtent(0.0, 0.0)
{
}

VexRender_SvgAperture::VexRender_SvgAperture(const Handle(PenFormatData_Aperture) & theAperture,
                                             const double theFactor)
    : VexRender_SvgAperture()
{
  if (!theAperture.IsNull() && read(*theAperture, theFactor))
  {
    myShape = theAperture->ShapeCode();
    computeExtent();
  }
}

bool VexRender_SvgAperture::read(const PenFormatData_Aperture& theAperture, const double theFactor)
{
  switch (theAperture.ShapeCode())
  {
  case PenFormatData_Aperture::Shape_Round:
    myWidth = myHeight = length(theAperture, 1, theFactor);
    readHole(theAperture, 2, theFactor);
    return isSize(myWidth);
  case PenFormatData_Aperture::Shape_Rectangle:
  case PenFormatData_Aperture::Shape_Obround:
    myWidth  = length(theAperture, 1, theFactor);
    myHeight = length(theAperture, 2, theFactor);
    readHole(theAperture, 3, theFactor);
    return isSize(myWidth) && isSize(myHeight);
  case PenFormatData_Aperture::Shape_Polygon:
  {
    myWidth = myHeight  = length(theAperture, 1, theFactor);
    const double aCount = theAperture.NbParams() >= 2 ? theAperture.Param(2) : 0.0;
    const double aTurn  = theAperture.NbParams() >= 3 ? theAperture.Param(3) : 0.0;
    readHole(theAperture, 4, theFactor);
    if (!(aCount >= THE_MIN_POLYGON_VERTICES && aCount <= THE_MAX_POLYGON_VERTICES) ||
        !std::isfinite(aTurn))
    {
      return false;
    }
    myNbVertices = static_cast<int>(std::lround(aCount));
    myRotation   = aTurn * M_PI / 180.0;
    return isSize(myWidth);
  }
  default:
    return false;
  }
}

void VexRender_SvgAperture::readHole(const PenFormatData_Aperture& theAperture, const int theIndex,
                                     const double theFactor)
{
  const double aHole = length(theAperture, theIndex, theFactor);
  myHole             = std::isfinite(aHole) && aHole > 0.0 ? aHole : 0.0;
}

void VexRender_SvgAperture::computeExtent()
{
  myHalfExtent = gp_XY(0.5 * myWidth, 0.5 * myHeight);
  if (myShape == PenFormatData_Aperture::Shape_Polygon)
  {
    gp_XY     aVertices[THE_MAX_VERTICES];
    const int aCount = Outline(aVertices);
    myHalfExtent     = gp_XY(0.0, 0.0);
    for (int anIndex = 0; anIndex < aCount; ++anIndex)
    {
      myHalfExtent.SetX(std::max(myHalfExtent.X(), std::abs(aVertices[anIndex].X())));
      myHalfExtent.SetY(std::max(myHalfExtent.Y(), std::abs(aVertices[anIndex].Y())));
    }
  }
}

int VexRender_SvgAperture::Outline(gp_XY theVertices[THE_MAX_VERTICES]) const
{
  const double aHalfX = 0.5 * myWidth;
  const double aHalfY = 0.5 * myHeight;
  switch (myShape)
  {
  case PenFormatData_Aperture::Shape_Rectangle:
    theVertices[0] = gp_XY(-aHalfX, -aHalfY);
    theVertices[1] = gp_XY(aHalfX, -aHalfY);
    theVertices[2] = gp_XY(aHalfX, aHalfY);
    theVertices[3] = gp_XY(-aHalfX, aHalfY);
    return 4;
  case PenFormatData_Aperture::Shape_Polygon:
    for (int anIndex = 0; anIndex < myNbVertices; ++anIndex)
    {
      const double anAngle = myRotation + 2.0 * M_PI * anIndex / myNbVertices;
      theVertices[anIndex] = gp_XY(aHalfX * std::cos(anAngle), aHalfX * std::sin(anAngle));
    }
    return myNbVertices;
  case PenFormatData_Aperture::Shape_Round:
  case PenFormatData_Aperture::Shape_Obround:
  {
    // Two half circles joined by the straight sides (none for a circle).
    const double aRadius = std::min(aHalfX, aHalfY);
    const gp_XY  anAxis =
        aHalfX >= aHalfY ? gp_XY(aHalfX - aRadius, 0.0) : gp_XY(0.0, aHalfY - aRadius);
    const double aStart = aHalfX >= aHalfY ? -0.5 * M_PI : 0.0;
    const int    aFirst = halfCircle(theVertices, anAxis, aRadius, aStart);
    return aFirst + halfCircle(theVertices + aFirst, -anAxis, aRadius, aStart + M_PI);
  }
  default:
    return 0;
  }
}
