// Copyright (c) 2026 VexData developers
#ifndef _VexGerber_Macro_HeaderFile
#define _VexGerber_Macro_HeaderFile

#include <VexGerber_Expression.hxx>
#include <VexGerber_Limits.hxx>

#include <NCollection_Vector.hxx>
#include <Standard_Transient.hxx>
#include <Standard_Type.hxx>
#include <TCollection_AsciiString.hxx>

//! One primitive of an evaluated macro: its code (1 circle, 2 or 20 vector line, 21 centre line,
//! 22 lower-left line, 4 outline, 5 polygon, 6 moire, 7 thermal) and its parameter values, in
//! the order the file gives them, in the file's unit (angles in degrees).
struct VexGerber_Primitive
{
  Standard_Integer                  Code;   //!< primitive code
  NCollection_Vector<Standard_Real> Values; //!< parameters, exposure first where it has one

  //! Creates an empty primitive.
  VexGerber_Primitive() : Code(0), Values(8) {}
};

//! An aperture macro (%AM): a list of statements, each a primitive with expressions as its
//! parameters or a variable definition ($n=expression), read once and evaluated for every
//! aperture defined with it. Comments (primitive 0) are dropped when read.
class VexGerber_Macro : public Standard_Transient
{
  DEFINE_STANDARD_RTTIEXT(VexGerber_Macro, Standard_Transient)
public:
  //! Creates an empty macro named theName.
  Standard_EXPORT explicit VexGerber_Macro(const TCollection_AsciiString& theName);

  //! Returns the macro name.
  const TCollection_AsciiString& Name() const { return myName; }

  //! Returns the number of statements kept (comments dropped).
  Standard_Integer NbStatements() const { return myStatements.Length(); }

  //! Reads one statement (a primitive or a variable definition; theLength bytes, blanks
  //! removed). Returns false with a fault when it does not parse or reaches a limit.
  Standard_EXPORT Standard_Boolean AddStatement(const char*             theText,
                                                const Standard_Integer  theLength,
                                                const VexGerber_Limits& theLimits,
                                                VexPcb_Fault&           theFault);

  //! Evaluates the statements with theParams as $1, $2 ... into thePrimitives. Returns false
  //! with a fault when a value is not finite or there are more primitives than the limit.
  Standard_EXPORT Standard_Boolean Evaluate(const NCollection_Vector<Standard_Real>& theParams,
                                            const VexGerber_Limits&                  theLimits,
                                            NCollection_Vector<VexGerber_Primitive>& thePrimitives,
                                            VexPcb_Fault& theFault) const;

private:
  //! One statement: a primitive (Code > 0) or a definition of variable Variable (Code < 0).
  struct Statement
  {
    Standard_Integer                         Code;     //!< primitive code, -1 definition
    Standard_Integer                         Variable; //!< variable defined
    NCollection_Vector<VexGerber_Expression> Args;     //!< parameters, or the definition

    Statement() : Code(-1), Variable(0), Args(8) {}
  };

  //! Reads a variable definition "$n=expression".
  Standard_Boolean addDefinition(const char* theText, const Standard_Integer theLength,
                                 const VexGerber_Limits& theLimits, VexPcb_Fault& theFault);

  TCollection_AsciiString       myName;       //!< macro name
  NCollection_Vector<Statement> myStatements; //!< statements in order
};

DEFINE_STANDARD_HANDLE(VexGerber_Macro, Standard_Transient)

#endif
