// Copyright (c) 2026 VexData developers
#include <VexRender_SvgOptions.hxx>

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>

const char* const VexRender_SvgOptions::THE_FOREGROUND = "#000000";
const char* const VexRender_SvgOptions::THE_BACKGROUND = "#ffffff";

namespace
{
//! Largest coordinate of a window (a kilometre): beyond it page sizes lose their digits.
const double THE_LARGEST = 1.0e6;
} // namespace

bool VexRender_SvgOptions::IsColour(const std::string& theText)
{
  if (theText.size() != 7 || theText[0] != '#')
  {
    return false;
  }
  for (size_t anIndex = 1; anIndex < theText.size(); ++anIndex)
  {
    if (!std::isxdigit(static_cast<unsigned char>(theText[anIndex])))
    {
      return false;
    }
  }
  return true;
}

bool VexRender_SvgOptions::ParseWindow(const std::string& theText, VexRender_SvgBox& theWindow,
                                       std::string& theError)
{
  double      aValues[4];
  const char* aPos = theText.c_str();
  for (int anIndex = 0; anIndex < 4; ++anIndex)
  {
    char* anEnd      = NULL;
    errno            = 0;
    aValues[anIndex] = std::strtod(aPos, &anEnd);
    const char aNext = anIndex < 3 ? ',' : '\0';
    if (anEnd == aPos || *anEnd != aNext || errno != 0 ||
        !(std::abs(aValues[anIndex]) <= THE_LARGEST) ||
        std::isspace(static_cast<unsigned char>(*aPos)))
    {
      theError = "expected four numbers X0,Y0,X1,Y1 (millimetres, at most 1e6 each), got \"" +
                 theText + "\"";
      return false;
    }
    aPos = anEnd + 1;
  }
  if (!(aValues[0] < aValues[2]) || !(aValues[1] < aValues[3]))
  {
    theError = "the window \"" + theText + "\" is empty: X0 must be below X1 and Y0 below Y1";
    return false;
  }
  theWindow      = VexRender_SvgBox();
  theWindow.MinX = aValues[0];
  theWindow.MinY = aValues[1];
  theWindow.MaxX = aValues[2];
  theWindow.MaxY = aValues[3];
  return true;
}
