// Copyright (c) 2026 VexData developers
#ifndef _VexJob_CutOut_HeaderFile
#define _VexJob_CutOut_HeaderFile

#include <VexJob_Options.hxx>
#include <VexJob_Report.hxx>
#include <VexJob_Toolpath.hxx>

#include <PenFormatData_Model.hxx>

#include <clipper.hpp>

//! The board cut out along its outline. The outline design (a Gerber profile layer or the routes
//! of a drill file) is joined into closed contours as the design check builds its board; the
//! outer contours are cut outside at the end mill's radius and inner cut-outs inside theirs,
//! arcs fitted. With tabs, each outer contour is left in pieces: the tabs are spread evenly along
//! it, each moved onto the nearest element (straight or arc) long enough to hold it clear of the
//! element's ends, so no tab sits on a corner.
class VexJob_CutOut
{
public:
  //! Distance under which outline ends are joined, millimetres.
  static Standard_Real JoinDistance() { return 0.01; }

  //! Builds the board of theOutline (values usable) into theBoard (normalised polygons, integer
  //! units); open ends are problems of theReport, named with theName. Returns false when the
  //! outline encloses nothing.
  static Standard_Boolean Board(const PenFormatData_Model& theOutline, const std::string& theName,
                                VexJob_Report& theReport, ClipperLib::Paths& theBoard);

  //! Appends to theContours the cut of theBoard with an end mill of theWidth, in the direction
  //! and with the tabs of theOptions; tabs that do not fit are a problem of theReport. Returns
  //! the number of tabs placed.
  static Standard_Integer Cut(const ClipperLib::Paths& theBoard, const Standard_Real theWidth,
                              const VexJob_Options& theOptions, VexJob_Report& theReport,
                              std::vector<VexJob_Contour>& theContours);

  //! Appends to thePieces the pieces of closed theContour left between theCount tabs of
  //! theGap (the path's gap: tab plus tool width), keeping theMargin from element ends. Returns
  //! the number of tabs placed (theContour whole when none).
  static Standard_Integer Tabs(const VexJob_Contour& theContour, const Standard_Integer theCount,
                               const Standard_Real theGap, const Standard_Real theMargin,
                               std::vector<VexJob_Contour>& thePieces);
};

#endif
