// Copyright (c) 2026 VexData developers
#include <VexGerber_WriterApertures.hxx>

#include <VexGeom_Shape.hxx>

#include <VexGerber_Limits.hxx>
#include <VexPcb_NumberText.hxx>

#include <PenFormatData.hxx>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace
{
//! First D code given.
const Standard_Integer THE_FIRST_CODE = 10;

//! Decimals of the millimetres an outline's corners are written with, and steps per millimetre.
const int    THE_DECIMALS = 6;
const double THE_STEPS    = 1.0e6;

//! Returns theValue as a length of a definition: millimetres with six decimals, 0 for what is
//! not a length.
std::string length(const Standard_Real theValue)
{
  char aText[64];
  std::snprintf(aText, sizeof(aText), "%.6f", std::isfinite(theValue) ? Max(theValue, 0.0) : 0.0);
  return aText;
}

//! One polygon of an outline as written: its corners in nanometres, the first the least (by x,
//! then y), and twice its signed area.
struct WrittenPolygon
{
  std::vector<std::pair<long long, long long>> Corners;
  __int128                                     TwiceArea;
};

//! Returns the polygon of corners theFirst to theLast (past the end) of thePoints times theFactor
//! (millimetres), rounded to the nanometres a file holds. Its area is computed on those whole
//! numbers, so that the order and exposure written are those a read-back outline gives again.
WrittenPolygon writtenPolygon(const NCollection_Vector<gp_XY>& thePoints,
                              const Standard_Integer theFirst, const Standard_Integer theLast,
                              const Standard_Real theFactor)
{
  WrittenPolygon aPolygon;
  for (Standard_Integer anIndex = theFirst; anIndex < theLast; ++anIndex)
  {
    const gp_XY aPoint = thePoints(anIndex) * (theFactor * THE_STEPS);
    aPolygon.Corners.emplace_back(std::llround(aPoint.X()), std::llround(aPoint.Y()));
  }
  std::rotate(aPolygon.Corners.begin(),
              std::min_element(aPolygon.Corners.begin(), aPolygon.Corners.end()),
              aPolygon.Corners.end());
  aPolygon.TwiceArea = 0;
  for (size_t anIndex = 0; anIndex < aPolygon.Corners.size(); ++anIndex)
  {
    const auto& aThis = aPolygon.Corners[anIndex];
    const auto& aNext = aPolygon.Corners[(anIndex + 1) % aPolygon.Corners.size()];
    aPolygon.TwiceArea += static_cast<__int128>(aThis.first) * aNext.second -
                          static_cast<__int128>(aNext.first) * aThis.second;
  }
  return aPolygon;
}

//! Returns true when theOne is exposed before theTwo: the larger first, so that every polygon
//! comes after those that can hold it; of equal ones, the one of the least first corner.
bool isExposedBefore(const WrittenPolygon& theOne, const WrittenPolygon& theTwo)
{
  const __int128 anOne = theOne.TwiceArea < 0 ? -theOne.TwiceArea : theOne.TwiceArea;
  const __int128 aTwo  = theTwo.TwiceArea < 0 ? -theTwo.TwiceArea : theTwo.TwiceArea;
  return anOne != aTwo ? anOne > aTwo : theOne.Corners < theTwo.Corners;
}

//! Appends to theText the outline primitive (code 4) of theCorners, the first given again at
//! the end: dark when isDark, else clear.
void appendPrimitive(const std::vector<std::pair<long long, long long>>& theCorners,
                     const bool isDark, std::string& theText)
{
  theText += std::string("4,") + (isDark ? "1," : "0,") + std::to_string(theCorners.size());
  char aNumber[2 * VexPcb_NumberText::THE_ROOM + 2];
  for (size_t anIndex = 0; anIndex <= theCorners.size(); ++anIndex)
  {
    const auto& aCorner = theCorners[anIndex % theCorners.size()];
    char*       anEnd   = aNumber;
    *anEnd++            = ',';
    anEnd               = VexPcb_NumberText::Decimal(anEnd, aCorner.first, THE_DECIMALS);
    *anEnd++            = ',';
    anEnd               = VexPcb_NumberText::Decimal(anEnd, aCorner.second, THE_DECIMALS);
    theText.append(aNumber, anEnd);
  }
  theText += ",0*\n";
}

//! Returns the mean of theCorners, rounded to whole nanometres.
std::pair<long long, long long> meanOf(
    const std::vector<std::pair<long long, long long>>& theCorners)
{
  long double aSumX = 0.0L, aSumY = 0.0L;
  for (const auto& aCorner : theCorners)
  {
    aSumX += aCorner.first;
    aSumY += aCorner.second;
  }
  const long double aCount = static_cast<long double>(theCorners.size());
  return std::make_pair(std::llround(aSumX / aCount), std::llround(aSumY / aCount));
}

//! Returns true when every edge of theCorners, seen from theCentre, turns the way theSign says
//! (1 counter-clockwise, -1 clockwise): the fan of pieces around theCentre is the polygon.
bool isFanAround(const std::vector<std::pair<long long, long long>>& theCorners,
                 const std::pair<long long, long long>& theCentre, const int theSign)
{
  for (size_t anIndex = 0; anIndex < theCorners.size(); ++anIndex)
  {
    const auto&    aThis = theCorners[anIndex];
    const auto&    aNext = theCorners[(anIndex + 1) % theCorners.size()];
    const __int128 aTurn =
        static_cast<__int128>(aThis.first - theCentre.first) * (aNext.second - theCentre.second) -
        static_cast<__int128>(aNext.first - theCentre.first) * (aThis.second - theCentre.second);
    if (aTurn * theSign <= 0)
    {
      return false;
    }
  }
  return true;
}

//! Appends the outline primitives of thePolygon to theText: dark when it runs counter-clockwise,
//! clear (a hole) when it runs clockwise. A polygon of more corners than a viewer may take in one
//! primitive is written as a fan of pieces around the mean of its corners, each the centre and
//! a few consecutive corners, when that fan is the polygon (the reader keeps no other such
//! polygon as a flash); else as one primitive, which the format allows.
void appendPolygon(const WrittenPolygon& thePolygon, std::string& theText)
{
  const bool                            isDark  = thePolygon.TwiceArea > 0;
  const size_t                          aCount  = thePolygon.Corners.size();
  const std::pair<long long, long long> aCentre = meanOf(thePolygon.Corners);
  if (aCount <= static_cast<size_t>(VexGerber_Limits::THE_PORTABLE_OUTLINE_CORNERS) ||
      !isFanAround(thePolygon.Corners, aCentre, isDark ? 1 : -1))
  {
    appendPrimitive(thePolygon.Corners, isDark, theText);
    return;
  }
  const size_t aStep = static_cast<size_t>(VexGerber_Limits::THE_PORTABLE_OUTLINE_CORNERS) - 2;
  std::vector<std::pair<long long, long long>> aPiece;
  for (size_t aFirst = 0; aFirst < aCount; aFirst += aStep)
  {
    aPiece.assign(1, aCentre);
    for (size_t anIndex = aFirst; anIndex <= std::min(aFirst + aStep, aCount); ++anIndex)
    {
      aPiece.push_back(thePolygon.Corners[anIndex % aCount]);
    }
    appendPrimitive(aPiece, isDark, theText);
  }
}
} // namespace

VexGerber_WriterApertures::VexGerber_WriterApertures(const PenFormatData_Model& theModel)
    : myModel(theModel), myFactor(PenFormatData::UnitInMillimetres(theModel.DimensionUnit()))
{
}

Standard_Boolean VexGerber_WriterApertures::IsFlashes(const PenFormatData_Sequence& theSequence)
{
  if (theSequence.ToolpathFlag() != 0 || theSequence.IsArea() ||
      theSequence.ToolpathMode() != PenFormatData_TM_Point)
  {
    return Standard_False;
  }
  const Standard_Integer  aNumber   = theSequence.ApertureNumber();
  const Standard_Boolean* aDrawable = myDrawable.Seek(aNumber);
  if (aDrawable != NULL)
  {
    return *aDrawable;
  }
  const Standard_Boolean isDrawable =
      aNumber >= 1 && aNumber < myModel.NbApertures() &&
      VexGeom_Shape::FromAperture(myModel.Aperture(aNumber), myFactor).IsDrawable();
  myDrawable.Bind(aNumber, isDrawable);
  return isDrawable;
}

Standard_Integer VexGerber_WriterApertures::key(const PenFormatData_Sequence& theSequence)
{
  return 2 * theSequence.ApertureNumber() + (IsFlashes(theSequence) ? 1 : 0);
}

Standard_Integer VexGerber_WriterApertures::Code(const PenFormatData_Sequence& theSequence)
{
  const Standard_Integer* aCode = myCodes.Seek(key(theSequence));
  return aCode != NULL ? *aCode : 0;
}

std::string VexGerber_WriterApertures::Define(const PenFormatData_Sequence& theSequence)
{
  const Standard_Integer aKey = key(theSequence);
  if (myCodes.IsBound(aKey))
  {
    return std::string();
  }
  const Standard_Integer aCode   = THE_FIRST_CODE + myCodes.Extent();
  const Standard_Integer aNumber = theSequence.ApertureNumber();
  myCodes.Bind(aKey, aCode);
  if (aKey % 2 == 1)
  {
    return flashDefinition(aCode, aNumber);
  }
  // A round aperture of the tool's width; an aperture the model lacks draws with width 0.
  const Handle(PenFormatData_Aperture)& anAperture = myModel.Aperture(aNumber);
  const Standard_Real aWidth =
      !anAperture.IsNull() && anAperture->NbParams() > 0 ? anAperture->Param(1) : 0.0;
  return "%ADD" + std::to_string(aCode) + "C," + length(aWidth * myFactor) + "*%";
}

std::string VexGerber_WriterApertures::flashDefinition(const Standard_Integer theCode,
                                                       const Standard_Integer theNumber)
{
  // The aperture's shape can be drawn (IsFlashes): its sizes are numbers, 0 or more.
  const PenFormatData_Aperture& anAperture = *myModel.Aperture(theNumber);
  const Standard_Integer        aCount     = anAperture.NbParams();
  std::string                   aText      = "%ADD" + std::to_string(theCode);
  Standard_Integer              aHole      = 3; // index of the hole parameter, from 1
  switch (anAperture.ShapeCode())
  {
  case PenFormatData_Aperture::Shape_Round:
    aText += "C," + length(anAperture.Param(1) * myFactor);
    aHole = 2;
    break;
  case PenFormatData_Aperture::Shape_Macro:
    return outlineDefinition(theCode, anAperture);
  case PenFormatData_Aperture::Shape_Polygon:
    aText += "P," + length(anAperture.Param(1) * myFactor) + "X" +
             std::to_string(std::lround(anAperture.Param(2)));
    if (aCount >= 3)
    {
      char aRotation[64];
      std::snprintf(aRotation, sizeof(aRotation), "X%.6f", anAperture.Param(3));
      aText += aRotation;
    }
    aHole = 4;
    break;
  default:
    aText += anAperture.ShapeCode() == PenFormatData_Aperture::Shape_Rectangle ? "R," : "O,";
    aText += length(anAperture.Param(1) * myFactor) + "X" + length(anAperture.Param(2) * myFactor);
    break;
  }
  if (aCount >= aHole && anAperture.Param(aHole) > 0.0)
  {
    aText += "X" + length(anAperture.Param(aHole) * myFactor);
  }
  return aText + "*%";
}

std::string VexGerber_WriterApertures::outlineDefinition(const Standard_Integer        theCode,
                                                         const PenFormatData_Aperture& theAperture)
{
  // Primitives are exposed in order, each polygon after every polygon that can hold it (a
  // larger one): dark ones covering, clear ones (holes) taking away, islands in holes covering
  // again, as the outline's winding says.
  const NCollection_Vector<gp_XY>&            aPoints = theAperture.OutlinePoints();
  const NCollection_Vector<Standard_Integer>& anEnds  = theAperture.OutlineEnds();
  std::vector<WrittenPolygon>                 aPolygons;
  for (Standard_Integer anIndex = 0; anIndex < anEnds.Length(); ++anIndex)
  {
    const Standard_Integer aFirst = anIndex > 0 ? anEnds(anIndex - 1) : 0;
    aPolygons.push_back(writtenPolygon(aPoints, aFirst, anEnds(anIndex), myFactor));
  }
  std::sort(aPolygons.begin(), aPolygons.end(), isExposedBefore);
  const std::string aName = "OUTLINE" + std::to_string(theCode);
  std::string       aText = "%AM" + aName + "*\n";
  for (const WrittenPolygon& aPolygon : aPolygons)
  {
    appendPolygon(aPolygon, aText);
  }
  return aText + "%\n%ADD" + std::to_string(theCode) + aName + "*%";
}
