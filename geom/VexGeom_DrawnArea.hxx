// Copyright (c) 2026 VexData developers
#ifndef _VexGeom_DrawnArea_HeaderFile
#define _VexGeom_DrawnArea_HeaderFile

#include <VexGeom_Grid.hxx>

#include <PenFormatData_Model.hxx>
#include <PhGeom_Curve.hxx>

#include <clipper.hpp>

#include <cstdint>
#include <vector>

class VexGeom_Shape;
class VexGeom_Walker;

//! The area a model draws (what VexGeom_Drawing says its sequences draw: the copper of a design)
//! as many small features filed in the cells of a grid, so that the area near a place, or within
//! a window, is built from just the features there and memory stays bounded on large boards:
//! - strokes of round pens cut into straight pieces no longer than a cell (the stroke of a
//!   polyline is the union of the round-ended strokes of its pieces);
//! - discs of round pens and flashes of circles, with their holes;
//! - areas, flashes and sweeps of other shapes as polygons (those larger than a tile cut into one
//!   fragment per tile, each reaching a margin beyond its tile).
//! Features are filed in object order with their polarity, so that clear features erase only
//! what came before them.
//!
//! Set up: Survey() the model (with whatever else the grid must cover), lay the grid over that
//! box with VexGeom_Grid::Init(), then Build(). Then either ask for the area of a window grown by
//! a distance (Window()), or ask which features lie near a segment (Near(), exact distances
//! between centre lines for strokes and discs, boxes for polygons) and build the area of just
//! those (Copper()).
class VexGeom_DrawnArea
{
public:
  //! Creates an empty index over theGrid, which must outlive it.
  Standard_EXPORT VexGeom_DrawnArea(const VexGeom_Grid& theGrid);

  //! Widens theMin-theMax to hold what theModel draws and adds the number of its elements to
  //! theNbElements, without filing anything (to size the grid).
  Standard_EXPORT static void Survey(const PenFormatData_Model& theModel, gp_XY& theMin,
                                     gp_XY& theMax, size_t& theNbElements);

  //! Files what theModel draws; its values must be usable (VexGeom_Drawing::IsUsable()) and
  //! theNbElements (from Survey()) sizes the list. Polygons larger than a tile are cut with
  //! windows reaching theMargin beyond their tiles.
  Standard_EXPORT void Build(const PenFormatData_Model& theModel, const size_t theNbElements,
                             const double theMargin);

  //! Returns the number of features filed as drawn: elements of strokes and flashes, areas.
  Standard_Integer NbFeatures() const { return myNbFeatures; }

  //! Replaces theArea by the drawn area within the rectangle theMin-theMax after growing it by
  //! theDistance (negative: shrinking), as normalised polygons: the copper of this model within
  //! this window, grown by d. Clear features are applied in order before the area grows. Changes
  //! nothing in the index: windows may be asked for from several threads at once.
  Standard_EXPORT void Window(const gp_XY& theMin, const gp_XY& theMax, const double theDistance,
                              ClipperLib::Paths& theArea) const;
  //! Like Window() above, with the area as a tree of outlines and the holes in them, so that
  //! the connected pieces of the area come without further polygon work.
  Standard_EXPORT void Window(const gp_XY& theMin, const gp_XY& theMax, const double theDistance,
                              ClipperLib::PolyTree& theArea) const;

  //! Appends to theItems the features that may lie closer than their radius + theExtra to the
  //! straight piece theStart-theEnd (with a margin for the chord tolerance); of a polygon cut into
  //! fragments only the fragment of theTile, the tile of the piece's middle, which holds all of
  //! the polygon within the margin. Returns true when at least one of them is dark.
  Standard_EXPORT Standard_Boolean Near(const gp_XY& theStart, const gp_XY& theEnd,
                                        const double theExtra, const Standard_Integer theTile,
                                        std::vector<Standard_Integer>& theItems);

  //! Returns true when the straight piece theStart-theEnd lies wholly inside one of the strokes or
  //! discs theItems (theCount of them) grown by theExtra, less the chord tolerance, and none of
  //! theItems is clear: a grown stroke is convex, so both ends inside it put the piece inside.
  //! Such a piece is in the area whole without any polygon work.
  Standard_EXPORT Standard_Boolean Covers(const gp_XY& theStart, const gp_XY& theEnd,
                                          const double theExtra, const Standard_Integer* theItems,
                                          const size_t theCount) const;

  //! Replaces theCopper by the area of features theItems (any order, repeats allowed) grown by
  //! theExtra (negative: shrunk), clear features applied in order. The result is to be read with
  //! the non-zero winding rule (without clear features it is not yet one union).
  Standard_EXPORT void Copper(std::vector<Standard_Integer>& theItems, const double theExtra,
                              ClipperLib::Paths& theCopper) const;

private:
  //! One feature.
  struct Item
  {
    gp_XY            Start;  //!< stroke: start of its centre line; disc: centre; polygon: box min
    gp_XY            End;    //!< stroke: end; disc: centre; polygon: box max
    double           Radius; //!< stroke or disc radius; 0 for a polygon
    double           Hole;   //!< disc: radius of its hole, 0 none
    Standard_Integer Area;   //!< index in myAreas, -1 for strokes and discs
    Standard_Integer Tile;   //!< the tile of a polygon's fragment, -1 for whole features
    Standard_Boolean Clear;  //!< erases what came before
  };

  //! The lines drawn with one pen: the pieces of a stroke joined again.
  struct Pen
  {
    ClipperLib::Paths Lines;     //!< open lines, discs as lines of two equal points
    Standard_Integer  Last = -2; //!< the feature that ended the last line
  };

  //! Files the features of the sequence theWalker stands on.
  void addSequence(const VexGeom_Walker& theWalker, const double theMargin);

  //! Files the strokes (theRadius, from its lines) and discs (theDisc with a hole of theHole,
  //! from its points; none when theDisc is 0) of contour theContour.
  void addStrokes(const PhGeom_Curve& theContour, const double theFactor, const double theRadius,
                  const double theDisc, const double theHole);

  //! Files the flashes and sweeps of theShape (not a circle) along the elements of theContour.
  void addShapes(const PhGeom_Curve& theContour, const double theFactor,
                 const VexGeom_Shape& theShape, const double theMargin);

  //! Files a stroke of theRadius from theStart to theEnd, cut into pieces of a cell at most.
  void addStroke(const gp_XY& theStart, const gp_XY& theEnd, const double theRadius);

  //! Files the area of the contours of theCurve.
  void addArea(const PhGeom_Curve& theCurve, const double theFactor, const double theMargin);

  //! Files theArea (non-zero polygons) as one feature, cut per tile when larger than one.
  void addPolygons(ClipperLib::Paths& theArea, const double theMargin);

  //! Files theArea (normalised polygons) as one feature, the fragment of theTile (-1: whole).
  void addAreaItem(ClipperLib::Paths& theArea, const Standard_Integer theTile);

  //! Fills the cells with the features.
  void fileItems();

  //! Appends to theItems the features filed in the cells of theMin-theMax, once each; returns
  //! true when one of them is dark. theIsNear tells which of them count.
  template <class TheIsNear>
  Standard_Boolean collect(const gp_XY& theMin, const gp_XY& theMax, const TheIsNear& theIsNear,
                           std::vector<Standard_Integer>& theItems);

  //! Sets theItems to the features reaching into theMin-theMax grown by theDistance, ascending,
  //! each once.
  void windowItems(const gp_XY& theMin, const gp_XY& theMax, const double theDistance,
                   std::vector<Standard_Integer>& theItems) const;
  //! Builds the area of theItems (ascending, each once) grown by theExtra: theCopper and theLast
  //! together, read with the non-zero rule (theLast holds the shapes of a last dark run not yet
  //! united with theCopper).
  void build(const std::vector<Standard_Integer>& theItems, const double theExtra,
             ClipperLib::Paths& theCopper, ClipperLib::Paths& theLast) const;
  //! Appends to theShapes the shapes of features theItems from theFirst to theLast grown by
  //! theExtra.
  void shapes(const std::vector<Standard_Integer>& theItems, const size_t theFirst,
              const size_t theLast, const double theExtra, ClipperLib::Paths& theShapes) const;

  const VexGeom_Grid&            myGrid;       //!< cells and tiles
  std::vector<Item>              myItems;      //!< every feature
  std::vector<ClipperLib::Paths> myAreas;      //!< polygons of the polygon features
  std::vector<uint32_t>          myCellStart;  //!< first entry of each cell in myCellItems
  std::vector<uint32_t>          myCellItems;  //!< features by cell
  std::vector<uint32_t>          myStamps;     //!< last query that met each feature
  uint32_t                       myStamp;      //!< current query
  Standard_Boolean               isClear;      //!< polarity of the sequence being filed
  Standard_Integer               myNbFeatures; //!< features as drawn
};

#endif
