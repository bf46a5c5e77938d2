// Copyright (c) 2026 VexData developers
#include <VexHost_Commands.hxx>

#include <VexHost_ModelFile.hxx>
#include <VexHost_Output.hxx>
#include <VexRender_Svg.hxx>

#include <CLI/CLI.hpp>

#include <filesystem>
#include <iostream>
#include <memory>

namespace
{
//! What render was given on the command line.
struct RenderOptions
{
  std::string              Input;          //!< machine file or model document
  std::string              Output;         //!< picture to write
  std::vector<std::string> Beneath;        //!< designs drawn beneath
  std::string              Window;         //!< "X0,Y0,X1,Y1", empty: automatic
  std::string              Foreground;     //!< colour of a bare drawing, empty: default
  std::string              Background;     //!< page colour of a bare drawing, empty: default
  bool                     IsBare = false; //!< only the drawing
};

//! Loads the designs to draw beneath into thePicture. Returns the exit status of the first that
//! does not load (0 when all do).
int loadBeneath(VexHost_Context& theContext, const RenderOptions& theOptions,
                VexRender_SvgOptions& thePicture)
{
  for (const std::string& aPath : theOptions.Beneath)
  {
    VexRender_SvgOptions::Layer aLayer;
    if (const int aLoaded = VexHost_ModelFile::Load(theContext, aPath, aLayer.Model))
    {
      return aLoaded;
    }
    aLayer.Name = TCollection_ExtendedString(
        std::filesystem::path(aPath).filename().string().c_str(), Standard_True);
    aLayer.Kind = VexHost_ModelFile::KindName(VexHost_ModelFile::Identify(theContext, aPath));
    thePicture.Beneath.push_back(aLayer);
  }
  return 0;
}

//! Turns the command-line options into picture options (they were checked while parsing).
VexRender_SvgOptions pictureOptions(const RenderOptions& theOptions)
{
  VexRender_SvgOptions aPicture;
  aPicture.IsBare = theOptions.IsBare;
  std::string anError;
  if (!theOptions.Window.empty())
  {
    VexRender_SvgOptions::ParseWindow(theOptions.Window, aPicture.Window, anError);
  }
  aPicture.Foreground = theOptions.Foreground.empty() ? aPicture.Foreground : theOptions.Foreground;
  aPicture.Background = theOptions.Background.empty() ? aPicture.Background : theOptions.Background;
  return aPicture;
}

//! Reads the file and the designs beneath it and writes their picture.
int render(VexHost_Context& theContext, const RenderOptions& theOptions)
{
  if (!theContext.Prepare())
  {
    return VexHost_Context::THE_SETUP_FAILED;
  }
  Handle(PenFormatData_Model) aModel;
  if (const int aLoaded = VexHost_ModelFile::Load(theContext, theOptions.Input, aModel))
  {
    return aLoaded;
  }
  VexRender_SvgOptions aPicture = pictureOptions(theOptions);
  if (const int aLoaded = loadBeneath(theContext, theOptions, aPicture))
  {
    return aLoaded;
  }
  const int aStatus = VexHost_Output::Write(
      theOptions.Output,
      [&aModel, &aPicture](std::ostream& theStream, TCollection_AsciiString& theError)
      { return VexRender_Svg::Write(aModel, aPicture, theStream, theError); },
      theContext.Messenger());
  if (aStatus == 0 && theOptions.Output != "-")
  {
    std::cout << "Wrote " << theOptions.Output << std::endl;
  }
  return aStatus;
}

//! Returns an empty string when theText is a window, else why it is not.
std::string checkWindow(const std::string& theText)
{
  VexRender_SvgBox aWindow;
  std::string      anError;
  return VexRender_SvgOptions::ParseWindow(theText, aWindow, anError) ? std::string() : anError;
}

//! Returns an empty string when theText is a colour, else why it is not.
std::string checkColour(const std::string& theText)
{
  return VexRender_SvgOptions::IsColour(theText)
             ? std::string()
             : "expected a colour #rrggbb, got \"" + theText + "\"";
}

//! Declares the options that shape the page.
void addPageOptions(CLI::App* theCommand, const std::shared_ptr<RenderOptions>& theOptions)
{
  theCommand
      ->add_option("--window", theOptions->Window,
                   "Draw this window of the model, X0,Y0,X1,Y1 in millimetres, instead of the "
                   "extent of everything drawn")
      ->check(checkWindow);
  CLI::Option* aBare = theCommand->add_flag(
      "--bare", theOptions->IsBare,
      "Only the drawing, in plain colours: no margin, scale bar or legend; sized in "
      "millimetres so that rasterised at a resolution it covers exactly the window");
  theCommand
      ->add_option("--foreground", theOptions->Foreground,
                   std::string("Colour of a bare drawing, #rrggbb (default ") +
                       VexRender_SvgOptions::THE_FOREGROUND + ")")
      ->check(checkColour)
      ->needs(aBare);
  theCommand
      ->add_option("--background", theOptions->Background,
                   std::string("Page colour of a bare drawing, #rrggbb (default ") +
                       VexRender_SvgOptions::THE_BACKGROUND + ")")
      ->check(checkColour)
      ->needs(aBare);
}
} // namespace

void VexHost_Commands::RegisterRender(CLI::App& theApp, VexHost_Context& theContext)
{
  CLI::App* aCommand =
      theApp.add_subcommand("render", "Draw a machine file, a JSON model document or a design file "
                                      "(Excellon, Gerber) as an SVG picture");
  auto anOptions = std::make_shared<RenderOptions>();
  aCommand
      ->add_option("FILE", anOptions->Input,
                   "Machine file, JSON document of a model, Excellon or Gerber file")
      ->required();
  aCommand
      ->add_option("-o,--output", anOptions->Output, "SVG file to write (- for standard output)")
      ->required();
  aCommand->add_option("--under", anOptions->Beneath,
                       "Design files to draw beneath FILE, muted, each in its own colour (any "
                       "file FILE may be; the option may be repeated)");
  addPageOptions(aCommand, anOptions);
  aCommand->footer("Toolpaths are stroked at their tool's width, drill hits are discs of the "
                   "tool's diameter, design artwork is filled and flashed with its apertures "
                   "(clear polarity in the page colour), scan fields are dashed; the legend lists "
                   "every tool and every design beneath.");
  theContext.AddCommand(aCommand,
                        [&theContext, anOptions]() { return render(theContext, *anOptions); });
}
