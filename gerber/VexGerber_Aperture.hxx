// Copyright (c) 2026 VexData developers
#ifndef _VexGerber_Aperture_HeaderFile
#define _VexGerber_Aperture_HeaderFile

#include <VexGeom_Shape.hxx>
#include <VexGerber_Macro.hxx>
#include <VexGerber_ParserSink.hxx>

#include <gp_Mat2d.hxx>

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
};

//! One aperture of a Gerber file (%AD): its D code, its template and its parameters, lengths
//! in millimetres. A macro aperture also keeps its macro and the values handed to it (in the
//! file's unit, as the file gives them) and the unit factor its primitives are read with. The
//! shape a flash of it makes is computed on first use and kept.
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
    Kind_Macro      //!< a macro with its values
  };

  //! Creates aperture theNumber of theKind without parameters.
  VexGerber_Aperture(const Standard_Integer theNumber, const Kind theKind)
      : myParams(8), myNumber(theNumber), myKind(theKind), myUnitFactor(1.0), myModelNumber(0),
        hasShape(Standard_False)
  {
  }

  //! Returns the D code.
  Standard_Integer Number() const { return myNumber; }

  //! Returns the template.
  Kind GetKind() const { return myKind; }

  //! Returns the parameters (lengths in millimetres; for a macro, the values handed to it).
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

  //! Returns the macro of a macro aperture.
  const Handle(VexGerber_Macro) & Macro() const { return myMacro; }

  //! Sets the macro and the factor that turns the file's unit into millimetres.
  void SetMacro(const Handle(VexGerber_Macro) & theMacro, const Standard_Real theUnitFactor)
  {
    myMacro      = theMacro;
    myUnitFactor = theUnitFactor;
  }

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
  Standard_Integer myNumber;                  //!< D code
  Kind             myKind;                    //!< template
  Standard_Real    myUnitFactor;              //!< file unit in millimetres
  Standard_Integer myModelNumber;             //!< model aperture, 0 none
  Standard_Boolean hasShape;                  //!< myShape is computed
};

DEFINE_STANDARD_HANDLE(VexGerber_Aperture, Standard_Transient)

#endif
