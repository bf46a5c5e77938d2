// Copyright (c) 2026 VexData developers
// The Excellon writer: the text it makes, round trips through our reader and through gerbv,
// the toolpaths it selects and counts, tool numbers, and its faults.
#include <VexExcellon_TestTools.hxx>
#include <VexTest_Messages.hxx>
#include <VexTest_Gerbv.hxx>

#include <VexExcellon_Reader.hxx>
#include <VexExcellon_Writer.hxx>

#include <PenFormatData_Sequence.hxx>

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

namespace
{
typedef std::vector<VexExcellon_TestHole> Holes;

//! Builds models for the writer.
struct ModelMaker
{
  Handle(PenFormatData_Model) Model; //!< the model

  explicit ModelMaker(const PenFormatData_DimensionUnit theUnit = PenFormatData_DU_Millimetre)
      : Model(new PenFormatData_Model(theUnit))
  {
  }

  //! Adds aperture theNumber.
  ModelMaker& Aperture(const int theNumber, const char* theName, const double theWidth,
                       const int theShape = PenFormatData_Aperture::Shape_Round)
  {
    Handle(PenFormatData_Aperture) anAp = new PenFormatData_Aperture(theShape, theName, NULL, 0);
    anAp->SetParam(&theWidth, 1);
    anAp->SetToolFlag(1);
    Model->SetAperture(theNumber, anAp);
    return *this;
  }

  //! Adds a sequence of theMode (0: not a toolpath) with theAperture: one contour per point of
  //! thePoints, a point each, or one segment through all of them for a path.
  ModelMaker& Sequence(const int theMode, const int theAperture,
                       const std::vector<gp_XY>& thePoints, const char* thePhase = "Drilling",
                       const char* theLayer = "Drill")
  {
    Handle(PhGeom_Curve) aContainer = PhGeom_Curve::Create(Model->Allocator(), 0);
    for (size_t anIndex = 0; anIndex < thePoints.size(); ++anIndex)
    {
      Handle(PhGeom_Curve) aContour = PhGeom_Curve::Create(Model->Allocator(), 0);
      if (theMode == 2)
      {
        aContour->CreatePoint(thePoints[anIndex]);
      }
      else if (anIndex + 1 < thePoints.size())
      {
        aContour->CreateSegment(thePoints[anIndex], thePoints[anIndex + 1]);
      }
      if (aContour->NbElements() > 0)
      {
        aContainer->AddChild(aContour);
      }
    }
    Handle(PenFormatData_Sequence) aSeq = new PenFormatData_Sequence(theAperture, 0, aContainer);
    aSeq->SetPhaseName(thePhase);
    aSeq->SetLayerName(theLayer);
    aSeq->SetToolpathMode(theMode == 0 ? 1 : theMode);
    aSeq->SetToolpathFlag(theMode == 0 ? 0 : 1);
    Model->AddObject(aSeq);
    return *this;
  }
};

//! One write: its text, result, counts and fault.
struct Written
{
  std::string           Text;   //!< the file
  bool                  IsOk;   //!< result
  VexPcb_TransferReport Report; //!< counts and fault

  Written(const PenFormatData_Model&       theModel,
          const VexExcellon_WriterOptions& theOptions = VexExcellon_WriterOptions())
  {
    VexTest_MessageCapture::RegisterCatalogue();
    std::ostringstream aStream;
    IsOk = VexExcellon_Writer::Write(theModel, theOptions, aStream, Report) == Standard_True;
    Text = aStream.str();
  }

  //! Returns the counts as printed.
  std::string Counts() const
  {
    std::ostringstream aStream;
    Report.PrintCounts(aStream);
    return aStream.str();
  }

  //! Returns the fault's key and arguments.
  std::string Fault() const
  {
    VexTest_MessageCapture aCapture;
    Message_Msg            aMessage(Report.Fault());
    aCapture.Messenger()->Send(aMessage.Get(), Message_Fail);
    return aCapture.Dump().substr(2);
  }
};

//! Reads theText with our reader.
Handle(PenFormatData_Model) readBack(const std::string& theText)
{
  Handle(PenFormatData_Model) aModel = new PenFormatData_Model();
  std::istringstream    aStream(theText);
  VexPcb_TransferReport aReport;
  EXPECT_TRUE(VexExcellon_Reader::Read(aStream, VexPcb_ImportOptions(), *aModel, aReport));
  return aModel;
}

//! Returns the largest distance between the holes of theFirst and theSecond, taken in order
//! (diameters included); infinite when their numbers differ.
double largestDeviation(const Holes& theFirst, const Holes& theSecond)
{
  double aLargest = theFirst.size() == theSecond.size() ? 0.0 : HUGE_VAL;
  for (size_t anIndex = 0; anIndex < theFirst.size() && anIndex < theSecond.size(); ++anIndex)
  {
    aLargest = std::max({aLargest, std::abs(theFirst[anIndex].X - theSecond[anIndex].X),
                         std::abs(theFirst[anIndex].Y - theSecond[anIndex].Y),
                         std::abs(theFirst[anIndex].D - theSecond[anIndex].D)});
  }
  return aLargest;
}

TEST(VexExcellon_Writer, Text)
{
  ModelMaker aMaker;
  aMaker.Aperture(1, "T01", 0.8).Aperture(2, "T12", 1.25);
  aMaker.Sequence(2, 2, {gp_XY(1.5, -2.0), gp_XY(100.0, 0.0)});
  aMaker.Sequence(2, 1, {gp_XY(0.0000004, 123456.000001)});
  aMaker.Sequence(2, 2, {gp_XY(-0.0000006, 7.25)}, "Drilling", "Other");
  const Written aWritten(*aMaker.Model);
  ASSERT_TRUE(aWritten.IsOk);
  // The first attribute names the program and its version.
  const std::string aSoftware = "M48\n; #@! TF.GenerationSoftware,VexData,vex,";
  ASSERT_EQ(aSoftware, aWritten.Text.substr(0, aSoftware.size()));
  EXPECT_EQ("; #@! TF.FileFunction,Other,Drilling job\n"
            "FMAT,2\nMETRIC\nT12C1.25\nT01C0.8\n%\nG90\nG05\n"
            "T12\nX1.5Y-2.0\nX100.0Y0.0\nX-0.000001Y7.25\n"
            "T01\nX0.0Y123456.000001\nM30\n",
            aWritten.Text.substr(aWritten.Text.find('\n', aSoftware.size()) + 1));
  EXPECT_EQ("Toolpaths:\n  4 holes\n", aWritten.Counts());
}

TEST(VexExcellon_Writer, RoundTripThroughOurReader)
{
  // A model in inches, with values no decimal grid holds: every hole comes back within a
  // nanometre, with its tool.
  ModelMaker aMaker(PenFormatData_DU_Inch);
  aMaker.Aperture(1, "Drill0.8", 0.8 / 25.4).Aperture(3, "T07", 0.0123456789);
  std::vector<gp_XY> aPoints;
  for (int anIndex = 0; anIndex < 200; ++anIndex)
  {
    aPoints.push_back(gp_XY(std::sin(anIndex) * 3.0e4, std::cos(anIndex * 0.7) / 3.0));
  }
  aMaker.Sequence(2, 3, aPoints).Sequence(2, 1, {gp_XY(-1.0 / 3.0, 2.0 / 3.0)});
  const Written aWritten(*aMaker.Model);
  ASSERT_TRUE(aWritten.IsOk) << aWritten.Fault();
  const Handle(PenFormatData_Model) aBack = readBack(aWritten.Text);
  const Holes anOriginal                  = VexExcellon_TestTools::Holes(*aMaker.Model);
  const Holes aRead                       = VexExcellon_TestTools::Holes(*aBack);
  EXPECT_LE(largestDeviation(anOriginal, aRead), 1.0e-6);
  ASSERT_EQ(3, aBack->NbApertures());
  EXPECT_STREQ("T01", TCollection_AsciiString(aBack->Aperture(1)->Name()).ToCString());
  EXPECT_STREQ("T02", TCollection_AsciiString(aBack->Aperture(2)->Name()).ToCString());
}

TEST(VexExcellon_Writer, SelectionAndCounts)
{
  ModelMaker aMaker;
  aMaker.Aperture(1, "T01", 1.0).Aperture(2, "T02", 2.0);
  aMaker.Sequence(2, 1, {gp_XY(0, 0), gp_XY(1, 0)}, "Drilling", "Top");
  aMaker.Sequence(2, 2, {gp_XY(2, 0)}, "Drilling", "Bottom");
  aMaker.Sequence(2, 1, {gp_XY(3, 0)}, "Vias", "Top");
  aMaker.Sequence(1, 2, {gp_XY(0, 0), gp_XY(5, 5)}, "Drilling", "Top");
  aMaker.Sequence(0, 0, {gp_XY(0, 0), gp_XY(5, 0), gp_XY(5, 5)}, "", "Top");
  // A point toolpath holding a segment: the segment cannot be a hole.
  aMaker.Sequence(1, 1, {gp_XY(7, 7), gp_XY(8, 8)}, "Drilling", "Top");
  Handle(PenFormatData_Sequence)::DownCast(aMaker.Model->Objects().Last())->SetToolpathMode(2);
  struct Case
  {
    const char* Phase;
    const char* Layer;
    const char* Counts;
  } aCases[] = {
      {"", "",
       "Toolpaths:\n  4 holes\nIgnored:\n  1 path toolpaths\n  1 objects that are not toolpaths\n"
       "  1 elements of drilling toolpaths that are not points\n"},
      {"Drilling", "",
       "Toolpaths:\n  3 holes\nIgnored:\n  1 path toolpaths\n"
       "  1 elements of drilling toolpaths that are not points\n"},
      {"", "Top",
       "Toolpaths:\n  3 holes\nIgnored:\n  1 path toolpaths\n"
       "  1 objects that are not toolpaths\n"
       "  1 elements of drilling toolpaths that are not points\n"},
      {"Vias", "Top", "Toolpaths:\n  1 holes\n"},
      {"Milling", "", NULL}, // nothing to drill: refused
  };
  for (const Case& aCase : aCases)
  {
    VexExcellon_WriterOptions anOptions;
    anOptions.Phase = aCase.Phase;
    anOptions.Layer = aCase.Layer;
    const Written aWritten(*aMaker.Model, anOptions);
    if (aCase.Counts == NULL)
    {
      EXPECT_FALSE(aWritten.IsOk) << aCase.Phase << "/" << aCase.Layer;
      EXPECT_EQ("VEX_EXCELLON_WRITE_EMPTY\n", aWritten.Fault());
      EXPECT_EQ("", aWritten.Text);
      continue;
    }
    ASSERT_TRUE(aWritten.IsOk) << aCase.Phase << "/" << aCase.Layer;
    EXPECT_EQ(aCase.Counts, aWritten.Counts()) << aCase.Phase << "/" << aCase.Layer;
  }
}

TEST(VexExcellon_Writer, ToolNumbers)
{
  struct Case
  {
    const char* Names[2];
    const char* Tools; // the tool lines of the header
  } aCases[] = {
      {{"T03", "T12"}, "T03C1.0\nT12C2.0\n"},
      {{"T1", "T01"}, "T01C1.0\nT02C2.0\n"}, // the same number twice
      {{"T05", "Drill2"}, "T01C1.0\nT02C2.0\n"},
      {{"T0", "T00005"}, "T01C1.0\nT02C2.0\n"},
  };
  for (const Case& aCase : aCases)
  {
    ModelMaker aMaker;
    aMaker.Aperture(1, aCase.Names[0], 1.0).Aperture(2, aCase.Names[1], 2.0);
    aMaker.Sequence(2, 1, {gp_XY(0, 0)}).Sequence(2, 2, {gp_XY(1, 1)});
    const Written aWritten(*aMaker.Model);
    ASSERT_TRUE(aWritten.IsOk);
    EXPECT_NE(std::string::npos, aWritten.Text.find("METRIC\n" + std::string(aCase.Tools) + "%"))
        << aCase.Names[0] << " " << aCase.Names[1] << "\n"
        << aWritten.Text;
  }
}

//! A stream buffer that refuses every byte.
class FullDisk : public std::streambuf
{
protected:
  int_type overflow(int_type) override { return traits_type::eof(); }
};

TEST(VexExcellon_Writer, Faults)
{
  struct Case
  {
    const char* Name;
    ModelMaker  Maker;
    const char* Fault;
  } aCases[] = {
      {"a rectangle", ModelMaker().Aperture(1, "R", 1.0, 2).Sequence(2, 1, {gp_XY(0, 0)}),
       "VEX_EXCELLON_WRITE_TOOL 1\n"},
      {"a missing aperture", ModelMaker().Sequence(2, 4, {gp_XY(0, 0)}),
       "VEX_EXCELLON_WRITE_TOOL 4\n"},
      {"a negative width", ModelMaker().Aperture(1, "T1", -1.0).Sequence(2, 1, {gp_XY(0, 0)}),
       "VEX_EXCELLON_WRITE_TOOL 1\n"},
      {"a hole too far",
       ModelMaker(PenFormatData_DU_Inch).Aperture(1, "T1", 0.1).Sequence(2, 1, {gp_XY(0, 5.0e4)}),
       "VEX_EXCELLON_WRITE_COORDINATE 1270000\n"},
      {"a hole nowhere",
       ModelMaker().Aperture(1, "T1", 0.1).Sequence(2, 1, {gp_XY(std::nan(""), 0)}),
       "VEX_EXCELLON_WRITE_COORDINATE nan\n"},
      {"no hole to drill, only a route",
       ModelMaker().Aperture(1, "T1", 1.0).Sequence(1, 1, {gp_XY(0, 0), gp_XY(5, 5)}),
       "VEX_EXCELLON_WRITE_EMPTY\n"},
      {"a drilling toolpath without a point",
       ModelMaker().Aperture(1, "T1", 1.0).Sequence(2, 1, {}), "VEX_EXCELLON_WRITE_EMPTY\n"},
      {"an empty model", ModelMaker(), "VEX_EXCELLON_WRITE_EMPTY\n"},
  };
  for (Case& aCase : aCases)
  {
    const Written aWritten(*aCase.Maker.Model);
    EXPECT_FALSE(aWritten.IsOk) << aCase.Name;
    EXPECT_EQ("", aWritten.Text) << aCase.Name; // nothing written
    EXPECT_EQ(aCase.Fault, aWritten.Fault()) << aCase.Name;
  }
  FullDisk              aDisk;
  std::ostream          aStream(&aDisk);
  VexPcb_TransferReport aReport;
  const ModelMaker      aHole = ModelMaker().Aperture(1, "T1", 0.1).Sequence(2, 1, {gp_XY(0, 0)});
  EXPECT_FALSE(
      VexExcellon_Writer::Write(*aHole.Model, VexExcellon_WriterOptions(), aStream, aReport));
  EXPECT_TRUE(aReport.HasFault());
}

TEST(VexExcellon_Writer, RoundTripThroughGerbv)
{
  if (!VexExcellon_TestTools::HasGerbv())
  {
    VEX_TEST_SKIP_WITHOUT_GERBV()
        << "gerbv is not installed (scripts/install-deps.sh installs it); the round trip "
           "through gerbv did not run";
  }
  // gerbv writes inches with four decimals and diameters with three: a board on that grid
  // comes back within 0.1 micrometre; any other board within gerbv's rounding.
  ModelMaker anOnGrid, anOffGrid;
  anOnGrid.Aperture(1, "T01", 0.032 * 25.4).Aperture(2, "T02", 0.125 * 25.4);
  anOffGrid.Aperture(1, "T01", 0.8).Aperture(2, "T02", 3.2);
  std::vector<gp_XY> aGrid, anAny;
  for (int anIndex = 0; anIndex < 300; ++anIndex)
  {
    aGrid.push_back(gp_XY((anIndex % 20) * 0.1 * 25.4 + 0.0137 * 25.4,
                          (anIndex / 20) * 0.05 * 25.4 - 1.2345 * 25.4));
    anAny.push_back(gp_XY(std::sin(anIndex) * 90.0, std::cos(anIndex * 1.3) * 60.0));
  }
  anOnGrid.Sequence(2, 1, aGrid).Sequence(2, 2, {gp_XY(-3.048, 3.048)});
  anOffGrid.Sequence(2, 1, anAny).Sequence(2, 2, {gp_XY(-3.0, 3.0)});
  const struct
  {
    ModelMaker* Maker;
    double      Position, Diameter;
  } aCases[] = {{&anOnGrid, 1.0e-4, 1.0e-4}, {&anOffGrid, 0.00005 * 25.4, 0.0005 * 25.4}};
  for (const auto& aCase : aCases)
  {
    const Written     aWritten(*aCase.Maker->Model);
    const std::string anOurs  = VexExcellon_TestTools::Scratch() + "/ours.drl";
    const std::string aTheirs = VexExcellon_TestTools::Scratch() + "/theirs.drl";
    std::ofstream(anOurs.c_str(), std::ios::binary) << aWritten.Text;
    EXPECT_EQ("", VexExcellon_TestTools::GerbvExport(anOurs, aTheirs)) << "gerbv complained";
    const Holes anOriginal = VexExcellon_TestTools::Holes(*aCase.Maker->Model);
    const Holes aBack =
        VexExcellon_TestTools::Holes(*readBack(VexExcellon_TestTools::Content(aTheirs)));
    EXPECT_EQ(anOriginal.size(), aBack.size());
    EXPECT_EQ(anOriginal.size(),
              VexExcellon_TestTools::Match(anOriginal, aBack, aCase.Position, aCase.Diameter));
  }
}
} // namespace
