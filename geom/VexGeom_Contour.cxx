// Copyright (c) 2026 VexData developers
#include <VexGeom_Contour.hxx>

#include <algorithm>
#include <cmath>

namespace
{
const Standard_Real THE_TWO_PI = 2.0 * M_PI;

//! Distance under which the end of an arc counts as its start: the arc is a full circle.
const Standard_Real THE_FULL_CIRCLE_DISTANCE = 1.0e-9;
} // namespace

Standard_Boolean VexGeom_Contour::IsClosed(const Standard_Real theTolerance) const
{
  return !myEdges.empty() && (End() - myStart).Modulus() <= theTolerance;
}

Standard_Real VexGeom_Contour::ArcSweep(const Standard_Integer theIndex) const
{
  const VexGeom_Edge& anEdge = myEdges[theIndex];
  if (anEdge.Type == VexGeom_Edge::Kind_Segment)
  {
    return 0.0;
  }
  const gp_XY            aFrom  = EdgeStart(theIndex) - anEdge.Center;
  const gp_XY            aTo    = anEdge.End - anEdge.Center;
  const Standard_Real    aSweep = std::atan2(aFrom.Crossed(aTo), aFrom.Dot(aTo));
  const Standard_Boolean isFull =
      (anEdge.End - EdgeStart(theIndex)).Modulus() <= THE_FULL_CIRCLE_DISTANCE;
  if (anEdge.Type == VexGeom_Edge::Kind_ArcCcw)
  {
    return isFull ? THE_TWO_PI : (aSweep < 0.0 ? aSweep + THE_TWO_PI : aSweep);
  }
  return isFull ? -THE_TWO_PI : (aSweep > 0.0 ? aSweep - THE_TWO_PI : aSweep);
}

Standard_Real VexGeom_Contour::SignedArea() const
{
  // Shoelace over the chords, plus the circular segment between each arc and its chord.
  Standard_Real anArea = 0.0;
  for (Standard_Integer anIndex = 0; anIndex < NbEdges(); ++anIndex)
  {
    const gp_XY&        aStart = EdgeStart(anIndex);
    const VexGeom_Edge& anEdge = myEdges[anIndex];
    anArea += 0.5 * aStart.Crossed(anEdge.End);
    if (anEdge.Type != VexGeom_Edge::Kind_Segment)
    {
      const Standard_Real aRadius = (aStart - anEdge.Center).Modulus();
      const Standard_Real aSweep  = ArcSweep(anIndex);
      anArea += 0.5 * aRadius * aRadius * (aSweep - std::sin(aSweep));
    }
  }
  return anArea;
}

void VexGeom_Contour::Reverse()
{
  // In place: edge i of the reversed contour is edge n-1-i turned round, ending where that
  // edge started; the ends shift by one, so they are kept aside first.
  const gp_XY aNewStart = End();
  for (size_t anIndex = myEdges.size(); anIndex-- > 1;)
  {
    myEdges[anIndex].End = myEdges[anIndex - 1].End;
  }
  if (!myEdges.empty())
  {
    myEdges.front().End = myStart;
  }
  std::reverse(myEdges.begin(), myEdges.end());
  for (VexGeom_Edge& anEdge : myEdges)
  {
    if (anEdge.Type != VexGeom_Edge::Kind_Segment)
    {
      anEdge.Type = anEdge.Type == VexGeom_Edge::Kind_ArcCcw ? VexGeom_Edge::Kind_ArcCw
                                                             : VexGeom_Edge::Kind_ArcCcw;
    }
  }
  myStart = aNewStart;
}

void VexGeom_Contour::Transform(const gp_Mat2d& theMatrix, const gp_XY& theOffset)
{
  const Standard_Boolean isMirror = theMatrix.Determinant() < 0.0;
  myStart                         = myStart.Multiplied(theMatrix) + theOffset;
  for (VexGeom_Edge& anEdge : myEdges)
  {
    anEdge.End = anEdge.End.Multiplied(theMatrix) + theOffset;
    if (anEdge.Type != VexGeom_Edge::Kind_Segment)
    {
      anEdge.Center = anEdge.Center.Multiplied(theMatrix) + theOffset;
      if (isMirror)
      {
        anEdge.Type = anEdge.Type == VexGeom_Edge::Kind_ArcCcw ? VexGeom_Edge::Kind_ArcCw
                                                               : VexGeom_Edge::Kind_ArcCcw;
      }
    }
  }
}

void VexGeom_Contour::Translate(const gp_XY& theOffset)
{
  myStart += theOffset;
  for (VexGeom_Edge& anEdge : myEdges)
  {
    anEdge.End += theOffset;
    anEdge.Center += theOffset;
  }
}
