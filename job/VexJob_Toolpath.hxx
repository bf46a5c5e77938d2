// Copyright (c) 2026 VexData developers
#ifndef _VexJob_Toolpath_HeaderFile
#define _VexJob_Toolpath_HeaderFile

#include <VexJob_Contour.hxx>
#include <VexJob_ToolLibrary.hxx>

#include <string>
#include <vector>

//! What one tool does in one phase on one side: drill hits, or contours it mills, in the order
//! they are machined, with the travel between them before and after ordering.
struct VexJob_Toolpath
{
  std::string                 Phase;              //!< operation ("Drilling", "Cut-out" ...)
  std::string                 Layer;              //!< side ("Top", "Bottom")
  VexJob_Tool                 Tool;               //!< the tool
  std::vector<gp_XY>          Holes;              //!< drill hits, millimetres
  std::vector<VexJob_Contour> Contours;           //!< milled contours
  Standard_Real               TravelBefore = 0.0; //!< travel in the order found, millimetres
  Standard_Real               TravelAfter  = 0.0; //!< travel once ordered

  //! Returns true for a drilling toolpath (holes, no contours).
  bool IsDrilling() const { return Contours.empty() && !Holes.empty(); }

  //! Returns the cut length of the contours.
  Standard_Real CutLength() const
  {
    Standard_Real aLength = 0.0;
    for (const VexJob_Contour& aContour : Contours)
    {
      aLength += aContour.Length();
    }
    return aLength;
  }
};

#endif
