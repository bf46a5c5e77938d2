// Copyright (c) 2026 VexData developers
// The nets of a copper file (X2 object attributes .N) kept beside the model: every sequence
// belongs to one net, which the reader files for a later check to ask about.
#include <VexGerber_TestModel.hxx>

#include <gtest/gtest.h>

using namespace VexGerber_TestModel;

namespace
{
//! Reads theText into theModel, filing the nets in theNets; returns whether it read.
bool readNets(const std::string& theText, PenFormatData_Model& theModel, VexPcb_Nets& theNets)
{
  VexPcb_TransferReport aReport;
  std::istringstream    aStream(theText);
  return VexGerber_Reader::Read(aStream, VexPcb_ImportOptions(), VexGerber_Limits(), theModel,
                                aReport, theNets) == Standard_True;
}

//! Returns "net:points" for every sequence of theModel, in order ("-" for no net).
std::vector<std::string> netsOf(const PenFormatData_Model& theModel, const VexPcb_Nets& theNets)
{
  std::vector<std::string> aNets;
  for (const Handle(PenFormatData_Sequence) & aSequence : Sequences(theModel))
  {
    const TCollection_AsciiString& aNet = theNets.Net(aSequence);
    aNets.push_back(std::string(aNet.IsEmpty() ? "-" : aNet.ToCString()) + ":" +
                    std::to_string(aSequence->GetCurve()->Children().Extent()));
  }
  return aNets;
}
} // namespace

TEST(VexGerber_Nets, EverySequenceBelongsToOneNet)
{
  // Pads and a track of GND and VCC with one aperture; TD.N and TD end a net; the attribute
  // written as a comment counts like the extended command; copies and blocks keep their net.
  const std::string aText =
      "%FSLAX36Y36*%%MOMM*%%ADD10C,0.5*%%ABD20*%D10*X0Y0D03*%AB*%D10*\n"
      "%TO.N,GND*%X0Y0D03*X1000000Y0D03*%TO.P,U1,1*%X2000000Y0D03*\n"
      "%TO.N,VCC*%X5000000Y0D03*X0Y5000000D02*X5000000Y5000000D01*%TD.N*%X9000000Y0D03*\n"
      "G04 #@! TO.N,Net-(R1-Pad2)*\nX0Y9000000D03*%TD*%X1000000Y9000000D03*\n"
      "%TO.N,GND*%%SRX2Y1I1J0*%X0Y20000000D03*%SR*%%TO.N,VCC*%D20*X0Y30000000D03*M02*";
  Handle(PenFormatData_Model) aModel = new PenFormatData_Model();
  VexPcb_Nets aNets;
  ASSERT_TRUE(readNets(aText, *aModel, aNets));
  const std::vector<std::string> anExpected = {"GND:3",           "VCC:1", "VCC:1", "-:1",
                                               "Net-(R1-Pad2):1", "-:1",   "GND:2", "VCC:1"};
  EXPECT_EQ(netsOf(*aModel, aNets), anExpected);
  ASSERT_EQ(aNets.Names().Extent(), 3);
  EXPECT_EQ(aNets.Names().FindKey(1), "GND");
  EXPECT_EQ(aNets.NbObjects(), 6);
}

TEST(VexGerber_Nets, AFailedReadFilesNothingAndReadsAddUp)
{
  Handle(PenFormatData_Model) aModel = new PenFormatData_Model();
  VexPcb_Nets       aNets;
  const std::string aHeader = "%FSLAX36Y36*%%MOMM*%%ADD10C,0.5*%D10*";
  ASSERT_TRUE(readNets(aHeader + "%TO.N,A*%X0Y0D03*M02*", *aModel, aNets));
  EXPECT_FALSE(readNets(aHeader + "%TO.N,B*%X0Y0D03*D11*X1Y1D03*M02*", *aModel, aNets));
  ASSERT_TRUE(readNets(aHeader + "%TO.N,C*%X0Y0D03*M02*", *aModel, aNets));
  const std::vector<std::string> anExpected = {"A:1", "C:1"};
  EXPECT_EQ(netsOf(*aModel, aNets), anExpected);
  EXPECT_EQ(aNets.Names().Extent(), 2);
  // A file without nets reads as before: one sequence for the flashes of one aperture.
  Handle(PenFormatData_Model) aPlain = new PenFormatData_Model();
  VexPcb_Nets aNone;
  ASSERT_TRUE(readNets(aHeader + "X0Y0D03*X1Y0D03*M02*", *aPlain, aNone));
  EXPECT_EQ(netsOf(*aPlain, aNone), std::vector<std::string>{"-:2"});
  EXPECT_EQ(aNone.NbObjects(), 0);
}
