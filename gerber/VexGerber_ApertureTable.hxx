// Copyright (c) 2026 VexData developers
#ifndef _VexGerber_ApertureTable_HeaderFile
#define _VexGerber_ApertureTable_HeaderFile

#include <VexGerber_Aperture.hxx>
#include <VexPcb_Fault.hxx>

#include <NCollection_DataMap.hxx>

//! The apertures and macros a Gerber file has defined so far, and the one selected: builds
//! apertures from their definitions (checking the parameters of the standard templates, finding
//! the macro of the others) and turns their sizes into millimetres once the unit is known, files
//! block apertures, remembers definitions that did not parse, and tells why there is no aperture
//! when one is needed.
class VexGerber_ApertureTable
{
public:
  //! Creates an empty table reporting to theFault.
  explicit VexGerber_ApertureTable(VexPcb_Fault& theFault) : myFault(theFault), mySelected(0) {}

  //! Adds (or replaces) a macro under its name.
  Standard_EXPORT void AddMacro(const Handle(VexGerber_Macro) & theMacro);

  //! Builds aperture theNumber from theTemplate and theParams (in the file's unit) into
  //! theAperture and files it; false with a fault.
  Standard_EXPORT Standard_Boolean Define(const Standard_Integer                   theNumber,
                                          const TCollection_AsciiString&           theTemplate,
                                          const NCollection_Vector<Standard_Real>& theParams,
                                          Handle(VexGerber_Aperture) & theAperture);

  //! Turns the sizes of theAperture into millimetres with theFactor (millimetres per file unit);
  //! false with a fault when one is beyond the lengths the reader accepts.
  Standard_EXPORT Standard_Boolean ApplyUnit(const Handle(VexGerber_Aperture) & theAperture,
                                             const Standard_Real theFactor);

  //! Files the block aperture theAperture under its D code.
  Standard_EXPORT void DefineBlock(const Handle(VexGerber_Aperture) & theAperture);

  //! Files aperture theNumber as defined on theLine by a definition that does not parse.
  Standard_EXPORT void DefineMalformed(const Standard_Integer theNumber,
                                       const Standard_Integer theLine);

  //! Selects aperture theNumber (defined or not yet).
  Standard_EXPORT void Select(const Standard_Integer theNumber);

  //! Returns the selected aperture, or a null handle after recording why there is none.
  Standard_EXPORT const Handle(VexGerber_Aperture) & Current();

private:
  //! Builds an aperture of a standard template (C, R, O or P).
  Standard_Boolean standardAperture(const Standard_Integer theNumber, const char theTemplate,
                                    const NCollection_Vector<Standard_Real>& theParams,
                                    Handle(VexGerber_Aperture) & theAperture);

  //! Files theAperture under its D code, in place of what the code stood for before.
  void file(const Handle(VexGerber_Aperture) & theAperture);

  VexPcb_Fault&                                                     myFault; //!< where faults go
  NCollection_DataMap<Standard_Integer, Handle(VexGerber_Aperture)> myApertures;  //!< by D code
  NCollection_DataMap<TCollection_AsciiString, Handle(VexGerber_Macro)> myMacros; //!< by name
  NCollection_DataMap<Standard_Integer, Standard_Integer> myMalformed; //!< D code -> line
  Handle(VexGerber_Aperture) myCurrent; //!< selected aperture, null none
  Standard_Integer mySelected;          //!< selected D code, 0 none
};

#endif
