// Copyright (c) 2026 VexData developers
// A design of negative image polarity (a solder mask written as a negative) drawn bare, beneath a
// job and on its own: a dark field, what it draws clear, its clear artwork dark.
#include <VexTest_ModelBuilder.hxx>
#include <VexTest_Xml.hxx>

#include <VexRender_Svg.hxx>

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace
{
//! A negative design: a 2 x 2 opening and a clear dot inside it.
Handle(PenFormatData_Model) negativeDesign()
{
  VexTest_ModelBuilder aBuilder;
  aBuilder.Aperture(1, PenFormatData_Aperture::Shape_Round, {0.5});
  PhGeom_Curve& aSquare = aBuilder.Artwork(0, true, false);
  aSquare.CreateSegment(gp_XY(1, 1), gp_XY(3, 1));
  aSquare.CreateSegment(gp_XY(3, 1), gp_XY(3, 3));
  aSquare.CreateSegment(gp_XY(3, 3), gp_XY(1, 3));
  aSquare.CreateSegment(gp_XY(1, 3), gp_XY(1, 1));
  aBuilder.Artwork(1, false, true).CreatePoint(gp_XY(2, 2));
  aBuilder.Model()->SetImagePolarity(PenFormatData_IP_Negative);
  return aBuilder.Model();
}

//! Returns the picture of theModel with theOptions and its start tags in theElements.
std::string draw(const Handle(PenFormatData_Model) & theModel,
                 const VexRender_SvgOptions&      theOptions,
                 std::vector<VexTest_XmlElement>& theElements)
{
  theElements.clear();
  std::ostringstream      aStream;
  TCollection_AsciiString anError;
  EXPECT_TRUE(VexRender_Svg::Write(theModel, theOptions, aStream, anError)) << anError;
  EXPECT_EQ(VexTest_XmlCheck().Run(aStream.str(), theElements), "");
  return aStream.str();
}

//! Returns the classes of the rectangles, paths and circles after the style, in order.
std::string classes(const std::vector<VexTest_XmlElement>& theElements)
{
  std::string aClasses;
  for (const VexTest_XmlElement& anElement : theElements)
  {
    if ((anElement.Name == "rect" || anElement.Name == "path" || anElement.Name == "circle") &&
        anElement.Attributes.count("class"))
    {
      aClasses += anElement.Attributes.at("class") + " ";
    }
  }
  return aClasses;
}
} // namespace

TEST(VexRenderSvgNegative, NegativeImagesDrawADarkFieldWithClearFeatures)
{
  std::vector<VexTest_XmlElement> anElements;
  // Bare: the colours change places, so the page is ink and the opening paper.
  VexRender_SvgOptions aBare;
  aBare.IsBare      = true;
  std::string aText = draw(negativeDesign(), aBare, anElements);
  EXPECT_NE(aText.find("<rect width=\"100%\" height=\"100%\" fill=\"#000000\"/>"),
            std::string::npos);
  EXPECT_NE(aText.find(".art { fill: #ffffff; }"), std::string::npos);
  EXPECT_EQ(classes(anElements), "art clear ");

  // On its own in a full picture: a field of the artwork colour, the opening in the page colour,
  // the clear dot dark again (then the legend's swatch).
  aText = draw(negativeDesign(), VexRender_SvgOptions(), anElements);
  EXPECT_EQ(classes(anElements).substr(0, 14), "art clear art ");

  // Beneath a job: the mask starts white over the drawing and the opening erases.
  VexRender_SvgOptions        anOver;
  VexRender_SvgOptions::Layer aLayer;
  aLayer.Model = negativeDesign();
  aLayer.Name  = "mask.gbr";
  aLayer.Kind  = "Gerber file";
  anOver.Beneath.push_back(aLayer);
  VexTest_ModelBuilder aJob;
  aJob.Aperture(1, PenFormatData_Aperture::Shape_Round, {0.8});
  aJob.Toolpath(1, 2).CreatePoint(gp_XY(2, 2));
  aText = draw(aJob.Model(), anOver, anElements);
  EXPECT_EQ(classes(anElements).substr(0, 15), "m m-clear m u0 ");
}
