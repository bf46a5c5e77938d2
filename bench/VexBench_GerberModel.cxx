// Copyright (c) 2026 VexData developers
// Memory of the model a Gerber import leaves: files of 100,000 draws, flashes or four-sided
// regions made in memory (the same bytes every run) are read from a stream into a new model, and
// the heap the model holds afterwards (the reader's buffers freed) is divided by the objects.
#include <VexBench_ModelMaker.hxx>

#include <VexGerber_Reader.hxx>

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <sstream>
#include <string>

namespace
{
//! Objects in each generated file.
const int THE_OBJECTS = 100000;

//! What a generated file holds.
enum Kind
{
  Kind_Draws,   //!< round draws in contours of 20
  Kind_Flashes, //!< round flashes
  Kind_Regions  //!< four-sided regions
};

//! Appends one coordinate command to theFile.
void appendCommand(std::string& theFile, const long long theX, const long long theY,
                   const char* theCode)
{
  char aLine[64];
  std::snprintf(aLine, sizeof(aLine), "X%lldY%lld%s*\n", theX, theY, theCode);
  theFile += aLine;
}

//! Appends object theIndex of theKind at theX, theY to theFile.
void appendObject(std::string& theFile, const Kind theKind, const int theIndex,
                  const long long theX, const long long theY)
{
  switch (theKind)
  {
  case Kind_Draws:
    appendCommand(theFile, theX, theY, theIndex % 20 == 0 ? "D02" : "D01");
    break;
  case Kind_Flashes:
    appendCommand(theFile, theX, theY, "D03");
    break;
  case Kind_Regions:
    theFile += "G36*\n";
    appendCommand(theFile, theX, theY, "D02");
    appendCommand(theFile, theX + 500000, theY, "D01");
    appendCommand(theFile, theX + 500000, theY + 300000, "D01");
    appendCommand(theFile, theX, theY + 300000, "D01");
    appendCommand(theFile, theX, theY, "D01");
    theFile += "G37*\n";
    break;
  }
}

//! Returns the file of theKind: a millimetre header, a round aperture, and the objects spread
//! over a 200 mm board by a fixed pseudo-random walk (draws by small steps).
std::string gerberFile(const Kind theKind)
{
  std::string aFile = "%FSLAX46Y46*%\n%MOMM*%\n%ADD10C,0.2*%\nD10*\n";
  uint32_t    aSeed = 12345;
  auto        next  = [&aSeed]()
  {
    aSeed = aSeed * 1664525u + 1013904223u;
    return aSeed >> 8;
  };
  long long aX = 100000000, aY = 100000000;
  for (int anIndex = 0; anIndex < THE_OBJECTS; ++anIndex)
  {
    if (theKind != Kind_Draws || anIndex % 20 == 0)
    {
      aX = 1000000 + static_cast<long long>(next() % 198000) * 1000;
      aY = 1000000 + static_cast<long long>(next() % 198000) * 1000;
    }
    else
    {
      aX += static_cast<long long>(next() % 2001) - 1000;
      aY += static_cast<long long>(next() % 2001) - 1000;
    }
    appendObject(aFile, theKind, anIndex, aX, aY);
  }
  aFile += "M02*\n";
  return aFile;
}

//! Reads the file of theKind into a new model per iteration and reports the heap the model
//! holds per object (draws count without the moves that start their contours).
void modelBytes(benchmark::State& theState, const Kind theKind)
{
  const std::string aFile    = gerberFile(theKind);
  double            aPerItem = 0.0;
  for (auto _ : theState)
  {
    VexBench_ModelMaker::ReleaseHeap();
    const size_t aBefore               = VexBench_ModelMaker::HeapInUse();
    Handle(PenFormatData_Model) aModel = new PenFormatData_Model();
    {
      std::istringstream    aStream(aFile);
      VexPcb_TransferReport aReport;
      if (!VexGerber_Reader::Read(aStream, VexPcb_ImportOptions(), *aModel, aReport))
      {
        theState.SkipWithError("the reader failed");
      }
    }
    const size_t anAfter = VexBench_ModelMaker::HeapInUse();
    const double anItems = theKind == Kind_Draws ? THE_OBJECTS * 19.0 / 20.0 : THE_OBJECTS;
    aPerItem = anAfter > aBefore ? static_cast<double>(anAfter - aBefore) / anItems : 0.0;
    theState.PauseTiming();
    aModel.Nullify();
    theState.ResumeTiming();
  }
  theState.counters["bytes_per_object"] = aPerItem;
}
} // namespace

BENCHMARK_CAPTURE(modelBytes, draws, Kind_Draws)
    ->Name("gerber_model/draws")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK_CAPTURE(modelBytes, flashes, Kind_Flashes)
    ->Name("gerber_model/flashes")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK_CAPTURE(modelBytes, regions, Kind_Regions)
    ->Name("gerber_model/regions")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
