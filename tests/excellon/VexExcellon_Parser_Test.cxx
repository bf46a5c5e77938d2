// Copyright (c) 2026 VexData developers
// The Excellon parser: number formats, modes, tools, slots, routes, repeats, what it leaves out
// and its faults, each checked through the calls it makes on a recording listener.
#include <VexTest_Messages.hxx>

#include <VexExcellon_Parser.hxx>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <sstream>
#include <string>

namespace
{
//! Returns theValue rounded to a nanometre, with up to ten significant digits.
std::string number(const double theValue)
{
  char         aText[32];
  const double aValue = std::round(theValue * 1.0e9) / 1.0e9;
  std::snprintf(aText, sizeof(aText), "%.10g", aValue == 0.0 ? 0.0 : aValue);
  return aText;
}

//! Returns thePoint as "(x,y)".
std::string point(const gp_XY& thePoint)
{
  return "(" + number(thePoint.X()) + "," + number(thePoint.Y()) + ")";
}

//! Writes every call as one line of a transcript; faults as their key and arguments.
class Recorder : public VexExcellon_Listener
{
public:
  std::string Text; //!< the transcript

  void OnTool(const Standard_Integer, const Standard_Integer theTool,
              const Standard_Real theDiameter) override
  {
    Text += "tool " + std::to_string(theTool) + " " + number(theDiameter) + "\n";
  }
  void OnHole(const Standard_Integer, const Standard_Integer theTool,
              const gp_XY& thePoint) override
  {
    Text += "hole " + std::to_string(theTool) + " " + point(thePoint) + "\n";
  }
  void OnSlot(const Standard_Integer, const Standard_Integer theTool, const gp_XY& theStart,
              const gp_XY& theEnd) override
  {
    Text += "slot " + std::to_string(theTool) + " " + point(theStart) + point(theEnd) + "\n";
  }
  void OnRouteMove(const Standard_Integer, const gp_XY&, const gp_XY& theEnd) override
  {
    Text += "move " + point(theEnd) + "\n";
  }
  void OnRouteSegment(const Standard_Integer, const Standard_Integer theTool, const gp_XY& theStart,
                      const gp_XY& theEnd) override
  {
    Text += "line " + std::to_string(theTool) + " " + point(theStart) + point(theEnd) + "\n";
  }
  void OnRouteArc(const Standard_Integer, const Standard_Integer theTool, const gp_XY& theStart,
                  const gp_XY& theEnd, const gp_XY& theCenter,
                  const Standard_Boolean theIsCounter) override
  {
    Text += std::string(theIsCounter ? "ccw " : "cw ") + std::to_string(theTool) + " " +
            point(theStart) + point(theEnd) + " c" + point(theCenter) + "\n";
  }
  void OnRouteEnd(const Standard_Integer) override { Text += "end\n"; }
  void OnIgnored(const Standard_Integer theLine, const Ignored theWhat) override
  {
    static const char* const THE_NAMES[] = {"comment", "attribute", "setting",
                                            "unknown", "tool-up",   "after-end"};
    Text += "ignored " + std::string(THE_NAMES[theWhat]) + " @" + std::to_string(theLine) + "\n";
  }
  void OnFault(const VexPcb_Fault& theFault) override
  {
    VexTest_MessageCapture aCapture;
    Message_Msg            aMessage = theFault.Message();
    aCapture.Messenger()->Send(aMessage.Get(), Message_Fail);
    Text += "fault @" + std::to_string(theFault.Line()) + " " + aCapture.Dump().substr(2);
  }
};

//! Parses theText reading theReadSize bytes at a time (0: the default) and returns the
//! transcript.
std::string parseIn(const std::string& theText, const bool theIsMetric, const size_t theReadSize)
{
  VexTest_MessageCapture::RegisterCatalogue();
  Recorder           aRecorder;
  VexExcellon_Parser aParser(aRecorder);
  aParser.SetDefaultMetric(theIsMetric);
  aParser.SetReadSize(theReadSize);
  std::istringstream aStream(theText);
  const bool         isOk = aParser.Parse(aStream) == Standard_True;
  EXPECT_EQ(isOk, aRecorder.Text.find("fault") == std::string::npos) << theText;
  return aRecorder.Text;
}

//! Parses theText and returns the transcript, which must not change when the text is read 1, 2,
//! 3 or 7 bytes at a time (lines cut by the ends of the reads everywhere).
std::string parse(const std::string& theText, const bool theIsMetric = false)
{
  const std::string aTranscript = parseIn(theText, theIsMetric, 0);
  for (const size_t aSize : {1, 2, 3, 7})
  {
    EXPECT_EQ(aTranscript, parseIn(theText, theIsMetric, aSize))
        << "reading " << aSize << " bytes at a time: " << theText;
  }
  return aTranscript;
}

//! Returns the X of the one hole drilled by theBody after theHeader (tool 1 of 1 mm diameter).
std::string holeX(const std::string& theHeader, const std::string& theBody, bool theIsMetric)
{
  const std::string aText = parse(theHeader + "\n%\nT1\n" + theBody + "\n", theIsMetric);
  const size_t      aHole = aText.find("hole 1 (");
  return aHole == std::string::npos ? aText
                                    : aText.substr(aHole + 8, aText.find(',', aHole) - aHole - 8);
}

TEST(VexExcellon_Parser, NumberFormats)
{
  struct Case
  {
    const char* Header;
    const char* Body;
    bool        IsMetricDefault;
    const char* X; // millimetres
  } aCases[] = {
      {"M48\nMETRIC\nT1C1.0", "X1.5Y0", false, "1.5"},
      {"M48\nINCH\nT1C.04", "X.5Y0", false, "12.7"},
      {"M48\nINCH,TZ\nT1C.04", "X012345Y0", false, "31.3563"},
      {"M48\nINCH,LZ\nT1C.04", "X012345Y0", false, "31.3563"},
      {"M48\nINCH,TZ\nT1C.04", "X0123Y0", false, "0.31242"},    // read from the right
      {"M48\nINCH,LZ\nT1C.04", "X0123Y0", false, "31.242"},     // read from the left
      {"M48\nINCH,TZ\nT1C.04", "X-01181Y0", false, "-2.99974"}, // sign outside the digits
      {"M48\nMETRIC,TZ\nT1C1", "X12345Y0", false, "12.345"},
      {"M48\nMETRIC,LZ\nT1C1", "X12345Y0", false, "123.45"},
      {"M48\nMETRIC,LZ,000.00\nT1C1", "X12345Y0", false, "123.45"},
      {"M48\nMETRIC,0000.00,TZ\nT1C1", "X12345Y0", false, "123.45"},
      {"M48\nMETRIC,TZ,000.000\nT1C1", "X+1.25Y0", false, "1.25"},
      // A silent header: inches, read from the right with four decimals.
      {"M48\nT1C0.012", "X23268Y0", false, "59.10072"},
      {"T1C0.012", "X23268Y0", false, "59.10072"},
      // ... unless the caller says the file is metric: three decimals.
      {"M48\nT1C1", "X40500Y0", true, "40.5"},
      // The digits some tools give only in a comment.
      {";FILE_FORMAT=2:3\nM48\nINCH,TZ\nT1C.04", "X0152Y0", false, "3.8608"},
      {";FILE_FORMAT=2:3\nM48\nINCH,LZ\nT1C.04", "X0152Y0", false, "38.608"},
      // Units switched in the body, digits following the unit.
      {"M48\nINCH,TZ\nT1C.04", "M71\nX1000Y0", false, "1"},
      {"M48\nMETRIC,TZ\nT1C1", "M72\nX1000Y0", false, "2.54"},
  };
  for (const Case& aCase : aCases)
  {
    EXPECT_EQ(aCase.X, holeX(aCase.Header, aCase.Body, aCase.IsMetricDefault))
        << aCase.Header << " / " << aCase.Body;
  }
}

TEST(VexExcellon_Parser, ModesAndTools)
{
  struct Case
  {
    const char* Name;
    const char* Text;
    const char* Transcript;
  } aCases[] = {
      {"modal axes", "M48\nMETRIC\nT1C0.8\n%\nT1\nX1.0Y2.0\nX3.0\nY4.0\nM30\n",
       "tool 1 0.8\nhole 1 (1,2)\nhole 1 (3,2)\nhole 1 (3,4)\n"},
      {"incremental by G91 and ICI",
       "M48\nMETRIC\nICI,ON\nT1C1\n%\nT1\nX1.0Y1.0\nX1.0\nG90\nX0.5Y0.5\nICI,OFF\nX1.0Y1.0\n",
       "tool 1 1\nhole 1 (1,1)\nhole 1 (2,1)\nhole 1 (0.5,0.5)\nhole 1 (1,1)\n"},
      {"zero set", "M48\nMETRIC\nT1C1\n%\nG93X10.0Y20.0\nT1\nX1.0Y1.0\nG91\nX1.0\n",
       "tool 1 1\nhole 1 (11,21)\nhole 1 (12,21)\n"},
      {"parameters in any order, inches converted",
       "M48\nINCH,TZ\nT1F00S00C0.0236\nT02C.8B5H200\nT3S3C0.1F2\n%\nT02\nX0Y0\n",
       "tool 1 0.59944\ntool 2 20.32\ntool 3 2.54\nhole 2 (0,0)\n"},
      {"tools wait for a unit given after the header",
       "M48\nT01C.864\n%\nG90\nM71\nT01\nX40500Y6270\n", "tool 1 0.864\nhole 1 (40.5,6.27)\n"},
      {"a unit in the header settles the tools before it",
       "M48\nT01C.864\nMETRIC\n%\nM72\nT01\nX1000Y0\n", "tool 1 0.864\nhole 1 (2.54,0)\n"},
      {"tools defined in the body", "%\nT1C0.028F200S100\nX002250Y002300\nT2C0.034\nX010000\n",
       "tool 1 0.7112\nhole 1 (5.715,5.842)\ntool 2 0.8636\nhole 2 (25.4,5.842)\n"},
      {"a tool defined again", "M48\nMETRIC\nT1C1\n%\nT1\nX1Y1\nT1C2\nX2Y2\n",
       "tool 1 1\nhole 1 (0.001,0.001)\ntool 1 2\nhole 1 (0.002,0.002)\n"},
      {"T0 defined is a tool", "M48\nINCH\nT0C0.006\nT1C0.012\n%\nT0\nX1.0Y1.0\n",
       "tool 0 0.1524\ntool 1 0.3048\nhole 0 (25.4,25.4)\n"},
      {"a byte order mark", "\xEF\xBB\xBFM48\nMETRIC\nT1C1\n%\nT1\nX1.0Y1.0\n",
       "tool 1 1\nhole 1 (1,1)\n"},
      {"a second header", "G90\nM72\nM48\nT1C0.012\n%\nG90\nM72\nM48\n%\nT1\nX1000Y2000\nM30\n",
       "tool 1 0.3048\nhole 1 (2.54,5.08)\n"},
      {"repeats", "M48\nMETRIC\nT1C1\n%\nT1\nX1.0Y1.0\nR3X0.5\nR2Y-1.0\n",
       "tool 1 1\nhole 1 (1,1)\nhole 1 (1.5,1)\nhole 1 (2,1)\nhole 1 (2.5,1)\nhole 1 (2.5,0)\n"
       "hole 1 (2.5,-1)\n"},
      {"slots", "M48\nMETRIC\nT1C1\n%\nT1\nX1.0Y1.0G85X3.0Y1.0\nG85X3.0Y4.0\nX5.0\n",
       "tool 1 1\nslot 1 (1,1)(3,1)\nslot 1 (3,1)(3,4)\nhole 1 (5,4)\n"},
      {"a slot in incremental mode", "M48\nMETRIC\nT1C1\n%\nT1\nG91\nX1.0Y1.0G85X2.0\n",
       "tool 1 1\nslot 1 (1,1)(3,1)\n"},
  };
  for (const Case& aCase : aCases)
  {
    EXPECT_EQ(aCase.Transcript, parse(aCase.Text)) << aCase.Name;
  }
}

TEST(VexExcellon_Parser, Routes)
{
  const std::string aHeader = "M48\nMETRIC\nT1C2\n%\nT1\n";
  struct Case
  {
    const char* Name;
    const char* Body;
    const char* Transcript;
  } aCases[] = {
      {"plunge, cut, retract",
       "G00X0Y0\nM15\nG01X10.0\nY5.0\nM16\nG00X20.0Y0\nM15\nG01X30.0\nM17\n",
       "move (0,0)\nline 1 (0,0)(10,0)\nline 1 (10,0)(10,5)\nend\nmove (20,0)\n"
       "line 1 (20,0)(30,0)\nend\n"},
      {"rapid move, tool change and drill mode end a route",
       "G00X0Y0\nM15\nG01X1.0\nG00X2.0\nM15\nG01X3.0\nT1\nG00X0Y0\nM15\nG01Y1.0\nG05\nX9.0\n",
       "move (0,0)\nline 1 (0,0)(1,0)\nend\nmove (2,0)\nline 1 (2,0)(3,0)\nend\nmove (0,0)\n"
       "line 1 (0,0)(0,1)\nend\nhole 1 (9,1)\n"},
      {"the end of the program and of the file end a route", "G00X0Y0\nM15\nG01X1.0\n",
       "move (0,0)\nline 1 (0,0)(1,0)\nend\n"},
      {"cuts with the tool up are left out", "G00X0Y0\nG01X1.0\nG02X2.0A0.5\n",
       "move (0,0)\nignored tool-up @7\nignored tool-up @8\n"},
      {"arcs by radius: shorter and longer, both senses",
       "G00X0Y0\nM15\nG03X2.0Y0A1.0\nG02X0Y0A1.0\nG03X2.0Y0A-1.0\nG02X0Y0A-1.0\n",
       "move (0,0)\nccw 1 (0,0)(2,0) c(1,0)\ncw 1 (2,0)(0,0) c(1,0)\nccw 1 (0,0)(2,0) c(1,0)\n"
       "cw 1 (2,0)(0,0) c(1,0)\nend\n"},
      {"arc by radius: the centre side follows the sense and the sign",
       "G00X0Y0\nM15\nG03X2.0Y2.0A2.0\nG02X0Y0A2.0\nG03X2.0Y2.0A-2.0\nG02X0Y0A-2.0\n",
       "move (0,0)\nccw 1 (0,0)(2,2) c(0,2)\ncw 1 (2,2)(0,0) c(0,2)\nccw 1 (0,0)(2,2) c(2,0)\n"
       "cw 1 (2,2)(0,0) c(2,0)\nend\n"},
      {"arc by centre offset, and a full circle", "G00X0Y0\nM15\nG02X2.0Y0I1.0J0\nG03X2.0Y0I-1.0\n",
       "move (0,0)\ncw 1 (0,0)(2,0) c(1,0)\nccw 1 (2,0)(2,0) c(1,0)\nend\n"},
      {"modal motion continues with bare coordinates",
       "G00X0Y0\nM15\nG01X1.0\nX2.0\nG03X3.0Y1.0I0J1.0\nX2.0Y2.0I-1.0J0\n",
       "move (0,0)\nline 1 (0,0)(1,0)\nline 1 (1,0)(2,0)\nccw 1 (2,0)(3,1) c(2,1)\n"
       "ccw 1 (3,1)(2,2) c(2,1)\nend\n"},
  };
  for (const Case& aCase : aCases)
  {
    EXPECT_EQ("tool 1 2\n" + std::string(aCase.Transcript), parse(aHeader + aCase.Body))
        << aCase.Name;
  }
}

TEST(VexExcellon_Parser, LeftOut)
{
  // Everything read and not made into a feature is reported with its line.
  const std::string aText = ";comment\nM48\n; #@! TF.FileFunction,Plated,1,2,PTH\n;#@! TA.x\n"
                            "VER,1\nFMAT,2\nDETECT,ON\nMETRIC ; trailing comment\nT1C1\nQQ,7\n%\n"
                            "M47,Operator message\nT1\nF200\nX1.0Y1.0\nG07X2.0\nM99\nM30\nX5Y5\n";
  EXPECT_EQ("ignored comment @1\nignored attribute @3\nignored attribute @4\nignored setting @5\n"
            "ignored setting @7\nignored comment @8\ntool 1 1\nignored unknown @10\n"
            "ignored setting @12\nignored setting @14\nhole 1 (1,1)\nignored unknown @16\n"
            "ignored unknown @17\nignored after-end @19\n",
            parse(aText));
}

TEST(VexExcellon_Parser, LineEnds)
{
  const std::string aTranscript = "tool 1 1\nhole 1 (1,2)\nhole 1 (3,4)\n";
  for (const char* anEnd : {"\n", "\r\n", "\r"})
  {
    const std::string anEol(anEnd);
    const std::string aText = "M48" + anEol + "METRIC" + anEol + "T1C1" + anEol + "%" + anEol +
                              "T1" + anEol + "  X1.0Y2.0\t" + anEol + anEol + "X3.0Y4.0";
    EXPECT_EQ(aTranscript, parse(aText)) << "line ends of " << anEol.size() << " characters";
    EXPECT_EQ(aTranscript, parse(aText + anEol + "M30" + anEol));
  }
}

TEST(VexExcellon_Parser, Faults)
{
  const std::string aMetric = "M48\nMETRIC\nT1C1\n%\n";
  struct Case
  {
    std::string Text;
    const char* Fault; // key and arguments after the line
  } aCases[] = {
      {aMetric + "T1\nX1..0Y1\n", "@6 VEX_EXCELLON_BAD_NUMBER 6 X1..0"},
      {aMetric + "T1\nX-\n", "@6 VEX_EXCELLON_BAD_NUMBER 6 X-"},
      {aMetric + "T1\nX1234567890123456789\n", "@6 VEX_EXCELLON_BAD_NUMBER 6 X1234567890123456789"},
      {aMetric + "X1.0Y1.0\n", "@5 VEX_EXCELLON_NO_TOOL 5"},
      {aMetric + "T1\nX1Y1\nT0\nX2Y2\n", "@8 VEX_EXCELLON_NO_TOOL 8"},
      {aMetric + "T7\nX1.0Y1.0\n", "@6 VEX_EXCELLON_UNDEFINED_TOOL 6 7"},
      {aMetric + "T12345\n", "@5 VEX_EXCELLON_BAD_TOOL 5 T12345"},
      {"M48\nMETRIC\nT1C-1\n", "@3 VEX_EXCELLON_BAD_DIAMETER 3 1 -1"},
      {"M48\nMETRIC,QZ\n", "@2 VEX_EXCELLON_BAD_FORMAT 2 ,QZ"},
      {"M48\nINCH,00.00.00\n", "@2 VEX_EXCELLON_BAD_FORMAT 2 ,00.00.00"},
      {aMetric + "T1\nG00X0Y0\nM15\nG02X1.0Y0\n", "@8 VEX_EXCELLON_ARC_NO_CENTER 8"},
      {aMetric + "T1\nG00X0Y0\nM15\nG02X3.0Y0A1.0\n", "@8 VEX_EXCELLON_ARC_CHORD 8 1 3"},
      {aMetric + "T1\nG00X0Y0\nM15\nG02X0Y0A1.0\n", "@8 VEX_EXCELLON_ARC_CHORD 8 1 0"},
      {aMetric + "T1\nG00X0Y0\nM15\nG02X3.0Y0I1.0\n", "@8 VEX_EXCELLON_ARC_RADIUS 8 1 2"},
      {aMetric + "T1\nG00X0Y0\nM15\nG01X1.0Y0\nG41\n", "@9 VEX_EXCELLON_UNSUPPORTED 9 G41"},
      {aMetric + "T1\nM25\n", "@6 VEX_EXCELLON_UNSUPPORTED 6 M25"},
      {aMetric + "T1\nX2000000.0Y0\n", "@6 VEX_EXCELLON_COORDINATE_RANGE 6 1000000"},
      {aMetric + "T1\nG91\nX900000.0\nX900000.0\n", "@8 VEX_EXCELLON_COORDINATE_RANGE 8 1000000"},
      {aMetric + "T1\nX0Y0\nR99999X1.0\nR2X1.0\n", "@8 VEX_EXCELLON_TOO_MANY_REPEATS 8 100000"},
      {aMetric + "T1\nX0Y0\nR99999X20.0\n", "@7 VEX_EXCELLON_COORDINATE_RANGE 7 1000000"},
      {"%FSLAX24Y24*%\n", "@1 VEX_EXCELLON_GERBER_SYNTAX 1"},
      {"M48\nX1Y1D03*\n", "@2 VEX_EXCELLON_GERBER_SYNTAX 2"},
      {"M48\nT1C1\x01\n", "@2 VEX_EXCELLON_NOT_TEXT 2 1"},
      {"M48\n" + std::string(5000, '\x07'), "@2 VEX_EXCELLON_NOT_TEXT 2 7"},
      {"M48\n;" + std::string(5000, 'x') + "\nM30\n", "@2 VEX_EXCELLON_LINE_TOO_LONG 2 4096"},
      {"M48\nN1N1N1N1N1N1N1N1N1N1N1N1N1N1N1N1N1N1N1N1N1N1N1N1N1N1N1N1N1N1N1N1N1\n",
       "@2 VEX_EXCELLON_TOO_MANY_WORDS 2 32"},
  };
  for (const Case& aCase : aCases)
  {
    const std::string aText  = parse(aCase.Text);
    const size_t      aFault = aText.find("fault ");
    ASSERT_NE(std::string::npos, aFault) << aCase.Text << "\n" << aText;
    EXPECT_EQ(std::string("fault ") + aCase.Fault + "\n", aText.substr(aFault)) << aCase.Text;
  }
}

TEST(VexExcellon_Parser, CannedTextIsNeverSkipped)
{
  // Canned text drills characters of the machine's own set: its holes cannot be made here, and
  // skipping the line would lose them and the position written before them.
  const std::string                         aMetric     = "M48\nMETRIC\nT1C1\n%\nT1\n";
  const std::pair<std::string, const char*> THE_CASES[] = {
      {aMetric + "M97,ABC\n", "fault @6 VEX_EXCELLON_CANNED_TEXT 6 ABC\n"},
      {aMetric + "X1.0Y1.0\nX2.0Y1.0M98,REV 2\n", "fault @7 VEX_EXCELLON_CANNED_TEXT 7 REV 2\n"},
  };
  for (const auto& aCase : THE_CASES)
  {
    const std::string aText = parse(aCase.first);
    ASSERT_NE(aText.find("fault"), std::string::npos) << aText;
    EXPECT_EQ(aText.substr(aText.find("fault")), aCase.second) << aCase.first;
  }
}

TEST(VexExcellon_Parser, AnEndOfPatternEndsNothingElse)
{
  // M01 ends a block pattern (whose start, M25, is refused): the holes after it are drilled.
  EXPECT_EQ("tool 1 1\nhole 1 (1,1)\nignored setting @7\nhole 1 (2,1)\n",
            parse("M48\nMETRIC\nT1C1\n%\nT1\nX1.0Y1.0\nM01\nX2.0Y1.0\nM30\n"));
}

TEST(VexExcellon_Parser, FaultStopsEverything)
{
  // Nothing follows a fault: not the rest of the line, not the end of an open route.
  EXPECT_EQ("tool 1 1\nmove (0,0)\nline 1 (0,0)(1,0)\nfault @9 VEX_EXCELLON_BAD_NUMBER 9 X.-\n",
            parse("M48\nMETRIC\nT1C1\n%\nT1\nG00X0Y0\nM15\nG01X1.0\nX.-\nX2.0\nM30\n"));
}
} // namespace
