// Copyright (c) 2026 VexData developers
// Benchmarks of the machine-file reader and writer, each beside an anchor measured in the same
// run on the same bytes: one pass of the stream buffer over the file (reading), the same number
// of bytes put into the stream buffer (writing), and a binary STL file of the same size read by
// OpenCASCADE's STL reader (the peer). The run ends with a table of figures, anchors and ratios,
// where the imports of design files (VexBench_Gerber.cxx, VexBench_Excellon.cxx: a million draws,
// a million holes) stand beside the machine-file reader.
#include <VexBench_Inputs.hxx>
#include <VexBench_Reporter.hxx>

#include <VexData_Reader.hxx>
#include <VexData_Writer.hxx>

#include <benchmark/benchmark.h>

#ifdef VEXBENCH_HAVE_STL
#include <RWStl.hxx>
#endif

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>

namespace
{
typedef VexBench_Inputs::Input Input;
typedef std::char_traits<char> Traits;

//! Iterations of a benchmark over a large file.
const int THE_LARGE_ITERATIONS = 2;

//! Iterations of a benchmark over the one-megabyte file.
const int THE_SMALL_ITERATIONS = 100;

//! Returns the shared inputs; theInputs, when given, becomes them.
VexBench_Inputs& inputs(VexBench_Inputs* theInputs = NULL)
{
  static VexBench_Inputs* aCurrent = NULL;
  if (theInputs != NULL)
  {
    aCurrent = theInputs;
  }
  return *aCurrent;
}

//! Bytes the writer produced for each input, for the write floor.
std::map<Input, size_t>& writtenSizes()
{
  static std::map<Input, size_t> aSizes;
  return aSizes;
}

//! Sets the byte count of theState's run to theBytes per iteration.
void setBytes(benchmark::State& theState, const size_t theBytes)
{
  theState.SetBytesProcessed(static_cast<int64_t>(theBytes) * theState.iterations());
}

//! Read floor: one pass over the file through a file stream buffer, touching every byte.
void readFloor(benchmark::State& theState, const Input theInput)
{
  inputs().ReleaseModel();
  const std::string& aPath = inputs().File(theInput);
  uint64_t           aSum  = 0;
  for (auto _ : theState)
  {
    std::ifstream   aFile(aPath.c_str(), std::ios::binary);
    std::streambuf* aBuffer = aFile.rdbuf();
    for (Traits::int_type aChar = aBuffer->sbumpc(); !Traits::eq_int_type(aChar, Traits::eof());
         aChar                  = aBuffer->sbumpc())
    {
      aSum += static_cast<uint64_t>(aChar);
    }
  }
  benchmark::DoNotOptimize(aSum);
  setBytes(theState, inputs().Size(theInput));
}

//! Reads the file into a new model per iteration; the model's release is not timed. Every read
//! starts on a heap that has given its free memory back, so that a small file pays for fresh
//! pages as a large one does.
void readModel(benchmark::State& theState, const Input theInput)
{
  inputs().ReleaseModel();
  const std::string& aPath      = inputs().File(theInput);
  size_t             anElements = 0;
  for (auto _ : theState)
  {
    Handle(PenFormatData_Model) aModel = new PenFormatData_Model();
    const int aStatus                  = VexBench_Inputs::Read(aPath, *aModel);
    theState.PauseTiming();
    if (aStatus != 0)
    {
      theState.SkipWithError("the reader failed");
    }
    if (anElements == 0)
    {
      anElements = VexBench_ModelMaker::Count(*aModel).Elements();
    }
    aModel.Nullify();
    VexBench_ModelMaker::ReleaseHeap();
    theState.ResumeTiming();
  }
  setBytes(theState, inputs().Size(theInput));
  theState.counters["elements"] = benchmark::Counter(static_cast<double>(anElements),
                                                     benchmark::Counter::kIsIterationInvariantRate);
}

//! Writes the model read from theInput once per iteration into a file.
void writeModel(benchmark::State& theState, const Input theInput)
{
  const Handle(PenFormatData_Model) aModel = inputs().Model(theInput);
  if (aModel.IsNull())
  {
    theState.SkipWithError("the input does not read");
    return;
  }
  const std::string anOut   = inputs().Scratch("out.vex");
  std::streamoff    aBytes  = 0;
  int               aStatus = 0;
  for (auto _ : theState)
  {
    std::ofstream  aFile(anOut.c_str(), std::ios::binary | std::ios::trunc);
    VexData_Writer aWriter(*aModel);
    aStatus = aWriter.Process(aFile);
    aBytes  = aFile.tellp();
    aFile.close();
  }
  if (aStatus != 0)
  {
    theState.SkipWithError("the writer failed");
  }
  writtenSizes()[theInput] = static_cast<size_t>(aBytes);
  setBytes(theState, static_cast<size_t>(aBytes));
}

//! Write floor: puts as many bytes as the writer wrote for theInput into a file stream buffer.
void writeFloor(benchmark::State& theState, const Input theInput)
{
  if (writtenSizes().count(theInput) == 0)
  {
    // The writer has not run in this process: learn its size now.
    const Handle(PenFormatData_Model) aModel = inputs().Model(theInput);
    std::ofstream  aFile(inputs().Scratch("out.vex").c_str(), std::ios::binary | std::ios::trunc);
    VexData_Writer aWriter(*aModel);
    aWriter.Process(aFile);
    writtenSizes()[theInput] = static_cast<size_t>(aFile.tellp());
  }
  const size_t      aBytes = writtenSizes()[theInput];
  const std::string anOut  = inputs().Scratch("floor.out");
  for (auto _ : theState)
  {
    std::ofstream   aFile(anOut.c_str(), std::ios::binary | std::ios::trunc);
    std::streambuf* aBuffer = aFile.rdbuf();
    for (size_t anIndex = 0; anIndex < aBytes; ++anIndex)
    {
      aBuffer->sputc(static_cast<char>(anIndex));
    }
    aFile.close();
  }
  setBytes(theState, aBytes);
}

//! Peak model memory while reading theInput, per element of the model.
void modelMemory(benchmark::State& theState, const Input theInput)
{
  inputs().ReleaseModel();
  const std::string& aPath       = inputs().File(theInput);
  double             aPerElement = 0.0, anElements = 0.0;
  for (auto _ : theState)
  {
    const size_t aBefore               = VexBench_ModelMaker::HeapInUse();
    Handle(PenFormatData_Model) aModel = new PenFormatData_Model();
    std::ifstream  aFile(aPath.c_str(), std::ios::binary);
    VexData_Reader aReader(*aModel);
    if (aReader.Process(aFile) != VexData_Reader::Ok)
    {
      theState.SkipWithError("the reader failed");
    }
    const size_t anAfter = VexBench_ModelMaker::HeapInUse();
    const double aUsed   = anAfter > aBefore ? static_cast<double>(anAfter - aBefore) : 0.0;
    anElements           = static_cast<double>(VexBench_ModelMaker::Count(*aModel).Elements());
    aPerElement          = anElements > 0.0 ? aUsed / anElements : 0.0;
  }
  theState.counters["bytes_per_element"] = aPerElement;
  theState.counters["model_elements"]    = anElements;
}

//! Writes a model of theCount scan fields over twenty tools.
void scanFields(benchmark::State& theState, const int theCount)
{
  inputs().ReleaseModel();
  const Handle(PenFormatData_Model) aModel = VexBench_ModelMaker::ScanFieldModel(theCount, 20);
  const std::string anOut                  = inputs().Scratch("out.vex");
  int               aStatus                = 0;
  for (auto _ : theState)
  {
    std::ofstream  aFile(anOut.c_str(), std::ios::binary | std::ios::trunc);
    VexData_Writer aWriter(*aModel);
    aStatus = aWriter.Process(aFile);
    aFile.close();
  }
  if (aStatus != 0)
  {
    theState.SkipWithError("the writer failed");
  }
  theState.counters["fields"] = theCount;
}

#ifdef VEXBENCH_HAVE_STL
//! Peer: OpenCASCADE's STL reader on a binary STL file of the large size.
void stlPeer(benchmark::State& theState)
{
  inputs().ReleaseModel();
  const std::string& aPath      = inputs().File(VexBench_Inputs::Input_Stl);
  double             aTriangles = 0.0;
  for (auto _ : theState)
  {
    Handle(Poly_Triangulation) aMesh = RWStl::ReadFile(aPath.c_str());
    theState.PauseTiming();
    if (aMesh.IsNull())
    {
      theState.SkipWithError("the STL reader failed");
    }
    else
    {
      aTriangles = aMesh->NbTriangles();
    }
    aMesh.Nullify();
    theState.ResumeTiming();
  }
  setBytes(theState, inputs().Size(VexBench_Inputs::Input_Stl));
  theState.counters["elements"] =
      benchmark::Counter(aTriangles, benchmark::Counter::kIsIterationInvariantRate);
}
#endif

//! Registers theFunction under theName with theIterations iterations. Figures and rates use the
//! process's CPU time (user and system): the machines are shared, and the wall clock would charge
//! a benchmark with the time other programs took.
template <class TheFunction, class... TheArgs>
void add(const char* theName, const int theIterations, TheFunction theFunction, TheArgs... theArgs)
{
  benchmark::RegisterBenchmark(theName, theFunction, theArgs...)
      ->Iterations(theIterations)
      ->Unit(benchmark::kMillisecond);
}

//! Registers every benchmark; each figure runs next to its anchor, and the 1 MB runs next to
//! the large runs they are compared with.
void registerAll()
{
  const int aLarge = THE_LARGE_ITERATIONS, aSmall = THE_SMALL_ITERATIONS;
  add("read_floor/path", aLarge, readFloor, VexBench_Inputs::Input_Path);
  add("read/path", aLarge, readModel, VexBench_Inputs::Input_Path);
  add("read_floor/path_1mb", aSmall, readFloor, VexBench_Inputs::Input_SmallPath);
  add("read/path_1mb", aSmall, readModel, VexBench_Inputs::Input_SmallPath);
#ifdef VEXBENCH_HAVE_STL
  add("stl_peer", aLarge, stlPeer);
#endif
  add("read_floor/drill", aLarge, readFloor, VexBench_Inputs::Input_Drill);
  add("read/drill", aLarge, readModel, VexBench_Inputs::Input_Drill);
  add("read_floor/blocks", aLarge, readFloor, VexBench_Inputs::Input_Blocks);
  add("read/blocks", aLarge, readModel, VexBench_Inputs::Input_Blocks);
  add("memory/lines", 1, modelMemory, VexBench_Inputs::Input_Lines);
  add("memory/drill", 1, modelMemory, VexBench_Inputs::Input_Drill);
  add("memory/path", 1, modelMemory, VexBench_Inputs::Input_Path);
  add("write/path", aLarge, writeModel, VexBench_Inputs::Input_Path);
  add("write_floor/path", aLarge, writeFloor, VexBench_Inputs::Input_Path);
  add("write/path_1mb", aSmall, writeModel, VexBench_Inputs::Input_SmallPath);
  add("write_floor/path_1mb", aSmall, writeFloor, VexBench_Inputs::Input_SmallPath);
  add("write/drill", aLarge, writeModel, VexBench_Inputs::Input_Drill);
  add("write_floor/drill", aLarge, writeFloor, VexBench_Inputs::Input_Drill);
  add("write/blocks", aLarge, writeModel, VexBench_Inputs::Input_Blocks);
  add("write_floor/blocks", aLarge, writeFloor, VexBench_Inputs::Input_Blocks);
  add("scan_fields/1000", 200, scanFields, 1000);
  add("scan_fields/10000", 20, scanFields, 10000);
  add("scan_fields/100000", 3, scanFields, 100000);
}
} // namespace

int main(int theArgc, char** theArgv)
{
  benchmark::Initialize(&theArgc, theArgv);
  if (benchmark::ReportUnrecognizedArguments(theArgc, theArgv))
  {
    return 1;
  }
  // VEXBENCH_MB scales the large files (default 100 MB); TMPDIR holds the scratch folder.
  const char*     aMegabytes = std::getenv("VEXBENCH_MB");
  const double    aScale     = aMegabytes != NULL ? std::atof(aMegabytes) : 100.0;
  const char*     aFolder    = std::getenv("TMPDIR");
  VexBench_Inputs anInputs(aFolder != NULL ? aFolder : "/tmp",
                           static_cast<size_t>((aScale > 0.0 ? aScale : 100.0) * 1.0e6));
  inputs(&anInputs);
  registerAll();
  VexBench_Reporter aReporter;
  benchmark::RunSpecifiedBenchmarks(&aReporter);
  aReporter.PrintTable(std::cout);
  benchmark::Shutdown();
  return 0;
}
