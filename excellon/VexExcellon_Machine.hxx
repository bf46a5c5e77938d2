// Copyright (c) 2026 VexData developers
#ifndef _VexExcellon_Machine_HeaderFile
#define _VexExcellon_Machine_HeaderFile

#include <VexExcellon_Listener.hxx>

#include <NCollection_DataMap.hxx>
#include <NCollection_Vector.hxx>

//! The drilling machine as a drill file moves it: tool table, selected tool, position, zero,
//! coordinate and route modes. VexExcellon_Parser turns the text of each line into calls of this
//! class, with values already decoded into millimetres; the machine works out where the tool
//! goes and tells the listener about holes, slots and routes. Faults go to the listener too, and
//! the first one stops everything (every call after it does nothing).
class VexExcellon_Machine
{
public:
  //! The axes one command gives, in millimetres as written (before the zero and the
  //! coordinate mode are applied). An axis that is not given keeps its value.
  struct Axes
  {
    Standard_Boolean HasX; //!< X given
    Standard_Boolean HasY; //!< Y given
    Standard_Real    X;    //!< X value
    Standard_Real    Y;    //!< Y value

    //! No axis given.
    Axes() : HasX(Standard_False), HasY(Standard_False), X(0.0), Y(0.0) {}
  };

  //! How an arc gives its centre: a radius (A) or an offset from its start (I, J).
  struct ArcData
  {
    Standard_Boolean HasRadius; //!< A given
    Standard_Boolean HasOffset; //!< I or J given
    Standard_Real    Radius;    //!< A, negative for the longer of the two arcs
    gp_XY            Offset;    //!< I and J (a missing one is 0)

    //! Neither given.
    ArcData() : HasRadius(Standard_False), HasOffset(Standard_False), Radius(0.0) {}
  };

  //! Route motion codes, as modal as the file makes them.
  enum Motion
  {
    Motion_Rapid,     //!< G00
    Motion_Line,      //!< G01
    Motion_Clockwise, //!< G02
    Motion_Counter    //!< G03
  };

  //! Most holes the repeat codes of one file may make.
  static const Standard_Integer THE_REPEAT_LIMIT = 100000;

  //! Largest coordinate (and diameter) accepted, in millimetres either side of 0.
  static const Standard_Integer THE_COORDINATE_LIMIT = 1000000;

  //! Creates a machine that reports to theListener.
  VexExcellon_Machine(VexExcellon_Listener& theListener);

  //! Sets the line of the commands that follow.
  void SetLine(const Standard_Integer theLine) { myLine = theLine; }

  //! Returns the current line.
  Standard_Integer Line() const { return myLine; }

  //! Returns true once a fault was reported.
  Standard_Boolean IsFailed() const { return isFailed; }

  //! Places theFault on the current line and reports it as the fault that stops the parse (only
  //! the first one counts).
  void Fail(const VexPcb_Fault& theFault);

  //! Reports something left out.
  void Ignore(const VexExcellon_Listener::Ignored theWhat);

  //! Sets the length of one file unit in millimetres. theIsStated: the file says so, which
  //! settles the unit of the tools defined so far; otherwise it is the default.
  void SetUnit(const Standard_Real theMillimetres, const Standard_Boolean theIsStated);

  //! Defines theTool with theDiameter in file units. Before the unit is settled the definition
  //! waits; the first feature settles the unit with the default.
  void DefineTool(const Standard_Integer theTool, const Standard_Real theDiameter);

  //! Notes that the file has a header (M48): a file without one may give no tool sizes at all.
  void SetHeader() { hasHeader = Standard_True; }

  //! Selects theTool (lifting the tool first).
  void SelectTool(const Standard_Integer theTool);

  //! Sets incremental (true) or absolute coordinates.
  void SetIncremental(const Standard_Boolean theIsIncremental) { isIncremental = theIsIncremental; }

  //! Sets the zero from which absolute coordinates count (G93).
  void SetZero(const Axes& theAxes);

  //! Drills a hole at theAxes.
  void Hole(const Axes& theAxes);

  //! Drills theCount more holes, each theStep from the one before (repeat code R).
  void Repeat(const Standard_Integer theCount, const Axes& theStep);

  //! Drills a slot from theStart to theEnd (G85); the end counts from the start.
  void Slot(const Axes& theStart, const Axes& theEnd);

  //! Enters route mode with theMotion (G00 to G03).
  void SetMotion(const Motion theMotion);

  //! Returns true in route mode.
  Standard_Boolean IsRouteMode() const { return isRouteMode; }

  //! Goes back to drill mode (G05), lifting the tool.
  void DrillMode();

  //! Plunges the tool (M15).
  void Plunge() { isRouteMode = isPlunged = Standard_True; }

  //! Lifts the tool (M16, M17), ending the route.
  void Retract();

  //! Moves to theAxes with the modal route motion; theArc gives the centre of an arc.
  void Route(const Axes& theAxes, const ArcData& theArc);

  //! Ends the program or the file: the route ends and waiting tools are announced.
  void Finish();

private:
  //! A tool definition waiting for the unit of the file.
  struct PendingTool
  {
    Standard_Integer Line;     //!< line of the definition
    Standard_Integer Tool;     //!< tool number
    Standard_Real    Diameter; //!< diameter in file units
  };

  //! Places theAxes: relative to theFrom, or from the zero; false, with the fault, when the
  //! result is out of range.
  Standard_Boolean target(const Axes& theAxes, const gp_XY& theFrom,
                          const Standard_Boolean theIsRelative, gp_XY& theTarget);

  //! Returns the selected tool in theTool; false, with the fault, when there is none.
  Standard_Boolean currentTool(Standard_Integer& theTool);

  //! Settles the unit and announces the tool definitions waiting for it.
  void announceTools();

  //! Tells the listener that the open route is complete.
  void endRoute();

  //! Cuts an arc to theEnd; false, with the fault, when it cannot be formed.
  Standard_Boolean arc(const gp_XY& theEnd, const ArcData& theArc);

  //! Finds the centre of an arc to theEnd of theRadius.
  Standard_Boolean centerFromRadius(const gp_XY& theEnd, const Standard_Real theRadius,
                                    gp_XY& theCenter);

  //! Checks that theEnd lies on the circle around theCenter through the current position.
  Standard_Boolean checkCenter(const gp_XY& theEnd, const gp_XY& theCenter);

  VexExcellon_Listener&                                myListener; //!< where findings go
  NCollection_DataMap<Standard_Integer, Standard_Real> myTools;    //!< diameters in mm
  NCollection_Vector<PendingTool>                      myPending;  //!< waiting for the unit
  gp_XY                                                myPosition; //!< current position, mm
  gp_XY                                                myOrigin;   //!< zero set by G93, mm
  Standard_Real                                        myUnit;     //!< one file unit in mm
  Standard_Integer                                     myLine;     //!< current line
  Standard_Integer                                     myTool;     //!< selected tool, -1 none
  Standard_Integer myRepeats;     //!< holes made by repeat codes so far
  Motion           myMotion;      //!< modal route motion
  Standard_Boolean isUnitKnown;   //!< the unit of the tool table is settled
  Standard_Boolean isIncremental; //!< G91 or ICI
  Standard_Boolean isRouteMode;   //!< after G00 to G03 or M15, until G05
  Standard_Boolean isPlunged;     //!< after M15, until a retract
  Standard_Boolean isRouteOpen;   //!< cuts reported since the last OnRouteEnd
  Standard_Boolean isFailed;      //!< a fault was reported
  Standard_Boolean hasHeader;     //!< the file has a header (M48)
};

#endif
