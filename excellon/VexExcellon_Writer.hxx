// Copyright (c) 2026 VexData developers
#ifndef _VexExcellon_Writer_HeaderFile
#define _VexExcellon_Writer_HeaderFile

#include <VexExcellon_WriterOptions.hxx>
#include <VexPcb_TransferReport.hxx>

#include <PenFormatData_Model.hxx>
#include <PenFormatData_Sequence.hxx>

#include <NCollection_DataMap.hxx>
#include <NCollection_Vector.hxx>

#include <ostream>
#include <string>

//! Writes the drilling toolpaths of a pen-format model as an Excellon drill file.
//!
//! The file: a header (M48) with comment lines of attributes saying what the file is
//! ("; #@! TF.GenerationSoftware", "; #@! TF.FileFunction"), METRIC and one tool per aperture
//! that point toolpaths use (its diameter the aperture's width in millimetres); then, tool by
//! tool, the holes of those toolpaths in model order, and M30. Numbers are millimetres with a
//! decimal point and six decimals at most, so that no hole moves by more than half a nanometre
//! and the file reads the same whatever zeros a reader assumes. Tools keep their numbers when
//! every aperture written is named "T<number>" with distinct numbers (as imported drill files
//! are); otherwise they are numbered from 1 in order of first use.
//!
//! What the file cannot hold is counted in the caller's report as left out (Outcome_Ignored):
//! "path toolpaths", "objects that are not toolpaths" and "elements of drilling toolpaths that
//! are not points"; the holes written are counted as "holes" (Outcome_Toolpath). Only objects
//! of the phase and layer of the options take part.
class VexExcellon_Writer
{
public:
  //! Writes the selected point toolpaths of theModel to theStream. Returns false, with the
  //! fault in theCounts (its line is not meaningful), when an aperture used is not round with a
  //! width of 0 or more, when a hole lies outside the range a drill file holds, when there is
  //! no hole to write, or when the stream fails; nothing is written in the first three cases. No
  //! exception leaves this method.
  Standard_EXPORT static Standard_Boolean Write(const PenFormatData_Model&       theModel,
                                                const VexExcellon_WriterOptions& theOptions,
                                                std::ostream&                    theStream,
                                                VexPcb_TransferReport&           theCounts);

private:
  //! The holes of one aperture.
  struct Tool
  {
    Standard_Integer                                   Aperture;  //!< aperture number
    Standard_Integer                                   Number;    //!< tool number in the file
    Standard_Real                                      Diameter;  //!< millimetres
    NCollection_Vector<Handle(PenFormatData_Sequence)> Toolpaths; //!< in model order
  };

  //! Creates the writer of theModel, counting into theCounts.
  VexExcellon_Writer(const PenFormatData_Model& theModel, VexPcb_TransferReport& theCounts);

  //! Gathers the point toolpaths theOptions select, per aperture, and counts the rest.
  void collect(const VexExcellon_WriterOptions& theOptions);

  //! Checks the apertures and holes to write; false, with the fault, when one cannot be.
  Standard_Boolean check();

  //! Checks the holes of theTool.
  Standard_Boolean checkHoles(const Tool& theTool);

  //! Gives every tool its number in the file.
  void numberTools();

  //! Appends the header to theText.
  void writeHeader(std::string& theText) const;

  //! Writes the header in theText, the holes and the end to theStream; false when it fails.
  Standard_Boolean writeBody(std::ostream& theStream, std::string& theText);

  //! Appends the holes of theContainer to theText, handing full chunks to theStream.
  void writeHoles(const PhGeom_Curve& theContainer, std::ostream& theStream, std::string& theText);

  //! Adds theCount of theKind with theOutcome to the counts, when there are any.
  void count(const VexPcb_TransferReport::Outcome theOutcome, const char* theKind,
             const Standard_Integer theCount) const;

  const PenFormatData_Model&                              myModel;  //!< the model written
  VexPcb_TransferReport&                                  myCounts; //!< counts and fault
  NCollection_Vector<Tool>                                myTools;  //!< tools in order of first use
  NCollection_DataMap<Standard_Integer, Standard_Integer> myByAperture; //!< index in myTools
  Standard_Real                                           myFactor; //!< model unit to millimetres
  Standard_Integer                                        myHoles;  //!< points written
  Standard_Integer                                        myPaths;  //!< path toolpaths left out
  Standard_Integer myArtwork;   //!< sequences that are not toolpaths, left out
  Standard_Integer myNotPoints; //!< elements of point toolpaths that are not points
  Standard_Integer myPoints;    //!< holes to write
};

#endif
