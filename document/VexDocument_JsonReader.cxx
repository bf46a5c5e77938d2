// Copyright (c) 2026 VexData developers
#include <VexDocument_JsonReader.hxx>

#include <VexDocument_JsonSchema.hxx>
#include <VexDocument_JsonWriter.hxx>

#include <PenFormatData_Sequence.hxx>

#include <vector>

using namespace VexDocument_JsonSchema;

VexDocument_JsonReader::VexDocument_JsonReader() : myModel(new PenFormatData_Model())
{
}

Standard_Boolean VexDocument_JsonReader::Read(const Json& theDocument)
{
  const Location aRoot{nullptr, nullptr, 0};
  if (!expectObject(theDocument, aRoot,
                    {THE_UNIT, THE_POLARITY, THE_APERTURES, THE_LAYERS, THE_SCAN_FIELDS,
                     THE_OBJECTS, THE_PARAMS}) ||
      !readUnit(theDocument, aRoot) || !readPolarity(theDocument, aRoot))
  {
    return Standard_False;
  }
  const Json* aValue = nullptr;
  if ((aValue = member(theDocument, aRoot, THE_APERTURES)) == nullptr ||
      !readApertures(*aValue, aRoot.Child(THE_APERTURES)) ||
      (aValue = member(theDocument, aRoot, THE_LAYERS)) == nullptr ||
      !readLayers(*aValue, aRoot.Child(THE_LAYERS)) ||
      (aValue = member(theDocument, aRoot, THE_SCAN_FIELDS)) == nullptr ||
      !readScanFields(*aValue, aRoot.Child(THE_SCAN_FIELDS)) ||
      (aValue = member(theDocument, aRoot, THE_OBJECTS)) == nullptr ||
      !readObjects(*aValue, aRoot.Child(THE_OBJECTS)))
  {
    return Standard_False;
  }
  const Json::const_iterator aParams = theDocument.find(THE_PARAMS);
  return aParams == theDocument.end() || readParams(*aParams, aRoot.Child(THE_PARAMS));
}

Standard_Boolean VexDocument_JsonReader::readUnit(const Json&     theDocument,
                                                  const Location& theLocation)
{
  const Json* aValue = member(theDocument, theLocation, THE_UNIT);
  if (aValue == nullptr)
  {
    return Standard_False;
  }
  const Location   aLocation = theLocation.Child(THE_UNIT);
  Standard_Integer aUnit     = -1;
  if (aValue->is_string())
  {
    for (int anIndex = 0; anIndex < THE_NB_UNITS; ++anIndex)
    {
      aUnit = *aValue == THE_UNIT_NAMES[anIndex] ? anIndex : aUnit;
    }
    if (aUnit < 0)
    {
      return fail(aLocation, "unknown unit \"" + aValue->get<std::string>() +
                                 "\" (expected mm, um, inch or mil)");
    }
  }
  else if (!readValue(*aValue, aLocation, aUnit))
  {
    return Standard_False;
  }
  myModel->SetDimensionUnit(static_cast<PenFormatData_DimensionUnit>(aUnit));
  return Standard_True;
}

Standard_Boolean VexDocument_JsonReader::readPolarity(const Json&     theDocument,
                                                      const Location& theLocation)
{
  std::string aPolarity;
  if (!field(theDocument, theLocation, THE_POLARITY, aPolarity))
  {
    return Standard_False;
  }
  if (aPolarity != THE_POSITIVE && aPolarity != THE_NEGATIVE)
  {
    return fail(theLocation.Child(THE_POLARITY),
                "unknown polarity \"" + aPolarity + "\" (expected positive or negative)");
  }
  myModel->SetImagePolarity(aPolarity == THE_NEGATIVE ? PenFormatData_IP_Negative
                                                      : PenFormatData_IP_Positive);
  return Standard_True;
}

Standard_Boolean VexDocument_JsonReader::readApertureFields(const Json&     theObject,
                                                            const Location& theLocation,
                                                            Handle(PenFormatData_Aperture) &
                                                                theAperture)
{
  TCollection_ExtendedString aName;
  Standard_Integer           aShape = 0, aTool = 0;
  const Json*                aParams = nullptr;
  if (!field(theObject, theLocation, THE_NAME, aName) ||
      !field(theObject, theLocation, THE_SHAPE, aShape) ||
      (aParams = member(theObject, theLocation, THE_PARAMS)) == nullptr ||
      !expect(*aParams, theLocation.Child(THE_PARAMS), Json::value_t::array, "an array") ||
      !field(theObject, theLocation, THE_TOOL, aTool))
  {
    return Standard_False;
  }
  std::vector<Standard_Real> aValues(aParams->size());
  for (size_t anIndex = 0; anIndex < aValues.size(); ++anIndex)
  {
    if (!readValue((*aParams)[anIndex], theLocation.Child(THE_PARAMS).Child(anIndex),
                   aValues[anIndex]))
    {
      return Standard_False;
    }
  }
  theAperture = new PenFormatData_Aperture(aShape, aName, Handle(Standard_Transient)(), 0);
  theAperture->SetParam(aValues.data(), static_cast<Standard_Integer>(aValues.size()));
  theAperture->SetToolFlag(aTool);
  const Json::const_iterator anOutline = theObject.find(THE_OUTLINE);
  return anOutline == theObject.end() ||
         readOutline(*anOutline, theLocation.Child(THE_OUTLINE), *theAperture);
}

Standard_Boolean VexDocument_JsonReader::readOutline(const Json&             theArray,
                                                     const Location&         theLocation,
                                                     PenFormatData_Aperture& theAperture)
{
  if (!expect(theArray, theLocation, Json::value_t::array, "an array"))
  {
    return Standard_False;
  }
  NCollection_Vector<gp_XY>            aPoints(256);
  NCollection_Vector<Standard_Integer> anEnds(16);
  for (size_t aPolygon = 0; aPolygon < theArray.size(); ++aPolygon)
  {
    const Json&    aCorners  = theArray[aPolygon];
    const Location aLocation = theLocation.Child(aPolygon);
    if (!expect(aCorners, aLocation, Json::value_t::array, "an array"))
    {
      return Standard_False;
    }
    for (size_t anIndex = 0; anIndex < aCorners.size(); ++anIndex)
    {
      if (!readValue(aCorners[anIndex], aLocation.Child(anIndex), aPoints.Appended()))
      {
        return Standard_False;
      }
    }
    anEnds.Append(aPoints.Length());
  }
  theAperture.SetOutline(aPoints, anEnds);
  return Standard_True;
}

Standard_Boolean VexDocument_JsonReader::readApertures(const Json&     theArray,
                                                       const Location& theLocation)
{
  if (!expect(theArray, theLocation, Json::value_t::array, "an array"))
  {
    return Standard_False;
  }
  for (size_t anIndex = 0; anIndex < theArray.size(); ++anIndex)
  {
    const Json&            anEntry   = theArray[anIndex];
    const Location         aLocation = theLocation.Child(anIndex);
    const Standard_Integer aPosition = static_cast<Standard_Integer>(anIndex) + 1;
    Handle(PenFormatData_Aperture) anAperture;
    Standard_Integer aNumber = 0;
    if (!anEntry.is_null() &&
        (!expectObject(anEntry, aLocation,
                       {THE_NUMBER, THE_NAME, THE_SHAPE, THE_PARAMS, THE_TOOL, THE_OUTLINE}) ||
         !field(anEntry, aLocation, THE_NUMBER, aNumber) ||
         !readApertureFields(anEntry, aLocation, anAperture)))
    {
      return Standard_False;
    }
    if (!anEntry.is_null() && aNumber != aPosition)
    {
      return fail(aLocation.Child(THE_NUMBER),
                  "expected " + std::to_string(aPosition) + ", the entry's position in the table");
    }
    myModel->SetAperture(aPosition, anAperture);
  }
  return Standard_True;
}

Standard_Boolean VexDocument_JsonReader::readLayers(const Json&     theArray,
                                                    const Location& theLocation)
{
  if (!expect(theArray, theLocation, Json::value_t::array, "an array"))
  {
    return Standard_False;
  }
  for (size_t anIndex = 0; anIndex < theArray.size(); ++anIndex)
  {
    const Location             aLocation = theLocation.Child(anIndex);
    TCollection_ExtendedString aName;
    Standard_Integer           aFlags = 0;
    if (!expectObject(theArray[anIndex], aLocation, {THE_NAME, THE_FLAGS}) ||
        !field(theArray[anIndex], aLocation, THE_NAME, aName) ||
        !field(theArray[anIndex], aLocation, THE_FLAGS, aFlags))
    {
      return Standard_False;
    }
    if (!myModel->FindLayer(aName).IsNull())
    {
      // The table keeps one layer per name: a second entry would silently replace the first.
      return fail(aLocation.Child(THE_NAME),
                  "layer \"" + VexDocument_JsonWriter::Utf8(aName) + "\" is listed twice");
    }
    Handle(PenFormatData_Layer) aLayer = new PenFormatData_Layer(aName);
    aLayer->SetFlags(aFlags);
    myModel->SetLayer(aLayer);
  }
  return Standard_True;
}

Standard_Boolean VexDocument_JsonReader::readScanField(const Json&            theValue,
                                                       const Location&        theLocation,
                                                       const Standard_Integer theIndex)
{
  if (theValue.is_null())
  {
    myModel->SetScanField(theIndex, Handle(PenFormatData_ScanField)());
    return Standard_True;
  }
  Standard_Integer anIndex = 0, aNumber = 0, anOrder = 0;
  Standard_Real    aWidth = 0.0, aHeight = 0.0;
  gp_XY            aCenter;
  if (!expectObject(theValue, theLocation,
                    {THE_INDEX, THE_NUMBER, THE_ORDER, THE_WIDTH, THE_HEIGHT, THE_CENTER}) ||
      !field(theValue, theLocation, THE_INDEX, anIndex) ||
      !field(theValue, theLocation, THE_NUMBER, aNumber) ||
      !field(theValue, theLocation, THE_ORDER, anOrder) ||
      !field(theValue, theLocation, THE_WIDTH, aWidth) ||
      !field(theValue, theLocation, THE_HEIGHT, aHeight) ||
      !field(theValue, theLocation, THE_CENTER, aCenter))
  {
    return Standard_False;
  }
  if (anIndex != theIndex)
  {
    return fail(theLocation.Child(THE_INDEX),
                "expected " + std::to_string(theIndex) + ", the entry's position in the list");
  }
  myModel->SetScanField(theIndex,
                        new PenFormatData_ScanField(aNumber, anOrder, aWidth, aHeight, aCenter));
  return Standard_True;
}

Standard_Boolean VexDocument_JsonReader::readScanFields(const Json&     theArray,
                                                        const Location& theLocation)
{
  if (!expect(theArray, theLocation, Json::value_t::array, "an array"))
  {
    return Standard_False;
  }
  for (size_t anIndex = 0; anIndex < theArray.size(); ++anIndex)
  {
    if (!readScanField(theArray[anIndex], theLocation.Child(anIndex),
                       static_cast<Standard_Integer>(anIndex) + 1))
    {
      return Standard_False;
    }
  }
  return Standard_True;
}

Standard_Boolean VexDocument_JsonReader::readObjects(const Json&     theArray,
                                                     const Location& theLocation)
{
  if (!expect(theArray, theLocation, Json::value_t::array, "an array"))
  {
    return Standard_False;
  }
  for (size_t anIndex = 0; anIndex < theArray.size(); ++anIndex)
  {
    if (!readObject(theArray[anIndex], theLocation.Child(anIndex)))
    {
      return Standard_False;
    }
  }
  return Standard_True;
}

Standard_Boolean VexDocument_JsonReader::readObject(const Json&     theValue,
                                                    const Location& theLocation)
{
  if (theValue.is_null())
  {
    myModel->AddObject(Handle(PenFormatData_Object)());
    return Standard_True;
  }
  std::string aType;
  if (!expect(theValue, theLocation, Json::value_t::object, "an object") ||
      !field(theValue, theLocation, THE_TYPE, aType))
  {
    return Standard_False;
  }
  if (aType == THE_SEQUENCE)
  {
    return readSequence(theValue, theLocation);
  }
  if (aType == THE_LAYER)
  {
    return readLayerObject(theValue, theLocation);
  }
  if (aType == THE_APERTURE)
  {
    return readApertureObject(theValue, theLocation);
  }
  return fail(theLocation.Child(THE_TYPE),
              "unknown object type \"" + aType + "\" (expected sequence, layer or aperture)");
}

Standard_Boolean VexDocument_JsonReader::readLayerObject(const Json&     theObject,
                                                         const Location& theLocation)
{
  TCollection_ExtendedString aName;
  Standard_Integer           aFlags = 0;
  if (!expectObject(theObject, theLocation, {THE_TYPE, THE_NAME, THE_FLAGS}) ||
      !field(theObject, theLocation, THE_NAME, aName) ||
      !field(theObject, theLocation, THE_FLAGS, aFlags))
  {
    return Standard_False;
  }
  // The registered layer of that name stands for the object when it agrees with it.
  Handle(PenFormatData_Layer) aLayer = myModel->FindLayer(aName);
  if (aLayer.IsNull() || aLayer->Flags() != aFlags)
  {
    aLayer = new PenFormatData_Layer(aName);
    aLayer->SetFlags(aFlags);
  }
  myModel->AddObject(aLayer);
  return Standard_True;
}

Standard_Boolean VexDocument_JsonReader::readApertureObject(const Json&     theObject,
                                                            const Location& theLocation)
{
  Handle(PenFormatData_Aperture) anAperture;
  if (theObject.contains(THE_NUMBER))
  {
    Standard_Integer aNumber = 0;
    if (!expectObject(theObject, theLocation, {THE_TYPE, THE_NUMBER}) ||
        !field(theObject, theLocation, THE_NUMBER, aNumber))
    {
      return Standard_False;
    }
    anAperture = myModel->Aperture(aNumber);
    if (aNumber < 1 || anAperture.IsNull())
    {
      return fail(theLocation.Child(THE_NUMBER),
                  "no aperture " + std::to_string(aNumber) + " in the aperture table");
    }
  }
  else if (!expectObject(theObject, theLocation,
                         {THE_TYPE, THE_NAME, THE_SHAPE, THE_PARAMS, THE_TOOL, THE_OUTLINE}) ||
           !readApertureFields(theObject, theLocation, anAperture))
  {
    return Standard_False;
  }
  myModel->AddObject(anAperture);
  return Standard_True;
}

Standard_Boolean VexDocument_JsonReader::readSequence(const Json&     theObject,
                                                      const Location& theLocation)
{
  Standard_Integer           anAperture = 0, aFlags = 0, aMode = 0, aToolpath = 0, aScanField = 0;
  Standard_Boolean           isArea = Standard_False, isClear = Standard_False;
  TCollection_ExtendedString aPhase, aLayer;
  const Json*                aContours = nullptr;
  if (!expectObject(theObject, theLocation,
                    {THE_TYPE, THE_APERTURE, THE_FLAGS, THE_PHASE, THE_LAYER, THE_MODE,
                     THE_TOOLPATH, THE_SCAN_FIELD, THE_AREA, THE_CLEAR, THE_CONTOURS}) ||
      !optionalFlag(theObject, theLocation, THE_AREA, isArea) ||
      !optionalFlag(theObject, theLocation, THE_CLEAR, isClear) ||
      !field(theObject, theLocation, THE_APERTURE, anAperture) ||
      !field(theObject, theLocation, THE_FLAGS, aFlags) ||
      !field(theObject, theLocation, THE_PHASE, aPhase) ||
      !field(theObject, theLocation, THE_LAYER, aLayer) ||
      !field(theObject, theLocation, THE_MODE, aMode) ||
      !field(theObject, theLocation, THE_TOOLPATH, aToolpath) ||
      !field(theObject, theLocation, THE_SCAN_FIELD, aScanField) ||
      (aContours = member(theObject, theLocation, THE_CONTOURS)) == nullptr)
  {
    return Standard_False;
  }
  Handle(PhGeom_Curve) aContainer;
  if (!aContours->is_null())
  {
    aContainer = PhGeom_Curve::Create(myModel->Allocator(), 0);
    if (!readContours(*aContours, theLocation.Child(THE_CONTOURS), aContainer))
    {
      return Standard_False;
    }
  }
  Handle(PenFormatData_Sequence) aSequence =
      new PenFormatData_Sequence(anAperture, aFlags, aContainer);
  aSequence->SetPhaseName(aPhase);
  aSequence->SetLayerName(aLayer);
  aSequence->SetToolpathMode(aMode);
  aSequence->SetToolpathFlag(aToolpath);
  aSequence->SetScanFieldIndex(aScanField);
  aSequence->SetArea(isArea);
  aSequence->SetClear(isClear);
  myModel->AddObject(aSequence);
  return Standard_True;
}

Standard_Boolean VexDocument_JsonReader::readContours(const Json&     theArray,
                                                      const Location& theLocation,
                                                      const Handle(PhGeom_Curve) & theContainer)
{
  if (!expect(theArray, theLocation, Json::value_t::array, "an array or null"))
  {
    return Standard_False;
  }
  for (size_t anIndex = 0; anIndex < theArray.size(); ++anIndex)
  {
    const Json&    aContour  = theArray[anIndex];
    const Location aLocation = theLocation.Child(anIndex);
    if (aContour.is_null())
    {
      theContainer->AddChild(Handle(PhGeom_Curve)());
      continue;
    }
    const Json* anElements = nullptr;
    if (!expectObject(aContour, aLocation, {THE_ELEMENTS}) ||
        (anElements = member(aContour, aLocation, THE_ELEMENTS)) == nullptr ||
        !expect(*anElements, aLocation.Child(THE_ELEMENTS), Json::value_t::array, "an array"))
    {
      return Standard_False;
    }
    Handle(PhGeom_Curve) aCurve = PhGeom_Curve::Create(myModel->Allocator(), 0);
    for (size_t anElement = 0; anElement < anElements->size(); ++anElement)
    {
      if (!readElement((*anElements)[anElement], aLocation.Child(THE_ELEMENTS).Child(anElement),
                       *aCurve))
      {
        return Standard_False;
      }
    }
    theContainer->AddChild(aCurve);
  }
  return Standard_True;
}

Standard_Boolean VexDocument_JsonReader::readElement(const Json&     theValue,
                                                     const Location& theLocation,
                                                     PhGeom_Curve&   theContour)
{
  std::string aKind;
  if (!expect(theValue, theLocation, Json::value_t::object, "an object") ||
      !field(theValue, theLocation, THE_KIND, aKind))
  {
    return Standard_False;
  }
  gp_XY aFirst, aSecond;
  if (aKind == THE_SEGMENT)
  {
    if (!expectObject(theValue, theLocation, {THE_KIND, THE_START, THE_END}) ||
        !field(theValue, theLocation, THE_START, aFirst) ||
        !field(theValue, theLocation, THE_END, aSecond))
    {
      return Standard_False;
    }
    theContour.CreateSegment(aFirst, aSecond);
    return Standard_True;
  }
  if (aKind == THE_POINT)
  {
    if (!expectObject(theValue, theLocation, {THE_KIND, THE_AT}) ||
        !field(theValue, theLocation, THE_AT, aFirst))
    {
      return Standard_False;
    }
    theContour.CreatePoint(aFirst);
    return Standard_True;
  }
  if (aKind == THE_ARC)
  {
    return readArc(theValue, theLocation, theContour);
  }
  return fail(theLocation.Child(THE_KIND),
              "unknown element kind \"" + aKind + "\" (expected segment, arc or point)");
}

Standard_Boolean VexDocument_JsonReader::readArc(const Json& theObject, const Location& theLocation,
                                                 PhGeom_Curve& theContour)
{
  gp_XY         aCenter, anAngles;
  Standard_Real aRadius = 0.0;
  std::string   aSense;
  if (!expectObject(theObject, theLocation,
                    {THE_KIND, THE_CENTER, THE_RADIUS, THE_ANGLES, THE_SENSE}) ||
      !field(theObject, theLocation, THE_CENTER, aCenter) ||
      !field(theObject, theLocation, THE_RADIUS, aRadius) ||
      !field(theObject, theLocation, THE_ANGLES, anAngles) ||
      !field(theObject, theLocation, THE_SENSE, aSense))
  {
    return Standard_False;
  }
  if (aSense != THE_CCW && aSense != THE_CW)
  {
    return fail(theLocation.Child(THE_SENSE),
                "unknown sense \"" + aSense + "\" (expected ccw or cw)");
  }
  // The model keeps the start angle and the sweep: an end angle that start plus sweep cannot
  // reach exactly comes back an ulp away; angles that came from a model come back unchanged.
  theContour.CreateArc(aCenter, aRadius, anAngles.X(), anAngles.Y(), aSense == THE_CCW ? 1 : 0);
  return Standard_True;
}

Standard_Boolean VexDocument_JsonReader::readParams(const Json&     theArray,
                                                    const Location& theLocation)
{
  if (!expect(theArray, theLocation, Json::value_t::array, "an array"))
  {
    return Standard_False;
  }
  for (size_t anIndex = 0; anIndex < theArray.size(); ++anIndex)
  {
    TCollection_ExtendedString aParam;
    if (!readValue(theArray[anIndex], theLocation.Child(anIndex), aParam))
    {
      return Standard_False;
    }
    myParams.Append(aParam);
  }
  return Standard_True;
}
