// Copyright (c) 2026 VexData developers
#include <VexBench_Inputs.hxx>

#include <VexBench_FileMaker.hxx>
#include <VexData_Reader.hxx>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <unistd.h>

namespace
{
//! Size of the small file against which time per megabyte is compared.
const size_t THE_SMALL_SIZE = 1000000;

//! File names of the inputs, in the order of VexBench_Inputs::Input.
const char* const THE_NAMES[] = {"path.vex",   "lines.vex",    "drill.vex",
                                 "blocks.vex", "path-1mb.vex", "peer.stl"};

//! Writes theData to thePath; returns false when that fails.
bool writeFile(const std::string& thePath, const std::string& theData)
{
  std::ofstream aFile(thePath.c_str(), std::ios::binary | std::ios::trunc);
  aFile.write(theData.data(), static_cast<std::streamsize>(theData.size()));
  aFile.close();
  return !aFile.fail();
}
} // namespace

VexBench_Inputs::VexBench_Inputs(const std::string& theFolder, const size_t theLargeSize)
    : myLargeSize(theLargeSize), myModelInput(Input_NbInputs)
{
  std::string aTemplate = theFolder + "/vexbench-XXXXXX";
  if (mkdtemp(&aTemplate[0]) != NULL)
  {
    myFolder = aTemplate;
  }
  for (int anInput = 0; anInput < Input_NbInputs; ++anInput)
  {
    mySizes[anInput] = 0;
  }
  myCounts = VexBench_ModelMaker::Counts{0, 0, 0, 0};
}

VexBench_Inputs::~VexBench_Inputs()
{
  myModel.Nullify();
  for (int anInput = 0; anInput < Input_NbInputs; ++anInput)
  {
    if (!myFiles[anInput].empty())
    {
      std::remove(myFiles[anInput].c_str());
    }
  }
  std::remove(Scratch("out.vex").c_str());
  std::remove(Scratch("floor.out").c_str());
  if (!myFolder.empty())
  {
    rmdir(myFolder.c_str());
  }
}

std::string VexBench_Inputs::Scratch(const std::string& theName) const
{
  return myFolder + "/" + theName;
}

const std::string& VexBench_Inputs::File(const Input theInput)
{
  if (!myFiles[theInput].empty())
  {
    return myFiles[theInput];
  }
  std::string aData;
  switch (theInput)
  {
  case Input_Path:
    aData = VexBench_FileMaker::Make(VexBench_FileMaker::Kind_Path, myLargeSize);
    break;
  case Input_Lines:
    aData = VexBench_FileMaker::Make(VexBench_FileMaker::Kind_Lines, myLargeSize);
    break;
  case Input_Drill:
    aData = VexBench_FileMaker::Make(VexBench_FileMaker::Kind_Drill, myLargeSize);
    break;
  case Input_Blocks:
    aData = VexBench_FileMaker::Make(VexBench_FileMaker::Kind_Blocks, myLargeSize);
    break;
  case Input_SmallPath:
    aData = VexBench_FileMaker::Make(VexBench_FileMaker::Kind_Path, THE_SMALL_SIZE);
    break;
  default:
    aData = VexBench_FileMaker::MakeStl(myLargeSize);
    break;
  }
  const std::string aPath = Scratch(THE_NAMES[theInput]);
  if (myFolder.empty() || !writeFile(aPath, aData))
  {
    std::fprintf(stderr, "vexbench: cannot write %s\n", aPath.c_str());
    std::exit(2);
  }
  myFiles[theInput] = aPath;
  mySizes[theInput] = aData.size();
  return myFiles[theInput];
}

size_t VexBench_Inputs::Size(const Input theInput)
{
  File(theInput);
  return mySizes[theInput];
}

int VexBench_Inputs::Read(const std::string& thePath, PenFormatData_Model& theModel)
{
  std::ifstream  aFile(thePath.c_str(), std::ios::binary);
  VexData_Reader aReader(theModel);
  return aReader.Process(aFile);
}

const Handle(PenFormatData_Model) & VexBench_Inputs::Model(const Input theInput)
{
  if (myModelInput == theInput)
  {
    return myModel;
  }
  ReleaseModel();
  const std::string& aPath = File(theInput);
  myModel                  = new PenFormatData_Model();
  if (Read(aPath, *myModel) != 0)
  {
    myModel.Nullify();
    return myModel;
  }
  myModelInput = theInput;
  myCounts     = VexBench_ModelMaker::Count(*myModel);
  return myModel;
}

const VexBench_ModelMaker::Counts& VexBench_Inputs::Counts(const Input theInput)
{
  Model(theInput);
  return myCounts;
}

void VexBench_Inputs::ReleaseModel()
{
  myModel.Nullify();
  myModelInput = Input_NbInputs;
  myCounts     = VexBench_ModelMaker::Counts{0, 0, 0, 0};
}
