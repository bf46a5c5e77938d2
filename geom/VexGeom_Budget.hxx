// Copyright (c) 2026 VexData developers
#ifndef _VexGeom_Budget_HeaderFile
#define _VexGeom_Budget_HeaderFile

#include <Message_Msg.hxx>
#include <Standard_TypeDef.hxx>

#include <clipper.hpp>

//! The work a caller allows the geometry, and what was spent of it: segments made by flattening
//! arcs and circles, and steps of polygon work. A small input can ask for a great deal of work (a
//! wide circle swept along a long arc, a macro of a thousand rings), so every operation that
//! multiplies work first counts what it will cost and is refused, with the limit reached, when
//! the budget cannot pay for it; nothing is spent then. A default budget is unlimited.
//!
//! Polygon work is estimated as the polygon library does it: a sweep line stops at every vertex
//! and passes the edges that cross it there, so an operation on V vertices whose edges cover its
//! height h times over costs about V * h steps. One step is some 10 to 50 ns of processor time.
class VexGeom_Budget
{
public:
  //! What was refused.
  enum Limit
  {
    Limit_None,     //!< nothing
    Limit_Segments, //!< the segments of flattened arcs and circles
    Limit_Work      //!< the steps of polygon work
  };

  //! Creates an unlimited budget.
  Standard_EXPORT VexGeom_Budget();

  //! Creates a budget of theSegments flattened segments and theWork steps of polygon work.
  Standard_EXPORT VexGeom_Budget(const Standard_Integer theSegments, const double theWork);

  //! Counts theCount more flattened segments; false (and nothing counted) beyond the limit.
  Standard_EXPORT Standard_Boolean SpendSegments(const Standard_Integer theCount);

  //! Counts theSteps more steps of polygon work; false (and nothing counted) beyond the limit.
  Standard_EXPORT Standard_Boolean SpendWork(const double theSteps);

  //! Counts the estimated work of one boolean operation on thePaths (see Cost()).
  Standard_Boolean SpendOn(const ClipperLib::Paths& thePaths) { return SpendWork(Cost(thePaths)); }

  //! Returns the limit that refused an operation (Limit_None while none did).
  Limit Reached() const { return myReached; }

  //! Returns the limit of flattened segments.
  Standard_Integer SegmentLimit() const { return mySegmentLimit; }

  //! Returns the limit of polygon work, in steps.
  double WorkLimit() const { return myWorkLimit; }

  //! Returns the steps of polygon work spent so far.
  double WorkSpent() const { return myWork; }

  //! Returns the limit of polygon work in millions of steps, rounded up, for messages.
  Standard_EXPORT Standard_Integer WorkLimitMillions() const;

  //! Returns the refusal as a catalogue message: VEX_GEOM_LIMIT_SEGMENTS with the segment limit
  //! or VEX_GEOM_LIMIT_WORK with the work limit in millions of steps (an empty message while
  //! nothing was refused).
  Standard_EXPORT Message_Msg Fault() const;

  //! Returns the estimated steps of one boolean operation on thePaths: the vertices times the
  //! number of edges a horizontal line meets on average (at least one).
  Standard_EXPORT static double Cost(const ClipperLib::Paths& thePaths);

  //! Returns the estimated steps of a sum of thePattern (a closed polygon) and thePath (theNbEdges
  //! edges of it counted, theNbCopies copies of the pattern added): the sum's quadrilaterals,
  //! one per edge pair, and the copies, in one boolean operation.
  Standard_EXPORT static double SumCost(const ClipperLib::Path& thePattern,
                                        const ClipperLib::Path& thePath, const size_t theNbEdges,
                                        const size_t theNbCopies);

  //! Returns the estimated steps of the sum of thePattern and thePath (closed when isClosed) done
  //! chord by chord: one sum with two copies per edge, then the pieces united pairwise.
  Standard_EXPORT static double ChordSumCost(const ClipperLib::Path& thePattern,
                                             const ClipperLib::Path& thePath, const bool isClosed);

private:
  double           myWorkLimit;    //!< steps allowed
  double           myWork;         //!< steps spent
  Standard_Integer mySegmentLimit; //!< segments allowed
  Standard_Integer mySegments;     //!< segments made
  Limit            myReached;      //!< what refused an operation
};

#endif
