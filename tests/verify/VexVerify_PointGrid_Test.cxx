// Copyright (c) 2026 VexData developers
// The grid that finds drills near a point: nothing within reach is missed, on either side of a
// cell border or of zero, and a search much smaller than a cell looks at few cells.
#include <VexVerify_PointGrid.hxx>

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <vector>

TEST(VexVerify_PointGrid, VisitsEveryPointWithinReachAndFewOthers)
{
  // Points of a fixed pseudo-random walk over [-50, 50] mm, some on cell borders exactly.
  std::vector<gp_XY> aPoints;
  uint32_t           aSeed = 7;
  for (int anIndex = 0; anIndex < 4000; ++anIndex)
  {
    aSeed            = aSeed * 1664525u + 1013904223u;
    const double anX = static_cast<double>(aSeed % 100000) / 1000.0 - 50.0;
    aSeed            = aSeed * 1664525u + 1013904223u;
    const double anY = static_cast<double>(aSeed % 100000) / 1000.0 - 50.0;
    aPoints.emplace_back(anIndex % 10 == 0 ? static_cast<double>(anIndex % 7) : anX, anY);
  }
  const double THE_CELLS[] = {0.001, 0.5, 1.0, 7.0};
  const double THE_RADII[] = {0.0, 0.01, 0.3, 1.0, 2.5};
  for (const double aCell : THE_CELLS)
  {
    VexVerify_PointGrid aGrid(aCell);
    for (size_t anIndex = 0; anIndex < aPoints.size(); ++anIndex)
    {
      aGrid.Add(aPoints[anIndex], static_cast<Standard_Integer>(anIndex));
    }
    aGrid.Sort();
    for (const double aRadius : THE_RADII)
    {
      for (size_t aQuery = 0; aQuery < aPoints.size(); aQuery += 37)
      {
        const gp_XY   aCentre = aPoints[aQuery] + gp_XY(0.3 * aRadius, -0.2 * aRadius);
        std::set<int> aSeen;
        aGrid.Visit(aCentre, aRadius,
                    [&](const Standard_Integer theIndex) { aSeen.insert(theIndex); });
        for (size_t anIndex = 0; anIndex < aPoints.size(); ++anIndex)
        {
          if ((aPoints[anIndex] - aCentre).Modulus() <= aRadius)
          {
            ASSERT_EQ(aSeen.count(static_cast<int>(anIndex)), 1u)
                << "cell " << aCell << ", radius " << aRadius << ", point " << anIndex;
          }
        }
        // What is visited lies in the cells the search square touches.
        for (const int anIndex : aSeen)
        {
          const gp_XY aDelta = aPoints[anIndex] - aCentre;
          EXPECT_LE(std::abs(aDelta.X()), aRadius + aCell + 1.0e-9);
          EXPECT_LE(std::abs(aDelta.Y()), aRadius + aCell + 1.0e-9);
        }
      }
    }
  }
}
