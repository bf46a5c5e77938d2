// Copyright (c) 2026 VexData developers
#ifndef _VexRender_SvgAperture_HeaderFile
#define _VexRender_SvgAperture_HeaderFile

#include <PenFormatData_Aperture.hxx>

#include <gp_XY.hxx>

#include <algorithm>

//! The shape of an aperture as a picture draws it, in millimetres: what a flash of it covers and
//! what a line drawn with it sweeps. Round, rectangular, obround and polygonal apertures are
//! drawable; macros (whose definition the model does not keep) and apertures whose parameters
//! are missing or not numbers are not. A shape of size 0 is drawable but covers nothing.
class VexRender_SvgAperture
{
public:
  //! Largest number of vertices Outline() gives: two half circles of an obround.
  static const int THE_MAX_VERTICES = 2 * 17;

  //! Creates a shape that is not drawable.
  VexRender_SvgAperture();

  //! Reads theAperture (may be null) whose lengths are in model units; theFactor turns them into
  //! millimetres.
  VexRender_SvgAperture(const Handle(PenFormatData_Aperture) & theAperture, const double theFactor);

  //! Returns true when the shape can be drawn.
  bool IsDrawable() const { return myShape != 0; }

  //! Returns true for a round aperture.
  bool IsRound() const { return myShape == PenFormatData_Aperture::Shape_Round; }

  //! Returns true when a flash covers nothing (a dimension is 0).
  bool IsEmpty() const { return !(myWidth > 0.0) || !(myHeight > 0.0); }

  //! Returns the shape code (0 when not drawable).
  int Shape() const { return myShape; }

  //! Returns the width: the diameter of a round or polygonal aperture.
  double Width() const { return myWidth; }

  //! Returns the height: the diameter of a round or polygonal aperture.
  double Height() const { return myHeight; }

  //! Returns the diameter of the hole of a flash (0: none).
  double Hole() const { return myHole; }

  //! Returns the half sides of the box a flash covers around its centre.
  gp_XY HalfExtent() const { return myHalfExtent; }

  //! Returns the width of a line drawn with the aperture along an arc: the diameter of a round
  //! one, the smaller side of the others (arcs are drawn with round apertures only in design
  //! files; for the rare other case the line is an approximation).
  double LineWidth() const { return std::min(myWidth, myHeight); }

  //! Fills theVertices with the convex outline of the shape around the origin, counter-clockwise
  //! from the lowest angle, and returns their count. Round and obround ends are approximated by
  //! polygons (for the sweep of a line); flashes draw them exactly.
  int Outline(gp_XY theVertices[THE_MAX_VERTICES]) const;

private:
  //! Reads the parameters of theAperture; false when they do not make a drawable shape.
  bool read(const PenFormatData_Aperture& theAperture, const double theFactor);

  //! Reads the hole diameter from parameter theIndex when there is one.
  void readHole(const PenFormatData_Aperture& theAperture, const int theIndex,
                const double theFactor);

  //! Computes the half extent from the shape.
  void computeExtent();

  int    myShape;      //!< shape code, 0 when not drawable
  int    myNbVertices; //!< vertices of a polygon
  double myWidth;      //!< width or diameter, millimetres
  double myHeight;     //!< height or diameter, millimetres
  double myRotation;   //!< rotation of a polygon, radians
  double myHole;       //!< hole diameter, millimetres, 0 none
  gp_XY  myHalfExtent; //!< half sides of the covered box
};

#endif
