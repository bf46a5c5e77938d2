// Copyright (c) 2026 VexData developers
// Import cost of Gerber artwork: a file of 1,000,000 draws made in memory (the same bytes every
// run), read into a new model per iteration, in MB/s and draws/s; beside it the floor of one
// pass over the same bytes, and the writer on the model read. Rates are per CPU second of the
// reading thread, so that a busy machine does not distort them.
#include <VexGerber_Reader.hxx>
#include <VexGerber_Writer.hxx>

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <istream>
#include <sstream>
#include <string>

namespace
{
//! Draws in the generated file.
const int THE_DRAWS = 1000000;

//! Draws per contour before a move starts the next one.
const int THE_CONTOUR = 100;

//! A stream buffer over bytes in memory, without a copy.
class MemoryBuffer : public std::streambuf
{
public:
  MemoryBuffer(const std::string& theData)
  {
    char* aBegin = const_cast<char*>(theData.data());
    setg(aBegin, aBegin, aBegin + theData.size());
  }
};

//! The generated file: a millimetre header with four round apertures, then contours of draws
//! wandering over a 200 mm board by pseudo-random steps, with an aperture change every ten
//! contours, as a board's tracks would be written.
const std::string& gerberFile()
{
  static std::string aFile;
  if (!aFile.empty())
  {
    return aFile;
  }
  aFile.reserve(static_cast<size_t>(THE_DRAWS) * 26);
  aFile = "%FSLAX46Y46*%\n%MOMM*%\n%ADD10C,0.2*%\n%ADD11C,0.25*%\n%ADD12C,0.3*%\n%ADD13C,0.5*%\n"
          "G75*\nG01*\n";
  uint32_t aSeed = 12345;
  auto     next  = [&aSeed]()
  {
    aSeed = aSeed * 1664525u + 1013904223u;
    return aSeed >> 8;
  };
  long long aX = 100000000, aY = 100000000;
  char      aLine[64];
  for (int aDraw = 0; aDraw < THE_DRAWS; ++aDraw)
  {
    if (aDraw % THE_CONTOUR == 0)
    {
      if (aDraw % (THE_CONTOUR * 10) == 0)
      {
        std::snprintf(aLine, sizeof(aLine), "D%d*\n", 10 + (aDraw / (THE_CONTOUR * 10)) % 4);
        aFile += aLine;
      }
      aX = 1000000 + static_cast<long long>(next() % 198000) * 1000;
      aY = 1000000 + static_cast<long long>(next() % 198000) * 1000;
      std::snprintf(aLine, sizeof(aLine), "X%lldY%lldD02*\n", aX, aY);
      aFile += aLine;
    }
    aX += static_cast<long long>(next() % 2001) - 1000;
    aY += static_cast<long long>(next() % 2001) - 1000;
    std::snprintf(aLine, sizeof(aLine), "X%lldY%lldD01*\n", aX, aY);
    aFile += aLine;
  }
  aFile += "M02*\n";
  return aFile;
}

//! One pass over the bytes counting the commands: what any reader must at least do.
void gerberFloor(benchmark::State& theState)
{
  const std::string& aFile  = gerberFile();
  size_t             aCount = 0;
  for (auto _ : theState)
  {
    aCount = 0;
    for (const char* aPos = aFile.data();
         (aPos = static_cast<const char*>(
              std::memchr(aPos, '*', aFile.data() + aFile.size() - aPos))) != NULL;
         ++aPos)
    {
      ++aCount;
    }
    benchmark::DoNotOptimize(aCount);
  }
  theState.SetBytesProcessed(static_cast<int64_t>(theState.iterations() * aFile.size()));
}

//! Reads the file into a new model per iteration; the model's release is not timed.
void gerberRead(benchmark::State& theState)
{
  const std::string& aFile = gerberFile();
  for (auto _ : theState)
  {
    Handle(PenFormatData_Model) aModel = new PenFormatData_Model();
    MemoryBuffer          aBuffer(aFile);
    std::istream          aStream(&aBuffer);
    VexPcb_TransferReport aReport;
    if (!VexGerber_Reader::Read(aStream, VexPcb_ImportOptions(), *aModel, aReport) ||
        aReport.Count(VexPcb_TransferReport::Outcome_Toolpath, "draws") != THE_DRAWS)
    {
      theState.SkipWithError("the reader failed");
    }
    theState.PauseTiming();
    aModel.Nullify();
    theState.ResumeTiming();
  }
  theState.SetBytesProcessed(static_cast<int64_t>(theState.iterations() * aFile.size()));
  theState.counters["draws"] =
      benchmark::Counter(THE_DRAWS, benchmark::Counter::kIsIterationInvariantRate);
  theState.counters["MB"] = static_cast<double>(aFile.size()) * 1.0e-6;
}

//! Writes the model of the file to memory per iteration.
void gerberWrite(benchmark::State& theState)
{
  const std::string& aFile           = gerberFile();
  Handle(PenFormatData_Model) aModel = new PenFormatData_Model();
  MemoryBuffer          aBuffer(aFile);
  std::istream          aStream(&aBuffer);
  VexPcb_TransferReport aReport;
  if (!VexGerber_Reader::Read(aStream, VexPcb_ImportOptions(), *aModel, aReport))
  {
    theState.SkipWithError("the reader failed");
    return;
  }
  size_t aBytes = 0;
  for (auto _ : theState)
  {
    std::ostringstream    anOut;
    VexPcb_TransferReport aCounts;
    VexGerber_Writer::Write(*aModel, VexGerber_WriterOptions(), anOut, aCounts);
    aBytes = static_cast<size_t>(anOut.tellp());
  }
  theState.SetBytesProcessed(static_cast<int64_t>(theState.iterations() * aBytes));
  theState.counters["draws"] =
      benchmark::Counter(THE_DRAWS, benchmark::Counter::kIsIterationInvariantRate);
}
} // namespace

BENCHMARK(gerberFloor)->Name("gerber_floor/1M_draws")->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(gerberRead)->Name("gerber_read/1M_draws")->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(gerberWrite)->Name("gerber_write/1M_draws")->Unit(benchmark::kMillisecond)->Iterations(3);
