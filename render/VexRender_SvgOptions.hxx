// Copyright (c) 2026 VexData developers
#ifndef _VexRender_SvgOptions_HeaderFile
#define _VexRender_SvgOptions_HeaderFile

#include <VexRender_SvgBox.hxx>

#include <PenFormatData_Model.hxx>
#include <TCollection_AsciiString.hxx>
#include <TCollection_ExtendedString.hxx>

#include <string>
#include <vector>

//! What a picture shows besides the model on top, and how: the designs drawn beneath it, the
//! window drawn instead of the automatic page, and the bare form made to be compared pixel for
//! pixel with another viewer's picture.
class VexRender_SvgOptions
{
public:
  //! A design drawn beneath the model, in a colour of its own.
  struct Layer
  {
    Handle(PenFormatData_Model) Model; //!< what the design holds
    TCollection_ExtendedString Name;   //!< name for the legend (the file name)
    TCollection_AsciiString    Kind;   //!< what kind of file it is, for the legend
  };

  //! Default colour of what is drawn on a bare page.
  static const char* const THE_FOREGROUND;

  //! Default page colour of a bare page.
  static const char* const THE_BACKGROUND;

  std::vector<Layer> Beneath;    //!< designs, drawn in this order under the model
  VexRender_SvgBox   Window;     //!< model millimetres to draw; void: everything drawn
  bool               IsBare;     //!< only the drawing, in plain colours
  std::string        Foreground; //!< colour of a bare drawing, "#rrggbb"
  std::string        Background; //!< page colour of a bare drawing, "#rrggbb"

  //! Creates the options of a full automatic picture.
  VexRender_SvgOptions() : IsBare(false), Foreground(THE_FOREGROUND), Background(THE_BACKGROUND) {}

  //! Returns true when theText is a colour "#rrggbb" (hexadecimal digits of either case).
  static bool IsColour(const std::string& theText);

  //! Reads a window "X0,Y0,X1,Y1" (millimetres, X0 < X1 and Y0 < Y1) into theWindow. Returns
  //! false with theError set when theText is not one.
  static bool ParseWindow(const std::string& theText, VexRender_SvgBox& theWindow,
                          std::string& theError);
};

#endif
