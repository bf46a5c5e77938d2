// Copyright (c) 2026 VexData developers
#ifndef _VexGerber_Aperture_HeaderFile
#define _VexGerber_Aperture_HeaderFile

#include <VexGeom_Shape.hxx>
#include <VexGerber_Macro.hxx>

#include <gp_Mat2d.hxx>

class VexGerber_Block;
DEFINE_STANDARD_HANDLE(VexGerber_Block, Standard_Transient)

//! Mirroring of the aperture transformation (%LM).
enum VexGerber_Mirror
{
  VexGerber_Mirror_None = 0, //!< N
  VexGerber_Mirror_X    = 1, //!< X: x becomes -x
  VexGerber_Mirror_Y    = 2, //!< Y: y becomes -y
  VexGerber_Mirror_XY   = 3  //!< XY: both
};

//! The aperture transformation in force when an aperture is used (%LM, %LR, %LS): mirroring,
//! then rotation, then scaling, about the point where the aperture is placed.
struct VexGerber_ApertureTransform
{
  VexGerber_Mirror Mirror;   //!< mirroring
  Standard_Real    Rotation; //!< degrees, counter-clockwise
  Standard_Real    Scale;    //!< uniform scale

  //! Creates the identity.
  VexGerber_ApertureTransform() : Mirror(VexGerber_Mirror_None), Rotation(0.0), Scale(1.0) {}

  //! Returns true when the transformation changes nothing.
  Standard_Boolean IsIdentity() const
  {
    return Mirror == VexGerber_Mirror_None && Rotation == 0.0 && Scale == 1.0;
  }

  //! Returns the linear map of the transformation.
  Standard_EXPORT gp_Mat2d Matrix() const;

  //! Returns the transformation of an object made under theInner and then placed, as part of a
  //! block aperture, under this one: mirrors combine, the inner rotation turns the other way
  //! under a mirror of one axis, and scales multiply.
  Standard_EXPORT VexGerber_ApertureTransform
  Then(const VexGerber_ApertureTransform& theInner) const;
};

//! One aperture of a Gerber file (%AD or %AB): its D code, its template and its parameters. The
//! parameters are read in the file's unit and turned into millimetres by ApplyUnit once the unit
//! is known (a file may define apertures before it states its unit). A macro aperture also keeps
//! its macro and the values handed to it (in the file's unit, as the file gives them) and the
//! unit factor its primitives are read with; a block aperture keeps the objects of its block. The
//! shape a flash of a standard or macro aperture makes is computed on first use and kept.
class VexGerber_Aperture : public Standard_Transient
{
  DEFINE_STANDARD_RTTIEXT(VexGerber_Aperture, Standard_Transient)
public:
  //! Templates.
  enum Kind
  {
    Kind_Circle,    //!< C: diameter [, hole diameter]
    Kind_Rectangle, //!< R: width, height [, hole diameter]
    Kind_Obround,   //!< O: width, height [, hole diameter]
    Kind_Polygon,   //!< P: outer diameter, vertices [, rotation [, hole diameter]]
    Kind_Macro,     //!< a macro with its values
    Kind_Block      //!< a block of objects (%AB)
  };

  //! Creates aperture theNumber of theKind without parameters.
  Standard_EXPORT VexGerber_Aperture(const Standard_Integer theNumber, const Kind theKind);

  //! Releases the aperture.
  Standard_EXPORT ~VexGerber_Aperture();

  //! Returns the D code.
  Standard_Integer Number() const { return myNumber; }

  //! Returns the template.
  Kind GetKind() const { return myKind; }

  //! Returns the parameters (lengths in millimetres once the unit is applied; for a macro, the
  //! values handed to it).
  const NCollection_Vector<Standard_Real>& Params() const { return myParams; }

  //! Returns parameter theIndex from 0, or theDefault when there are fewer.
  Standard_Real Param(const Standard_Integer theIndex, const Standard_Real theDefault = 0.0) const
  {
    return theIndex < myParams.Length() ? myParams(theIndex) : theDefault;
  }

  //! Appends a parameter.
  void AddParam(const Standard_Real theValue) { myParams.Append(theValue); }

  //! Returns true for a circle without hole: the aperture strokes like a round tool.
  Standard_Boolean IsRoundTool() const { return myKind == Kind_Circle && myParams.Length() < 2; }

  //! Returns true when parameter theIndex is a length (a polygon's vertex count and rotation are
  //! not; nor is anything handed to a macro).
  Standard_EXPORT Standard_Boolean IsLength(const Standard_Integer theIndex) const;

  //! Turns the lengths from the file's unit into millimetres with theUnitFactor (millimetres per
  //! file unit), once; a macro aperture keeps the factor for its primitives.
  Standard_EXPORT void ApplyUnit(const Standard_Real theUnitFactor);

  //! Returns the macro of a macro aperture.
  const Handle(VexGerber_Macro) & Macro() const { return myMacro; }

  //! Sets the macro of a macro aperture.
  void SetMacro(const Handle(VexGerber_Macro) & theMacro) { myMacro = theMacro; }

  //! Returns the objects of a block aperture (null for the other kinds).
  const Handle(VexGerber_Block) & Block() const { return myBlock; }

  //! Sets the objects of a block aperture.
  Standard_EXPORT void SetBlock(const Handle(VexGerber_Block) & theBlock);

  //! Returns the factor that turns the file's unit into millimetres.
  Standard_Real UnitFactor() const { return myUnitFactor; }

  //! Returns true once the shape has been computed.
  Standard_Boolean HasShape() const { return hasShape; }

  //! Returns the shape of a flash at the origin without transformation.
  const VexGeom_Shape& Shape() const { return myShape; }

  //! Stores the shape.
  void SetShape(const VexGeom_Shape& theShape)
  {
    myShape  = theShape;
    hasShape = Standard_True;
  }

  //! Returns the number of the model aperture made of this one (0: not yet made).
  Standard_Integer ModelNumber() const { return myModelNumber; }

  //! Sets the number of the model aperture made of this one.
  void SetModelNumber(const Standard_Integer theNumber) { myModelNumber = theNumber; }

private:
  NCollection_Vector<Standard_Real> myParams; //!< parameters
  VexGeom_Shape                     myShape;  //!< shape of a flash, when computed
  Handle(VexGerber_Macro) myMacro;            //!< macro of a macro aperture
  Handle(VexGerber_Block) myBlock;            //!< objects of a block aperture
  Standard_Integer myNumber;                  //!< D code
  Kind             myKind;                    //!< template
  Standard_Real    myUnitFactor;              //!< file unit in millimetres
  Standard_Integer myModelNumber;             //!< model aperture, 0 none
  Standard_Boolean hasShape;                  //!< myShape is computed
};

DEFINE_STANDARD_HANDLE(VexGerber_Aperture, Standard_Transient)

#endif
