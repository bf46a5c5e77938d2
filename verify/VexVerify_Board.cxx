// Copyright (c) 2026 VexData developers
#include <VexVerify_Board.hxx>

#include <VexVerify_PointGrid.hxx>

#include <VexGeom_Flattener.hxx>
#include <VexGeom_Polygons.hxx>
#include <VexGeom_Walker.hxx>

#include <algorithm>

namespace
{
//! Returns theLine in integer units.
ClipperLib::Path toPath(const std::vector<gp_XY>& theLine)
{
  ClipperLib::Path aPath;
  aPath.reserve(theLine.size());
  for (const gp_XY& aPoint : theLine)
  {
    aPath.push_back(VexGeom_Units::ToPoint(aPoint));
  }
  return aPath;
}
//! Joins lines end to end: finds, for the last point of a chain, the nearest line not yet taken
//! whose start or end meets it.
class Chainer
{
public:
  //! Files the two ends of every line of theLines: 2 i for its start, 2 i + 1 for its end.
  Chainer(const std::vector<std::vector<gp_XY>>& theLines, const Standard_Real theJoin)
      : myLines(theLines), myEnds(theJoin), myTaken(theLines.size(), false), myJoin(theJoin)
  {
    for (size_t anIndex = 0; anIndex < myLines.size(); ++anIndex)
    {
      myEnds.Add(myLines[anIndex].front(), static_cast<Standard_Integer>(2 * anIndex));
      myEnds.Add(myLines[anIndex].back(), static_cast<Standard_Integer>(2 * anIndex + 1));
    }
    myEnds.Sort();
  }

  //! Takes line theIndex; false when it was taken already.
  bool Take(const size_t theIndex)
  {
    const bool isFree = !myTaken[theIndex];
    myTaken[theIndex] = true;
    return isFree;
  }

  //! Appends lines to theChain until it closes or no line meets its last point.
  void Grow(std::vector<gp_XY>& theChain)
  {
    while ((theChain.size() < 3 || (theChain.front() - theChain.back()).Modulus() > myJoin) &&
           extend(theChain))
    {
    }
  }

private:
  //! Appends to theChain the nearest free line whose end meets its last point; false if none.
  bool extend(std::vector<gp_XY>& theChain)
  {
    Standard_Integer aBest         = -1;
    Standard_Real    aBestDistance = myJoin;
    myEnds.Visit(
        theChain.back(), myJoin,
        [&](const Standard_Integer theEnd)
        {
          const std::vector<gp_XY>& aLine = myLines[theEnd / 2];
          const Standard_Real       aDistance =
              ((theEnd % 2 == 0 ? aLine.front() : aLine.back()) - theChain.back()).Modulus();
          if (!myTaken[theEnd / 2] && aDistance <= aBestDistance)
          {
            aBest         = theEnd;
            aBestDistance = aDistance;
          }
        });
    if (aBest < 0 || !Take(static_cast<size_t>(aBest / 2)))
    {
      return false;
    }
    const std::vector<gp_XY>& aLine = myLines[aBest / 2];
    if (aBest % 2 == 0)
    {
      theChain.insert(theChain.end(), aLine.begin() + 1, aLine.end());
    }
    else
    {
      theChain.insert(theChain.end(), aLine.rbegin() + 1, aLine.rend());
    }
    return true;
  }

  const std::vector<std::vector<gp_XY>>& myLines; //!< the lines
  VexVerify_PointGrid                    myEnds;  //!< their ends
  std::vector<bool>                      myTaken; //!< lines already in a chain
  Standard_Real                          myJoin;  //!< how close ends meet
};
} // namespace

void VexVerify_Board::Build(const PenFormatData_Model& theDesign, const Standard_Real theJoin)
{
  ClipperLib::Paths  anAreas;
  std::vector<gp_XY> aPoints;
  for (VexGeom_Walker aWalker(theDesign); aWalker.More(); aWalker.Next())
  {
    const PenFormatData_Sequence& aSequence = aWalker.Sequence();
    const double                  aFactor   = aWalker.Factor();
    if (aWalker.IsClear())
    {
      continue;
    }
    // Lines of toolpaths and artwork are chained; areas are taken as they are.
    if (aWalker.Kind() == VexGeom_Drawing::Kind_Path ||
        aWalker.Kind() == VexGeom_Drawing::Kind_Artwork)
    {
      addLines(aSequence, aFactor, theJoin);
      continue;
    }
    if (aWalker.Kind() != VexGeom_Drawing::Kind_Area)
    {
      continue;
    }
    ++myNbAreas;
    ClipperLib::Paths anArea;
    for (NCollection_List<Handle(PhGeom_Curve)>::Iterator aContour(
             aSequence.GetCurve()->Children());
         aContour.More(); aContour.Next())
    {
      if (!aContour.Value().IsNull())
      {
        VexGeom_Flattener::Outline(*aContour.Value(), aFactor, aPoints);
        anArea.push_back(toPath(aPoints));
      }
    }
    // Each area by its own winding rule first, then all of them together.
    VexGeom_Polygons::Normalise(anArea);
    anAreas.insert(anAreas.end(), anArea.begin(), anArea.end());
  }
  ClipperLib::Paths aLoops;
  joinLines(theJoin, aLoops);
  // The loops fill by even-odd winding: a loop inside another one cuts a hole.
  ClipperLib::Clipper aClipper;
  aClipper.AddPaths(aLoops, ClipperLib::ptSubject, true);
  aClipper.Execute(ClipperLib::ctUnion, myArea, ClipperLib::pftEvenOdd, ClipperLib::pftEvenOdd);
  myArea.insert(myArea.end(), anAreas.begin(), anAreas.end());
  VexGeom_Polygons::Normalise(myArea);
}

void VexVerify_Board::addLines(const PenFormatData_Sequence& theSequence,
                               const Standard_Real theFactor, const Standard_Real theJoin)
{
  std::vector<gp_XY> aChords;
  for (NCollection_List<Handle(PhGeom_Curve)>::Iterator aContour(
           theSequence.GetCurve()->Children());
       aContour.More(); aContour.Next())
  {
    if (aContour.Value().IsNull())
    {
      continue;
    }
    std::vector<gp_XY> aLine;
    for (PhGeom_Curve::ElementIterator anIt(*aContour.Value()); anIt.More(); anIt.Next())
    {
      const PhGeom_Element& anElement = anIt.Value();
      if (anElement.Kind() == PhGeom_Element::Kind_Point)
      {
        continue;
      }
      // A gap between two elements ends one line and starts the next.
      const gp_XY aStart = anElement.StartPoint() * theFactor;
      if (!aLine.empty() && (aLine.back() - aStart).Modulus() > theJoin)
      {
        myLines.push_back(std::move(aLine));
        aLine.clear();
      }
      if (aLine.empty())
      {
        aLine.push_back(aStart);
      }
      if (anElement.Kind() == PhGeom_Element::Kind_Arc)
      {
        VexGeom_Flattener::AddArc(static_cast<const PhGeom_Arc&>(anElement), theFactor, aLine);
      }
      else
      {
        aLine.push_back(anElement.EndPoint() * theFactor);
      }
    }
    if (!aLine.empty())
    {
      myLines.push_back(std::move(aLine));
    }
  }
}

void VexVerify_Board::joinLines(const Standard_Real theJoin, ClipperLib::Paths& theLoops)
{
  Chainer aChainer(myLines, theJoin);
  for (size_t anIndex = 0; anIndex < myLines.size(); ++anIndex)
  {
    if (!aChainer.Take(anIndex))
    {
      continue;
    }
    // Grow forwards, and unless it closed, backwards from the other end.
    std::vector<gp_XY> aChain = myLines[anIndex];
    aChainer.Grow(aChain);
    std::reverse(aChain.begin(), aChain.end());
    aChainer.Grow(aChain);
    fileChain(aChain, theJoin, theLoops);
  }
  myLines.clear();
}

void VexVerify_Board::fileChain(const std::vector<gp_XY>& theChain, const Standard_Real theJoin,
                                ClipperLib::Paths& theLoops)
{
  if (theChain.size() >= 3 && (theChain.front() - theChain.back()).Modulus() <= theJoin)
  {
    ++myNbLoops;
    theLoops.push_back(toPath(theChain));
    return;
  }
  if (myNbOpenEnds == 0)
  {
    myFirstOpenEnd = theChain.front();
  }
  myNbOpenEnds += 2;
}
