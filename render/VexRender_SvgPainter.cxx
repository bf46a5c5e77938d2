// Copyright (c) 2026 VexData developers
#include <VexRender_SvgPainter.hxx>

#include <cmath>
#include <string>

namespace
{
//! Calls theVisit with every element (every point when isPointsOnly) of the contours of
//! theContainer whose values, turned into millimetres by theFactor, are usable lengths.
template <typename Visit>
void forEachUsable(const PhGeom_Curve& theContainer, const double theFactor,
                   const bool isPointsOnly, Visit theVisit)
{
  for (NCollection_List<Handle(PhGeom_Curve)>::Iterator aContour(theContainer.Children());
       aContour.More(); aContour.Next())
  {
    if (aContour.Value().IsNull())
    {
      continue;
    }
    for (PhGeom_Curve::ElementIterator anIter(*aContour.Value()); anIter.More(); anIter.Next())
    {
      if ((!isPointsOnly || anIter.Value().Kind() == PhGeom_Element::Kind_Point) &&
          VexGeom_Drawing::IsUsable(anIter.Value(), theFactor))
      {
        theVisit(anIter.Value());
      }
    }
  }
}
} // namespace

VexRender_SvgPainter::VexRender_SvgPainter(VexRender_SvgBuffer&       theBuffer,
                                           const VexRender_SvgPage&   thePage,
                                           const VexRender_SvgSurvey& theSurvey, const Role theRole)
    : myBuffer(theBuffer), myPage(thePage), mySurvey(theSurvey),
      myPath(theBuffer, thePage, theSurvey.Factor()), myRole(theRole),
      isNegative(theSurvey.IsNegative() && theRole != Role_Drawing)
{
}

void VexRender_SvgPainter::WriteScanFieldList()
{
  const PenFormatData_Model& aModel  = mySurvey.Model();
  const double               aFactor = mySurvey.Factor();
  const double               aFont   = myPage.Font();
  for (Standard_Integer anIndex = 1; anIndex < aModel.NbScanFields(); ++anIndex)
  {
    const Handle(PenFormatData_ScanField) aField = aModel.ScanField(anIndex);
    if (aField.IsNull())
    {
      continue;
    }
    const gp_XY aCenter = aField->Center() * aFactor;
    const gp_XY aHalf(0.5 * aField->Width() * aFactor, 0.5 * aField->Height() * aFactor);
    if (!std::isfinite(aCenter.X()) || !std::isfinite(aCenter.Y()) || !std::isfinite(aHalf.X()) ||
        !std::isfinite(aHalf.Y()) || aHalf.X() <= 0.0 || aHalf.Y() <= 0.0)
    {
      continue;
    }
    const double aLeft = myPage.X(aCenter.X() - aHalf.X());
    const double aTop  = myPage.Y(aCenter.Y() + aHalf.Y());
    myBuffer.Add("<rect class=\"scan\"");
    myBuffer.Attribute("x", aLeft);
    myBuffer.Attribute("y", aTop);
    myBuffer.Attribute("width", 2.0 * aHalf.X());
    myBuffer.Attribute("height", 2.0 * aHalf.Y());
    myBuffer.Add("/>\n<text");
    myBuffer.Attribute("x", aLeft + 0.3 * aFont);
    myBuffer.Attribute("y", aTop + 0.8 * aFont);
    myBuffer.Attribute("font-size", 0.6 * aFont);
    myBuffer.Add(">field " + std::to_string(aField->Number()) + ", order " +
                 std::to_string(aField->Order()) + "</text>\n");
    myBuffer.FlushIfFull();
  }
}

void VexRender_SvgPainter::WriteSequences()
{
  if (isNegative)
  {
    // The dark field: what would erase in a positive image paints in a negative one.
    myBuffer.Add(std::string("<rect class=\"") + fillClass(true) + "\"");
    myPage.DrawnRectangle(myBuffer);
    myBuffer.Add("/>\n");
  }
  for (VexGeom_Walker aWalker(mySurvey.Model()); aWalker.More(); aWalker.Next())
  {
    writeSequence(aWalker);
  }
}

void VexRender_SvgPainter::writeSequence(const VexGeom_Walker& theWalker)
{
  const PenFormatData_Sequence& aSequence  = theWalker.Sequence();
  const PhGeom_Curve&           aContainer = *aSequence.GetCurve();
  switch (theWalker.Kind())
  {
  case VexGeom_Drawing::Kind_Path:
    writePathToolpath(aSequence);
    break;
  case VexGeom_Drawing::Kind_Drill:
    writeDrills(aSequence, theWalker.Shape());
    break;
  case VexGeom_Drawing::Kind_Area:
    writeLines(aContainer, fillClass(aSequence.IsClear()), 0.0, true);
    break;
  case VexGeom_Drawing::Kind_Artwork:
    writeArtwork(aSequence, theWalker.Shape());
    break;
  // Outlines of camera fields and of artwork that cannot be drawn are notes for the user, not
  // part of a bare drawing or of a design beneath.
  case VexGeom_Drawing::Kind_ScanField:
    if (myRole == Role_Picture)
    {
      writeLines(aContainer, "scan", 0.0, false);
    }
    break;
  case VexGeom_Drawing::Kind_Other:
    if (myRole == Role_Picture)
    {
      writeLines(aContainer, "other", 0.0, false);
    }
    break;
  }
}

void VexRender_SvgPainter::writePathToolpath(const PenFormatData_Sequence& theSequence)
{
  const VexRender_SvgSurvey::Tool& aTool = mySurvey.FindTool(theSequence.ApertureNumber());
  if (myRole == Role_Mask)
  {
    writeLines(*theSequence.GetCurve(), lineClass(false), myPage.DrawnWidth(aTool.Width), false);
    return;
  }
  // The stroke width comes with the tool's class.
  const std::string aClass = "tool t" + std::to_string(aTool.Colour);
  writeLines(*theSequence.GetCurve(), aClass.c_str(), 0.0, false);
}

void VexRender_SvgPainter::writeDrills(const PenFormatData_Sequence& theSequence,
                                       const VexGeom_Shape&          theShape)
{
  const VexRender_SvgSurvey::Tool& aTool = mySurvey.FindTool(theSequence.ApertureNumber());
  const std::string                aClass =
      myRole == Role_Mask ? std::string(fillClass(false)) : "d" + std::to_string(aTool.Colour);
  const double aRadius = 0.5 * myPage.DrawnWidth(aTool.Width);
  if (theShape.IsCircle() && theShape.Hole() > 0.0)
  {
    // A round tool with a hole (a design's ring pad) draws its ring.
    writeShapes(*theSequence.GetCurve(), VexGeom_Shape::Circle(2.0 * aRadius, theShape.Hole()),
                aClass.c_str());
    return;
  }
  forEachUsable(*theSequence.GetCurve(), mySurvey.Factor(), true,
                [&](const PhGeom_Element& theElement)
                {
                  const gp_XY aPoint = mySurvey.Mm(theElement.StartPoint());
                  myBuffer.Add("<circle class=\"" + aClass + "\"");
                  myBuffer.Attribute("cx", myPage.X(aPoint.X()));
                  myBuffer.Attribute("cy", myPage.Y(aPoint.Y()));
                  myBuffer.Attribute("r", aRadius);
                  myBuffer.Add("/>\n");
                  myBuffer.FlushIfFull();
                });
}

void VexRender_SvgPainter::writeLines(const PhGeom_Curve& theContainer, const char* theClass,
                                      const double theStrokeWidth, const bool isArea)
{
  myPath.Begin(theClass, theStrokeWidth);
  for (NCollection_List<Handle(PhGeom_Curve)>::Iterator aContour(theContainer.Children());
       aContour.More(); aContour.Next())
  {
    // Every contour starts a path of its own, as it does in a machine file.
    myPath.Break();
    if (aContour.Value().IsNull())
    {
      continue;
    }
    for (PhGeom_Curve::ElementIterator anIter(*aContour.Value()); anIter.More(); anIter.Next())
    {
      myPath.Element(anIter.Value(), isArea);
    }
    if (isArea)
    {
      myPath.Close();
    }
  }
  myPath.End();
}

void VexRender_SvgPainter::writeArtwork(const PenFormatData_Sequence& theSequence,
                                        const VexGeom_Shape&          theShape)
{
  const bool isClear = theSequence.IsClear();
  // A circle draws lines as a tool does: the stroke of a round pen is exactly its sweep, and
  // far cheaper to write. Other shapes sweep their area along segments and arcs.
  if (theShape.IsCircle())
  {
    writeLines(*theSequence.GetCurve(), lineClass(isClear), myPage.DrawnWidth(theShape.Width()),
               false);
  }
  writeShapes(*theSequence.GetCurve(), theShape, fillClass(isClear));
}

void VexRender_SvgPainter::writeShapes(const PhGeom_Curve&  theContainer,
                                       const VexGeom_Shape& theShape, const char* theClass)
{
  // A circle's lines are stroked (see writeArtwork()): only its flashes are filled here.
  myPath.Begin(theClass, 0.0);
  forEachUsable(theContainer, mySurvey.Factor(), theShape.IsCircle(),
                [&](const PhGeom_Element& theElement)
                {
                  if (theElement.Kind() == PhGeom_Element::Kind_Point)
                  {
                    myPath.Flash(theShape, mySurvey.Mm(theElement.StartPoint()));
                  }
                  else if (!theShape.IsCircle())
                  {
                    myPath.Sweep(theShape, theElement);
                  }
                });
  myPath.End();
}

const char* VexRender_SvgPainter::fillClass(const bool isClear) const
{
  // In a negative image what is drawn dark is clear and the other way round.
  const bool isErasing = isClear != isNegative;
  if (myRole == Role_Mask)
  {
    return isErasing ? "m-clear" : "m";
  }
  return isErasing ? "clear" : "art";
}

const char* VexRender_SvgPainter::lineClass(const bool isClear) const
{
  const bool isErasing = isClear != isNegative;
  if (myRole == Role_Mask)
  {
    return isErasing ? "m-clear-line" : "m-line";
  }
  return isErasing ? "clear-line" : "art-line";
}
