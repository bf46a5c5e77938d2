// Copyright (c) 2026 VexData developers
#ifndef _VexBench_Inputs_HeaderFile
#define _VexBench_Inputs_HeaderFile

#include <VexBench_ModelMaker.hxx>

#include <cstddef>
#include <string>

//! The files and models the benchmarks share. Files are made on first use in a scratch folder
//! and removed with the object; the writer's model of a file is that file read back, kept for as
//! long as the same input is asked for (one model at a time, to bound memory).
class VexBench_Inputs
{
public:
  //! The inputs.
  enum Input
  {
    Input_Path,      //!< path-heavy machine file, the large size
    Input_Lines,     //!< segments-only machine file, the large size
    Input_Drill,     //!< drill-heavy machine file, the large size
    Input_Blocks,    //!< machine file of many small blocks and tools, the large size
    Input_SmallPath, //!< path-heavy machine file of one megabyte
    Input_Stl,       //!< binary STL file of the large size
    Input_NbInputs   //!< number of inputs
  };

  //! Creates the scratch folder under theFolder with files of theLargeSize bytes.
  VexBench_Inputs(const std::string& theFolder, const size_t theLargeSize);

  //! Removes the files and the scratch folder.
  ~VexBench_Inputs();

  //! Returns the path of theInput, making the file first when needed.
  const std::string& File(const Input theInput);

  //! Returns the size of theInput's file in bytes, making the file first when needed.
  size_t Size(const Input theInput);

  //! Returns the path of a scratch file for output, named theName.
  std::string Scratch(const std::string& theName) const;

  //! Returns the model read from theInput (a machine file); null when reading fails.
  const Handle(PenFormatData_Model) & Model(const Input theInput);

  //! Returns the element counts of Model(theInput).
  const VexBench_ModelMaker::Counts& Counts(const Input theInput);

  //! Drops the kept model.
  void ReleaseModel();

  //! Reads the machine file thePath into theModel; returns the reader's status.
  static int Read(const std::string& thePath, PenFormatData_Model& theModel);

private:
  VexBench_Inputs(const VexBench_Inputs&);
  VexBench_Inputs& operator=(const VexBench_Inputs&);

  std::string myFolder;                     //!< scratch folder
  size_t      myLargeSize;                  //!< size of the large files
  std::string myFiles[Input_NbInputs];      //!< paths, empty until made
  size_t      mySizes[Input_NbInputs];      //!< file sizes
  Handle(PenFormatData_Model) myModel;      //!< model of myModelInput
  Input                       myModelInput; //!< input of myModel
  VexBench_ModelMaker::Counts myCounts;     //!< element counts of myModel
};

#endif
