// Copyright (c) 2026 VexData developers
#ifndef _VexJob_Order_HeaderFile
#define _VexJob_Order_HeaderFile

#include <VexJob_Contour.hxx>

#include <vector>

//! The order in which one tool visits its holes or contours, chosen to shorten the travel
//! between them: nearest neighbour from the start point (found through a grid, so a hundred
//! thousand holes take well under a second), then for holes 2-opt moves within a window of the
//! tour, repeated while they shorten it. A closed contour is entered at the element start nearest
//! to where the tool is; open contours keep their direction (the cut direction is chosen).
class VexJob_Order
{
public:
  //! Number of following positions a 2-opt move looks at.
  static int Window() { return 40; }

  //! Reorders theHoles from theStart; returns the travel in the new order and sets theBefore
  //! to the travel in the given order (from theStart, no return).
  static Standard_Real Holes(std::vector<gp_XY>& theHoles, const gp_XY& theStart,
                             Standard_Real& theBefore);

  //! Reorders theContours from theStart (closed ones rotated to their nearest entry); returns
  //! the travel in the new order and sets theBefore to that of the given order.
  static Standard_Real Contours(std::vector<VexJob_Contour>& theContours, const gp_XY& theStart,
                                Standard_Real& theBefore);

  //! Returns the travel from theStart through thePoints in order.
  static Standard_Real Travel(const std::vector<gp_XY>& thePoints, const gp_XY& theStart);

  //! Returns the travel from theStart through theContours in order.
  static Standard_Real Travel(const std::vector<VexJob_Contour>& theContours,
                              const gp_XY&                       theStart);

  //! Returns the order of thePoints a nearest-neighbour tour from theStart visits them in.
  static std::vector<size_t> NearestNeighbour(const std::vector<gp_XY>& thePoints,
                                              const gp_XY&              theStart);

  //! Improves the open tour thePoints (after the fixed theStart) by windowed 2-opt moves.
  static void TwoOpt(std::vector<gp_XY>& thePoints, const gp_XY& theStart);
};

#endif
