// Copyright (c) 2026 VexData developers
#ifndef _VexFuzz_Toolpaths_HeaderFile
#define _VexFuzz_Toolpaths_HeaderFile

#include <PenFormatData_Model.hxx>
#include <PenFormatData_Sequence.hxx>
#include <PhGeom_Curve.hxx>

#include <map>
#include <set>
#include <string>
#include <vector>

//! The toolpaths of a model reduced to what a write and a read must keep: per group key (names
//! of phase, layer and tool), the number of toolpaths and their contours with the elements'
//! points, plus the width of every tool a toolpath uses. Two such summaries are compared to
//! decide whether a round trip through a machine file kept a model.
class VexFuzz_Toolpaths
{
public:
  //! One element of a contour.
  struct Element
  {
    int           Kind;   //!< 1 arc, 2 segment, 3 point
    gp_XY         Start;  //!< start point (the point of a point element)
    gp_XY         End;    //!< end point
    gp_XY         Center; //!< arc centre
    Standard_Real Radius; //!< arc radius
    Standard_Real Sweep;  //!< arc angle 1 minus angle 0
  };

  //! Elements of one contour, in chain order.
  typedef std::vector<Element> Contour;

  //! Toolpaths of one group key.
  struct Group
  {
    int                  NbToolpaths = 0; //!< number of sequences
    std::vector<Contour> Contours;        //!< their contours, in model order
  };

  //! Group key to its toolpaths.
  typedef std::map<std::string, Group> GroupMap;

  //! Collects the toolpaths of theModel. With theByContainer, the key joins phase and layer with
  //! "+" as the writer does when it files toolpaths into output blocks; otherwise the names are
  //! kept apart.
  VexFuzz_Toolpaths(const PenFormatData_Model& theModel, const bool theByContainer);

  //! Requires what must survive exactly when theAfter is read from the file written from
  //! theBefore: tool names and widths (a tool used only by path toolpaths without arcs may vanish
  //! with them, when the writer keeps none of their segments), drill points and their
  //! coordinates, and at most one path toolpath per key, present whenever theBefore has one with
  //! an arc whose record holds numbers only. Aborts otherwise.
  static void RequireKept(const VexFuzz_Toolpaths& theBefore, const VexFuzz_Toolpaths& theAfter);

  //! Requires theSecond to hold the same toolpaths as theFirst, with coordinates within a small
  //! tolerance relative to each contour's magnitude. Segments so short that float rounding puts
  //! them across the reader's and writer's 1e-7 threshold may be missing from theSecond, as may
  //! contours made only of them. Aborts otherwise.
  static void RequireSameGeometry(const VexFuzz_Toolpaths& theFirst,
                                  const VexFuzz_Toolpaths& theSecond);

private:
  //! Adds the toolpath theSequence of theModel under its key.
  void add(const PenFormatData_Model& theModel, const PenFormatData_Sequence& theSequence,
           const bool theByContainer);

  GroupMap                      myPaths;   //!< path toolpaths (mode 1)
  GroupMap                      myPoints;  //!< point toolpaths (mode 2)
  std::map<std::string, double> myTools;   //!< tool name to width
  std::set<std::string>         myLasting; //!< tools of toolpaths that always write an element
};

#endif
