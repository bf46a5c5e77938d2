// Copyright (c) 2026 VexData developers
// The tool library: the built-in table, a library read from JSON, and every fault named by the
// JSON pointer of the value that is wrong.
#include <VexJob_ToolLibrary.hxx>

#include <gtest/gtest.h>

namespace
{
TEST(VexJob_ToolLibrary, DefaultHoldsEachKindInShopSteps)
{
  const VexJob_ToolLibrary aLibrary = VexJob_ToolLibrary::Default();
  const struct
  {
    VexJob_Tool::Kind Kind;
    double            Narrowest, Widest;
  } THE_RANGES[] = {{VexJob_Tool::Kind_Isolation, 0.1, 0.4},
                    {VexJob_Tool::Kind_EndMill, 0.8, 3.0},
                    {VexJob_Tool::Kind_Drill, 0.4, 3.2}};
  for (const auto& aRange : THE_RANGES)
  {
    ASSERT_NE(aLibrary.Narrowest(aRange.Kind), nullptr);
    EXPECT_DOUBLE_EQ(aLibrary.Narrowest(aRange.Kind)->Width, aRange.Narrowest);
    EXPECT_DOUBLE_EQ(aLibrary.AtMost(aRange.Kind, 100.0)->Width, aRange.Widest);
  }
  EXPECT_EQ(aLibrary.Find("Drill0.80")->Width, 0.8);
  EXPECT_EQ(aLibrary.AtLeast(VexJob_Tool::Kind_Drill, 0.75)->Name, "Drill0.80");
  EXPECT_EQ(aLibrary.AtLeast(VexJob_Tool::Kind_Drill, 3.3), nullptr);
  EXPECT_EQ(aLibrary.AtMost(VexJob_Tool::Kind_EndMill, 0.7), nullptr);
}

TEST(VexJob_ToolLibrary, ParsesToolsSortedByKindAndWidth)
{
  VexJob_ToolLibrary aLibrary;
  std::string        anError;
  ASSERT_TRUE(VexJob_ToolLibrary::Parse(
      R"({"tools":[{"name":"D1","kind":"drill","diameter":1.0},
                   {"name":"V","kind":"isolation","diameter":0.2},
                   {"name":"D05","kind":"drill","diameter":0.5},
                   {"name":"E","kind":"end mill","diameter":2}]})",
      aLibrary, anError))
      << anError;
  ASSERT_EQ(aLibrary.Tools().size(), 4u);
  EXPECT_EQ(aLibrary.Tools()[0].Name, "V");
  EXPECT_EQ(aLibrary.Tools()[1].Name, "E");
  EXPECT_EQ(aLibrary.Tools()[2].Name, "D05");
  EXPECT_EQ(aLibrary.Tools()[3].Name, "D1");
}

TEST(VexJob_ToolLibrary, FaultsNameTheirPointer)
{
  const struct
  {
    const char* Text;
    const char* Pointer;
  } THE_CASES[] = {
      {"not json", ""},
      {"[]", ""},
      {R"({"tools":[],"x":1})", "/x"},
      {R"({"tools":[]})", "/tools"},
      {R"({"tools":{}})", "/tools"},
      {R"({"tools":[5]})", "/tools/0"},
      {R"({"tools":[{"name":"A","kind":"drill","diameter":1,"depth":2}]})", "/tools/0/depth"},
      {R"({"tools":[{"kind":"drill","diameter":1}]})", "/tools/0/name"},
      {R"({"tools":[{"name":"","kind":"drill","diameter":1}]})", "/tools/0/name"},
      {R"({"tools":[{"name":"\u0394","kind":"drill","diameter":1}]})", "/tools/0/name"},
      {R"({"tools":[{"name":"A","kind":"laser","diameter":1}]})", "/tools/0/kind"},
      {R"({"tools":[{"name":"A","kind":"drill","diameter":"1"}]})", "/tools/0/diameter"},
      {R"({"tools":[{"name":"A","kind":"drill","diameter":0}]})", "/tools/0/diameter"},
      {R"({"tools":[{"name":"A","kind":"drill","diameter":51}]})", "/tools/0/diameter"},
      {R"({"tools":[{"name":"A","kind":"drill","diameter":1},
                    {"name":"A","kind":"drill","diameter":2}]})",
       "/tools/1/name"},
  };
  for (const auto& aCase : THE_CASES)
  {
    VexJob_ToolLibrary aLibrary = VexJob_ToolLibrary::Default();
    std::string        anError;
    EXPECT_FALSE(VexJob_ToolLibrary::Parse(aCase.Text, aLibrary, anError)) << aCase.Text;
    EXPECT_EQ(anError.substr(0, anError.find(':')), aCase.Pointer) << anError;
    EXPECT_EQ(aLibrary.Tools().size(), VexJob_ToolLibrary::Default().Tools().size())
        << "a faulty library leaves the library as it was";
  }
}
} // namespace
