// Copyright (c) 2026 VexData developers
// Time and peak memory of the job of a generated board, made in memory: on each side a million
// draws (50,000 traces of 20 draws), 100,000 round pads, a copper pour over a quarter of the
// board with a clearance around each of its pads, and 100,000 holes. Prints the summary of the
// job and one line of figures; run by scripts/bench-job.sh, never by the tests.
//
//   VexJob_Bench [TRACES [PADS]]   (defaults 50000 and 100000)
#include <VexJob_Maker.hxx>
#include <VexJob_ModelMaker.hxx>
#include <VexJob_Summary.hxx>

#include <PenFormatData_Sequence.hxx>
#include <PhGeom_Curve.hxx>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iostream>

#include <sys/resource.h>

namespace
{
//! Pads per row, and the pitch of pads along a row and between rows (millimetres).
const int    THE_PER_ROW = 500;
const double THE_PITCH_X = 0.8, THE_PITCH_Y = 1.5;

//! Returns a new sequence of theModel drawing with aperture theAperture.
Handle(PenFormatData_Sequence) sequence(PenFormatData_Model& theModel, const int theAperture,
                                        const int theMode, const bool isArea, const bool isClear)
{
  Handle(PenFormatData_Sequence) aSequence =
      new PenFormatData_Sequence(theAperture, 0, PhGeom_Curve::Create(theModel.Allocator(), 0));
  aSequence->SetToolpathFlag(isArea || isClear ? 0 : 1);
  aSequence->SetToolpathMode(theMode);
  aSequence->SetArea(isArea);
  aSequence->SetClear(isClear);
  theModel.AddObject(aSequence);
  return aSequence;
}

//! Sets round aperture theNumber of theModel to theWidth.
void aperture(PenFormatData_Model& theModel, const int theNumber, const double theWidth)
{
  Handle(PenFormatData_Aperture) anAperture = new PenFormatData_Aperture(
      PenFormatData_Aperture::Shape_Round, "D", Handle(Standard_Transient)(), 0);
  anAperture->SetParam(&theWidth, 1);
  theModel.SetAperture(theNumber, anAperture);
}

//! Returns the copper of one side; thePads are its pad centres.
Handle(PenFormatData_Model) copper(const int theTraces, const std::vector<gp_XY>& thePads)
{
  Handle(PenFormatData_Model) aModel = new PenFormatData_Model();
  aModel->SetDimensionUnit(PenFormatData_DU_Millimetre);
  aperture(*aModel, 1, 0.2); // traces
  aperture(*aModel, 2, 0.6); // pads
  aperture(*aModel, 3, 1.1); // clearances in the pour
  const double aWidth = THE_PER_ROW * THE_PITCH_X;
  const int    aRows  = static_cast<int>(thePads.size() / THE_PER_ROW) + 1;
  // The pour over the lower left quarter, its clearances, then the pads and traces.
  Handle(PhGeom_Curve) aPour = PhGeom_Curve::Create(aModel->Allocator(), 0);
  const gp_XY aCorner(0.5 * aWidth, 0.5 * aRows * THE_PITCH_Y);
  aPour->CreateSegment(gp_XY(-1, -1), gp_XY(aCorner.X(), -1));
  aPour->CreateSegment(gp_XY(aCorner.X(), -1), aCorner);
  aPour->CreateSegment(aCorner, gp_XY(-1, aCorner.Y()));
  aPour->CreateSegment(gp_XY(-1, aCorner.Y()), gp_XY(-1, -1));
  sequence(*aModel, 1, 1, true, false)->GetCurve()->AddChild(aPour);
  const Handle(PhGeom_Curve)& aClear = sequence(*aModel, 3, 2, false, true)->GetCurve();
  const Handle(PhGeom_Curve)& aPads  = sequence(*aModel, 2, 2, false, false)->GetCurve();
  for (const gp_XY& aPad : thePads)
  {
    Handle(PhGeom_Curve) aPoint = PhGeom_Curve::Create(aModel->Allocator(), 0);
    aPoint->CreatePoint(aPad);
    (aPad.X() < aCorner.X() && aPad.Y() < aCorner.Y() ? aClear : aPads)->AddChild(aPoint);
    Handle(PhGeom_Curve) aCopy = PhGeom_Curve::Create(aModel->Allocator(), 0);
    aCopy->CreatePoint(aPad);
    if (aPad.X() < aCorner.X() && aPad.Y() < aCorner.Y())
    {
      aPads->AddChild(aCopy);
    }
  }
  // Traces between the rows of pads, zigzagging by 0.1 mm, outside the pour.
  const Handle(PhGeom_Curve)& aTraces = sequence(*aModel, 1, 1, false, false)->GetCurve();
  const int aPerRow                   = std::max(1, theTraces / std::max(1, aRows));
  for (int aTrace = 0; aTrace < theTraces; ++aTrace)
  {
    const double aY = (aTrace % aRows) * THE_PITCH_Y + 0.75;
    const double aX = (aTrace / aRows) * (aWidth / aPerRow);
    if (aX < aCorner.X() + 1.0 && aY < aCorner.Y() + 1.0)
    {
      continue;
    }
    Handle(PhGeom_Curve) aLine = PhGeom_Curve::Create(aModel->Allocator(), 0);
    for (int aDraw = 0; aDraw < 20; ++aDraw)
    {
      aLine->CreateSegment(gp_XY(aX + 0.06 * aDraw, aY + (aDraw % 2) * 0.1),
                           gp_XY(aX + 0.06 * (aDraw + 1), aY + ((aDraw + 1) % 2) * 0.1));
    }
    aTraces->AddChild(aLine);
  }
  return aModel;
}

//! Returns the drill design: a 0.3 mm hole at each pad.
Handle(PenFormatData_Model) drills(const std::vector<gp_XY>& thePads)
{
  Handle(PenFormatData_Model) aModel = new PenFormatData_Model();
  aModel->SetDimensionUnit(PenFormatData_DU_Millimetre);
  aperture(*aModel, 1, 0.3);
  const Handle(PhGeom_Curve)& aHoles = sequence(*aModel, 1, 2, false, false)->GetCurve();
  for (const gp_XY& aPad : thePads)
  {
    Handle(PhGeom_Curve) aPoint = PhGeom_Curve::Create(aModel->Allocator(), 0);
    aPoint->CreatePoint(aPad);
    aHoles->AddChild(aPoint);
  }
  return aModel;
}
} // namespace

int main(int theArgc, char** theArgv)
{
  const int          aTraces = theArgc > 1 ? std::atoi(theArgv[1]) : 50000;
  const int          aNbPads = theArgc > 2 ? std::atoi(theArgv[2]) : 100000;
  std::vector<gp_XY> aPads;
  for (int aPad = 0; aPad < aNbPads; ++aPad)
  {
    aPads.push_back(gp_XY((aPad % THE_PER_ROW) * THE_PITCH_X, (aPad / THE_PER_ROW) * THE_PITCH_Y));
  }
  const auto           aStart = std::chrono::steady_clock::now();
  VexJob_Maker::Design aTop{"top", copper(aTraces, aPads)},
      aBottom{"bottom", copper(aTraces, aPads)};
  VexJob_Maker::Design     aDrill{"drill", drills(aPads)};
  const auto               aBuilt   = std::chrono::steady_clock::now();
  const VexJob_ToolLibrary aLibrary = VexJob_ToolLibrary::Default();
  VexJob_Maker             aMaker(aLibrary, VexJob_Options(), Handle(Message_Messenger)());
  Message_Msg              aFault;
  aMaker.Prepare(aFault);
  aMaker.SetTop(aTop);
  aMaker.SetBottom(aBottom);
  aMaker.AddDrill(aDrill);
  aMaker.Make();
  const Handle(PenFormatData_Model) aJob = VexJob_ModelMaker::Make(aMaker.Toolpaths());
  const auto aDone                       = std::chrono::steady_clock::now();
  VexJob_Summary::Print(aMaker, std::cerr);
  rusage aUsage{};
  getrusage(RUSAGE_SELF, &aUsage);
  std::printf(
      "| generated board: %d traces (%d draws), %d pads per side, a pour, %d holes | designs "
      "%.2f s | job %.2f s | processor %.2f s | peak %.0f MB |\n",
      aTraces, 20 * aTraces, aNbPads, aNbPads,
      std::chrono::duration<double>(aBuilt - aStart).count(),
      std::chrono::duration<double>(aDone - aBuilt).count(),
      aUsage.ru_utime.tv_sec + aUsage.ru_utime.tv_usec * 1e-6 + aUsage.ru_stime.tv_sec +
          aUsage.ru_stime.tv_usec * 1e-6,
      aUsage.ru_maxrss / 1024.0);
  return 0;
}
