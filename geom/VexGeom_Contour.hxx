// Copyright (c) 2026 VexData developers
#ifndef _VexGeom_Contour_HeaderFile
#define _VexGeom_Contour_HeaderFile

#include <NCollection_Vector.hxx>
#include <gp_Mat2d.hxx>
#include <gp_XY.hxx>

#include <vector>

//! One edge of a contour: a segment or a circular arc to End. An arc whose end is its start is a
//! full circle.
struct VexGeom_Edge
{
  //! Edge kinds.
  enum Kind
  {
    Kind_Segment, //!< straight to End
    Kind_ArcCcw,  //!< counter-clockwise around Center to End
    Kind_ArcCw    //!< clockwise around Center to End
  };

  gp_XY End;    //!< end point
  gp_XY Center; //!< centre of an arc
  Kind  Type;   //!< segment or arc and its direction

  //! Creates a segment to the origin.
  VexGeom_Edge() : Type(Kind_Segment) {}

  //! Creates an edge.
  VexGeom_Edge(const gp_XY& theEnd, const gp_XY& theCenter, const Kind theType)
      : End(theEnd), Center(theCenter), Type(theType)
  {
  }
};

//! A chain of segments and arcs from a start point: the outline of a region, of an aperture
//! flashed somewhere or of a swept stroke. Closed contours end where they start. Coordinates are
//! in millimetres.
class VexGeom_Contour
{
public:
  //! Creates an empty contour at the origin.
  VexGeom_Contour() {}

  //! Creates an empty contour at theStart.
  explicit VexGeom_Contour(const gp_XY& theStart) : myStart(theStart) {}

  //! Empties the contour and moves its start to theStart, keeping the memory of its edges for
  //! the next contour built in it.
  void Reset(const gp_XY& theStart)
  {
    myStart = theStart;
    myEdges.clear();
  }

  //! Returns the start point.
  const gp_XY& Start() const { return myStart; }

  //! Returns the end point (the start for a contour without edges).
  const gp_XY& End() const { return myEdges.empty() ? myStart : myEdges.back().End; }

  //! Returns the number of edges.
  Standard_Integer NbEdges() const { return static_cast<Standard_Integer>(myEdges.size()); }

  //! Returns edge theIndex, from 0.
  const VexGeom_Edge& Edge(const Standard_Integer theIndex) const { return myEdges[theIndex]; }

  //! Returns the start point of edge theIndex, from 0.
  const gp_XY& EdgeStart(const Standard_Integer theIndex) const
  {
    return theIndex == 0 ? myStart : myEdges[theIndex - 1].End;
  }

  //! Appends a segment to theEnd.
  void AddSegment(const gp_XY& theEnd)
  {
    myEdges.emplace_back(theEnd, gp_XY(), VexGeom_Edge::Kind_Segment);
  }

  //! Appends an arc to theEnd around theCenter, counter-clockwise when isCcw.
  void AddArc(const gp_XY& theEnd, const gp_XY& theCenter, const Standard_Boolean isCcw)
  {
    myEdges.emplace_back(theEnd, theCenter,
                         isCcw ? VexGeom_Edge::Kind_ArcCcw : VexGeom_Edge::Kind_ArcCw);
  }

  //! Returns true when the contour has edges and ends where it starts.
  Standard_EXPORT Standard_Boolean IsClosed(const Standard_Real theTolerance) const;

  //! Returns the signed area enclosed by the closed contour (positive when counter-clockwise);
  //! arcs count with their circular segments.
  Standard_EXPORT Standard_Real SignedArea() const;

  //! Reverses the direction of the contour.
  Standard_EXPORT void Reverse();

  //! Maps every point p to theMatrix * p + theOffset (rotation, uniform scale, mirror); a
  //! mirroring matrix (negative determinant) also turns the direction of the arcs.
  Standard_EXPORT void Transform(const gp_Mat2d& theMatrix, const gp_XY& theOffset);

  //! Moves the contour by theOffset.
  Standard_EXPORT void Translate(const gp_XY& theOffset);

  //! Returns the sweep in radians of edge theIndex when it is an arc (signed: positive
  //! counter-clockwise; a full circle gives plus or minus two pi).
  Standard_EXPORT Standard_Real ArcSweep(const Standard_Integer theIndex) const;

private:
  gp_XY myStart; //!< start point
  //! Edges in order. A contour is built and copied once per object read or written: a plain
  //! vector allocates nothing while empty, exactly its size when copied, and keeps its memory
  //! through Reset and assignment.
  std::vector<VexGeom_Edge> myEdges;
};

#endif
