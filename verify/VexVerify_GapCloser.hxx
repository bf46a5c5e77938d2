// Copyright (c) 2026 VexData developers
#ifndef _VexVerify_GapCloser_HeaderFile
#define _VexVerify_GapCloser_HeaderFile

#include <VexVerify_LineIndex.hxx>

//! Finds where the lines of a drawing fail to meet and bridges the gaps.
//!
//! CAD programs draw a board's outline as many lines that are meant to meet but often do not
//! quite: a line may stop short of the next (gaps of some tenths of a millimetre are common), end
//! on the middle of another, or run on past it. Every end of an open line is looked at, against
//! every other line and its own line farther along it than twice the gap distance:
//! - an end within the join distance of a line touches it and needs nothing, and so does one
//!   whose line has just crossed another within the gap distance before it (it runs on past);
//! - else, when the line continued straight on meets a line within the gap distance, it stopped
//!   short of that line: the bridge runs on to where they meet;
//! - else, when the nearest line is within the gap distance, the bridge runs to its nearest
//!   point, or, when that point is an end of a line and both lines continued straight on meet
//!   within the gap distance of both ends, to that corner which both stopped short of;
//! - else the end is left open.
//! Lines are found near an end through VexVerify_LineIndex.
class VexVerify_GapCloser
{
public:
  //! A polyline in millimetres.
  typedef VexVerify_LineIndex::Line Line;

  //! Creates a closer that bridges gaps up to theGap millimetres; ends closer than theJoin
  //! (at most theGap) touch without a bridge.
  VexVerify_GapCloser(const Standard_Real theGap, const Standard_Real theJoin);

  //! Looks at every end of theLines and appends to theBridges one two-point line per end that
  //! meets another line only across a gap. A line whose ends touch each other is closed and has
  //! no ends to look at.
  void Perform(const std::vector<Line>& theLines, std::vector<Line>& theBridges);

  //! What closing the gaps found.
  struct Result
  {
    Standard_Integer NbBridged = 0;   //!< line ends bridged to another line
    Standard_Real    WidestGap = 0.0; //!< widest gap bridged, millimetres (0 when none was)
    gp_XY            WidestGapAt;     //!< the line end of the widest gap
    Standard_Integer NbOpen = 0;      //!< line ends left open: no line within the gap distance
    gp_XY            FirstOpenAt;     //!< the first of them
  };

  //! Returns what the last Perform() found.
  const Result& Found() const { return myFound; }

private:
  //! Looks at theEnd of theLines: appends its bridge to theBridges, or counts it as open.
  void closeEnd(const VexVerify_LineIndex& theLines, const VexVerify_LineIndex::End& theEnd,
                std::vector<Line>& theBridges);

  Standard_Real myGap;   //!< widest gap bridged
  Standard_Real myJoin;  //!< ends this close touch
  Result        myFound; //!< what was found
};

#endif
