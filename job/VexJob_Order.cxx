// Copyright (c) 2026 VexData developers
#include <VexJob_Order.hxx>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace
{
//! Points filed in square cells, taken out one by one as a tour visits them.
class PointGrid
{
public:
  //! Files thePoints.
  PointGrid(const std::vector<gp_XY>& thePoints) : myPoints(thePoints), myLeft(thePoints.size())
  {
    myMin = myMax = thePoints.empty() ? gp_XY() : thePoints.front();
    for (const gp_XY& aPoint : thePoints)
    {
      myMin.SetCoord(std::min(myMin.X(), aPoint.X()), std::min(myMin.Y(), aPoint.Y()));
      myMax.SetCoord(std::max(myMax.X(), aPoint.X()), std::max(myMax.Y(), aPoint.Y()));
    }
    const gp_XY  aSize = myMax - myMin;
    const double anArea =
        std::max(aSize.X(), 1.0e-3) * std::max(aSize.Y(), 1.0e-3) / std::max<size_t>(1, myLeft);
    myCell = std::max(std::sqrt(anArea) * 2.0, 1.0e-3);
    myNbX  = std::min<long>(4096, static_cast<long>(aSize.X() / myCell) + 1);
    myNbY  = std::min<long>(4096, static_cast<long>(aSize.Y() / myCell) + 1);
    myCell =
        std::max(aSize.X() / static_cast<double>(myNbX), aSize.Y() / static_cast<double>(myNbY));
    myCell = std::max(myCell * (1.0 + 1.0e-9), 1.0e-3);
    myCells.resize(static_cast<size_t>(myNbX * myNbY));
    myRowCounts.assign(static_cast<size_t>(myNbY), 0);
    for (size_t anIndex = 0; anIndex < thePoints.size(); ++anIndex)
    {
      const long aCell = cellOf(thePoints[anIndex]);
      myCells[static_cast<size_t>(aCell)].push_back(static_cast<uint32_t>(anIndex));
      ++myRowCounts[static_cast<size_t>(aCell / myNbX)];
    }
  }

  //! Takes out and returns the point nearest to thePoint; the grid must not be empty.
  size_t TakeNearest(const gp_XY& thePoint)
  {
    const long aX0 = column(thePoint.X()), aY0 = row(thePoint.Y());
    double     aBest     = HUGE_VAL;
    long       aBestCell = -1;
    size_t     aBestSlot = 0;
    for (long aRing = 0; aRing <= std::max(myNbX, myNbY); ++aRing)
    {
      for (long aY = std::max(0L, aY0 - aRing); aY <= std::min(myNbY - 1, aY0 + aRing); ++aY)
      {
        if (myRowCounts[static_cast<size_t>(aY)] == 0)
        {
          continue;
        }
        const bool isEdgeRow = aY == aY0 - aRing || aY == aY0 + aRing;
        const long aStep     = isEdgeRow ? 1 : std::max(1L, 2 * aRing);
        for (long aX = aX0 - aRing; aX <= aX0 + aRing; aX += aStep)
        {
          if (aX >= 0 && aX < myNbX)
          {
            visit(aY * myNbX + aX, thePoint, aBest, aBestCell, aBestSlot);
          }
        }
      }
      if (aBestCell >= 0 && aBest <= static_cast<double>(aRing) * myCell)
      {
        break;
      }
    }
    std::vector<uint32_t>& aCell   = myCells[static_cast<size_t>(aBestCell)];
    const size_t           aResult = aCell[aBestSlot];
    aCell[aBestSlot]               = aCell.back();
    aCell.pop_back();
    --myRowCounts[static_cast<size_t>(aBestCell / myNbX)];
    --myLeft;
    return aResult;
  }

private:
  //! Looks at the points of theCell for one nearer than theBest to thePoint.
  void visit(const long theCell, const gp_XY& thePoint, double& theBest, long& theBestCell,
             size_t& theBestSlot) const
  {
    const std::vector<uint32_t>& aCell = myCells[static_cast<size_t>(theCell)];
    for (size_t aSlot = 0; aSlot < aCell.size(); ++aSlot)
    {
      const double aDistance = (myPoints[aCell[aSlot]] - thePoint).Modulus();
      if (aDistance < theBest)
      {
        theBest     = aDistance;
        theBestCell = theCell;
        theBestSlot = aSlot;
      }
    }
  }

  long column(const double theX) const
  {
    return std::clamp(static_cast<long>(std::floor((theX - myMin.X()) / myCell)), 0L, myNbX - 1);
  }

  long row(const double theY) const
  {
    return std::clamp(static_cast<long>(std::floor((theY - myMin.Y()) / myCell)), 0L, myNbY - 1);
  }

  long cellOf(const gp_XY& thePoint) const
  {
    return row(thePoint.Y()) * myNbX + column(thePoint.X());
  }

  const std::vector<gp_XY>&          myPoints;             //!< the points
  std::vector<std::vector<uint32_t>> myCells;              //!< points left, by cell
  std::vector<size_t>                myRowCounts;          //!< points left, by row of cells
  gp_XY                              myMin, myMax;         //!< bounds of the points
  double                             myCell = 1.0;         //!< cell size
  long                               myNbX = 1, myNbY = 1; //!< cells across and up
  size_t                             myLeft;               //!< points left
};

//! Returns the index of the element of closed theContour whose start is nearest to thePoint.
size_t nearestEntry(const VexJob_Contour& theContour, const gp_XY& thePoint)
{
  size_t aBest         = 0;
  double aBestDistance = HUGE_VAL;
  for (size_t anIndex = 0; anIndex < theContour.Elements().size(); ++anIndex)
  {
    const double aDistance = (theContour.Elements()[anIndex].Start - thePoint).SquareModulus();
    if (aDistance < aBestDistance)
    {
      aBestDistance = aDistance;
      aBest         = anIndex;
    }
  }
  return aBest;
}
} // namespace

std::vector<size_t> VexJob_Order::NearestNeighbour(const std::vector<gp_XY>& thePoints,
                                                   const gp_XY&              theStart)
{
  std::vector<size_t> anOrder;
  anOrder.reserve(thePoints.size());
  PointGrid aGrid(thePoints);
  gp_XY     aHere = theStart;
  for (size_t aCount = 0; aCount < thePoints.size(); ++aCount)
  {
    anOrder.push_back(aGrid.TakeNearest(aHere));
    aHere = thePoints[anOrder.back()];
  }
  return anOrder;
}

void VexJob_Order::TwoOpt(std::vector<gp_XY>& thePoints, const gp_XY& theStart)
{
  const size_t aSize = thePoints.size();
  auto         at    = [&](const size_t theIndex) -> const gp_XY&
  { return theIndex == 0 ? theStart : thePoints[theIndex - 1]; };
  // Positions 0..aSize on the tour, 0 the fixed start; the tour is open at its end.
  for (int aPass = 0; aPass < 8; ++aPass)
  {
    bool isImproved = false;
    for (size_t anI = 0; anI + 1 < aSize; ++anI)
    {
      const size_t aLast = std::min(aSize, anI + static_cast<size_t>(Window()));
      for (size_t aJ = anI + 2; aJ <= aLast; ++aJ)
      {
        const double aRemoved = (at(anI + 1) - at(anI)).Modulus() +
                                (aJ < aSize ? (at(aJ + 1) - at(aJ)).Modulus() : 0.0);
        const double anAdded = (at(aJ) - at(anI)).Modulus() +
                               (aJ < aSize ? (at(aJ + 1) - at(anI + 1)).Modulus() : 0.0);
        if (anAdded < aRemoved - 1.0e-9)
        {
          std::reverse(thePoints.begin() + static_cast<long>(anI),
                       thePoints.begin() + static_cast<long>(aJ));
          isImproved = true;
        }
      }
    }
    if (!isImproved)
    {
      break;
    }
  }
}

Standard_Real VexJob_Order::Holes(std::vector<gp_XY>& theHoles, const gp_XY& theStart,
                                  Standard_Real& theBefore)
{
  theBefore                         = Travel(theHoles, theStart);
  const std::vector<size_t> anOrder = NearestNeighbour(theHoles, theStart);
  std::vector<gp_XY>        aTour;
  aTour.reserve(theHoles.size());
  for (const size_t anIndex : anOrder)
  {
    aTour.push_back(theHoles[anIndex]);
  }
  TwoOpt(aTour, theStart);
  const Standard_Real anAfter = Travel(aTour, theStart);
  if (anAfter < theBefore)
  {
    theHoles.swap(aTour);
    return anAfter;
  }
  return theBefore;
}

Standard_Real VexJob_Order::Contours(std::vector<VexJob_Contour>& theContours,
                                     const gp_XY& theStart, Standard_Real& theBefore)
{
  theBefore = Travel(theContours, theStart);
  std::vector<gp_XY> aStarts;
  aStarts.reserve(theContours.size());
  for (const VexJob_Contour& aContour : theContours)
  {
    aStarts.push_back(aContour.Start());
  }
  PointGrid                   aGrid(aStarts);
  std::vector<VexJob_Contour> aTour;
  aTour.reserve(theContours.size());
  gp_XY aHere = theStart;
  for (size_t aCount = 0; aCount < theContours.size(); ++aCount)
  {
    VexJob_Contour& aNext = theContours[aGrid.TakeNearest(aHere)];
    if (aNext.IsClosed())
    {
      aNext.Rotate(nearestEntry(aNext, aHere));
    }
    aHere = aNext.End();
    aTour.push_back(std::move(aNext));
  }
  theContours.swap(aTour);
  return Travel(theContours, theStart);
}

Standard_Real VexJob_Order::Travel(const std::vector<gp_XY>& thePoints, const gp_XY& theStart)
{
  Standard_Real aTravel = 0.0;
  gp_XY         aHere   = theStart;
  for (const gp_XY& aPoint : thePoints)
  {
    aTravel += (aPoint - aHere).Modulus();
    aHere = aPoint;
  }
  return aTravel;
}

Standard_Real VexJob_Order::Travel(const std::vector<VexJob_Contour>& theContours,
                                   const gp_XY&                       theStart)
{
  Standard_Real aTravel = 0.0;
  gp_XY         aHere   = theStart;
  for (const VexJob_Contour& aContour : theContours)
  {
    aTravel += (aContour.Start() - aHere).Modulus();
    aHere = aContour.End();
  }
  return aTravel;
}
