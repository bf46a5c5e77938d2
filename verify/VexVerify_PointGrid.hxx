// Copyright (c) 2026 VexData developers
#ifndef _VexVerify_PointGrid_HeaderFile
#define _VexVerify_PointGrid_HeaderFile

#include <Standard_TypeDef.hxx>
#include <gp_XY.hxx>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <utility>
#include <vector>

//! Points filed by grid cell as a sorted list of cell keys, so that the points near a place are
//! found by binary search in the few cells around it: memory is one key per point, whatever the
//! extent of the board, and the search costs the points looked at, not all of them.
class VexVerify_PointGrid
{
public:
  //! Creates an empty grid of cells of theCell millimetres (at least 1 um).
  VexVerify_PointGrid(const Standard_Real theCell) : myCell(std::max(theCell, 1.0e-3)) {}

  //! Files thePoint under theIndex. Call Sort() once everything is filed.
  void Add(const gp_XY& thePoint, const Standard_Integer theIndex)
  {
    myKeys.emplace_back(key(cell(thePoint.X()), cell(thePoint.Y())), theIndex);
  }

  //! Makes the points filed so far searchable.
  void Sort() { std::sort(myKeys.begin(), myKeys.end()); }

  //! Calls theVisit with the index of every point filed in the cells that the square of
  //! half-side theRadius around thePoint touches (points somewhat farther may come too: the caller
  //! measures the distance). A radius much smaller than a cell visits one cell, rarely two or four.
  template <class TheVisit>
  void Visit(const gp_XY& thePoint, const Standard_Real theRadius, const TheVisit& theVisit) const
  {
    const int64_t aLeft = cell(thePoint.X() - theRadius), aRight = cell(thePoint.X() + theRadius);
    const int64_t aBottom = cell(thePoint.Y() - theRadius), aTop = cell(thePoint.Y() + theRadius);
    for (int64_t aRow = aBottom; aRow <= aTop; ++aRow)
    {
      auto aFirst = std::lower_bound(
          myKeys.begin(), myKeys.end(),
          std::make_pair(key(aLeft, aRow), std::numeric_limits<Standard_Integer>::min()));
      const uint64_t aLast = key(aRight, aRow);
      for (auto anIt = aFirst; anIt != myKeys.end() && anIt->first <= aLast; ++anIt)
      {
        theVisit(anIt->second);
      }
    }
  }

private:
  //! Returns the cell number of coordinate theValue (coordinates are within a kilometre and
  //! cells at least a micrometre: within 31 bits).
  int64_t cell(const Standard_Real theValue) const
  {
    return static_cast<int64_t>(std::floor(theValue / myCell));
  }

  //! Returns the key of the cell at theX, theY: row after row, so a row's cells are consecutive.
  static uint64_t key(const int64_t theX, const int64_t theY)
  {
    const uint64_t aBias = uint64_t(1) << 31;
    return ((static_cast<uint64_t>(theY) + aBias) << 32) | (static_cast<uint64_t>(theX) + aBias);
  }

  Standard_Real                                      myCell; //!< cell size
  std::vector<std::pair<uint64_t, Standard_Integer>> myKeys; //!< cell key and index, sorted
};

#endif
