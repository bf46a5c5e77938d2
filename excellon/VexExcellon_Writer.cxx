// Copyright (c) 2026 VexData developers
#include <VexExcellon_Writer.hxx>

#include <VexExcellon_Machine.hxx>
#include <VexPcb_NumberText.hxx>

#include <PenFormatData.hxx>

#include <cmath>
#include <cstdio>

#ifndef VEX_EXCELLON_VERSION
#define VEX_EXCELLON_VERSION "0"
#endif

namespace
{
//! Bytes gathered before they go to the stream.
const size_t THE_CHUNK = 1 << 16;

//! Steps of a millimetre written: six decimals.
const double THE_STEPS = 1.0e6;

//! Returns true when theName of theSequence is what theFilter asks for (empty: anything).
bool matches(const TCollection_ExtendedString& theName, const TCollection_AsciiString& theFilter)
{
  return theFilter.IsEmpty() || TCollection_AsciiString(theName, '?') == theFilter;
}

//! Appends theValue (millimetres, well inside the coordinate limit) with a decimal point and
//! at most six decimals, without trailing zeros ("12.5", "-0.000123", "3.0").
void appendNumber(std::string& theText, const double theValue)
{
  char        aDigits[VexPcb_NumberText::THE_ROOM];
  const char* anEnd = VexPcb_NumberText::Decimal(aDigits, std::llround(theValue * THE_STEPS), 6);
  theText.append(aDigits, static_cast<size_t>(anEnd - aDigits));
}

//! Returns the number of theName when it is "T" and digits of a valid tool number, else -1.
int toolNumberOf(const TCollection_ExtendedString& theName)
{
  const TCollection_AsciiString aName(theName, '?');
  if (aName.Length() < 2 || aName.Length() > 5 || aName.Value(1) != 'T')
  {
    return -1;
  }
  int aNumber = 0;
  for (Standard_Integer aChar = 2; aChar <= aName.Length(); ++aChar)
  {
    if (!IsDigit(aName.Value(aChar)))
    {
      return -1;
    }
    aNumber = aNumber * 10 + (aName.Value(aChar) - '0');
  }
  return aNumber >= 1 ? aNumber : -1;
}
} // namespace

VexExcellon_Writer::VexExcellon_Writer(const PenFormatData_Model& theModel,
                                       VexPcb_TransferReport&     theCounts)
    : myModel(theModel), myCounts(theCounts),
      myFactor(
          PenFormatData::ComputeUnitFactor(theModel.DimensionUnit(), PenFormatData_DU_Millimetre)),
      myHoles(0), myPaths(0), myArtwork(0), myNotPoints(0), myPoints(0)
{
}

Standard_Boolean VexExcellon_Writer::Write(const PenFormatData_Model&       theModel,
                                           const VexExcellon_WriterOptions& theOptions,
                                           std::ostream&                    theStream,
                                           VexPcb_TransferReport&           theCounts)
{
  try
  {
    VexExcellon_Writer aWriter(theModel, theCounts);
    aWriter.collect(theOptions);
    if (!aWriter.check())
    {
      return Standard_False;
    }
    aWriter.numberTools();
    std::string aText;
    aText.reserve(THE_CHUNK + 256);
    aWriter.writeHeader(aText);
    if (!aWriter.writeBody(theStream, aText))
    {
      theCounts.SetFault(0, Message_Msg("VEX_EXCELLON_WRITE_FAIL"));
      return Standard_False;
    }
    aWriter.count(VexPcb_TransferReport::Outcome_Toolpath, "holes", aWriter.myHoles);
    aWriter.count(VexPcb_TransferReport::Outcome_Ignored, "path toolpaths", aWriter.myPaths);
    aWriter.count(VexPcb_TransferReport::Outcome_Ignored, "objects that are not toolpaths",
                  aWriter.myArtwork);
    aWriter.count(VexPcb_TransferReport::Outcome_Ignored,
                  "elements of drilling toolpaths that are not points", aWriter.myNotPoints);
    return Standard_True;
  }
  catch (...)
  {
    theCounts.SetFault(0, Message_Msg("VEX_EXCELLON_WRITE_FAIL"));
    return Standard_False;
  }
}

void VexExcellon_Writer::count(const VexPcb_TransferReport::Outcome theOutcome, const char* theKind,
                               const Standard_Integer theCount) const
{
  if (theCount > 0)
  {
    myCounts.Add(theOutcome, theKind, theCount);
  }
}

void VexExcellon_Writer::collect(const VexExcellon_WriterOptions& theOptions)
{
  for (NCollection_List<Handle(PenFormatData_Object)>::Iterator anIter(myModel.Objects());
       anIter.More(); anIter.Next())
  {
    const Handle(PenFormatData_Sequence) aSequence =
        Handle(PenFormatData_Sequence)::DownCast(anIter.Value());
    if (aSequence.IsNull() || !matches(aSequence->PhaseName(), theOptions.Phase) ||
        !matches(aSequence->LayerName(), theOptions.Layer))
    {
      continue;
    }
    if (aSequence->ToolpathFlag() == 0)
    {
      ++myArtwork;
      continue;
    }
    if (aSequence->ToolpathMode() != 2)
    {
      ++myPaths;
      continue;
    }
    const Standard_Integer  anAperture = aSequence->ApertureNumber();
    const Standard_Integer* anIndex    = myByAperture.Seek(anAperture);
    if (anIndex == NULL)
    {
      Tool aTool;
      aTool.Aperture = anAperture;
      aTool.Number   = 0;
      aTool.Diameter = 0.0;
      anIndex        = myByAperture.Bound(anAperture, myTools.Length());
      myTools.Append(aTool);
    }
    myTools.ChangeValue(*anIndex).Toolpaths.Append(aSequence);
  }
}

Standard_Boolean VexExcellon_Writer::check()
{
  for (NCollection_Vector<Tool>::Iterator anIter(myTools); anIter.More(); anIter.Next())
  {
    Tool& aTool                                      = anIter.ChangeValue();
    const Handle(PenFormatData_Aperture)& anAperture = myModel.Aperture(aTool.Aperture);
    const Standard_Real aWidth =
        anAperture.IsNull() || anAperture->NbParams() < 1 ? -1.0 : anAperture->Param(1) * myFactor;
    if (anAperture.IsNull() || anAperture->ShapeCode() != PenFormatData_Aperture::Shape_Round ||
        !(aWidth >= 0.0) || aWidth > VexExcellon_Machine::THE_COORDINATE_LIMIT)
    {
      Message_Msg aMessage("VEX_EXCELLON_WRITE_TOOL");
      myCounts.SetFault(0, aMessage.Arg(aTool.Aperture));
      return Standard_False;
    }
    aTool.Diameter = aWidth;
    if (!checkHoles(aTool))
    {
      return Standard_False;
    }
  }
  if (myPoints == 0)
  {
    // A drill file without a hole would be a header that viewers do not take for a drill file.
    myCounts.SetFault(0, Message_Msg("VEX_EXCELLON_WRITE_EMPTY"));
    return Standard_False;
  }
  return Standard_True;
}

Standard_Boolean VexExcellon_Writer::checkHoles(const Tool& theTool)
{
  // Everything is checked before the first byte goes out, so a refused model writes nothing.
  for (NCollection_Vector<Handle(PenFormatData_Sequence)>::Iterator aPaths(theTool.Toolpaths);
       aPaths.More(); aPaths.Next())
  {
    const Handle(PhGeom_Curve)& aContainer = aPaths.Value()->GetCurve();
    if (aContainer.IsNull())
    {
      continue;
    }
    for (const Handle(PhGeom_Curve) & aHole : aContainer->Children())
    {
      for (PhGeom_Curve::ElementIterator anIter(*aHole); anIter.More(); anIter.Next())
      {
        const gp_XY aPoint = anIter.Value().StartPoint() * myFactor;
        if (anIter.Value().Kind() != PhGeom_Element::Kind_Point)
        {
          ++myNotPoints;
          continue;
        }
        ++myPoints;
        if (!(std::abs(aPoint.X()) <= VexExcellon_Machine::THE_COORDINATE_LIMIT &&
              std::abs(aPoint.Y()) <= VexExcellon_Machine::THE_COORDINATE_LIMIT))
        {
          Message_Msg         aMessage("VEX_EXCELLON_WRITE_COORDINATE");
          const Standard_Real aFar = std::max(std::abs(aPoint.X()), std::abs(aPoint.Y()));
          myCounts.SetFault(0, aMessage.Arg(aFar));
          return Standard_False;
        }
      }
    }
  }
  return Standard_True;
}

void VexExcellon_Writer::numberTools()
{
  // Names "T<n>" keep their numbers when they are all distinct; otherwise number from 1.
  NCollection_DataMap<Standard_Integer, Standard_Integer> aSeen;
  Standard_Boolean                                        isNamed = Standard_True;
  for (NCollection_Vector<Tool>::Iterator anIter(myTools); anIter.More() && isNamed; anIter.Next())
  {
    const int aNumber           = toolNumberOf(myModel.Aperture(anIter.Value().Aperture)->Name());
    isNamed                     = aNumber > 0 && aNumber <= 9999 && aSeen.Bind(aNumber, 0);
    anIter.ChangeValue().Number = aNumber;
  }
  Standard_Integer aNext = 0;
  for (NCollection_Vector<Tool>::Iterator anIter(myTools); anIter.More() && !isNamed; anIter.Next())
  {
    anIter.ChangeValue().Number = ++aNext;
  }
}

void VexExcellon_Writer::writeHeader(std::string& theText) const
{
  theText += "M48\n";
  theText += "; #@! TF.GenerationSoftware,VexData,vex," VEX_EXCELLON_VERSION "\n";
  theText += "; #@! TF.FileFunction,Other,Drilling job\n";
  theText += "FMAT,2\n";
  theText += "METRIC\n";
  for (NCollection_Vector<Tool>::Iterator anIter(myTools); anIter.More(); anIter.Next())
  {
    char aNumber[16];
    std::snprintf(aNumber, sizeof(aNumber), "T%02d", anIter.Value().Number);
    theText += aNumber;
    theText += 'C';
    appendNumber(theText, anIter.Value().Diameter);
    theText += '\n';
  }
  theText += "%\nG90\nG05\n";
}

Standard_Boolean VexExcellon_Writer::writeBody(std::ostream& theStream, std::string& theText)
{
  for (NCollection_Vector<Tool>::Iterator aTools(myTools); aTools.More(); aTools.Next())
  {
    char aNumber[16];
    std::snprintf(aNumber, sizeof(aNumber), "T%02d\n", aTools.Value().Number);
    theText += aNumber;
    for (NCollection_Vector<Handle(PenFormatData_Sequence)>::Iterator aPaths(
             aTools.Value().Toolpaths);
         aPaths.More(); aPaths.Next())
    {
      if (!aPaths.Value()->GetCurve().IsNull())
      {
        writeHoles(*aPaths.Value()->GetCurve(), theStream, theText);
      }
    }
  }
  theText += "M30\n";
  theStream.write(theText.data(), static_cast<std::streamsize>(theText.size()));
  theStream.flush();
  return !theStream.fail();
}

void VexExcellon_Writer::writeHoles(const PhGeom_Curve& theContainer, std::ostream& theStream,
                                    std::string& theText)
{
  for (const Handle(PhGeom_Curve) & aHole : theContainer.Children())
  {
    for (PhGeom_Curve::ElementIterator anIter(*aHole); anIter.More(); anIter.Next())
    {
      if (anIter.Value().Kind() != PhGeom_Element::Kind_Point)
      {
        continue;
      }
      const gp_XY aPoint = anIter.Value().StartPoint() * myFactor;
      theText += 'X';
      appendNumber(theText, aPoint.X());
      theText += 'Y';
      appendNumber(theText, aPoint.Y());
      theText += '\n';
      ++myHoles;
      if (theText.size() >= THE_CHUNK)
      {
        theStream.write(theText.data(), static_cast<std::streamsize>(theText.size()));
        theText.clear();
      }
    }
  }
}
