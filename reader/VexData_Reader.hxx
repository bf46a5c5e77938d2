// Copyright (c) 2026 VexData developers
#ifndef _VexData_Reader_HeaderFile
#define _VexData_Reader_HeaderFile

#include <VexData_Macro.hxx>
#include <VexData_ReadStatus.hxx>
#include <PenFormatData_Model.hxx>

#include <Standard_TypeDef.hxx>

#include <istream>
#include <memory>

class VexData_ModelBuilder;
class VexData_RecordParser;

//! Reads one machine file into a pen-format model: checks the header, applies the type
//! declarations, then turns tool definitions into apertures, toolpath blocks into layers and
//! sequences, and scan field positions into rectangles on the "Scan fields" layer. Records it
//! does not use are stepped over. Objects are added to the model as they are read; a failure
//! stops the read at once with a non-zero status and a message to the model's messenger, and
//! leaves what was added so far in the model for the caller to discard.
class VexData_Reader : public VexData_ReadStatus
{
public:
  //! Bounds on what one file may make the reader do. Both are far above any real board; they
  //! keep a small file from building an unbounded model or taking quadratic time.
  struct Limits
  {
    //! Most curve elements that macro placements may copy while reading one file.
    Standard_Size Elements;
    //! Most renamings (T_1, T_2 ...) that tool definitions may cause while reading one file;
    //! every renaming probes the tool table.
    Standard_Size Renamings;

    //! Creates the bounds the entry points use: ten million elements, a million renamings.
    Limits() : Elements(10000000), Renamings(1000000) {}
  };

  //! Creates a reader that fills theModel, with the default limits.
  VexData_EXPORT VexData_Reader(PenFormatData_Model& theModel);

  //! Creates a reader that fills theModel within theLimits.
  VexData_EXPORT VexData_Reader(PenFormatData_Model& theModel, const Limits& theLimits);

  //! Releases the reader's tables; the model stays.
  VexData_EXPORT ~VexData_Reader();

  //! Reads a machine file from theStream into the model and returns the final status.
  VexData_EXPORT Status Process(std::istream& theStream);

  //! Returns the current status.
  VexData_EXPORT Status GetStatus() const;

private:
  VexData_Reader(const VexData_Reader&)            = delete;
  VexData_Reader& operator=(const VexData_Reader&) = delete;

private:
  PenFormatData_Model&                  myModel;   //!< model being filled
  std::unique_ptr<VexData_RecordParser> myParser;  //!< grammar, checks and tables of the file
  std::unique_ptr<VexData_ModelBuilder> myBuilder; //!< turns the records into the model
  Status                                myStatus;  //!< current status
};

#endif
