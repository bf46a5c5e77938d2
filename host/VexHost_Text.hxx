// Copyright (c) 2026 VexData developers
#ifndef _VexHost_Text_HeaderFile
#define _VexHost_Text_HeaderFile

#include <PenFormatData_Model.hxx>
#include <TCollection_ExtendedString.hxx>

#include <string>

//! Small text helpers shared by the subcommands that print model contents.
class VexHost_Text
{
public:
  //! Returns theText as UTF-8.
  static std::string Utf8(const TCollection_ExtendedString& theText);

  //! Returns theValue with up to 6 significant digits ("0.3", "12.5664", "1e-07").
  static std::string Number(const Standard_Real theValue);

  //! Returns the name of theUnit ("millimetre", "inch", ...).
  static std::string UnitName(const PenFormatData_DimensionUnit theUnit);

  //! Returns a one-line description of a model object: its kind and what identifies it.
  static std::string Describe(const PenFormatData_Model& theModel,
                              const Handle(PenFormatData_Object) & theObject);

  //! Returns the name of aperture theNumber of theModel, or "?" when there is none.
  static std::string ApertureName(const PenFormatData_Model& theModel,
                                  const Standard_Integer     theNumber);
};

#endif
