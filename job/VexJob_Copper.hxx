// Copyright (c) 2026 VexData developers
#ifndef _VexJob_Copper_HeaderFile
#define _VexJob_Copper_HeaderFile

#include <PenFormatData_Model.hxx>

#include <clipper.hpp>

#include <cstdint>
#include <vector>

//! The copper a design layer draws, as the design check reads a design (VexVerify_Features):
//! areas fill their contours, strokes and flashes are drawn with a round pen of their aperture's
//! width (a flash's hole left open), and sequences of clear polarity erase what came before them.
//! The design is kept as features (a contour each, with its box), so that the copper of a window
//! is built from the features that reach into it alone: a large board is worked on tile by tile.
//! This is the one place the job asks for copper, so that a geometry library that draws every
//! aperture shape can take its place.
class VexJob_Copper
{
public:
  //! Reads the features of theDesign (values usable).
  VexJob_Copper(const PenFormatData_Model& theDesign);

  //! Turns the features over about the vertical line at theX.
  void Mirror(const Standard_Real theX);

  //! Returns the number of features.
  size_t NbFeatures() const { return myFeatures.size(); }

  //! Returns the box of every feature (millimetres); false when there is none.
  bool Bounds(gp_XY& theMin, gp_XY& theMax) const;

  //! Replaces theCopper by the copper within the window theMin-theMax (millimetres; copper
  //! beyond it may be left out or cut at the window's edge), in integer units of
  //! VexVerify_Geometry: normalised polygons, outlines counter-clockwise, holes clockwise.
  void Build(const gp_XY& theMin, const gp_XY& theMax, ClipperLib::Paths& theCopper) const;

  //! Replaces theCopper by all the copper of theDesign (values usable).
  static void Build(const PenFormatData_Model& theDesign, ClipperLib::Paths& theCopper);

private:
  //! What a feature draws.
  enum Kind
  {
    Kind_Area, //!< the area its contour encloses
    Kind_Line, //!< a stroke along its contour
    Kind_Dot   //!< a flash: a disc, with a hole when Hole > 0
  };

  //! One contour of the design.
  struct Feature
  {
    uint32_t First;                  //!< first point in myPoints
    uint32_t Count;                  //!< number of points
    float    MinX, MinY, MaxX, MaxY; //!< box, pen included
    double   Radius;                 //!< pen radius
    double   Hole;                   //!< hole radius of a flash
    uint8_t  Type;                   //!< Kind
    bool     Clear;                  //!< erases what came before it
  };

  //! Appends theFeatures' shapes from theFirst to theLast to theShapes, areas cut to the window.
  void shapes(const std::vector<uint32_t>& theFeatures, const size_t theFirst, const size_t theLast,
              const ClipperLib::Path& theWindow, ClipperLib::Paths& theShapes) const;

  //! Appends to theAreas the area of theFeature, cut to theWindow when it reaches beyond it.
  void cutToWindow(const Feature& theFeature, const ClipperLib::Path& theWindow,
                   ClipperLib::Paths& theAreas) const;

  std::vector<gp_XY>   myPoints;   //!< points of every feature, millimetres
  std::vector<Feature> myFeatures; //!< in the design's order
};

#endif
