// Copyright (c) 2026 VexData developers
#ifndef _VexDocument_JsonWriter_HeaderFile
#define _VexDocument_JsonWriter_HeaderFile

#include <PenFormatData_Model.hxx>
#include <PenFormatData_Sequence.hxx>
#include <PhGeom_Curve.hxx>

#include <NCollection_DataMap.hxx>
#include <NCollection_Sequence.hxx>
#include <Standard_OStream.hxx>
#include <TCollection_ExtendedString.hxx>

#include <string>

//! Writes a model as the JSON document of VexDocument_Json, with one table entry, object or curve
//! element per line. Reals are written so that reading them gives the same double.
class VexDocument_JsonWriter
{
public:
  //! Returns theText encoded as UTF-8.
  static std::string Utf8(const TCollection_ExtendedString& theText);

  //! Creates a writer into theStream.
  explicit VexDocument_JsonWriter(Standard_OStream& theStream) : myStream(theStream) {}

  //! Writes the whole document of theModel, with theParams when there are any. The stream's
  //! exceptions and those of the model pass through.
  void Write(const PenFormatData_Model&                              theModel,
             const NCollection_Sequence<TCollection_ExtendedString>& theParams);

private:
  //! Hands the text to the stream once it is large.
  void flushIfFull();

  //! Appends the member theName of the document, on a line of its own after theSeparator.
  void member(const char* theSeparator, const char* theName);

  //! Appends a key and its colon.
  void key(const char* theName);

  //! Appends theWord as a JSON string.
  void word(const char* theWord);

  //! Appends a real that reads back as the same double.
  void real(const double theValue);

  //! Appends an integer in decimal digits.
  void integer(const Standard_Integer theValue);

  //! Appends theText as a JSON string.
  void text(const TCollection_ExtendedString& theText);

  //! Appends a point as a two-number array.
  void point(const gp_XY& thePoint);

  //! Starts array entry theIndex at theIndent spaces.
  void entry(const Standard_Integer theIndex, const int theIndent);

  //! Closes an array of theCount entries whose entries stood at theIndent spaces.
  void closeArray(const Standard_Integer theCount, const int theIndent);

  //! Appends the unit and the polarity.
  void writeUnit(const PenFormatData_Model& theModel);

  //! Appends the name, shape, parameters and tool flag of theAperture.
  void writeApertureFields(const PenFormatData_Aperture& theAperture);

  //! Writes the outline of theAperture as the member "outline".
  void writeOutline(const PenFormatData_Aperture& theAperture);

  //! Appends the aperture table.
  void writeApertures(const PenFormatData_Model& theModel);

  //! Appends the layer table.
  void writeLayers(const PenFormatData_Model& theModel);

  //! Appends the scan-field list.
  void writeScanFields(const PenFormatData_Model& theModel);

  //! Appends the object list.
  void writeObjects(const PenFormatData_Model& theModel);

  //! Appends one object.
  void writeObject(const Handle(PenFormatData_Object) & theObject);

  //! Appends a sequence with its contours.
  void writeSequence(const PenFormatData_Sequence& theSequence);

  //! Appends one contour with its elements.
  void writeContour(const Handle(PhGeom_Curve) & theContour);

  //! Appends one element.
  void writeElement(const PhGeom_Element& theElement);

  //! Appends the export parameters, when there are any.
  void writeParams(const NCollection_Sequence<TCollection_ExtendedString>& theParams);

private:
  Standard_OStream& myStream; //!< destination
  std::string       myOut;    //!< text not yet handed to the stream
  NCollection_DataMap<Handle(PenFormatData_Aperture), Standard_Integer>
      myApertureNumbers; //!< table number of each aperture of the table
};

#endif
