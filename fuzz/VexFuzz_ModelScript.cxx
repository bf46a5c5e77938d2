// Copyright (c) 2026 VexData developers
#include <VexFuzz_ModelScript.hxx>

#include <PenFormatData_Layer.hxx>

#include <cmath>
#include <limits>

namespace
{
//! A name with a character that fits in a byte and one that does not.
const char THE_WIDE_NAME[] = "caf\xc3\xa9\xe2\x82\xac";

//! Names the instructions choose from: plain ones, names that clash through the writer's
//! container and mapping keys, an empty one, one the writer refuses for a character beyond one
//! byte and one with a leading blank.
const char* const THE_NAMES[] = {"P",   "L",   "T1", "T2",  "Mill",        "Top", "Drill", "",
                                 "P+Q", "Q+R", "R",  "a;b", THE_WIDE_NAME, " P",  "T1a",   "Bot"};

//! Number of entries of THE_NAMES.
const int THE_NB_NAMES = static_cast<int>(sizeof(THE_NAMES) / sizeof(THE_NAMES[0]));
} // namespace

TCollection_ExtendedString VexFuzz_ModelScript::Args::Name()
{
  return TCollection_ExtendedString(THE_NAMES[Byte() % THE_NB_NAMES], Standard_True);
}

void VexFuzz_ModelScript::Build(const std::string& theInput, PenFormatData_Model& theModel,
                                NCollection_Sequence<TCollection_ExtendedString>& theParams)
{
  Handle(PenFormatData_Sequence) aLast;
  Handle(PhGeom_Curve) aContour;
  size_t aStart = 0;
  while (aStart <= theInput.size())
  {
    size_t anEnd = theInput.find('\n', aStart);
    if (anEnd == std::string::npos)
    {
      anEnd = theInput.size();
    }
    const std::string aLine = theInput.substr(aStart, anEnd - aStart);
    if (!aLine.empty() && aLine[0] == '@')
    {
      apply(aLine, theModel, aLast, aContour);
    }
    else if (!aLine.empty())
    {
      theParams.Append(TCollection_ExtendedString(aLine.c_str(), Standard_True));
    }
    aStart = anEnd + 1;
  }
}

void VexFuzz_ModelScript::apply(const std::string& theLine, PenFormatData_Model& theModel,
                                Handle(PenFormatData_Sequence) & theLast,
                                Handle(PhGeom_Curve) & theContour)
{
  Args       anArgs(theLine);
  const char anOp = theLine.size() > 1 ? theLine[1] : ' ';
  switch (anOp)
  {
  case 'A':
  case 'B':
    addAperture(anArgs, theModel, anOp == 'B');
    break;
  case 'S':
    addToolpath(anArgs, theModel, theLast, theContour);
    break;
  case 'C':
    if (!theLast.IsNull())
    {
      theContour = PhGeom_Curve::Create(theModel.Allocator(), 0);
      theLast->GetCurve()->AddChild(theContour);
    }
    break;
  case 'L':
  case 'R':
  case 'P':
    addElement(anOp, anArgs, theContour);
    break;
  case 'F':
  case 'N':
    addScanField(anArgs, theModel, anOp == 'N');
    break;
  case 'U':
    theModel.SetDimensionUnit(static_cast<PenFormatData_DimensionUnit>(anArgs.Byte() % 4));
    break;
  default:
    addOther(anOp, theModel);
    break;
  }
}

void VexFuzz_ModelScript::addAperture(Args& theArgs, PenFormatData_Model& theModel,
                                      const bool theRefused)
{
  const Standard_Integer           aNumber    = theModel.NbApertures();
  const TCollection_ExtendedString aName      = theArgs.Name();
  const int                        aVariant   = theArgs.Byte();
  Standard_Real                    aParams[2] = {theRefused ? 1.0 : (aVariant - 64) / 8.0, 0.5};
  const int                        aKind      = theRefused ? aVariant % 5 : -1;
  if (aKind == 3)
  {
    theModel.SetAperture(aNumber, Handle(PenFormatData_Aperture)());
    return;
  }
  if (aKind == 4)
  {
    aParams[0] = std::numeric_limits<double>::quiet_NaN();
  }
  Handle(PenFormatData_Aperture) aTool =
      new PenFormatData_Aperture(aKind == 0 ? 2 : 1, aName, Handle(Standard_Transient)(), 0);
  aTool->SetParam(aParams, aKind == 1 ? 2 : 1);
  aTool->SetToolFlag(aKind == 2 ? 0 : 1);
  theModel.SetAperture(aNumber, aTool);
}

void VexFuzz_ModelScript::addToolpath(Args& theArgs, PenFormatData_Model& theModel,
                                      Handle(PenFormatData_Sequence) & theLast,
                                      Handle(PhGeom_Curve) & theContour)
{
  const TCollection_ExtendedString aPhase = theArgs.Name();
  const TCollection_ExtendedString aLayer = theArgs.Name();
  const int                        aTool  = theArgs.Number();
  theLast = new PenFormatData_Sequence(aTool, 0, PhGeom_Curve::Create(theModel.Allocator(), 0));
  theLast->SetPhaseName(aPhase);
  theLast->SetLayerName(aLayer);
  theLast->SetToolpathMode(theArgs.Number());
  theLast->SetToolpathFlag(1);
  theLast->SetScanFieldIndex(theArgs.Number());
  theModel.AddObject(theLast);
  theContour = PhGeom_Curve::Create(theModel.Allocator(), 0);
  theLast->GetCurve()->AddChild(theContour);
}

void VexFuzz_ModelScript::addElement(const char theKind, Args& theArgs,
                                     const Handle(PhGeom_Curve) & theContour)
{
  if (theContour.IsNull())
  {
    return;
  }
  const double anX = theArgs.Coord(), anY = theArgs.Coord();
  if (theKind == 'P')
  {
    theContour->CreatePoint(gp_XY(anX, anY));
  }
  else if (theKind == 'L')
  {
    const double anX2 = theArgs.Coord(), anY2 = theArgs.Coord();
    theContour->CreateSegment(gp_XY(anX, anY), gp_XY(anX2, anY2));
  }
  else
  {
    const double aRadius = theArgs.Coord();
    const double anA0    = (theArgs.Byte() - 64) * M_PI / 16.0,
                 anA1    = (theArgs.Byte() - 64) * M_PI / 16.0;
    theContour->CreateArc(gp_XY(anX, anY), aRadius, anA0, anA1, theArgs.Byte() % 2);
  }
}

void VexFuzz_ModelScript::addScanField(Args& theArgs, PenFormatData_Model& theModel,
                                       const bool theNull)
{
  if (theNull)
  {
    theModel.SetScanField(theModel.NbScanFields(), Handle(PenFormatData_ScanField)());
    return;
  }
  const int    aNumber = theArgs.Number(), anOrder = theArgs.Number();
  const double aWidth = theArgs.Coord(), aHeight = theArgs.Coord();
  const double anX = theArgs.Coord(), anY = theArgs.Coord();
  theModel.AddScanField(
      new PenFormatData_ScanField(aNumber, anOrder, aWidth, aHeight, gp_XY(anX, anY)));
}

void VexFuzz_ModelScript::addOther(const char theKind, PenFormatData_Model& theModel)
{
  if (theKind == 'O')
  {
    theModel.AddObject(new PenFormatData_Layer("Layer"));
  }
  else if (theKind == 'Z')
  {
    Handle(PenFormatData_Sequence) aSeq =
        new PenFormatData_Sequence(0, 0, PhGeom_Curve::Create(theModel.Allocator(), 0));
    aSeq->SetToolpathFlag(0);
    theModel.AddObject(aSeq);
  }
  else if (theKind == 'X')
  {
    theModel.AddObject(Handle(PenFormatData_Object)());
  }
}
