// Copyright (c) 2026 VexData developers
#include <VexJob_CutOut.hxx>

#include <VexJob_ArcFit.hxx>

#include <VexVerify_Board.hxx>
#include <VexGeom_Units.hxx>
#include <VexGeom_Polygons.hxx>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace
{
//! Appends to thePiece the part of theContour between the lengths theFrom and theTo.
void extract(const VexJob_Contour& theContour, const double theFrom, const double theTo,
             VexJob_Contour& thePiece)
{
  double aStart = 0.0;
  for (const VexJob_Element& anElement : theContour.Elements())
  {
    const double aLength = anElement.Length();
    const double aFrom = std::max(theFrom, aStart), aTo = std::min(theTo, aStart + aLength);
    if (aTo - aFrom > 1.0e-9)
    {
      thePiece.Append(aFrom <= aStart && aTo >= aStart + aLength
                          ? anElement
                          : anElement.Part(aFrom - aStart, aTo - aStart));
    }
    aStart += aLength;
  }
}

//! Returns the middle of a tab of theGap on the element from theStart of theLength nearest to
//! theTarget, keeping theMargin from its ends; negative when it does not fit.
double placeOn(const double theStart, const double theLength, const double theGap,
               const double theMargin, const double theTarget)
{
  const double aLow  = theStart + theMargin + 0.5 * theGap;
  const double aHigh = theStart + theLength - theMargin - 0.5 * theGap;
  return aHigh < aLow ? -1.0 : std::clamp(theTarget, aLow, aHigh);
}

//! Removes from theBoard the small closed drawings beside it (the letters of a title, marks
//! drawn on the mechanical layer): outer contours of less than a hundredth of the largest one's
//! area, with the holes inside them. Returns how many outer contours went and where the first was.
size_t leaveOutMarks(ClipperLib::Paths& theBoard, ClipperLib::IntPoint& theFirst)
{
  double aLargest = 0.0;
  for (const ClipperLib::Path& aPath : theBoard)
  {
    aLargest = std::max(aLargest, ClipperLib::Area(aPath));
  }
  ClipperLib::Paths aMarks, aKept;
  for (const ClipperLib::Path& aPath : theBoard)
  {
    const double anArea = ClipperLib::Area(aPath);
    (anArea > 0.0 && anArea < 0.01 * aLargest ? aMarks : aKept).push_back(aPath);
  }
  if (aMarks.empty())
  {
    return 0;
  }
  theFirst = aMarks.front().front();
  theBoard.clear();
  for (const ClipperLib::Path& aPath : aKept)
  {
    const bool isInMark =
        ClipperLib::Area(aPath) < 0.0 &&
        std::any_of(aMarks.begin(), aMarks.end(),
                    [&aPath](const ClipperLib::Path& theMark)
                    { return ClipperLib::PointInPolygon(aPath.front(), theMark) != 0; });
    if (!isInMark)
    {
      theBoard.push_back(aPath);
    }
  }
  return aMarks.size();
}
} // namespace

Standard_Boolean VexJob_CutOut::Board(const PenFormatData_Model& theOutline,
                                      const std::string& theName, VexJob_Report& theReport,
                                      ClipperLib::Paths& theBoard)
{
  VexVerify_Board aBoard;
  aBoard.Build(theOutline, JoinDistance());
  if (aBoard.NbOpenEnds() > 0)
  {
    Message_Msg aMsg("VEX_JOB_OUTLINE_OPEN");
    aMsg << theName.c_str() << aBoard.NbOpenEnds() << aBoard.FirstOpenEnd().X()
         << aBoard.FirstOpenEnd().Y();
    theReport.Problem(aMsg);
  }
  theBoard = aBoard.Area();
  ClipperLib::IntPoint aFirst;
  if (const size_t aMarks = leaveOutMarks(theBoard, aFirst))
  {
    char aLine[160];
    std::snprintf(aLine, sizeof(aLine),
                  "%zu small closed drawing(s) beside the board on %s not cut (the first near "
                  "%.3f, %.3f)",
                  aMarks, theName.c_str(), VexGeom_Units::ToXY(aFirst).X(),
                  VexGeom_Units::ToXY(aFirst).Y());
    theReport.Note("Cut-out", aLine);
  }
  if (theBoard.empty())
  {
    Message_Msg aMsg("VEX_JOB_OUTLINE_EMPTY");
    aMsg << theName.c_str();
    theReport.Problem(aMsg);
    return Standard_False;
  }
  return Standard_True;
}

Standard_Integer VexJob_CutOut::Cut(const ClipperLib::Paths& theBoard, const Standard_Real theWidth,
                                    const VexJob_Options& theOptions, VexJob_Report& theReport,
                                    std::vector<VexJob_Contour>& theContours)
{
  ClipperLib::Paths aPaths = theBoard;
  VexGeom_Polygons::Grow(aPaths, 0.5 * theWidth);
  Standard_Integer aPlaced = 0, aWanted = 0;
  for (const ClipperLib::Path& aPath : aPaths)
  {
    // Outer contours run counter-clockwise: the board on the left, conventional milling.
    const bool     isOuter  = ClipperLib::Orientation(aPath);
    VexJob_Contour aContour = VexJob_ArcFit::Fit(aPath);
    if (theOptions.IsClimb)
    {
      aContour.Reverse();
    }
    if (!isOuter || theOptions.Tabs <= 0)
    {
      theContours.push_back(aContour);
      continue;
    }
    aWanted += theOptions.Tabs;
    aPlaced +=
        Tabs(aContour, theOptions.Tabs, theOptions.TabWidth + theWidth, theWidth, theContours);
  }
  if (aPlaced < aWanted)
  {
    Message_Msg aMsg("VEX_JOB_TABS_DONT_FIT");
    aMsg << aPlaced << aWanted << theOptions.TabWidth;
    theReport.Problem(aMsg);
  }
  return aPlaced;
}

Standard_Integer VexJob_CutOut::Tabs(const VexJob_Contour&  theContour,
                                     const Standard_Integer theCount, const Standard_Real theGap,
                                     const Standard_Real          theMargin,
                                     std::vector<VexJob_Contour>& thePieces)
{
  const double        aTotal = theContour.Length();
  std::vector<double> aMiddles;
  for (Standard_Integer aTab = 0; aTab < theCount; ++aTab)
  {
    const double aTarget = aTotal * (aTab + 0.5) / theCount;
    double       aBest = -1.0, aStart = 0.0;
    for (const VexJob_Element& anElement : theContour.Elements())
    {
      const double aMiddle = placeOn(aStart, anElement.Length(), theGap, theMargin, aTarget);
      const bool   isFree  = std::none_of(aMiddles.begin(), aMiddles.end(),
                                          [&](const double thePlaced) {
                                         return std::abs(thePlaced - aMiddle) < theGap + theMargin;
                                       });
      if (aMiddle >= 0.0 && isFree &&
          (aBest < 0.0 || std::abs(aMiddle - aTarget) < std::abs(aBest - aTarget)))
      {
        aBest = aMiddle;
      }
      aStart += anElement.Length();
    }
    if (aBest >= 0.0)
    {
      aMiddles.push_back(aBest);
    }
  }
  if (aMiddles.empty())
  {
    thePieces.push_back(theContour);
    return 0;
  }
  std::sort(aMiddles.begin(), aMiddles.end());
  // Pieces run from the end of one tab to the start of the next; the last wraps past the start.
  for (size_t aTab = 0; aTab < aMiddles.size(); ++aTab)
  {
    VexJob_Contour aPiece;
    const double   aFrom = aMiddles[aTab] + 0.5 * theGap;
    if (aTab + 1 < aMiddles.size())
    {
      extract(theContour, aFrom, aMiddles[aTab + 1] - 0.5 * theGap, aPiece);
    }
    else
    {
      extract(theContour, aFrom, aTotal, aPiece);
      extract(theContour, 0.0, aMiddles.front() - 0.5 * theGap, aPiece);
    }
    thePieces.push_back(aPiece);
  }
  return static_cast<Standard_Integer>(aMiddles.size());
}
