// Copyright (c) 2026 VexData developers
#include <VexGerber_Macro.hxx>

#include <cmath>

IMPLEMENT_STANDARD_RTTIEXT(VexGerber_Macro, Standard_Transient)

namespace
{
//! Returns true for the codes of the primitives this reader draws.
bool isKnownPrimitive(const Standard_Integer theCode)
{
  switch (theCode)
  {
  case 1:
  case 2:
  case 20:
  case 21:
  case 22:
  case 4:
  case 5:
  case 6:
  case 7:
    return true;
  default:
    return false;
  }
}

//! Reads the decimal primitive code at the start of theText up to theLength; -1 when there is
//! none.
Standard_Integer primitiveCode(const char* theText, const Standard_Integer theLength,
                               Standard_Integer& theUsed)
{
  Standard_Integer aCode = 0;
  theUsed                = 0;
  while (theUsed < theLength && theText[theUsed] >= '0' && theText[theUsed] <= '9')
  {
    aCode = Min(aCode * 10 + (theText[theUsed++] - '0'), 1000);
  }
  return theUsed == 0 ? -1 : aCode;
}
} // namespace

VexGerber_Macro::VexGerber_Macro(const TCollection_AsciiString& theName)
    : myName(theName), myStatements(16)
{
}

Standard_Boolean VexGerber_Macro::AddStatement(const char*             theText,
                                               const Standard_Integer  theLength,
                                               const VexGerber_Limits& theLimits,
                                               VexPcb_Fault&           theFault)
{
  if (theLength == 0)
  {
    return Standard_True;
  }
  if (theText[0] == '$')
  {
    return addDefinition(theText, theLength, theLimits, theFault);
  }
  Standard_Integer       aUsed = 0;
  const Standard_Integer aCode = primitiveCode(theText, theLength, aUsed);
  if (aCode == 0)
  {
    return Standard_True; // a comment
  }
  if (!isKnownPrimitive(aCode) || (aUsed < theLength && theText[aUsed] != ','))
  {
    return theFault.Fail(VexPcb_Fault("VEX_GERBER_MACRO_PRIMITIVE")
                             .Quote(TCollection_AsciiString(theText, Min(theLength, 60))));
  }
  if (myStatements.Length() >= theLimits.MacroPrimitives)
  {
    return theFault.Fail(
        VexPcb_Fault("VEX_GERBER_LIMIT_MACRO_PRIMITIVES").Arg(theLimits.MacroPrimitives));
  }
  Statement& aStatement = myStatements.Appended();
  aStatement.Code       = aCode;
  Standard_Integer aPos = aUsed;
  while (aPos < theLength) // at a ',' before every argument
  {
    const Standard_Integer aStart = ++aPos;
    while (aPos < theLength && theText[aPos] != ',')
    {
      ++aPos;
    }
    if (!aStatement.Args.Appended().Compile(theText + aStart, aPos - aStart,
                                            theLimits.ExpressionDepth, theLimits.MacroVariable,
                                            theFault))
    {
      return Standard_False;
    }
  }
  return Standard_True;
}

Standard_Boolean VexGerber_Macro::addDefinition(const char*             theText,
                                                const Standard_Integer  theLength,
                                                const VexGerber_Limits& theLimits,
                                                VexPcb_Fault&           theFault)
{
  Standard_Integer       aUsed     = 0;
  const Standard_Integer aVariable = primitiveCode(theText + 1, theLength - 1, aUsed);
  if (aVariable < 1 || 1 + aUsed >= theLength || theText[1 + aUsed] != '=')
  {
    return theFault.Fail(VexPcb_Fault("VEX_GERBER_MACRO_PRIMITIVE")
                             .Quote(TCollection_AsciiString(theText, Min(theLength, 60))));
  }
  if (aVariable > theLimits.MacroVariable)
  {
    return theFault.Fail(
        VexPcb_Fault("VEX_GERBER_LIMIT_MACRO_VARIABLE").Arg(theLimits.MacroVariable));
  }
  if (myStatements.Length() >= theLimits.MacroPrimitives)
  {
    return theFault.Fail(
        VexPcb_Fault("VEX_GERBER_LIMIT_MACRO_PRIMITIVES").Arg(theLimits.MacroPrimitives));
  }
  Statement& aStatement         = myStatements.Appended();
  aStatement.Variable           = aVariable;
  const Standard_Integer aStart = 2 + aUsed;
  return aStatement.Args.Appended().Compile(theText + aStart, theLength - aStart,
                                            theLimits.ExpressionDepth, theLimits.MacroVariable,
                                            theFault);
}

Standard_Boolean VexGerber_Macro::Evaluate(const NCollection_Vector<Standard_Real>& theParams,
                                           const VexGerber_Limits&                  theLimits,
                                           NCollection_Vector<VexGerber_Primitive>& thePrimitives,
                                           VexPcb_Fault&                            theFault) const
{
  (void)theLimits; // the statement count was bounded when the macro was read
  // Variables from 1; entry 0 is never used.
  NCollection_Vector<Standard_Real> aVariables(16);
  aVariables.Append(0.0);
  for (NCollection_Vector<Standard_Real>::Iterator anIter(theParams); anIter.More(); anIter.Next())
  {
    aVariables.Append(anIter.Value());
  }
  for (NCollection_Vector<Statement>::Iterator anIter(myStatements); anIter.More(); anIter.Next())
  {
    const Statement& aStatement = anIter.Value();
    if (aStatement.Code < 0)
    {
      const Standard_Real aValue = aStatement.Args(0).Evaluate(aVariables);
      while (aVariables.Length() <= aStatement.Variable)
      {
        aVariables.Append(0.0);
      }
      aVariables.ChangeValue(aStatement.Variable) = aValue;
      continue;
    }
    VexGerber_Primitive& aPrimitive = thePrimitives.Appended();
    aPrimitive.Code                 = aStatement.Code;
    for (NCollection_Vector<VexGerber_Expression>::Iterator anArg(aStatement.Args); anArg.More();
         anArg.Next())
    {
      const Standard_Real aValue = anArg.Value().Evaluate(aVariables);
      // A moire's ring count is no length: the moire judges it (rings beyond those that fit
      // are not drawn).
      const Standard_Boolean isRingCount = aStatement.Code == 6 && aPrimitive.Values.Length() == 5;
      if (!(std::abs(aValue) <= VexGerber_Limits::THE_MAX_MACRO_VALUE) && !isRingCount)
      {
        return theFault.Fail(VexPcb_Fault("VEX_GERBER_MACRO_VALUE").Quote(myName));
      }
      aPrimitive.Values.Append(aValue);
    }
  }
  return Standard_True;
}
