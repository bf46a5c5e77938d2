// Copyright (c) 2026 VexData developers
#ifndef _VexGerber_Limits_HeaderFile
#define _VexGerber_Limits_HeaderFile

#include <VexGeom_Units.hxx>

#include <Standard_TypeDef.hxx>

//! Bounds on the work one Gerber file may cause. A Gerber file is small compared with what it
//! can ask for (a step and repeat of a step and repeat, a macro of a thousand rings flashed a
//! million times), so every place where the reader multiplies work has a bound of its own, with
//! its own message when a file reaches it. The defaults are far above any real board. Polygon
//! work (see VexGeom_Budget) grows with the file: a file may ask for a fixed amount and more for
//! every byte it has, so that a small file stays fast however it is made and a large board is
//! not held back.
struct VexGerber_Limits
{
  Standard_Integer StepRepeatCopies;   //!< copies made by one step-and-repeat block
  Standard_Integer Objects;            //!< draws, arcs, flashes and region edges, copies included
  Standard_Integer MacroPrimitives;    //!< primitives of one macro aperture, after evaluation
  Standard_Integer ExpressionDepth;    //!< nesting of parentheses and unary signs in a macro
  Standard_Integer MacroVariable;      //!< largest macro variable number ($n)
  Standard_Integer PolygonVertices;    //!< vertices of one outline primitive or aperture outline
  Standard_Integer FlattenedSegments;  //!< segments made by flattening arcs and circles, in all
  Standard_Real    PolygonWork;        //!< steps of polygon work (sweeps, macros), in all ...
  Standard_Real    PolygonWorkPerByte; //!< ... and more for every byte of the file
  Standard_Integer BlockDepth; //!< nesting of aperture blocks, open or placed in one another

  //! Largest coordinate, size, offset or step accepted, in millimetres (a kilometre): far
  //! beyond any board, and far within what the polygon arithmetic (integer nanometres) holds.
  static constexpr Standard_Real THE_MAX_LENGTH = VexGeom_Units::THE_MAX_LENGTH;

  //! Largest magnitude of an evaluated macro value: a length of a kilometre in inches, far within
  //! what the polygon arithmetic can hold (values that are not numbers are refused too).
  static constexpr Standard_Real THE_MAX_MACRO_VALUE = 1.0e6 / 25.4;

  //! Most corners of one outline primitive in a written file: gerbv, a viewer many use, holds at
  //! most 102 values of a primitive (exposure, corner count, 49 points with the first given
  //! again, rotation). A larger polygon is written as a fan of pieces, and must be convex.
  static constexpr Standard_Integer THE_PORTABLE_OUTLINE_CORNERS = 48;

  //! Returns the number of outline primitives a convex polygon of theCorners corners is written
  //! as: one, or pieces of the centre and 47 consecutive corners, the last of each piece the
  //! first of the next.
  static Standard_Integer OutlinePieces(const Standard_Integer theCorners)
  {
    const Standard_Integer aStep = THE_PORTABLE_OUTLINE_CORNERS - 2;
    return theCorners <= THE_PORTABLE_OUTLINE_CORNERS ? 1 : (theCorners + aStep - 1) / aStep;
  }

  //! Returns true when theMillimetres is a length the reader works with (not a NaN either).
  static Standard_Boolean IsInRange(const Standard_Real theMillimetres)
  {
    return VexGeom_Units::IsUsable(theMillimetres);
  }

  //! The defaults used by VexGerber_Reader::Read.
  VexGerber_Limits()
      : StepRepeatCopies(100000), Objects(10000000), MacroPrimitives(10000), ExpressionDepth(64),
        MacroVariable(9999), PolygonVertices(100000), FlattenedSegments(2000000),
        PolygonWork(1.0e7), PolygonWorkPerByte(1000.0), BlockDepth(32)
  {
  }
};

#endif
