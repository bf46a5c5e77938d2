// Copyright (c) 2026 VexData developers
#ifndef _VexJob_Maker_HeaderFile
#define _VexJob_Maker_HeaderFile

#include <VexJob_Options.hxx>
#include <VexJob_Report.hxx>
#include <VexJob_ToolLibrary.hxx>
#include <VexJob_Toolpath.hxx>

#include <PenFormatData_Model.hxx>

#include <clipper.hpp>

//! Makes the job of a board from its design files: the drilling of every drill design, the
//! isolation of the top and bottom copper (the bottom mirrored as the board is turned over:
//! about the vertical line through the centre of the outline, or the one the options give), and
//! the cut-out along the outline. Each part runs for the designs given. Every toolpath is then
//! ordered to shorten the travel between its holes or contours. What could not be machined as
//! designed is sent as warnings and counted in the report.
class VexJob_Maker
{
public:
  //! A design file's model and the name it is called by in messages.
  struct Design
  {
    std::string Name;                  //!< file as the user named it
    Handle(PenFormatData_Model) Model; //!< its model (values usable)
  };

  //! Phase names.
  static const char* const THE_ISOLATION_TOP;
  static const char* const THE_ISOLATION_BOTTOM;
  static const char* const THE_CUT_OUT;

  //! Creates a maker with theLibrary and theOptions; warnings go to theMessenger (may be null).
  VexJob_Maker(const VexJob_ToolLibrary& theLibrary, const VexJob_Options& theOptions,
               const Handle(Message_Messenger) & theMessenger);

  //! Checks the options and chooses the tools. Returns false, with theFault set, when an option
  //! is out of range or names a tool the library lacks or of the wrong kind.
  Standard_Boolean Prepare(Message_Msg& theFault);

  //! Sets the top copper.
  void SetTop(const Design& theDesign) { myTop = theDesign; }

  //! Sets the bottom copper (as designed, seen from the top).
  void SetBottom(const Design& theDesign) { myBottom = theDesign; }

  //! Adds a drill design.
  void AddDrill(const Design& theDesign) { myDrills.push_back(theDesign); }

  //! Sets the outline.
  void SetOutline(const Design& theDesign) { myOutline = theDesign; }

  //! Makes the job (after Prepare()).
  void Make();

  //! Returns the toolpaths, in the job's order.
  const std::vector<VexJob_Toolpath>& Toolpaths() const { return myToolpaths; }

  //! Returns the report.
  const VexJob_Report& Report() const { return myReport; }

  //! Returns the x of the line the bottom was mirrored about (valid after Make() with a bottom).
  Standard_Real MirrorX() const { return myMirrorX; }

private:
  //! Makes the drilling and hole milling toolpaths.
  void makeDrilling();

  //! Makes the isolation of theDesign, mirrored about theMirrorX when isBottom.
  void makeIsolation(const Design& theDesign, const bool isBottom);

  //! Removes from theContours the rings wholly outside the board (grown by the cut-out's end
  //! mill, mirrored for the bottom): copper the design draws beyond the board is not isolated.
  //! Returns how many were removed.
  size_t leaveOffBoard(const bool isBottom, std::vector<VexJob_Contour>& theContours) const;

  //! Makes the cut-out along myBoard.
  void makeCutOut();

  //! Returns the tool a name option chooses, else the default; null with theFault set when the
  //! name is unknown or of another kind.
  const VexJob_Tool* chooseTool(const std::string& theName, const VexJob_Tool::Kind theKind,
                                const VexJob_Tool* theDefault, Message_Msg& theFault) const;

  //! Orders the holes and contours of every toolpath.
  void order();

  const VexJob_ToolLibrary&    myLibrary;   //!< the machine's tools
  VexJob_Options               myOptions;   //!< how
  VexJob_Report                myReport;    //!< what was found
  Design                       myTop;       //!< top copper, or no model
  Design                       myBottom;    //!< bottom copper, or no model
  std::vector<Design>          myDrills;    //!< drill designs
  Design                       myOutline;   //!< outline, or no model
  ClipperLib::Paths            myBoard;     //!< the board the outline encloses
  const VexJob_Tool*           myIsolation; //!< isolation cutter
  const VexJob_Tool*           myContour;   //!< cut-out end mill
  Standard_Real                myMirrorX;   //!< line the bottom is turned over about
  std::vector<VexJob_Toolpath> myToolpaths; //!< the job
};

#endif
