// Copyright (c) 2026 VexData developers
#ifndef _VexVerify_BridgeCheck_HeaderFile
#define _VexVerify_BridgeCheck_HeaderFile

#include <VexVerify_Islands.hxx>
#include <VexVerify_JobPaths.hxx>
#include <VexVerify_TileParts.hxx>

#include <VexGeom_Grid.hxx>
#include <VexGeom_Parallel.hxx>
#include <VexPcb_Nets.hxx>

#include <Message_Msg.hxx>

class VexGeom_DrawnArea;
class VexVerify_MilledArea;

//! Finds the islands of a design's copper (its connected areas, each an outline with its holes)
//! that are still joined through copper once the job's path toolpaths have milled the board:
//! bridges. The board is the area of an outline when one is given, else the copper's box grown
//! by 1 mm; all of it is copper before milling. What is left of it is the board less the
//! strokes of the paths at their tool widths; a leftover piece that holds copper of two or more
//! islands joins them. Each bridge names both islands (a point of each, their nets where the
//! design names them) and where they touch; bridges between islands of one net are harmless and
//! kept apart.
//!
//! The work is cut into tiles of the grid the design is filed in (see VexGeom_DrawnArea): per
//! tile the copper, the strokes reaching into it and the board's part are combined, and the
//! parts that go on into the next tile are joined by where their edges meet on the common side
//! (see VexVerify_Islands). Memory holds the filed design and job and a node per part, never the
//! geometry of more than one tile.
class VexVerify_BridgeCheck
{
public:
  //! Creates a check whose board is the copper's box grown by 1 mm, without nets.
  VexVerify_BridgeCheck() : myNets(NULL), myNbWorkers(VexGeom_Parallel::NbWorkers()) {}

  //! Takes theArea (normalised polygons, integer units) as the board, theOutline naming it.
  void SetBoard(const ClipperLib::Paths& theArea, const TCollection_AsciiString& theOutline)
  {
    myBoard   = theArea;
    myOutline = theOutline;
  }

  //! Sets the number of threads the tiles are cut on (default: one per processor core).
  void SetNbWorkers(const size_t theNbWorkers) { myNbWorkers = theNbWorkers; }
  //! Takes the nets of the design's objects from theNets, which must outlive the check.
  void SetNets(const VexPcb_Nets& theNets) { myNets = &theNets; }

  //! Finds the bridges thePaths leave in the copper of theDesign (values usable) and adds them
  //! to theCheck: faults to its findings, joins of one net to its joins. Returns false with
  //! Fault() set when the polygon work fails.
  Standard_Boolean Perform(const PenFormatData_Model& theDesign, const VexVerify_JobPaths& thePaths,
                           VexVerify_Report::Check& theCheck);

  //! Returns the reason of the last failure.
  const Message_Msg& Fault() const { return myFault; }

private:
  //! A point of a design object: names the island it lies in, with the object's net.
  struct Feature
  {
    gp_XY            At;   //!< millimetres
    Standard_Integer Net;  //!< from 1, VexVerify_Islands::THE_NONE
    Standard_Integer Tile; //!< tile holding it
  };

  //! What one tile made, kept for the tiles after it.
  struct Sides
  {
    std::vector<VexVerify_TileParts::Stretch> Copper; //!< copper parts on the side
    std::vector<VexVerify_TileParts::Stretch> Left;   //!< leftover parts on the side
  };

  //! The parts of one tile.
  struct TileCut
  {
    ClipperLib::IntPoint                   Low, High; //!< the tile, integer units
    std::vector<VexVerify_TileParts::Part> Copper;    //!< copper over the board
    std::vector<VexVerify_TileParts::Part> Left;      //!< board left by the milling
    std::vector<VexVerify_TileParts::Part> Kept;      //!< copper left by the milling
    Standard_Boolean                       HasBoard = Standard_False; //!< board in the tile
  };
  //! Does the work of Perform() and returns true; the polygon library may throw.
  Standard_Boolean perform(const PenFormatData_Model& theDesign, const VexVerify_JobPaths& thePaths,
                           VexVerify_Report::Check& theCheck);

  //! Files a point of every object theDesign draws dark, with its net, by tile.
  void addFeatures(const PenFormatData_Model& theDesign);

  //! Returns the part of the board in the tile theMin-theMax (integer units).
  void boardPart(const ClipperLib::IntPoint& theMin, const ClipperLib::IntPoint& theMax,
                 ClipperLib::Paths& thePart) const;

  //! Cuts tile theColumn, theRow into theCut: its copper, leftover and kept copper parts. Only
  //! reads the check, so that tiles may be cut on several threads at once.
  void cutTile(const Standard_Integer theColumn, const Standard_Integer theRow,
               const VexGeom_DrawnArea& theIndex, const VexVerify_MilledArea& theMilled,
               TileCut& theCut) const;
  //! Numbers the parts of theCut, tile theColumn, theRow, and files them in myIslands.
  void fileTile(const Standard_Integer theColumn, const Standard_Integer theRow, TileCut& theCut);

  //! Files the kept copper of theKept in myIslands: what copper and leftover part each is in,
  //! and the joins of copper parts that share a leftover part.
  void fileKept(std::vector<VexVerify_TileParts::Part>&       theKept,
                const std::vector<VexVerify_TileParts::Part>& theCopper,
                const std::vector<VexVerify_TileParts::Part>& theLeft,
                std::vector<std::vector<size_t>>&             theKeptByLeft);

  //! Joins the copper part of thePart to the nearest of theCandidates (box distance, index in
  //! theKept), found by the nearest points of the few nearest by box.
  void joinNearest(const VexVerify_TileParts::Part&              thePart,
                   const std::vector<VexVerify_TileParts::Part>& theKept,
                   std::vector<std::pair<double, size_t>>&       theCandidates);

  //! Files the design objects of theTile that lie in theCopper parts.
  void fileFeatures(const Standard_Integer                        theTile,
                    const std::vector<VexVerify_TileParts::Part>& theCopper);

  //! Joins the parts of the tile theMin-theMax with those of the tiles left of it and below it,
  //! and keeps its right and top sides for the tiles after it. theKeptByLeft lists the parts of
  //! theKept in each part of theLeft.
  void joinSides(const Standard_Integer theColumn, const ClipperLib::IntPoint& theMin,
                 const ClipperLib::IntPoint&                   theMax,
                 const std::vector<VexVerify_TileParts::Part>& theCopper,
                 const std::vector<VexVerify_TileParts::Part>& theLeft,
                 const std::vector<VexVerify_TileParts::Part>& theKept,
                 const std::vector<std::vector<size_t>>&       theKeptByLeft);

  //! Returns the stretches of the parts on the side x = theValue (isVertical) or y = theValue,
  //! those of leftover copper with the nearest kept copper of their part.
  Sides sideOf(const Standard_Boolean isVertical, const ClipperLib::cInt theValue,
               const std::vector<VexVerify_TileParts::Part>& theCopper,
               const std::vector<VexVerify_TileParts::Part>& theLeft,
               const std::vector<VexVerify_TileParts::Part>& theKept,
               const std::vector<std::vector<size_t>>&       theKeptByLeft) const;

  //! Joins the parts of theSide with those of theOther, the same side seen from the tile beyond
  //! it; kept copper on both sides of leftover copper that crosses it makes a possible bridge.
  void matchSides(const Standard_Boolean isVertical, const ClipperLib::cInt theValue,
                  Sides& theSide, Sides& theOther);

  //! Adds the bridges to theCheck, the places of those found through several tiles looked for
  //! again in theIndex and theMilled.
  void report(VexVerify_Report::Check& theCheck, VexGeom_DrawnArea& theIndex,
              const VexVerify_MilledArea& theMilled);

  //! Returns where theBridge joins its islands: where it was found in one tile; else, when its
  //! two points lie in one leftover piece within a window around them, halfway between the
  //! nearest points of their kept copper there; else halfway between the two points.
  gp_XY placeOf(const VexVerify_Islands::Bridge& theBridge, VexGeom_DrawnArea& theIndex,
                const VexVerify_MilledArea& theMilled) const;

  //! Returns island theIsland as a bridge names it.
  VexVerify_Report::Island island(const Standard_Integer theIsland) const;

  ClipperLib::Paths       myBoard;     //!< the outline's area, empty: the copper's box
  TCollection_AsciiString myOutline;   //!< the outline's file
  const VexPcb_Nets*      myNets;      //!< nets of the design's objects, NULL none
  size_t                  myNbWorkers; //!< threads the tiles are cut on
  VexGeom_Grid            myGrid;      //!< cells and tiles
  ClipperLib::IntPoint    myBoxMin;    //!< lower left of the board's box
  ClipperLib::IntPoint    myBoxMax;    //!< upper right of the board's box
  std::vector<Feature>    myFeatures;  //!< design objects' points, by tile
  VexVerify_Islands       myIslands;   //!< parts of every tile
  Sides                   myRight;     //!< right side of the last tile
  std::vector<Sides>      myTops;      //!< top sides of the last row's tiles, by column
  Message_Msg             myFault;     //!< reason of the last failure
};

#endif
