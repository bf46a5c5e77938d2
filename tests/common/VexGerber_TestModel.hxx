// Copyright (c) 2026 VexData developers
#ifndef _VexGerber_TestModel_HeaderFile
#define _VexGerber_TestModel_HeaderFile

#include <VexTest_Messages.hxx>

#include <gtest/gtest.h>

#include <VexGeom_Contour.hxx>
#include <VexGeom_Shape.hxx>
#include <VexGerber_Reader.hxx>
#include <VexPcb_TextInput.hxx>

#include <PenFormatData_Sequence.hxx>
#include <PhGeom_Curve.hxx>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <tuple>
#include <cmath>
#include <sstream>
#include <string>
#include <vector>

//! What the Gerber tests share: reading a text into a fresh model with messages captured, and
//! the geometry of a model as sorted feature lists that two models can be compared by.
namespace VexGerber_TestModel
{
//! One read: status, model, report, captured messages.
struct Read
{
  bool Ok = false;
  Handle(PenFormatData_Model) Model;
  VexPcb_TransferReport  Report;
  VexTest_MessageCapture Capture;
};

inline void ExpectSameInSmallReads(const std::string& theText, const Read& theRead,
                                   const VexGerber_Limits&     theLimits,
                                   const VexPcb_ImportOptions& theOptions);

//! Reads theText into a fresh model (or theModel) with theLimits. A read into a fresh model with
//! the default read size is repeated reading a few bytes at a time, which must give the same.
inline void ReadText(const std::string& theText, Read& theRead,
                     const VexGerber_Limits&     theLimits  = VexGerber_Limits(),
                     const VexPcb_ImportOptions& theOptions = VexPcb_ImportOptions())
{
  const bool isFresh = theRead.Model.IsNull();
  if (isFresh)
  {
    theRead.Model = new PenFormatData_Model();
  }
  theRead.Model->SetMessenger(theRead.Capture.Messenger());
  std::istringstream aStream(theText);
  theRead.Ok = VexGerber_Reader::Read(aStream, theOptions, theLimits, *theRead.Model,
                                      theRead.Report) == Standard_True;
  if (isFresh && theOptions.ReadSize == 0)
  {
    ExpectSameInSmallReads(theText, theRead, theLimits, theOptions);
  }
}

//! Returns the sequences of theModel in order.
inline std::vector<Handle(PenFormatData_Sequence)> Sequences(const PenFormatData_Model& theModel)
{
  std::vector<Handle(PenFormatData_Sequence)> aResult;
  for (NCollection_List<Handle(PenFormatData_Object)>::Iterator anIter(theModel.Objects());
       anIter.More(); anIter.Next())
  {
    Handle(PenFormatData_Sequence) aSequence =
        Handle(PenFormatData_Sequence)::DownCast(anIter.Value());
    if (!aSequence.IsNull())
    {
      aResult.push_back(aSequence);
    }
  }
  return aResult;
}

//! Returns theCurve as a contour.
inline VexGeom_Contour ToContour(const PhGeom_Curve& theCurve)
{
  VexGeom_Contour aContour(theCurve.FirstElement() != NULL ? theCurve.FirstElement()->StartPoint()
                                                           : gp_XY());
  for (PhGeom_Curve::ElementIterator anIter(theCurve); anIter.More(); anIter.Next())
  {
    const PhGeom_Element& anElement = anIter.Value();
    if (anElement.Kind() == PhGeom_Element::Kind_Arc)
    {
      const PhGeom_Arc& anArc = static_cast<const PhGeom_Arc&>(anElement);
      aContour.AddArc(anArc.EndPoint(), anArc.Center(), anArc.Sense() == 1);
    }
    else if (anElement.Kind() == PhGeom_Element::Kind_Segment)
    {
      aContour.AddSegment(anElement.EndPoint());
    }
  }
  return aContour;
}

//! Returns the filled area of an area sequence (sum of the signed areas of its contours).
inline double Area(const PenFormatData_Sequence& theSequence)
{
  double anArea = 0.0;
  for (NCollection_List<Handle(PhGeom_Curve)>::Iterator anIter(theSequence.GetCurve()->Children());
       anIter.More(); anIter.Next())
  {
    anArea += ToContour(*anIter.Value()).SignedArea();
  }
  return anArea;
}

//! Returns theContour (millimetres) as a curve of theModel, in its unit (theFactor: its unit in
//! millimetres).
inline Handle(PhGeom_Curve) ToCurve(const PenFormatData_Model& theModel,
                                    const VexGeom_Contour& theContour, const double theFactor)
{
  Handle(PhGeom_Curve) aCurve = PhGeom_Curve::Create(theModel.Allocator(), 0);
  for (Standard_Integer anIndex = 0; anIndex < theContour.NbEdges(); ++anIndex)
  {
    const VexGeom_Edge& anEdge = theContour.Edge(anIndex);
    const gp_XY         aFrom  = theContour.EdgeStart(anIndex) / theFactor;
    if (anEdge.Type == VexGeom_Edge::Kind_Segment)
    {
      aCurve->CreateSegment(aFrom, anEdge.End / theFactor);
      continue;
    }
    const gp_XY  aCenter = anEdge.Center / theFactor, aStart = aFrom - aCenter;
    const double anAngle = std::atan2(aStart.Y(), aStart.X());
    aCurve->CreateArc(aCenter, aStart.Modulus(), anAngle, anAngle + theContour.ArcSweep(anIndex),
                      anEdge.Type == VexGeom_Edge::Kind_ArcCcw ? 1 : 0);
  }
  return aCurve;
}

//! Returns true when theSequence holds artwork flashes of a shape other than a plain circle (a
//! rectangle, an obround, a polygon, a ring): what the reader keeps as points of that shape.
inline bool IsShapedFlashes(const PenFormatData_Model&    theModel,
                            const PenFormatData_Sequence& theSequence)
{
  if (theSequence.ToolpathFlag() != 0 || theSequence.IsArea() || theSequence.ToolpathMode() != 2 ||
      theSequence.ApertureNumber() < 1 || theSequence.ApertureNumber() >= theModel.NbApertures())
  {
    return false;
  }
  const VexGeom_Shape aShape =
      VexGeom_Shape::FromAperture(theModel.Aperture(theSequence.ApertureNumber()), 1.0);
  return aShape.IsDrawable() && (!aShape.IsCircle() || aShape.Hole() > 0.0);
}

//! Returns theModel with every sequence of shaped flashes (IsShapedFlashes) replaced by an area
//! sequence of the outlines of its flashes, as the reader made them before it kept flashes:
//! what the tests of outlines read. The other sequences are shared with theModel.
inline Handle(PenFormatData_Model) Outlined(const PenFormatData_Model& theModel)
{
  Handle(PenFormatData_Model) aResult = new PenFormatData_Model(theModel.DimensionUnit());
  aResult->SetImagePolarity(theModel.ImagePolarity());
  for (Standard_Integer aNumber = 1; aNumber < theModel.NbApertures(); ++aNumber)
  {
    aResult->SetAperture(aNumber, theModel.Aperture(aNumber));
  }
  const double aFactor = theModel.DimensionUnit() == PenFormatData_DU_Inch ? 25.4 : 1.0;
  for (const Handle(PenFormatData_Sequence) & aSequence : Sequences(theModel))
  {
    if (!IsShapedFlashes(theModel, *aSequence))
    {
      aResult->AddObject(aSequence);
      continue;
    }
    const VexGeom_Shape aShape =
        VexGeom_Shape::FromAperture(theModel.Aperture(aSequence->ApertureNumber()), aFactor);
    Handle(PhGeom_Curve) aContainer = PhGeom_Curve::Create(aResult->Allocator(), 0);
    for (const Handle(PhGeom_Curve) & aChild : aSequence->GetCurve()->Children())
    {
      NCollection_Vector<VexGeom_Contour> aPlaced;
      aShape.Place(aChild->FirstElement()->StartPoint() * aFactor, aPlaced);
      for (const VexGeom_Contour& aContour : aPlaced)
      {
        aContainer->AddChild(ToCurve(*aResult, aContour, aFactor));
      }
    }
    Handle(PenFormatData_Sequence) anArea =
        new PenFormatData_Sequence(aSequence->ApertureNumber(), 0, aContainer);
    anArea->SetToolpathMode(1);
    anArea->SetArea(true);
    anArea->SetClear(aSequence->IsClear());
    anArea->SetPhaseName(aSequence->PhaseName());
    anArea->SetLayerName(aSequence->LayerName());
    aResult->AddObject(anArea);
  }
  return aResult;
}

//! One drawn element: kind ('S' segment, 'A' arc, 'P' point), polarity, width of its aperture
//! (0 for areas) and its points (start, end, centre; arcs run counter-clockwise here so that a
//! reversed copy compares equal).
struct Feature
{
  char   Kind;
  bool   Clear;
  bool   Area;
  double Width;
  double Values[6];

  //! Exact order, for sorting and for finding the pairs of cut-in segments.
  bool operator<(const Feature& theOther) const
  {
    return std::tie(Kind, Clear, Area, Width, Values[0], Values[1], Values[2], Values[3], Values[4],
                    Values[5]) < std::tie(theOther.Kind, theOther.Clear, theOther.Area,
                                          theOther.Width, theOther.Values[0], theOther.Values[1],
                                          theOther.Values[2], theOther.Values[3],
                                          theOther.Values[4], theOther.Values[5]);
  }
};

//! Returns the feature of one element.
inline Feature MakeFeature(const PhGeom_Element& theElement, const bool isClear, const bool isArea,
                           const double theWidth)
{
  Feature aFeature = {'S', isClear, isArea, theWidth, {0, 0, 0, 0, 0, 0}};
  gp_XY   aStart = theElement.StartPoint(), anEnd = theElement.EndPoint(), aCenter;
  if (theElement.Kind() == PhGeom_Element::Kind_Point)
  {
    aFeature.Kind = 'P';
  }
  else if (theElement.Kind() == PhGeom_Element::Kind_Arc)
  {
    const PhGeom_Arc& anArc = static_cast<const PhGeom_Arc&>(theElement);
    aFeature.Kind           = 'A';
    aCenter                 = anArc.Center();
    if (anArc.Sense() == 0)
    {
      std::swap(aStart, anEnd);
    }
  }
  else if (anEnd.X() < aStart.X() || (anEnd.X() == aStart.X() && anEnd.Y() < aStart.Y()))
  {
    std::swap(aStart, anEnd); // a segment is the same either way
  }
  const double aValues[6] = {aStart.X(), aStart.Y(),  anEnd.X(),
                             anEnd.Y(),  aCenter.X(), aCenter.Y()};
  std::copy(aValues, aValues + 6, aFeature.Values);
  return aFeature;
}

//! Returns every element of theModel as a sorted feature list. Segment pairs that run both ways
//! over the same points inside an area (cut-in lines) cancel and are dropped.
inline std::vector<Feature> Features(const PenFormatData_Model& theModel)
{
  std::vector<Feature> aFeatures;
  for (const Handle(PenFormatData_Sequence) & aSequence : Sequences(theModel))
  {
    const Handle(PenFormatData_Aperture)& anAperture =
        theModel.Aperture(aSequence->ApertureNumber());
    // A macro's values say nothing of its size, and a macro written back has none.
    const bool isSized = !aSequence->IsArea() && !anAperture.IsNull() &&
                         anAperture->NbParams() >= 1 &&
                         anAperture->ShapeCode() != PenFormatData_Aperture::Shape_Macro;
    const double         aWidth = isSized ? anAperture->Param(1) : 0.0;
    std::vector<Feature> aSegments;
    for (NCollection_List<Handle(PhGeom_Curve)>::Iterator aChild(aSequence->GetCurve()->Children());
         aChild.More(); aChild.Next())
    {
      for (PhGeom_Curve::ElementIterator anIter(*aChild.Value()); anIter.More(); anIter.Next())
      {
        const Feature aFeature =
            MakeFeature(anIter.Value(), aSequence->IsClear(), aSequence->IsArea(), aWidth);
        (aFeature.Kind == 'S' && aSequence->IsArea() ? aSegments : aFeatures).push_back(aFeature);
      }
    }
    // Cut-ins: segments over the same two points (to 10 nm) come in pairs; drop each pair.
    std::map<std::vector<long long>, std::vector<size_t>> aByEnds;
    for (size_t anIndex = 0; anIndex < aSegments.size(); ++anIndex)
    {
      std::vector<long long> aKey;
      for (int aValue = 0; aValue < 4; ++aValue)
      {
        aKey.push_back(std::llround(aSegments[anIndex].Values[aValue] * 1.0e5));
      }
      if (std::tie(aKey[2], aKey[3]) < std::tie(aKey[0], aKey[1]))
      {
        std::swap(aKey[0], aKey[2]);
        std::swap(aKey[1], aKey[3]);
      }
      aByEnds[aKey].push_back(anIndex);
    }
    for (const auto& anEntry : aByEnds)
    {
      if (anEntry.second.size() % 2 == 1)
      {
        aFeatures.push_back(aSegments[anEntry.second.front()]);
      }
    }
  }
  std::sort(aFeatures.begin(), aFeatures.end());
  return aFeatures;
}

//! Returns true when theOne and theTwo are the same feature within the tolerances; segments
//! may run either way.
inline bool IsSame(const Feature& theOne, const Feature& theTwo, const double theTolerance,
                   const double theWidthTolerance, const double theCenterTolerance)
{
  if (theOne.Kind != theTwo.Kind || theOne.Clear != theTwo.Clear || theOne.Area != theTwo.Area ||
      std::abs(theOne.Width - theTwo.Width) > theWidthTolerance)
  {
    return false;
  }
  const int THE_ORDERS[2][6] = {{0, 1, 2, 3, 4, 5}, {2, 3, 0, 1, 4, 5}};
  for (int anOrder = 0; anOrder < (theOne.Kind == 'S' ? 2 : 1); ++anOrder)
  {
    bool isSame = true;
    for (int aValue = 0; aValue < 6 && isSame; ++aValue)
    {
      isSame = std::abs(theOne.Values[aValue] - theTwo.Values[THE_ORDERS[anOrder][aValue]]) <=
               (aValue < 4 ? theTolerance : theCenterTolerance);
    }
    if (isSame)
    {
      return true;
    }
  }
  return false;
}

//! Describes theFeature for a message.
inline std::string Describe(const Feature& theFeature)
{
  std::ostringstream aText;
  aText.precision(9);
  aText << theFeature.Kind << (theFeature.Clear ? " clear" : "") << (theFeature.Area ? " area" : "")
        << " (" << theFeature.Values[0] << ", " << theFeature.Values[1] << ") -> ("
        << theFeature.Values[2] << ", " << theFeature.Values[3] << ")";
  if (theFeature.Kind == 'A')
  {
    aText << " centre (" << theFeature.Values[4] << ", " << theFeature.Values[5] << ")";
  }
  aText << " width " << theFeature.Width;
  return aText.str();
}

//! Returns "" when both lists hold the same features within theTolerance (coordinates) and
//! theWidthTolerance (widths), whatever their order, else the first feature of theFirst that
//! theSecond lacks. Features are matched through a grid of cells of theTolerance * 100. Arc
//! centres may differ by theCenterTolerance (by default theTolerance).
inline std::string CompareFeatures(const std::vector<Feature>& theFirst,
                                   const std::vector<Feature>& theSecond, const double theTolerance,
                                   const double theWidthTolerance, double theCenterTolerance = -1.0)
{
  theCenterTolerance = theCenterTolerance < 0.0 ? theTolerance : theCenterTolerance;
  if (theFirst.size() != theSecond.size())
  {
    return "feature counts differ: " + std::to_string(theFirst.size()) + " and " +
           std::to_string(theSecond.size());
  }
  const double aCell  = theTolerance * 100.0;
  auto         cellOf = [aCell](const double theX, const double theY)
  {
    return std::make_pair(static_cast<long long>(std::floor(theX / aCell)),
                          static_cast<long long>(std::floor(theY / aCell)));
  };
  // Every feature of theSecond under the cells of both its ends.
  std::map<std::pair<long long, long long>, std::vector<size_t>> aGrid;
  for (size_t anIndex = 0; anIndex < theSecond.size(); ++anIndex)
  {
    aGrid[cellOf(theSecond[anIndex].Values[0], theSecond[anIndex].Values[1])].push_back(anIndex);
    aGrid[cellOf(theSecond[anIndex].Values[2], theSecond[anIndex].Values[3])].push_back(anIndex);
  }
  std::vector<bool> isUsed(theSecond.size(), false);
  for (const Feature& aFeature : theFirst)
  {
    const std::pair<long long, long long> aCenter = cellOf(aFeature.Values[0], aFeature.Values[1]);
    bool                                  isFound = false;
    for (long long aDx = -1; aDx <= 1 && !isFound; ++aDx)
    {
      for (long long aDy = -1; aDy <= 1 && !isFound; ++aDy)
      {
        const auto aCellIter =
            aGrid.find(std::make_pair(aCenter.first + aDx, aCenter.second + aDy));
        if (aCellIter == aGrid.end())
        {
          continue;
        }
        for (const size_t anIndex : aCellIter->second)
        {
          if (!isUsed[anIndex] && IsSame(aFeature, theSecond[anIndex], theTolerance,
                                         theWidthTolerance, theCenterTolerance))
          {
            isUsed[anIndex] = true;
            isFound         = true;
            break;
          }
        }
      }
    }
    if (!isFound)
    {
      return "no match for " + Describe(aFeature);
    }
  }
  return std::string();
}

//! Returns true when gerbv can be run.
inline bool HasGerbv()
{
  return std::system("gerbv --version > /dev/null 2>&1") == 0;
}

//! Runs gerbv's RS-274X export of theInput into theOutput; returns its exit status and puts
//! what it printed into thePrinted.
inline int ExportWithGerbv(const std::string& theInput, const std::string& theOutput,
                           std::string& thePrinted)
{
  const std::string aCommand = "gerbv -x rs274x -o '" + theOutput + "' '" + theInput + "' 2>&1";
  thePrinted.clear();
  FILE* aPipe = popen(aCommand.c_str(), "r");
  if (aPipe == nullptr)
  {
    return -1;
  }
  char aBuffer[4096];
  while (size_t aRead = fread(aBuffer, 1, sizeof(aBuffer), aPipe))
  {
    thePrinted.append(aBuffer, aRead);
  }
  return pclose(aPipe);
}

//! Returns the content of theFile.
inline std::string FileText(const std::string& theFile)
{
  std::ifstream      aFile(theFile, std::ios::binary);
  std::ostringstream aText;
  aText << aFile.rdbuf();
  return aText.str();
}
//! Where the Debian package puts gerbv's example files.
const char* const THE_GERBV_EXAMPLES = "/usr/share/doc/gerbv/examples";

//! One of gerbv's example files: whether our Probe claims it, and for a Gerber file that
//! imports, whether it draws with round apertures only (no artwork areas), which is what the
//! render comparison's threshold depends on.
struct GerbvExample
{
  std::string Path;              //!< full path
  std::string Name;              //!< path below the examples folder
  bool        IsGerber  = false; //!< claimed by VexGerber_Reader::Probe
  bool        Imports   = false; //!< read by VexGerber_Reader without a fault
  bool        RoundOnly = false; //!< imported, every sequence a stroke or point of a circle
};

//! Returns true in the sanitizer build, where every import costs several times as much: the
//! loops over gerbv's examples take a sample there (the normal build takes every file).
inline bool IsSanitized()
{
#if defined(__SANITIZE_ADDRESS__)
  return true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
  return true;
#else
  return false;
#endif
#else
  return false;
#endif
}

//! Lists gerbv's example files in name order (none when they are not installed); of the Gerber
//! files only every theStep-th (from the first) when theStep is above 1.
inline std::vector<GerbvExample> ListGerbvExamples(const size_t theStep = 1)
{
  std::vector<std::string> aPaths;
  std::error_code          anError;
  for (const auto& anEntry :
       std::filesystem::recursive_directory_iterator(THE_GERBV_EXAMPLES, anError))
  {
    if (anEntry.is_regular_file())
    {
      aPaths.push_back(anEntry.path().string());
    }
  }
  std::sort(aPaths.begin(), aPaths.end());
  std::vector<GerbvExample> anExamples;
  size_t                    aGerberFiles = 0;
  for (const std::string& aPath : aPaths)
  {
    GerbvExample anExample;
    anExample.Path          = aPath;
    anExample.Name          = anExample.Path.substr(std::strlen(THE_GERBV_EXAMPLES) + 1);
    const std::string aText = FileText(anExample.Path);
    const std::string aHead = aText.substr(0, 4096);
    anExample.IsGerber      = VexGerber_Reader::Probe(aHead.data(), aHead.size()) == Standard_True;
    if (anExample.IsGerber && aGerberFiles++ % theStep != 0)
    {
      continue;
    }
    if (anExample.IsGerber)
    {
      Read aRead;
      ReadText(aText, aRead);
      anExample.Imports   = aRead.Ok;
      anExample.RoundOnly = aRead.Ok;
      for (const Handle(PenFormatData_Sequence) & aSequence : Sequences(*aRead.Model))
      {
        anExample.RoundOnly = anExample.RoundOnly && !aSequence->IsArea() &&
                              !IsShapedFlashes(*aRead.Model, *aSequence);
      }
    }
    anExamples.push_back(anExample);
  }
  return anExamples;
}
//! Returns what theRead gave as text: status, messages, fault line, counts and apertures.
inline std::string Outcome(const Read& theRead)
{
  std::ostringstream aText;
  aText << (theRead.Ok ? "read" : "failed") << ", fault line " << theRead.Report.FaultLine() << "\n"
        << theRead.Capture.Dump();
  theRead.Report.PrintCounts(aText);
  aText << theRead.Model->NbApertures() << " apertures, " << theRead.Model->Objects().Size()
        << " objects\n";
  return aText.str();
}

//! Returns true when theOne and theTwo hold exactly the same features.
inline bool IsSameExactly(const std::vector<Feature>& theOne, const std::vector<Feature>& theTwo)
{
  return std::equal(theOne.begin(), theOne.end(), theTwo.begin(), theTwo.end(),
                    [](const Feature& theA, const Feature& theB)
                    { return !(theA < theB) && !(theB < theA); });
}

//! Reads theText again 1, 2, 3 and 7 bytes at a time, so that every command is cut by the ends
//! of the reads somewhere, and expects what theRead (read with the default size) gave. A text
//! longer than the default buffer (an example file) is read again 7 bytes at a time only.
inline void ExpectSameInSmallReads(const std::string& theText, const Read& theRead,
                                   const VexGerber_Limits&     theLimits,
                                   const VexPcb_ImportOptions& theOptions)
{
  const std::string          anOutcome = Outcome(theRead);
  const std::vector<Feature> aFeatures = Features(*theRead.Model);
  const bool                 isLong    = theText.size() > VexPcb_TextInput::THE_DEFAULT_CHUNK;
  for (const size_t aSize : {1, 2, 3, 7})
  {
    if (isLong && aSize != 7)
    {
      continue;
    }
    VexPcb_ImportOptions anOptions = theOptions;
    anOptions.ReadSize             = aSize;
    Read aSmall;
    ReadText(theText, aSmall, theLimits, anOptions);
    EXPECT_EQ(anOutcome, Outcome(aSmall))
        << "reading " << aSize << " bytes at a time: " << theText.substr(0, 120);
    EXPECT_TRUE(IsSameExactly(aFeatures, Features(*aSmall.Model)))
        << "reading " << aSize << " bytes at a time: " << theText.substr(0, 120);
  }
}
} // namespace VexGerber_TestModel

#endif
