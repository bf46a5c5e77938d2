// Copyright (c) 2026 VexData developers
#ifndef _VexVerify_UnionFind_HeaderFile
#define _VexVerify_UnionFind_HeaderFile

#include <Standard_TypeDef.hxx>

#include <algorithm>
#include <vector>

//! Sets of numbered nodes that are joined one pair at a time (union-find with path halving): the
//! parts of one island or one piece of copper cut into tiles, the islands a bridge joins.
class VexVerify_UnionFind
{
public:
  //! Adds a node in a set of its own; returns its number.
  Standard_Integer Add()
  {
    myParents.push_back(static_cast<Standard_Integer>(myParents.size()));
    return myParents.back();
  }

  //! Returns the number of nodes.
  Standard_Integer Size() const { return static_cast<Standard_Integer>(myParents.size()); }

  //! Returns the node that stands for the set of theNode.
  Standard_Integer Root(Standard_Integer theNode)
  {
    while (myParents[theNode] != theNode)
    {
      myParents[theNode] = myParents[myParents[theNode]];
      theNode            = myParents[theNode];
    }
    return theNode;
  }

  //! Joins the sets of theFirst and theSecond; returns false when they were one set already. The
  //! lower root stands for the joined set.
  Standard_Boolean Join(const Standard_Integer theFirst, const Standard_Integer theSecond)
  {
    const Standard_Integer aFirst = Root(theFirst), aSecond = Root(theSecond);
    if (aFirst == aSecond)
    {
      return Standard_False;
    }
    myParents[std::max(aFirst, aSecond)] = std::min(aFirst, aSecond);
    return Standard_True;
  }

private:
  std::vector<Standard_Integer> myParents; //!< parent of every node
};

#endif
