// Copyright (c) 2026 VexData developers
#ifndef _VexDocument_JsonReader_HeaderFile
#define _VexDocument_JsonReader_HeaderFile

#include <VexDocument_JsonValues.hxx>

#include <PenFormatData_Model.hxx>
#include <PhGeom_Curve.hxx>

#include <NCollection_Sequence.hxx>

//! Builds a model from a parsed document of VexDocument_Json, checking every value on the way. The
//! first fault stops the reading and is kept as a message that names its JSON pointer.
class VexDocument_JsonReader : public VexDocument_JsonValues
{
public:
  //! Creates a reader with an empty model in the default unit.
  VexDocument_JsonReader();

  //! Reads theDocument; returns false at the first fault.
  Standard_Boolean Read(const Json& theDocument);

  //! Returns the model built so far.
  const Handle(PenFormatData_Model) & Model() const { return myModel; }

  //! Returns the export parameters of the document.
  const NCollection_Sequence<TCollection_ExtendedString>& Params() const { return myParams; }

private:
  //! Reads the unit, a name or a number.
  Standard_Boolean readUnit(const Json& theDocument, const Location& theLocation);

  //! Reads the polarity.
  Standard_Boolean readPolarity(const Json& theDocument, const Location& theLocation);

  //! Reads the name, shape, parameters and tool flag of an aperture into a new theAperture.
  Standard_Boolean readApertureFields(const Json& theObject, const Location& theLocation,
                                      Handle(PenFormatData_Aperture) & theAperture);

  //! Reads theArray (polygons, each an array of corners) at theLocation as the outline of
  //! theAperture.
  Standard_Boolean readOutline(const Json& theArray, const Location& theLocation,
                               PenFormatData_Aperture& theAperture);

  //! Reads the aperture table.
  Standard_Boolean readApertures(const Json& theArray, const Location& theLocation);

  //! Reads the layer table.
  Standard_Boolean readLayers(const Json& theArray, const Location& theLocation);

  //! Reads entry theIndex of the scan-field list.
  Standard_Boolean readScanField(const Json& theValue, const Location& theLocation,
                                 const Standard_Integer theIndex);

  //! Reads the scan-field list.
  Standard_Boolean readScanFields(const Json& theArray, const Location& theLocation);

  //! Reads the object list.
  Standard_Boolean readObjects(const Json& theArray, const Location& theLocation);

  //! Reads one object.
  Standard_Boolean readObject(const Json& theValue, const Location& theLocation);

  //! Reads a layer object.
  Standard_Boolean readLayerObject(const Json& theObject, const Location& theLocation);

  //! Reads an aperture object: one of the table by number, or one of its own.
  Standard_Boolean readApertureObject(const Json& theObject, const Location& theLocation);

  //! Reads a sequence with its contours.
  Standard_Boolean readSequence(const Json& theObject, const Location& theLocation);

  //! Reads the contours of a sequence into theContainer.
  Standard_Boolean readContours(const Json& theArray, const Location& theLocation,
                                const Handle(PhGeom_Curve) & theContainer);

  //! Reads one element into theContour.
  Standard_Boolean readElement(const Json& theValue, const Location& theLocation,
                               PhGeom_Curve& theContour);

  //! Reads an arc element into theContour.
  Standard_Boolean readArc(const Json& theObject, const Location& theLocation,
                           PhGeom_Curve& theContour);

  //! Reads the export parameters.
  Standard_Boolean readParams(const Json& theArray, const Location& theLocation);

private:
  Handle(PenFormatData_Model) myModel;                       //!< model being built
  NCollection_Sequence<TCollection_ExtendedString> myParams; //!< export parameters
};

#endif
