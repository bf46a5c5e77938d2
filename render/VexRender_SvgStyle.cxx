// Copyright (c) 2026 VexData developers
#include <VexRender_SvgStyle.hxx>

namespace
{
//! Tool colours, given out in the order of aperture numbers.
const char* const THE_PALETTE[] = {"#1f77b4", "#d62728", "#2ca02c", "#ff7f0e",
                                   "#9467bd", "#8c564b", "#e377c2", "#17becf",
                                   "#bcbd22", "#393b79", "#637939", "#843c39"};

//! Colours of designs beneath, light and drawn half transparent, so the job stands out on them.
const char* const THE_BENEATH_PALETTE[] = {"#c8a165", "#7fa37a", "#8aa6c9",
                                           "#c28bb5", "#b5b56a", "#d19a8c"};

//! Colour of design artwork in a full picture.
const char THE_ARTWORK_COLOUR[] = "#5b6770";

//! Page colour of a full picture.
const char THE_PAGE_COLOUR[] = "#fcfbf7";

//! Line ends and corners of every stroked class: a round aperture sweeps a disc.
const char THE_ROUND_LINE[] = "fill: none; stroke-linecap: round; stroke-linejoin: round;";

//! Returns the size of theArray.
template <size_t theSize> size_t sizeOf(const char* const (&)[theSize])
{
  return theSize;
}
} // namespace

const char* VexRender_SvgStyle::ToolColour(const size_t theIndex)
{
  return THE_PALETTE[theIndex % sizeOf(THE_PALETTE)];
}

const char* VexRender_SvgStyle::BeneathColour(const size_t theIndex)
{
  return THE_BENEATH_PALETTE[theIndex % sizeOf(THE_BENEATH_PALETTE)];
}

void VexRender_SvgStyle::Write(VexRender_SvgBuffer& theBuffer, const VexRender_SvgPage& thePage,
                               const VexRender_SvgSurvey& theJob, const size_t theNbBeneath,
                               const VexRender_SvgOptions& theOptions)
{
  const std::string aPaper = theOptions.IsBare ? theOptions.Background : THE_PAGE_COLOUR;
  theBuffer.Add("<style>\n");
  if (theOptions.IsBare)
  {
    writeBareRules(theBuffer, thePage, theJob, theOptions.Foreground);
  }
  else
  {
    writePictureRules(theBuffer, thePage, theJob);
  }
  if (theJob.HasArtwork() || theJob.IsNegative())
  {
    writeArtworkRules(theBuffer, theOptions.IsBare ? theOptions.Foreground : THE_ARTWORK_COLOUR,
                      aPaper);
  }
  writeBeneathRules(theBuffer, theNbBeneath);
  theBuffer.Add("</style>\n<rect width=\"100%\" height=\"100%\" fill=\"" + aPaper + "\"/>\n");
}

void VexRender_SvgStyle::writePictureRules(VexRender_SvgBuffer&       theBuffer,
                                           const VexRender_SvgPage&   thePage,
                                           const VexRender_SvgSurvey& theJob)
{
  theBuffer.Add("text { font-family: sans-serif; font-size: ");
  theBuffer.Number(thePage.Font());
  theBuffer.Add("px; fill: #222; }\n.tool { fill: none; stroke-linecap: round; stroke-linejoin: "
                "round; stroke-opacity: 0.8; }\n.scan { fill: none; stroke: #444; stroke-width: ");
  theBuffer.Number(1.5 * thePage.Hairline());
  theBuffer.Add("; stroke-dasharray: ");
  theBuffer.Number(0.4 * thePage.Font());
  theBuffer.Add(' ');
  theBuffer.Number(0.25 * thePage.Font());
  theBuffer.Add("; }\n.other { fill: none; stroke: #999; stroke-width: ");
  theBuffer.Number(thePage.Hairline());
  theBuffer.Add("; }\n");
  for (std::map<Standard_Integer, VexRender_SvgSurvey::Tool>::const_iterator anIter =
           theJob.Tools().begin();
       anIter != theJob.Tools().end(); ++anIter)
  {
    const std::string aClass  = "t" + std::to_string(anIter->second.Colour);
    const char*       aColour = ToolColour(anIter->second.Colour);
    theBuffer.Add("." + aClass + " { stroke: " + aColour + "; stroke-width: ");
    theBuffer.Number(thePage.DrawnWidth(anIter->second.Width));
    theBuffer.Add("; }\n.d" + aClass.substr(1) + " { fill: " + aColour +
                  "; fill-opacity: 0.85; }\n");
  }
}

void VexRender_SvgStyle::writeBareRules(VexRender_SvgBuffer&       theBuffer,
                                        const VexRender_SvgPage&   thePage,
                                        const VexRender_SvgSurvey& theJob,
                                        const std::string&         theForeground)
{
  theBuffer.Add(std::string(".tool { ") + THE_ROUND_LINE + " stroke: " + theForeground + "; }\n");
  for (std::map<Standard_Integer, VexRender_SvgSurvey::Tool>::const_iterator anIter =
           theJob.Tools().begin();
       anIter != theJob.Tools().end(); ++anIter)
  {
    const std::string anIndex = std::to_string(anIter->second.Colour);
    theBuffer.Add(".t" + anIndex + " { stroke-width: ");
    theBuffer.Number(thePage.DrawnWidth(anIter->second.Width));
    theBuffer.Add("; }\n.d" + anIndex + " { fill: " + theForeground + "; }\n");
  }
}

void VexRender_SvgStyle::writeArtworkRules(VexRender_SvgBuffer& theBuffer,
                                           const std::string& theInk, const std::string& thePaper)
{
  theBuffer.Add(".art { fill: " + theInk + "; }\n.art-line { " + THE_ROUND_LINE +
                " stroke: " + theInk + "; }\n.clear { fill: " + thePaper + "; }\n.clear-line { " +
                THE_ROUND_LINE + " stroke: " + thePaper + "; }\n");
}

void VexRender_SvgStyle::writeBeneathRules(VexRender_SvgBuffer& theBuffer,
                                           const size_t         theNbBeneath)
{
  if (theNbBeneath == 0)
  {
    return;
  }
  theBuffer.Add(std::string(".m { fill: #fff; }\n.m-line { ") + THE_ROUND_LINE +
                " stroke: #fff; }\n.m-clear { fill: #000; }\n.m-clear-line { " + THE_ROUND_LINE +
                " stroke: #000; }\n");
  for (size_t anIndex = 0; anIndex < theNbBeneath; ++anIndex)
  {
    theBuffer.Add(".u" + std::to_string(anIndex) + " { fill: " + BeneathColour(anIndex) +
                  "; fill-opacity: 0.55; }\n");
  }
}
