// Copyright (c) 2026 VexData developers
#ifndef _VexGerber_ParserSink_HeaderFile
#define _VexGerber_ParserSink_HeaderFile

#include <VexGerber_Macro.hxx>

#include <NCollection_Vector.hxx>
#include <TCollection_AsciiString.hxx>

//! The coordinate format of a file (%FS): how many integer and decimal digits coordinates have,
//! which zeros they leave out and whether they are absolute or incremental.
struct VexGerber_Format
{
  Standard_Boolean OmitTrailing; //!< trailing zeros left out (else leading zeros)
  Standard_Boolean Incremental;  //!< coordinates relative to the current point
  Standard_Integer IntegerX;     //!< integer digits of X (and I)
  Standard_Integer DecimalX;     //!< decimal digits of X (and I)
  Standard_Integer IntegerY;     //!< integer digits of Y (and J)
  Standard_Integer DecimalY;     //!< decimal digits of Y (and J)

  //! Creates the format 3.6, leading zeros left out, absolute.
  VexGerber_Format()
      : OmitTrailing(Standard_False), Incremental(Standard_False), IntegerX(3), DecimalX(6),
        IntegerY(3), DecimalY(6)
  {
  }
};

//! The coordinates given with one operation, in the file's unit, as the file writes them
//! (incremental ones are not yet added to the current point). Missing ones have Has* false.
struct VexGerber_Coordinates
{
  Standard_Real    X, Y, I, J;             //!< values
  Standard_Boolean HasX, HasY, HasI, HasJ; //!< which were given

  //! Creates a set with no coordinate.
  VexGerber_Coordinates()
      : X(0.0), Y(0.0), I(0.0), J(0.0), HasX(Standard_False), HasY(Standard_False),
        HasI(Standard_False), HasJ(Standard_False)
  {
  }

  //! Returns true when any coordinate was given.
  Standard_Boolean Any() const { return HasX || HasY || HasI || HasJ; }
};

//! Mirroring of the aperture transformation (%LM).
enum VexGerber_Mirror
{
  VexGerber_Mirror_None = 0, //!< N
  VexGerber_Mirror_X    = 1, //!< X: x becomes -x
  VexGerber_Mirror_Y    = 2, //!< Y: y becomes -y
  VexGerber_Mirror_XY   = 3  //!< XY: both
};

//! What the Gerber grammar reports, command by command, in file order (the listener of
//! VexGerber_Parser). Each handler returns false to stop the parse; it then records its fault in
//! the VexGerber_Fault shared with the parser, which keeps the current line up to date.
class VexGerber_ParserSink
{
public:
  //! Virtual destructor.
  virtual ~VexGerber_ParserSink() {}

  //! %FS: the coordinate format.
  virtual Standard_Boolean OnFormat(const VexGerber_Format& theFormat) = 0;

  //! %MO, G70, G71: the unit (true: inch, false: millimetre).
  virtual Standard_Boolean OnUnit(const Standard_Boolean isInch) = 0;

  //! G90, G91: absolute or incremental coordinates from now on.
  virtual Standard_Boolean OnIncremental(const Standard_Boolean isIncremental) = 0;

  //! %AD: aperture theNumber made from theTemplate ("C", "R", "O", "P" or a macro name) with
  //! theParams in the file's unit.
  virtual Standard_Boolean OnApertureDefinition(
      const Standard_Integer theNumber, const TCollection_AsciiString& theTemplate,
      const NCollection_Vector<Standard_Real>& theParams) = 0;

  //! %AD whose template or parameters do not parse (theText quotes it): a fault only when the
  //! aperture is used.
  virtual Standard_Boolean OnMalformedAperture(const Standard_Integer         theNumber,
                                               const TCollection_AsciiString& theText) = 0;

  //! %AM: a macro read completely.
  virtual Standard_Boolean OnMacro(const Handle(VexGerber_Macro) & theMacro) = 0;

  //! %LP: clear (true) or dark (false) polarity from now on.
  virtual Standard_Boolean OnPolarity(const Standard_Boolean isClear) = 0;

  //! %SR: opens a block repeated theCountX by theCountY times at the given steps, or (1 by 1)
  //! closes the open one.
  virtual Standard_Boolean OnStepRepeat(const Standard_Integer theCountX,
                                        const Standard_Integer theCountY,
                                        const Standard_Real    theStepX,
                                        const Standard_Real    theStepY) = 0;

  //! %LM: mirroring of the apertures from now on.
  virtual Standard_Boolean OnApertureMirror(const VexGerber_Mirror theMirror) = 0;

  //! %LR: rotation of the apertures from now on, in degrees counter-clockwise.
  virtual Standard_Boolean OnApertureRotation(const Standard_Real theDegrees) = 0;

  //! %LS: scale of the apertures from now on.
  virtual Standard_Boolean OnApertureScale(const Standard_Real theScale) = 0;

  //! %OF: offset of the image, in the file's unit.
  virtual Standard_Boolean OnImageOffset(const Standard_Real theA, const Standard_Real theB) = 0;

  //! %IP: negative (true) or positive image.
  virtual Standard_Boolean OnImagePolarity(const Standard_Boolean isNegative) = 0;

  //! G01, G02, G03: linear, clockwise or counter-clockwise interpolation from now on.
  virtual Standard_Boolean OnInterpolation(const Standard_Integer theMode) = 0;

  //! G74, G75: single-quadrant (false) or multi-quadrant (true) arcs from now on.
  virtual Standard_Boolean OnQuadrantMode(const Standard_Boolean isMulti) = 0;

  //! G36 (true), G37 (false): begins or ends a region statement.
  virtual Standard_Boolean OnRegion(const Standard_Boolean isBegin) = 0;

  //! Dnn (nn >= 10), G54Dnn: selects an aperture.
  virtual Standard_Boolean OnSelectAperture(const Standard_Integer theNumber) = 0;

  //! D01, D02, D03 with their coordinates; theCode 0 when the block has coordinates and no
  //! operation code (the last one then applies).
  virtual Standard_Boolean OnOperation(const Standard_Integer       theCode,
                                       const VexGerber_Coordinates& theCoordinates) = 0;

  //! A command that is read and left out (theKind names it for the report, a plural noun).
  virtual void OnIgnored(const Standard_CString theKind) = 0;

  //! M02 (or the end of the data without it, isExplicit false): the end of the file.
  virtual Standard_Boolean OnEnd(const Standard_Boolean isExplicit) = 0;
};

#endif
