// Copyright (c) 2026 VexData developers
#include <VexRender_SvgPage.hxx>

#include <algorithm>

VexRender_SvgPage::VexRender_SvgPage()
    : myMargin(0.0), myFont(0.0), myHairline(0.0), myWidth(0.0), myHeight(0.0), isBare(false)
{
}

void VexRender_SvgPage::Layout(const VexRender_SvgBox& theDrawn, const bool isWindow,
                               const bool theIsBare, const size_t theNbRows,
                               const size_t theLongest)
{
  myDrawn = theDrawn;
  isBare  = theIsBare;
  if (myDrawn.IsVoid())
  {
    myDrawn.Add(gp_XY(5.0, 5.0), 5.0);
  }
  // A drawing that is a line or a dot still gets an area around it; a window is shown as given.
  const double anExtent = std::max({myDrawn.Width(), myDrawn.Height(), 1.0e-3});
  if (!isWindow)
  {
    myDrawn.Add(gp_XY(myDrawn.MinX, myDrawn.MinY), 0.005 * anExtent);
    myDrawn.Add(gp_XY(myDrawn.MaxX, myDrawn.MaxY), 0.005 * anExtent);
  }
  myFont     = 0.025 * anExtent;
  myHairline = 0.001 * anExtent;
  if (isBare)
  {
    myMargin = 0.0;
    myWidth  = myDrawn.Width();
    myHeight = myDrawn.Height();
    return;
  }
  myMargin = 0.05 * anExtent;
  myWidth  = std::max(myDrawn.Width(), 0.6 * myFont * double(theLongest)) + 2.0 * myMargin;
  myHeight = myDrawn.Height() + 3.0 * myMargin + 2.5 * myFont + 1.6 * myFont * double(theNbRows);
}

void VexRender_SvgPage::DrawnRectangle(VexRender_SvgBuffer& theBuffer) const
{
  theBuffer.Attribute("x", myMargin);
  theBuffer.Attribute("y", myMargin);
  theBuffer.Attribute("width", myDrawn.Width());
  theBuffer.Attribute("height", myDrawn.Height());
}
