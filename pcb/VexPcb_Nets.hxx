// Copyright (c) 2026 VexData developers
#ifndef _VexPcb_Nets_HeaderFile
#define _VexPcb_Nets_HeaderFile

#include <PenFormatData_Object.hxx>

#include <NCollection_DataMap.hxx>
#include <NCollection_IndexedMap.hxx>
#include <TCollection_AsciiString.hxx>

//! The nets of the objects a design-file import added to a model, kept beside the model: a Gerber
//! copper file written by a current CAD program names the net of every pad, track and area (the
//! object attribute .N), and the reader keeps each sequence to one net so that it can be filed
//! here. A later check asks which net a sequence belongs to; the model itself knows nothing of
//! nets.
//!
//! The name is the value of the attribute as the file gives it; an object on several nets (a net
//! tie) has the names separated by commas. Objects on no net are not filed.
class VexPcb_Nets
{
public:
  //! Creates an empty record.
  VexPcb_Nets() {}

  //! Returns the net of theObject, or an empty name when it has none or was not filed here.
  Standard_EXPORT const TCollection_AsciiString& Net(const Handle(PenFormatData_Object) &
                                                     theObject) const;

  //! Returns the names of the nets objects were filed under, in the order first met (from 1).
  const NCollection_IndexedMap<TCollection_AsciiString>& Names() const { return myNames; }

  //! Returns the number of objects filed under a net.
  Standard_Integer NbObjects() const { return myObjects.Extent(); }

  //! Files theObject under theNet; an empty name files nothing.
  Standard_EXPORT void Add(const Handle(PenFormatData_Object) & theObject,
                           const TCollection_AsciiString& theNet);

  //! Forgets everything.
  void Clear()
  {
    myObjects.Clear();
    myNames.Clear();
  }

private:
  NCollection_IndexedMap<TCollection_AsciiString>                     myNames;   //!< nets, from 1
  NCollection_DataMap<Handle(PenFormatData_Object), Standard_Integer> myObjects; //!< object, net
};

#endif
