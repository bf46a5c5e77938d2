// Copyright (c) 2026 VexData developers
#ifndef _VexGerber_Writer_HeaderFile
#define _VexGerber_Writer_HeaderFile

#include <VexGeom_Contour.hxx>
#include <VexGerber_RegionHoles.hxx>
#include <VexGerber_Tallies.hxx>
#include <VexGerber_WriterApertures.hxx>
#include <VexGerber_WriterOptions.hxx>

#include <PenFormatData_Model.hxx>
#include <PenFormatData_Sequence.hxx>
#include <VexPcb_TransferReport.hxx>

#include <NCollection_DataMap.hxx>

#include <ostream>
#include <string>
#include <vector>

//! Writes a pen-format model as Gerber (RS-274X) artwork in millimetres, format 4.6 (one
//! nanometre, so no point moves by more than half of it), with X2 file attributes saying what
//! the file is:
//! - path toolpaths as draws and arcs (multi-quadrant, full circles as arcs that end where they
//!   start) with one round aperture per tool, of the tool's width;
//! - point toolpaths as flashes of the tool's aperture;
//! - artwork flashes (points of a rectangle, obround, polygon or circle, with a round hole or
//!   not) as flashes of an aperture of that shape, dark or clear;
//! - artwork areas as regions, each outline with the holes it encloses joined to it by cut-in
//!   lines, and clear objects under clear polarity, so that an imported design writes back;
//!   a model of negative polarity gets %IPNEG.
//! Other objects (layers, scan-field rectangles) are left out and counted.
class VexGerber_Writer
{
public:
  //! Writes theModel to theStream with theOptions; theCounts receives what was written per kind
  //! and what was left out. Returns false when the stream fails, with the fault (key
  //! VEX_GERBER_WRITE_FAILED, the output line first) in theCounts; the output is then
  //! incomplete.
  Standard_EXPORT static Standard_Boolean Write(const PenFormatData_Model&     theModel,
                                                const VexGerber_WriterOptions& theOptions,
                                                std::ostream&                  theStream,
                                                VexPcb_TransferReport&         theCounts);

private:
  //! Creates a writer of theModel to theStream.
  VexGerber_Writer(const PenFormatData_Model& theModel, const VexGerber_WriterOptions& theOptions,
                   std::ostream& theStream, VexPcb_TransferReport& theCounts);

  //! Returns true when theSequence passes the phase and layer filters.
  Standard_Boolean isSelected(const PenFormatData_Sequence& theSequence) const;

  //! Returns true for the sequences that are written.
  Standard_Boolean isWritten(const PenFormatData_Sequence& theSequence);

  //! Writes the header: attributes, format, unit, apertures.
  void writeHeader();

  //! Gives every aperture that written strokes or points use a D code and defines it (see
  //! VexGerber_WriterApertures); defines one unused aperture when none is used (a file of
  //! regions only).
  void writeApertures();

  //! Writes one sequence.
  void writeSequence(const PenFormatData_Sequence& theSequence);

  //! Writes the contours of a stroke or point sequence.
  void writeStrokes(const PenFormatData_Sequence& theSequence);

  //! Writes one contour as a move and draws, arcs and flashes; only flashes when isFlashes (the
  //! points of artwork flashes), the lines counted as left out.
  void writeContour(const PhGeom_Curve& theCurve, const Standard_Boolean isFlashes);

  //! Writes the contours of an area sequence as regions.
  void writeAreas(const PenFormatData_Sequence& theSequence);

  //! Writes item theIndex of the area sequence as a region with its holes.
  void writeRegion(const Standard_Integer theIndex);

  //! Writes theContour as region edges, with a move to its start first when isMove.
  void writeRegionContour(const VexGeom_Contour& theContour,
                          const Standard_Boolean isMove = Standard_True);

  //! Writes an arc to theEnd around theCenter as G02/G03 from the current point.
  void writeArc(const gp_XY& theEnd, const gp_XY& theCenter, const Standard_Boolean isCcw);

  //! Counts one feature of theKind, as a clear object under clear polarity.
  void count(const VexPcb_TransferReport::Outcome theOutcome, const Standard_CString theKind);

  //! Sets the polarity.
  void setPolarity(const Standard_Boolean isClear);

  //! Sets the interpolation mode (1, 2 or 3).
  void setMode(const Standard_Integer theMode);

  //! Writes "X..Y.." of thePoint (model unit), with theCenter "I..J.." of the centre of an arc
  //! from the current point, followed by theCode, and moves the current point.
  void writePoint(const gp_XY& thePoint, const char* theCode, const gp_XY* theCenter = NULL);

  //! Writes theText and a line end.
  void line(const char* theText);

  //! Writes theLength characters of theText and a line end.
  void line(const char* theText, const size_t theLength);

  //! Hands the lines gathered to the stream, counting those it took whole; a stream that takes
  //! less is marked bad.
  void flush();

  //! Returns theValue in the model's unit as nanometres.
  long long nanometres(const Standard_Real theValue) const;

  const PenFormatData_Model&     myModel;       //!< what is written
  const VexGerber_WriterOptions& myOptions;     //!< filters and attributes
  std::ostream&                  myStream;      //!< output
  VexPcb_TransferReport&         myCounts;      //!< counts
  VexGerber_Tallies              myTallies;     //!< counts not yet in myCounts
  VexGerber_WriterApertures      myApertures;   //!< D codes
  Standard_Real                  myFactor;      //!< model unit in millimetres
  Standard_Integer               myLines;       //!< lines written
  Standard_Integer               myBufferLines; //!< lines in myBuffer
  Standard_Integer               myMode;        //!< interpolation mode written, 0 none
  Standard_Integer               myCode;        //!< D code selected, 0 none
  Standard_Integer               myPolarity;    //!< polarity written: -1 none, 0 dark, 1 clear
  gp_XY                          myPoint;       //!< current point (model unit)
  std::string                    myBuffer;      //!< lines not yet handed to the stream
  VexGerber_RegionHoles          myHoles;       //!< contours of the area sequence being written
  VexGeom_Contour                myContour; //!< a contour being written or tested (memory reused)
};

#endif
