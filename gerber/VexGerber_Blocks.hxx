// Copyright (c) 2026 VexData developers
#ifndef _VexGerber_Blocks_HeaderFile
#define _VexGerber_Blocks_HeaderFile

#include <VexGerber_Block.hxx>
#include <VexGerber_Limits.hxx>
#include <VexGerber_Listener.hxx>

#include <NCollection_IndexedMap.hxx>
#include <NCollection_Sequence.hxx>

//! The blocks of a Gerber file, through which every object the graphics state makes passes on
//! its way to the listener:
//! - a step-and-repeat block (%SR) keeps its objects until it closes, then hands them over once
//!   per copy, each copy moved by its steps;
//! - an aperture block (%AB) keeps its objects as a block aperture; a flash of it places them
//!   with the flash's aperture transformation about the flash point, and with the flash's
//!   polarity (a clear flash turns dark objects clear and clear ones dark). Aperture blocks nest,
//!   and a step-and-repeat block may stand inside one;
//! - objects outside both go straight to the listener.
//! It also counts what is handed over against the bound of the limits, and tells the listener
//! the net of the objects that follow whenever it changes.
class VexGerber_Blocks
{
public:
  //! Creates the blocks of one file, handing objects to theListener and faults to theFault.
  Standard_EXPORT VexGerber_Blocks(VexGerber_Listener& theListener, VexPcb_Fault& theFault,
                                   const VexGerber_Limits& theLimits);

  //! Returns the number of objects handed over (draws, arcs, flashes, region edges).
  Standard_Integer NbObjects() const { return myObjects; }

  //! Counts theCount more objects; false with the fault when the bound is passed.
  Standard_EXPORT Standard_Boolean Spend(const Standard_Integer theCount);

  //! Returns the index (from 1) of the net named theNet, adding it when it is new.
  Standard_Integer NetIndex(const TCollection_AsciiString& theNet) { return myNets.Add(theNet); }

  //! Returns true while an aperture block is open.
  Standard_Boolean IsInAperture() const { return myLevels.Length() > 1; }

  //! Hands theObject over, or keeps it in the open block; theContours are a region's.
  Standard_EXPORT Standard_Boolean Add(const VexGerber_Object&                    theObject,
                                       const NCollection_Vector<VexGeom_Contour>& theContours);

  //! Opens a step-and-repeat block of theCountX by theCountY copies theStep (mm) apart, closing
  //! the one open at this level first.
  Standard_EXPORT Standard_Boolean OpenRepeat(const Standard_Integer theCountX,
                                              const Standard_Integer theCountY,
                                              const gp_XY&           theStep);

  //! Closes the step-and-repeat block open at this level, if any, handing over its copies.
  Standard_EXPORT Standard_Boolean CloseRepeat();

  //! Sets the step of the open step-and-repeat block (once the unit of the file is known).
  Standard_EXPORT Standard_Boolean SetRepeatStep(const gp_XY& theStep);

  //! Opens the aperture block of D code theNumber.
  Standard_EXPORT Standard_Boolean OpenAperture(const Standard_Integer theNumber);

  //! Closes the innermost aperture block into theAperture, a block aperture to be defined.
  Standard_EXPORT Standard_Boolean CloseAperture(Handle(VexGerber_Aperture) & theAperture);

  //! Ends the file: closes the step-and-repeat block; an aperture block left open is a fault.
  Standard_EXPORT Standard_Boolean Finish();

private:
  //! One level of aperture blocks: the file itself, or an open aperture block.
  struct Level
  {
    Handle(VexGerber_Block) Objects; //!< the aperture block's objects, null for the file
    Handle(VexGerber_Block) Repeat;  //!< objects of the open step-and-repeat block, or null
    Standard_Integer Number;         //!< D code of the aperture block
    Standard_Integer CountX;         //!< copies of the step and repeat along X
    Standard_Integer CountY;         //!< copies along Y
    gp_XY            Step;           //!< distance between copies, mm

    //! Creates the level of the file.
    Level() : Number(0), CountX(1), CountY(1) {}
  };

  //! Where the objects of a block aperture go when it is flashed.
  struct Placement
  {
    VexGerber_ApertureTransform Transform; //!< the flash's transformation, nesting included
    gp_Mat2d                    Matrix;    //!< its linear map
    gp_XY                       Offset;    //!< the flash point
    Standard_Boolean            Toggle;    //!< the flash is clear: polarities turn over
    Standard_Integer            Net;       //!< the flash's net, for objects without one
  };

  //! Records the fault of too many objects; returns false.
  Standard_Boolean tooMany();

  //! Hands theObject to the file, or keeps it in the open aperture block.
  Standard_Boolean output(const VexGerber_Object&                    theObject,
                          const NCollection_Vector<VexGeom_Contour>& theContours);

  //! Hands a copy of theObject moved by theOffset on to output().
  Standard_Boolean copy(const VexGerber_Object&                    theObject,
                        const NCollection_Vector<VexGeom_Contour>& theContours,
                        const gp_XY&                               theOffset);

  //! Hands theObject to the listener; a flash of a block aperture places the block.
  Standard_Boolean deliver(const VexGerber_Object&                    theObject,
                           const NCollection_Vector<VexGeom_Contour>& theContours);

  //! Hands the objects of the block aperture theFlash flashes to the listener.
  Standard_Boolean place(const VexGerber_Object& theFlash);

  //! Returns theObject as thePlacement puts it.
  static VexGerber_Object placed(const VexGerber_Object& theObject, const Placement& thePlacement);

  //! Tells the listener the net of theObject when it differs from the one told last.
  void announceNet(const Standard_Integer theNet);

  VexGerber_Listener&                       myListener;   //!< where objects go
  VexPcb_Fault&                             myFault;      //!< where faults go
  const VexGerber_Limits&                   myLimits;     //!< bounds
  NCollection_Sequence<Level>               myLevels;     //!< the file, then open aperture blocks
  const NCollection_Vector<VexGeom_Contour> myNoContours; //!< the contours of what is no region
  NCollection_IndexedMap<TCollection_AsciiString> myNets; //!< net names, from 1
  Standard_Integer                                myNet;  //!< net told to the listener last
  Standard_Integer                                myObjects; //!< objects handed over
  Standard_Integer                                myKept;    //!< objects kept in aperture blocks
};

#endif
