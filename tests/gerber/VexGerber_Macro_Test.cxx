// Copyright (c) 2026 VexData developers
// Aperture macros: the expressions of their parameters, and the shapes their primitives
// compose into when flashed.
#include <VexGerber_TestModel.hxx>

#include <VexGerber_Expression.hxx>

#include <gtest/gtest.h>

using namespace VexGerber_TestModel;

TEST(VexGerber_Macro, ExpressionsEvaluate)
{
  NCollection_Vector<Standard_Real> aVariables;
  aVariables.Append(0.0); // $0 is never used
  aVariables.Append(2.0); // $1
  aVariables.Append(4.0); // $2
  const std::pair<const char*, double> THE_CASES[] = {
      {"1+2x3", 7.0},          {"(1+2)x3", 9.0}, {"-$1", -2.0},
      {"$1/$2", 0.5},          {"--1", 1.0},     {"2x-3", -6.0},
      {"10-2-3", 5.0},         {"8/2/2", 2.0},   {"$5", 0.0},
      {"1.5X2", 3.0},          {"+.5", 0.5},     {"$1x$1+$2", 8.0},
      {"-(1-3)x2", 4.0},       {"", 0.0},        {"1.08239X$1", 2.16478},
      {"0.5-$2/(2+$1x3)", 0.0}};
  for (const auto& aCase : THE_CASES)
  {
    VexGerber_Expression anExpression;
    VexPcb_Fault         aFault;
    ASSERT_TRUE(anExpression.Compile(aCase.first, static_cast<int>(std::strlen(aCase.first)), 64,
                                     9999, aFault))
        << aCase.first;
    EXPECT_NEAR(anExpression.Evaluate(aVariables), aCase.second, 1e-12) << aCase.first;
  }
}

TEST(VexGerber_Macro, BadExpressionsAreFaults)
{
  const std::pair<const char*, const char*> THE_CASES[] = {
      {"1+", "VEX_GERBER_MACRO_EXPRESSION"},
      {"(1", "VEX_GERBER_MACRO_EXPRESSION"},
      {"1)", "VEX_GERBER_MACRO_EXPRESSION"},
      {"$", "VEX_GERBER_MACRO_EXPRESSION"},
      {"$0", "VEX_GERBER_MACRO_EXPRESSION"},
      {"1..2", "VEX_GERBER_MACRO_EXPRESSION"},
      {"x2", "VEX_GERBER_MACRO_EXPRESSION"},
      {"1e5", "VEX_GERBER_MACRO_EXPRESSION"},
      {"$10000", "VEX_GERBER_LIMIT_MACRO_VARIABLE"},
      {"-----1", "VEX_GERBER_LIMIT_EXPRESSION_DEPTH"}};
  for (const auto& aCase : THE_CASES)
  {
    VexGerber_Expression anExpression;
    VexPcb_Fault         aFault;
    EXPECT_FALSE(anExpression.Compile(aCase.first, static_cast<int>(std::strlen(aCase.first)), 4,
                                      9999, aFault))
        << aCase.first;
    EXPECT_EQ(aFault.Key(), aCase.second) << aCase.first;
  }
}

TEST(VexGerber_Macro, PrimitivesComposeIntoOutlines)
{
  // Macro body, values handed to it, filled area and bounding box of the flash at the origin
  // (millimetres); circles are flattened within 0.5 um, so areas agree to a few thousandths.
  struct Case
  {
    const char* Body;
    const char* Values;
    double      Area;
    double      Box[4];
  };
  const Case THE_CASES[] = {
      {"1,1,2,0,0", "", M_PI, {-1, -1, 1, 1}},
      {"1,1,$1,5,0,90", ",2", M_PI, {-1, 4, 1, 6}},
      {"$3=$1x2*1,1,$3,0,0", ",1", M_PI, {-1, -1, 1, 1}},
      {"20,1,1,0,0,4,0,0", "", 4.0, {0, -0.5, 4, 0.5}},
      {"2,1,1,0,0,4,0,90", "", 4.0, {-0.5, 0, 0.5, 4}},
      {"21,1,4,2,0,0,0", "", 8.0, {-2, -1, 2, 1}},
      {"22,1,4,2,0,0,0", "", 8.0, {0, 0, 4, 2}},
      {"4,1,4,0,0,2,0,2,2,0,2,0,0,0", "", 4.0, {0, 0, 2, 2}},
      {"4,1,4,0,0,0,2,2,2,2,0,0,0,0", "", 4.0, {0, 0, 2, 2}}, // clockwise
      {"4,1,3,0,0,2,0,2,2,0,2,0", "", 4.0, {0, 0, 2, 2}},     // left open: closed to the start
      {"5,1,4,0,0,2,0", "", 2.0, {-1, -1, 1, 1}},
      {"21,1,4,4,0,0,0*1,0,2,0,0", "", 16.0 - M_PI, {-2, -2, 2, 2}},
      {"1,0,2,0,0*21,1,4,4,0,0,0", "", 16.0, {-2, -2, 2, 2}}, // off first: nothing to take away
      // The gaps run along the axes: the ring ends where a gap's edge meets the outer circle.
      {"7,0,0,4,2,0.5,0", "", 3.0 * M_PI - 2.0, {-1.98431, -1.98431, 1.98431, 1.98431}},
  };
  for (const Case& aCase : THE_CASES)
  {
    Read aRead;
    ReadText(std::string("%FSLAX36Y36*%%MOMM*%%AMM*") + aCase.Body + "*%%ADD10M" + aCase.Values +
                 "*%D10*X0Y0D03*M02*",
             aRead);
    ASSERT_TRUE(aRead.Ok) << aCase.Body << aRead.Capture.Dump();
    ASSERT_EQ(Sequences(*aRead.Model).size(), 1u) << aCase.Body;
    EXPECT_FALSE(Sequences(*aRead.Model).front()->IsArea()) << aCase.Body; // a flash stays one
    const Handle(PenFormatData_Model) anOutlined                 = Outlined(*aRead.Model);
    const std::vector<Handle(PenFormatData_Sequence)> aSequences = Sequences(*anOutlined);
    ASSERT_EQ(aSequences.size(), 1u) << aCase.Body;
    EXPECT_TRUE(aSequences[0]->IsArea());
    // The thermal's gaps cut chords of the rings, not straight bands: a looser bound.
    EXPECT_NEAR(Area(*aSequences[0]), aCase.Area, aCase.Body[0] == '7' ? 0.05 : 0.005)
        << aCase.Body;
    double aBox[4] = {1e9, 1e9, -1e9, -1e9};
    for (const Feature& aFeature : Features(*anOutlined))
    {
      for (int aPoint = 0; aPoint < 2; ++aPoint)
      {
        aBox[0] = std::min(aBox[0], aFeature.Values[2 * aPoint]);
        aBox[1] = std::min(aBox[1], aFeature.Values[2 * aPoint + 1]);
        aBox[2] = std::max(aBox[2], aFeature.Values[2 * aPoint]);
        aBox[3] = std::max(aBox[3], aFeature.Values[2 * aPoint + 1]);
      }
    }
    for (int anIndex = 0; anIndex < 4; ++anIndex)
    {
      EXPECT_NEAR(aBox[anIndex], aCase.Box[anIndex], 1e-3) << aCase.Body << " box " << anIndex;
    }
  }
}

TEST(VexGerber_Macro, InchMacrosScaleAndExposureOffStaysInside)
{
  // An inch macro: lengths times 25.4. A hole made by exposure off does not clear the pad
  // flashed before the macro.
  Read aRead;
  ReadText("%FSLAX26Y26*%%MOIN*%%AMHOLE*21,1,0.1,0.1,0,0,0*1,0,0.05,0,0*%%ADD10R,0.2X0.2*%"
           "%ADD11HOLE*%D10*X0Y0D03*D11*X0Y0D03*M02*",
           aRead);
  ASSERT_TRUE(aRead.Ok) << aRead.Capture.Dump();
  const std::vector<Handle(PenFormatData_Sequence)> aSequences = Sequences(*Outlined(*aRead.Model));
  ASSERT_EQ(aSequences.size(), 2u);
  EXPECT_NEAR(Area(*aSequences[0]), 5.08 * 5.08, 1e-9);
  EXPECT_NEAR(Area(*aSequences[1]), 2.54 * 2.54 - M_PI * 0.635 * 0.635, 0.005);
  EXPECT_FALSE(aSequences[1]->IsClear());
}
