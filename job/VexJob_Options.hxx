// Copyright (c) 2026 VexData developers
#ifndef _VexJob_Options_HeaderFile
#define _VexJob_Options_HeaderFile

#include <Standard_TypeDef.hxx>

#include <string>

//! How a job is made from its design files. Lengths are in millimetres.
struct VexJob_Options
{
  std::string      IsolationTool;          //!< isolation cutter; empty: the narrowest
  std::string      ContourTool;            //!< end mill of the cut-out; empty: see DefaultContour()
  Standard_Integer Passes         = 0;     //!< further isolation rings beyond the first
  Standard_Real    Overlap        = 0.15;  //!< share of the cutter's width rings overlap by
  Standard_Real    Clearance      = 0.0;   //!< isolate until at least this far around copper; 0 off
  Standard_Real    DrillTolerance = 0.05;  //!< a drill may be this much smaller than its hole
  Standard_Integer Tabs           = 0;     //!< breakout tabs on the outer contour
  Standard_Real    TabWidth       = 1.0;   //!< width of a tab (material left)
  bool             IsClimb        = false; //!< climb milling, else conventional
  bool             HasMirrorX     = false; //!< MirrorX given, else the outline's centre
  Standard_Real    MirrorX        = 0.0;   //!< x of the line the board is turned over about

  //! Width of the end mill the cut-out takes by default (the widest of the library up to it).
  static Standard_Real DefaultContour() { return 2.0; }
};

#endif
