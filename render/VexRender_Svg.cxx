// Copyright (c) 2026 VexData developers
#include <VexRender_Svg.hxx>

#include <VexRender_SvgLegend.hxx>
#include <VexRender_SvgPainter.hxx>
#include <VexRender_SvgStyle.hxx>

#include <Standard_Failure.hxx>

#include <memory>

namespace
{
//! Pixels of the longer side of a full picture as a browser first shows it.
const double THE_PICTURE_PIXELS = 1000.0;

//! Surveys the models, lays out the page, then streams the picture.
class PictureWriter
{
public:
  //! Creates a writer of theModel's picture with theOptions into theStream.
  PictureWriter(const PenFormatData_Model& theModel, const VexRender_SvgOptions& theOptions,
                Standard_OStream& theStream)
      : myOptions(theOptions), myBuffer(theStream), myJob(theModel), myLegend(myJob)
  {
    if (myOptions.IsBare && myJob.IsNegative())
    {
      // A negative image on its own: the window is dark and what the model draws is clear, as
      // a viewer shows such a layer.
      std::swap(myOptions.Foreground, myOptions.Background);
    }
  }

  //! Writes the whole picture.
  void Write();

private:
  void layout();
  void writeHead();
  void writeBeneath();
  void writeJob();

  //! Returns the role of the model on top.
  VexRender_SvgPainter::Role jobRole() const
  {
    return myOptions.IsBare ? VexRender_SvgPainter::Role_Drawing
                            : VexRender_SvgPainter::Role_Picture;
  }

  VexRender_SvgOptions                              myOptions; //!< what to draw and how
  VexRender_SvgBuffer                               myBuffer;  //!< text on its way out
  VexRender_SvgSurvey                               myJob;     //!< the model on top
  std::vector<std::unique_ptr<VexRender_SvgSurvey>> myBeneath; //!< the designs beneath
  VexRender_SvgLegend                               myLegend;  //!< legend rows
  VexRender_SvgPage                                 myPage;    //!< page layout
};

void PictureWriter::Write()
{
  layout();
  writeHead();
  writeBeneath();
  writeJob();
  if (!myOptions.IsBare)
  {
    VexRender_SvgLegend::WriteScaleBar(myBuffer, myPage);
    myLegend.Write(myBuffer, myPage);
  }
  myBuffer.Add("</svg>\n");
  myBuffer.Flush();
}

void PictureWriter::layout()
{
  VexRender_SvgBox anExtent = myJob.Extent();
  for (size_t anIndex = 0; anIndex < myOptions.Beneath.size(); ++anIndex)
  {
    const VexRender_SvgOptions::Layer& aLayer = myOptions.Beneath[anIndex];
    myBeneath.emplace_back(new VexRender_SvgSurvey(*aLayer.Model));
    myLegend.AddBeneath(anIndex, aLayer.Name, aLayer.Kind, *myBeneath.back());
    anExtent.Add(myBeneath.back()->Extent());
  }
  const bool isWindow = !myOptions.Window.IsVoid();
  myPage.Layout(isWindow ? myOptions.Window : anExtent, isWindow, myOptions.IsBare,
                myLegend.NbRows(), myLegend.Longest());
}

void PictureWriter::writeHead()
{
  myBuffer.Add("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
               "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\"");
  if (myOptions.IsBare)
  {
    // Sizes in millimetres: rasterised at a resolution, the picture covers exactly the window.
    myBuffer.Add(" width=\"");
    myBuffer.Number(myPage.Width());
    myBuffer.Add("mm\" height=\"");
    myBuffer.Number(myPage.Height());
    myBuffer.Add("mm\"");
  }
  else
  {
    const double aPixels = THE_PICTURE_PIXELS / std::max(myPage.Width(), myPage.Height());
    myBuffer.Attribute("width", std::ceil(myPage.Width() * aPixels));
    myBuffer.Attribute("height", std::ceil(myPage.Height() * aPixels));
  }
  myBuffer.Add(" viewBox=\"0 0 ");
  myBuffer.Number(myPage.Width());
  myBuffer.Add(' ');
  myBuffer.Number(myPage.Height());
  myBuffer.Add("\">\n<title>" + std::to_string(myJob.NbToolpaths()) + " toolpaths, " +
               std::to_string(myJob.Tools().size()) + " tools");
  if (!myBeneath.empty())
  {
    myBuffer.Add(" over " + std::to_string(myBeneath.size()) + " designs");
  }
  myBuffer.Add(" (millimetres)</title>\n");
  VexRender_SvgStyle::Write(myBuffer, myPage, myJob, myBeneath.size(), myOptions);
  if (!myOptions.Window.IsVoid() && !myOptions.IsBare)
  {
    // What lies outside the window would spill into the margin and the legend.
    myBuffer.Add("<clipPath id=\"window\"><rect");
    myPage.DrawnRectangle(myBuffer);
    myBuffer.Add("/></clipPath>\n<g clip-path=\"url(#window)\">\n");
  }
}

void PictureWriter::writeBeneath()
{
  if (myBeneath.empty())
  {
    return;
  }
  // Each design is drawn into a mask, white where it draws and black where its clear artwork
  // erases, and the mask lets its colour through: clear artwork erases only its own design.
  myBuffer.Add("<g id=\"beneath\">\n");
  for (size_t anIndex = 0; anIndex < myBeneath.size(); ++anIndex)
  {
    const std::string anId = "beneath-" + std::to_string(anIndex + 1);
    myBuffer.Add("<mask id=\"" + anId + "\" maskUnits=\"userSpaceOnUse\" x=\"0\" y=\"0\"");
    myBuffer.Attribute("width", myPage.Width());
    myBuffer.Attribute("height", myPage.Height());
    myBuffer.Add(">\n");
    VexRender_SvgPainter(myBuffer, myPage, *myBeneath[anIndex], VexRender_SvgPainter::Role_Mask)
        .WriteSequences();
    myBuffer.Add("</mask>\n<rect class=\"u" + std::to_string(anIndex) +
                 "\" width=\"100%\" height=\"100%\" mask=\"url(#" + anId + ")\"/>\n");
  }
  myBuffer.Add("</g>\n");
}

void PictureWriter::writeJob()
{
  VexRender_SvgPainter aPainter(myBuffer, myPage, myJob, jobRole());
  if (!myOptions.IsBare)
  {
    myBuffer.Add("<g id=\"scan-fields\">\n");
    aPainter.WriteScanFieldList();
    myBuffer.Add("</g>\n");
  }
  myBuffer.Add("<g id=\"toolpaths\">\n");
  aPainter.WriteSequences();
  myBuffer.Add("</g>\n");
  if (!myOptions.Window.IsVoid() && !myOptions.IsBare)
  {
    myBuffer.Add("</g>\n");
  }
}

//! Returns false with theError set when theOptions cannot be drawn.
bool checkOptions(const VexRender_SvgOptions& theOptions, TCollection_AsciiString& theError)
{
  for (const VexRender_SvgOptions::Layer& aLayer : theOptions.Beneath)
  {
    if (aLayer.Model.IsNull())
    {
      theError = "no model to draw beneath";
      return false;
    }
  }
  if (!VexRender_SvgOptions::IsColour(theOptions.Foreground) ||
      !VexRender_SvgOptions::IsColour(theOptions.Background))
  {
    theError = "colours must be given as #rrggbb";
    return false;
  }
  if (!theOptions.Window.IsVoid() &&
      !(theOptions.Window.Width() > 0.0 && theOptions.Window.Height() > 0.0))
  {
    theError = "the window is empty";
    return false;
  }
  return true;
}
} // namespace

Standard_Boolean VexRender_Svg::Write(const Handle(PenFormatData_Model) & theModel,
                                      Standard_OStream&        theStream,
                                      TCollection_AsciiString& theError)
{
  return Write(theModel, VexRender_SvgOptions(), theStream, theError);
}

Standard_Boolean VexRender_Svg::Write(const Handle(PenFormatData_Model) & theModel,
                                      const VexRender_SvgOptions& theOptions,
                                      Standard_OStream&           theStream,
                                      TCollection_AsciiString&    theError)
{
  if (theModel.IsNull())
  {
    theError = "no model to draw";
    return Standard_False;
  }
  if (!checkOptions(theOptions, theError))
  {
    return Standard_False;
  }
  try
  {
    PictureWriter aWriter(*theModel, theOptions, theStream);
    aWriter.Write();
    theStream.flush();
  }
  catch (const std::exception& anError)
  {
    theError = TCollection_AsciiString("the picture could not be written: ") + anError.what();
    return Standard_False;
  }
  catch (const Standard_Failure& aFailure)
  {
    theError =
        TCollection_AsciiString("the picture could not be written: ") + aFailure.GetMessageString();
    return Standard_False;
  }
  if (!theStream.good())
  {
    theError = "the picture could not be written to its stream";
    return Standard_False;
  }
  return Standard_True;
}
