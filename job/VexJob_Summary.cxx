// Copyright (c) 2026 VexData developers
#include <VexJob_Summary.hxx>

#include <VexJob_Drilling.hxx>

#include <cstdio>
#include <algorithm>
#include <cmath>

namespace
{
//! Returns theValue with theDigits decimals.
std::string number(const double theValue, const int theDigits = 3)
{
  char aText[64];
  std::snprintf(aText, sizeof(aText), "%.*f", theDigits, theValue);
  return aText;
}

//! Prints the line of theToolpath.
void printToolpath(const VexJob_Toolpath& theToolpath, std::ostream& theStream)
{
  theStream << "  " << theToolpath.Tool.Name << " (" << number(theToolpath.Tool.Width, 2)
            << " mm): ";
  if (theToolpath.IsDrilling())
  {
    theStream << theToolpath.Holes.size() << " holes";
  }
  else
  {
    size_t anArcs = 0, anElements = 0;
    for (const VexJob_Contour& aContour : theToolpath.Contours)
    {
      anArcs += aContour.NbArcs();
      anElements += aContour.Elements().size();
    }
    theStream << theToolpath.Contours.size() << " contours (" << anArcs << " arcs, "
              << anElements - anArcs << " segments), cut length "
              << number(theToolpath.CutLength(), 1) << " mm";
  }
  theStream << ", travel " << number(theToolpath.TravelBefore, 1) << " mm before ordering, "
            << number(theToolpath.TravelAfter, 1) << " mm after\n";
}
} // namespace

void VexJob_Summary::PrintHoles(const VexJob_Report& theReport, std::ostream& theStream)
{
  if (theReport.Holes().empty())
  {
    return;
  }
  theStream << "  design mm  count  tool          tool mm  difference  made\n";
  for (const VexJob_Report::HoleRow& aRow : theReport.Holes())
  {
    const bool        hasTool = !aRow.Tool.empty();
    const std::string aDifference =
        hasTool ? (aRow.Width >= aRow.Design - 5.0e-4 ? "+" : "") +
                      number(std::abs(aRow.Width - aRow.Design) < 5.0e-4 ? 0.0
                                                                         : aRow.Width - aRow.Design)
                : "-";
    char aLine[160];
    std::snprintf(aLine, sizeof(aLine), "  %9.3f  %5d  %-12s  %7s  %10s  %s\n", aRow.Design,
                  aRow.Count, hasTool ? aRow.Tool.c_str() : "-",
                  hasTool ? number(aRow.Width).c_str() : "-", aDifference.c_str(),
                  aRow.How.c_str());
    theStream << aLine;
  }
}

void VexJob_Summary::Print(const VexJob_Maker& theMaker, std::ostream& theStream)
{
  std::vector<std::string> aPhases;
  for (const VexJob_Toolpath& aToolpath : theMaker.Toolpaths())
  {
    if (aPhases.empty() || aPhases.back() != aToolpath.Phase)
    {
      aPhases.push_back(aToolpath.Phase);
    }
  }
  for (const auto& aNote : theMaker.Report().Notes())
  {
    if (std::find(aPhases.begin(), aPhases.end(), aNote.first) == aPhases.end())
    {
      aPhases.push_back(aNote.first);
    }
  }
  for (const std::string& aPhase : aPhases)
  {
    theStream << aPhase << ":\n";
    for (const auto& aNote : theMaker.Report().Notes())
    {
      if (aNote.first == aPhase)
      {
        theStream << "  " << aNote.second << "\n";
      }
    }
    for (const VexJob_Toolpath& aToolpath : theMaker.Toolpaths())
    {
      if (aToolpath.Phase == aPhase)
      {
        printToolpath(aToolpath, theStream);
      }
    }
  }
  if (!theMaker.Report().Holes().empty())
  {
    theStream << "Holes:\n";
    PrintHoles(theMaker.Report(), theStream);
  }
  theStream << "Not machined as designed: " << theMaker.Report().NbProblems() << "\n";
}
