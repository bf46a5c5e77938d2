// Copyright (c) 2026 VexData developers
// Cost of a picture ("vex render") of design artwork built in memory: a million draws and a
// million flashes of a round aperture (strokes and circles written as they come), and draws of a
// rectangle along segments and arcs (the area the shared geometry sweeps). The picture goes to a
// stream that drops it, so that only the drawing is measured.
#include <VexRender_Svg.hxx>

#include <PenFormatData_Sequence.hxx>

#include <benchmark/benchmark.h>

#include <ostream>
#include <random>
#include <streambuf>

namespace
{
//! A stream buffer that drops what it is given.
class NullBuffer : public std::streambuf
{
protected:
  //! Takes theCount characters and drops them.
  std::streamsize xsputn(const char*, const std::streamsize theCount) override { return theCount; }

  //! Takes one character and drops it.
  int overflow(const int theChar) override { return theChar; }
};

//! Returns a model of one artwork sequence of theCount contours, each a segment of up to 2 mm
//! (and an arc when withArcs) and a flash, drawn with theShape of theParams.
Handle(PenFormatData_Model) artwork(const int theCount, const Standard_Integer theShape,
                                    std::vector<double> theParams, const bool withArcs)
{
  Handle(PenFormatData_Model) aModel        = new PenFormatData_Model(PenFormatData_DU_Millimetre);
  Handle(PenFormatData_Aperture) anAperture = new PenFormatData_Aperture(theShape, "A", nullptr, 0);
  anAperture->SetParam(theParams.data(), static_cast<Standard_Integer>(theParams.size()));
  aModel->SetAperture(1, anAperture);
  Handle(PhGeom_Curve) aContainer = PhGeom_Curve::Create(aModel->Allocator(), 0);
  aModel->AddObject(new PenFormatData_Sequence(1, 0, aContainer));
  std::mt19937                           aRandom(7);
  std::uniform_real_distribution<double> aPlace(0.0, 100.0), aStep(-2.0, 2.0), aTurn(-3.0, 3.0);
  for (int anIndex = 0; anIndex < theCount; ++anIndex)
  {
    Handle(PhGeom_Curve) aContour = PhGeom_Curve::Create(aModel->Allocator(), 0);
    aContainer->AddChild(aContour);
    const gp_XY aStart(aPlace(aRandom), aPlace(aRandom));
    aContour->CreateSegment(aStart, aStart + gp_XY(aStep(aRandom), aStep(aRandom)));
    if (withArcs)
    {
      const double aFrom = aTurn(aRandom);
      aContour->CreateArc(aStart, 1.0 + 0.5 * aStep(aRandom), aFrom, aFrom + 1.5, 1);
    }
    aContour->CreatePoint(aStart);
  }
  return aModel;
}

//! Draws theModel once per iteration.
void draw(benchmark::State& theState, const Handle(PenFormatData_Model) & theModel)
{
  NullBuffer   aBuffer;
  std::ostream aStream(&aBuffer);
  for (auto _ : theState)
  {
    TCollection_AsciiString anError;
    if (!VexRender_Svg::Write(theModel, VexRender_SvgOptions(), aStream, anError))
    {
      theState.SkipWithError(anError.ToCString());
    }
  }
}

void BM_RenderRoundDraws(benchmark::State& theState)
{
  static const Handle(PenFormatData_Model) aModel =
      artwork(1000000, PenFormatData_Aperture::Shape_Round, {0.2}, false);
  draw(theState, aModel);
}

void BM_RenderRectangleDraws(benchmark::State& theState)
{
  static const Handle(PenFormatData_Model) aModel =
      artwork(10000, PenFormatData_Aperture::Shape_Rectangle, {0.3, 0.2}, false);
  draw(theState, aModel);
}

void BM_RenderRectangleArcs(benchmark::State& theState)
{
  static const Handle(PenFormatData_Model) aModel =
      artwork(1000, PenFormatData_Aperture::Shape_Rectangle, {0.3, 0.2}, true);
  draw(theState, aModel);
}
} // namespace

BENCHMARK(BM_RenderRoundDraws)
    ->Name("render/round_draws_1m")
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->Iterations(3);
BENCHMARK(BM_RenderRectangleDraws)
    ->Name("render/rectangle_draws_10k")
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->Iterations(3);
BENCHMARK(BM_RenderRectangleArcs)
    ->Name("render/rectangle_arcs_1k")
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->Iterations(3);
