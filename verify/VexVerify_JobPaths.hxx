// Copyright (c) 2026 VexData developers
#ifndef _VexVerify_JobPaths_HeaderFile
#define _VexVerify_JobPaths_HeaderFile

#include <VexVerify_Report.hxx>

#include <PenFormatData_Sequence.hxx>

#include <cmath>
#include <vector>

//! The path toolpaths of a job that the path checks compare: every one, or those of the phases
//! and layers the user selected. Their centre lines are handed out as short straight pieces
//! (arcs cut into chords, long segments cut into equal parts), in the order they are cut.
class VexVerify_JobPaths
{
public:
  //! Selects the path toolpaths of theJob whose phase is one of thePhases and whose layer is one
  //! of theLayers; an empty list selects every phase (layer). Names are UTF-8.
  VexVerify_JobPaths(const PenFormatData_Model&                           theJob,
                     const NCollection_Sequence<TCollection_AsciiString>& thePhases,
                     const NCollection_Sequence<TCollection_AsciiString>& theLayers);

  //! Returns the selected path toolpaths: names, tool, contours and length.
  const NCollection_Vector<VexVerify_Report::Path>& Paths() const { return myPaths; }

  //! Returns the tool radius of selected path theIndex, in millimetres.
  Standard_Real Radius(const Standard_Integer theIndex) const
  {
    return 0.5 * myPaths.Value(theIndex).Width;
  }

  //! Returns the largest tool radius (0 without paths).
  Standard_Real MaxRadius() const { return myMaxRadius; }

  //! Returns the number of chords of all selected centre lines.
  size_t NbChords() const { return myNbChords; }

  //! Returns the lower left corner of the centre lines (meaningless without chords).
  const gp_XY& Min() const { return myMin; }

  //! Returns the upper right corner of the centre lines.
  const gp_XY& Max() const { return myMax; }

  //! Copies the selection into theCheck: paths, number of contours, total length.
  void Describe(VexVerify_Report::Check& theCheck) const;

  //! Calls theVisit(path index, start, end) for every piece of every selected centre line, no
  //! piece longer than theMaxLength. Pieces that meet share the very same end point values.
  template <class TheVisit>
  void Visit(const Standard_Real theMaxLength, const TheVisit& theVisit) const
  {
    std::vector<gp_XY> aPoints;
    for (size_t aPath = 0; aPath < mySequences.size(); ++aPath)
    {
      for (NCollection_List<Handle(PhGeom_Curve)>::Iterator aContour(
               mySequences[aPath]->GetCurve()->Children());
           aContour.More(); aContour.Next())
      {
        if (aContour.Value().IsNull())
        {
          continue;
        }
        chords(*aContour.Value(), aPoints);
        for (size_t anIndex = 1; anIndex < aPoints.size(); ++anIndex)
        {
          const gp_XY&           aFrom  = aPoints[anIndex - 1];
          const gp_XY            aSpan  = aPoints[anIndex] - aFrom;
          const Standard_Integer aParts = static_cast<Standard_Integer>(
              std::max(1.0, std::ceil(aSpan.Modulus() / theMaxLength)));
          gp_XY aStart = aFrom;
          for (Standard_Integer aPart = 1; aPart <= aParts; ++aPart)
          {
            const gp_XY anEnd = aPart == aParts ? aPoints[anIndex]
                                                : aFrom + aSpan * (Standard_Real(aPart) / aParts);
            theVisit(static_cast<Standard_Integer>(aPath), aStart, anEnd);
            aStart = anEnd;
          }
        }
      }
    }
  }

private:
  //! Replaces thePoints by the chord ends of theContour, one polyline through all its segments
  //! and arcs: an element that starts within the chord tolerance of the last one's end goes on
  //! from that end, a wider gap is bridged, points are skipped; a contour that closes within the
  //! chord tolerance closes exactly.
  void chords(const PhGeom_Curve& theContour, std::vector<gp_XY>& thePoints) const;

  std::vector<Handle(PenFormatData_Sequence)> mySequences; //!< selected path toolpaths
  NCollection_Vector<VexVerify_Report::Path>  myPaths;     //!< their descriptions
  Standard_Real                               myFactor;    //!< model unit to millimetres
  Standard_Real                               myMaxRadius; //!< largest tool radius
  size_t                                      myNbChords;  //!< chords of all centre lines
  gp_XY                                       myMin;       //!< lower left of the centre lines
  gp_XY                                       myMax;       //!< upper right
};

#endif
