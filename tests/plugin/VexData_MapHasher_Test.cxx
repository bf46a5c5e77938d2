// Copyright (c) 2026 VexData developers
// The hasher that fixes the order of blocks in written files: its buckets are those OpenCASCADE
// 7.6's standard hashers give (pinned here, so that they hold on any version), and maps that use
// it visit their keys exactly as 7.6's own maps do, through several growths of the bucket table.
#include <VexData_MapHasher.hxx>
#include <VexData_ToolpathContainer.hxx>

#include <NCollection_DataMap.hxx>
#include <NCollection_Map.hxx>
#include <Standard_Version.hxx>

#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <string>
#include <type_traits>
#include <vector>

namespace
{
//! Bucket counts of a map that grows from one bucket to over 5000 keys.
const int THE_BOUNDS[4] = {101, 1009, 2003, 5003};

// The maps whose order reaches the file use the hasher.
static_assert(
    std::is_same<VexData_ToolpathContainer::GroupMap,
                 NCollection_DataMap<Standard_Integer, VexData_ToolpathContainer::GroupByTool,
                                     VexData_MapHasher>>::value,
    "scan-field groups are visited in the order of the plug-in's hasher");
static_assert(
    std::is_same<VexData_ToolpathContainer::GroupByTool::ToolMap,
                 NCollection_DataMap<Standard_Integer, VexData_ToolpathContainer::SequenceList,
                                     VexData_MapHasher>>::value,
    "tools are visited in the order of the plug-in's hasher");

//! Returns the keys of theMap in its visiting order, as text.
template <class TheMap> std::string orderOf(const TheMap& theMap)
{
  std::string anOrder;
  for (typename TheMap::Iterator anIter(theMap); anIter.More(); anIter.Next())
  {
    anOrder += TCollection_AsciiString(anIter.Key()).ToCString();
    anOrder += "\n";
  }
  return anOrder;
}

//! A random key of up to 24 bytes from 1 to 255, with "+" often, as container keys have.
TCollection_AsciiString randomName(std::mt19937& theRandom)
{
  std::string aText;
  for (unsigned aLength = theRandom() % 25; aLength > 0; --aLength)
  {
    aText += theRandom() % 8 == 0 ? '+' : static_cast<char>(1 + theRandom() % 255);
  }
  return TCollection_AsciiString(aText.c_str());
}

//! Returns theValue as a signed 32-bit key (values above INT_MAX wrap to negatives).
Standard_Integer toKey(const uint32_t theValue)
{
  const int64_t aWide = static_cast<int64_t>(theValue);
  return static_cast<Standard_Integer>(theValue > INT_MAX ? aWide - (int64_t(1) << 32) : aWide);
}
} // namespace

TEST(VexDataMapHasher, BucketsOfOpenCascade76)
{
  const struct
  {
    const char* Key;
    int         Buckets[4];
  } aNames[] = {{"", {1, 1, 1, 1}},
                {"+", {44, 44, 44, 44}},
                {"Drill+Top", {10, 313, 351, 2263}},
                {"Mill+Top", {10, 434, 1869, 213}},
                {"Drill+", {3, 25, 1539, 2092}},
                {"P+Q+R", {26, 356, 1325, 3842}},
                {"Isolation+Bottom copper", {59, 131, 1838, 3687}},
                {"Fr\xE4sen+\xD8", {53, 149, 1967, 1956}},
                {"\x80\xFF+\x01", {2, 520, 654, 1785}},
                {"Scan fields", {45, 816, 1727, 3423}}};
  const struct
  {
    Standard_Integer Key;
    int              Buckets[4];
  } anIntegers[] = {{0, {1, 1, 1, 1}},
                    {1, {2, 2, 2, 2}},
                    {-1, {34, 696, 1249, 931}},
                    {100, {101, 101, 101, 101}},
                    {101, {1, 102, 102, 102}},
                    {1009, {101, 1, 1010, 1010}},
                    {123456789, {46, 595, 1885, 2762}},
                    {INT_MAX, {34, 696, 1249, 931}},
                    {INT_MIN, {1, 1, 1, 1}},
                    {-123456789, {91, 103, 1369, 3174}}};
  const VexData_MapHasher aHasher;
  for (int aBound = 0; aBound < 4; ++aBound)
  {
    const int anUpper = THE_BOUNDS[aBound];
    for (const auto& aName : aNames)
    {
      const TCollection_AsciiString aKey(aName.Key);
      EXPECT_EQ(VexData_MapHasher::HashCode(aKey, anUpper), aName.Buckets[aBound]) << aName.Key;
      EXPECT_EQ(aHasher(aKey) % anUpper + 1, size_t(aName.Buckets[aBound])) << aName.Key;
    }
    for (const auto& anInteger : anIntegers)
    {
      EXPECT_EQ(VexData_MapHasher::HashCode(anInteger.Key, anUpper), anInteger.Buckets[aBound])
          << anInteger.Key;
      EXPECT_EQ(aHasher(anInteger.Key) % anUpper + 1, size_t(anInteger.Buckets[aBound]))
          << anInteger.Key;
    }
  }
}

#if OCC_VERSION_HEX < 0x070800
TEST(VexDataMapHasher, MapsVisitKeysAsOpenCascade76sOwnMapsDo)
{
  // Both maps start with one bucket, as the writer's do, and grow to 20011 buckets; the order
  // is compared at every size where a growth happens and in between.
  std::mt19937                                                         aRandom(76);
  NCollection_DataMap<TCollection_AsciiString, int>                    aNames76(1);
  NCollection_DataMap<TCollection_AsciiString, int, VexData_MapHasher> aNames(1);
  NCollection_Map<Standard_Integer>                                    aNumbers76(1);
  NCollection_Map<Standard_Integer, VexData_MapHasher>                 aNumbers(1);
  const std::vector<int> aCheckpoints = {1,    2,    50,   101,  102,   500,   1009, 1010,
                                         2003, 2004, 5003, 5004, 10007, 10008, 12000};
  size_t                 aNext        = 0;
  for (int aCount = 1; aCount <= aCheckpoints.back(); ++aCount)
  {
    const TCollection_AsciiString aName = randomName(aRandom);
    aNames76.Bind(aName, aCount);
    aNames.Bind(aName, aCount);
    // Small numbers repeat; large ones of either sign spread.
    const Standard_Integer aNumber =
        aCount % 3 == 0 ? static_cast<Standard_Integer>(aRandom() % 64) : toKey(aRandom());
    aNumbers76.Add(aNumber);
    aNumbers.Add(aNumber);
    for (const int anUpper : THE_BOUNDS)
    {
      ASSERT_EQ(VexData_MapHasher::HashCode(aName, anUpper),
                NCollection_DefaultHasher<TCollection_AsciiString>::HashCode(aName, anUpper));
      ASSERT_EQ(VexData_MapHasher::HashCode(aNumber, anUpper),
                NCollection_DefaultHasher<Standard_Integer>::HashCode(aNumber, anUpper));
    }
    if (aCount == aCheckpoints[aNext])
    {
      SCOPED_TRACE(aCount);
      ++aNext;
      ASSERT_EQ(aNames.NbBuckets(), aNames76.NbBuckets());
      ASSERT_EQ(orderOf(aNames), orderOf(aNames76));
      ASSERT_EQ(orderOf(aNumbers), orderOf(aNumbers76));
    }
  }
  EXPECT_GE(aNames.NbBuckets(), 10007);
}
#endif
