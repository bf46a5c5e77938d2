// Copyright (c) 2026 VexData developers
#ifndef _VexGerber_Graphics_HeaderFile
#define _VexGerber_Graphics_HeaderFile

#include <VexGerber_ApertureTable.hxx>
#include <VexGerber_Blocks.hxx>
#include <VexGerber_Format.hxx>

#include <NCollection_Map.hxx>

//! The graphics state of a Gerber file: turns the commands VexGerber_Parser reads into the
//! objects they make and hands them through the blocks (VexGerber_Blocks) to the listener. It
//! keeps the unit, the current point, the current aperture, the interpolation and quadrant
//! modes, the polarity, the aperture transformation, the image offset and the net of the objects;
//! resolves arcs (single quadrant: the centre among the four sign choices that gives an arc of
//! at most a quarter turn; multi quadrant: the signed offset, a full circle when the arc ends
//! where it starts), moving the centre onto the line of points as far from both ends so that
//! both lie on the circle; and gathers region contours.
//!
//! The unit of a file applies to everything in it, also to what comes before the command that
//! states it, as long as that comes before the first operation: aperture definitions and the
//! image offset wait in the file's unit until the unit is known. Each method returns false
//! after recording its fault in the fault record; what the file does wrong that can be read past
//! becomes a warning for the parser to place on its line.
class VexGerber_Graphics
{
public:
  //! Creates the state; isInch is the unit assumed until the file states its own.
  Standard_EXPORT VexGerber_Graphics(VexGerber_Listener& theListener, VexPcb_Fault& theFault,
                                     const VexGerber_Limits& theLimits,
                                     const Standard_Boolean  isInch);

  //! Returns the number of objects handed over (draws, arcs, flashes, region edges).
  Standard_Integer NbObjects() const { return myBlocks.NbObjects(); }

  //! Returns the warnings found since they were last cleared.
  const NCollection_Vector<VexPcb_Fault>& Warnings() const { return myWarnings; }

  //! Forgets the warnings (once the parser has placed and handed them on).
  void ClearWarnings() { myWarnings.Clear(); }

  //! A command this reader does not know, theCommand quoting it: it is skipped, counted, and
  //! warned about the first time it comes.
  Standard_EXPORT void SkipUnknown(const TCollection_AsciiString& theCommand);

  //! %FS: the coordinate format.
  Standard_EXPORT Standard_Boolean OnFormat(const VexGerber_Format& theFormat);

  //! %MO, G70, G71: the unit (true: inch, false: millimetre).
  Standard_EXPORT Standard_Boolean OnUnit(const Standard_Boolean isInch);

  //! G90, G91: absolute or incremental coordinates from now on.
  Standard_EXPORT Standard_Boolean OnIncremental(const Standard_Boolean isIncremental);

  //! %AD: aperture theNumber made from theTemplate ("C", "R", "O", "P" or a macro name) with
  //! theParams in the file's unit.
  Standard_EXPORT Standard_Boolean
  OnApertureDefinition(const Standard_Integer theNumber, const TCollection_AsciiString& theTemplate,
                       const NCollection_Vector<Standard_Real>& theParams);

  //! %AD on theLine whose template or parameters do not parse: a fault only when the aperture
  //! is used.
  Standard_EXPORT void OnMalformedAperture(const Standard_Integer theNumber,
                                           const Standard_Integer theLine);

  //! %AM: a macro read completely.
  Standard_EXPORT Standard_Boolean OnMacro(const Handle(VexGerber_Macro) & theMacro);

  //! %ABDnn: opens the aperture block of D code theNumber.
  Standard_EXPORT Standard_Boolean OnApertureBlock(const Standard_Integer theNumber);

  //! %AB: closes the innermost aperture block, which becomes a block aperture.
  Standard_EXPORT Standard_Boolean OnApertureBlockEnd();

  //! %LP: clear (true) or dark (false) polarity from now on.
  Standard_EXPORT Standard_Boolean OnPolarity(const Standard_Boolean isClear);

  //! %SR: opens a block repeated theCountX by theCountY times at the given steps (file unit),
  //! or (1 by 1) closes the open one.
  Standard_EXPORT Standard_Boolean OnStepRepeat(const Standard_Integer theCountX,
                                                const Standard_Integer theCountY,
                                                const Standard_Real    theStepX,
                                                const Standard_Real    theStepY);

  //! %LM: mirroring of the apertures from now on.
  Standard_EXPORT Standard_Boolean OnApertureMirror(const VexGerber_Mirror theMirror);

  //! %LR: rotation of the apertures from now on, in degrees counter-clockwise.
  Standard_EXPORT Standard_Boolean OnApertureRotation(const Standard_Real theDegrees);

  //! %LS: scale of the apertures from now on.
  Standard_EXPORT Standard_Boolean OnApertureScale(const Standard_Real theScale);

  //! %OF: offset of the image, in the file's unit.
  Standard_EXPORT Standard_Boolean OnImageOffset(const Standard_Real theA,
                                                 const Standard_Real theB);

  //! %IP: negative (true) or positive image.
  Standard_EXPORT Standard_Boolean OnImagePolarity(const Standard_Boolean isNegative);

  //! %TO.N: the objects from now on belong to theNet.
  Standard_EXPORT void OnNet(const TCollection_AsciiString& theNet);

  //! %TD (all attributes or .N): the objects from now on belong to no net.
  Standard_EXPORT void OnNetCleared();

  //! G01, G02, G03: linear, clockwise or counter-clockwise interpolation from now on.
  Standard_EXPORT Standard_Boolean OnInterpolation(const Standard_Integer theMode);

  //! G74, G75: single-quadrant (false) or multi-quadrant (true) arcs from now on.
  Standard_EXPORT Standard_Boolean OnQuadrantMode(const Standard_Boolean isMulti);

  //! G36 (true), G37 (false): begins or ends a region statement.
  Standard_EXPORT Standard_Boolean OnRegion(const Standard_Boolean isBegin);

  //! Dnn (nn >= 10), G54Dnn: selects an aperture.
  Standard_EXPORT Standard_Boolean OnSelectAperture(const Standard_Integer theNumber);

  //! D01, D02, D03 with their coordinates; theCode 0 when the block has coordinates and no
  //! operation code (the last one then applies).
  Standard_EXPORT Standard_Boolean OnOperation(const Standard_Integer       theCode,
                                               const VexGerber_Coordinates& theCoords);

  //! A command that is read and left out (theKind names it for the report, a plural noun).
  Standard_EXPORT void OnIgnored(const Standard_CString theKind);

  //! M02 or M00 (or the end of the data without them, isExplicit false): the end of the file.
  Standard_EXPORT Standard_Boolean OnEnd(const Standard_Boolean isExplicit);

private:
  //! Settles the unit of the file: the apertures and the offset waiting for it are turned into
  //! millimetres, and the apertures handed to the listener.
  Standard_Boolean settleUnit();

  //! Returns the point the coordinates lead to from the current point (both before the image
  //! offset).
  gp_XY target(const VexGerber_Coordinates& theCoords) const;

  //! Returns where the objects made now are moved: the image offset, or nothing inside an
  //! aperture block (whose objects are placed where it is flashed).
  gp_XY shift() const;

  //! Resolves the centre of an arc from theFrom to theTo with offsets theI, theJ (mm); false
  //! when the arc has no length (single-quadrant mode ending where it starts). isQuarter tells
  //! whether a single-quadrant arc found a centre within a quarter turn.
  Standard_Boolean arcCenter(const gp_XY& theFrom, const gp_XY& theTo, const Standard_Real theI,
                             const Standard_Real theJ, gp_XY& theCenter,
                             Standard_Boolean& isQuarter) const;

  //! Handles D01 to theTo (theCoords for the arc offsets).
  Standard_Boolean interpolate(const gp_XY& theTo, const VexGerber_Coordinates& theCoords);

  //! Adds a segment or an arc to the region contour being gathered.
  Standard_Boolean regionEdge(const gp_XY& theTo, const Standard_Boolean isArc,
                              const gp_XY& theCenter, const Standard_Boolean isFull);

  //! Ends the region contour being gathered (closing it when it is open).
  void endContour();

  //! Gives theObject the selected aperture; false, the fault recorded, when none is selected.
  Standard_Boolean takeAperture(VexGerber_Object& theObject);

  //! Stamps theObject with the state in force, moves it by the image offset and hands it to
  //! the blocks; theContours are a region's.
  Standard_Boolean emit(VexGerber_Object&                    theObject,
                        NCollection_Vector<VexGeom_Contour>& theContours);

  VexGerber_Listener&         myListener;                   //!< where apertures and commands go
  VexPcb_Fault&               myFault;                      //!< where faults go
  VexGerber_ApertureTable     myApertures;                  //!< apertures, macros, the selected one
  VexGerber_Blocks            myBlocks;                     //!< blocks, and the way to the listener
  VexGerber_ApertureTransform myTransform;                  //!< aperture transformation
  NCollection_Vector<Handle(VexGerber_Aperture)> myPending; //!< apertures waiting for the unit
  NCollection_Vector<VexPcb_Fault>               myWarnings; //!< warnings not yet placed
  NCollection_Map<TCollection_AsciiString>       mySkipped;  //!< unknown commands warned about
  gp_XY                                          myPoint;  //!< current point, mm, before the offset
  gp_XY                                          myOffset; //!< image offset, mm
  gp_XY                                          myOffsetRaw; //!< image offset in the file's unit
  gp_XY                                          myStepRaw;   //!< open step and repeat, file unit
  Standard_Real                                  myFactor;    //!< file unit in mm
  Standard_Integer                               myMode;      //!< interpolation: 1, 2 (cw), 3 (ccw)
  Standard_Integer                               myLastCode;  //!< last D01/D02/D03, 0 none
  Standard_Integer                               myNet;       //!< net of the objects, 0 none
  Standard_Boolean                               isUnitSettled; //!< the unit can no longer change
  Standard_Boolean                               hasOffset;     //!< an offset waits for the unit
  Standard_Boolean                               hasStep;       //!< a step waits for the unit
  Standard_Boolean                               isMulti;       //!< multi-quadrant arcs
  Standard_Boolean                               isIncremental; //!< incremental coordinates
  Standard_Boolean                               isClear;       //!< clear polarity
  Standard_Boolean                               isRegion;      //!< inside G36 ... G37
  Standard_Boolean                    isQuadrantWarned;         //!< a wide G74 arc was warned about
  NCollection_Vector<VexGeom_Contour> myContours; //!< contours of the region being read
  Handle(VexGerber_Aperture) myObjectAperture;    //!< aperture of the last object, handed on
  VexGeom_Contour  myOpen;                        //!< region contour being gathered
  Standard_Boolean hasContour;                    //!< myOpen is in use
};

#endif
