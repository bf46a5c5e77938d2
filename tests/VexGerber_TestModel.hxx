// Copyright (c) 2026 VexData developers
#ifndef _VexGerber_TestModel_HeaderFile
#define _VexGerber_TestModel_HeaderFile

#include <VexTest_Messages.hxx>

#include <VexGerber_Contour.hxx>
#include <VexGerber_Reader.hxx>

#include <PenFormatData_Sequence.hxx>
#include <PhGeom_Curve.hxx>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
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
  VexPcb_ImportReport    Report;
  VexTest_MessageCapture Capture;
};

//! Reads theText into a fresh model (or theModel) with theLimits.
inline void ReadText(const std::string& theText, Read& theRead,
                     const VexGerber_Limits&     theLimits  = VexGerber_Limits(),
                     const VexPcb_ImportOptions& theOptions = VexPcb_ImportOptions())
{
  if (theRead.Model.IsNull())
  {
    theRead.Model = new PenFormatData_Model();
  }
  theRead.Model->SetMessenger(theRead.Capture.Messenger());
  std::istringstream aStream(theText);
  theRead.Ok = VexGerber_Reader::Read(aStream, theOptions, theLimits, *theRead.Model,
                                      theRead.Report) == Standard_True;
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
inline VexGerber_Contour ToContour(const PhGeom_Curve& theCurve)
{
  VexGerber_Contour aContour(theCurve.FirstElement() != NULL ? theCurve.FirstElement()->StartPoint()
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

  bool operator<(const Feature& theOther) const
  {
    if (Kind != theOther.Kind || Clear != theOther.Clear || Area != theOther.Area)
    {
      return std::tie(Kind, Clear, Area) < std::tie(theOther.Kind, theOther.Clear, theOther.Area);
    }
    for (int anIndex = 0; anIndex < 6; ++anIndex)
    {
      if (std::abs(Values[anIndex] - theOther.Values[anIndex]) > 1.0e-3)
      {
        return Values[anIndex] < theOther.Values[anIndex];
      }
    }
    return false;
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
    const double aWidth = aSequence->IsArea() || anAperture.IsNull() ? 0.0 : anAperture->Param(1);
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
    // Cut-ins: equal segments (ends sorted) come in pairs.
    std::sort(aSegments.begin(), aSegments.end());
    for (size_t anIndex = 0; anIndex < aSegments.size(); ++anIndex)
    {
      if (anIndex + 1 < aSegments.size() && !(aSegments[anIndex] < aSegments[anIndex + 1]) &&
          !(aSegments[anIndex + 1] < aSegments[anIndex]))
      {
        ++anIndex;
        continue;
      }
      aFeatures.push_back(aSegments[anIndex]);
    }
  }
  std::sort(aFeatures.begin(), aFeatures.end());
  return aFeatures;
}

//! Returns "" when both lists hold the same features within theTolerance (coordinates) and
//! theWidthTolerance (widths), else a description of the first difference.
inline std::string CompareFeatures(const std::vector<Feature>& theFirst,
                                   const std::vector<Feature>& theSecond, const double theTolerance,
                                   const double theWidthTolerance)
{
  if (theFirst.size() != theSecond.size())
  {
    return "feature counts differ: " + std::to_string(theFirst.size()) + " and " +
           std::to_string(theSecond.size());
  }
  for (size_t anIndex = 0; anIndex < theFirst.size(); ++anIndex)
  {
    const Feature& aOne = theFirst[anIndex];
    const Feature& aTwo = theSecond[anIndex];
    bool isSame = aOne.Kind == aTwo.Kind && aOne.Clear == aTwo.Clear && aOne.Area == aTwo.Area &&
                  std::abs(aOne.Width - aTwo.Width) <= theWidthTolerance;
    for (int aValue = 0; aValue < 6; ++aValue)
    {
      isSame = isSame && std::abs(aOne.Values[aValue] - aTwo.Values[aValue]) <= theTolerance;
    }
    if (!isSame)
    {
      std::ostringstream aText;
      aText.precision(9);
      aText << "feature " << anIndex << " differs: " << aOne.Kind << " (" << aOne.Values[0] << ", "
            << aOne.Values[1] << ") -> (" << aOne.Values[2] << ", " << aOne.Values[3] << ") w "
            << aOne.Width << " and " << aTwo.Kind << " (" << aTwo.Values[0] << ", "
            << aTwo.Values[1] << ") -> (" << aTwo.Values[2] << ", " << aTwo.Values[3] << ") w "
            << aTwo.Width;
      return aText.str();
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
} // namespace VexGerber_TestModel

#endif
