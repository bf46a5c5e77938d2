// Copyright (c) 2026 VexData developers
#ifndef _VexVerify_Report_HeaderFile
#define _VexVerify_Report_HeaderFile

#include <VexVerify_Design.hxx>

#include <NCollection_Sequence.hxx>
#include <NCollection_Vector.hxx>
#include <TCollection_AsciiString.hxx>
#include <gp_XY.hxx>

//! What checking a job against its designs found: one check per design, each with what it
//! compared, its findings and totals. All lengths and coordinates are in millimetres.
class VexVerify_Report
{
public:
  //! Returns theText in UTF-8.
  static TCollection_AsciiString Text(const TCollection_ExtendedString& theText)
  {
    // A replacement character of 0 asks for UTF-8.
    return TCollection_AsciiString(theText, '\0');
  }

  //! Returns the name of aperture theNumber of theModel in UTF-8, or "#n" when it is missing or
  //! unnamed.
  static TCollection_AsciiString ToolName(const PenFormatData_Model& theModel,
                                          const Standard_Integer     theNumber)
  {
    const Handle(PenFormatData_Aperture)& anAperture = theModel.Aperture(theNumber);
    if (anAperture.IsNull() || anAperture->Name().IsEmpty())
    {
      return TCollection_AsciiString("#") + TCollection_AsciiString(theNumber);
    }
    return Text(anAperture->Name());
  }

  //! What a finding says.
  enum Kind
  {
    Kind_Missing,  //!< a hole of the design has no hit
    Kind_Moved,    //!< a hole's only hit lies off it by more than the tolerance
    Kind_Diameter, //!< a hole is drilled with a tool of another diameter
    Kind_Extra,    //!< a hit has no hole
    Kind_Doubled,  //!< a hit drills a hole that another hit already drills
    Kind_Copper,   //!< a path cuts into copper
    Kind_Outside,  //!< a path leaves the board by more than its tool radius
    Kind_Bridge    //!< two islands of copper stay joined after the milling
  };

  //! An island of a design's copper as a bridge names it.
  struct Island
  {
    gp_XY                   At;        //!< a point of it: a design object's, else one inside
    TCollection_AsciiString Net;       //!< its net (the first met), empty when none is named
    Standard_Boolean        IsSeveral; //!< it holds objects of several nets

    //! Creates an island at the origin without net.
    Island() : IsSeveral(Standard_False) {}
  };

  //! A tool of a drill check: a design tool (its holes) or a job tool (its hits).
  struct Tool
  {
    TCollection_AsciiString Name;     //!< aperture name
    TCollection_AsciiString Design;   //!< design tool of a check of several files: its file
    Standard_Real           Diameter; //!< tool diameter
    Standard_Boolean        IsDesign; //!< true: design tool; false: job tool
    Standard_Integer        Count;    //!< holes (design) or hits (job)
    Standard_Integer        Matched;  //!< holes or hits paired within the tolerance
    Standard_Integer        Findings; //!< findings filed under this tool

    //! Creates a tool without holes or hits.
    Tool() : Diameter(0.0), IsDesign(Standard_True), Count(0), Matched(0), Findings(0) {}
  };

  //! A path toolpath of the job as the path checks list it.
  struct Path
  {
    TCollection_AsciiString Phase;    //!< phase name
    TCollection_AsciiString Layer;    //!< layer name
    TCollection_AsciiString Tool;     //!< tool name
    Standard_Real           Width;    //!< tool width
    Standard_Integer        Contours; //!< contours
    Standard_Real           Length;   //!< length of its centre lines

    //! Creates an empty path.
    Path() : Width(0.0), Contours(0), Length(0.0) {}
  };

  //! One thing a check found.
  struct Finding
  {
    Kind             What;       //!< what it is
    gp_XY            At;         //!< the hole (hit for extra and doubled), or a point of the path
    gp_XY            Other;      //!< the hit of a moved or diameter finding, the hole of a double
    gp_XY            BoxMin;     //!< path findings: lower left of the affected path
    gp_XY            BoxMax;     //!< path findings: upper right
    Standard_Real    Length;     //!< path findings: length of path affected
    Standard_Real    Distance;   //!< drill findings: distance from the hole to the hit
    Standard_Integer DesignTool; //!< index in Check::Tools of the design tool, -1 none
    Standard_Integer JobTool;    //!< index in Check::Tools of the job tool, -1 none
    Standard_Integer PathIndex;  //!< index in Check::Paths, -1 none
    Island           Islands[2]; //!< bridges: the islands joined (At: where they touch)

    //! Creates a finding of theKind with nothing set.
    Finding(const Kind theKind = Kind_Missing)
        : What(theKind), Length(0.0), Distance(0.0), DesignTool(-1), JobTool(-1), PathIndex(-1)
    {
    }
  };

  //! The check of one design.
  struct Check
  {
    TCollection_AsciiString                       Design;  //!< design file (files joined by " + ")
    NCollection_Sequence<TCollection_AsciiString> Designs; //!< drill: the files drilled together
    VexVerify_Design::Role                        Role;    //!< its role
    Standard_Boolean                              RoleGiven; //!< the user named the role
    TCollection_AsciiString     Reason;     //!< why the role was chosen from the content
    Standard_Integer            Holes;      //!< drill: holes of the design
    Standard_Integer            Hits;       //!< drill: hits of the job
    Standard_Integer            Matched;    //!< drill: holes paired with a hit within the tolerance
    Standard_Integer            Slots;      //!< drill: slots and routes of the design, not compared
    Standard_Integer            Features;   //!< copper: features; outline: closed contours
    Standard_Integer            Contours;   //!< paths: job contours compared
    Standard_Real               PathLength; //!< paths: their length
    Standard_Real               FoundLength; //!< paths: length of path in the findings
    NCollection_Vector<Tool>    Tools;       //!< drill: design tools, then job tools
    NCollection_Vector<Path>    Paths;       //!< paths: the job's path toolpaths compared
    NCollection_Vector<Finding> Findings;    //!< in the order to list them
    Standard_Boolean            IsBridged;   //!< copper: the islands were checked for bridges
    Standard_Integer            Islands;     //!< copper: islands of the design over the board
    TCollection_AsciiString     Board;       //!< copper: the outline the board is, empty: a box
    NCollection_Vector<Finding> Joins; //!< copper: bridges within one net (harmless, not counted)
    NCollection_Sequence<TCollection_AsciiString> Notes; //!< remarks on what was compared

    //! Creates an empty check.
    Check()
        : Role(VexVerify_Design::Role_Copper), RoleGiven(Standard_False), Holes(0), Hits(0),
          Matched(0), Slots(0), Features(0), Contours(0), PathLength(0.0), FoundLength(0.0),
          IsBridged(Standard_False), Islands(0)
    {
    }
  };

  //! Creates an empty report.
  VexVerify_Report() : Tolerance(0.0), Hits(0), Contours(0), PathLength(0.0) {}

  //! Returns the number of findings of every check.
  Standard_Integer NbFindings() const
  {
    Standard_Integer aCount = 0;
    for (NCollection_Vector<Check>::Iterator anIt(Checks); anIt.More(); anIt.Next())
    {
      aCount += anIt.Value().Findings.Length();
    }
    return aCount;
  }

  TCollection_AsciiString Job;        //!< job file
  Standard_Real           Tolerance;  //!< tolerance of every check
  Standard_Integer        Hits;       //!< drill hits of the job
  Standard_Integer        Contours;   //!< contours of the job's selected path toolpaths
  Standard_Real           PathLength; //!< their length
  NCollection_Sequence<TCollection_AsciiString> Phases; //!< selected phases (empty: every one)
  NCollection_Sequence<TCollection_AsciiString> Layers; //!< selected layers (empty: every one)
  NCollection_Vector<Check>                     Checks; //!< one per design, in the order given
};

#endif
