// Copyright (c) 2026 VexData developers
#ifndef _VexGerber_FlashAperture_HeaderFile
#define _VexGerber_FlashAperture_HeaderFile

#include <VexGerber_Aperture.hxx>

//! The model aperture whose flash covers what a flash of a standard aperture of a Gerber file
//! covers under the aperture transformation, so that the flash stays a flash in the model:
//! - the scale multiplies the lengths;
//! - a circle, a rectangle and an obround are symmetric about both axes: a mirror changes
//!   nothing, a half turn neither, and a quarter turn swaps the sides of a rectangle or obround;
//! - a regular polygon takes any rotation and mirror into the angle of its first vertex (a
//!   mirror of x takes the angle a to 180 - a, of y to -a, of both to a + 180; the rotation is
//!   added after).
//! A round hole stays a round hole, scaled. What no model aperture says is refused, and the flash
//! stays the outline it makes: macros and blocks, the rectangular hole of older files, a hole
//! that does not lie inside the shape, a shape that covers nothing, a rectangle or obround turned
//! by other than a multiple of a quarter turn, a scale that is not positive.
class VexGerber_FlashAperture
{
public:
  //! Sets theShape (a PenFormatData_Aperture shape code) and theParams (lengths in millimetres,
  //! as many parameters as the file gave, a polygon's rotation added when it becomes other than
  //! 0) to those of the model aperture a flash of theAperture under theTransform is, and returns
  //! true; returns false when there is none.
  Standard_EXPORT static Standard_Boolean Make(const VexGerber_Aperture&          theAperture,
                                               const VexGerber_ApertureTransform& theTransform,
                                               Standard_Integer&                  theShape,
                                               NCollection_Vector<Standard_Real>& theParams);

  //! Returns the angle of the first vertex of a polygon whose first vertex was at theDegrees,
  //! after theTransform (mirror, then rotation).
  Standard_EXPORT static Standard_Real PolygonRotation(
      const Standard_Real theDegrees, const VexGerber_ApertureTransform& theTransform);
};

#endif
