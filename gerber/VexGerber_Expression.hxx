// Copyright (c) 2026 VexData developers
#ifndef _VexGerber_Expression_HeaderFile
#define _VexGerber_Expression_HeaderFile

#include <VexPcb_Fault.hxx>

#include <NCollection_Vector.hxx>

//! An arithmetic expression of an aperture macro: decimal numbers, variables $n, the operators
//! + - x / (x or X multiplies), parentheses and unary signs. It is compiled once, when the macro
//! is read, into a postfix program that Evaluate runs with the variables of one aperture.
class VexGerber_Expression
{
public:
  //! Creates the expression 0.
  VexGerber_Expression() : myProgram(8) {}

  //! Compiles theText (theLength bytes, blanks already removed). Nesting of parentheses and
  //! signs deeper than theMaxDepth and variables above theMaxVariable are faults. Returns false
  //! with the fault recorded in theFault.
  Standard_EXPORT Standard_Boolean Compile(const char* theText, const Standard_Integer theLength,
                                           const Standard_Integer theMaxDepth,
                                           const Standard_Integer theMaxVariable,
                                           VexPcb_Fault&          theFault);

  //! Returns the value with theVariables ($n is theVariables(n); missing ones are 0). Division
  //! by zero gives a value that is not finite, for the caller to refuse.
  Standard_EXPORT Standard_Real
  Evaluate(const NCollection_Vector<Standard_Real>& theVariables) const;

  //! Returns true when the expression is a number without variables or operators.
  Standard_Boolean IsConstant() const
  {
    return myProgram.Length() == 1 && myProgram(0).Code == Op_Push;
  }

private:
  //! Instructions of the postfix program.
  enum Op
  {
    Op_Push,     //!< push Value
    Op_Variable, //!< push variable Index
    Op_Add,      //!< a + b
    Op_Subtract, //!< a - b
    Op_Multiply, //!< a x b
    Op_Divide,   //!< a / b
    Op_Negate    //!< -a
  };

  //! One instruction.
  struct Instruction
  {
    Op               Code;  //!< what to do
    Standard_Integer Index; //!< variable number
    Standard_Real    Value; //!< number to push
  };

  //! Compiles a sum of terms from the current position.
  Standard_Boolean sum(const Standard_Integer theDepth);

  //! Compiles a product of factors from the current position.
  Standard_Boolean product(const Standard_Integer theDepth);

  //! Compiles a number, a variable, a signed factor or a parenthesised sum.
  Standard_Boolean factor(const Standard_Integer theDepth);

  //! Compiles a number at the current position.
  Standard_Boolean number();

  //! Compiles a variable whose '$' is at the current position.
  Standard_Boolean variable();

  //! Appends an instruction.
  void emit(const Op theOp, const Standard_Integer theIndex = 0,
            const Standard_Real theValue = 0.0);

  //! Returns the character at the current position, 0 at the end.
  char peek() const { return myPos < myEnd ? *myPos : '\0'; }

  //! Records a syntax fault quoting the whole expression.
  Standard_Boolean syntaxFault();

  NCollection_Vector<Instruction> myProgram;       //!< postfix program
  Standard_Integer                myStackSize = 0; //!< deepest evaluation stack needed
  // Compilation state, valid during Compile only.
  const char*      myText     = nullptr; //!< start of the text
  const char*      myPos      = nullptr; //!< current position
  const char*      myEnd      = nullptr; //!< end of the text
  Standard_Integer myMaxDepth = 0;       //!< nesting bound
  Standard_Integer myMaxVar   = 0;       //!< variable bound
  Standard_Integer myDepth    = 0;       //!< stack depth of the program so far
  VexPcb_Fault*    myFault    = nullptr; //!< where faults go
};

#endif
