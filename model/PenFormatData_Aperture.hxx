// Copyright (c) 2026 VexData developers
#ifndef _PenFormatData_Aperture_HeaderFile
#define _PenFormatData_Aperture_HeaderFile

#include <PenFormatData_Object.hxx>
#include <NCollection_Vector.hxx>
#include <TCollection_ExtendedString.hxx>
#include <gp_XY.hxx>

//! An aperture of the model's aperture table. Apertures with the tool flag set stand for milling
//! or drilling tools: shape code 1 (round) and one parameter, the tool diameter.
class PenFormatData_Aperture : public PenFormatData_Object
{
  DEFINE_STANDARD_RTTIEXT(PenFormatData_Aperture, PenFormatData_Object)
public:
  //! Shape codes. Tools are round; the other shapes come from design files, where an aperture
  //! is what a feature is drawn or flashed with. Parameters by shape: round: diameter [, hole
  //! diameter]; rectangle and obround: width, height [, hole diameter]; polygon: outer diameter,
  //! number of vertices [, rotation in degrees [, hole diameter]]; macro: the values handed to
  //! the macro.
  enum ShapeCode
  {
    Shape_Round     = 1, //!< circle
    Shape_Rectangle = 2, //!< rectangle centred on the flash point
    Shape_Obround   = 3, //!< rectangle with half-circle ends on its shorter sides
    Shape_Polygon   = 4, //!< regular polygon
    Shape_Macro     = 5  //!< shape given by a macro of the design file
  };

  //! Creates an aperture of the given shape code and name, without parameters. theAttribute and
  //! theAttributeFlags are host data kept as they are given.
  Standard_EXPORT PenFormatData_Aperture(const Standard_Integer            theShapeCode,
                                         const TCollection_ExtendedString& theName,
                                         const Handle(Standard_Transient) & theAttribute,
                                         const Standard_Integer theAttributeFlags);

  //! Returns the shape code (1: round).
  Standard_Integer ShapeCode() const { return myShapeCode; }

  //! Returns the aperture name.
  const TCollection_ExtendedString& Name() const { return myName; }

  //! Renames the aperture.
  void SetName(const TCollection_ExtendedString& theName) { myName = theName; }

  //! Replaces the parameters by a copy of theCount values from theParams.
  Standard_EXPORT void SetParam(const Standard_Real* theParams, const Standard_Integer theCount);

  //! Returns the number of parameters.
  Standard_Integer NbParams() const { return myParams.Length(); }

  //! Returns parameter theIndex, from 1 to NbParams().
  Standard_Real Param(const Standard_Integer theIndex) const { return myParams(theIndex - 1); }

  //! Sets the outline of the aperture: the area a flash covers, around the flash point, as closed
  //! polygons in the model's unit. thePoints holds the corners of all polygons one after the
  //! other (a polygon's first corner is not repeated at its end), and theEnds, for each polygon,
  //! the index one past its last corner in thePoints. A point covered by more counter-clockwise
  //! than clockwise polygons around it is covered (non-zero winding), so holes run clockwise.
  //! A macro aperture, whose definition the model does not keep, says its shape this way.
  Standard_EXPORT void SetOutline(const NCollection_Vector<gp_XY>&            thePoints,
                                  const NCollection_Vector<Standard_Integer>& theEnds);

  //! Returns true when the aperture has an outline.
  Standard_Boolean HasOutline() const { return !myOutlineEnds.IsEmpty(); }

  //! Returns the corners of the outline's polygons, one polygon after the other.
  const NCollection_Vector<gp_XY>& OutlinePoints() const { return myOutlinePoints; }

  //! Returns, for each polygon of the outline, the index one past its last corner.
  const NCollection_Vector<Standard_Integer>& OutlineEnds() const { return myOutlineEnds; }

  //! Returns true when the outline is thePoints and theEnds (see SetOutline), corner for corner.
  Standard_EXPORT Standard_Boolean
  IsSameOutline(const NCollection_Vector<gp_XY>&            thePoints,
                const NCollection_Vector<Standard_Integer>& theEnds) const;

  //! Returns the tool flag: not 0 for an aperture that stands for a tool.
  Standard_Integer ToolFlag() const { return myToolFlag; }

  //! Sets the tool flag.
  void SetToolFlag(const Standard_Integer theFlag) { myToolFlag = theFlag; }

  //! Returns the host attribute given at construction.
  const Handle(Standard_Transient) & Attribute() const { return myAttribute; }

  //! Returns a hash of the name, shape code and parameters, in the range [1, theUpper].
  Standard_EXPORT Standard_Integer HashCode(const Standard_Integer theUpper) const;

private:
  TCollection_ExtendedString           myName;          //!< aperture name
  NCollection_Vector<Standard_Real>    myParams;        //!< shape parameters
  NCollection_Vector<gp_XY>            myOutlinePoints; //!< corners of the outline's polygons
  NCollection_Vector<Standard_Integer> myOutlineEnds;   //!< end of each polygon in the corners
  Handle(Standard_Transient) myAttribute;               //!< host data
  Standard_Integer myShapeCode;                         //!< shape code
  Standard_Integer myAttributeFlags;                    //!< host data
  Standard_Integer myToolFlag;                          //!< not 0: the aperture is a tool
};

DEFINE_STANDARD_HANDLE(PenFormatData_Aperture, PenFormatData_Object)

#endif
