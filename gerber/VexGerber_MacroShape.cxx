// Copyright (c) 2026 VexData developers
#include <VexGerber_MacroShape.hxx>

#include <VexGeom_Polygons.hxx>

#include <cmath>
#include <cstdio>

namespace
{
//! Returns value theIndex of theValues, or theDefault when there are fewer.
Standard_Real valueAt(const NCollection_Vector<Standard_Real>& theValues,
                      const Standard_Integer theIndex, const Standard_Real theDefault = 0.0)
{
  return theIndex < theValues.Length() ? theValues(theIndex) : theDefault;
}

//! Returns the point of values theIndex and theIndex + 1.
gp_XY pointAt(const NCollection_Vector<Standard_Real>& theValues, const Standard_Integer theIndex)
{
  return gp_XY(theValues(theIndex), theValues(theIndex + 1));
}
} // namespace

Standard_Boolean VexGerber_MacroShape::need(const NCollection_Vector<Standard_Real>& theValues,
                                            const Standard_Integer                   theCount)
{
  return theValues.Length() >= theCount
             ? Standard_True
             : myFault.Fail(VexPcb_Fault("VEX_GERBER_MACRO_PARAMS").Quote(myName).Arg(myCode));
}

Standard_Boolean VexGerber_MacroShape::Build(const VexGerber_Aperture& theAperture,
                                             VexGeom_Shape&            theShape)
{
  myName = theAperture.Macro()->Name();
  NCollection_Vector<VexGerber_Primitive> aPrimitives(16);
  if (!theAperture.Macro()->Evaluate(theAperture.Params(), myLimits, aPrimitives, myFault))
  {
    return Standard_False;
  }
  VexGeom_MacroOutline anOutline(myFlattener, theAperture.UnitFactor());
  for (NCollection_Vector<VexGerber_Primitive>::Iterator anIter(aPrimitives); anIter.More();
       anIter.Next())
  {
    if (!primitive(anIter.Value(), anOutline))
    {
      return Standard_False;
    }
  }
  ClipperLib::Paths aResult;
  if (!anOutline.Result(aResult))
  {
    return Standard_False;
  }
  size_t aVertices = 0;
  for (const ClipperLib::Path& aPath : aResult)
  {
    aVertices += aPath.size();
  }
  if (aVertices > static_cast<size_t>(myLimits.PolygonVertices))
  {
    return myFault.Fail(
        VexPcb_Fault("VEX_GERBER_LIMIT_POLYGON_VERTICES").Arg(myLimits.PolygonVertices));
  }
  NCollection_Vector<VexGeom_Contour> aContours(4);
  VexGeom_Polygons::ToContours(aResult, aContours);
  theShape = VexGeom_Shape::Outline(aContours);
  return Standard_True;
}

Standard_Boolean VexGerber_MacroShape::primitive(const VexGerber_Primitive& thePrimitive,
                                                 VexGeom_MacroOutline&      theOutline)
{
  const NCollection_Vector<Standard_Real>& aValues = thePrimitive.Values;
  myCode                                           = thePrimitive.Code;
  switch (myCode)
  {
  case 1:
    return circle(aValues, theOutline);
  case 2:
  case 20:
    return vectorLine(aValues, theOutline);
  case 21:
  case 22:
    return centerLine(aValues, myCode == 22, theOutline);
  case 4:
    return outline(aValues, theOutline);
  case 5:
    return polygon(aValues, theOutline);
  case 6:
    return moire(aValues, theOutline);
  default:
    return thermal(aValues, theOutline);
  }
}

Standard_Boolean VexGerber_MacroShape::circle(const NCollection_Vector<Standard_Real>& theValues,
                                              VexGeom_MacroOutline&                    theOutline)
{
  return need(theValues, 4) && theOutline.AddCircle(theValues(0) != 0.0, theValues(1),
                                                    pointAt(theValues, 2), valueAt(theValues, 4));
}

Standard_Boolean VexGerber_MacroShape::vectorLine(
    const NCollection_Vector<Standard_Real>& theValues, VexGeom_MacroOutline& theOutline)
{
  return need(theValues, 6) &&
         theOutline.AddLine(theValues(0) != 0.0, theValues(1), pointAt(theValues, 2),
                            pointAt(theValues, 4), valueAt(theValues, 6));
}

Standard_Boolean VexGerber_MacroShape::centerLine(
    const NCollection_Vector<Standard_Real>& theValues, const Standard_Boolean isLowerLeft,
    VexGeom_MacroOutline& theOutline)
{
  return need(theValues, 5) &&
         theOutline.AddRectangle(theValues(0) != 0.0, theValues(1), theValues(2),
                                 pointAt(theValues, 3), isLowerLeft, valueAt(theValues, 5));
}

Standard_Boolean VexGerber_MacroShape::outline(const NCollection_Vector<Standard_Real>& theValues,
                                               VexGeom_MacroOutline&                    theOutline)
{
  if (!need(theValues, 2))
  {
    return Standard_False;
  }
  const Standard_Real aCount = theValues(1);
  if (!(aCount >= 0.0) || aCount > myLimits.PolygonVertices)
  {
    return myFault.Fail(
        VexPcb_Fault("VEX_GERBER_LIMIT_POLYGON_VERTICES").Arg(myLimits.PolygonVertices));
  }
  const Standard_Integer aVertices = static_cast<Standard_Integer>(aCount);
  if (!need(theValues, 2 + 2 * (aVertices + 1)))
  {
    return Standard_False;
  }
  NCollection_Vector<gp_XY> aPoints(aVertices + 1);
  for (Standard_Integer anIndex = 0; anIndex <= aVertices; ++anIndex)
  {
    aPoints.Append(pointAt(theValues, 2 + 2 * anIndex));
  }
  return theOutline.AddOutline(theValues(0) != 0.0, aPoints, valueAt(theValues, 4 + 2 * aVertices));
}

Standard_Boolean VexGerber_MacroShape::polygon(const NCollection_Vector<Standard_Real>& theValues,
                                               VexGeom_MacroOutline&                    theOutline)
{
  if (!need(theValues, 5))
  {
    return Standard_False;
  }
  const Standard_Integer aVertices =
      static_cast<Standard_Integer>(Min(Max(theValues(1), 0.0), 1000.0));
  if (aVertices < 3 || aVertices > 12)
  {
    return myFault.Fail(VexPcb_Fault("VEX_GERBER_MACRO_PARAMS").Quote(myName).Arg(myCode));
  }
  return theOutline.AddPolygon(theValues(0) != 0.0, aVertices, pointAt(theValues, 2), theValues(4),
                               valueAt(theValues, 5));
}

Standard_Boolean VexGerber_MacroShape::moireRings(
    const NCollection_Vector<Standard_Real>& theValues, Standard_Real& theRings)
{
  const Standard_Real aCount = theValues(5);
  if (!(aCount >= 0.0) || aCount != std::floor(aCount))
  {
    char aText[32];
    std::snprintf(aText, sizeof(aText), "%g", aCount);
    return myFault.Fail(VexPcb_Fault("VEX_GERBER_MOIRE_RINGS").Quote(myName).Quote(aText));
  }
  // Each ring is smaller than the one before by its thickness and the gap, on either side: the
  // rings beyond those that fit are not drawn, however many the count asks for.
  const Standard_Real aDiameter = theValues(2), aShrink = 2.0 * (theValues(3) + theValues(4));
  theRings = aCount;
  if (aShrink > 0.0 && aDiameter / aShrink + 1.0 < theRings)
  {
    theRings = std::floor(Max(aDiameter, 0.0) / aShrink) + 1.0;
  }
  else if (aShrink == 0.0 && theRings > 1.0)
  {
    theRings = 1.0; // rings of no thickness and no gap all fall on one another
  }
  if (theRings > myLimits.MacroPrimitives)
  {
    return myFault.Fail(
        VexPcb_Fault("VEX_GERBER_LIMIT_MACRO_PRIMITIVES").Arg(myLimits.MacroPrimitives));
  }
  return Standard_True;
}

Standard_Boolean VexGerber_MacroShape::moire(const NCollection_Vector<Standard_Real>& theValues,
                                             VexGeom_MacroOutline&                    theOutline)
{
  if (!need(theValues, 8))
  {
    return Standard_False;
  }
  Standard_Real aRings = 0.0;
  if (!moireRings(theValues, aRings))
  {
    return Standard_False;
  }
  return theOutline.AddMoire(pointAt(theValues, 0), theValues(2), theValues(3), theValues(4),
                             static_cast<Standard_Integer>(aRings), theValues(6), theValues(7),
                             valueAt(theValues, 8));
}

Standard_Boolean VexGerber_MacroShape::thermal(const NCollection_Vector<Standard_Real>& theValues,
                                               VexGeom_MacroOutline&                    theOutline)
{
  return need(theValues, 5) &&
         theOutline.AddThermal(pointAt(theValues, 0), theValues(2), theValues(3), theValues(4),
                               valueAt(theValues, 5));
}
