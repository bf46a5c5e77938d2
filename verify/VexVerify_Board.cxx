// Copyright (c) 2026 VexData developers
#include <VexVerify_Board.hxx>

#include <VexGeom_Units.hxx>
#include <VexGeom_Polygons.hxx>
#include <VexGeom_Flattener.hxx>
#include <VexGeom_Drawing.hxx>
#include <VexGeom_Walker.hxx>

#include <algorithm>

namespace
{
//! Most times the pen radius a sharp corner of a face may reach out when it grows back: corners
//! down to 11.5 degrees come back exactly.
const double THE_MITER_LIMIT = 10.0;

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

//! Returns theFace (a hole of the ink, clockwise) grown by theRadius (integer units) with sharp
//! corners, counter-clockwise.
ClipperLib::Paths grow(ClipperLib::Path theFace, const Standard_Real theRadius)
{
  if (!ClipperLib::Orientation(theFace))
  {
    ClipperLib::ReversePath(theFace);
  }
  ClipperLib::ClipperOffset anOffsetter(THE_MITER_LIMIT);
  anOffsetter.AddPath(theFace, ClipperLib::jtMiter, ClipperLib::etClosedPolygon);
  ClipperLib::Paths aGrown;
  anOffsetter.Execute(aGrown, theRadius);
  return aGrown;
}

//! Returns the board of theFace, a face of the ink: the face grown by theRadius (integer units)
//! less the cut-outs inside it, the faces of the ink inside it, grown likewise.
ClipperLib::Paths boardOf(const ClipperLib::PolyNode& theFace, const Standard_Real theRadius)
{
  ClipperLib::Clipper aClipper;
  aClipper.AddPaths(grow(theFace.Contour, theRadius), ClipperLib::ptSubject, true);
  for (const ClipperLib::PolyNode* anIsland : theFace.Childs)
  {
    for (const ClipperLib::PolyNode* aCutOut : anIsland->Childs)
    {
      aClipper.AddPaths(grow(aCutOut->Contour, theRadius), ClipperLib::ptClip, true);
    }
  }
  ClipperLib::Paths aBoard;
  aClipper.Execute(ClipperLib::ctDifference, aBoard, ClipperLib::pftNonZero,
                   ClipperLib::pftNonZero);
  return aBoard;
}

//! Adds to theBoard the board of the faces among the holes of theInk (a part of the ink, theDepth
//! faces deep) and of everything inside them, grown back by theRadius (integer units); counts
//! every face in theNbFaces. A face an odd number of faces deep is board, the others cut-outs.
void addFaces(const ClipperLib::PolyNode& theInk, const Standard_Integer theDepth,
              const Standard_Real theRadius, ClipperLib::Paths& theBoard,
              Standard_Integer& theNbFaces)
{
  for (const ClipperLib::PolyNode* aFace : theInk.Childs)
  {
    ++theNbFaces;
    if (theDepth % 2 == 0)
    {
      const ClipperLib::Paths aPiece = boardOf(*aFace, theRadius);
      theBoard.insert(theBoard.end(), aPiece.begin(), aPiece.end());
    }
    for (const ClipperLib::PolyNode* anIsland : aFace->Childs)
    {
      addFaces(*anIsland, theDepth + 1, theRadius, theBoard, theNbFaces);
    }
  }
}
} // namespace

VexVerify_Board::VexVerify_Board() : myNbLoops(0), myNbAreas(0)
{
}

void VexVerify_Board::Build(const PenFormatData_Model& theDesign, const Standard_Real theGap,
                            const Standard_Real theJoin)
{
  myLines.clear();
  myNbLoops = 0;
  myNbAreas = 0;
  ClipperLib::Paths anAreas;
  for (VexGeom_Walker aWalker(theDesign); aWalker.More(); aWalker.Next())
  {
    if (aWalker.IsClear())
    {
      continue;
    }
    // Lines of toolpaths and artwork are chained; areas are taken as they are.
    if (aWalker.Kind() == VexGeom_Drawing::Kind_Path ||
        aWalker.Kind() == VexGeom_Drawing::Kind_Artwork)
    {
      addLines(aWalker.Sequence(), aWalker.Factor(), theJoin);
    }
    else if (aWalker.Kind() == VexGeom_Drawing::Kind_Area)
    {
      addArea(aWalker.Sequence(), aWalker.Factor(), anAreas);
    }
  }
  myArea = enclosed(theGap, theJoin);
  myArea.insert(myArea.end(), anAreas.begin(), anAreas.end());
  VexGeom_Polygons::Normalise(myArea);
}

std::vector<VexVerify_Board::Contour> VexVerify_Board::Contours() const
{
  std::vector<Contour> aContours;
  for (const ClipperLib::Path& aPath : myArea)
  {
    aContours.push_back(Contour{std::vector<gp_XY>(), ClipperLib::Orientation(aPath)});
    aContours.back().Points.reserve(aPath.size());
    for (const ClipperLib::IntPoint& aPoint : aPath)
    {
      aContours.back().Points.push_back(VexGeom_Units::ToXY(aPoint));
    }
  }
  return aContours;
}

void VexVerify_Board::addArea(const PenFormatData_Sequence& theSequence,
                              const Standard_Real theFactor, ClipperLib::Paths& theAreas)
{
  ++myNbAreas;
  ClipperLib::Paths  anArea;
  std::vector<gp_XY> aPoints;
  for (NCollection_List<Handle(PhGeom_Curve)>::Iterator aContour(
           theSequence.GetCurve()->Children());
       aContour.More(); aContour.Next())
  {
    if (!aContour.Value().IsNull())
    {
      VexGeom_Flattener::Outline(*aContour.Value(), theFactor, aPoints);
      anArea.push_back(toPath(aPoints));
    }
  }
  // Each area by its own winding rule first, then all of them together.
  VexGeom_Polygons::Normalise(anArea);
  theAreas.insert(theAreas.end(), anArea.begin(), anArea.end());
}
void VexVerify_Board::addLines(const PenFormatData_Sequence& theSequence,
                               const Standard_Real theFactor, const Standard_Real theJoin)
{
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

ClipperLib::Paths VexVerify_Board::enclosed(const Standard_Real theGap, const Standard_Real theJoin)
{
  std::vector<std::vector<gp_XY>> aBridges;
  VexVerify_GapCloser             aCloser(theGap, theJoin);
  aCloser.Perform(myLines, aBridges);
  myGaps = aCloser.Found();
  myEdges.clear();
  for (const std::vector<std::vector<gp_XY>>* aSet : {&myLines, &aBridges})
  {
    for (const std::vector<gp_XY>& aLine : *aSet)
    {
      myEdges.push_back(toPath(aLine));
    }
  }
  myLines.clear();
  // The ink: every line drawn with a pen as wide as the gap distance, so that lines closer than
  // that merge too.
  const Standard_Real aRadius =
      std::max(0.5 * std::max(theGap, theJoin), VexGeom_Units::THE_CHORD_TOLERANCE);
  ClipperLib::Paths anInk;
  VexGeom_Polygons::Stroke(myEdges, aRadius, anInk);
  ClipperLib::Clipper aClipper;
  aClipper.AddPaths(anInk, ClipperLib::ptSubject, true);
  ClipperLib::PolyTree aTree;
  aClipper.Execute(ClipperLib::ctUnion, aTree, ClipperLib::pftNonZero, ClipperLib::pftNonZero);
  ClipperLib::Paths aBoard;
  for (const ClipperLib::PolyNode* aPart : aTree.Childs)
  {
    addFaces(*aPart, 0, aRadius * VexGeom_Units::THE_SCALE, aBoard, myNbLoops);
  }
  return aBoard;
}
