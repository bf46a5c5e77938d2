// Copyright (c) 2026 VexData developers
#ifndef _VexExcellon_Listener_HeaderFile
#define _VexExcellon_Listener_HeaderFile

#include <VexPcb_Fault.hxx>

#include <Standard_TypeDef.hxx>
#include <gp_XY.hxx>

//! What VexExcellon_Parser finds in a drill file, one call per feature. Coordinates and
//! diameters are in millimetres, absolute (incremental coordinates, the zero set and the unit
//! of the file are already applied); line numbers start at 1.
//!
//! A route (a routed path) is the run of OnRouteSegment and OnRouteArc calls between two
//! OnRouteEnd calls: each element starts where the one before it ended. The parser calls
//! OnRouteEnd whenever the tool leaves the board (retract, rapid move, tool change, drill mode,
//! end of the program or of the file), so every route is closed before anything else happens.
//!
//! After OnFault the parser stops: no other call follows.
class VexExcellon_Listener
{
public:
  //! What the parser read and left out, for the transfer report.
  enum Ignored
  {
    Ignored_Comment,   //!< a comment
    Ignored_Attribute, //!< an attribute comment (";#@!")
    Ignored_Setting,   //!< a machine setting without effect on the geometry (feeds, messages ...)
    Ignored_Unknown,   //!< a command the parser does not know
    Ignored_ToolUpCut, //!< a linear or circular route move made without the tool plunged (M15)
    Ignored_AfterEnd   //!< a line after the end of the program (M30, M00)
  };

  //! Releases the listener.
  virtual ~VexExcellon_Listener() {}

  //! Tool theTool gets the diameter theDiameter. A tool can be defined again with another
  //! diameter; the features that follow use the new one. Tools defined before the file states
  //! its unit are announced once the unit is known (at the latest before the first feature).
  virtual void OnTool(const Standard_Integer theLine, const Standard_Integer theTool,
                      const Standard_Real theDiameter) = 0;

  //! A hole drilled with theTool at thePoint.
  virtual void OnHole(const Standard_Integer theLine, const Standard_Integer theTool,
                      const gp_XY& thePoint) = 0;

  //! A slot (G85) drilled with theTool from theStart to theEnd.
  virtual void OnSlot(const Standard_Integer theLine, const Standard_Integer theTool,
                      const gp_XY& theStart, const gp_XY& theEnd) = 0;

  //! A rapid move (G00) with the tool up, from theStart to theEnd.
  virtual void OnRouteMove(const Standard_Integer theLine, const gp_XY& theStart,
                           const gp_XY& theEnd) = 0;

  //! A straight cut of a route with theTool from theStart to theEnd.
  virtual void OnRouteSegment(const Standard_Integer theLine, const Standard_Integer theTool,
                              const gp_XY& theStart, const gp_XY& theEnd) = 0;

  //! A circular cut of a route with theTool from theStart around theCenter to theEnd,
  //! counter-clockwise (G03) or clockwise (G02). theEnd equal to theStart is a full circle.
  virtual void OnRouteArc(const Standard_Integer theLine, const Standard_Integer theTool,
                          const gp_XY& theStart, const gp_XY& theEnd, const gp_XY& theCenter,
                          const Standard_Boolean theIsCounterClockwise) = 0;

  //! The tool leaves the board: the route made of the cuts since the last call is complete.
  //! Called only when at least one cut was reported.
  virtual void OnRouteEnd(const Standard_Integer theLine) = 0;

  //! Something read and left out.
  virtual void OnIgnored(const Standard_Integer theLine, const Ignored theWhat) = 0;

  //! The fault that stops the parse, placed on the line where it was found.
  virtual void OnFault(const VexPcb_Fault& theFault) = 0;
};

#endif
