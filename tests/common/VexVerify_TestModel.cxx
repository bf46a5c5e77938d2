// Copyright (c) 2026 VexData developers
#include <VexVerify_TestModel.hxx>

#include <cmath>

VexVerify_TestModel::VexVerify_TestModel(const PenFormatData_DimensionUnit theUnit)
    : myModel(new PenFormatData_Model(theUnit))
{
}

int VexVerify_TestModel::Aperture(const char* theName, const std::vector<double>& theParams,
                                  const int theShape)
{
  Handle(PenFormatData_Aperture) anAperture =
      new PenFormatData_Aperture(theShape, theName, Handle(Standard_Transient)(), 0);
  anAperture->SetParam(theParams.data(), static_cast<int>(theParams.size()));
  anAperture->SetToolFlag(1);
  const int aNumber = std::max(1, myModel->NbApertures());
  myModel->SetAperture(aNumber, anAperture);
  return aNumber;
}

PenFormatData_Sequence& VexVerify_TestModel::add(const int theAperture, const int theFlag,
                                                 const int theMode)
{
  Handle(PenFormatData_Sequence) aSequence =
      new PenFormatData_Sequence(theAperture, 0, PhGeom_Curve::Create(myModel->Allocator(), 0));
  aSequence->SetToolpathFlag(theFlag);
  aSequence->SetToolpathMode(theMode);
  myModel->AddObject(aSequence);
  return *aSequence;
}

PenFormatData_Sequence& VexVerify_TestModel::Points(const int theAperture, const char* thePhase,
                                                    const char* theLayer)
{
  PenFormatData_Sequence& aSequence = add(theAperture, 1, 2);
  aSequence.SetPhaseName(thePhase);
  aSequence.SetLayerName(theLayer);
  return aSequence;
}

PenFormatData_Sequence& VexVerify_TestModel::Paths(const int theAperture, const char* thePhase,
                                                   const char* theLayer)
{
  PenFormatData_Sequence& aSequence = add(theAperture, 1, 1);
  aSequence.SetPhaseName(thePhase);
  aSequence.SetLayerName(theLayer);
  return aSequence;
}

PenFormatData_Sequence& VexVerify_TestModel::Area(const bool isClear)
{
  PenFormatData_Sequence& aSequence = add(0, 0, 1);
  aSequence.SetArea(Standard_True);
  aSequence.SetClear(isClear);
  return aSequence;
}

PenFormatData_Sequence& VexVerify_TestModel::ClearStrokes(const int theAperture)
{
  PenFormatData_Sequence& aSequence = add(theAperture, 0, 1);
  aSequence.SetClear(Standard_True);
  return aSequence;
}

Handle(PhGeom_Curve) VexVerify_TestModel::contour(PenFormatData_Sequence& theSequence)
{
  Handle(PhGeom_Curve) aContour = PhGeom_Curve::Create(myModel->Allocator(), 0);
  theSequence.GetCurve()->AddChild(aContour);
  return aContour;
}

void VexVerify_TestModel::Point(PenFormatData_Sequence& theSequence, const double theX,
                                const double theY)
{
  contour(theSequence)->CreatePoint(gp_XY(theX, theY));
}

void VexVerify_TestModel::Line(PenFormatData_Sequence&   theSequence,
                               const std::vector<gp_XY>& thePoints)
{
  Handle(PhGeom_Curve) aContour = contour(theSequence);
  for (size_t anIndex = 1; anIndex < thePoints.size(); ++anIndex)
  {
    aContour->CreateSegment(thePoints[anIndex - 1], thePoints[anIndex]);
  }
}

void VexVerify_TestModel::Circle(PenFormatData_Sequence& theSequence, const gp_XY& theCenter,
                                 const double theRadius, const bool isClockwise)
{
  contour(theSequence)
      ->CreateArc(theCenter, theRadius, 0.0, isClockwise ? -2.0 * M_PI : 2.0 * M_PI,
                  isClockwise ? 0 : 1);
}

void VexVerify_TestModel::Rectangle(PenFormatData_Sequence& theSequence, const gp_XY& theMin,
                                    const gp_XY& theMax, const bool isClockwise)
{
  std::vector<gp_XY> aCorners = {theMin, gp_XY(theMax.X(), theMin.Y()), theMax,
                                 gp_XY(theMin.X(), theMax.Y()), theMin};
  if (isClockwise)
  {
    aCorners = {theMin, gp_XY(theMin.X(), theMax.Y()), theMax, gp_XY(theMax.X(), theMin.Y()),
                theMin};
  }
  Line(theSequence, aCorners);
}
