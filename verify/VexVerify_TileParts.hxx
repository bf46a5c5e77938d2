// Copyright (c) 2026 VexData developers
#ifndef _VexVerify_TileParts_HeaderFile
#define _VexVerify_TileParts_HeaderFile

#include <VexGeom_Units.hxx>

#include <vector>

//! The connected parts of an area cut to one tile (each an outline with its holes), and what the
//! bridge check asks of them: a point inside, whether a point lies inside, how near two parts
//! come, and the stretches of their edges that lie on a side of the tile, where they go on into
//! the parts of the neighbouring tile. Coordinates are integer units (see VexGeom_Units); points
//! in between are given as real numbers of those units.
class VexVerify_TileParts
{
public:
  //! One connected part.
  struct Part
  {
    ClipperLib::Paths    Polygons; //!< its outline, then its holes
    ClipperLib::IntPoint Min;      //!< lower left of its box
    ClipperLib::IntPoint Max;      //!< upper right of its box
    Standard_Integer     Node;     //!< what the caller numbers it
  };

  //! A stretch of a part's edge on a side of the tile.
  struct Stretch
  {
    ClipperLib::cInt From;   //!< lower end along the side
    ClipperLib::cInt To;     //!< upper end
    Standard_Integer Node;   //!< the part's number
    Standard_Integer Copper; //!< what the caller files with it (the nearest copper), -1 none
    double           Reach;  //!< how far that is from the stretch
    double           Along;  //!< the stretch's point nearest to it, along the side
    gp_XY            Inside; //!< a point inside it
  };

  //! Replaces theParts by the connected parts of theArea (read by non-zero winding), numbered -1.
  static void Split(const ClipperLib::Paths& theArea, std::vector<Part>& theParts);

  //! Returns in thePoint (integer units) a point well inside thePart: the middle of the widest
  //! span of a line across it. False when the part is thinner than a few units everywhere tried.
  static Standard_Boolean InsidePoint(const Part& thePart, gp_XY& thePoint);

  //! Returns true when thePoint (integer units) lies inside thePart (even-odd over its outline
  //! and holes).
  static Standard_Boolean Contains(const Part& thePart, const gp_XY& thePoint);

  //! Returns the index in theParts of the part holding thePoint (integer units), -1 none.
  static Standard_Integer Find(const std::vector<Part>& theParts, const gp_XY& thePoint);

  //! Returns the distance between the edges of theFirst and theSecond (integer units), and in
  //! theMiddle the point halfway between their nearest points.
  static double Distance(const Part& theFirst, const Part& theSecond, gp_XY& theMiddle);

  //! Returns the distance between the boxes of theFirst and theSecond (0 when they overlap).
  static double BoxDistance(const Part& theFirst, const Part& theSecond);

  //! Appends to theStretches the stretches of the edges of theParts that lie on the line x =
  //! theValue (isVertical) or y = theValue, with the parts' numbers.
  static void Stretches(const std::vector<Part>& theParts, const Standard_Boolean isVertical,
                        const ClipperLib::cInt theValue, std::vector<Stretch>& theStretches);

  //! Returns the distance from thePoint (integer units) to the edges of thePart.
  static double Distance(const Part& thePart, const gp_XY& thePoint);

  //! Returns the distance from the segment theFrom-theTo to the edges of thePart, and in
  //! theOnSegment the segment's point nearest to them.
  static double Distance(const Part& thePart, const gp_XY& theFrom, const gp_XY& theTo,
                         gp_XY& theOnSegment);

  //! Returns the distance from the segment theFrom-theTo to the box of thePart.
  static double BoxDistance(const Part& thePart, const gp_XY& theFrom, const gp_XY& theTo);

  //! Returns the distance from thePoint to the box of thePart (0 inside it).
  static double BoxDistance(const Part& thePart, const gp_XY& thePoint);

  //! Calls theMatch(first stretch, second stretch) for every stretch of theFirst that overlaps one
  //! of theSecond along a length (stretches of one list do not overlap). Sorts both lists.
  template <class TheMatch>
  static void Match(std::vector<Stretch>& theFirst, std::vector<Stretch>& theSecond,
                    const TheMatch& theMatch)
  {
    sort(theFirst);
    sort(theSecond);
    for (size_t anI = 0, aJ = 0; anI < theFirst.size() && aJ < theSecond.size();)
    {
      const Stretch &aFirst = theFirst[anI], &aSecond = theSecond[aJ];
      if (aFirst.To > aSecond.From && aSecond.To > aFirst.From)
      {
        theMatch(aFirst, aSecond);
      }
      aFirst.To < aSecond.To ? ++anI : ++aJ;
    }
  }

private:
  //! Sorts theStretches by their lower end.
  static void sort(std::vector<Stretch>& theStretches);
};

#endif
