// Copyright (c) 2026 VexData developers
#ifndef _VexJob_Drilling_HeaderFile
#define _VexJob_Drilling_HeaderFile

#include <VexJob_Options.hxx>
#include <VexJob_Report.hxx>
#include <VexJob_Toolpath.hxx>

#include <PenFormatData_Model.hxx>

#include <map>

//! The holes, slots and routes of drill designs made with the machine's tools, all from the top:
//! - a hole gets the narrowest drill at least its diameter less the drill tolerance;
//! - a hole wider than every drill allows is milled as a circle by the widest end mill that fits
//!   in it (plunged when it is as wide as the hole);
//! - a slot or route is milled along its path by the widest end mill no wider than it (plus the
//!   tolerance); a narrower end mill also runs rings around the path until the slot is cleared.
//! Drilled holes go to the phase "Drilling", milled ones to "Hole milling", each with a row of
//! the report's drilling table; a hole or slot no tool can make is a problem of the report.
class VexJob_Drilling
{
public:
  //! Phase of drilled holes.
  static const char* const THE_DRILLING;

  //! Phase of milled holes, slots and routes.
  static const char* const THE_MILLING;

  //! Creates the drilling of theLibrary's tools; the objects must outlive it.
  VexJob_Drilling(const VexJob_ToolLibrary& theLibrary, const VexJob_Options& theOptions,
                  VexJob_Report& theReport)
      : myLibrary(theLibrary), myOptions(theOptions), myReport(theReport)
  {
  }

  //! Adds the holes (point toolpaths) and slots and routes (path toolpaths) of theDesign, whose
  //! values must be usable; theName names it in messages.
  void Add(const PenFormatData_Model& theDesign, const std::string& theName);

  //! Appends the toolpaths made, one per tool and phase (drills by width, then end mills), on
  //! theLayer.
  void Toolpaths(const std::string& theLayer, std::vector<VexJob_Toolpath>& theToolpaths) const;

private:
  //! Makes theHoles of theDiameter.
  void addHoles(const Standard_Real theDiameter, const std::vector<gp_XY>& theHoles,
                const std::string& theName);

  //! Mills the slot or route theCentre of theDiameter.
  void addSlot(const Standard_Real theDiameter, const VexJob_Contour& theCentre,
               const std::string& theName);

  //! Returns the toolpath of theTool in thePhase, made on first use.
  VexJob_Toolpath& toolpath(const VexJob_Tool& theTool, const char* thePhase);

  const VexJob_ToolLibrary& myLibrary; //!< the machine's tools
  const VexJob_Options&     myOptions; //!< tolerance, cut direction
  VexJob_Report&            myReport;  //!< table and problems
  std::map<std::pair<std::string, std::string>, VexJob_Toolpath> myToolpaths; //!< by phase, tool
};

#endif
