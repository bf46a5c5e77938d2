// Copyright (c) 2026 VexData developers
#ifndef _VexJob_Contour_HeaderFile
#define _VexJob_Contour_HeaderFile

#include <gp_XY.hxx>

#include <vector>

//! One element of a tool's path, in millimetres: a straight segment, or a circular arc around
//! Center from angle Angle0 to Angle1 (radians; counter-clockwise when IsCcw, then
//! Angle1 >= Angle0, else Angle1 <= Angle0), the model's arc convention.
struct VexJob_Element
{
  gp_XY         Start;          //!< start point
  gp_XY         End;            //!< end point
  gp_XY         Center;         //!< arc centre
  Standard_Real Radius = 0.0;   //!< arc radius; 0 for a segment
  Standard_Real Angle0 = 0.0;   //!< arc start angle
  Standard_Real Angle1 = 0.0;   //!< arc end angle
  bool          IsArc  = false; //!< an arc, else a segment
  bool          IsCcw  = true;  //!< arc sense

  //! Returns a segment from theStart to theEnd.
  static VexJob_Element Segment(const gp_XY& theStart, const gp_XY& theEnd);

  //! Returns an arc around theCenter of theRadius from theAngle0 to theAngle1 (sense by sign).
  static VexJob_Element Arc(const gp_XY& theCenter, const Standard_Real theRadius,
                            const Standard_Real theAngle0, const Standard_Real theAngle1);

  //! Returns the length.
  Standard_Real Length() const;

  //! Returns the point at theLength from the start (clamped to the element).
  gp_XY PointAt(const Standard_Real theLength) const;

  //! Returns the part from theFrom to theTo (lengths from the start, theFrom < theTo).
  VexJob_Element Part(const Standard_Real theFrom, const Standard_Real theTo) const;

  //! Returns the element run the other way.
  VexJob_Element Reversed() const;
};

//! A contour of a tool's path: elements end to end; closed when the last ends where the first
//! starts. A contour of one point element (a drill hit) has no elements and only Start.
class VexJob_Contour
{
public:
  //! Creates an empty open contour.
  VexJob_Contour() : isClosed(false) {}

  //! Returns the elements.
  const std::vector<VexJob_Element>& Elements() const { return myElements; }

  //! Returns the elements for change.
  std::vector<VexJob_Element>& ChangeElements() { return myElements; }

  //! Appends theElement.
  void Append(const VexJob_Element& theElement) { myElements.push_back(theElement); }

  //! Returns true for a closed contour.
  bool IsClosed() const { return isClosed; }

  //! Sets whether the contour is closed.
  void SetClosed(const bool theIsClosed) { isClosed = theIsClosed; }

  //! Returns the start point (origin when empty).
  gp_XY Start() const { return myElements.empty() ? gp_XY() : myElements.front().Start; }

  //! Returns the end point (origin when empty).
  gp_XY End() const { return myElements.empty() ? gp_XY() : myElements.back().End; }

  //! Returns the length of the elements.
  Standard_Real Length() const;

  //! Returns the number of arcs.
  size_t NbArcs() const;

  //! Runs the contour the other way.
  void Reverse();

  //! Makes a closed contour start at the element theIndex.
  void Rotate(const size_t theIndex);

  //! Returns the closed contour theCenter, theRadius as one full-circle arc (counter-clockwise
  //! unless isClockwise), starting at angle 0.
  static VexJob_Contour Circle(const gp_XY& theCenter, const Standard_Real theRadius,
                               const bool isClockwise);

private:
  std::vector<VexJob_Element> myElements; //!< elements end to end
  bool                        isClosed;   //!< last ends at first
};

#endif
