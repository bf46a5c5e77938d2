// Copyright (c) 2026 VexData developers
#ifndef _VexVerify_Islands_HeaderFile
#define _VexVerify_Islands_HeaderFile

#include <VexVerify_UnionFind.hxx>

#include <gp_XY.hxx>

#include <tuple>
#include <vector>

//! The islands of a design's copper and the pieces of copper the milling leaves on the board,
//! gathered tile by tile: every part of the copper and every part of what is left in a tile is a
//! node; parts that go on into the next tile are joined (union-find), so that an island is the
//! set of its copper parts and a leftover piece the set of its parts. A leftover piece that holds
//! kept copper of two or more islands joins them: a bridge. Islands carry the nets of the design
//! objects drawn in them and a point that names them. Points are in millimetres.
class VexVerify_Islands
{
public:
  //! Net of an island with no named object.
  static const Standard_Integer THE_NONE = 0;

  //! Two islands the milling leaves joined.
  struct Bridge
  {
    Standard_Integer First;   //!< one island
    Standard_Integer Second;  //!< the other island
    gp_XY            At;      //!< where they are joined
    Standard_Boolean IsExact; //!< At is where they come nearest within one tile
    gp_XY            From;    //!< not exact: a point of kept copper of the first island
    gp_XY            To;      //!< not exact: one of the second island, in the same leftover piece
  };

  //! Adds a part of the copper; returns its node.
  Standard_Integer AddCopper();

  //! Adds a part of the leftover copper; returns its node.
  Standard_Integer AddLeft() { return myLeft.Add(); }

  //! Joins two copper parts of one island.
  void JoinCopper(const Standard_Integer theFirst, const Standard_Integer theSecond)
  {
    myCopper.Join(theFirst, theSecond);
  }

  //! Joins two parts of one leftover piece.
  void JoinLeft(const Standard_Integer theFirst, const Standard_Integer theSecond)
  {
    myLeft.Join(theFirst, theSecond);
  }

  //! Files theNet (from 1) as drawn in copper part theNode.
  void AddNet(const Standard_Integer theNode, const Standard_Integer theNet);

  //! Offers thePoint to name the island of copper part theNode: a point of a design object
  //! (isObject) is preferred to any other point inside, the first of each kind kept.
  void AddPlace(const Standard_Integer theNode, const gp_XY& thePoint,
                const Standard_Boolean isObject);

  //! Files that copper part theCopper keeps copper in leftover part theLeft, at thePoint.
  void AddMember(const Standard_Integer theCopper, const Standard_Integer theLeft,
                 const gp_XY& thePoint)
  {
    myMembers.push_back(Member{theCopper, theLeft, thePoint});
  }

  //! Files that one leftover part holds copper parts theFirst and theSecond, which come within
  //! theDistance of each other about thePoint.
  void AddJoin(const Standard_Integer theFirst, const Standard_Integer theSecond,
               const gp_XY& thePoint, const double theDistance)
  {
    myJoins.push_back(
        Join{theFirst, theSecond, thePoint, theDistance, 0, Standard_True, thePoint, thePoint});
  }

  //! Files that copper parts theFirst and theSecond, in neighbouring tiles, keep copper (about
  //! theFrom and theTo) in leftover parts that go on into each other across the tiles' common
  //! side about thePoint, theDistance from both together.
  void AddCrossing(const Standard_Integer theFirst, const Standard_Integer theSecond,
                   const gp_XY& thePoint, const double theDistance, const gp_XY& theFrom,
                   const gp_XY& theTo)
  {
    myJoins.push_back(
        Join{theFirst, theSecond, thePoint, theDistance, 0, Standard_False, theFrom, theTo});
  }

  //! Works out the islands and appends to theBridges the fewest joins that connect the islands
  //! each leftover piece holds: first those of islands of one net, then those found in one tile
  //! or across a side, nearest first, then the others. Call once, after every tile.
  void Finish(std::vector<Bridge>& theBridges);

  //! Returns the number of islands (after Finish()).
  Standard_Integer NbIslands() const { return myNbIslands; }

  //! Returns the point that names island theIsland.
  const gp_XY& Place(const Standard_Integer theIsland) const { return myParts[theIsland].Place; }

  //! Returns the net of island theIsland: the first met (from 1), or THE_NONE.
  Standard_Integer Net(const Standard_Integer theIsland) const { return myParts[theIsland].Net; }

  //! Returns true when island theIsland holds objects of several nets (a short in the design).
  Standard_Boolean IsSeveral(const Standard_Integer theIsland) const
  {
    return myParts[theIsland].IsSeveral;
  }

  //! Returns true when islands theFirst and theSecond are of one and the same net.
  Standard_Boolean IsOneNet(const Standard_Integer theFirst,
                            const Standard_Integer theSecond) const;

private:
  //! What is known of a copper part (of an island, once folded into its root).
  struct Part
  {
    gp_XY            Place;     //!< point that names it
    Standard_Integer Net;       //!< first net, or THE_NONE
    Standard_Integer Rank;      //!< 0 no place, 1 a point inside, 2 a design object's point
    Standard_Boolean IsSeveral; //!< objects of several nets
  };

  //! Kept copper of a copper part in a leftover part.
  struct Member
  {
    Standard_Integer Copper; //!< copper part
    Standard_Integer Left;   //!< leftover part
    gp_XY            At;     //!< a point of the kept copper
  };

  //! A possible bridge between the islands of two copper parts.
  struct Join
  {
    Standard_Integer First;    //!< one copper part
    Standard_Integer Second;   //!< the other
    gp_XY            At;       //!< where they are joined
    double           Distance; //!< how far apart they are
    Standard_Integer Rank;     //!< 0 found in one tile or across a side, 1 through several
    Standard_Boolean IsExact;  //!< At is where they come nearest
    gp_XY            From;     //!< not near: the first part's point
    gp_XY            To;       //!< not near: the second part's point
  };

  //! Folds the nets and places of the parts into their islands' roots.
  void fold();

  //! Adds the joins of the members of every leftover piece that spans several tiles: each
  //! member to the nearest of the few members of other islands filed before it in the piece.
  void joinMembers();

  VexVerify_UnionFind myCopper;        //!< copper parts by island
  VexVerify_UnionFind myLeft;          //!< leftover parts by piece
  std::vector<Part>   myParts;         //!< every copper part
  std::vector<Member> myMembers;       //!< kept copper by leftover part
  std::vector<Join>   myJoins;         //!< possible bridges
  Standard_Integer    myNbIslands = 0; //!< islands
};

#endif
