// Copyright (c) 2026 VexData developers
#include <VexDocument_JsonValues.hxx>

#include <VexDocument_JsonSchema.hxx>

#include <cstdint>
#include <limits>

std::string VexDocument_JsonValues::Location::Pointer() const
{
  if (Parent == nullptr)
  {
    return std::string();
  }
  return Parent->Pointer() + "/" + (Key != nullptr ? std::string(Key) : std::to_string(Index));
}

Standard_Boolean VexDocument_JsonValues::fail(const Location&    theLocation,
                                              const std::string& theWhat)
{
  const std::string aPointer = theLocation.Pointer();
  myError = (aPointer.empty() ? std::string("document") : aPointer) + ": " + theWhat;
  return Standard_False;
}

Standard_Boolean VexDocument_JsonValues::expect(const Json& theValue, const Location& theLocation,
                                                const Json::value_t theType,
                                                const char*         theTypeName)
{
  if (theValue.type() == theType)
  {
    return Standard_True;
  }
  return fail(theLocation,
              std::string("expected ") + theTypeName + ", found " + theValue.type_name());
}

Standard_Boolean VexDocument_JsonValues::expectObject(const Json&     theValue,
                                                      const Location& theLocation,
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

const VexDocument_JsonValues::Json* VexDocument_JsonValues::member(const Json&     theObject,
                                                                   const Location& theLocation,
                                                                   const char*     theKey)
{
  const Json::const_iterator anIter = theObject.find(theKey);
  if (anIter == theObject.end())
  {
    fail(theLocation, std::string("missing field \"") + theKey + "\"");
    return nullptr;
  }
  return &*anIter;
}

Standard_Boolean VexDocument_JsonValues::readValue(const Json&       theValue,
                                                   const Location&   theLocation,
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

Standard_Boolean VexDocument_JsonValues::readValue(const Json&     theValue,
                                                   const Location& theLocation,
                                                   Standard_Real&  theResult)
{
  using namespace VexDocument_JsonSchema;
  if (theValue.is_number())
  {
    theResult = theValue.get<double>();
    return Standard_True;
  }
  if (theValue.is_string())
  {
    const std::string& aText = theValue.get_ref<const std::string&>();
    if (aText == THE_NAN || aText == THE_INF || aText == THE_MINUS_INF)
    {
      theResult = aText == THE_NAN   ? std::numeric_limits<double>::quiet_NaN()
                  : aText == THE_INF ? std::numeric_limits<double>::infinity()
                                     : -std::numeric_limits<double>::infinity();
      return Standard_True;
    }
    return fail(theLocation, "expected a number, found the string \"" + aText + "\"");
  }
  return fail(theLocation, std::string("expected a number, found ") + theValue.type_name());
}

Standard_Boolean VexDocument_JsonValues::readValue(const Json&     theValue,
                                                   const Location& theLocation,
                                                   std::string&    theResult)
{
  if (!expect(theValue, theLocation, Json::value_t::string, "a string"))
  {
    return Standard_False;
  }
  theResult = theValue.get_ref<const std::string&>();
  return Standard_True;
}

Standard_Boolean VexDocument_JsonValues::readValue(const Json&                 theValue,
                                                   const Location&             theLocation,
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

Standard_Boolean VexDocument_JsonValues::readValue(const Json&     theValue,
                                                   const Location& theLocation, gp_XY& theResult)
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

Standard_Boolean VexDocument_JsonValues::optionalFlag(const Json&       theObject,
                                                      const Location&   theLocation,
                                                      const char*       theKey,
                                                      Standard_Boolean& theResult)
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
