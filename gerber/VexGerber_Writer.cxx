// Copyright (c) 2026 VexData developers
#include <VexGerber_Writer.hxx>

#include <VexGeom_Contour.hxx>
#include <VexPcb_NumberText.hxx>

#include <PenFormatData.hxx>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace
{
//! Nanometres per millimetre: the file has six decimals.
const Standard_Real THE_NANOMETRES = 1.0e6;

//! Bytes of text gathered before they go to the stream.
const size_t THE_CHUNK = 1 << 16;

//! Distance under which two points of a contour are the same point (model unit).
const Standard_Real THE_SAME_POINT = 1.0e-9;

//! Returns theText with the characters that would end a command or a line replaced.
TCollection_AsciiString attributeValue(const TCollection_AsciiString& theText)
{
  TCollection_AsciiString aValue = theText;
  for (Standard_Integer anIndex = 1; anIndex <= aValue.Length(); ++anIndex)
  {
    const char aChar = aValue.Value(anIndex);
    if (aChar == '*' || aChar == '%' || aChar < 32 || aChar > 126)
    {
      aValue.SetValue(anIndex, '_');
    }
  }
  return aValue;
}

//! Writes theLetter and theValue at thePos; returns the position after them.
char* putWord(char* thePos, const char theLetter, const long long theValue)
{
  *thePos++ = theLetter;
  return VexPcb_NumberText::Integer(thePos, theValue);
}
} // namespace

Standard_Boolean VexGerber_Writer::Write(const PenFormatData_Model&     theModel,
                                         const VexGerber_WriterOptions& theOptions,
                                         std::ostream& theStream, VexPcb_TransferReport& theCounts)
{
  VexGerber_Writer aWriter(theModel, theOptions, theStream, theCounts);
  try
  {
    aWriter.writeHeader();
    for (NCollection_List<Handle(PenFormatData_Object)>::Iterator anIter(theModel.Objects());
         anIter.More() && theStream.good(); anIter.Next())
    {
      const Handle(PenFormatData_Sequence) aSequence =
          Handle(PenFormatData_Sequence)::DownCast(anIter.Value());
      if (!aSequence.IsNull())
      {
        aWriter.writeSequence(*aSequence);
      }
    }
    aWriter.line("M02*");
    aWriter.flush();
    theStream.flush();
  }
  catch (...)
  {
    theStream.setstate(std::ios::badbit);
  }
  aWriter.myTallies.Flush(theCounts);
  if (theStream.good())
  {
    return Standard_True;
  }
  Message_Msg aMessage("VEX_GERBER_WRITE_FAILED");
  aMessage.Arg(aWriter.myLines + 1);
  theCounts.SetFault(aWriter.myLines + 1, aMessage);
  return Standard_False;
}

VexGerber_Writer::VexGerber_Writer(const PenFormatData_Model&     theModel,
                                   const VexGerber_WriterOptions& theOptions,
                                   std::ostream& theStream, VexPcb_TransferReport& theCounts)
    : myModel(theModel), myOptions(theOptions), myStream(theStream), myCounts(theCounts),
      myApertures(theModel), myFactor(PenFormatData::UnitInMillimetres(theModel.DimensionUnit())),
      myLines(0), myBufferLines(0), myMode(0), myCode(0), myPolarity(-1)
{
  myBuffer.reserve(THE_CHUNK + 256);
}

Standard_Boolean VexGerber_Writer::isSelected(const PenFormatData_Sequence& theSequence) const
{
  return (myOptions.Phase.IsEmpty() || theSequence.PhaseName().IsEqual(TCollection_ExtendedString(
                                           myOptions.Phase.ToCString()))) &&
         (myOptions.Layer.IsEmpty() ||
          theSequence.LayerName().IsEqual(TCollection_ExtendedString(myOptions.Layer.ToCString())));
}

Standard_Boolean VexGerber_Writer::isWritten(const PenFormatData_Sequence& theSequence)
{
  if (theSequence.GetCurve().IsNull() || !isSelected(theSequence))
  {
    return Standard_False;
  }
  const Standard_Boolean isToolpath = theSequence.ToolpathFlag() != 0;
  const Standard_Boolean isArtwork =
      theSequence.IsArea() || theSequence.IsClear() || myApertures.IsFlashes(theSequence);
  return isToolpath || (isArtwork && myOptions.Artwork);
}

long long VexGerber_Writer::nanometres(const Standard_Real theValue) const
{
  return std::llround(theValue * myFactor * THE_NANOMETRES);
}

void VexGerber_Writer::line(const char* theText)
{
  line(theText, std::strlen(theText));
}

void VexGerber_Writer::line(const char* theText, const size_t theLength)
{
  if (myStream.good())
  {
    myBuffer.append(theText, theLength);
    myBuffer.push_back('\n');
    ++myBufferLines;
    if (myBuffer.size() >= THE_CHUNK)
    {
      flush();
    }
  }
}

void VexGerber_Writer::flush()
{
  // The lines go to the stream buffer in large pieces (an output operation per line costs as
  // much as composing it); lines count only when written whole, so that a fault names the first
  // line that is not.
  const std::streamsize aSize = static_cast<std::streamsize>(myBuffer.size());
  std::streamsize       aDone = 0;
  if (aSize > 0 && myStream.good())
  {
    try
    {
      aDone = myStream.rdbuf()->sputn(myBuffer.data(), aSize);
    }
    catch (...)
    {
      aDone = 0; // what the buffer took before it threw is not known
    }
    // Every line ends with the one line feed it was given (texts hold no control characters).
    myLines += aDone == aSize ? myBufferLines
                              : static_cast<Standard_Integer>(
                                    std::count(myBuffer.begin(), myBuffer.begin() + aDone, '\n'));
    if (aDone < aSize)
    {
      myStream.setstate(std::ios::badbit);
    }
  }
  myBuffer.clear();
  myBufferLines = 0;
}

void VexGerber_Writer::writeHeader()
{
  const char* aFormat = myOptions.AttributesAsComments ? "G04 #@! TF.%s,%s*" : "%%TF.%s,%s*%%";
  const char* const      THE_NAMES[] = {"GenerationSoftware", "FileFunction", "FilePolarity"};
  const Standard_Boolean isNegative  = myModel.ImagePolarity() == PenFormatData_IP_Negative;
  const TCollection_AsciiString THE_VALUES[] = {attributeValue(myOptions.Software),
                                                attributeValue(myOptions.Function),
                                                isNegative ? "Negative" : "Positive"};
  char                          aText[512];
  for (int anIndex = 0; anIndex < 3; ++anIndex)
  {
    std::snprintf(aText, sizeof(aText), aFormat, THE_NAMES[anIndex],
                  THE_VALUES[anIndex].ToCString());
    line(aText);
  }
  std::snprintf(aText, sizeof(aText), "G04 Phase: %s, layer: %s*",
                myOptions.Phase.IsEmpty() ? "all" : attributeValue(myOptions.Phase).ToCString(),
                myOptions.Layer.IsEmpty() ? "all" : attributeValue(myOptions.Layer).ToCString());
  line(aText);
  line("%FSLAX46Y46*%");
  line("%MOMM*%");
  if (isNegative)
  {
    line("%IPNEG*%"); // the model's own polarity, as an imported negative file had it
  }
  writeApertures();
  line("G75*");
  line("G01*");
  myMode = 1;
}

void VexGerber_Writer::writeApertures()
{
  for (NCollection_List<Handle(PenFormatData_Object)>::Iterator anIter(myModel.Objects());
       anIter.More(); anIter.Next())
  {
    const Handle(PenFormatData_Sequence) aSequence =
        Handle(PenFormatData_Sequence)::DownCast(anIter.Value());
    if (!aSequence.IsNull() && !aSequence->IsArea() && isWritten(*aSequence))
    {
      const std::string aDefinition = myApertures.Define(*aSequence);
      if (!aDefinition.empty())
      {
        line(aDefinition.c_str(), aDefinition.size());
      }
    }
  }
  if (myApertures.NbCodes() == 0)
  {
    // Regions need no aperture, but readers take a file that declares none for the older form
    // of the format, whose apertures come from elsewhere, and warn: one unused aperture is
    // declared so that they read it as what it is.
    line("%ADD10C,0.010000*%");
  }
}

void VexGerber_Writer::writeSequence(const PenFormatData_Sequence& theSequence)
{
  if (!isWritten(theSequence))
  {
    myTallies.Count(VexPcb_TransferReport::Outcome_Ignored,
                    isSelected(theSequence) ? "objects that are neither toolpaths nor artwork"
                                            : "sequences of other phases or layers");
    return;
  }
  setPolarity(theSequence.IsClear());
  if (theSequence.IsArea())
  {
    writeAreas(theSequence);
  }
  else
  {
    writeStrokes(theSequence);
  }
}

void VexGerber_Writer::setPolarity(const Standard_Boolean isClear)
{
  const Standard_Integer aPolarity = isClear ? 1 : 0;
  if (aPolarity != myPolarity)
  {
    line(isClear ? "%LPC*%" : "%LPD*%");
    myPolarity = aPolarity;
  }
}

void VexGerber_Writer::setMode(const Standard_Integer theMode)
{
  if (theMode != myMode)
  {
    line(theMode == 1 ? "G01*" : (theMode == 2 ? "G02*" : "G03*"));
    myMode = theMode;
  }
}

void VexGerber_Writer::writePoint(const gp_XY& thePoint, const char* theCode,
                                  const gp_XY* theCenter)
{
  char  aText[4 * VexPcb_NumberText::THE_ROOM + 8];
  char* aPos = putWord(aText, 'X', nanometres(thePoint.X()));
  aPos       = putWord(aPos, 'Y', nanometres(thePoint.Y()));
  if (theCenter != NULL)
  {
    // An arc's centre as its offset from the current point, the arc's start.
    const gp_XY anOffset = *theCenter - myPoint;
    aPos                 = putWord(aPos, 'I', nanometres(anOffset.X()));
    aPos                 = putWord(aPos, 'J', nanometres(anOffset.Y()));
  }
  const size_t aCode = std::strlen(theCode);
  std::memcpy(aPos, theCode, aCode);
  line(aText, static_cast<size_t>(aPos - aText) + aCode);
  myPoint = thePoint;
}

void VexGerber_Writer::writeStrokes(const PenFormatData_Sequence& theSequence)
{
  const Standard_Integer aCode = myApertures.Code(theSequence);
  if (aCode != myCode)
  {
    char aText[32];
    std::snprintf(aText, sizeof(aText), "D%d*", aCode);
    line(aText);
    myCode = aCode;
  }
  const Standard_Boolean isFlashes = myApertures.IsFlashes(theSequence);
  for (NCollection_List<Handle(PhGeom_Curve)>::Iterator anIter(theSequence.GetCurve()->Children());
       anIter.More(); anIter.Next())
  {
    writeContour(*anIter.Value(), isFlashes);
  }
  // A container without children holds its elements itself.
  if (theSequence.GetCurve()->Children().IsEmpty())
  {
    writeContour(*theSequence.GetCurve(), isFlashes);
  }
}

void VexGerber_Writer::writeContour(const PhGeom_Curve& theCurve, const Standard_Boolean isFlashes)
{
  Standard_Boolean isMoved = Standard_False;
  for (PhGeom_Curve::ElementIterator anIter(theCurve); anIter.More(); anIter.Next())
  {
    const PhGeom_Element& anElement = anIter.Value();
    if (anElement.Kind() == PhGeom_Element::Kind_Point)
    {
      writePoint(anElement.StartPoint(), "D03*");
      count(isFlashes ? VexPcb_TransferReport::Outcome_Artwork
                      : VexPcb_TransferReport::Outcome_Toolpath,
            "flashes");
      isMoved = Standard_False;
      continue;
    }
    if (isFlashes)
    {
      // Lines of a flash aperture would be strokes of a shape that may not stroke.
      myTallies.Count(VexPcb_TransferReport::Outcome_Ignored, "lines among artwork flashes");
      continue;
    }
    if (!isMoved || (anElement.StartPoint() - myPoint).Modulus() > THE_SAME_POINT)
    {
      writePoint(anElement.StartPoint(), "D02*");
      isMoved = Standard_True;
    }
    if (anElement.Kind() == PhGeom_Element::Kind_Arc)
    {
      const PhGeom_Arc& anArc = static_cast<const PhGeom_Arc&>(anElement);
      writeArc(anArc.EndPoint(), anArc.Center(), anArc.Sense() == 1);
      count(VexPcb_TransferReport::Outcome_Toolpath, "arcs");
    }
    else
    {
      setMode(1);
      writePoint(anElement.EndPoint(), "D01*");
      count(VexPcb_TransferReport::Outcome_Toolpath, "draws");
    }
  }
}

void VexGerber_Writer::writeArc(const gp_XY& theEnd, const gp_XY& theCenter,
                                const Standard_Boolean isCcw)
{
  setMode(isCcw ? 3 : 2);
  writePoint(theEnd, "D01*", &theCenter);
}

void VexGerber_Writer::count(const VexPcb_TransferReport::Outcome theOutcome,
                             const Standard_CString               theKind)
{
  if (myPolarity == 1)
  {
    myTallies.Count(VexPcb_TransferReport::Outcome_Artwork, "clear objects");
    return;
  }
  myTallies.Count(theOutcome, theKind);
}

void VexGerber_Writer::writeRegionContour(const VexGeom_Contour& theContour,
                                          const Standard_Boolean isMove)
{
  if (isMove)
  {
    writePoint(theContour.Start(), "D02*");
  }
  for (Standard_Integer anIndex = 0; anIndex < theContour.NbEdges(); ++anIndex)
  {
    const VexGeom_Edge& anEdge = theContour.Edge(anIndex);
    if (anEdge.Type == VexGeom_Edge::Kind_Segment)
    {
      setMode(1);
      writePoint(anEdge.End, "D01*");
    }
    else
    {
      writeArc(anEdge.End, anEdge.Center, anEdge.Type == VexGeom_Edge::Kind_ArcCcw);
    }
  }
}

void VexGerber_Writer::writeAreas(const PenFormatData_Sequence& theSequence)
{
  myHoles.Match(*theSequence.GetCurve());
  const std::vector<VexGerber_RegionHoles::Item>& anItems = myHoles.Items();
  for (size_t anIndex = 0; anIndex < anItems.size(); ++anIndex)
  {
    const VexGerber_RegionHoles::Item& anItem = anItems[anIndex];
    if (anItem.Area < 0.0 && anItem.FirstHole != static_cast<Standard_Integer>(anIndex))
    {
      continue; // written with its outline
    }
    writeRegion(static_cast<Standard_Integer>(anIndex));
  }
}

void VexGerber_Writer::writeRegion(const Standard_Integer theIndex)
{
  const std::vector<VexGerber_RegionHoles::Item>& anItems = myHoles.Items();
  const VexGerber_RegionHoles::Item&              anItem  = anItems[theIndex];
  VexGerber_RegionHoles::ToContour(*anItem.Curve, myContour);
  if (anItem.Area < 0.0)
  {
    myContour.Reverse(); // a hole that nothing holds fills by itself
  }
  const gp_XY aStart = myContour.Start();
  line("G36*");
  writeRegionContour(myContour);
  for (Standard_Integer aHole = anItem.FirstHole; aHole >= 0; aHole = anItems[aHole].NextHole)
  {
    if (aHole != theIndex)
    {
      // A cut-in to the hole and back: the two passes cancel, the hole stays open.
      VexGerber_RegionHoles::ToContour(*anItems[aHole].Curve, myContour);
      setMode(1);
      writePoint(myContour.Start(), "D01*");
      writeRegionContour(myContour, Standard_False);
      setMode(1);
      writePoint(aStart, "D01*");
    }
  }
  line("G37*");
  count(VexPcb_TransferReport::Outcome_Artwork, "regions");
}
