// Copyright (c) 2026 VexData developers
#include <VexHost_Json.hxx>

#include <PenFormatData_Sequence.hxx>
#include <PhGeom_Curve.hxx>

#include <Message_Msg.hxx>
#include <NCollection_DataMap.hxx>
#include <Standard_Failure.hxx>

#include <nlohmann/json.hpp>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <initializer_list>
#include <limits>
#include <new>
#include <string>
#include <vector>

namespace
{
using Json = nlohmann::json;

//! Size above which the writer hands its buffer to the stream.
const size_t THE_FLUSH_SIZE = 1 << 16;

//! Names of the dimension units, by unit value.
const char* const THE_UNIT_NAMES[] = {"mm", "um", "inch", "mil"};

//! Returns theText encoded as UTF-8.
std::string toUtf8(const TCollection_ExtendedString& theText)
{
  std::string         aBuffer(static_cast<size_t>(theText.LengthOfCString()) + 1, '\0');
  Standard_PCharacter aData   = &aBuffer[0];
  const int           aLength = theText.ToUTF8CString(aData);
  aBuffer.resize(static_cast<size_t>(aLength));
  return aBuffer;
}

//! Appends theValue so that reading it back gives the same double: the shortest decimal form,
//! always with a fraction or an exponent so that it reads as a real, and the names "nan", "inf"
//! and "-inf" (as strings) for values JSON has no number for.
void appendReal(std::string& theOut, const double theValue)
{
  if (std::isnan(theValue))
  {
    theOut += "\"nan\"";
    return;
  }
  if (std::isinf(theValue))
  {
    theOut += theValue > 0.0 ? "\"inf\"" : "\"-inf\"";
    return;
  }
  char                       aBuffer[64];
  const std::to_chars_result aResult = std::to_chars(aBuffer, aBuffer + sizeof(aBuffer), theValue);
  const std::string          aText(aBuffer, aResult.ptr);
  theOut += aText;
  if (aText.find_first_of(".e") == std::string::npos)
  {
    theOut += ".0";
  }
}

//! Appends theText as a JSON string.
void appendText(std::string& theOut, const TCollection_ExtendedString& theText)
{
  theOut += Json(toUtf8(theText)).dump(-1, ' ', false, Json::error_handler_t::replace);
}

//! Writes a model as a document with one table entry, object or curve element per line.
class DocumentWriter
{
public:
  //! Creates a writer into theStream.
  explicit DocumentWriter(Standard_OStream& theStream) : myStream(theStream) {}

  //! Writes the whole document.
  void Write(const PenFormatData_Model&                              theModel,
             const NCollection_Sequence<TCollection_ExtendedString>& theParams);

private:
  //! Hands the buffer to the stream once it is large.
  void flushIfFull()
  {
    if (myOut.size() >= THE_FLUSH_SIZE)
    {
      myStream.write(myOut.data(), static_cast<std::streamsize>(myOut.size()));
      myOut.clear();
    }
  }

  //! Appends a key and its colon.
  void key(const char* theName)
  {
    myOut += '"';
    myOut += theName;
    myOut += "\":";
  }

  //! Appends a point as a two-number array.
  void point(const gp_XY& thePoint)
  {
    myOut += '[';
    appendReal(myOut, thePoint.X());
    myOut += ',';
    appendReal(myOut, thePoint.Y());
    myOut += ']';
  }

  //! Starts array entry theIndex at theIndent spaces.
  void entry(const Standard_Integer theIndex, const int theIndent)
  {
    myOut += theIndex == 0 ? "\n" : ",\n";
    myOut.append(static_cast<size_t>(theIndent), ' ');
    flushIfFull();
  }

  //! Closes an array of theCount entries whose entries stood at theIndent spaces.
  void closeArray(const Standard_Integer theCount, const int theIndent)
  {
    if (theCount > 0)
    {
      myOut += '\n';
      myOut.append(static_cast<size_t>(theIndent - 2), ' ');
    }
    myOut += ']';
  }

  void writeApertureFields(const PenFormatData_Aperture& theAperture);
  void writeApertures(const PenFormatData_Model& theModel);
  void writeLayers(const PenFormatData_Model& theModel);
  void writeScanFields(const PenFormatData_Model& theModel);
  void writeObjects(const PenFormatData_Model& theModel);
  void writeObject(const Handle(PenFormatData_Object) & theObject);
  void writeSequence(const PenFormatData_Sequence& theSequence);
  void writeContour(const Handle(PhGeom_Curve) & theContour);
  void writeElement(const PhGeom_Element& theElement);
  void writeParams(const NCollection_Sequence<TCollection_ExtendedString>& theParams);

  Standard_OStream& myStream; //!< destination
  std::string       myOut;    //!< text not yet handed to the stream
  NCollection_DataMap<Handle(PenFormatData_Aperture), Standard_Integer>
      myApertureNumbers; //!< table number of each aperture of the table
};

void DocumentWriter::Write(const PenFormatData_Model&                              theModel,
                           const NCollection_Sequence<TCollection_ExtendedString>& theParams)
{
  const int aUnit = static_cast<int>(theModel.DimensionUnit());
  myOut += "{\n  \"unit\": ";
  if (aUnit >= 0 && aUnit < 4)
  {
    myOut += std::string("\"") + THE_UNIT_NAMES[aUnit] + "\"";
  }
  else
  {
    myOut += std::to_string(aUnit);
  }
  myOut += ",\n  \"polarity\": ";
  myOut += theModel.ImagePolarity() == PenFormatData_IP_Negative ? "\"negative\"" : "\"positive\"";
  writeApertures(theModel);
  writeLayers(theModel);
  writeScanFields(theModel);
  writeObjects(theModel);
  writeParams(theParams);
  myOut += "\n}\n";
  myStream.write(myOut.data(), static_cast<std::streamsize>(myOut.size()));
  myOut.clear();
}

void DocumentWriter::writeApertureFields(const PenFormatData_Aperture& theAperture)
{
  key("name");
  appendText(myOut, theAperture.Name());
  myOut += ',';
  key("shape");
  myOut += std::to_string(theAperture.ShapeCode()) + ',';
  key("params");
  myOut += '[';
  for (Standard_Integer anIndex = 1; anIndex <= theAperture.NbParams(); ++anIndex)
  {
    if (anIndex > 1)
    {
      myOut += ',';
    }
    appendReal(myOut, theAperture.Param(anIndex));
  }
  myOut += "],";
  key("tool");
  myOut += std::to_string(theAperture.ToolFlag());
}

void DocumentWriter::writeApertures(const PenFormatData_Model& theModel)
{
  myOut += ",\n  \"apertures\": [";
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
    key("number");
    myOut += std::to_string(aNumber) + ',';
    writeApertureFields(*anAperture);
    myOut += '}';
  }
  closeArray(theModel.NbApertures() - 1, 4);
}

void DocumentWriter::writeLayers(const PenFormatData_Model& theModel)
{
  myOut += ",\n  \"layers\": [";
  for (Standard_Integer anIndex = 1; anIndex <= theModel.NbLayers(); ++anIndex)
  {
    entry(anIndex - 1, 4);
    const Handle(PenFormatData_Layer)& aLayer = theModel.Layer(anIndex);
    myOut += '{';
    key("name");
    appendText(myOut, aLayer->Name());
    myOut += ',';
    key("flags");
    myOut += std::to_string(aLayer->Flags()) + '}';
  }
  closeArray(theModel.NbLayers(), 4);
}

void DocumentWriter::writeScanFields(const PenFormatData_Model& theModel)
{
  myOut += ",\n  \"scanFields\": [";
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
    key("index");
    myOut += std::to_string(anIndex) + ',';
    key("number");
    myOut += std::to_string(aField->Number()) + ',';
    key("order");
    myOut += std::to_string(aField->Order()) + ',';
    key("width");
    appendReal(myOut, aField->Width());
    myOut += ',';
    key("height");
    appendReal(myOut, aField->Height());
    myOut += ',';
    key("center");
    point(aField->Center());
    myOut += '}';
  }
  closeArray(theModel.NbScanFields() - 1, 4);
}

void DocumentWriter::writeObjects(const PenFormatData_Model& theModel)
{
  myOut += ",\n  \"objects\": [";
  Standard_Integer anIndex = 0;
  for (NCollection_List<Handle(PenFormatData_Object)>::Iterator anIter(theModel.Objects());
       anIter.More(); anIter.Next(), ++anIndex)
  {
    entry(anIndex, 4);
    writeObject(anIter.Value());
  }
  closeArray(anIndex, 4);
}

void DocumentWriter::writeObject(const Handle(PenFormatData_Object) & theObject)
{
  if (const Handle(PenFormatData_Sequence) aSequence =
          Handle(PenFormatData_Sequence)::DownCast(theObject))
  {
    writeSequence(*aSequence);
  }
  else if (const Handle(PenFormatData_Layer) aLayer =
               Handle(PenFormatData_Layer)::DownCast(theObject))
  {
    myOut += "{\"type\":\"layer\",";
    key("name");
    appendText(myOut, aLayer->Name());
    myOut += ',';
    key("flags");
    myOut += std::to_string(aLayer->Flags()) + '}';
  }
  else if (const Handle(PenFormatData_Aperture) anAperture =
               Handle(PenFormatData_Aperture)::DownCast(theObject))
  {
    myOut += "{\"type\":\"aperture\",";
    if (const Standard_Integer* aNumber = myApertureNumbers.Seek(anAperture))
    {
      key("number");
      myOut += std::to_string(*aNumber);
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

void DocumentWriter::writeSequence(const PenFormatData_Sequence& theSequence)
{
  myOut += "{\"type\":\"sequence\",";
  key("aperture");
  myOut += std::to_string(theSequence.ApertureNumber()) + ',';
  key("flags");
  myOut += std::to_string(theSequence.Flags()) + ',';
  key("phase");
  appendText(myOut, theSequence.PhaseName());
  myOut += ',';
  key("layer");
  appendText(myOut, theSequence.LayerName());
  myOut += ',';
  key("mode");
  myOut += std::to_string(theSequence.ToolpathMode()) + ',';
  key("toolpath");
  myOut += std::to_string(theSequence.ToolpathFlag()) + ',';
  key("scanField");
  myOut += std::to_string(theSequence.ScanFieldIndex()) + ',';
  // The drawing attributes of design artwork appear only when set, so documents of machine
  // files keep their form.
  if (theSequence.IsArea())
  {
    myOut += "\"area\":true,";
  }
  if (theSequence.IsClear())
  {
    myOut += "\"clear\":true,";
  }
  key("contours");
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

void DocumentWriter::writeContour(const Handle(PhGeom_Curve) & theContour)
{
  if (theContour.IsNull())
  {
    myOut += "null";
    return;
  }
  myOut += "{\"elements\":[";
  Standard_Integer anIndex = 0;
  for (PhGeom_Curve::ElementIterator anIter(*theContour); anIter.More(); anIter.Next(), ++anIndex)
  {
    entry(anIndex, 8);
    writeElement(anIter.Value());
  }
  closeArray(anIndex, 8);
  myOut += '}';
}

void DocumentWriter::writeElement(const PhGeom_Element& theElement)
{
  switch (theElement.Kind())
  {
  case PhGeom_Element::Kind_Arc:
  {
    const PhGeom_Arc& anArc = static_cast<const PhGeom_Arc&>(theElement);
    myOut += "{\"kind\":\"arc\",";
    key("center");
    point(anArc.Center());
    myOut += ',';
    key("radius");
    appendReal(myOut, anArc.Radius());
    myOut += ',';
    key("angles");
    point(gp_XY(anArc.Angle(0), anArc.Angle(1)));
    myOut += anArc.Sense() == 1 ? ",\"sense\":\"ccw\"}" : ",\"sense\":\"cw\"}";
    break;
  }
  case PhGeom_Element::Kind_Segment:
    myOut += "{\"kind\":\"segment\",";
    key("start");
    point(theElement.StartPoint());
    myOut += ',';
    key("end");
    point(theElement.EndPoint());
    myOut += '}';
    break;
  default:
    myOut += "{\"kind\":\"point\",";
    key("at");
    point(theElement.StartPoint());
    myOut += '}';
    break;
  }
}

void DocumentWriter::writeParams(const NCollection_Sequence<TCollection_ExtendedString>& theParams)
{
  if (theParams.IsEmpty())
  {
    return;
  }
  myOut += ",\n  \"params\": [";
  Standard_Integer anIndex = 0;
  for (NCollection_Sequence<TCollection_ExtendedString>::Iterator anIter(theParams); anIter.More();
       anIter.Next(), ++anIndex)
  {
    entry(anIndex, 4);
    appendText(myOut, anIter.Value());
  }
  closeArray(anIndex, 4);
}

//! Where a value stands in the document: a chain of keys and array positions that lives on the
//! stack while the value is read, turned into a JSON pointer only when something is wrong.
struct Location
{
  const Location* Parent; //!< enclosing value, null for the document itself
  const char*     Key;    //!< member name, null for an array entry
  size_t          Index;  //!< array position when Key is null

  //! Returns the location of member theKey of this value.
  Location Child(const char* theKey) const { return Location{this, theKey, 0}; }

  //! Returns the location of entry theIndex of this array.
  Location Child(const size_t theIndex) const { return Location{this, nullptr, theIndex}; }

  //! Returns the JSON pointer of the value ("" for the document).
  std::string Pointer() const
  {
    if (Parent == nullptr)
    {
      return std::string();
    }
    return Parent->Pointer() + "/" + (Key != nullptr ? std::string(Key) : std::to_string(Index));
  }
};

//! Builds a model from a parsed document, checking every value on the way. The first fault
//! stops the reading and is kept as a message that names its JSON pointer.
class DocumentReader
{
public:
  //! Creates a reader with an empty model in the default unit.
  DocumentReader() : myModel(new PenFormatData_Model()) {}

  //! Reads theDocument; returns false at the first fault.
  Standard_Boolean Read(const Json& theDocument);

  //! Returns the model built so far.
  const Handle(PenFormatData_Model) & Model() const { return myModel; }

  //! Returns the export parameters of the document.
  const NCollection_Sequence<TCollection_ExtendedString>& Params() const { return myParams; }

  //! Returns the message of the fault.
  const std::string& Error() const { return myError; }

private:
  //! Records the fault theWhat at theLocation and returns false.
  Standard_Boolean fail(const Location& theLocation, const std::string& theWhat)
  {
    const std::string aPointer = theLocation.Pointer();
    myError = (aPointer.empty() ? std::string("document") : aPointer) + ": " + theWhat;
    return Standard_False;
  }

  //! Fails unless theValue is of theType (named theTypeName in the message).
  Standard_Boolean expect(const Json& theValue, const Location& theLocation,
                          const Json::value_t theType, const char* theTypeName)
  {
    if (theValue.type() == theType)
    {
      return Standard_True;
    }
    return fail(theLocation,
                std::string("expected ") + theTypeName + ", found " + theValue.type_name());
  }

  Standard_Boolean expectObject(const Json& theValue, const Location& theLocation,
                                std::initializer_list<const char*> theKeys);
  const Json*      member(const Json& theObject, const Location& theLocation, const char* theKey);
  Standard_Boolean readValue(const Json& theValue, const Location& theLocation,
                             Standard_Integer& theResult);
  Standard_Boolean readValue(const Json& theValue, const Location& theLocation,
                             Standard_Real& theResult);
  Standard_Boolean readValue(const Json& theValue, const Location& theLocation,
                             std::string& theResult);
  Standard_Boolean readValue(const Json& theValue, const Location& theLocation,
                             TCollection_ExtendedString& theResult);
  Standard_Boolean readValue(const Json& theValue, const Location& theLocation, gp_XY& theResult);

  //! Reads required member theKey of theObject into theResult.
  template <typename Type>
  Standard_Boolean field(const Json& theObject, const Location& theLocation, const char* theKey,
                         Type& theResult)
  {
    const Json* aValue = member(theObject, theLocation, theKey);
    return aValue != nullptr && readValue(*aValue, theLocation.Child(theKey), theResult);
  }

  //! Reads optional boolean member theKey of theObject into theResult (left as it is when the
  //! member is absent).
  Standard_Boolean optionalFlag(const Json& theObject, const Location& theLocation,
                                const char* theKey, Standard_Boolean& theResult)
  {
    const Json::const_iterator anIter = theObject.find(theKey);
    if (anIter == theObject.end())
    {
      return Standard_True;
    }
    if (!expect(*anIter, theLocation.Child(theKey), Json::value_t::boolean, "true or false"))
    {
      return Standard_False;
    }
    theResult = anIter->get<bool>();
    return Standard_True;
  }

  Standard_Boolean readUnit(const Json& theDocument, const Location& theLocation);
  Standard_Boolean readPolarity(const Json& theDocument, const Location& theLocation);
  Standard_Boolean readApertureFields(const Json& theObject, const Location& theLocation,
                                      Handle(PenFormatData_Aperture) & theAperture);
  Standard_Boolean readApertures(const Json& theArray, const Location& theLocation);
  Standard_Boolean readLayers(const Json& theArray, const Location& theLocation);
  Standard_Boolean readScanField(const Json& theValue, const Location& theLocation,
                                 const Standard_Integer theIndex);
  Standard_Boolean readScanFields(const Json& theArray, const Location& theLocation);
  Standard_Boolean readObjects(const Json& theArray, const Location& theLocation);
  Standard_Boolean readObject(const Json& theValue, const Location& theLocation);
  Standard_Boolean readLayerObject(const Json& theObject, const Location& theLocation);
  Standard_Boolean readApertureObject(const Json& theObject, const Location& theLocation);
  Standard_Boolean readSequence(const Json& theObject, const Location& theLocation);
  Standard_Boolean readContours(const Json& theArray, const Location& theLocation,
                                const Handle(PhGeom_Curve) & theContainer);
  Standard_Boolean readElement(const Json& theValue, const Location& theLocation,
                               PhGeom_Curve& theContour);
  Standard_Boolean readArc(const Json& theObject, const Location& theLocation,
                           PhGeom_Curve& theContour);
  Standard_Boolean readParams(const Json& theArray, const Location& theLocation);

  Handle(PenFormatData_Model) myModel;                       //!< model being built
  NCollection_Sequence<TCollection_ExtendedString> myParams; //!< export parameters
  std::string                                      myError;  //!< message of the fault
};

Standard_Boolean DocumentReader::expectObject(const Json& theValue, const Location& theLocation,
                                              std::initializer_list<const char*> theKeys)
{
  if (!expect(theValue, theLocation, Json::value_t::object, "an object"))
  {
    return Standard_False;
  }
  for (Json::const_iterator anIter = theValue.begin(); anIter != theValue.end(); ++anIter)
  {
    Standard_Boolean isKnown = Standard_False;
    for (const char* aKey : theKeys)
    {
      isKnown = isKnown || anIter.key() == aKey;
    }
    if (!isKnown)
    {
      const std::string aKey = anIter.key();
      return fail(theLocation.Child(aKey.c_str()), "unknown field");
    }
  }
  return Standard_True;
}

const Json* DocumentReader::member(const Json& theObject, const Location& theLocation,
                                   const char* theKey)
{
  const Json::const_iterator anIter = theObject.find(theKey);
  if (anIter == theObject.end())
  {
    fail(theLocation, std::string("missing field \"") + theKey + "\"");
    return nullptr;
  }
  return &*anIter;
}

Standard_Boolean DocumentReader::readValue(const Json& theValue, const Location& theLocation,
                                           Standard_Integer& theResult)
{
  const std::int64_t aMin = std::numeric_limits<Standard_Integer>::min();
  const std::int64_t aMax = std::numeric_limits<Standard_Integer>::max();
  if (theValue.is_number_unsigned() && theValue.get<std::uint64_t>() <= std::uint64_t(aMax))
  {
    theResult = static_cast<Standard_Integer>(theValue.get<std::uint64_t>());
    return Standard_True;
  }
  if (theValue.is_number_integer() && !theValue.is_number_unsigned() &&
      theValue.get<std::int64_t>() >= aMin && theValue.get<std::int64_t>() <= aMax)
  {
    theResult = static_cast<Standard_Integer>(theValue.get<std::int64_t>());
    return Standard_True;
  }
  if (theValue.is_number_integer())
  {
    return fail(theLocation, "integer out of the 32-bit range");
  }
  return fail(theLocation, std::string("expected an integer, found ") + theValue.type_name());
}

Standard_Boolean DocumentReader::readValue(const Json& theValue, const Location& theLocation,
                                           Standard_Real& theResult)
{
  if (theValue.is_number())
  {
    theResult = theValue.get<double>();
    return Standard_True;
  }
  if (theValue.is_string())
  {
    const std::string& aText = theValue.get_ref<const std::string&>();
    if (aText == "nan" || aText == "inf" || aText == "-inf")
    {
      theResult = aText == "nan"   ? std::numeric_limits<double>::quiet_NaN()
                  : aText == "inf" ? std::numeric_limits<double>::infinity()
                                   : -std::numeric_limits<double>::infinity();
      return Standard_True;
    }
    return fail(theLocation, "expected a number, found the string \"" + aText + "\"");
  }
  return fail(theLocation, std::string("expected a number, found ") + theValue.type_name());
}

Standard_Boolean DocumentReader::readValue(const Json& theValue, const Location& theLocation,
                                           std::string& theResult)
{
  if (!expect(theValue, theLocation, Json::value_t::string, "a string"))
  {
    return Standard_False;
  }
  theResult = theValue.get_ref<const std::string&>();
  return Standard_True;
}

Standard_Boolean DocumentReader::readValue(const Json& theValue, const Location& theLocation,
                                           TCollection_ExtendedString& theResult)
{
  std::string aText;
  if (!readValue(theValue, theLocation, aText))
  {
    return Standard_False;
  }
  if (aText.find('\0') != std::string::npos)
  {
    // The model's strings end at the first U+0000: the rest would be lost without a word.
    return fail(theLocation, "a name cannot hold the character U+0000");
  }
  theResult = TCollection_ExtendedString(aText.c_str(), Standard_True);
  return Standard_True;
}

Standard_Boolean DocumentReader::readValue(const Json& theValue, const Location& theLocation,
                                           gp_XY& theResult)
{
  if (!expect(theValue, theLocation, Json::value_t::array, "an array [x, y]"))
  {
    return Standard_False;
  }
  if (theValue.size() != 2)
  {
    return fail(theLocation,
                "expected 2 numbers [x, y], found " + std::to_string(theValue.size()) + " values");
  }
  Standard_Real anX = 0.0, anY = 0.0;
  if (!readValue(theValue[0], theLocation.Child(size_t(0)), anX) ||
      !readValue(theValue[1], theLocation.Child(size_t(1)), anY))
  {
    return Standard_False;
  }
  theResult.SetCoord(anX, anY);
  return Standard_True;
}

Standard_Boolean DocumentReader::Read(const Json& theDocument)
{
  const Location aRoot{nullptr, nullptr, 0};
  if (!expectObject(
          theDocument, aRoot,
          {"unit", "polarity", "apertures", "layers", "scanFields", "objects", "params"}) ||
      !readUnit(theDocument, aRoot) || !readPolarity(theDocument, aRoot))
  {
    return Standard_False;
  }
  const Json* aValue = nullptr;
  if ((aValue = member(theDocument, aRoot, "apertures")) == nullptr ||
      !readApertures(*aValue, aRoot.Child("apertures")) ||
      (aValue = member(theDocument, aRoot, "layers")) == nullptr ||
      !readLayers(*aValue, aRoot.Child("layers")) ||
      (aValue = member(theDocument, aRoot, "scanFields")) == nullptr ||
      !readScanFields(*aValue, aRoot.Child("scanFields")) ||
      (aValue = member(theDocument, aRoot, "objects")) == nullptr ||
      !readObjects(*aValue, aRoot.Child("objects")))
  {
    return Standard_False;
  }
  const Json::const_iterator aParams = theDocument.find("params");
  return aParams == theDocument.end() || readParams(*aParams, aRoot.Child("params"));
}

Standard_Boolean DocumentReader::readUnit(const Json& theDocument, const Location& theLocation)
{
  const Json* aValue = member(theDocument, theLocation, "unit");
  if (aValue == nullptr)
  {
    return Standard_False;
  }
  const Location   aLocation = theLocation.Child("unit");
  Standard_Integer aUnit     = -1;
  if (aValue->is_string())
  {
    for (int anIndex = 0; anIndex < 4; ++anIndex)
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

Standard_Boolean DocumentReader::readPolarity(const Json& theDocument, const Location& theLocation)
{
  std::string aPolarity;
  if (!field(theDocument, theLocation, "polarity", aPolarity))
  {
    return Standard_False;
  }
  if (aPolarity != "positive" && aPolarity != "negative")
  {
    return fail(theLocation.Child("polarity"),
                "unknown polarity \"" + aPolarity + "\" (expected positive or negative)");
  }
  myModel->SetImagePolarity(aPolarity == "negative" ? PenFormatData_IP_Negative
                                                    : PenFormatData_IP_Positive);
  return Standard_True;
}

Standard_Boolean DocumentReader::readApertureFields(const Json&     theObject,
                                                    const Location& theLocation,
                                                    Handle(PenFormatData_Aperture) & theAperture)
{
  TCollection_ExtendedString aName;
  Standard_Integer           aShape = 0, aTool = 0;
  const Json*                aParams = nullptr;
  if (!field(theObject, theLocation, "name", aName) ||
      !field(theObject, theLocation, "shape", aShape) ||
      (aParams = member(theObject, theLocation, "params")) == nullptr ||
      !expect(*aParams, theLocation.Child("params"), Json::value_t::array, "an array") ||
      !field(theObject, theLocation, "tool", aTool))
  {
    return Standard_False;
  }
  std::vector<Standard_Real> aValues(aParams->size());
  for (size_t anIndex = 0; anIndex < aValues.size(); ++anIndex)
  {
    if (!readValue((*aParams)[anIndex], theLocation.Child("params").Child(anIndex),
                   aValues[anIndex]))
    {
      return Standard_False;
    }
  }
  theAperture = new PenFormatData_Aperture(aShape, aName, Handle(Standard_Transient)(), 0);
  theAperture->SetParam(aValues.data(), static_cast<Standard_Integer>(aValues.size()));
  theAperture->SetToolFlag(aTool);
  return Standard_True;
}

Standard_Boolean DocumentReader::readApertures(const Json& theArray, const Location& theLocation)
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
        (!expectObject(anEntry, aLocation, {"number", "name", "shape", "params", "tool"}) ||
         !field(anEntry, aLocation, "number", aNumber) ||
         !readApertureFields(anEntry, aLocation, anAperture)))
    {
      return Standard_False;
    }
    if (!anEntry.is_null() && aNumber != aPosition)
    {
      return fail(aLocation.Child("number"),
                  "expected " + std::to_string(aPosition) + ", the entry's position in the table");
    }
    myModel->SetAperture(aPosition, anAperture);
  }
  return Standard_True;
}

Standard_Boolean DocumentReader::readLayers(const Json& theArray, const Location& theLocation)
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
    if (!expectObject(theArray[anIndex], aLocation, {"name", "flags"}) ||
        !field(theArray[anIndex], aLocation, "name", aName) ||
        !field(theArray[anIndex], aLocation, "flags", aFlags))
    {
      return Standard_False;
    }
    if (!myModel->FindLayer(aName).IsNull())
    {
      // The table keeps one layer per name: a second entry would silently replace the first.
      return fail(aLocation.Child("name"), "layer \"" + toUtf8(aName) + "\" is listed twice");
    }
    Handle(PenFormatData_Layer) aLayer = new PenFormatData_Layer(aName);
    aLayer->SetFlags(aFlags);
    myModel->SetLayer(aLayer);
  }
  return Standard_True;
}

Standard_Boolean DocumentReader::readScanField(const Json& theValue, const Location& theLocation,
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
                    {"index", "number", "order", "width", "height", "center"}) ||
      !field(theValue, theLocation, "index", anIndex) ||
      !field(theValue, theLocation, "number", aNumber) ||
      !field(theValue, theLocation, "order", anOrder) ||
      !field(theValue, theLocation, "width", aWidth) ||
      !field(theValue, theLocation, "height", aHeight) ||
      !field(theValue, theLocation, "center", aCenter))
  {
    return Standard_False;
  }
  if (anIndex != theIndex)
  {
    return fail(theLocation.Child("index"),
                "expected " + std::to_string(theIndex) + ", the entry's position in the list");
  }
  myModel->SetScanField(theIndex,
                        new PenFormatData_ScanField(aNumber, anOrder, aWidth, aHeight, aCenter));
  return Standard_True;
}

Standard_Boolean DocumentReader::readScanFields(const Json& theArray, const Location& theLocation)
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

Standard_Boolean DocumentReader::readObjects(const Json& theArray, const Location& theLocation)
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

Standard_Boolean DocumentReader::readObject(const Json& theValue, const Location& theLocation)
{
  if (theValue.is_null())
  {
    myModel->AddObject(Handle(PenFormatData_Object)());
    return Standard_True;
  }
  std::string aType;
  if (!expect(theValue, theLocation, Json::value_t::object, "an object") ||
      !field(theValue, theLocation, "type", aType))
  {
    return Standard_False;
  }
  if (aType == "sequence")
  {
    return readSequence(theValue, theLocation);
  }
  if (aType == "layer")
  {
    return readLayerObject(theValue, theLocation);
  }
  if (aType == "aperture")
  {
    return readApertureObject(theValue, theLocation);
  }
  return fail(theLocation.Child("type"),
              "unknown object type \"" + aType + "\" (expected sequence, layer or aperture)");
}

Standard_Boolean DocumentReader::readLayerObject(const Json& theObject, const Location& theLocation)
{
  TCollection_ExtendedString aName;
  Standard_Integer           aFlags = 0;
  if (!expectObject(theObject, theLocation, {"type", "name", "flags"}) ||
      !field(theObject, theLocation, "name", aName) ||
      !field(theObject, theLocation, "flags", aFlags))
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

Standard_Boolean DocumentReader::readApertureObject(const Json&     theObject,
                                                    const Location& theLocation)
{
  Handle(PenFormatData_Aperture) anAperture;
  if (theObject.contains("number"))
  {
    Standard_Integer aNumber = 0;
    if (!expectObject(theObject, theLocation, {"type", "number"}) ||
        !field(theObject, theLocation, "number", aNumber))
    {
      return Standard_False;
    }
    anAperture = myModel->Aperture(aNumber);
    if (aNumber < 1 || anAperture.IsNull())
    {
      return fail(theLocation.Child("number"),
                  "no aperture " + std::to_string(aNumber) + " in the aperture table");
    }
  }
  else if (!expectObject(theObject, theLocation, {"type", "name", "shape", "params", "tool"}) ||
           !readApertureFields(theObject, theLocation, anAperture))
  {
    return Standard_False;
  }
  myModel->AddObject(anAperture);
  return Standard_True;
}

Standard_Boolean DocumentReader::readSequence(const Json& theObject, const Location& theLocation)
{
  Standard_Integer           anAperture = 0, aFlags = 0, aMode = 0, aToolpath = 0, aScanField = 0;
  Standard_Boolean           isArea = Standard_False, isClear = Standard_False;
  TCollection_ExtendedString aPhase, aLayer;
  const Json*                aContours = nullptr;
  if (!expectObject(theObject, theLocation,
                    {"type", "aperture", "flags", "phase", "layer", "mode", "toolpath", "scanField",
                     "area", "clear", "contours"}) ||
      !optionalFlag(theObject, theLocation, "area", isArea) ||
      !optionalFlag(theObject, theLocation, "clear", isClear) ||
      !field(theObject, theLocation, "aperture", anAperture) ||
      !field(theObject, theLocation, "flags", aFlags) ||
      !field(theObject, theLocation, "phase", aPhase) ||
      !field(theObject, theLocation, "layer", aLayer) ||
      !field(theObject, theLocation, "mode", aMode) ||
      !field(theObject, theLocation, "toolpath", aToolpath) ||
      !field(theObject, theLocation, "scanField", aScanField) ||
      (aContours = member(theObject, theLocation, "contours")) == nullptr)
  {
    return Standard_False;
  }
  Handle(PhGeom_Curve) aContainer;
  if (!aContours->is_null())
  {
    aContainer = PhGeom_Curve::Create(myModel->Allocator(), 0);
    if (!readContours(*aContours, theLocation.Child("contours"), aContainer))
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

Standard_Boolean DocumentReader::readContours(const Json& theArray, const Location& theLocation,
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
    if (!expectObject(aContour, aLocation, {"elements"}) ||
        (anElements = member(aContour, aLocation, "elements")) == nullptr ||
        !expect(*anElements, aLocation.Child("elements"), Json::value_t::array, "an array"))
    {
      return Standard_False;
    }
    Handle(PhGeom_Curve) aCurve = PhGeom_Curve::Create(myModel->Allocator(), 0);
    for (size_t anElement = 0; anElement < anElements->size(); ++anElement)
    {
      if (!readElement((*anElements)[anElement], aLocation.Child("elements").Child(anElement),
                       *aCurve))
      {
        return Standard_False;
      }
    }
    theContainer->AddChild(aCurve);
  }
  return Standard_True;
}

Standard_Boolean DocumentReader::readElement(const Json& theValue, const Location& theLocation,
                                             PhGeom_Curve& theContour)
{
  std::string aKind;
  if (!expect(theValue, theLocation, Json::value_t::object, "an object") ||
      !field(theValue, theLocation, "kind", aKind))
  {
    return Standard_False;
  }
  gp_XY aFirst, aSecond;
  if (aKind == "segment")
  {
    if (!expectObject(theValue, theLocation, {"kind", "start", "end"}) ||
        !field(theValue, theLocation, "start", aFirst) ||
        !field(theValue, theLocation, "end", aSecond))
    {
      return Standard_False;
    }
    theContour.CreateSegment(aFirst, aSecond);
    return Standard_True;
  }
  if (aKind == "point")
  {
    if (!expectObject(theValue, theLocation, {"kind", "at"}) ||
        !field(theValue, theLocation, "at", aFirst))
    {
      return Standard_False;
    }
    theContour.CreatePoint(aFirst);
    return Standard_True;
  }
  if (aKind == "arc")
  {
    return readArc(theValue, theLocation, theContour);
  }
  return fail(theLocation.Child("kind"),
              "unknown element kind \"" + aKind + "\" (expected segment, arc or point)");
}

Standard_Boolean DocumentReader::readArc(const Json& theObject, const Location& theLocation,
                                         PhGeom_Curve& theContour)
{
  gp_XY         aCenter, anAngles;
  Standard_Real aRadius = 0.0;
  std::string   aSense;
  if (!expectObject(theObject, theLocation, {"kind", "center", "radius", "angles", "sense"}) ||
      !field(theObject, theLocation, "center", aCenter) ||
      !field(theObject, theLocation, "radius", aRadius) ||
      !field(theObject, theLocation, "angles", anAngles) ||
      !field(theObject, theLocation, "sense", aSense))
  {
    return Standard_False;
  }
  if (aSense != "ccw" && aSense != "cw")
  {
    return fail(theLocation.Child("sense"),
                "unknown sense \"" + aSense + "\" (expected ccw or cw)");
  }
  // The model keeps the start angle and the sweep: an end angle that start plus sweep cannot
  // reach exactly comes back an ulp away; angles that came from a model come back unchanged.
  theContour.CreateArc(aCenter, aRadius, anAngles.X(), anAngles.Y(), aSense == "ccw" ? 1 : 0);
  return Standard_True;
}

Standard_Boolean DocumentReader::readParams(const Json& theArray, const Location& theLocation)
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

//! Returns the text of a parse error without the library's bracketed prefix.
std::string parseMessage(const std::exception& theError)
{
  const std::string aText  = theError.what();
  const size_t      aClose = aText.find("] ");
  return aClose == std::string::npos ? aText : aText.substr(aClose + 2);
}
} // namespace

Standard_Boolean VexHost_Json::Write(
    const Handle(PenFormatData_Model) & theModel,
    const NCollection_Sequence<TCollection_ExtendedString>& theParams, Standard_OStream& theStream,
    TCollection_AsciiString& theError)
{
  if (theModel.IsNull())
  {
    theError = "no model to write";
    return Standard_False;
  }
  try
  {
    DocumentWriter aWriter(theStream);
    aWriter.Write(*theModel, theParams);
    theStream.flush();
  }
  catch (const std::exception& anError)
  {
    theError = TCollection_AsciiString("the document could not be written: ") + anError.what();
    return Standard_False;
  }
  catch (const Standard_Failure& aFailure)
  {
    theError = TCollection_AsciiString("the document could not be written: ") +
               aFailure.GetMessageString();
    return Standard_False;
  }
  if (!theStream.good())
  {
    theError = "the document could not be written to its stream";
    return Standard_False;
  }
  return Standard_True;
}

Standard_Boolean VexHost_Json::Read(Standard_IStream& theStream,
                                    Handle(PenFormatData_Model) & theModel,
                                    NCollection_Sequence<TCollection_ExtendedString>& theParams,
                                    TCollection_AsciiString&                          theError)
{
  try
  {
    const Json     aDocument = Json::parse(theStream);
    DocumentReader aReader;
    if (!aReader.Read(aDocument))
    {
      theError = aReader.Error().c_str();
      return Standard_False;
    }
    theModel  = aReader.Model();
    theParams = aReader.Params();
    return Standard_True;
  }
  catch (const Json::parse_error& anError)
  {
    theError = parseMessage(anError).c_str();
  }
  catch (const std::exception& anError)
  {
    theError = TCollection_AsciiString("the document could not be read: ") + anError.what();
  }
  catch (const Standard_Failure& aFailure)
  {
    theError =
        TCollection_AsciiString("the document could not be read: ") + aFailure.GetMessageString();
  }
  return Standard_False;
}

Standard_Boolean VexHost_Json::ReadFile(const std::string& thePath,
                                        Handle(PenFormatData_Model) & theModel,
                                        NCollection_Sequence<TCollection_ExtendedString>& theParams,
                                        TCollection_AsciiString&                          theError,
                                        const Handle(Message_Messenger) & theSink)
{
  std::ifstream aFile(thePath, std::ios::in | std::ios::binary);
  if (aFile.is_open() && Read(aFile, theModel, theParams, theError))
  {
    return Standard_True;
  }
  if (!aFile.is_open())
  {
    theError = "the file cannot be opened";
  }
  if (!theSink.IsNull())
  {
    Message_Msg aMsg("VEX_HOST_JSON_INVALID");
    aMsg.Arg(TCollection_ExtendedString(thePath.c_str(), Standard_True));
    aMsg.Arg(TCollection_ExtendedString(theError.ToCString(), Standard_True));
    theSink->Send(aMsg.Get(), Message_Fail);
  }
  return Standard_False;
}
