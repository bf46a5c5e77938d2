// Copyright (c) 2026 VexData developers
// Import and export of Excellon drill files: a file of a million holes made in memory (twenty
// tools, coordinates of a 400 x 300 mm board), read into a new model per iteration, in the two
// ways design tools write numbers (decimal points in millimetres, implied decimals in inches),
// beside a pass over the same bytes through the same kind of stream buffer; and the model of the
// decimal file written back. Rates are MB/s and holes/s.
#include <VexBench_ModelMaker.hxx>

#include <VexExcellon_Reader.hxx>
#include <VexExcellon_Writer.hxx>

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <sstream>
#include <streambuf>
#include <string>

namespace
{
//! Holes of the generated file.
const int THE_HOLES = 1000000;

//! Tools of the generated file.
const int THE_TOOLS = 20;

//! A stream buffer over bytes in memory, without copying them.
class MemoryBuffer : public std::streambuf
{
public:
  MemoryBuffer(const std::string& theBytes)
  {
    char* aBegin = const_cast<char*>(theBytes.data());
    setg(aBegin, aBegin, aBegin + theBytes.size());
  }
};

//! Returns the drill file: theIsDecimal writes millimetres with a point ("X123.456Y7.8"),
//! otherwise inches with implied decimals and leading zeros left out ("X48425Y3071"). The holes
//! follow a fixed pseudo-random walk, so every run reads the same bytes.
std::string makeFile(const bool theIsDecimal)
{
  std::string aText = theIsDecimal ? "M48\n; made by the benchmark\nMETRIC,TZ\n" : "M48\nINCH,TZ\n";
  char        aLine[64];
  for (int aTool = 1; aTool <= THE_TOOLS; ++aTool)
  {
    std::snprintf(aLine, sizeof(aLine), theIsDecimal ? "T%02dC%.2f\n" : "T%02dC%.4f\n", aTool,
                  theIsDecimal ? 0.3 + 0.1 * aTool : (0.3 + 0.1 * aTool) / 25.4);
    aText += aLine;
  }
  aText += "%\nG90\nG05\n";
  uint32_t aSeed = 12345;
  for (int aHole = 0; aHole < THE_HOLES; ++aHole)
  {
    if (aHole % (THE_HOLES / THE_TOOLS) == 0)
    {
      std::snprintf(aLine, sizeof(aLine), "T%02d\n", aHole / (THE_HOLES / THE_TOOLS) + 1);
      aText += aLine;
    }
    aSeed           = aSeed * 1664525u + 1013904223u;
    const double aX = (aSeed >> 8) % 400000 / 1000.0;
    aSeed           = aSeed * 1664525u + 1013904223u;
    const double aY = (aSeed >> 8) % 300000 / 1000.0;
    if (theIsDecimal)
    {
      std::snprintf(aLine, sizeof(aLine), "X%.3fY%.3f\n", aX, aY);
    }
    else
    {
      std::snprintf(aLine, sizeof(aLine), "X%dY%d\n", static_cast<int>(aX / 25.4 * 1.0e4),
                    static_cast<int>(aY / 25.4 * 1.0e4));
    }
    aText += aLine;
  }
  return aText + "M30\n";
}

//! Returns the file of theIsDecimal, made once.
const std::string& file(const bool theIsDecimal)
{
  static const std::string THE_DECIMAL = makeFile(true);
  static const std::string THE_IMPLIED = makeFile(false);
  return theIsDecimal ? THE_DECIMAL : THE_IMPLIED;
}

//! Sets the rates of theState: bytes and holes per second.
void setRates(benchmark::State& theState, const size_t theBytes, const double theHoles)
{
  theState.SetBytesProcessed(static_cast<int64_t>(theBytes) * theState.iterations());
  theState.counters["holes"] =
      benchmark::Counter(theHoles, benchmark::Counter::kIsIterationInvariantRate);
}

//! Reads the file into a new model per iteration; releasing the model is not timed.
void excellonRead(benchmark::State& theState, const bool theIsDecimal)
{
  const std::string& aBytes = file(theIsDecimal);
  double             aHoles = 0.0;
  for (auto _ : theState)
  {
    Handle(PenFormatData_Model) aModel = new PenFormatData_Model();
    MemoryBuffer           aBuffer(aBytes);
    std::istream           aStream(&aBuffer);
    VexPcb_TransferReport  aReport;
    const Standard_Boolean isOk =
        VexExcellon_Reader::Read(aStream, VexPcb_ImportOptions(), *aModel, aReport);
    theState.PauseTiming();
    if (!isOk)
    {
      theState.SkipWithError("the Excellon reader failed");
    }
    aHoles = aReport.Count(VexPcb_TransferReport::Outcome_Toolpath, "holes");
    aModel.Nullify();
    VexBench_ModelMaker::ReleaseHeap();
    theState.ResumeTiming();
  }
  setRates(theState, aBytes.size(), aHoles);
}

//! Floor of the read: one pass over the same bytes through the same kind of stream buffer.
void excellonFloor(benchmark::State& theState, const bool theIsDecimal)
{
  const std::string& aBytes = file(theIsDecimal);
  uint64_t           aLines = 0;
  for (auto _ : theState)
  {
    MemoryBuffer aBuffer(aBytes);
    char         aBlock[1 << 16];
    for (std::streamsize aRead = aBuffer.sgetn(aBlock, sizeof(aBlock)); aRead > 0;
         aRead                 = aBuffer.sgetn(aBlock, sizeof(aBlock)))
    {
      for (std::streamsize anIndex = 0; anIndex < aRead; ++anIndex)
      {
        aLines += aBlock[anIndex] == '\n' ? 1 : 0;
      }
    }
  }
  benchmark::DoNotOptimize(aLines);
  setRates(theState, aBytes.size(), THE_HOLES);
}

//! Writes the model of the decimal file per iteration into memory.
void excellonWrite(benchmark::State& theState)
{
  Handle(PenFormatData_Model) aModel = new PenFormatData_Model();
  {
    MemoryBuffer          aBuffer(file(true));
    std::istream          aStream(&aBuffer);
    VexPcb_TransferReport aReport;
    VexExcellon_Reader::Read(aStream, VexPcb_ImportOptions(), *aModel, aReport);
  }
  size_t aBytes = 0;
  for (auto _ : theState)
  {
    std::ostringstream    aStream;
    VexPcb_TransferReport aReport;
    if (!VexExcellon_Writer::Write(*aModel, VexExcellon_WriterOptions(), aStream, aReport))
    {
      theState.SkipWithError("the Excellon writer failed");
    }
    aBytes = static_cast<size_t>(aStream.tellp());
  }
  setRates(theState, aBytes, THE_HOLES);
}

BENCHMARK_CAPTURE(excellonFloor, decimal, true)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(excellonRead, decimal, true)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(excellonFloor, implied, false)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(excellonRead, implied, false)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(excellonWrite)->Unit(benchmark::kMillisecond)->Iterations(3);
} // namespace
