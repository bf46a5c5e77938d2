// Copyright (c) 2026 VexData developers
#ifndef _VexData_MapHasher_HeaderFile
#define _VexData_MapHasher_HeaderFile

#include <Standard_Integer.hxx>
#include <TCollection_AsciiString.hxx>

#include <cstddef>

//! Hasher of the maps whose visiting order decides the order of toolpath blocks and tools in a
//! written file (containers by "phase+layer" key, scan-field groups and tools by number). It
//! gives the hash values of OpenCASCADE 7.6's standard hashers, so that the same model gives the
//! same bytes whatever OpenCASCADE version the plug-in is built against: later versions replaced
//! those hashers, which would reorder the blocks.
//!
//! It serves both map interfaces: the static HashCode (value in [1, upper bound]) and IsEqual of
//! OpenCASCADE up to 7.7, and the function-object form of later versions, whose maps reduce the
//! hash value h to h % upper bound + 1. Both give the same bucket for every bound.
class VexData_MapHasher
{
public:
  //! Returns the 7.6 hash value of an integer key before reduction: its low 31 bits.
  static Standard_Integer HashValue(const Standard_Integer theKey)
  {
    return theKey & IntegerLast();
  }

  //! Returns the 7.6 hash value of a string key before reduction: the low 31 bits of
  //! h = h * 33 ^ c over its bytes c, each taken as a signed char (as 7.6 does on the platforms
  //! the plug-in is built for), from h = 0.
  static Standard_Integer HashValue(const TCollection_AsciiString& theKey)
  {
    const Standard_CString aText = theKey.ToCString();
    unsigned int           aHash = 0;
    for (Standard_Integer anIndex = 0; anIndex < theKey.Length(); ++anIndex)
    {
      const int aByte = static_cast<signed char>(aText[anIndex]);
      aHash           = ((aHash << 5) + aHash) ^ static_cast<unsigned int>(aByte);
    }
    return static_cast<Standard_Integer>(aHash & static_cast<unsigned int>(IntegerLast()));
  }

  //! Returns the bucket of theKey among theUpperBound buckets, from 1 (interface up to 7.7).
  template <class TheKeyType>
  static Standard_Integer HashCode(const TheKeyType& theKey, const Standard_Integer theUpperBound)
  {
    return HashValue(theKey) % theUpperBound + 1;
  }

  //! Returns true when the keys are equal (interface up to 7.7).
  static Standard_Boolean IsEqual(const Standard_Integer theKey1, const Standard_Integer theKey2)
  {
    return theKey1 == theKey2;
  }

  //! Returns true when the keys are equal (interface up to 7.7).
  static Standard_Boolean IsEqual(const TCollection_AsciiString& theKey1,
                                  const TCollection_AsciiString& theKey2)
  {
    return theKey1.IsEqual(theKey2);
  }

  //! Returns the hash value of theKey (function-object interface).
  template <class TheKeyType> size_t operator()(const TheKeyType& theKey) const
  {
    return static_cast<size_t>(HashValue(theKey));
  }

  //! Returns true when the keys are equal (function-object interface).
  template <class TheKeyType>
  bool operator()(const TheKeyType& theKey1, const TheKeyType& theKey2) const
  {
    return IsEqual(theKey1, theKey2) != Standard_False;
  }
};

#endif
