// Copyright (c) 2026 VexData developers
#ifndef _PenFormatData_Model_HeaderFile
#define _PenFormatData_Model_HeaderFile

#include <PenFormatData_Aperture.hxx>
#include <PenFormatData_DimensionUnit.hxx>
#include <PenFormatData_ImagePolarity.hxx>
#include <PenFormatData_Layer.hxx>
#include <PenFormatData_Object.hxx>
#include <PenFormatData_ScanField.hxx>

#include <Message_Messenger.hxx>
#include <NCollection_IncAllocator.hxx>
#include <NCollection_IndexedDataMap.hxx>
#include <NCollection_List.hxx>
#include <NCollection_Vector.hxx>

//! The in-memory pen-format model: an ordered object list (layers, sequences, apertures), the
//! aperture table, the layer table and the scan-field list, with a length unit and a message
//! sink. The aperture table and the scan-field list are indexed from 0; entry 0 always exists
//! and never holds anything, so valid numbers run from 1 to NbApertures() - 1 (NbScanFields() - 1).
class PenFormatData_Model : public Standard_Transient
{
  DEFINE_STANDARD_RTTIEXT(PenFormatData_Model, Standard_Transient)
public:
  //! Creates an empty model; the defaults are inch and positive polarity.
  Standard_EXPORT PenFormatData_Model(
      const PenFormatData_DimensionUnit theUnit     = PenFormatData_DU_Inch,
      const PenFormatData_ImagePolarity thePolarity = PenFormatData_IP_Positive);

  //! Releases every object, curve and table of the model.
  Standard_EXPORT virtual ~PenFormatData_Model();

  //! Returns the message sink (null: nothing is reported).
  const Handle(Message_Messenger) & Messenger() const { return myMessenger; }

  //! Sets the message sink; a null handle silences the model.
  void SetMessenger(const Handle(Message_Messenger) & theMessenger) { myMessenger = theMessenger; }

  //! Returns the length unit of all coordinates of the model.
  PenFormatData_DimensionUnit DimensionUnit() const { return myUnit; }

  //! Sets the length unit (coordinates are not converted).
  void SetDimensionUnit(const PenFormatData_DimensionUnit theUnit) { myUnit = theUnit; }

  //! Returns the image polarity.
  PenFormatData_ImagePolarity ImagePolarity() const { return myPolarity; }

  //! Sets the image polarity.
  void SetImagePolarity(const PenFormatData_ImagePolarity thePolarity) { myPolarity = thePolarity; }

  //! Returns the allocator from which curves take their elements.
  const Handle(NCollection_IncAllocator) & Allocator() const { return myAllocator; }

  //! Returns the object list, in the order of addition.
  const NCollection_List<Handle(PenFormatData_Object)>& Objects() const { return myObjects; }

  //! Appends theObject to the object list (a null handle is stored as it is).
  void AddObject(const Handle(PenFormatData_Object) & theObject) { myObjects.Append(theObject); }

  //! Registers theLayer under its name. A second layer of a name already registered takes the
  //! place of the first one in the layer table, so layer names stay unique.
  Standard_EXPORT void SetLayer(const Handle(PenFormatData_Layer) & theLayer);

  //! Returns the number of registered layers.
  Standard_Integer NbLayers() const { return myLayers.Extent(); }

  //! Returns registered layer theIndex, from 1 to NbLayers(), in the order of first registration.
  const Handle(PenFormatData_Layer) & Layer(const Standard_Integer theIndex) const
  {
    return myLayers.FindFromIndex(theIndex);
  }

  //! Returns the layer registered under theName, or a null handle.
  Standard_EXPORT Handle(PenFormatData_Layer)
      FindLayer(const TCollection_ExtendedString& theName) const;

  //! Returns the length of the aperture table, entry 0 included.
  Standard_Integer NbApertures() const { return myApertures.Length(); }

  //! Returns aperture theNumber, or a null handle outside the table. The reference is valid
  //! until the table changes.
  Standard_EXPORT const Handle(PenFormatData_Aperture) &
      Aperture(const Standard_Integer theNumber) const;

  //! Stores theAperture under theNumber (1 or greater), growing the table with null entries.
  Standard_EXPORT void SetAperture(const Standard_Integer theNumber,
                                   const Handle(PenFormatData_Aperture) & theAperture);

  //! Returns the length of the scan-field list, entry 0 included.
  Standard_Integer NbScanFields() const { return myScanFields.Length(); }

  //! Returns scan field theIndex, or a null handle outside the list. The reference is valid until
  //! the list changes.
  Standard_EXPORT const Handle(PenFormatData_ScanField) &
      ScanField(const Standard_Integer theIndex) const;

  //! Appends theScanField to the list and returns its index.
  Standard_EXPORT Standard_Integer AddScanField(const Handle(PenFormatData_ScanField) &
                                                theScanField);

  //! Stores theScanField (may be null) at theIndex (1 or greater), growing the list with nulls.
  Standard_EXPORT void SetScanField(const Standard_Integer theIndex,
                                    const Handle(PenFormatData_ScanField) & theScanField);

private:
  Handle(NCollection_IncAllocator) myAllocator;                     //!< element memory
  Handle(Message_Messenger) myMessenger;                            //!< message sink, may be null
  NCollection_List<Handle(PenFormatData_Object)>      myObjects;    //!< object list
  NCollection_Vector<Handle(PenFormatData_Aperture)>  myApertures;  //!< aperture table, from 0
  NCollection_Vector<Handle(PenFormatData_ScanField)> myScanFields; //!< scan fields, from 0
  NCollection_IndexedDataMap<TCollection_ExtendedString, Handle(PenFormatData_Layer)>
                              myLayers;   //!< layers by name
  PenFormatData_DimensionUnit myUnit;     //!< length unit
  PenFormatData_ImagePolarity myPolarity; //!< image polarity
};

DEFINE_STANDARD_HANDLE(PenFormatData_Model, Standard_Transient)

#endif
