// Copyright (c) 2026 VexData developers
#ifndef _VexVerify_CopperIndex_HeaderFile
#define _VexVerify_CopperIndex_HeaderFile

#include <VexVerify_Grid.hxx>

#include <PenFormatData_Model.hxx>
#include <PhGeom_Curve.hxx>

#include <clipper.hpp>

#include <cstdint>
#include <vector>

//! The copper of a design as many small features filed in the cells of a grid: every stroke cut
//! into straight pieces no longer than a cell (a stroke of a polyline is the union of the round-
//! ended strokes of its pieces), every disc, and every area (areas larger than a tile cut into
//! one fragment per tile, each reaching a margin beyond its tile). Features are filed in the
//! design's object order with their polarity, so that clear features erase only what came before
//! them.
//!
//! A check asks which features lie near a piece of job path (exact distances between centre
//! lines for strokes and discs, boxes for areas) and then builds the copper of just those.
class VexVerify_CopperIndex
{
public:
  //! Creates an empty index over theGrid, which must outlive it.
  VexVerify_CopperIndex(const VexVerify_Grid& theGrid);

  //! Widens theMin-theMax to hold the copper of theDesign and adds the number of its elements to
  //! theNbElements, without filing anything (to size the grid).
  static void Survey(const PenFormatData_Model& theDesign, gp_XY& theMin, gp_XY& theMax,
                     size_t& theNbElements);

  //! Files the copper of theDesign, whose values must be usable; theNbElements (from Survey())
  //! sizes the list. Large areas are cut with windows reaching theMargin beyond their tiles.
  void Build(const PenFormatData_Model& theDesign, const size_t theNbElements,
             const Standard_Real theMargin);

  //! Returns the number of design features filed: strokes, discs and areas as drawn.
  Standard_Integer NbFeatures() const { return myNbFeatures; }

  //! Appends to theItems the features that may lie closer than their radius + theExtra to the
  //! straight piece theStart-theEnd (with a margin for the chord tolerance); of an area cut into
  //! fragments only the fragment of theTile, the tile of the piece's middle, which holds all of
  //! the area within the margin. Returns true when at least one of them is dark.
  Standard_Boolean Near(const gp_XY& theStart, const gp_XY& theEnd, const Standard_Real theExtra,
                        const Standard_Integer theTile, std::vector<Standard_Integer>& theItems);

  //! Returns true when the straight piece theStart-theEnd lies wholly inside one of the strokes or
  //! discs theItems (theCount of them) grown by theExtra, less the chord tolerance, and none of
  //! theItems is clear: a grown stroke is convex, so both ends inside it put the piece inside.
  //! Such a piece is in copper whole without any polygon work.
  Standard_Boolean Covers(const gp_XY& theStart, const gp_XY& theEnd, const Standard_Real theExtra,
                          const Standard_Integer* theItems, const size_t theCount) const;

  //! Replaces theCopper by the copper of features theItems (any order, repeats allowed) grown by
  //! theExtra (negative: shrunk), clear features applied in order. The result is to be read with
  //! the non-zero winding rule (without clear features it is not yet one union).
  void Copper(std::vector<Standard_Integer>& theItems, const Standard_Real theExtra,
              ClipperLib::Paths& theCopper) const;

private:
  //! One feature.
  struct Item
  {
    gp_XY            Start;  //!< stroke: start of its centre line; disc: centre; area: box min
    gp_XY            End;    //!< stroke: end; disc: centre; area: box max
    Standard_Real    Radius; //!< stroke or disc radius; 0 for an area
    Standard_Real    Hole;   //!< disc: radius of its hole, 0 none
    Standard_Integer Area;   //!< index in myAreas, -1 for strokes and discs
    Standard_Integer Tile;   //!< the tile of an area's fragment, -1 for whole features
    Standard_Boolean Clear;  //!< erases what came before
  };

  //! Files the strokes and discs of contour theContour.
  void addStrokes(const PhGeom_Curve& theContour, const Standard_Real theFactor,
                  const Standard_Real theRadius, const Standard_Real theHole);

  //! Files a stroke of theRadius from theStart to theEnd, cut into pieces of a cell at most.
  void addStroke(const gp_XY& theStart, const gp_XY& theEnd, const Standard_Real theRadius);

  //! Files the area of the contours of theCurve, cut per tile when it is larger than one.
  void addArea(const PhGeom_Curve& theCurve, const Standard_Real theFactor,
               const Standard_Real theMargin);

  //! Files theArea (normalised polygons) as one feature, the fragment of theTile (-1: whole).
  void addAreaItem(ClipperLib::Paths& theArea, const Standard_Integer theTile);

  //! Fills the cells with the features.
  void fileItems();

  //! Appends to theShapes the shapes of features theItems from theFirst to theLast grown by
  //! theExtra.
  void shapes(const std::vector<Standard_Integer>& theItems, const size_t theFirst,
              const size_t theLast, const Standard_Real theExtra,
              ClipperLib::Paths& theShapes) const;

  const VexVerify_Grid&          myGrid;       //!< cells and tiles
  std::vector<Item>              myItems;      //!< every feature
  std::vector<ClipperLib::Paths> myAreas;      //!< polygons of the area features
  std::vector<uint32_t>          myCellStart;  //!< first entry of each cell in myCellItems
  std::vector<uint32_t>          myCellItems;  //!< features by cell
  std::vector<uint32_t>          myStamps;     //!< last query that met each feature
  uint32_t                       myStamp;      //!< current query
  Standard_Boolean               isClear;      //!< polarity of the sequence being filed
  Standard_Integer               myNbFeatures; //!< features as drawn
};

#endif
