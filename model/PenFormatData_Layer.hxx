// Copyright (c) 2026 VexData developers
#ifndef _PenFormatData_Layer_HeaderFile
#define _PenFormatData_Layer_HeaderFile

#include <PenFormatData_Object.hxx>
#include <TCollection_ExtendedString.hxx>

//! A named drawing layer. The flag word carries display bits; bit 1 marks a visible layer and
//! bit 2 a selectable one.
class PenFormatData_Layer : public PenFormatData_Object
{
  DEFINE_STANDARD_RTTIEXT(PenFormatData_Layer, PenFormatData_Object)
public:
  //! Creates a layer with the given name and no flags set.
  Standard_EXPORT PenFormatData_Layer(const TCollection_ExtendedString& theName);

  //! Returns the layer name.
  const TCollection_ExtendedString& Name() const { return myName; }

  //! Renames the layer.
  void SetName(const TCollection_ExtendedString& theName) { myName = theName; }

  //! Returns the flag word.
  Standard_Integer Flags() const { return myFlags; }

  //! Replaces the flag word.
  void SetFlags(const Standard_Integer theFlags) { myFlags = theFlags; }

private:
  TCollection_ExtendedString myName;  //!< layer name
  Standard_Integer           myFlags; //!< display bits
};

DEFINE_STANDARD_HANDLE(PenFormatData_Layer, PenFormatData_Object)

#endif
