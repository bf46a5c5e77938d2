// Copyright (c) 2026 VexData developers
// The Excellon reader: the model it builds, apertures across files, the report, the model left
// untouched by a fault, the probe, and the catalogue texts of the Excellon messages.
#include <VexTest_Messages.hxx>

#include <VexExcellon_Reader.hxx>

#include <PenFormatData_Sequence.hxx>

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <regex>
#include <sstream>

#include <dirent.h>

namespace
{
//! One import: the model it went into, the report and the result.
struct Import
{
  Handle(PenFormatData_Model) Model; //!< the model
  VexPcb_TransferReport Report;      //!< the report of the last file
  bool                  IsOk;        //!< result of the last file

  Import() : Model(new PenFormatData_Model()), IsOk(false) {}

  //! Reads theText into the model.
  Import& Read(const std::string&          theText,
               const VexPcb_ImportOptions& theOptions = VexPcb_ImportOptions())
  {
    VexTest_MessageCapture::RegisterCatalogue();
    std::istringstream aStream(theText);
    Report = VexPcb_TransferReport();
    IsOk   = VexExcellon_Reader::Read(aStream, theOptions, *Model, Report) == Standard_True;
    return *this;
  }

  //! Returns the fault as "line KEY args".
  std::string Fault() const
  {
    VexTest_MessageCapture aCapture;
    Message_Msg            aMessage(Report.Fault());
    aCapture.Messenger()->Send(aMessage.Get(), Message_Fail);
    return std::to_string(Report.FaultLine()) + " " + aCapture.Dump().substr(2);
  }

  //! Returns the apertures as "name diameter" lines.
  std::string Apertures() const
  {
    std::string aText;
    for (int aNumber = 1; aNumber < Model->NbApertures(); ++aNumber)
    {
      const Handle(PenFormatData_Aperture)& anAp = Model->Aperture(aNumber);
      EXPECT_TRUE(anAp->ToolFlag() == 1 && anAp->NbParams() == 1 &&
                  anAp->ShapeCode() == PenFormatData_Aperture::Shape_Round);
      char aWidth[32];
      std::snprintf(aWidth, sizeof(aWidth), "%.9g", anAp->Param(1));
      aText += TCollection_AsciiString(anAp->Name()).ToCString() + std::string(" ") + aWidth + "\n";
    }
    return aText;
  }

  //! Returns the toolpaths as lines "aperture mode phase/layer: contours".
  std::string Toolpaths() const
  {
    std::string aText;
    for (const Handle(PenFormatData_Object) & anObject : Model->Objects())
    {
      const Handle(PenFormatData_Sequence) aSeq =
          Handle(PenFormatData_Sequence)::DownCast(anObject);
      EXPECT_EQ(1, aSeq->ToolpathFlag());
      aText += std::to_string(aSeq->ApertureNumber()) + " " + std::to_string(aSeq->ToolpathMode()) +
               " " + TCollection_AsciiString(aSeq->PhaseName()).ToCString() + "/" +
               TCollection_AsciiString(aSeq->LayerName()).ToCString() + ":";
      for (const Handle(PhGeom_Curve) & aContour : aSeq->GetCurve()->Children())
      {
        aText += " " + contour(*aContour);
      }
      aText += "\n";
    }
    return aText;
  }

  //! Returns theCurve's elements: "p(x,y)", "s(x,y)", "a(x,y)" by end point, joined by "-".
  static std::string contour(const PhGeom_Curve& theCurve)
  {
    std::string aText;
    for (PhGeom_Curve::ElementIterator anIter(theCurve); anIter.More(); anIter.Next())
    {
      const PhGeom_Element& anElement = anIter.Value();
      const char            aKind     = "?asp"[anElement.Kind()];
      char                  aPoint[64];
      std::snprintf(aPoint, sizeof(aPoint), "%c(%.6g,%.6g)", aKind,
                    std::round(anElement.EndPoint().X() * 1e6) / 1e6 + 0.0,
                    std::round(anElement.EndPoint().Y() * 1e6) / 1e6 + 0.0);
      aText += (aText.empty() ? "" : "-") + std::string(aPoint);
    }
    return aText;
  }

  //! Returns the report's counts as printed.
  std::string Counts() const
  {
    std::ostringstream aStream;
    Report.PrintCounts(aStream);
    return aStream.str();
  }
};

const char THE_BOARD[] = "; a board\n"
                         "M48\n"
                         "; #@! TF.FileFunction,Plated,1,2,PTH\n"
                         "METRIC,TZ\n"
                         "T1C0.8\n"
                         "T2C1.0\n"
                         "T3C3.0\n"
                         "%\n"
                         "G05\n"
                         "T1\n"
                         "X1.0Y1.0\n"
                         "X2.0\n"
                         "T2\n"
                         "X5.0Y5.0\n"
                         "X6.0Y5.0G85X8.0Y5.0\n"
                         "T1\n"
                         "X3.0Y1.0\n"
                         "T2\n"
                         "G00X10.0Y0\n"
                         "M15\n"
                         "G01X20.0\n"
                         "G03X20.0Y10.0I0J5.0\n"
                         "M16\n"
                         "M30\n";

TEST(VexExcellon_Reader, ModelOfAFile)
{
  Import anImport;
  ASSERT_TRUE(anImport.Read(THE_BOARD).IsOk) << anImport.Fault();
  EXPECT_EQ(PenFormatData_DU_Millimetre, anImport.Model->DimensionUnit());
  EXPECT_EQ("T01 0.8\nT02 1\n", anImport.Apertures());
  EXPECT_EQ("1 2 Drilling/Drill: p(1,1) p(2,1) p(3,1)\n"
            "2 2 Drilling/Drill: p(5,5)\n"
            "2 1 Drilling/Drill: s(8,5) s(20,0)-a(20,10)\n",
            anImport.Toolpaths());
  ASSERT_EQ(1, anImport.Model->NbLayers());
  EXPECT_EQ(3, anImport.Model->Layer(1)->Flags());
  EXPECT_EQ("Toolpaths:\n  4 holes\n  1 slots\n  1 routed paths\n"
            "Ignored:\n  1 comments\n  1 attributes\n  1 tools defined but not used\n",
            anImport.Counts());
}

TEST(VexExcellon_Reader, ArcsAreExact)
{
  // The arc starts where the route is and ends at the end the file gives, in its sense.
  Import anImport;
  ASSERT_TRUE(anImport
                  .Read("M48\nMETRIC\nT1C1\n%\nT1\nG00X0Y0\nM15\nG02X2.0Y0I1.0\nG02X2.0Y0I-1.0\n"
                        "G03X0Y2.0A2.0\nM16\n")
                  .IsOk);
  const Handle(PenFormatData_Sequence) aSeq =
      Handle(PenFormatData_Sequence)::DownCast(anImport.Model->Objects().First());
  PhGeom_Curve::ElementIterator anIter(*aSeq->GetCurve()->Children().First());
  struct Arc
  {
    double Center[2], Radius, Sweep;
    int    Sense;
  } anArcs[] = {{{1, 0}, 1, -M_PI, 0}, {{1, 0}, 1, -2 * M_PI, 0}, {{0, 0}, 2, M_PI / 2, 1}};
  gp_XY aPrevious(0, 0);
  for (const Arc& anExpected : anArcs)
  {
    ASSERT_TRUE(anIter.More());
    const PhGeom_Arc& anArc = static_cast<const PhGeom_Arc&>(anIter.Value());
    ASSERT_EQ(PhGeom_Element::Kind_Arc, anArc.Kind());
    EXPECT_NEAR(0.0, (anArc.StartPoint() - aPrevious).Modulus(), 1e-12);
    EXPECT_NEAR(anExpected.Center[0], anArc.Center().X(), 1e-12);
    EXPECT_NEAR(anExpected.Center[1], anArc.Center().Y(), 1e-12);
    EXPECT_NEAR(anExpected.Radius, anArc.Radius(), 1e-12);
    EXPECT_NEAR(anExpected.Sweep, anArc.Angle(1) - anArc.Angle(0), 1e-12);
    EXPECT_EQ(anExpected.Sense, anArc.Sense());
    aPrevious = anArc.EndPoint();
    anIter.Next();
  }
  EXPECT_NEAR(0.0, (aPrevious - gp_XY(0, 2)).Modulus(), 1e-12);
}

TEST(VexExcellon_Reader, OptionsAndUnits)
{
  VexPcb_ImportOptions anOptions;
  anOptions.Phase       = "Vias";
  anOptions.Layer       = "board-PTH";
  anOptions.DefaultUnit = VexPcb_ImportOptions::Unit_Millimetre;
  Import anImport;
  ASSERT_TRUE(anImport.Read("M48\nT1C.8\n%\nT1\nX1000Y2000\n", anOptions).IsOk);
  EXPECT_EQ("T01 0.8\n", anImport.Apertures());
  EXPECT_EQ("1 2 Vias/board-PTH: p(1,2)\n", anImport.Toolpaths());
  EXPECT_FALSE(anImport.Model->FindLayer("board-PTH").IsNull());

  // A model that already holds something keeps its unit: the file's values are converted.
  Import anInch;
  anInch.Model->SetDimensionUnit(PenFormatData_DU_Inch);
  anInch.Model->SetAperture(1, new PenFormatData_Aperture(1, "Other", NULL, 0));
  ASSERT_TRUE(anInch.Read("M48\nMETRIC\nT1C2.54\n%\nT1\nX25.4Y-50.8\n").IsOk);
  EXPECT_EQ(PenFormatData_DU_Inch, anInch.Model->DimensionUnit());
  EXPECT_NEAR(0.1, anInch.Model->Aperture(2)->Param(1), 1e-15);
  EXPECT_EQ("2 2 Drilling/Drill: p(1,-2)\n", anInch.Toolpaths());
}

TEST(VexExcellon_Reader, ReadSizeChangesNothing)
{
  // The file read a few bytes at a time (lines cut everywhere, a CR LF pair split) gives the
  // same model, report and fault as read at once.
  const std::string THE_FILES[] = {THE_BOARD, "M48\r\nMETRIC\r\nT1C1\r\n%\r\nT1\r\nX1Y1\r\nM30",
                                   "M48\nMETRIC\nT1C1\n%\nT1\nX1Y1\nT7\nX2Y2\n"};
  for (const std::string& aFile : THE_FILES)
  {
    Import aWhole;
    aWhole.Read(aFile);
    for (const size_t aSize : {1, 2, 3, 7})
    {
      VexPcb_ImportOptions anOptions;
      anOptions.ReadSize = aSize;
      Import aSmall;
      aSmall.Read(aFile, anOptions);
      EXPECT_EQ(aWhole.IsOk, aSmall.IsOk) << aSize << ": " << aFile;
      EXPECT_EQ(aWhole.Apertures() + aWhole.Toolpaths() + aWhole.Counts(),
                aSmall.Apertures() + aSmall.Toolpaths() + aSmall.Counts())
          << aSize << ": " << aFile;
      EXPECT_EQ(aWhole.IsOk ? "" : aWhole.Fault(), aSmall.IsOk ? "" : aSmall.Fault());
    }
  }
}

TEST(VexExcellon_Reader, AperturesAcrossFiles)
{
  struct Case
  {
    const char* Name;
    const char* Files[3];
    const char* Apertures;
    const char* Sequences; // aperture of each toolpath, in order
  } aCases[] = {
      {"same name and diameter", {"T1C0.8", "T01C0.8000004", "T1C0.8"}, "T01 0.8\n", "111"},
      {"another diameter gets a suffix",
       {"T1C0.8", "T1C0.9", "T1C0.9"},
       "T01 0.8\nT01_1 0.9\n",
       "122"},
      {"the suffixed name is found again",
       {"T1C0.8", "T1C0.9", "T1C0.8"},
       "T01 0.8\nT01_1 0.9\n",
       "121"},
      {"two digits at least, more when needed",
       {"T7C1", "T123C2", "T0C3"},
       "T07 1\nT123 2\nT00 3\n",
       "123"},
      {"a redefinition within a file",
       {"T1C0.8\nT1\nX0Y0\nT1C0.9", "T1C0.9", NULL},
       "T01 0.8\nT01_1 0.9\n",
       "122"},
  };
  for (const Case& aCase : aCases)
  {
    Import anImport;
    for (const char* aFile : aCase.Files)
    {
      if (aFile == NULL)
      {
        continue;
      }
      const std::string aTool = std::string(aFile).substr(0, std::string(aFile).find('C'));
      ASSERT_TRUE(
          anImport.Read("M48\nMETRIC\n%\n" + std::string(aFile) + "\n" + aTool + "\nX1.0Y1.0\n")
              .IsOk)
          << aCase.Name << anImport.Fault();
    }
    EXPECT_EQ(aCase.Apertures, anImport.Apertures()) << aCase.Name;
    std::string aSequences;
    for (const Handle(PenFormatData_Object) & anObject : anImport.Model->Objects())
    {
      aSequences +=
          std::to_string(Handle(PenFormatData_Sequence)::DownCast(anObject)->ApertureNumber());
    }
    EXPECT_EQ(aCase.Sequences, aSequences) << aCase.Name;
  }
}

TEST(VexExcellon_Reader, FaultLeavesTheModelAsItWas)
{
  Import anImport;
  ASSERT_TRUE(anImport.Read(THE_BOARD).IsOk);
  const std::string anApertures = anImport.Apertures(), aToolpaths = anImport.Toolpaths();
  const char* const aBroken[] = {
      "M48\nMETRIC\nT1C0.9\nT5C2\n%\nT1\nX1.0Y1.0\nT5\nG00X0Y0\nM15\nG01X1.0\nX1..2\n",
      "M48\nMETRIC\nT1C0.9\n%\nT1\nX1.0Y1.0\nT4\nX2.0Y2.0\n",
  };
  const char* const aFaults[] = {"12 VEX_EXCELLON_BAD_NUMBER 12 X1..2\n",
                                 "8 VEX_EXCELLON_UNDEFINED_TOOL 8 4\n"};
  for (int anIndex = 0; anIndex < 2; ++anIndex)
  {
    VexPcb_ImportOptions anOptions;
    anOptions.Layer = "Other layer";
    EXPECT_FALSE(anImport.Read(aBroken[anIndex], anOptions).IsOk);
    EXPECT_EQ(aFaults[anIndex], anImport.Fault());
    EXPECT_EQ("", anImport.Counts());
    EXPECT_EQ(anApertures, anImport.Apertures());
    EXPECT_EQ(aToolpaths, anImport.Toolpaths());
    EXPECT_EQ(1, anImport.Model->NbLayers());
  }
}

TEST(VexExcellon_Reader, ABodyWithoutToolSizesSaysSo)
{
  // The body of a drill file without its header: no unit, no tool sizes. It is claimed as a drill
  // file and refused with a message that names what is missing.
  const std::string aBody = "T1\nX1Y1\nT2\nX2Y2\nM30\n";
  EXPECT_TRUE(VexExcellon_Reader::Probe(aBody.data(), aBody.size()));
  Import anImport;
  anImport.Read(aBody);
  EXPECT_FALSE(anImport.IsOk);
  EXPECT_EQ(anImport.Fault(), "2 VEX_EXCELLON_NO_TOOL_SIZES 2 1\n");
  // With a header, a tool without its size is the one missing.
  anImport.Read("M48\nMETRIC\n%\nT1\nX1Y1\n");
  EXPECT_EQ(anImport.Fault(), "5 VEX_EXCELLON_UNDEFINED_TOOL 5 1\n");
}

TEST(VexExcellon_Reader, Probe)
{
  struct Case
  {
    std::string Head;
    bool        IsExcellon;
  } aCases[] = {
      {"M48\nMETRIC,TZ\nT1C0.8\n%\n", true},
      {";Layer_Color=1\r\nM48\r\n;FILE_FORMAT=2:3\r\nINCH,LZ\r\n", true},
      {"G90\nM72\nM48\nT0C0.006\n", true},
      {"\xEF\xBB\xBFM48\n", true}, // a byte order mark
      {"%\nT1C0.028F200S100\nX002250Y002300\n", true},
      {"; only a comment\nINCH\n", true},
      {"M48\nMETRIC\nT1C0.8\n%\nT1\nX1.0Y1.0\nX2.0Y", true}, // cut in the middle of a line
      {"%FSLAX24Y24*%\n%MOMM*%\nD10*\n", false},
      {"G04 drill drawing*\nM48\n", false},
      {"M48\nX0100Y0200D03*\n", false}, // flashes in an old Gerber
      {"%\nT1C0.8\n%ADD10C,0.8*%\n", false},
      {std::string("QUOR_Mill_Drill File (VEX) Version 3\x1a\x00\x01", 40), false},
      {"{\"unit\": \"mm\", \"apertures\": []}\n", false},
      {"T1\nX1Y1\nM30\n", true}, // a body without its header: read, and refused for its sizes
      {"X1Y1\nT1\n", false},     // positions before any tool change: nothing to go by
      {"T1 M6\nX1 Y1\n", false}, // a tool change of a machine program
      {"The M48 header of a drill file\n", false},
      {"M48\nMETRIC\n\x07\x01", false},
      {"", false},
  };
  for (const Case& aCase : aCases)
  {
    EXPECT_EQ(aCase.IsExcellon,
              VexExcellon_Reader::Probe(aCase.Head.data(), aCase.Head.size()) == Standard_True)
        << aCase.Head;
  }
  EXPECT_FALSE(VexExcellon_Reader::Probe(NULL, 10));
}

//! Returns the "VEX_EXCELLON_..." string literals of the sources in theFolder.
std::set<std::string> keysUsedIn(const std::string& theFolder)
{
  std::set<std::string> aKeys;
  const std::regex      aLiteral("\"(VEX_EXCELLON_[A-Z0-9_]+)\"");
  DIR*                  aDir = ::opendir((std::string(VEX_SOURCE_DIR) + "/" + theFolder).c_str());
  while (dirent* anEntry = aDir != NULL ? ::readdir(aDir) : NULL)
  {
    const std::string aName = anEntry->d_name;
    if (aName.find("VexExcellon_") != 0)
    {
      continue;
    }
    std::ifstream      aFile(std::string(VEX_SOURCE_DIR) + "/" + theFolder + "/" + aName);
    std::ostringstream aText;
    aText << aFile.rdbuf();
    const std::string aSource = aText.str();
    for (std::sregex_iterator anIt(aSource.begin(), aSource.end(), aLiteral), anEnd; anIt != anEnd;
         ++anIt)
    {
      aKeys.insert((*anIt)[1]);
    }
  }
  if (aDir != NULL)
  {
    ::closedir(aDir);
  }
  return aKeys;
}

TEST(VexExcellon_Reader, CatalogueHasEveryKey)
{
  // Every key sent has a text; every text of the section is sent; reader faults start with the
  // line.
  std::set<std::string> aCatalogue;
  for (const auto& aKey : VexTest_MessageCapture::CatalogueKeys())
  {
    if (aKey.first.find("VEX_EXCELLON_") == 0)
    {
      aCatalogue.insert(aKey.first);
      const bool isWriter = aKey.first.find("VEX_EXCELLON_WRITE") == 0;
      EXPECT_TRUE(isWriter || aKey.second.find('d') == 0) << aKey.first;
    }
  }
  EXPECT_EQ(aCatalogue, keysUsedIn("excellon"));
}
} // namespace
