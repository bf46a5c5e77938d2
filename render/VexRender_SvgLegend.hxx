// Copyright (c) 2026 VexData developers
#ifndef _VexRender_SvgLegend_HeaderFile
#define _VexRender_SvgLegend_HeaderFile

#include <VexRender_SvgPage.hxx>
#include <VexRender_SvgSurvey.hxx>

#include <string>
#include <vector>

//! The scale bar and the legend below a full picture. The legend has one row per tool of the
//! model on top (name, width, count of paths and hits), one for its design artwork, one for its
//! scan-field outlines, and one per design beneath (file name, kind, what it holds), each with
//! a swatch of its colour. The rows are known before the page is laid out, which needs their
//! number and length.
class VexRender_SvgLegend
{
public:
  //! Creates the rows of theJob's tools, artwork and scan fields.
  VexRender_SvgLegend(const VexRender_SvgSurvey& theJob);

  //! Adds the row of the design beneath at theIndex (from 0), named theName, of theKind.
  void AddBeneath(const size_t theIndex, const TCollection_ExtendedString& theName,
                  const TCollection_AsciiString& theKind, const VexRender_SvgSurvey& theSurvey);

  //! Returns what theSurvey's model holds in words: "2 tools, 3 paths, 10 hits, 1 area ...",
  //! or "nothing drawn".
  static std::string Holdings(const VexRender_SvgSurvey& theSurvey);

  //! Returns the number of rows.
  size_t NbRows() const { return myRows.size(); }

  //! Returns the length of the longest row in characters (at least 16).
  size_t Longest() const;

  //! Writes the scale bar: the longest length of 1, 2 or 5 times a power of ten that fits in a
  //! quarter of the drawing's width.
  static void WriteScaleBar(VexRender_SvgBuffer& theBuffer, const VexRender_SvgPage& thePage);

  //! Writes the rows below the scale bar.
  void Write(VexRender_SvgBuffer& theBuffer, const VexRender_SvgPage& thePage) const;

private:
  //! One row of the legend.
  struct Row
  {
    std::string                Group;  //!< class of the row's group
    std::string                Swatch; //!< class of the swatch
    TCollection_ExtendedString Name;   //!< leading name (tool or file), may be empty
    std::string                Text;   //!< the rest of the text, UTF-8 without markup
    size_t                     Length; //!< characters the row is counted for in the layout
  };

  std::vector<Row> myRows; //!< rows, top to bottom
};

#endif
