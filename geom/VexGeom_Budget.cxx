// Copyright (c) 2026 VexData developers
#include <VexGeom_Budget.hxx>

#include <Standard_Integer.hxx>

#include <algorithm>
#include <cmath>
#include <limits>

namespace
{
//! The vertical extent of some paths: the sum of the heights of their edges and their span.
struct Heights
{
  double Sum  = 0.0;                                 //!< heights of the edges, summed
  double Low  = std::numeric_limits<double>::max();  //!< lowest y
  double High = -std::numeric_limits<double>::max(); //!< highest y

  //! Adds the edges of thePath (closed when isClosed) and its extent.
  void Add(const ClipperLib::Path& thePath, const bool isClosed)
  {
    for (size_t anIndex = 0; anIndex < thePath.size(); ++anIndex)
    {
      const double aY = static_cast<double>(thePath[anIndex].Y);
      Low             = std::min(Low, aY);
      High            = std::max(High, aY);
      if (anIndex > 0 || isClosed)
      {
        const size_t aPrevious = anIndex > 0 ? anIndex - 1 : thePath.size() - 1;
        Sum += std::fabs(aY - static_cast<double>(thePath[aPrevious].Y));
      }
    }
  }

  //! Returns the span (0 when empty).
  double Span() const { return High > Low ? High - Low : 0.0; }
};

//! Steps every operation of the polygon library costs whatever its size: setting it up and
//! handing its result back (some microseconds).
const double THE_OPERATION_STEPS = 200.0;

//! Returns theVertices times the average number of edges a horizontal line meets, at least one,
//! when the edges' heights add up to theSum over theSpan, and the cost of one operation.
double scanCost(const double theVertices, const double theSum, const double theSpan)
{
  return THE_OPERATION_STEPS + theVertices * std::max(1.0, theSpan > 0.0 ? theSum / theSpan : 1.0);
}
} // namespace

VexGeom_Budget::VexGeom_Budget()
    : myWorkLimit(std::numeric_limits<double>::max()), myWork(0.0), mySegmentLimit(IntegerLast()),
      mySegments(0), myReached(Limit_None)
{
}

VexGeom_Budget::VexGeom_Budget(const Standard_Integer theSegments, const double theWork)
    : myWorkLimit(theWork), myWork(0.0), mySegmentLimit(theSegments), mySegments(0),
      myReached(Limit_None)
{
}

Standard_Boolean VexGeom_Budget::SpendSegments(const Standard_Integer theCount)
{
  if (theCount < 0 || mySegments > mySegmentLimit - theCount)
  {
    myReached = Limit_Segments;
    return Standard_False;
  }
  mySegments += theCount;
  return Standard_True;
}

Standard_Boolean VexGeom_Budget::SpendWork(const double theSteps)
{
  if (!(theSteps <= myWorkLimit - myWork))
  {
    myReached = Limit_Work;
    return Standard_False;
  }
  myWork += theSteps;
  return Standard_True;
}

Standard_Integer VexGeom_Budget::WorkLimitMillions() const
{
  const double aMillions = std::ceil(myWorkLimit / 1.0e6);
  return aMillions < static_cast<double>(IntegerLast()) ? static_cast<Standard_Integer>(aMillions)
                                                        : IntegerLast();
}

Message_Msg VexGeom_Budget::Fault() const
{
  switch (myReached)
  {
  case Limit_Segments:
  {
    Message_Msg aMessage("VEX_GEOM_LIMIT_SEGMENTS");
    aMessage << mySegmentLimit;
    return aMessage;
  }
  case Limit_Work:
  {
    Message_Msg aMessage("VEX_GEOM_LIMIT_WORK");
    aMessage << WorkLimitMillions();
    return aMessage;
  }
  default:
    return Message_Msg();
  }
}

double VexGeom_Budget::Cost(const ClipperLib::Paths& thePaths)
{
  Heights aHeights;
  double  aVertices = 0.0;
  for (const ClipperLib::Path& aPath : thePaths)
  {
    aHeights.Add(aPath, true);
    aVertices += static_cast<double>(aPath.size());
  }
  return scanCost(aVertices, aHeights.Sum, aHeights.Span());
}

double VexGeom_Budget::SumCost(const ClipperLib::Path& thePattern, const ClipperLib::Path& thePath,
                               const size_t theNbEdges, const size_t theNbCopies)
{
  // Every edge pair makes a quadrilateral of four vertices whose sides are the two edges, twice
  // each; every copy adds the pattern's vertices and edges again.
  Heights aPattern, aPath;
  aPattern.Add(thePattern, true);
  aPath.Add(thePath, theNbEdges >= thePath.size());
  const double aSize     = static_cast<double>(thePattern.size());
  const double anEdges   = static_cast<double>(theNbEdges);
  const double aCopies   = static_cast<double>(theNbCopies);
  const double aVertices = 4.0 * anEdges * aSize + aCopies * aSize;
  const double aSum = 2.0 * (anEdges * aPattern.Sum + aSize * aPath.Sum) + aCopies * aPattern.Sum;
  return scanCost(aVertices, aSum, aPattern.Span() + aPath.Span());
}

double VexGeom_Budget::ChordSumCost(const ClipperLib::Path& thePattern,
                                    const ClipperLib::Path& thePath, const bool isClosed)
{
  Heights aPattern;
  aPattern.Add(thePattern, true);
  const size_t aNbEdges = isClosed ? thePath.size() : thePath.size() - 1;
  const double aSize    = static_cast<double>(thePattern.size());
  double       aCost    = 0.0;
  for (size_t anIndex = 0; anIndex < aNbEdges; ++anIndex)
  {
    const double aY0     = static_cast<double>(thePath[anIndex].Y);
    const double aY1     = static_cast<double>(thePath[(anIndex + 1) % thePath.size()].Y);
    const double aHeight = std::fabs(aY1 - aY0);
    // The sum of one chord, then its union with the copies at both ends.
    aCost += THE_OPERATION_STEPS + scanCost(6.0 * aSize, 4.0 * aPattern.Sum + 2.0 * aSize * aHeight,
                                            aPattern.Span() + aHeight);
  }
  // Every round of pairwise unions sees each piece's outline, a few edges deep, once; there is
  // one union fewer than pieces.
  const double aRounds = std::ceil(std::log2(std::max(1.0, static_cast<double>(aNbEdges))));
  return aCost + 4.0 * static_cast<double>(aNbEdges) * (aSize + 4.0) * aRounds +
         THE_OPERATION_STEPS * static_cast<double>(aNbEdges);
}
