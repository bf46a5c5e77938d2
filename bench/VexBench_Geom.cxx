// Copyright (c) 2026 VexData developers
// Cost of the shared geometry's polygon work against its estimate: sweeps of aperture shapes
// along segments and arcs, and the union of a macro's rings, each with the steps its budget
// counted and the nanoseconds one step took. The limits of the Gerber reader are set from these
// figures (a step some 10 to 50 ns, a kilobyte's worth of work under a second).
#include <VexGeom_MacroOutline.hxx>
#include <VexGeom_Sweep.hxx>

#include <benchmark/benchmark.h>

#include <cmath>
#include <functional>

namespace
{
const gp_Mat2d THE_IDENTITY(gp_XY(1, 0), gp_XY(0, 1));

//! Returns a path of an arc of theRadius about the origin from angle 0 by theSweep.
VexGeom_Contour arc(const double theRadius, const double theSweep)
{
  VexGeom_Contour aPath(gp_XY(theRadius, 0.0));
  aPath.AddArc(theRadius * gp_XY(std::cos(theSweep), std::sin(theSweep)), gp_XY(0, 0), true);
  return aPath;
}

//! Returns a path of a segment of theLength along a slope.
VexGeom_Contour segment(const double theLength)
{
  VexGeom_Contour aPath(gp_XY(0, 0));
  aPath.AddSegment(theLength * gp_XY(0.8, 0.6));
  return aPath;
}

//! Returns a polygon of theVertices inscribed in a circle of theRadius, as a macro's outline.
VexGeom_Shape manyCorners(const int theVertices, const double theRadius)
{
  NCollection_Vector<VexGeom_Contour> aContours;
  VexGeom_Contour&                    aContour = aContours.Appended();
  aContour                                     = VexGeom_Contour(gp_XY(theRadius, 0.0));
  for (int anIndex = 1; anIndex <= theVertices; ++anIndex)
  {
    const double anAngle = 2.0 * M_PI * anIndex / theVertices;
    aContour.AddSegment(theRadius * gp_XY(std::cos(anAngle), std::sin(anAngle)));
  }
  return VexGeom_Shape::Outline(aContours);
}

//! Returns a saw of theTeeth teeth 1 mm high along 10 mm, as a macro's outline: its edges swept
//! along a move cross each other everywhere.
VexGeom_Shape saw(const int theTeeth)
{
  NCollection_Vector<VexGeom_Contour> aContours;
  VexGeom_Contour&                    aContour = aContours.Appended();
  aContour                                     = VexGeom_Contour(gp_XY(0.0, -1.0));
  for (int anIndex = 0; anIndex < theTeeth; ++anIndex)
  {
    const double aStep = 10.0 / theTeeth;
    aContour.AddSegment(gp_XY(aStep * anIndex, 0.0));
    aContour.AddSegment(gp_XY(aStep * (anIndex + 0.5), 1.0));
  }
  aContour.AddSegment(gp_XY(10.0, 0.0));
  aContour.AddSegment(gp_XY(10.0, -1.0));
  aContour.AddSegment(gp_XY(0.0, -1.0));
  aContour.Reverse(); // counter-clockwise, an outline
  return VexGeom_Shape::Outline(aContours);
}

//! Runs theWork on a fresh unlimited budget per iteration; reports the steps counted and the
//! nanoseconds per step.
void measure(benchmark::State& theState, const std::function<void(VexGeom_Flattener&)>& theWork)
{
  double aSteps = 0.0;
  for (auto _ : theState)
  {
    VexGeom_Budget    aBudget;
    VexGeom_Flattener aFlattener(aBudget);
    theWork(aFlattener);
    aSteps = aBudget.WorkSpent();
  }
  theState.counters["steps"]       = aSteps;
  theState.counters["ns_per_step"] = benchmark::Counter(
      aSteps * 1.0e-9, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

//! Sweeps theShape along thePath.
void sweep(benchmark::State& theState, const VexGeom_Shape& theShape,
           const VexGeom_Contour& thePath)
{
  measure(theState,
          [&](VexGeom_Flattener& theFlattener)
          {
            NCollection_Vector<VexGeom_Contour> aResult;
            VexGeom_Sweep(theFlattener).Along(theShape, THE_IDENTITY, thePath, aResult);
            benchmark::DoNotOptimize(aResult);
          });
}

void BM_SweepSquareAlongHalfCircle(benchmark::State& theState)
{
  sweep(theState, VexGeom_Shape::Rectangle(14.0, 14.0, 0.0), arc(100.0, M_PI));
}

void BM_SweepRectangleAlongWideArc(benchmark::State& theState)
{
  sweep(theState, VexGeom_Shape::Rectangle(0.5, 0.2, 0.0), arc(10000.0, 0.5 * M_PI));
}

void BM_SweepObroundAlongHalfCircle(benchmark::State& theState)
{
  sweep(theState, VexGeom_Shape::Obround(20.0, 19.9, 0.0), arc(100.0, M_PI));
}

void BM_SweepSmallObroundAlongArc(benchmark::State& theState)
{
  sweep(theState, VexGeom_Shape::Obround(1.0, 0.5, 0.0), arc(50.0, 0.5 * M_PI));
}

void BM_SweepObroundAlongSegment(benchmark::State& theState)
{
  sweep(theState, VexGeom_Shape::Obround(1.0, 0.5, 0.0), segment(5.0));
}

void BM_SweepThousandCornersAlongSegment(benchmark::State& theState)
{
  sweep(theState, manyCorners(1000, 10.0), segment(50.0));
}

void BM_SweepSawAlongSegment(benchmark::State& theState)
{
  sweep(theState, saw(250), segment(50.0));
}

void BM_SweepCircleAlongHalfCircle(benchmark::State& theState)
{
  sweep(theState, VexGeom_Shape::Circle(20.0, 0.2), arc(200.0, M_PI));
}

void BM_UnionOfMoireRings(benchmark::State& theState)
{
  measure(theState,
          [](VexGeom_Flattener& theFlattener)
          {
            VexGeom_MacroOutline anOutline(theFlattener, 1.0);
            anOutline.AddMoire(gp_XY(0, 0), 400.0, 0.2, 0.2, 200, 0.0, 0.0, 0.0);
            ClipperLib::Paths aResult;
            anOutline.Result(aResult);
            benchmark::DoNotOptimize(aResult);
          });
}
} // namespace

BENCHMARK(BM_SweepSquareAlongHalfCircle)
    ->Name("geom/sweep/square_half_circle")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SweepRectangleAlongWideArc)
    ->Name("geom/sweep/rectangle_wide_arc")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SweepObroundAlongHalfCircle)
    ->Name("geom/sweep/obround_half_circle")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SweepSmallObroundAlongArc)
    ->Name("geom/sweep/small_obround_arc")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SweepObroundAlongSegment)
    ->Name("geom/sweep/obround_segment")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SweepThousandCornersAlongSegment)
    ->Name("geom/sweep/thousand_corners_segment")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SweepSawAlongSegment)->Name("geom/sweep/saw_segment")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SweepCircleAlongHalfCircle)
    ->Name("geom/sweep/circle_half_circle")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UnionOfMoireRings)->Name("geom/union/moire_rings")->Unit(benchmark::kMillisecond);
