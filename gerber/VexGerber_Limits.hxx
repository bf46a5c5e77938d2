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
