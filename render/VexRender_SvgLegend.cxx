// Copyright (c) 2026 VexData developers
#include <VexRender_SvgLegend.hxx>

#include <cmath>
#include <cstdio>

namespace
{
//! The dash between the parts of a legend row.
const char THE_DASH[] = " \xE2\x80\x94 ";

//! Returns theValue printed with up to six significant digits, for labels.
std::string label(const double theValue)
{
  char aBuffer[32];
  std::snprintf(aBuffer, sizeof(aBuffer), "%g", theValue);
  return aBuffer;
}

//! Appends "theCount theNoun[s]" to theText, after a comma when it is not empty; nothing for 0.
void addCount(std::string& theText, const int theCount, const char* theNoun, const char* thePlural)
{
  if (theCount > 0)
  {
    theText += (theText.empty() ? "" : ", ") + std::to_string(theCount) + ' ' +
               (theCount == 1 ? theNoun : thePlural);
  }
}

//! Returns "n paths", "n hits", both or "nothing drawn" for theTool.
std::string counts(const VexRender_SvgSurvey::Tool& theTool)
{
  std::string aText;
  addCount(aText, theTool.Paths, "path", "paths");
  addCount(aText, theTool.Hits, "hit", "hits");
  return aText.empty() ? std::string("nothing drawn") : aText;
}

//! Returns the artwork counts of theSurvey: areas, flashes, lines and clear sequences.
std::string artworkCounts(const VexRender_SvgSurvey& theSurvey)
{
  std::string aText;
  addCount(aText, theSurvey.NbAreas(), "area", "areas");
  addCount(aText, theSurvey.NbFlashes(), "flash", "flashes");
  addCount(aText, theSurvey.NbLines(), "line", "lines");
  addCount(aText, theSurvey.NbClear(), "clear", "clear");
  return aText;
}
} // namespace

VexRender_SvgLegend::VexRender_SvgLegend(const VexRender_SvgSurvey& theJob)
{
  for (std::map<Standard_Integer, VexRender_SvgSurvey::Tool>::const_iterator anIter =
           theJob.Tools().begin();
       anIter != theJob.Tools().end(); ++anIter)
  {
    const VexRender_SvgSurvey::Tool& aTool = anIter->second;
    myRows.push_back({"legend-entry", "d" + std::to_string(aTool.Colour), aTool.Name,
                      THE_DASH + label(aTool.Width) + " mm" + THE_DASH + counts(aTool),
                      static_cast<size_t>(aTool.Name.Length()) + 40});
  }
  if (theJob.HasArtwork())
  {
    const std::string aText = "design artwork: " + artworkCounts(theJob);
    myRows.push_back({"legend-artwork", "art", "", aText, aText.size() + 4});
  }
  if (theJob.NbScanFields() > 0)
  {
    const std::string aText = "scan-field outlines (" + std::to_string(theJob.NbScanFields()) + ")";
    myRows.push_back({"legend-scan", "scan", "", aText, aText.size() + 4});
  }
}

void VexRender_SvgLegend::AddBeneath(const size_t                      theIndex,
                                     const TCollection_ExtendedString& theName,
                                     const TCollection_AsciiString&    theKind,
                                     const VexRender_SvgSurvey&        theSurvey)
{
  const std::string aText =
      std::string(" (") + theKind.ToCString() + ", beneath)" + THE_DASH + Holdings(theSurvey);
  myRows.push_back({"legend-beneath", "u" + std::to_string(theIndex), theName, aText,
                    static_cast<size_t>(theName.Length()) + aText.size() + 4});
}

std::string VexRender_SvgLegend::Holdings(const VexRender_SvgSurvey& theSurvey)
{
  int aPaths = 0, aHits = 0;
  for (std::map<Standard_Integer, VexRender_SvgSurvey::Tool>::const_iterator anIter =
           theSurvey.Tools().begin();
       anIter != theSurvey.Tools().end(); ++anIter)
  {
    aPaths += anIter->second.Paths;
    aHits += anIter->second.Hits;
  }
  std::string aText;
  addCount(aText, static_cast<int>(theSurvey.Tools().size()), "tool", "tools");
  addCount(aText, aPaths, "path", "paths");
  addCount(aText, aHits, "hit", "hits");
  const std::string anArtwork = artworkCounts(theSurvey);
  aText += aText.empty() || anArtwork.empty() ? anArtwork : ", " + anArtwork;
  return aText.empty() ? std::string("nothing drawn") : aText;
}

size_t VexRender_SvgLegend::Longest() const
{
  size_t aLongest = 16;
  for (const Row& aRow : myRows)
  {
    aLongest = std::max(aLongest, aRow.Length);
  }
  return aLongest;
}

void VexRender_SvgLegend::WriteScaleBar(VexRender_SvgBuffer&     theBuffer,
                                        const VexRender_SvgPage& thePage)
{
  const double aFont   = thePage.Font();
  const double aRoom   = 0.25 * thePage.Drawn().Width();
  const double aPower  = std::pow(10.0, std::floor(std::log10(aRoom)));
  const double aLength = aRoom >= 5.0 * aPower   ? 5.0 * aPower
                         : aRoom >= 2.0 * aPower ? 2.0 * aPower
                                                 : aPower;
  const double aLeft   = thePage.Margin();
  const double aBase   = thePage.Drawn().Height() + 2.0 * thePage.Margin() + aFont;
  theBuffer.Add("<g id=\"scale-bar\" stroke=\"#222\"");
  theBuffer.Attribute("stroke-width", 0.12 * aFont);
  theBuffer.Add(">\n<path fill=\"none\" d=\"M");
  theBuffer.Number(aLeft);
  theBuffer.Add(' ');
  theBuffer.Number(aBase - 0.4 * aFont);
  theBuffer.Add('V');
  theBuffer.Number(aBase);
  theBuffer.Add('H');
  theBuffer.Number(aLeft + aLength);
  theBuffer.Add('V');
  theBuffer.Number(aBase - 0.4 * aFont);
  theBuffer.Add("\"/>\n<text stroke=\"none\"");
  theBuffer.Attribute("x", aLeft + aLength + 0.5 * aFont);
  theBuffer.Attribute("y", aBase);
  theBuffer.Add(">" + label(aLength) + " mm</text>\n</g>\n");
}

void VexRender_SvgLegend::Write(VexRender_SvgBuffer&     theBuffer,
                                const VexRender_SvgPage& thePage) const
{
  const double aFont = thePage.Font();
  double       aTop  = thePage.Drawn().Height() + 2.0 * thePage.Margin() + 2.5 * aFont;
  theBuffer.Add("<g id=\"legend\">\n");
  for (const Row& aRow : myRows)
  {
    theBuffer.Add("<g class=\"" + aRow.Group + "\"><rect class=\"" + aRow.Swatch + "\"");
    theBuffer.Attribute("x", thePage.Margin());
    theBuffer.Attribute("y", aTop);
    theBuffer.Attribute("width", 1.6 * aFont);
    theBuffer.Attribute("height", aFont);
    theBuffer.Add("/><text");
    theBuffer.Attribute("x", thePage.Margin() + 2.2 * aFont);
    theBuffer.Attribute("y", aTop + 0.9 * aFont);
    theBuffer.Add('>');
    theBuffer.XmlText(aRow.Name);
    theBuffer.Add(aRow.Text + "</text></g>\n");
    aTop += 1.6 * aFont;
  }
  theBuffer.Add("</g>\n");
}
