// Copyright (c) 2026 VexData developers
#ifndef _VexExcellon_ApertureTable_HeaderFile
#define _VexExcellon_ApertureTable_HeaderFile

#include <PenFormatData_Model.hxx>

#include <NCollection_DataMap.hxx>
#include <NCollection_Map.hxx>
#include <NCollection_Vector.hxx>
#include <TCollection_AsciiString.hxx>

//! Finds or makes the aperture of a drilling tool in a model: round, one parameter (the
//! diameter in the model's unit), tool flag 1. A tool of a name and diameter (within 1e-6)
//! that the model already has reuses that aperture; a tool of a name the model has with another
//! diameter gets the name with a suffix ("T01_1", "T01_2" ...). New apertures are kept apart
//! until Commit(), so a failed import leaves the model as it was.
//!
//! Every look-up costs the same whatever the number of apertures: names and diameters are
//! hashed, diameters on a grid of the tolerance.
class VexExcellon_ApertureTable
{
public:
  //! Two diameters closer than this are the same tool.
  static const Standard_Real THE_TOLERANCE;

  //! Takes in the round tool apertures theModel has.
  VexExcellon_ApertureTable(const PenFormatData_Model& theModel);

  //! Returns the number of the aperture for tool theName of theDiameter, making it if needed.
  Standard_Integer Find(const TCollection_AsciiString& theName, const Standard_Real theDiameter);

  //! Stores the apertures made since construction in theModel.
  void Commit(PenFormatData_Model& theModel) const;

private:
  //! Returns the key of theName with theDiameter on the tolerance grid shifted by theShift.
  static TCollection_AsciiString key(const TCollection_AsciiString& theName,
                                     const Standard_Real theDiameter, const int theShift);

  //! Returns theName without a suffix "_<digits>".
  static TCollection_AsciiString baseName(const TCollection_AsciiString& theName);

  //! Remembers aperture theNumber of theName and theDiameter.
  void add(const TCollection_AsciiString& theName, const Standard_Real theDiameter,
           const Standard_Integer theNumber);

  NCollection_DataMap<TCollection_AsciiString, Standard_Integer> myByKey;  //!< base name, diameter
  NCollection_DataMap<TCollection_AsciiString, Standard_Integer> myNext;   //!< next suffix to try
  NCollection_Map<TCollection_AsciiString>                       myNames;  //!< names in use
  NCollection_DataMap<Standard_Integer, Standard_Real>           myWidths; //!< diameters
  NCollection_Vector<Handle(PenFormatData_Aperture)>             myNew;    //!< made here
  Standard_Integer myFirstNew; //!< number of the first aperture made here
};

#endif
