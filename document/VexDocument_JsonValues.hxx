// Copyright (c) 2026 VexData developers
#ifndef _VexDocument_JsonValues_HeaderFile
#define _VexDocument_JsonValues_HeaderFile

#include <Standard_TypeDef.hxx>
#include <TCollection_ExtendedString.hxx>
#include <gp_XY.hxx>

#include <nlohmann/json.hpp>

#include <initializer_list>
#include <string>

//! Checked reading of the values of a parsed JSON document: each value is read as the type it
//! must have, and the first one that is not stops the reading with a message that starts with
//! its JSON pointer. The document reader of VexDocument_Json builds on it.
class VexDocument_JsonValues
{
public:
  //! A parsed document.
  typedef nlohmann::json Json;

  //! Where a value stands in the document: a chain of keys and array positions that lives on
  //! the stack while the value is read, turned into a JSON pointer only when something is wrong.
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
    std::string Pointer() const;
  };

  //! Returns the message of the fault.
  const std::string& Error() const { return myError; }

protected:
  //! Records the fault theWhat at theLocation and returns false.
  Standard_Boolean fail(const Location& theLocation, const std::string& theWhat);

  //! Fails unless theValue is of theType (named theTypeName in the message).
  Standard_Boolean expect(const Json& theValue, const Location& theLocation,
                          const Json::value_t theType, const char* theTypeName);

  //! Fails unless theValue is an object whose members are all among theKeys.
  Standard_Boolean expectObject(const Json& theValue, const Location& theLocation,
                                std::initializer_list<const char*> theKeys);

  //! Returns member theKey of theObject; fails (and returns null) when it is missing.
  const Json* member(const Json& theObject, const Location& theLocation, const char* theKey);

  //! Reads a 32-bit integer.
  Standard_Boolean readValue(const Json& theValue, const Location& theLocation,
                             Standard_Integer& theResult);

  //! Reads a real: a number, or one of the words for values JSON has no number for.
  Standard_Boolean readValue(const Json& theValue, const Location& theLocation,
                             Standard_Real& theResult);

  //! Reads a string.
  Standard_Boolean readValue(const Json& theValue, const Location& theLocation,
                             std::string& theResult);

  //! Reads a name (a string without U+0000).
  Standard_Boolean readValue(const Json& theValue, const Location& theLocation,
                             TCollection_ExtendedString& theResult);

  //! Reads a point [x, y].
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
                                const char* theKey, Standard_Boolean& theResult);

private:
  std::string myError; //!< message of the fault
};

#endif
