// Copyright (c) 2026 VexData developers
#include <VexGerber_ModelApertures.hxx>

#include <VexGerber_FlashAperture.hxx>

#include <NCollection_Array1.hxx>

namespace
{
//! Most names tried for one aperture (D10, D10_1 ... D10_999).
const Standard_Integer THE_MAX_SUFFIX = 1000;

//! Largest gap (millimetres) between the ends of a contour that still closes it.
const Standard_Real THE_CLOSED = 1.0e-9;

//! Model shape code of a file aperture.
Standard_Integer shapeOf(const VexGerber_Aperture& theAperture)
{
  switch (theAperture.GetKind())
  {
  case VexGerber_Aperture::Kind_Circle:
    return PenFormatData_Aperture::Shape_Round;
  case VexGerber_Aperture::Kind_Rectangle:
    return PenFormatData_Aperture::Shape_Rectangle;
  case VexGerber_Aperture::Kind_Obround:
    return PenFormatData_Aperture::Shape_Obround;
  case VexGerber_Aperture::Kind_Polygon:
    return PenFormatData_Aperture::Shape_Polygon;
  default:
    return PenFormatData_Aperture::Shape_Macro;
  }
}

//! Returns true when theAperture has exactly this shape, these parameters and this tool flag.
bool isSame(const PenFormatData_Aperture& theAperture, const Standard_Integer theShape,
            const NCollection_Vector<Standard_Real>& theParams, const Standard_Integer theToolFlag)
{
  if (theAperture.ShapeCode() != theShape || theAperture.NbParams() != theParams.Length() ||
      theAperture.ToolFlag() != theToolFlag)
  {
    return false;
  }
  for (Standard_Integer anIndex = 0; anIndex < theParams.Length(); ++anIndex)
  {
    if (theAperture.Param(anIndex + 1) != theParams(anIndex))
    {
      return false;
    }
  }
  return true;
}

//! Returns true when theOne and theTwo are the same transformation.
bool isSame(const VexGerber_ApertureTransform& theOne, const VexGerber_ApertureTransform& theTwo)
{
  return theOne.Mirror == theTwo.Mirror && theOne.Rotation == theTwo.Rotation &&
         theOne.Scale == theTwo.Scale;
}

//! Appends the corners of theContours times theFactor to thePoints and their ends to theEnds;
//! false when a contour has an arc or fewer than three corners, or is not closed.
bool toOutline(const std::vector<VexGeom_Contour>& theContours, const Standard_Real theFactor,
               NCollection_Vector<gp_XY>& thePoints, NCollection_Vector<Standard_Integer>& theEnds)
{
  for (const VexGeom_Contour& aContour : theContours)
  {
    const Standard_Integer aCount = aContour.NbEdges();
    if (aCount < 3 || !aContour.IsClosed(THE_CLOSED))
    {
      return false;
    }
    thePoints.Append(aContour.Start() * theFactor);
    for (Standard_Integer anIndex = 0; anIndex < aCount; ++anIndex)
    {
      const VexGeom_Edge& anEdge = aContour.Edge(anIndex);
      if (anEdge.Type != VexGeom_Edge::Kind_Segment)
      {
        return false;
      }
      if (anIndex + 1 < aCount)
      {
        thePoints.Append(anEdge.End * theFactor);
      }
    }
    theEnds.Append(thePoints.Length());
  }
  return !theEnds.IsEmpty();
}
} // namespace

VexGerber_ModelApertures::VexGerber_ModelApertures(const PenFormatData_Model& theModel,
                                                   const Standard_Real        theFactor,
                                                   VexPcb_Fault&              theFault)
    : myModel(theModel), myFault(theFault), myFactor(theFactor),
      myNextNumber(Max(theModel.NbApertures(), 1)), myParams(8), myLastNumber(-1)
{
  for (Standard_Integer aNumber = 1; aNumber < theModel.NbApertures(); ++aNumber)
  {
    const Handle(PenFormatData_Aperture)& anAperture = theModel.Aperture(aNumber);
    if (!anAperture.IsNull())
    {
      myNames.Bind(anAperture->Name(), aNumber);
    }
  }
}

Handle(PenFormatData_Aperture)
    VexGerber_ModelApertures::apertureOf(const Standard_Integer theNumber) const
{
  const Handle(PenFormatData_Aperture)* aStaged = myStaged.Seek(theNumber);
  return aStaged != NULL ? *aStaged : myModel.Aperture(theNumber);
}

Standard_Integer VexGerber_ModelApertures::findOrAdd(
    const TCollection_AsciiString& theBase, const Standard_Integer theShape,
    const NCollection_Vector<Standard_Real>& theParams, const Standard_Integer theToolFlag,
    const Standard_Boolean isOutlined)
{
  for (Standard_Integer aSuffix = 0; aSuffix < THE_MAX_SUFFIX; ++aSuffix)
  {
    const TCollection_ExtendedString aName(
        aSuffix == 0 ? theBase : theBase + "_" + TCollection_AsciiString(aSuffix));
    const Standard_Integer* aTaken = myNames.Seek(aName);
    if (aTaken != NULL)
    {
      const Handle(PenFormatData_Aperture) anAperture = apertureOf(*aTaken);
      if (!anAperture.IsNull() && isSame(*anAperture, theShape, theParams, theToolFlag) &&
          (!isOutlined || takesOutline(*aTaken)))
      {
        return *aTaken;
      }
      continue;
    }
    Handle(PenFormatData_Aperture) anAperture =
        new PenFormatData_Aperture(theShape, aName, Handle(Standard_Transient)(), 0);
    NCollection_Array1<Standard_Real> aValues(0, Max(theParams.Length(), 1) - 1);
    for (Standard_Integer anIndex = 0; anIndex < theParams.Length(); ++anIndex)
    {
      aValues(anIndex) = theParams(anIndex);
    }
    anAperture->SetParam(&aValues(0), theParams.Length());
    anAperture->SetToolFlag(theToolFlag);
    if (isOutlined)
    {
      anAperture->SetOutline(myOutlinePoints, myOutlineEnds);
    }
    myStaged.Bind(myNextNumber, anAperture);
    myNames.Bind(aName, myNextNumber);
    return myNextNumber++;
  }
  myFault.Fail(VexPcb_Fault("VEX_GERBER_LIMIT_APERTURE_NAMES").Quote(theBase));
  return 0;
}

Standard_Integer VexGerber_ModelApertures::Find(const Handle(VexGerber_Aperture) & theAperture,
                                                const VexGerber_ApertureTransform& theTransform)
{
  const Standard_Boolean isScaled = theTransform.Scale != 1.0 && theAperture->IsRoundTool();
  if (theAperture->ModelNumber() != 0 && !isScaled)
  {
    return theAperture->ModelNumber();
  }
  // Lengths in the model's unit; polygon vertices and rotation, and macro values, as they are.
  myParams.Clear();
  for (Standard_Integer anIndex = 0; anIndex < theAperture->Params().Length(); ++anIndex)
  {
    const Standard_Boolean isLength = theAperture->IsLength(anIndex);
    const Standard_Real    aScale   = isScaled ? theTransform.Scale : 1.0;
    myParams.Append(theAperture->Param(anIndex) * (isLength ? myFactor * aScale : 1.0));
  }
  const Standard_Integer aNumber =
      findOrAdd(TCollection_AsciiString("D") + theAperture->Number(), shapeOf(*theAperture),
                myParams, theAperture->IsRoundTool() ? 1 : 0);
  if (!isScaled)
  {
    theAperture->SetModelNumber(aNumber);
  }
  return aNumber;
}

Standard_Integer VexGerber_ModelApertures::Flash(const Handle(VexGerber_Aperture) & theAperture,
                                                 const VexGerber_ApertureTransform& theTransform)
{
  // Flashes come in runs of one aperture under one transformation: the last answer serves again.
  if (theAperture == myLastFlash && isSame(theTransform, myLastTransform))
  {
    return myLastNumber;
  }
  Standard_Integer aShape  = 0;
  Standard_Integer aNumber = -1;
  if (VexGerber_FlashAperture::Make(*theAperture, theTransform, aShape, myParams))
  {
    // Lengths in the model's unit; a polygon's vertices and rotation as they are.
    for (Standard_Integer anIndex = 0; anIndex < myParams.Length(); ++anIndex)
    {
      const Standard_Boolean isLength =
          aShape != PenFormatData_Aperture::Shape_Polygon || (anIndex != 1 && anIndex != 2);
      myParams.ChangeValue(anIndex) *= isLength ? myFactor : 1.0;
    }
    aNumber = findOrAdd(TCollection_AsciiString("D") + theAperture->Number(), aShape, myParams, 0);
  }
  if (aNumber != 0)
  {
    myLastFlash     = theAperture;
    myLastTransform = theTransform;
    myLastNumber    = aNumber;
  }
  return aNumber;
}

VexGerber_ModelApertures::OutlineKey VexGerber_ModelApertures::outlineKey(
    const Handle(VexGerber_Aperture) & theAperture, const VexGerber_ApertureTransform& theTransform)
{
  return OutlineKey(theAperture.get(), static_cast<Standard_Integer>(theTransform.Mirror),
                    theTransform.Rotation, theTransform.Scale);
}

Standard_Integer VexGerber_ModelApertures::FindOutlined(
    const Handle(VexGerber_Aperture) & theAperture, const VexGerber_ApertureTransform& theTransform)
{
  const std::map<OutlineKey, Standard_Integer>::const_iterator aFound =
      myOutlined.find(outlineKey(theAperture, theTransform));
  return aFound == myOutlined.end() ? -1 : aFound->second;
}

Standard_Integer VexGerber_ModelApertures::Outlined(const Handle(VexGerber_Aperture) & theAperture,
                                                    const VexGerber_ApertureTransform& theTransform,
                                                    const std::vector<VexGeom_Contour>& theContours)
{
  myOutlinePoints.Clear();
  myOutlineEnds.Clear();
  if (!toOutline(theContours, myFactor, myOutlinePoints, myOutlineEnds))
  {
    return -1;
  }
  myParams.Clear();
  for (Standard_Integer anIndex = 0; anIndex < theAperture->Params().Length(); ++anIndex)
  {
    myParams.Append(theAperture->Param(anIndex)); // a macro's values are not lengths
  }
  const Standard_Integer aNumber =
      findOrAdd(TCollection_AsciiString("D") + theAperture->Number(),
                PenFormatData_Aperture::Shape_Macro, myParams, 0, Standard_True);
  if (aNumber > 0)
  {
    myOutlined[outlineKey(theAperture, theTransform)] = aNumber;
    myOutlinedKept.Append(theAperture);
  }
  return aNumber;
}

Standard_Boolean VexGerber_ModelApertures::takesOutline(const Standard_Integer theNumber)
{
  const Handle(PenFormatData_Aperture) anAperture = apertureOf(theNumber);
  if (!anAperture->HasOutline() && myStaged.IsBound(theNumber))
  {
    // Made when the file defined the aperture, before any flash of it: the first outline is its.
    anAperture->SetOutline(myOutlinePoints, myOutlineEnds);
  }
  return anAperture->IsSameOutline(myOutlinePoints, myOutlineEnds);
}

void VexGerber_ModelApertures::Commit(PenFormatData_Model& theModel)
{
  for (NCollection_DataMap<Standard_Integer, Handle(PenFormatData_Aperture)>::Iterator anIter(
           myStaged);
       anIter.More(); anIter.Next())
  {
    theModel.SetAperture(anIter.Key(), anIter.Value());
  }
  myStaged.Clear();
}
