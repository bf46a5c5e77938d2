// Copyright (c) 2026 VexData developers
#include <VexJob_Contour.hxx>

#include <algorithm>
#include <cmath>

VexJob_Element VexJob_Element::Segment(const gp_XY& theStart, const gp_XY& theEnd)
{
  VexJob_Element anElement;
  anElement.Start = theStart;
  anElement.End   = theEnd;
  return anElement;
}

VexJob_Element VexJob_Element::Arc(const gp_XY& theCenter, const Standard_Real theRadius,
                                   const Standard_Real theAngle0, const Standard_Real theAngle1)
{
  VexJob_Element anElement;
  anElement.IsArc  = true;
  anElement.Center = theCenter;
  anElement.Radius = theRadius;
  anElement.Angle0 = theAngle0;
  anElement.Angle1 = theAngle1;
  anElement.IsCcw  = theAngle1 >= theAngle0;
  anElement.Start  = theCenter + theRadius * gp_XY(std::cos(theAngle0), std::sin(theAngle0));
  anElement.End    = theCenter + theRadius * gp_XY(std::cos(theAngle1), std::sin(theAngle1));
  return anElement;
}

Standard_Real VexJob_Element::Length() const
{
  return IsArc ? Radius * std::abs(Angle1 - Angle0) : (End - Start).Modulus();
}

gp_XY VexJob_Element::PointAt(const Standard_Real theLength) const
{
  const Standard_Real aLength = Length();
  const Standard_Real aT      = aLength > 0.0 ? std::clamp(theLength / aLength, 0.0, 1.0) : 0.0;
  if (!IsArc)
  {
    return Start + aT * (End - Start);
  }
  const Standard_Real anAngle = Angle0 + aT * (Angle1 - Angle0);
  return Center + Radius * gp_XY(std::cos(anAngle), std::sin(anAngle));
}

VexJob_Element VexJob_Element::Part(const Standard_Real theFrom, const Standard_Real theTo) const
{
  if (!IsArc)
  {
    return Segment(PointAt(theFrom), PointAt(theTo));
  }
  const Standard_Real aLength = Length();
  const Standard_Real aSweep  = Angle1 - Angle0;
  return Arc(Center, Radius, Angle0 + aSweep * theFrom / aLength,
             Angle0 + aSweep * theTo / aLength);
}

VexJob_Element VexJob_Element::Reversed() const
{
  VexJob_Element anElement = *this;
  std::swap(anElement.Start, anElement.End);
  std::swap(anElement.Angle0, anElement.Angle1);
  anElement.IsCcw = !IsCcw;
  return anElement;
}

Standard_Real VexJob_Contour::Length() const
{
  Standard_Real aLength = 0.0;
  for (const VexJob_Element& anElement : myElements)
  {
    aLength += anElement.Length();
  }
  return aLength;
}

size_t VexJob_Contour::NbArcs() const
{
  return static_cast<size_t>(std::count_if(myElements.begin(), myElements.end(),
                                           [](const VexJob_Element& theElement)
                                           { return theElement.IsArc; }));
}

void VexJob_Contour::Reverse()
{
  std::reverse(myElements.begin(), myElements.end());
  for (VexJob_Element& anElement : myElements)
  {
    anElement = anElement.Reversed();
  }
}

void VexJob_Contour::Rotate(const size_t theIndex)
{
  if (theIndex < myElements.size())
  {
    std::rotate(myElements.begin(), myElements.begin() + static_cast<long>(theIndex),
                myElements.end());
  }
}

VexJob_Contour VexJob_Contour::Circle(const gp_XY& theCenter, const Standard_Real theRadius,
                                      const bool isClockwise)
{
  VexJob_Contour aContour;
  aContour.Append(
      VexJob_Element::Arc(theCenter, theRadius, 0.0, isClockwise ? -2.0 * M_PI : 2.0 * M_PI));
  aContour.SetClosed(true);
  return aContour;
}
