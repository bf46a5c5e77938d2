// Copyright (c) 2026 VexData developers
// Path geometry, circles, macros and placements, and the bound on copied macro elements.
#include <VexData_ReaderRun_Test.hxx>

#include <gtest/gtest.h>

#include <gp_Dir2d.hxx>

#include <cstring>
#include <limits>
#include <random>
#include <vector>

namespace
{
typedef VexTest_FileBuilder Builder;

//! A block whose items theBeforeGroup are followed by one group of tool 1 holding theItems.
std::string groupBlock(const std::string& theItems, const std::string& theBeforeGroup = "")
{
  return Builder().Block("P", "").Data() + theBeforeGroup + Builder().Group(1).Data() + theItems +
         '\0';
}

//! Header, declarations and tool 1, then groupBlock(theItems, theBeforeGroup).
std::string groupFile(const std::string& theItems, const std::string& theBeforeGroup = "")
{
  return Builder().Header().WriterDeclarations().Tool(1, 0, 0.5f, "T").Data() +
         groupBlock(theItems, theBeforeGroup);
}

//! Returns the elements of the model's sequences, each curve introduced by "|".
std::string elements(const PenFormatData_Model& theModel)
{
  std::string aText;
  for (const Handle(PenFormatData_Object) & anObject : theModel.Objects())
  {
    Handle(PenFormatData_Sequence) aSeq = Handle(PenFormatData_Sequence)::DownCast(anObject);
    for (const Handle(PhGeom_Curve) & aChild : aSeq->GetCurve()->Children())
    {
      aText += "|" + VexTest_DumpElements(*aChild, "");
    }
  }
  return aText;
}

TEST(VexData_ReaderGeometry, PathsArcsAndCircles)
{
  const float aNaN = std::numeric_limits<float>::quiet_NaN();
  struct Case
  {
    const char* Name;
    std::string Items;
    std::string Elements;
  } aCases[] = {
      {"repeated point and 1e-8 add nothing",
       Builder().XY(12, 0, 0).XY(13, 0, 0).XY(13, 1e-8f, 0).Data(), ""},
      {"1e-6 adds a segment", Builder().XY(12, 0, 0).XY(13, 1e-6f, 0).Data(),
       "|seg 0 0 9.9999999747524271e-07 0\n"},
      {"counter-clockwise arc", Builder().XY(12, 1, 0).ArcTo(0, 1, 0, 0, 1).Data(),
       "|arc c 0 0 r 1 a 0 1.5707963267948966 s 1\n"},
      {"clockwise arc", Builder().XY(12, 1, 0).ArcTo(0, 1, 0, 0, -1).Data(),
       "|arc c 0 0 r 1 a 0 -4.7123889803846897 s 0\n"},
      {"end on start is a full turn", Builder().XY(12, 0, 1).ArcTo(0, 1, 0, 0, 1).Data(),
       "|arc c 0 0 r 1 a 1.5707963267948966 7.8539816339744828 s 1\n"},
      {"radius comes from the record", Builder().XY(12, 1, 0).ArcTo(-1, 0, 0, 0, 5).Data(),
       "|arc c 0 0 r 5 a 0 3.1415926535897931 s 1\n"},
      {"start on the centre", Builder().XY(12, 0, 0).ArcTo(0, 1, 0, 0, 1).Data(),
       "|arc c 0 0 r 1 a 0 1.5707963267948966 s 1\n"},
      {"negative circle radius", Builder().Circle(3, 4, -2).Data(),
       "|arc c 3 4 r 2 a 0 -6.2831853071795862 s 0\n"},
      {"zero radius is clockwise", Builder().Circle(3, 4, 0).Data(),
       "|arc c 3 4 r 0 a 0 -6.2831853071795862 s 0\n"},
      {"path start only", Builder().XY(12, 5, 5).Circle(0, 0, 1).Data(),
       "|arc c 0 0 r 1 a 0 6.2831853071795862 s 1\n"},
      {"not a number", Builder().XY(12, aNaN, 0).XY(13, 1, 0).ArcTo(aNaN, 2, 1, aNaN, 1).Data(),
       "|arc c 1 nan r 1 a nan nan s 1\n"},
  };
  for (const Case& aCase : aCases)
  {
    VexTest_Read aRead(groupFile(aCase.Items));
    EXPECT_EQ(0, aRead.Status) << aCase.Name << aRead.Capture.Dump();
    EXPECT_EQ(aCase.Elements, elements(*aRead.Model)) << aCase.Name;
  }
}

TEST(VexData_ReaderGeometry, ArcAnglesAreThoseOfTheModelsDirections)
{
  // Hosts compare the model's angles with gp_Dir2d's, which differs from atan2 in the last bit
  // for many directions and gives -pi, not +pi, for (-1, +0).
  {
    VexTest_Read aRead(groupFile(Builder().XY(12, -1, 0).ArcTo(0, 1, 0, 0, 1).Data()));
    ASSERT_EQ(0, aRead.Status);
    EXPECT_EQ("|arc c 0 0 r 1 a -3.1415926535897931 1.5707963267948966 s 1\n",
              elements(*aRead.Model));
  }
  std::vector<gp_XY>                    aDirections = {gp_XY(1, 0),
                                                       gp_XY(-1, 0),
                                                       gp_XY(0, 1),
                                                       gp_XY(0, -1),
                                                       gp_XY(1, 1),
                                                       gp_XY(-1, -1),
                                                       gp_XY(3, 4),
                                                       gp_XY(-0.7f, 0.71f),
                                                       gp_XY(1e-30f, -1),
                                                       gp_XY(-1, 1e-30f),
                                                       gp_XY(0.70710677f, 0.70710677f)};
  std::mt19937                          aRandom(12);
  std::uniform_real_distribution<float> aCoordinate(-100.0f, 100.0f);
  for (int anIndex = 0; anIndex < 400; ++anIndex)
  {
    aDirections.push_back(gp_XY(aCoordinate(aRandom), aCoordinate(aRandom)));
  }
  const gp_Dir2d aXAxis(1.0, 0.0);
  for (const gp_XY& aStart : aDirections)
  {
    // The arc runs about (0.5, -0.25) from the start point to the opposite point.
    const float  aCX = 0.5f, aCY = -0.25f;
    const float  aSX = static_cast<float>(aStart.X()) + aCX;
    const float  aSY = static_cast<float>(aStart.Y()) + aCY;
    VexTest_Read aRead(groupFile(
        Builder().XY(12, aSX, aSY).ArcTo(2 * aCX - aSX, 2 * aCY - aSY, aCX, aCY, 1).Data()));
    ASSERT_EQ(0, aRead.Status);
    const Handle(PenFormatData_Sequence) aSeq =
        Handle(PenFormatData_Sequence)::DownCast(aRead.Model->Objects().First());
    const PhGeom_Element* anArc = aSeq->GetCurve()->Children().First()->FirstElement();
    ASSERT_EQ(PhGeom_Element::Kind_Arc, anArc->Kind());
    const gp_XY         aFromCentre = gp_XY(aSX, aSY) - gp_XY(aCX, aCY);
    const Standard_Real anExpected  = aXAxis.Angle(gp_Dir2d(aFromCentre.X(), aFromCentre.Y()));
    const Standard_Real anActual    = static_cast<const PhGeom_Arc*>(anArc)->Angle(0);
    EXPECT_EQ(0, std::memcmp(&anExpected, &anActual, sizeof(anActual)))
        << aFromCentre.X() << " " << aFromCentre.Y() << ": " << anActual << " " << anExpected;
  }
}

TEST(VexData_ReaderGeometry, MacrosAndPlacements)
{
  const std::string aMacro1  = Builder().Byte(26).Int(1).XY(12, 0, 0).XY(13, 1, 0).Byte(27).Data();
  const std::string anEmpty2 = Builder().Byte(26).Int(2).Byte(27).Data();
  struct Case
  {
    const char* Name;
    std::string File;
    int         Status;
    std::string Dump;
    std::string Elements;
  } aCases[] = {
      {"translated copy", groupFile(Builder().Place(1, 10, 5).Place(1, -1, 0).Data(), aMacro1), 0,
       "", "|seg 10 5 11 5\n|seg -1 0 0 0\n"},
      {"macros numbered across blocks",
       groupFile("", aMacro1) +
           groupBlock(Builder().Place(2, 0, 0).Place(1, 0, 1).Data(), anEmpty2),
       0, "", "|seg 0 1 1 1\n"},
      {"arc macro keeps its angles",
       groupFile(Builder().Place(1, 2, 0).Data(),
                 Builder().Byte(26).Int(1).XY(12, 1, 0).ArcTo(0, 1, 0, 0, 1).Byte(27).Data()),
       0, "", "|arc c 2 0 r 1 a 0 1.5707963267948966 s 1\n"},
      {"number out of sequence", groupFile("", anEmpty2), 2,
       "4 VEX_READER_INVALID_MACRO_NUMBER 2\n", ""},
      {"placement beyond the macros", groupFile(Builder().Place(3, 0, 0).Data(), aMacro1), 2,
       "4 VEX_READER_NO_MACRO 3\n", ""},
      {"placement of macro 0", groupFile(Builder().Place(0, 0, 0).Data(), aMacro1), 2,
       "4 VEX_READER_NO_MACRO 0\n", ""},
      {"missing macro end",
       groupFile("", Builder().Byte(26).Int(1).XY(12, 0, 0).XY(13, 1, 0).Byte(20).Data()), 2,
       "4 VEX_READER_WRONG_TYPE 27\n", ""},
      {"cut macro number", Builder().Header().Block("P", "").Bytes({26, 1, 0}).Data(), 6,
       "4 VEX_READER_READ_INT_FAILURE\n", ""},
  };
  for (const Case& aCase : aCases)
  {
    VexTest_Read aRead(aCase.File);
    EXPECT_EQ(aCase.Status, aRead.Status) << aCase.Name;
    EXPECT_EQ(aCase.Dump, aRead.Capture.Dump()) << aCase.Name;
    EXPECT_EQ(aCase.Elements, elements(*aRead.Model)) << aCase.Name;
  }
}

TEST(VexData_ReaderGeometry, PlacementsCopyABoundedNumberOfElements)
{
  EXPECT_GE(VexData_Reader::Limits().Elements, 10000000u);
  const std::string aMacro =
      Builder().Byte(26).Int(1).XY(12, 0, 0).XY(13, 1, 0).XY(13, 1, 1).XY(13, 0, 1).Byte(27).Data();
  for (int aPlacements : {3, 4})
  {
    Builder aPlaces;
    for (int anIndex = 0; anIndex < aPlacements; ++anIndex)
    {
      aPlaces.Place(1, static_cast<float>(anIndex), 0);
    }
    PenFormatData_Model    aModel;
    VexTest_MessageCapture aCapture;
    aModel.SetMessenger(aCapture.Messenger());
    std::istringstream     aStream(groupFile(aPlaces.Data(), aMacro));
    VexData_Reader::Limits aLimits;
    aLimits.Elements = 9;
    VexData_Reader aReader(aModel, aLimits);
    const bool     isWithin = aPlacements * 3 <= 9;
    EXPECT_EQ(isWithin ? 0 : 3, aReader.Process(aStream)) << aPlacements;
    EXPECT_EQ(isWithin ? "" : "4 VEX_READER_TOO_MANY_ELEMENTS 9\n", aCapture.Dump());
    EXPECT_EQ(isWithin ? 1u : 0u, aModel.Objects().Size());
  }
}
} // namespace
