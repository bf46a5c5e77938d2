// Copyright (c) 2026 VexData developers
// The fault record of the design-file readers: its message puts the line first, the first fault
// of a read stays, quotes of the file stay readable, and the report lists warnings.
#include <VexTest_Messages.hxx>

#include <VexPcb_TransferReport.hxx>

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace
{
//! Returns theFault as the captured message "gravity KEY args".
std::string sent(const VexPcb_Fault& theFault)
{
  VexTest_MessageCapture aCapture;
  Message_Msg            aMessage = theFault.Message();
  aCapture.Messenger()->Send(aMessage.Get(), Message_Fail);
  return aCapture.Dump();
}
} // namespace

TEST(VexPcb_Fault, TheLineComesFirstAndTheFirstFaultStays)
{
  VexPcb_Fault aRecord;
  EXPECT_FALSE(aRecord.IsSet());
  EXPECT_FALSE(aRecord.Fail(VexPcb_Fault("VEX_GERBER_APERTURE_NUMBER").Arg(9)));
  EXPECT_FALSE(aRecord.Fail(VexPcb_Fault("VEX_GERBER_NO_FORMAT")));
  EXPECT_EQ(aRecord.Key(), "VEX_GERBER_APERTURE_NUMBER");
  EXPECT_EQ(sent(aRecord), "4 VEX_GERBER_APERTURE_NUMBER 1 9\n"); // not placed: line 1
  aRecord.SetLine(12);
  EXPECT_EQ(sent(aRecord), "4 VEX_GERBER_APERTURE_NUMBER 12 9\n");
  VexPcb_Fault aReals("VEX_EXCELLON_ARC_CHORD");
  aReals.Arg(1.5).Arg(3.0).SetLine(2);
  EXPECT_EQ(sent(aReals), "4 VEX_EXCELLON_ARC_CHORD 2 1.5 3\n");
  EXPECT_EQ(aReals.NbArgs(), 2);
  EXPECT_EQ(aReals.ArgText(0), "1.5");
}

TEST(VexPcb_Fault, QuotesOfTheFileStayReadable)
{
  const std::pair<std::string, std::string> THE_CASES[] = {
      {"ADD10C", "ADD10C"},
      {std::string("A\x01\xC3") + "B", "A??B"},
      {std::string(70, 'x'), std::string(60, 'x') + "..."},
  };
  for (const auto& aCase : THE_CASES)
  {
    VexPcb_Fault aFault("VEX_GERBER_SYNTAX");
    aFault.Quote(TCollection_AsciiString(aCase.first.c_str()));
    EXPECT_EQ(aFault.ArgText(0), aCase.second.c_str());
  }
}

TEST(VexPcb_Fault, TheReportKeepsTheFaultAndListsWarnings)
{
  VexTest_MessageCapture::RegisterCatalogue();
  VexPcb_TransferReport aReport;
  VexPcb_Fault          aWarning("VEX_GERBER_QUADRANT_ARC");
  aWarning.SetLine(7);
  aReport.AddWarning(aWarning);
  aReport.Add(VexPcb_TransferReport::Outcome_Toolpath, "arcs", 2);
  VexPcb_Fault aFault("VEX_GERBER_NO_FORMAT");
  aFault.SetLine(3);
  aReport.SetFault(aFault);
  aReport.SetFault(VexPcb_Fault("VEX_GERBER_NO_APERTURE"));
  EXPECT_EQ(aReport.FaultLine(), 3);
  std::ostringstream aText;
  aReport.PrintCounts(aText);
  // The catalogue of the tests separates the key and the arguments with the unit separator.
  std::string aPrinted = aText.str();
  std::replace(aPrinted.begin(), aPrinted.end(), '\x1F', ' ');
  EXPECT_EQ(aPrinted, "Toolpaths:\n  2 arcs\nWarnings:\n  VEX_GERBER_QUADRANT_ARC 7\n");
}
