// Copyright (c) 2026 VexData developers
#include <VexJob_Maker.hxx>

#include <VexJob_Copper.hxx>
#include <VexJob_CutOut.hxx>
#include <VexJob_Drilling.hxx>
#include <VexJob_Isolation.hxx>
#include <VexJob_Order.hxx>

#include <VexGeom_Units.hxx>
#include <VexGeom_Polygons.hxx>

#include <algorithm>
#include <cmath>
#include <cstdio>

const char* const VexJob_Maker::THE_ISOLATION_TOP    = "Isolation top";
const char* const VexJob_Maker::THE_ISOLATION_BOTTOM = "Isolation bottom";
const char* const VexJob_Maker::THE_CUT_OUT          = "Cut-out";

namespace
{
//! Layers of the two sides.
const char* const THE_TOP_LAYER    = "Top";
const char* const THE_BOTTOM_LAYER = "Bottom";

//! Returns the text of theFormat with theValue.
std::string format(const char* theFormat, const double theValue)
{
  char aText[128];
  std::snprintf(aText, sizeof(aText), theFormat, theValue);
  return aText;
}

//! Returns the x of the middle of the bounding box of thePolygons (integer units), or 0.
double middleX(const ClipperLib::Paths& thePolygons)
{
  ClipperLib::cInt aMin = 0, aMax = 0;
  bool             isFirst = true;
  for (const ClipperLib::Path& aPath : thePolygons)
  {
    for (const ClipperLib::IntPoint& aPoint : aPath)
    {
      aMin    = isFirst ? aPoint.X : std::min(aMin, aPoint.X);
      aMax    = isFirst ? aPoint.X : std::max(aMax, aPoint.X);
      isFirst = false;
    }
  }
  return 0.5 * static_cast<double>(aMin + aMax) / VexGeom_Units::THE_SCALE;
}

//! Returns true when an element of theContour starts inside theArea (normalised polygons).
bool touches(const VexJob_Contour& theContour, const ClipperLib::Paths& theArea)
{
  for (const VexJob_Element& anElement : theContour.Elements())
  {
    const ClipperLib::IntPoint aPoint   = VexGeom_Units::ToPoint(anElement.Start);
    int                        aWinding = 0;
    for (const ClipperLib::Path& aPath : theArea)
    {
      if (ClipperLib::PointInPolygon(aPoint, aPath) != 0)
      {
        aWinding += ClipperLib::Orientation(aPath) ? 1 : -1;
      }
    }
    if (aWinding > 0)
    {
      return true;
    }
  }
  return false;
}

//! Sets theFault to a range fault of option theName and returns false, unless theIsGood.
Standard_Boolean inRange(const bool theIsGood, const char* theName, const double theValue,
                         const char* theRange, Message_Msg& theFault)
{
  if (!theIsGood)
  {
    theFault = Message_Msg("VEX_JOB_BAD_OPTION");
    theFault << theName << theValue << theRange;
  }
  return theIsGood;
}
} // namespace

VexJob_Maker::VexJob_Maker(const VexJob_ToolLibrary& theLibrary, const VexJob_Options& theOptions,
                           const Handle(Message_Messenger) & theMessenger)
    : myLibrary(theLibrary), myOptions(theOptions), myReport(theMessenger), myIsolation(nullptr),
      myContour(nullptr), myMirrorX(0.0)
{
}

Standard_Boolean VexJob_Maker::Prepare(Message_Msg& theFault)
{
  const VexJob_Options& anOpt = myOptions;
  if (!inRange(anOpt.Passes >= 0 && anOpt.Passes <= 100, "--passes", anOpt.Passes, "0 to 100",
               theFault) ||
      !inRange(anOpt.Overlap >= 0.0 && anOpt.Overlap <= 0.9, "--overlap", anOpt.Overlap, "0 to 0.9",
               theFault) ||
      !inRange(anOpt.Clearance >= 0.0 && anOpt.Clearance <= 50.0, "--clearance", anOpt.Clearance,
               "0 to 50 mm", theFault) ||
      !inRange(anOpt.DrillTolerance >= 0.0 && anOpt.DrillTolerance <= 1.0, "--drill-tolerance",
               anOpt.DrillTolerance, "0 to 1 mm", theFault) ||
      !inRange(anOpt.Tabs >= 0 && anOpt.Tabs <= 100, "--tabs", anOpt.Tabs, "0 to 100", theFault) ||
      !inRange(anOpt.TabWidth > 0.0 && anOpt.TabWidth <= 50.0, "--tab-width", anOpt.TabWidth,
               "more than 0, at most 50 mm", theFault) ||
      !inRange(!anOpt.HasMirrorX || VexGeom_Units::IsUsable(anOpt.MirrorX), "--mirror-x",
               anOpt.MirrorX, "-10000 to 10000 mm", theFault))
  {
    return Standard_False;
  }
  Message_Msg aFault;
  myIsolation = chooseTool(anOpt.IsolationTool, VexJob_Tool::Kind_Isolation,
                           myLibrary.Narrowest(VexJob_Tool::Kind_Isolation), theFault);
  if (myIsolation == nullptr && !anOpt.IsolationTool.empty())
  {
    return Standard_False;
  }
  const VexJob_Tool* aDefault =
      myLibrary.AtMost(VexJob_Tool::Kind_EndMill, VexJob_Options::DefaultContour());
  myContour = chooseTool(
      anOpt.ContourTool, VexJob_Tool::Kind_EndMill,
      aDefault != nullptr ? aDefault : myLibrary.Narrowest(VexJob_Tool::Kind_EndMill), theFault);
  return myContour != nullptr || anOpt.ContourTool.empty();
}

const VexJob_Tool* VexJob_Maker::chooseTool(const std::string&      theName,
                                            const VexJob_Tool::Kind theKind,
                                            const VexJob_Tool*      theDefault,
                                            Message_Msg&            theFault) const
{
  if (theName.empty())
  {
    return theDefault;
  }
  const VexJob_Tool* aTool = myLibrary.Find(theName);
  if (aTool == nullptr)
  {
    theFault = Message_Msg("VEX_JOB_UNKNOWN_TOOL");
    theFault << theName.c_str();
    return nullptr;
  }
  if (aTool->Type != theKind)
  {
    theFault = Message_Msg("VEX_JOB_WRONG_TOOL_KIND");
    theFault << theName.c_str() << VexJob_ToolLibrary::KindName(aTool->Type)
             << VexJob_ToolLibrary::KindName(theKind);
    return nullptr;
  }
  return aTool;
}

void VexJob_Maker::Make()
{
  myToolpaths.clear();
  if (!myOutline.Model.IsNull())
  {
    VexJob_CutOut::Board(*myOutline.Model, myOutline.Name, myReport, myBoard);
  }
  makeDrilling();
  if (!myTop.Model.IsNull())
  {
    makeIsolation(myTop, false);
  }
  if (!myBottom.Model.IsNull())
  {
    makeIsolation(myBottom, true);
  }
  if (!myBoard.empty())
  {
    makeCutOut();
  }
  order();
}

void VexJob_Maker::makeDrilling()
{
  VexJob_Drilling aDrilling(myLibrary, myOptions, myReport);
  for (const Design& aDesign : myDrills)
  {
    aDrilling.Add(*aDesign.Model, aDesign.Name);
  }
  aDrilling.Toolpaths(THE_TOP_LAYER, myToolpaths);
}

void VexJob_Maker::makeIsolation(const Design& theDesign, const bool isBottom)
{
  const char* aPhase = isBottom ? THE_ISOLATION_BOTTOM : THE_ISOLATION_TOP;
  if (myIsolation == nullptr)
  {
    Message_Msg aMsg("VEX_JOB_NO_TOOL_OF_KIND");
    aMsg << VexJob_ToolLibrary::KindName(VexJob_Tool::Kind_Isolation) << aPhase;
    myReport.Problem(aMsg);
    return;
  }
  VexJob_Copper   aCopper(*theDesign.Model);
  VexJob_Toolpath aToolpath;
  aToolpath.Phase = aPhase;
  aToolpath.Layer = isBottom ? THE_BOTTOM_LAYER : THE_TOP_LAYER;
  aToolpath.Tool  = *myIsolation;
  if (isBottom)
  {
    gp_XY aMin, aMax;
    aCopper.Bounds(aMin, aMax);
    myMirrorX = myOptions.HasMirrorX ? myOptions.MirrorX
                : !myBoard.empty()   ? middleX(myBoard)
                                     : 0.5 * (aMin.X() + aMax.X());
    aCopper.Mirror(myMirrorX);
    myReport.Note(aPhase, format("mirrored about x = %.4f mm", myMirrorX) +
                              (myOptions.HasMirrorX ? " (--mirror-x)"
                               : !myBoard.empty()   ? " (centre of the board outline)"
                                                    : " (centre of the bottom copper)"));
  }
  const VexJob_Tiles::Result aResult =
      VexJob_Isolation::Isolate(aCopper, *myIsolation, myOptions, isBottom ? "bottom" : "top",
                                isBottom, myMirrorX, myReport, aToolpath.Contours);
  myReport.Note(
      aPhase, std::to_string(aCopper.NbFeatures()) + " copper features in " +
                  std::to_string(aResult.NbTiles) + " tile(s) (" +
                  std::to_string(aResult.NbCopperVertices) + " copper vertices), " +
                  std::to_string(VexJob_Isolation::NbRings(myIsolation->Width, myOptions)) +
                  " ring(s) per feature, " + std::to_string(aResult.Rings.size()) +
                  " closed contours of " + std::to_string(aResult.NbRingVertices()) +
                  " offset vertices" +
                  (aResult.Open.empty()
                       ? ""
                       : ", " + std::to_string(aResult.Open.size()) + " pieces that did not join"));
  if (!myBoard.empty())
  {
    const size_t anOutside = leaveOffBoard(isBottom, aToolpath.Contours);
    myReport.Note(aPhase, std::to_string(anOutside) +
                              " ring(s) wholly outside the board (beyond the cut-out) left out");
  }
  myToolpaths.push_back(aToolpath);
}

size_t VexJob_Maker::leaveOffBoard(const bool                   isBottom,
                                   std::vector<VexJob_Contour>& theContours) const
{
  // The board as the cutter sees it: its outline grown by the cut-out's end mill, turned over
  // with the bottom.
  ClipperLib::Paths aBoard = myBoard;
  VexGeom_Polygons::Grow(aBoard, myContour != nullptr ? myContour->Width : 0.0);
  if (isBottom)
  {
    VexJob_Isolation::Mirror(aBoard, myMirrorX);
  }
  const size_t aBefore = theContours.size();
  theContours.erase(std::remove_if(theContours.begin(), theContours.end(),
                                   [&aBoard](const VexJob_Contour& theContour)
                                   { return !touches(theContour, aBoard); }),
                    theContours.end());
  return aBefore - theContours.size();
}

void VexJob_Maker::makeCutOut()
{
  if (myContour == nullptr)
  {
    Message_Msg aMsg("VEX_JOB_NO_TOOL_OF_KIND");
    aMsg << VexJob_ToolLibrary::KindName(VexJob_Tool::Kind_EndMill) << THE_CUT_OUT;
    myReport.Problem(aMsg);
    return;
  }
  VexJob_Toolpath aToolpath;
  aToolpath.Phase = THE_CUT_OUT;
  aToolpath.Layer = THE_TOP_LAYER;
  aToolpath.Tool  = *myContour;
  const Standard_Integer aTabs =
      VexJob_CutOut::Cut(myBoard, myContour->Width, myOptions, myReport, aToolpath.Contours);
  if (myOptions.Tabs > 0)
  {
    myReport.Note(THE_CUT_OUT,
                  std::to_string(aTabs) + " tab(s) of " + format("%.3g mm", myOptions.TabWidth));
  }
  myToolpaths.push_back(aToolpath);
}

void VexJob_Maker::order()
{
  for (VexJob_Toolpath& aToolpath : myToolpaths)
  {
    const gp_XY aStart(0.0, 0.0);
    aToolpath.TravelAfter =
        aToolpath.Contours.empty()
            ? VexJob_Order::Holes(aToolpath.Holes, aStart, aToolpath.TravelBefore)
            : VexJob_Order::Contours(aToolpath.Contours, aStart, aToolpath.TravelBefore);
  }
}
