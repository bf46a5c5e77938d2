// Copyright (c) 2026 VexData developers
#ifndef _VexGerber_ModelApertures_HeaderFile
#define _VexGerber_ModelApertures_HeaderFile

#include <VexGerber_Aperture.hxx>
#include <VexPcb_Fault.hxx>

#include <PenFormatData_Aperture.hxx>
#include <PenFormatData_Model.hxx>

#include <NCollection_DataMap.hxx>

//! The model apertures a Gerber file's objects use, staged until the file is read: aperture D10
//! of the file is model aperture "D10", and a variant of it (scaled, or the shape of a flash
//! under a transformation) is "D10_1", "D10_2" ... so that names stay unique in the model and
//! equal apertures are shared, also with the apertures the model held before.
class VexGerber_ModelApertures
{
public:
  //! Creates the table over theModel's apertures; lengths are turned into the model's unit with
  //! theFactor (millimetres to that unit); faults go to theFault.
  Standard_EXPORT VexGerber_ModelApertures(const PenFormatData_Model& theModel,
                                           const Standard_Real theFactor, VexPcb_Fault& theFault);

  //! Returns the number of the model aperture of theAperture as the file defines it (a round
  //! tool scaled by theTransform), made on first use; 0 with a fault when no name is free.
  Standard_EXPORT Standard_Integer Find(const Handle(VexGerber_Aperture) & theAperture,
                                        const VexGerber_ApertureTransform& theTransform);

  //! Returns the number of the model aperture whose flash is a flash of theAperture under
  //! theTransform (see VexGerber_FlashAperture), made on first use; -1 when no model aperture
  //! says it; 0 with a fault when no name is free.
  Standard_EXPORT Standard_Integer Flash(const Handle(VexGerber_Aperture) & theAperture,
                                         const VexGerber_ApertureTransform& theTransform);

  //! Adds the staged apertures to theModel.
  Standard_EXPORT void Commit(PenFormatData_Model& theModel);

private:
  //! Returns the number of the model aperture named after theBase (theBase, theBase_1 ...) with
  //! the given shape, parameters (in the model's unit) and tool flag, adding it when there is
  //! none; 0 on a fault.
  Standard_Integer findOrAdd(const TCollection_AsciiString&           theBase,
                             const Standard_Integer                   theShape,
                             const NCollection_Vector<Standard_Real>& theParams,
                             const Standard_Integer                   theToolFlag);

  //! Returns the aperture numbered theNumber, staged or already in the model.
  Handle(PenFormatData_Aperture) apertureOf(const Standard_Integer theNumber) const;

  const PenFormatData_Model& myModel;      //!< apertures there before
  VexPcb_Fault&              myFault;      //!< faults
  Standard_Real              myFactor;     //!< millimetres to the model's unit
  Standard_Integer           myNextNumber; //!< next free model aperture number
  NCollection_DataMap<Standard_Integer, Handle(PenFormatData_Aperture)> myStaged; //!< new apertures
  NCollection_DataMap<TCollection_ExtendedString, Standard_Integer>     myNames; //!< name -> number
  NCollection_Vector<Standard_Real> myParams;  //!< parameters being matched (memory reused)
  Handle(VexGerber_Aperture) myLastFlash;      //!< aperture of the last flash
  VexGerber_ApertureTransform myLastTransform; //!< its transformation
  Standard_Integer            myLastNumber;    //!< its model aperture, or -1
};

#endif
