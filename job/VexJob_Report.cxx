// Copyright (c) 2026 VexData developers
#include <VexJob_Report.hxx>

#include <algorithm>
#include <cmath>

void VexJob_Report::AddHoles(const double theDesign, const int theCount, const std::string& theTool,
                             const double theWidth, const std::string& theHow)
{
  for (HoleRow& aRow : myHoles)
  {
    if (std::abs(aRow.Design - theDesign) < 1.0e-6 && aRow.Tool == theTool && aRow.How == theHow)
    {
      aRow.Count += theCount;
      return;
    }
  }
  HoleRow aRow;
  aRow.Design       = theDesign;
  aRow.Count        = theCount;
  aRow.Tool         = theTool;
  aRow.Width        = theWidth;
  aRow.How          = theHow;
  const auto aPlace = std::upper_bound(myHoles.begin(), myHoles.end(), aRow,
                                       [](const HoleRow& theLeft, const HoleRow& theRight)
                                       { return theLeft.Design < theRight.Design; });
  myHoles.insert(aPlace, aRow);
}
