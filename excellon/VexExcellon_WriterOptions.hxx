// Copyright (c) 2026 VexData developers
#ifndef _VexExcellon_WriterOptions_HeaderFile
#define _VexExcellon_WriterOptions_HeaderFile

#include <TCollection_AsciiString.hxx>

//! Which toolpaths of a model VexExcellon_Writer writes. Empty names select everything.
struct VexExcellon_WriterOptions
{
  TCollection_AsciiString Phase; //!< only toolpaths of this phase; empty: every phase
  TCollection_AsciiString Layer; //!< only toolpaths of this layer; empty: every layer
};

#endif
