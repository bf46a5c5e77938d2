// Copyright (c) 2026 VexData developers
#ifndef _VexGerber_WriterOptions_HeaderFile
#define _VexGerber_WriterOptions_HeaderFile

#include <TCollection_AsciiString.hxx>

//! What VexGerber_Writer writes and how the file describes itself.
struct VexGerber_WriterOptions
{
  TCollection_AsciiString Phase;    //!< only sequences of this phase; empty: every phase
  TCollection_AsciiString Layer;    //!< only sequences of this layer; empty: every layer
  TCollection_AsciiString Function; //!< value of the .FileFunction attribute
  TCollection_AsciiString Software; //!< value of the .GenerationSoftware attribute
  Standard_Boolean        Artwork;  //!< write areas and clear objects too (true by default)
  //! Write the attributes in the compatible comment form "G04 #@! TF...*" (true by default),
  //! which readers without attribute support skip silently; false: as %TF...*% commands.
  Standard_Boolean AttributesAsComments;

  //! Every phase and layer, toolpaths and artwork, described as CAM toolpaths of this system.
  VexGerber_WriterOptions()
      : Function("Other,CAM toolpaths"), Software("VexData,vex,1.0.0"), Artwork(Standard_True),
        AttributesAsComments(Standard_True)
  {
  }
};

#endif
