// Copyright (c) 2026 VexData developers
#ifndef _VexRender_SvgPage_HeaderFile
#define _VexRender_SvgPage_HeaderFile

#include <VexRender_SvgBox.hxx>
#include <VexRender_SvgBuffer.hxx>

#include <cmath>
#include <cstddef>

//! The page of a picture: where the drawing sits, the margin, text size and hairline, the page
//! size, and the mapping from model millimetres (y up) to picture units (millimetres, y down).
//!
//! The drawn box is what the models cover, padded by half a percent, or the window the user
//! gave. A full page adds a margin around it and room below for the scale bar and the legend; a
//! bare page is the drawn box alone, so the picture shows exactly that box.
class VexRender_SvgPage
{
public:
  //! Creates an empty page; call Layout() before use.
  VexRender_SvgPage();

  //! Lays the page out around theDrawn (the models' extent, or the window when isWindow). A
  //! full page (isBare false) leaves room for theNbRows legend rows, the longest of
  //! theLongest characters.
  void Layout(const VexRender_SvgBox& theDrawn, const bool isWindow, const bool isBare,
              const size_t theNbRows, const size_t theLongest);

  //! Returns the drawn box, millimetres of the model.
  const VexRender_SvgBox& Drawn() const { return myDrawn; }

  //! Returns true for a bare page.
  bool IsBare() const { return isBare; }

  //! Returns the blank around the drawing (0 on a bare page).
  double Margin() const { return myMargin; }

  //! Returns the text size.
  double Font() const { return myFont; }

  //! Returns the thinnest stroke drawn.
  double Hairline() const { return myHairline; }

  //! Returns the page width, picture units.
  double Width() const { return myWidth; }

  //! Returns the page height, picture units.
  double Height() const { return myHeight; }

  //! Returns theWidth (millimetres) or, when it is thinner or not a number, a hairline.
  double DrawnWidth(const double theWidth) const
  {
    return std::isfinite(theWidth) && theWidth > myHairline ? theWidth : myHairline;
  }

  //! Returns the picture x of model x theX (millimetres).
  double X(const double theX) const { return theX - myDrawn.MinX + myMargin; }

  //! Returns the picture y of model y theY (millimetres).
  double Y(const double theY) const { return myDrawn.MaxY - theY + myMargin; }

  //! Appends the picture coordinates of thePoint (millimetres), separated by a blank.
  void Point(VexRender_SvgBuffer& theBuffer, const gp_XY& thePoint) const
  {
    theBuffer.Number(X(thePoint.X()));
    theBuffer.Add(' ');
    theBuffer.Number(Y(thePoint.Y()));
  }

  //! Appends ' x="…" y="…" width="…" height="…"' of the drawn box in picture units.
  void DrawnRectangle(VexRender_SvgBuffer& theBuffer) const;

private:
  VexRender_SvgBox myDrawn;    //!< drawn box, model millimetres
  double           myMargin;   //!< blank around the drawing
  double           myFont;     //!< text size
  double           myHairline; //!< thinnest stroke
  double           myWidth;    //!< page width
  double           myHeight;   //!< page height
  bool             isBare;     //!< drawing only
};

#endif
