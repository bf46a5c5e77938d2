// Copyright (c) 2026 VexData developers
#ifndef _VexDocument_Json_HeaderFile
#define _VexDocument_Json_HeaderFile

#include <PenFormatData_Model.hxx>

#include <NCollection_Sequence.hxx>
#include <Standard_IStream.hxx>
#include <Standard_OStream.hxx>
#include <TCollection_AsciiString.hxx>
#include <TCollection_ExtendedString.hxx>

#include <string>

//! Converts a pen-format model to a JSON document and back, so that a person can read, edit and
//! author models. The document is one object:
//!
//!   "unit"       "mm", "um", "inch" or "mil" (any other unit value as its integer);
//!   "polarity"   "positive" or "negative";
//!   "apertures"  the aperture table from number 1: null or
//!                {"number", "name", "shape", "params": [real...], "tool"};
//!   "layers"     the registered layers in table order: {"name", "flags"}; names are unique;
//!   "scanFields" the scan-field list from index 1: null or
//!                {"index", "number", "order", "width", "height", "center": [x, y]};
//!   "objects"    the object list in order, each null or one of
//!                {"type": "layer", "name", "flags"},
//!                {"type": "aperture", "number"} (an entry of the aperture table),
//!                {"type": "aperture", "name", "shape", "params", "tool"} (not in the table),
//!                {"type": "sequence", "aperture", "flags", "phase", "layer", "mode", "toolpath",
//!                 "scanField", "contours": null or [null or {"elements": [...]}]};
//!                an element is {"kind": "segment", "start": [x, y], "end": [x, y]},
//!                {"kind": "arc", "center": [x, y], "radius", "angles": [a0, a1],
//!                 "sense": "ccw" or "cw"} or {"kind": "point", "at": [x, y]};
//!   "params"     optional: export parameter strings that travel with the model.
//!
//! Every field is required except "params", and no other field is accepted. The "number" of an
//! aperture and the "index" of a scan field repeat their position in the table and must match it.
//! Reals are written so that reading them gives the same double; "nan", "inf" and "-inf" stand
//! for the values JSON cannot hold. A malformed document is refused with a message that starts
//! with the JSON pointer of the faulty value.
class VexDocument_Json
{
public:
  //! Writes theModel, followed by theParams when there are any, as a JSON document to theStream.
  //! Returns false with theError set when the model is null or the stream fails.
  Standard_EXPORT static Standard_Boolean Write(
      const Handle(PenFormatData_Model) & theModel,
      const NCollection_Sequence<TCollection_ExtendedString>& theParams,
      Standard_OStream& theStream, TCollection_AsciiString& theError);

  //! Reads a JSON document from theStream and builds a new model in theModel and the document's
  //! export parameters in theParams. On failure returns false, sets theError and leaves theModel
  //! and theParams untouched.
  Standard_EXPORT static Standard_Boolean Read(
      Standard_IStream& theStream, Handle(PenFormatData_Model) & theModel,
      NCollection_Sequence<TCollection_ExtendedString>& theParams,
      TCollection_AsciiString&                          theError);

  //! Reads the document in file thePath (a UTF-8 path) as Read() does; a file that does not
  //! open is refused like a malformed document. On failure also sends "VEX_HOST_JSON_INVALID"
  //! (path, theError) to theSink when it is not null.
  Standard_EXPORT static Standard_Boolean ReadFile(
      const std::string& thePath, Handle(PenFormatData_Model) & theModel,
      NCollection_Sequence<TCollection_ExtendedString>& theParams,
      TCollection_AsciiString& theError, const Handle(Message_Messenger) & theSink);
};

#endif
