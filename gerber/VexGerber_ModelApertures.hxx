// Copyright (c) 2026 VexData developers
#ifndef _VexGerber_ModelApertures_HeaderFile
#define _VexGerber_ModelApertures_HeaderFile

#include <VexGerber_Aperture.hxx>
#include <VexPcb_Fault.hxx>

#include <PenFormatData_Aperture.hxx>
#include <PenFormatData_Model.hxx>

#include <NCollection_DataMap.hxx>

#include <VexGeom_Contour.hxx>

#include <map>
#include <tuple>
#include <vector>

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

  //! Returns the number of the model aperture made by Outlined for a flash of theAperture under
  //! theTransform; -1 when none was made.
  Standard_EXPORT Standard_Integer FindOutlined(const Handle(VexGerber_Aperture) & theAperture,
                                                const VexGerber_ApertureTransform& theTransform);

  //! Returns the number of the model aperture of the macro theAperture (its values as they are)
  //! whose outline is theContours: a flash under theTransform at the origin, in millimetres, of
  //! straight edges. Made on first use, it is found again by FindOutlined. Returns -1 when
  //! theContours are not such an outline, 0 with a fault when no name is free.
  Standard_EXPORT Standard_Integer Outlined(const Handle(VexGerber_Aperture) & theAperture,
                                            const VexGerber_ApertureTransform&  theTransform,
                                            const std::vector<VexGeom_Contour>& theContours);

  //! Adds the staged apertures to theModel.
  Standard_EXPORT void Commit(PenFormatData_Model& theModel);

private:
  //! Returns the number of the model aperture named after theBase (theBase, theBase_1 ...) with
  //! the given shape, parameters (in the model's unit) and tool flag, adding it when there is
  //! none; 0 on a fault. isOutlined: the aperture must also have the outline being matched
  //! (myOutlinePoints, myOutlineEnds).
  Standard_Integer findOrAdd(const TCollection_AsciiString&           theBase,
                             const Standard_Integer                   theShape,
                             const NCollection_Vector<Standard_Real>& theParams,
                             const Standard_Integer                   theToolFlag,
                             const Standard_Boolean                   isOutlined = Standard_False);

  //! Returns true when aperture theNumber has the outline being matched, or was staged by this
  //! table without an outline and takes it.
  Standard_Boolean takesOutline(const Standard_Integer theNumber);

  //! Key of an outlined flash: the file aperture, its mirror, rotation and scale.
  typedef std::tuple<const VexGerber_Aperture*, Standard_Integer, Standard_Real, Standard_Real>
      OutlineKey;

  //! Returns the key of theAperture under theTransform.
  static OutlineKey outlineKey(const Handle(VexGerber_Aperture) & theAperture,
                               const VexGerber_ApertureTransform& theTransform);

  //! Returns the aperture numbered theNumber, staged or already in the model.
  Handle(PenFormatData_Aperture) apertureOf(const Standard_Integer theNumber) const;

  const PenFormatData_Model& myModel;      //!< apertures there before
  VexPcb_Fault&              myFault;      //!< faults
  Standard_Real              myFactor;     //!< millimetres to the model's unit
  Standard_Integer           myNextNumber; //!< next free model aperture number
  NCollection_DataMap<Standard_Integer, Handle(PenFormatData_Aperture)> myStaged; //!< new apertures
  NCollection_DataMap<TCollection_ExtendedString, Standard_Integer>     myNames; //!< name -> number
  NCollection_Vector<Standard_Real>      myParams; //!< parameters being matched (memory reused)
  NCollection_Vector<gp_XY>              myOutlinePoints; //!< outline being matched: corners
  NCollection_Vector<Standard_Integer>   myOutlineEnds;   //!< and polygon ends
  std::map<OutlineKey, Standard_Integer> myOutlined;      //!< outlined flash -> model aperture
  NCollection_Vector<Handle(VexGerber_Aperture)> myOutlinedKept; //!< keeps the keys' apertures
  Handle(VexGerber_Aperture) myLastFlash;                        //!< aperture of the last flash
  VexGerber_ApertureTransform myLastTransform;                   //!< its transformation
  Standard_Integer            myLastNumber;                      //!< its model aperture, or -1
};

#endif
