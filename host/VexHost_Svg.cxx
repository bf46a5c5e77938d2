// Copyright (c) 2026 VexData developers
#include <VexHost_Svg.hxx>

#include <PenFormatData.hxx>
#include <PenFormatData_Sequence.hxx>
#include <PhGeom_Curve.hxx>

#include <Standard_Failure.hxx>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <map>
#include <string>

namespace
{
//! Tool colours, given out in the order of aperture numbers.
const char* const THE_PALETTE[] = {"#1f77b4", "#d62728", "#2ca02c", "#ff7f0e",
                                   "#9467bd", "#8c564b", "#e377c2", "#17becf",
                                   "#bcbd22", "#393b79", "#637939", "#843c39"};

//! Number of tool colours.
const size_t THE_NB_COLOURS = sizeof(THE_PALETTE) / sizeof(THE_PALETTE[0]);

//! Size above which the picture text is handed to the stream.
const size_t THE_FLUSH_SIZE = 1 << 16;

//! Pixels of the longer side of the picture as a browser first shows it.
const double THE_PICTURE_PIXELS = 1000.0;

//! Distance (mm) under which an element continues the path at the previous element's end.
const double THE_JOIN_TOLERANCE = 1.0e-6;

const double THE_HALF_PI = 0.5 * M_PI;
const double THE_TWO_PI  = 2.0 * M_PI;

//! How a sequence is drawn.
enum DrawKind
{
  DrawKind_Path,      //!< path toolpath: stroked at the tool's width
  DrawKind_Drill,     //!< point toolpath: one disc per hit
  DrawKind_ScanField, //!< scan-field outline: dashed
  DrawKind_Other      //!< any other non-toolpath sequence: thin grey
};

//! Returns how theSequence is drawn; the split follows what a machine file would receive.
DrawKind classify(const PenFormatData_Sequence& theSequence)
{
  static const TCollection_ExtendedString THE_SCAN_LAYER("Scan fields");
  if (theSequence.ToolpathFlag() != 0)
  {
    return theSequence.ToolpathMode() == 1 ? DrawKind_Path : DrawKind_Drill;
  }
  return theSequence.LayerName() == THE_SCAN_LAYER ? DrawKind_ScanField : DrawKind_Other;
}

//! Returns true when both coordinates are finite.
bool isFinite(const gp_XY& thePoint)
{
  return std::isfinite(thePoint.X()) && std::isfinite(thePoint.Y());
}

//! Returns true when every value the picture uses of theElement is finite.
bool isDrawable(const PhGeom_Element& theElement)
{
  if (theElement.Kind() != PhGeom_Element::Kind_Arc)
  {
    return isFinite(theElement.StartPoint()) && isFinite(theElement.EndPoint());
  }
  const PhGeom_Arc& anArc = static_cast<const PhGeom_Arc&>(theElement);
  return isFinite(anArc.Center()) && std::isfinite(anArc.Radius()) &&
         std::isfinite(anArc.Angle(0)) && std::isfinite(anArc.Angle(1)) &&
         isFinite(anArc.StartPoint()) && isFinite(anArc.EndPoint());
}

//! Appends the UTF-8 encoding of theCode (at most U+10FFFF).
void appendUtf8(std::string& theOut, const unsigned int theCode)
{
  if (theCode < 0x80)
  {
    theOut += static_cast<char>(theCode);
    return;
  }
  static const unsigned int THE_LEADS[] = {0xC0u, 0xE0u, 0xF0u};
  const int                 aTrail      = theCode < 0x800 ? 1 : theCode < 0x10000 ? 2 : 3;
  theOut += static_cast<char>(THE_LEADS[aTrail - 1] | (theCode >> (6 * aTrail)));
  for (int aShift = 6 * (aTrail - 1); aShift >= 0; aShift -= 6)
  {
    theOut += static_cast<char>(0x80u | ((theCode >> aShift) & 0x3Fu));
  }
}

//! Appends theText as XML character data in UTF-8: markup characters become references,
//! characters XML cannot carry become "?", and unpaired surrogates become U+FFFD.
void appendXmlText(std::string& theOut, const TCollection_ExtendedString& theText)
{
  const Standard_Integer aLength = theText.Length();
  for (Standard_Integer anIndex = 1; anIndex <= aLength; ++anIndex)
  {
    unsigned int aCode = static_cast<unsigned int>(theText.Value(anIndex));
    if (aCode >= 0xD800 && aCode <= 0xDBFF && anIndex < aLength &&
        theText.Value(anIndex + 1) >= 0xDC00 && theText.Value(anIndex + 1) <= 0xDFFF)
    {
      aCode = 0x10000 + ((aCode - 0xD800) << 10) + (theText.Value(++anIndex) - 0xDC00u);
    }
    else if (aCode >= 0xD800 && aCode <= 0xDFFF)
    {
      aCode = 0xFFFD;
    }
    if (aCode == '&' || aCode == '<' || aCode == '>' || aCode == '"')
    {
      theOut += aCode == '&' ? "&amp;" : aCode == '<' ? "&lt;" : aCode == '>' ? "&gt;" : "&quot;";
    }
    else if ((aCode < 0x20 && aCode != '\t') || aCode == 0xFFFE || aCode == 0xFFFF)
    {
      theOut += '?';
    }
    else
    {
      appendUtf8(theOut, aCode);
    }
  }
}

//! Returns theValue printed with up to six significant digits, for labels.
std::string label(const double theValue)
{
  char aBuffer[32];
  std::snprintf(aBuffer, sizeof(aBuffer), "%g", theValue);
  return aBuffer;
}

//! An axis-aligned bounding box in millimetres.
struct Box
{
  double MinX = std::numeric_limits<double>::infinity();  //!< left
  double MinY = std::numeric_limits<double>::infinity();  //!< bottom
  double MaxX = -std::numeric_limits<double>::infinity(); //!< right
  double MaxY = -std::numeric_limits<double>::infinity(); //!< top

  //! Returns true while nothing was added.
  bool IsVoid() const { return MinX > MaxX; }

  //! Adds the square of half side thePad around thePoint.
  void Add(const gp_XY& thePoint, const double thePad)
  {
    MinX = std::min(MinX, thePoint.X() - thePad);
    MinY = std::min(MinY, thePoint.Y() - thePad);
    MaxX = std::max(MaxX, thePoint.X() + thePad);
    MaxY = std::max(MaxY, thePoint.Y() + thePad);
  }
};

//! What the picture tells of one tool.
struct ToolEntry
{
  TCollection_ExtendedString Name;       //!< aperture name, or "#number" without an aperture
  double                     Width  = 0; //!< tool width in millimetres, as the model gives it
  int                        Paths  = 0; //!< contours drawn as paths
  int                        Hits   = 0; //!< drill hits
  size_t                     Colour = 0; //!< index in the palette and in the style classes
};

//! Returns "n paths", "n hits", both or "nothing drawn" for theTool.
std::string counts(const ToolEntry& theTool)
{
  std::string aText;
  if (theTool.Paths > 0)
  {
    aText = std::to_string(theTool.Paths) + (theTool.Paths == 1 ? " path" : " paths");
  }
  if (theTool.Hits > 0)
  {
    aText += (aText.empty() ? "" : ", ") + std::to_string(theTool.Hits) +
             (theTool.Hits == 1 ? " hit" : " hits");
  }
  return aText.empty() ? std::string("nothing drawn") : aText;
}

//! Returns theObject as a sequence with a curve to draw, or NULL.
const PenFormatData_Sequence* drawnSequence(const Handle(PenFormatData_Object) & theObject)
{
  const PenFormatData_Sequence* aSequence =
      Handle(PenFormatData_Sequence)::DownCast(theObject).get();
  return aSequence != NULL && !aSequence->GetCurve().IsNull() ? aSequence : NULL;
}

//! Surveys a model, then streams its picture.
class PictureWriter
{
public:
  //! Creates a writer of theModel's picture into theStream.
  PictureWriter(const PenFormatData_Model& theModel, Standard_OStream& theStream)
      : myModel(theModel), myStream(theStream),
        myFactor(
            PenFormatData::ComputeUnitFactor(theModel.DimensionUnit(), PenFormatData_DU_Millimetre))
  {
  }

  //! Writes the whole picture.
  void Write();

private:
  void       survey();
  ToolEntry& tool(const Standard_Integer theNumber);
  void surveyContours(const PhGeom_Curve& theContainer, const DrawKind theKind, ToolEntry* theTool);
  void surveyArc(const PhGeom_Arc& theArc, const double thePad);
  void layout();
  void writeHead();
  void writeScanFieldList();
  void writeSequences();
  void writeOutlines(const PhGeom_Curve& theContainer, const char* theClass);
  void writeElement(const PhGeom_Element& theElement);
  void writeArc(const PhGeom_Arc& theArc);
  void writeDrills(const PhGeom_Curve& theContainer, const ToolEntry& theTool);
  void writeScaleBar();
  void writeLegend();

  //! Returns theWidth (millimetres) or, when it is thinner or not a number, a hairline.
  double drawnWidth(const double theWidth) const
  {
    return std::isfinite(theWidth) && theWidth > myHairline ? theWidth : myHairline;
  }

  //! Returns theValue in millimetres (model units times the unit factor).
  gp_XY mm(const gp_XY& theValue) const { return theValue * myFactor; }

  //! Appends theValue with nine significant digits.
  void num(const double theValue)
  {
    char                       aBuffer[64];
    const std::to_chars_result aResult =
        std::to_chars(aBuffer, aBuffer + sizeof(aBuffer), theValue, std::chars_format::general, 9);
    myOut.append(aBuffer, aResult.ptr);
  }

  //! Appends the picture coordinates of thePoint (millimetres), separated by a blank.
  void point(const gp_XY& thePoint)
  {
    num(thePoint.X() - myBox.MinX + myMargin);
    myOut += ' ';
    num(myBox.MaxY - thePoint.Y() + myMargin);
  }

  //! Appends attribute theName with a value in picture units.
  void attribute(const char* theName, const double theValue)
  {
    myOut += ' ';
    myOut += theName;
    myOut += "=\"";
    num(theValue);
    myOut += '"';
  }

  //! Hands the text to the stream once it is large.
  void flushIfFull()
  {
    if (myOut.size() >= THE_FLUSH_SIZE)
    {
      myStream.write(myOut.data(), static_cast<std::streamsize>(myOut.size()));
      myOut.clear();
    }
  }

  const PenFormatData_Model&            myModel;                //!< model drawn
  Standard_OStream&                     myStream;               //!< destination
  std::string                           myOut;                  //!< text not yet handed over
  std::map<Standard_Integer, ToolEntry> myTools;                //!< tools by aperture number
  Box                                   myBox;                  //!< drawn extent, millimetres
  gp_XY                                 myCurrent;              //!< end of the path drawn so far
  double                                myFactor;               //!< model unit to millimetres
  double                                myMargin       = 0;     //!< blank around the drawing
  double                                myFont         = 0;     //!< text size
  double                                myHairline     = 0;     //!< thinnest stroke drawn
  double                                myWidth        = 0;     //!< picture width
  double                                myHeight       = 0;     //!< picture height
  int                                   myNbToolpaths  = 0;     //!< toolpath sequences
  int                                   myNbScanFields = 0;     //!< scan-field outlines drawn
  bool                                  myHasCurrent   = false; //!< a path is open
};

void PictureWriter::Write()
{
  survey();
  layout();
  writeHead();
  writeScanFieldList();
  writeSequences();
  writeScaleBar();
  writeLegend();
  myOut += "</svg>\n";
  myStream.write(myOut.data(), static_cast<std::streamsize>(myOut.size()));
  myOut.clear();
}

ToolEntry& PictureWriter::tool(const Standard_Integer theNumber)
{
  std::map<Standard_Integer, ToolEntry>::iterator anIter = myTools.find(theNumber);
  if (anIter != myTools.end())
  {
    return anIter->second;
  }
  ToolEntry anEntry;
  const Handle(PenFormatData_Aperture) anAperture = myModel.Aperture(theNumber);
  anEntry.Name =
      anAperture.IsNull() ? TCollection_ExtendedString("#") + theNumber : anAperture->Name();
  anEntry.Width =
      !anAperture.IsNull() && anAperture->NbParams() > 0 ? anAperture->Param(1) * myFactor : 0.0;
  return myTools.emplace(theNumber, anEntry).first->second;
}

void PictureWriter::survey()
{
  for (NCollection_List<Handle(PenFormatData_Object)>::Iterator anIter(myModel.Objects());
       anIter.More(); anIter.Next())
  {
    const PenFormatData_Sequence* aSequence = drawnSequence(anIter.Value());
    if (aSequence == NULL)
    {
      continue;
    }
    const DrawKind aKind = classify(*aSequence);
    ToolEntry*     aTool = NULL;
    if (aKind == DrawKind_Path || aKind == DrawKind_Drill)
    {
      aTool = &tool(aSequence->ApertureNumber());
      ++myNbToolpaths;
    }
    surveyContours(*aSequence->GetCurve(), aKind, aTool);
  }
  for (Standard_Integer anIndex = 1; anIndex < myModel.NbScanFields(); ++anIndex)
  {
    const Handle(PenFormatData_ScanField) aField = myModel.ScanField(anIndex);
    if (!aField.IsNull())
    {
      const gp_XY aCenter = mm(aField->Center());
      const gp_XY aHalf(0.5 * aField->Width() * myFactor, 0.5 * aField->Height() * myFactor);
      if (isFinite(aCenter) && isFinite(aHalf) && aHalf.X() > 0.0 && aHalf.Y() > 0.0)
      {
        myBox.Add(aCenter - aHalf, 0.0);
        myBox.Add(aCenter + aHalf, 0.0);
        ++myNbScanFields;
      }
    }
  }
  size_t aColour = 0;
  for (std::map<Standard_Integer, ToolEntry>::iterator anIter = myTools.begin();
       anIter != myTools.end(); ++anIter)
  {
    anIter->second.Colour = aColour++;
  }
}

void PictureWriter::surveyContours(const PhGeom_Curve& theContainer, const DrawKind theKind,
                                   ToolEntry* theTool)
{
  // The stroke or disc size is not known before the extent is; half a tool width pads enough.
  const double aPad =
      theTool != NULL && std::isfinite(theTool->Width) ? std::max(0.5 * theTool->Width, 0.0) : 0.0;
  for (NCollection_List<Handle(PhGeom_Curve)>::Iterator aContour(theContainer.Children());
       aContour.More(); aContour.Next())
  {
    if (aContour.Value().IsNull())
    {
      continue;
    }
    bool isPath = false;
    for (PhGeom_Curve::ElementIterator anIter(*aContour.Value()); anIter.More(); anIter.Next())
    {
      const PhGeom_Element& anElement = anIter.Value();
      const bool            isPoint   = anElement.Kind() == PhGeom_Element::Kind_Point;
      if (!isDrawable(anElement) || isPoint != (theKind == DrawKind_Drill))
      {
        continue;
      }
      if (isPoint)
      {
        ++theTool->Hits;
      }
      isPath = !isPoint;
      myBox.Add(mm(anElement.StartPoint()), aPad);
      myBox.Add(mm(anElement.EndPoint()), aPad);
      if (anElement.Kind() == PhGeom_Element::Kind_Arc)
      {
        surveyArc(static_cast<const PhGeom_Arc&>(anElement), aPad);
      }
    }
    myNbScanFields += theKind == DrawKind_ScanField && isPath ? 1 : 0;
    if (theTool != NULL && isPath)
    {
      ++theTool->Paths;
    }
  }
}

void PictureWriter::surveyArc(const PhGeom_Arc& theArc, const double thePad)
{
  // The arc reaches beyond its end points where it crosses an axis direction.
  const double aLow     = std::min(theArc.Angle(0), theArc.Angle(1));
  const double aHigh    = std::max(theArc.Angle(0), theArc.Angle(1));
  const gp_XY  aCenter  = mm(theArc.Center());
  const double aRadius  = theArc.Radius() * myFactor;
  double       aQuarter = std::ceil(aLow / THE_HALF_PI);
  for (int aCount = 0; aCount < 5 && aQuarter * THE_HALF_PI <= aHigh; ++aCount, aQuarter += 1.0)
  {
    const double anAngle = aQuarter * THE_HALF_PI;
    myBox.Add(aCenter + gp_XY(aRadius * std::cos(anAngle), aRadius * std::sin(anAngle)), thePad);
  }
}

void PictureWriter::layout()
{
  if (myBox.IsVoid())
  {
    myBox.Add(gp_XY(5.0, 5.0), 5.0);
  }
  // A drawing that is a line or a dot still gets an area around it.
  const double anExtent = std::max({myBox.MaxX - myBox.MinX, myBox.MaxY - myBox.MinY, 1.0e-3});
  myBox.Add(gp_XY(myBox.MinX, myBox.MinY), 0.005 * anExtent);
  myBox.Add(gp_XY(myBox.MaxX, myBox.MaxY), 0.005 * anExtent);
  myFont          = 0.025 * anExtent;
  myMargin        = 0.05 * anExtent;
  myHairline      = 0.001 * anExtent;
  size_t aLongest = 16;
  for (std::map<Standard_Integer, ToolEntry>::const_iterator anIter = myTools.begin();
       anIter != myTools.end(); ++anIter)
  {
    aLongest = std::max(aLongest, static_cast<size_t>(anIter->second.Name.Length()) + 40);
  }
  const size_t aRows = myTools.size() + (myNbScanFields > 0 ? 1 : 0);
  myWidth = std::max(myBox.MaxX - myBox.MinX, 0.6 * myFont * double(aLongest)) + 2.0 * myMargin;
  myHeight =
      (myBox.MaxY - myBox.MinY) + 3.0 * myMargin + 2.5 * myFont + 1.6 * myFont * double(aRows);
}

void PictureWriter::writeHead()
{
  const double aPixels = THE_PICTURE_PIXELS / std::max(myWidth, myHeight);
  myOut += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\"";
  attribute("width", std::ceil(myWidth * aPixels));
  attribute("height", std::ceil(myHeight * aPixels));
  myOut += " viewBox=\"0 0 ";
  num(myWidth);
  myOut += ' ';
  num(myHeight);
  myOut += "\">\n<title>" + std::to_string(myNbToolpaths) + " toolpaths, " +
           std::to_string(myTools.size()) + " tools (millimetres)</title>\n<style>\n";
  myOut += "text { font-family: sans-serif; font-size: ";
  num(myFont);
  myOut += "px; fill: #222; }\n.tool { fill: none; stroke-linecap: round; stroke-linejoin: "
           "round; stroke-opacity: 0.8; }\n.scan { fill: none; stroke: #444; stroke-width: ";
  num(1.5 * myHairline);
  myOut += "; stroke-dasharray: ";
  num(0.4 * myFont);
  myOut += ' ';
  num(0.25 * myFont);
  myOut += "; }\n.other { fill: none; stroke: #999; stroke-width: ";
  num(myHairline);
  myOut += "; }\n";
  for (std::map<Standard_Integer, ToolEntry>::const_iterator anIter = myTools.begin();
       anIter != myTools.end(); ++anIter)
  {
    const std::string aClass  = "t" + std::to_string(anIter->second.Colour);
    const char*       aColour = THE_PALETTE[anIter->second.Colour % THE_NB_COLOURS];
    myOut += "." + aClass + " { stroke: " + aColour + "; stroke-width: ";
    num(drawnWidth(anIter->second.Width));
    myOut += "; }\n.d" + aClass.substr(1) + " { fill: " + aColour + "; fill-opacity: 0.85; }\n";
  }
  myOut += "</style>\n<rect width=\"100%\" height=\"100%\" fill=\"#fcfbf7\"/>\n";
}

void PictureWriter::writeScanFieldList()
{
  myOut += "<g id=\"scan-fields\">\n";
  for (Standard_Integer anIndex = 1; anIndex < myModel.NbScanFields(); ++anIndex)
  {
    const Handle(PenFormatData_ScanField) aField = myModel.ScanField(anIndex);
    if (aField.IsNull())
    {
      continue;
    }
    const gp_XY aCenter = mm(aField->Center());
    const gp_XY aHalf(0.5 * aField->Width() * myFactor, 0.5 * aField->Height() * myFactor);
    if (!isFinite(aCenter) || !isFinite(aHalf) || aHalf.X() <= 0.0 || aHalf.Y() <= 0.0)
    {
      continue;
    }
    const gp_XY aTopLeft(aCenter.X() - aHalf.X(), aCenter.Y() + aHalf.Y());
    myOut += "<rect class=\"scan\" x=\"";
    num(aTopLeft.X() - myBox.MinX + myMargin);
    myOut += "\" y=\"";
    num(myBox.MaxY - aTopLeft.Y() + myMargin);
    myOut += '"';
    attribute("width", 2.0 * aHalf.X());
    attribute("height", 2.0 * aHalf.Y());
    myOut += "/>\n<text";
    attribute("x", aTopLeft.X() - myBox.MinX + myMargin + 0.3 * myFont);
    attribute("y", myBox.MaxY - aTopLeft.Y() + myMargin + 0.8 * myFont);
    attribute("font-size", 0.6 * myFont);
    myOut += ">field " + std::to_string(aField->Number()) + ", order " +
             std::to_string(aField->Order()) + "</text>\n";
    flushIfFull();
  }
  myOut += "</g>\n";
}

void PictureWriter::writeSequences()
{
  myOut += "<g id=\"toolpaths\">\n";
  for (NCollection_List<Handle(PenFormatData_Object)>::Iterator anIter(myModel.Objects());
       anIter.More(); anIter.Next())
  {
    const PenFormatData_Sequence* aSequence = drawnSequence(anIter.Value());
    if (aSequence == NULL)
    {
      continue;
    }
    switch (classify(*aSequence))
    {
    case DrawKind_Path:
    {
      const std::string aClass =
          "tool t" + std::to_string(myTools[aSequence->ApertureNumber()].Colour);
      writeOutlines(*aSequence->GetCurve(), aClass.c_str());
      break;
    }
    case DrawKind_Drill:
      writeDrills(*aSequence->GetCurve(), myTools[aSequence->ApertureNumber()]);
      break;
    case DrawKind_ScanField:
      writeOutlines(*aSequence->GetCurve(), "scan");
      break;
    case DrawKind_Other:
      writeOutlines(*aSequence->GetCurve(), "other");
      break;
    }
  }
  myOut += "</g>\n";
}

void PictureWriter::writeOutlines(const PhGeom_Curve& theContainer, const char* theClass)
{
  myOut += "<path class=\"";
  myOut += theClass;
  myOut += "\" d=\"";
  myHasCurrent = false;
  for (NCollection_List<Handle(PhGeom_Curve)>::Iterator aContour(theContainer.Children());
       aContour.More(); aContour.Next())
  {
    // Every contour starts a path of its own, as it does in a machine file.
    myHasCurrent = false;
    if (aContour.Value().IsNull())
    {
      continue;
    }
    for (PhGeom_Curve::ElementIterator anIter(*aContour.Value()); anIter.More(); anIter.Next())
    {
      writeElement(anIter.Value());
    }
  }
  myOut += "\"/>\n";
  flushIfFull();
}

void PictureWriter::writeElement(const PhGeom_Element& theElement)
{
  if (theElement.Kind() == PhGeom_Element::Kind_Point || !isDrawable(theElement))
  {
    myHasCurrent = myHasCurrent && theElement.Kind() == PhGeom_Element::Kind_Point;
    return;
  }
  const gp_XY aStart = mm(theElement.StartPoint());
  if (!myHasCurrent || (aStart - myCurrent).Modulus() > THE_JOIN_TOLERANCE)
  {
    myOut += 'M';
    point(aStart);
  }
  if (theElement.Kind() == PhGeom_Element::Kind_Arc)
  {
    writeArc(static_cast<const PhGeom_Arc&>(theElement));
  }
  else
  {
    myOut += 'L';
    point(mm(theElement.EndPoint()));
  }
  myCurrent    = mm(theElement.EndPoint());
  myHasCurrent = true;
  flushIfFull();
}

void PictureWriter::writeArc(const PhGeom_Arc& theArc)
{
  const double aRadius = theArc.Radius() * myFactor;
  const double aSweep  = theArc.Angle(1) - theArc.Angle(0);
  const gp_XY  anEnd   = mm(theArc.EndPoint());
  if (!(aRadius > 0.0) || std::abs(aSweep) < 1.0e-12)
  {
    myOut += 'L';
    point(anEnd);
    return;
  }
  // The picture's y axis points down, so a counter-clockwise arc has sweep flag 0. A full turn
  // cannot be one SVG arc (its ends coincide): it is drawn as two halves.
  const char*  aSweepFlag = aSweep > 0.0 ? " 0 " : " 1 ";
  const bool   isFull     = std::abs(aSweep) >= THE_TWO_PI - 1.0e-9;
  const double aMiddle    = theArc.Angle(0) + 0.5 * aSweep;
  const gp_XY  aHalfWay =
      mm(theArc.Center()) + gp_XY(aRadius * std::cos(aMiddle), aRadius * std::sin(aMiddle));
  for (int aPart = isFull ? 0 : 1; aPart < 2; ++aPart)
  {
    myOut += 'A';
    num(aRadius);
    myOut += ' ';
    num(aRadius);
    myOut += " 0 ";
    myOut += !isFull && std::abs(aSweep) > M_PI ? '1' : '0';
    myOut += aSweepFlag;
    point(aPart == 0 ? aHalfWay : anEnd);
  }
}

void PictureWriter::writeDrills(const PhGeom_Curve& theContainer, const ToolEntry& theTool)
{
  const std::string aClass  = "d" + std::to_string(theTool.Colour);
  const double      aRadius = 0.5 * drawnWidth(theTool.Width);
  for (NCollection_List<Handle(PhGeom_Curve)>::Iterator aContour(theContainer.Children());
       aContour.More(); aContour.Next())
  {
    if (aContour.Value().IsNull())
    {
      continue;
    }
    for (PhGeom_Curve::ElementIterator anIter(*aContour.Value()); anIter.More(); anIter.Next())
    {
      const PhGeom_Element& anElement = anIter.Value();
      if (anElement.Kind() != PhGeom_Element::Kind_Point || !isDrawable(anElement))
      {
        continue;
      }
      const gp_XY aPoint = mm(anElement.StartPoint());
      myOut += "<circle class=\"" + aClass + "\"";
      attribute("cx", aPoint.X() - myBox.MinX + myMargin);
      attribute("cy", myBox.MaxY - aPoint.Y() + myMargin);
      attribute("r", aRadius);
      myOut += "/>\n";
      flushIfFull();
    }
  }
}

void PictureWriter::writeScaleBar()
{
  // The longest length of 1, 2 or 5 times a power of ten that fits in a quarter of the drawing.
  const double aRoom   = 0.25 * (myBox.MaxX - myBox.MinX);
  const double aPower  = std::pow(10.0, std::floor(std::log10(aRoom)));
  const double aLength = aRoom >= 5.0 * aPower   ? 5.0 * aPower
                         : aRoom >= 2.0 * aPower ? 2.0 * aPower
                                                 : aPower;
  const double aLeft   = myMargin;
  const double aBase   = (myBox.MaxY - myBox.MinY) + 2.0 * myMargin + myFont;
  myOut += "<g id=\"scale-bar\" stroke=\"#222\"";
  attribute("stroke-width", 0.12 * myFont);
  myOut += ">\n<path fill=\"none\" d=\"M";
  num(aLeft);
  myOut += ' ';
  num(aBase - 0.4 * myFont);
  myOut += 'V';
  num(aBase);
  myOut += 'H';
  num(aLeft + aLength);
  myOut += 'V';
  num(aBase - 0.4 * myFont);
  myOut += "\"/>\n<text stroke=\"none\"";
  attribute("x", aLeft + aLength + 0.5 * myFont);
  attribute("y", aBase);
  myOut += ">" + label(aLength) + " mm</text>\n</g>\n";
}

void PictureWriter::writeLegend()
{
  double aTop = (myBox.MaxY - myBox.MinY) + 2.0 * myMargin + 2.5 * myFont;
  myOut += "<g id=\"legend\">\n";
  for (std::map<Standard_Integer, ToolEntry>::const_iterator anIter = myTools.begin();
       anIter != myTools.end(); ++anIter, aTop += 1.6 * myFont)
  {
    const ToolEntry& aTool = anIter->second;
    myOut += "<g class=\"legend-entry\"><rect class=\"d" + std::to_string(aTool.Colour) + "\"";
    attribute("x", myMargin);
    attribute("y", aTop);
    attribute("width", 1.6 * myFont);
    attribute("height", myFont);
    myOut += "/><text";
    attribute("x", myMargin + 2.2 * myFont);
    attribute("y", aTop + 0.9 * myFont);
    myOut += '>';
    appendXmlText(myOut, aTool.Name);
    myOut += " \xE2\x80\x94 " + label(aTool.Width) + " mm \xE2\x80\x94 " + counts(aTool) +
             "</text></g>\n";
  }
  if (myNbScanFields > 0)
  {
    myOut += "<g class=\"legend-scan\"><rect class=\"scan\"";
    attribute("x", myMargin);
    attribute("y", aTop);
    attribute("width", 1.6 * myFont);
    attribute("height", myFont);
    myOut += "/><text";
    attribute("x", myMargin + 2.2 * myFont);
    attribute("y", aTop + 0.9 * myFont);
    myOut += ">scan-field outlines (" + std::to_string(myNbScanFields) + ")</text></g>\n";
  }
  myOut += "</g>\n";
}
} // namespace

Standard_Boolean VexHost_Svg::Write(const Handle(PenFormatData_Model) & theModel,
                                    Standard_OStream& theStream, TCollection_AsciiString& theError)
{
  if (theModel.IsNull())
  {
    theError = "no model to draw";
    return Standard_False;
  }
  try
  {
    PictureWriter aWriter(*theModel, theStream);
    aWriter.Write();
    theStream.flush();
  }
  catch (const std::exception& anError)
  {
    theError = TCollection_AsciiString("the picture could not be written: ") + anError.what();
    return Standard_False;
  }
  catch (const Standard_Failure& aFailure)
  {
    theError =
        TCollection_AsciiString("the picture could not be written: ") + aFailure.GetMessageString();
    return Standard_False;
  }
  if (!theStream.good())
  {
    theError = "the picture could not be written to its stream";
    return Standard_False;
  }
  return Standard_True;
}
