// Copyright (c) 2026 VexData developers
#include <VexVerify_Islands.hxx>

#include <algorithm>

namespace
{
//! Members of a leftover piece a member looks back on for the nearest of another island.
const size_t THE_LOOK_BACK = 16;
} // namespace

Standard_Integer VexVerify_Islands::AddCopper()
{
  myParts.push_back(Part{gp_XY(), THE_NONE, 0, Standard_False});
  return myCopper.Add();
}

void VexVerify_Islands::AddNet(const Standard_Integer theNode, const Standard_Integer theNet)
{
  Part& aPart     = myParts[theNode];
  aPart.IsSeveral = aPart.IsSeveral || (aPart.Net != THE_NONE && aPart.Net != theNet);
  aPart.Net       = aPart.Net == THE_NONE ? theNet : aPart.Net;
}

void VexVerify_Islands::AddPlace(const Standard_Integer theNode, const gp_XY& thePoint,
                                 const Standard_Boolean isObject)
{
  Part&                  aPart = myParts[theNode];
  const Standard_Integer aRank = isObject ? 2 : 1;
  if (aRank > aPart.Rank)
  {
    aPart.Place = thePoint;
    aPart.Rank  = aRank;
  }
}

void VexVerify_Islands::fold()
{
  // A root is the lowest node of its set, so it is folded into before any other of its nodes.
  myNbIslands = 0;
  for (Standard_Integer aNode = 0; aNode < myCopper.Size(); ++aNode)
  {
    const Standard_Integer aRoot = myCopper.Root(aNode);
    if (aRoot == aNode)
    {
      ++myNbIslands;
      continue;
    }
    const Part& aPart = myParts[aNode];
    if (aPart.Net != THE_NONE)
    {
      AddNet(aRoot, aPart.Net);
    }
    myParts[aRoot].IsSeveral = myParts[aRoot].IsSeveral || aPart.IsSeveral;
    if (aPart.Rank > 0)
    {
      AddPlace(aRoot, aPart.Place, aPart.Rank == 2);
    }
  }
}

void VexVerify_Islands::joinMembers()
{
  // Members of one piece in the order of the tiles, so that those filed just before a member
  // are mostly its neighbours.
  std::vector<Member> aMembers(myMembers);
  for (Member& aMember : aMembers)
  {
    aMember.Left = myLeft.Root(aMember.Left);
  }
  std::stable_sort(aMembers.begin(), aMembers.end(),
                   [](const Member& theLeft, const Member& theRight)
                   { return theLeft.Left < theRight.Left; });
  for (size_t anIndex = 1; anIndex < aMembers.size(); ++anIndex)
  {
    const Member&          aMember  = aMembers[anIndex];
    const Standard_Integer anIsland = myCopper.Root(aMember.Copper);
    const Member*          aNearest = NULL;
    for (size_t aBefore = anIndex; aBefore > 0 && anIndex - aBefore < THE_LOOK_BACK &&
                                   aMembers[aBefore - 1].Left == aMember.Left;
         --aBefore)
    {
      const Member& anOther = aMembers[aBefore - 1];
      if (myCopper.Root(anOther.Copper) != anIsland &&
          (aNearest == NULL ||
           (anOther.At - aMember.At).SquareModulus() < (aNearest->At - aMember.At).SquareModulus()))
      {
        aNearest = &anOther;
      }
    }
    if (aNearest != NULL)
    {
      myJoins.push_back(Join{aNearest->Copper, aMember.Copper, 0.5 * (aNearest->At + aMember.At),
                             (aNearest->At - aMember.At).Modulus(), 1, Standard_False, aNearest->At,
                             aMember.At});
    }
  }
}

void VexVerify_Islands::Finish(std::vector<Bridge>& theBridges)
{
  fold();
  joinMembers();
  // Joins of one net first (they are harmless: the fewer others needed), then joins found in one
  // tile, nearest first.
  auto aKey = [this](const Join& theJoin)
  {
    const Standard_Boolean isOneNet =
        IsOneNet(myCopper.Root(theJoin.First), myCopper.Root(theJoin.Second));
    return std::make_tuple(isOneNet ? 0 : 1, theJoin.Rank, theJoin.Distance);
  };
  std::stable_sort(myJoins.begin(), myJoins.end(),
                   [&](const Join& theLeft, const Join& theRight)
                   { return aKey(theLeft) < aKey(theRight); });
  VexVerify_UnionFind aJoined(myCopper);
  for (const Join& aJoin : myJoins)
  {
    if (aJoined.Join(aJoin.First, aJoin.Second))
    {
      theBridges.push_back(Bridge{myCopper.Root(aJoin.First), myCopper.Root(aJoin.Second), aJoin.At,
                                  aJoin.IsExact, aJoin.From, aJoin.To});
    }
  }
}

Standard_Boolean VexVerify_Islands::IsOneNet(const Standard_Integer theFirst,
                                             const Standard_Integer theSecond) const
{
  const Part &aFirst = myParts[theFirst], &aSecond = myParts[theSecond];
  return aFirst.Net != THE_NONE && aFirst.Net == aSecond.Net && !aFirst.IsSeveral &&
         !aSecond.IsSeveral;
}
