// Copyright (c) 2026 VexData developers
#include <VexJob_Copper.hxx>

#include <VexJob_Isolation.hxx>

#include <VexGeom_Units.hxx>

#include <algorithm>
#include <cmath>

namespace
{
//! Cells per side of a tile of the grid the features are filed in.
const Standard_Integer THE_CELLS_PER_TILE = 8;

//! Most cells of that grid: its memory stays bounded whatever the board.
const Standard_Real THE_MAX_CELLS = 4.0e6;
} // namespace

VexJob_Copper::VexJob_Copper(const PenFormatData_Model& theDesign)
    : myMin(HUGE_VAL, HUGE_VAL), myMax(-HUGE_VAL, -HUGE_VAL)
{
  size_t aCount = 0;
  VexGeom_DrawnArea::Survey(theDesign, myMin, myMax, aCount);
  if (myMin.X() > myMax.X())
  {
    return;
  }
  const gp_XY aMargin(1.0, 1.0);
  myGrid.Init(myMin - aMargin, myMax + aMargin, VexGeom_Grid::CellSizeFor(myMin, myMax, aCount),
              THE_CELLS_PER_TILE, THE_MAX_CELLS);
  myArea.reset(new VexGeom_DrawnArea(myGrid));
  myArea->Build(theDesign, aCount, myGrid.CellSize());
}

bool VexJob_Copper::Bounds(gp_XY& theMin, gp_XY& theMax) const
{
  if (!myArea)
  {
    return false;
  }
  theMin = myMin;
  theMax = myMax;
  if (isMirrored)
  {
    theMin.SetX(2.0 * myMirrorX - myMax.X());
    theMax.SetX(2.0 * myMirrorX - myMin.X());
  }
  return true;
}

void VexJob_Copper::Build(const gp_XY& theMin, const gp_XY& theMax,
                          ClipperLib::Paths& theCopper) const
{
  ClipperLib::PolyTree aTree;
  Build(theMin, theMax, aTree);
  ClipperLib::ClosedPathsFromPolyTree(aTree, theCopper);
}

void VexJob_Copper::Build(const gp_XY& theMin, const gp_XY& theMax,
                          ClipperLib::PolyTree& theCopper) const
{
  theCopper.Clear();
  if (!myArea)
  {
    return;
  }
  if (!isMirrored)
  {
    myArea->Window(theMin, theMax, 0.0, theCopper);
    return;
  }
  // The window turned over is asked for as drawn, and its copper turned back.
  myArea->Window(gp_XY(2.0 * myMirrorX - theMax.X(), theMin.Y()),
                 gp_XY(2.0 * myMirrorX - theMin.X(), theMax.Y()), 0.0, theCopper);
  for (ClipperLib::PolyNode* aNode = theCopper.GetFirst(); aNode != NULL; aNode = aNode->GetNext())
  {
    ClipperLib::Paths aContour(1);
    aContour.front().swap(aNode->Contour);
    VexJob_Isolation::Mirror(aContour, myMirrorX);
    aNode->Contour.swap(aContour.front());
  }
}

void VexJob_Copper::Build(const PenFormatData_Model& theDesign, ClipperLib::Paths& theCopper)
{
  const VexJob_Copper aCopper(theDesign);
  gp_XY               aMin, aMax;
  theCopper.clear();
  if (aCopper.Bounds(aMin, aMax))
  {
    aCopper.Build(aMin - gp_XY(1.0, 1.0), aMax + gp_XY(1.0, 1.0), theCopper);
  }
}
