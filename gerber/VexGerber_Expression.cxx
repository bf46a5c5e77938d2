// Copyright (c) 2026 VexData developers
#include <VexGerber_Expression.hxx>

#include <VexGerber_Number.hxx>

#include <NCollection_LocalArray.hxx>

namespace
{
//! Deepest evaluation stack kept on the machine stack; deeper programs use the heap.
const Standard_Integer THE_LOCAL_STACK = 64;

//! Returns true for a decimal digit.
bool isDigit(const char theChar)
{
  return theChar >= '0' && theChar <= '9';
}
} // namespace

Standard_Boolean VexGerber_Expression::Compile(const char*            theText,
                                               const Standard_Integer theLength,
                                               const Standard_Integer theMaxDepth,
                                               const Standard_Integer theMaxVariable,
                                               VexPcb_Fault&          theFault)
{
  myProgram.Clear();
  myText      = theText;
  myPos       = theText;
  myEnd       = theText + theLength;
  myMaxDepth  = theMaxDepth;
  myMaxVar    = theMaxVariable;
  myDepth     = 0;
  myStackSize = 0;
  myFault     = &theFault;
  if (theLength == 0)
  {
    // An empty argument counts as 0, as in "1,1,,0,0".
    emit(Op_Push, 0, 0.0);
    return Standard_True;
  }
  if (!sum(0))
  {
    return Standard_False;
  }
  return myPos == myEnd ? Standard_True : syntaxFault();
}

Standard_Boolean VexGerber_Expression::syntaxFault()
{
  return myFault->Fail(
      VexPcb_Fault("VEX_GERBER_MACRO_EXPRESSION")
          .Quote(TCollection_AsciiString(myText, static_cast<Standard_Integer>(myEnd - myText))));
}

void VexGerber_Expression::emit(const Op theOp, const Standard_Integer theIndex,
                                const Standard_Real theValue)
{
  Instruction anInstruction;
  anInstruction.Code  = theOp;
  anInstruction.Index = theIndex;
  anInstruction.Value = theValue;
  myProgram.Append(anInstruction);
  if (theOp == Op_Push || theOp == Op_Variable)
  {
    myStackSize = Max(myStackSize, ++myDepth);
  }
  else if (theOp != Op_Negate)
  {
    --myDepth;
  }
}

Standard_Boolean VexGerber_Expression::sum(const Standard_Integer theDepth)
{
  if (!product(theDepth))
  {
    return Standard_False;
  }
  while (peek() == '+' || peek() == '-')
  {
    const Op anOp = *myPos++ == '+' ? Op_Add : Op_Subtract;
    if (!product(theDepth))
    {
      return Standard_False;
    }
    emit(anOp);
  }
  return Standard_True;
}

Standard_Boolean VexGerber_Expression::product(const Standard_Integer theDepth)
{
  if (!factor(theDepth))
  {
    return Standard_False;
  }
  while (peek() == 'x' || peek() == 'X' || peek() == '/')
  {
    const Op anOp = *myPos++ == '/' ? Op_Divide : Op_Multiply;
    if (!factor(theDepth))
    {
      return Standard_False;
    }
    emit(anOp);
  }
  return Standard_True;
}

Standard_Boolean VexGerber_Expression::factor(const Standard_Integer theDepth)
{
  if (theDepth >= myMaxDepth)
  {
    return myFault->Fail(VexPcb_Fault("VEX_GERBER_LIMIT_EXPRESSION_DEPTH").Arg(myMaxDepth));
  }
  const char aChar = peek();
  if (aChar == '+' || aChar == '-')
  {
    ++myPos;
    if (!factor(theDepth + 1))
    {
      return Standard_False;
    }
    if (aChar == '-')
    {
      emit(Op_Negate);
    }
    return Standard_True;
  }
  if (aChar == '(')
  {
    ++myPos;
    if (!sum(theDepth + 1))
    {
      return Standard_False;
    }
    if (peek() != ')')
    {
      return syntaxFault();
    }
    ++myPos;
    return Standard_True;
  }
  return aChar == '$' ? variable() : number();
}

Standard_Boolean VexGerber_Expression::number()
{
  // Signs belong to the expression, not to the number.
  if (peek() == '+' || peek() == '-')
  {
    return syntaxFault();
  }
  Standard_Real aValue = 0.0;
  if (!VexGerber_Number::ReadDecimal(myPos, myEnd, aValue))
  {
    return syntaxFault();
  }
  emit(Op_Push, 0, aValue);
  return Standard_True;
}

Standard_Boolean VexGerber_Expression::variable()
{
  ++myPos;
  Standard_Integer anIndex   = 0;
  Standard_Boolean hasDigits = Standard_False;
  while (isDigit(peek()))
  {
    anIndex   = Min(anIndex * 10 + (*myPos++ - '0'), myMaxVar + 1);
    hasDigits = Standard_True;
  }
  if (!hasDigits || anIndex < 1)
  {
    return syntaxFault();
  }
  if (anIndex > myMaxVar)
  {
    return myFault->Fail(VexPcb_Fault("VEX_GERBER_LIMIT_MACRO_VARIABLE").Arg(myMaxVar));
  }
  emit(Op_Variable, anIndex);
  return Standard_True;
}

Standard_Real VexGerber_Expression::Evaluate(
    const NCollection_Vector<Standard_Real>& theVariables) const
{
  NCollection_LocalArray<Standard_Real, THE_LOCAL_STACK> aStack(Max(myStackSize, 1));
  Standard_Integer                                       aTop = 0;
  for (NCollection_Vector<Instruction>::Iterator anIter(myProgram); anIter.More(); anIter.Next())
  {
    const Instruction& anInstr = anIter.Value();
    switch (anInstr.Code)
    {
    case Op_Push:
      aStack[aTop++] = anInstr.Value;
      break;
    case Op_Variable:
      aStack[aTop++] = anInstr.Index < theVariables.Length() ? theVariables(anInstr.Index) : 0.0;
      break;
    case Op_Negate:
      aStack[aTop - 1] = -aStack[aTop - 1];
      break;
    default:
    {
      const Standard_Real aRight = aStack[--aTop];
      Standard_Real&      aLeft  = aStack[aTop - 1];
      aLeft                      = anInstr.Code == Op_Add        ? aLeft + aRight
                                   : anInstr.Code == Op_Subtract ? aLeft - aRight
                                   : anInstr.Code == Op_Multiply ? aLeft * aRight
                                                                 : aLeft / aRight;
    }
    }
  }
  return aTop == 1 ? aStack[0] : 0.0;
}
