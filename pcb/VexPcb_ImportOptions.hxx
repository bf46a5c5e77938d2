// Copyright (c) 2026 VexData developers
#ifndef _VexPcb_ImportOptions_HeaderFile
#define _VexPcb_ImportOptions_HeaderFile

#include <Standard_TypeDef.hxx>
#include <TCollection_AsciiString.hxx>

#include <cstddef>

//! What the user decides when a design file (Excellon drill file, Gerber artwork) becomes a
//! pen-format model. Every field left empty or unknown lets the reader choose its default.
struct VexPcb_ImportOptions
{
  //! Length unit of coordinates.
  enum Unit
  {
    Unit_Unknown,    //!< not given
    Unit_Millimetre, //!< millimetres
    Unit_Inch        //!< inches
  };

  TCollection_AsciiString Phase;       //!< phase of every toolpath made; empty: the reader's
  TCollection_AsciiString Layer;       //!< layer of every object made; empty: the reader's
  Unit                    DefaultUnit; //!< unit of a file that does not state its own
  size_t                  ReadSize;    //!< bytes read from the file at a time; 0: the reader's

  //! Leaves every choice to the reader.
  VexPcb_ImportOptions() : DefaultUnit(Unit_Unknown), ReadSize(0) {}
};

#endif
