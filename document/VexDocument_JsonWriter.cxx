// Copyright (c) 2026 VexData developers
#include <VexDocument_JsonWriter.hxx>

#include <VexDocument_JsonSchema.hxx>
#include <VexPcb_NumberText.hxx>

#include <nlohmann/json.hpp>

#include <algorithm>
#include <charconv>
#include <cmath>

using namespace VexDocument_JsonSchema;

namespace
{
//! Size above which the writer hands its text to the stream.
const size_t THE_FLUSH_SIZE = 1 << 16;
} // namespace

std::string VexDocument_JsonWriter::Utf8(const TCollection_ExtendedString& theText)
{
  std::string         aBuffer(static_cast<size_t>(theText.LengthOfCString()) + 1, '\0');
  Standard_PCharacter aData   = &aBuffer[0];
  const int           aLength = theText.ToUTF8CString(aData);
  aBuffer.resize(static_cast<size_t>(aLength));
  return aBuffer;
}

void VexDocument_JsonWriter::Write(
    const PenFormatData_Model&                              theModel,
    const NCollection_Sequence<TCollection_ExtendedString>& theParams)
{
  writeUnit(theModel);
  writeApertures(theModel);
  writeLayers(theModel);
  writeScanFields(theModel);
  writeObjects(theModel);
  writeParams(theParams);
  myOut += "\n}\n";
  myStream.write(myOut.data(), static_cast<std::streamsize>(myOut.size()));
  myOut.clear();
}

void VexDocument_JsonWriter::flushIfFull()
{
  if (myOut.size() >= THE_FLUSH_SIZE)
  {
    myStream.write(myOut.data(), static_cast<std::streamsize>(myOut.size()));
    myOut.clear();
  }
}

void VexDocument_JsonWriter::member(const char* theSeparator, const char* theName)
{
  myOut += theSeparator;
  myOut += "\n  \"";
  myOut += theName;
  myOut += "\": ";
}

void VexDocument_JsonWriter::key(const char* theName)
{
  myOut += '"';
  myOut += theName;
  myOut += "\":";
}

void VexDocument_JsonWriter::word(const char* theWord)
{
  myOut += '"';
  myOut += theWord;
  myOut += '"';
}

void VexDocument_JsonWriter::real(const double theValue)
{
  // The shortest decimal form, always with a fraction or an exponent so that it reads as a
  // real; the words "nan", "inf" and "-inf" for values JSON has no number for.
  if (std::isnan(theValue))
  {
    word(THE_NAN);
    return;
  }
  if (std::isinf(theValue))
  {
    word(theValue > 0.0 ? THE_INF : THE_MINUS_INF);
    return;
  }
  char        aBuffer[64];
  char* const anEnd = std::to_chars(aBuffer, aBuffer + sizeof(aBuffer), theValue).ptr;
  myOut.append(aBuffer, anEnd);
  if (std::find_if(aBuffer, anEnd,
                   [](const char theChar) { return theChar == '.' || theChar == 'e'; }) == anEnd)
  {
    myOut += ".0";
  }
}

void VexDocument_JsonWriter::integer(const Standard_Integer theValue)
{
  char aBuffer[VexPcb_NumberText::THE_ROOM];
  myOut.append(aBuffer, VexPcb_NumberText::Integer(aBuffer, theValue));
}

void VexDocument_JsonWriter::text(const TCollection_ExtendedString& theText)
{
  myOut +=
      nlohmann::json(Utf8(theText)).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

void VexDocument_JsonWriter::point(const gp_XY& thePoint)
{
  myOut += '[';
  real(thePoint.X());
  myOut += ',';
  real(thePoint.Y());
  myOut += ']';
}

void VexDocument_JsonWriter::entry(const Standard_Integer theIndex, const int theIndent)
{
  myOut += theIndex == 0 ? "\n" : ",\n";
  myOut.append(static_cast<size_t>(theIndent), ' ');
  flushIfFull();
}

void VexDocument_JsonWriter::closeArray(const Standard_Integer theCount, const int theIndent)
{
  if (theCount > 0)
  {
    myOut += '\n';
    myOut.append(static_cast<size_t>(theIndent - 2), ' ');
  }
  myOut += ']';
}

void VexDocument_JsonWriter::writeUnit(const PenFormatData_Model& theModel)
{
  // A unit without a name is written as its number.
  const int aUnit = static_cast<int>(theModel.DimensionUnit());
  member("{", THE_UNIT);
  if (aUnit >= 0 && aUnit < THE_NB_UNITS)
  {
    word(THE_UNIT_NAMES[aUnit]);
  }
  else
  {
    integer(aUnit);
  }
  member(",", THE_POLARITY);
  word(theModel.ImagePolarity() == PenFormatData_IP_Negative ? THE_NEGATIVE : THE_POSITIVE);
}

void VexDocument_JsonWriter::writeApertureFields(const PenFormatData_Aperture& theAperture)
{
  key(THE_NAME);
  text(theAperture.Name());
  myOut += ',';
  key(THE_SHAPE);
  integer(theAperture.ShapeCode());
  myOut += ',';
  key(THE_PARAMS);
  myOut += '[';
  for (Standard_Integer anIndex = 1; anIndex <= theAperture.NbParams(); ++anIndex)
  {
    if (anIndex > 1)
    {
      myOut += ',';
    }
    real(theAperture.Param(anIndex));
  }
  myOut += "],";
  key(THE_TOOL);
  integer(theAperture.ToolFlag());
  if (theAperture.HasOutline())
  {
    myOut += ',';
    writeOutline(theAperture);
  }
}

void VexDocument_JsonWriter::writeOutline(const PenFormatData_Aperture& theAperture)
{
  // Polygons as arrays of corners; a polygon's corners run from the end of the one before.
  const NCollection_Vector<gp_XY>&            aPoints = theAperture.OutlinePoints();
  const NCollection_Vector<Standard_Integer>& anEnds  = theAperture.OutlineEnds();
  key(THE_OUTLINE);
  myOut += '[';
  Standard_Integer aFirst = 0;
  for (Standard_Integer aPolygon = 0; aPolygon < anEnds.Length(); ++aPolygon)
  {
    myOut += aPolygon == 0 ? "[" : ",[";
    const Standard_Integer aLast = Min(anEnds(aPolygon), aPoints.Length());
    for (Standard_Integer anIndex = aFirst; anIndex < aLast; ++anIndex)
    {
      if (anIndex > aFirst)
      {
        myOut += ',';
      }
      point(aPoints(anIndex));
    }
    myOut += ']';
    aFirst = Max(aFirst, aLast);
    flushIfFull();
  }
  myOut += ']';
}

void VexDocument_JsonWriter::writeApertures(const PenFormatData_Model& theModel)
{
  member(",", THE_APERTURES);
  myOut += '[';
  for (Standard_Integer aNumber = 1; aNumber < theModel.NbApertures(); ++aNumber)
  {
    entry(aNumber - 1, 4);
    const Handle(PenFormatData_Aperture) anAperture = theModel.Aperture(aNumber);
    if (anAperture.IsNull())
    {
      myOut += "null";
      continue;
    }
    if (!myApertureNumbers.IsBound(anAperture))
    {
      myApertureNumbers.Bind(anAperture, aNumber);
    }
    myOut += '{';
    key(THE_NUMBER);
    integer(aNumber);
    myOut += ',';
    writeApertureFields(*anAperture);
    myOut += '}';
  }
  closeArray(theModel.NbApertures() - 1, 4);
}

void VexDocument_JsonWriter::writeLayers(const PenFormatData_Model& theModel)
{
  member(",", THE_LAYERS);
  myOut += '[';
  for (Standard_Integer anIndex = 1; anIndex <= theModel.NbLayers(); ++anIndex)
  {
    entry(anIndex - 1, 4);
    const Handle(PenFormatData_Layer)& aLayer = theModel.Layer(anIndex);
    myOut += '{';
    key(THE_NAME);
    text(aLayer->Name());
    myOut += ',';
    key(THE_FLAGS);
    integer(aLayer->Flags());
    myOut += '}';
  }
  closeArray(theModel.NbLayers(), 4);
}

void VexDocument_JsonWriter::writeScanFields(const PenFormatData_Model& theModel)
{
  member(",", THE_SCAN_FIELDS);
  myOut += '[';
  for (Standard_Integer anIndex = 1; anIndex < theModel.NbScanFields(); ++anIndex)
  {
    entry(anIndex - 1, 4);
    const Handle(PenFormatData_ScanField) aField = theModel.ScanField(anIndex);
    if (aField.IsNull())
    {
      myOut += "null";
      continue;
    }
    myOut += '{';
    key(THE_INDEX);
    integer(anIndex);
    myOut += ',';
    key(THE_NUMBER);
    integer(aField->Number());
    myOut += ',';
    key(THE_ORDER);
    integer(aField->Order());
    myOut += ',';
    key(THE_WIDTH);
    real(aField->Width());
    myOut += ',';
    key(THE_HEIGHT);
    real(aField->Height());
    myOut += ',';
    key(THE_CENTER);
    point(aField->Center());
    myOut += '}';
  }
  closeArray(theModel.NbScanFields() - 1, 4);
}

void VexDocument_JsonWriter::writeObjects(const PenFormatData_Model& theModel)
{
  member(",", THE_OBJECTS);
  myOut += '[';
  Standard_Integer anIndex = 0;
  for (NCollection_List<Handle(PenFormatData_Object)>::Iterator anIter(theModel.Objects());
       anIter.More(); anIter.Next(), ++anIndex)
  {
    entry(anIndex, 4);
    writeObject(anIter.Value());
  }
  closeArray(anIndex, 4);
}

void VexDocument_JsonWriter::writeObject(const Handle(PenFormatData_Object) & theObject)
{
  // The object types of layers and apertures are the words of their members.
  if (const Handle(PenFormatData_Sequence) aSequence =
          Handle(PenFormatData_Sequence)::DownCast(theObject))
  {
    writeSequence(*aSequence);
  }
  else if (const Handle(PenFormatData_Layer) aLayer =
               Handle(PenFormatData_Layer)::DownCast(theObject))
  {
    myOut += '{';
    key(THE_TYPE);
    word(THE_LAYER);
    myOut += ',';
    key(THE_NAME);
    text(aLayer->Name());
    myOut += ',';
    key(THE_FLAGS);
    integer(aLayer->Flags());
    myOut += '}';
  }
  else if (const Handle(PenFormatData_Aperture) anAperture =
               Handle(PenFormatData_Aperture)::DownCast(theObject))
  {
    myOut += '{';
    key(THE_TYPE);
    word(THE_APERTURE);
    myOut += ',';
    if (const Standard_Integer* aNumber = myApertureNumbers.Seek(anAperture))
    {
      key(THE_NUMBER);
      integer(*aNumber);
    }
    else
    {
      writeApertureFields(*anAperture);
    }
    myOut += '}';
  }
  else
  {
    // Null handles, and objects of kinds the document does not know, become null.
    myOut += "null";
  }
}

void VexDocument_JsonWriter::writeSequence(const PenFormatData_Sequence& theSequence)
{
  myOut += '{';
  key(THE_TYPE);
  word(THE_SEQUENCE);
  myOut += ',';
  key(THE_APERTURE);
  integer(theSequence.ApertureNumber());
  myOut += ',';
  key(THE_FLAGS);
  integer(theSequence.Flags());
  myOut += ',';
  key(THE_PHASE);
  text(theSequence.PhaseName());
  myOut += ',';
  key(THE_LAYER);
  text(theSequence.LayerName());
  myOut += ',';
  key(THE_MODE);
  integer(theSequence.ToolpathMode());
  myOut += ',';
  key(THE_TOOLPATH);
  integer(theSequence.ToolpathFlag());
  myOut += ',';
  key(THE_SCAN_FIELD);
  integer(theSequence.ScanFieldIndex());
  myOut += ',';
  // The drawing attributes of design artwork appear only when set, so documents of machine
  // files keep their form.
  if (theSequence.IsArea())
  {
    key(THE_AREA);
    myOut += "true,";
  }
  if (theSequence.IsClear())
  {
    key(THE_CLEAR);
    myOut += "true,";
  }
  key(THE_CONTOURS);
  const Handle(PhGeom_Curve)& aCurve = theSequence.GetCurve();
  if (aCurve.IsNull())
  {
    myOut += "null}";
    return;
  }
  myOut += '[';
  Standard_Integer anIndex = 0;
  for (NCollection_List<Handle(PhGeom_Curve)>::Iterator anIter(aCurve->Children()); anIter.More();
       anIter.Next(), ++anIndex)
  {
    entry(anIndex, 6);
    writeContour(anIter.Value());
  }
  closeArray(anIndex, 6);
  myOut += '}';
}

void VexDocument_JsonWriter::writeContour(const Handle(PhGeom_Curve) & theContour)
{
  if (theContour.IsNull())
  {
    myOut += "null";
    return;
  }
  myOut += '{';
  key(THE_ELEMENTS);
  myOut += '[';
  Standard_Integer anIndex = 0;
  for (PhGeom_Curve::ElementIterator anIter(*theContour); anIter.More(); anIter.Next(), ++anIndex)
  {
    entry(anIndex, 8);
    writeElement(anIter.Value());
  }
  closeArray(anIndex, 8);
  myOut += '}';
}

void VexDocument_JsonWriter::writeElement(const PhGeom_Element& theElement)
{
  myOut += '{';
  key(THE_KIND);
  switch (theElement.Kind())
  {
  case PhGeom_Element::Kind_Arc:
  {
    const PhGeom_Arc& anArc = static_cast<const PhGeom_Arc&>(theElement);
    word(THE_ARC);
    myOut += ',';
    key(THE_CENTER);
    point(anArc.Center());
    myOut += ',';
    key(THE_RADIUS);
    real(anArc.Radius());
    myOut += ',';
    key(THE_ANGLES);
    point(gp_XY(anArc.Angle(0), anArc.Angle(1)));
    myOut += ',';
    key(THE_SENSE);
    word(anArc.Sense() == 1 ? THE_CCW : THE_CW);
    break;
  }
  case PhGeom_Element::Kind_Segment:
    word(THE_SEGMENT);
    myOut += ',';
    key(THE_START);
    point(theElement.StartPoint());
    myOut += ',';
    key(THE_END);
    point(theElement.EndPoint());
    break;
  default:
    word(THE_POINT);
    myOut += ',';
    key(THE_AT);
    point(theElement.StartPoint());
    break;
  }
  myOut += '}';
}

void VexDocument_JsonWriter::writeParams(
    const NCollection_Sequence<TCollection_ExtendedString>& theParams)
{
  if (theParams.IsEmpty())
  {
    return;
  }
  member(",", THE_PARAMS);
  myOut += '[';
  Standard_Integer anIndex = 0;
  for (NCollection_Sequence<TCollection_ExtendedString>::Iterator anIter(theParams); anIter.More();
       anIter.Next(), ++anIndex)
  {
    entry(anIndex, 4);
    text(anIter.Value());
  }
  closeArray(anIndex, 4);
}
