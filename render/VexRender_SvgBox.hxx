// Copyright (c) 2026 VexData developers
#ifndef _VexRender_SvgBox_HeaderFile
#define _VexRender_SvgBox_HeaderFile

#include <gp_XY.hxx>

#include <algorithm>
#include <limits>

//! An axis-aligned box in millimetres: what a picture draws, or the window it shows. Empty until
//! something is added.
struct VexRender_SvgBox
{
  double MinX = std::numeric_limits<double>::infinity();  //!< left
  double MinY = std::numeric_limits<double>::infinity();  //!< bottom
  double MaxX = -std::numeric_limits<double>::infinity(); //!< right
  double MaxY = -std::numeric_limits<double>::infinity(); //!< top

  //! Returns true while nothing was added.
  bool IsVoid() const { return MinX > MaxX; }

  //! Returns the width (meaningless while void).
  double Width() const { return MaxX - MinX; }

  //! Returns the height (meaningless while void).
  double Height() const { return MaxY - MinY; }

  //! Adds the square of half side thePad around thePoint.
  void Add(const gp_XY& thePoint, const double thePad) { Add(thePoint, thePad, thePad); }

  //! Adds the rectangle of half sides thePadX and thePadY around thePoint.
  void Add(const gp_XY& thePoint, const double thePadX, const double thePadY)
  {
    MinX = std::min(MinX, thePoint.X() - thePadX);
    MinY = std::min(MinY, thePoint.Y() - thePadY);
    MaxX = std::max(MaxX, thePoint.X() + thePadX);
    MaxY = std::max(MaxY, thePoint.Y() + thePadY);
  }

  //! Adds theBox (nothing when it is void).
  void Add(const VexRender_SvgBox& theBox)
  {
    if (!theBox.IsVoid())
    {
      Add(gp_XY(theBox.MinX, theBox.MinY), 0.0);
      Add(gp_XY(theBox.MaxX, theBox.MaxY), 0.0);
    }
  }
};

#endif
