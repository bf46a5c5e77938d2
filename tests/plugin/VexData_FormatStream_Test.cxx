// Copyright (c) 2026 VexData developers
// Primitive reads, header check, type declarations and the skip rule of the format layer (the
// record parser follows compound records item by item).
#include <VexData_FormatBuilder_Test.hxx>
#include <VexTest_Messages.hxx>

#include <VexData_RecordParser.hxx>
#include <VexData_InputStream.hxx>
#include <VexData_TypeTable.hxx>

#include <gtest/gtest.h>

#include <sstream>

namespace
{
//! A stream over theData with a capture for the messages of the format layer.
struct Input
{
  explicit Input(const std::string& theData) : Stream(theData)
  {
    Reader.Init(&Stream, Capture.Messenger());
  }
  std::istringstream     Stream;
  VexTest_MessageCapture Capture;
  VexData_InputStream    Reader;
};

TEST(VexData_FormatStream, ValuesAreLittleEndianAndFailuresAreToldByTheCode)
{
  struct Case
  {
    std::string Bytes;
    char        Kind; // b byte, i int32, f float32
    int         Code;
    double      Value;
  } aCases[] = {
      {std::string("\x01\x00\x00\x80", 4), 'i', 0, -2147483647.0},
      {"\xFF\xFF\xFF\xFF", 'i', 0, -1.0},
      {std::string("\x00\x00\x80\x3F", 4), 'f', 0, 1.0},
      {"\xFF", 'b', 0, 255.0},
      {"\x01\x02\x03", 'i', 6, -1.0},
      {"", 'b', 6, -1.0},
      {std::string("\x00\x00\x80", 3), 'f', 6, 0.0},
  };
  for (const Case& aCase : aCases)
  {
    Input            anInput(aCase.Bytes);
    int              aCode  = 0;
    double           aValue = 0.0;
    Standard_Integer anInt  = 0;
    if (aCase.Kind == 'f')
    {
      Standard_ShortReal aFloat = 0.0f;
      aCode                     = anInput.Reader.ReadFloat(aFloat);
      aValue                    = aFloat;
    }
    else
    {
      aCode  = aCase.Kind == 'b' ? anInput.Reader.ReadByte(anInt) : anInput.Reader.ReadInt(anInt);
      aValue = anInt;
    }
    EXPECT_EQ(aCase.Code, aCode) << aCase.Kind << " " << aCase.Bytes.size();
    EXPECT_EQ(aCase.Value, aValue) << aCase.Kind << " " << aCase.Bytes.size();
    EXPECT_EQ("", anInput.Capture.Dump());
  }
}

TEST(VexData_FormatStream, StringsEndAtTheirZeroWithin8190Bytes)
{
  struct Case
  {
    std::string Bytes;
    int         Code;
    size_t      Length;
  } aCases[] = {
      {std::string(8190, 'a') + '\0' + "x", 0, 8190},
      {std::string(8191, 'a') + '\0', 7, 8191},
      {std::string("", 1), 0, 0},
      {"abc", 6, 3},
  };
  for (const Case& aCase : aCases)
  {
    Input anInput(aCase.Bytes);
    EXPECT_EQ(aCase.Code, anInput.Reader.ReadString());
    EXPECT_EQ(aCase.Length, std::strlen(anInput.Reader.Buffer()));
  }
}

TEST(VexData_FormatStream, StreamStateDecidesTheCodeAndNothingThrows)
{
  Input aBad("abcd");
  aBad.Stream.setstate(std::ios_base::badbit);
  Standard_Integer aValue = 0;
  EXPECT_EQ(4, aBad.Reader.ReadByte(aValue));

  Input aFailed("abcd");
  aFailed.Stream.setstate(std::ios_base::failbit);
  EXPECT_EQ(5, aFailed.Reader.ReadInt(aValue));

  Input anEnded("abcd");
  anEnded.Stream.setstate(std::ios_base::eofbit);
  EXPECT_EQ(6, anEnded.Reader.BoundedRead(5, 0, Standard_False));
  EXPECT_EQ('a', anEnded.Stream.rdbuf()->sgetc()); // nothing was taken

  // A buffer that throws is a hard error, also for a stream that asks for exceptions.
  for (bool isThrowing : {false, true})
  {
    VexTest_FailingBuffer aBuffer("ab");
    std::istream          aStream(&aBuffer);
    if (isThrowing)
    {
      aStream.exceptions(std::ios_base::badbit | std::ios_base::failbit | std::ios_base::eofbit);
    }
    VexTest_MessageCapture aCapture;
    VexData_InputStream    aReader;
    aReader.Init(&aStream, aCapture.Messenger());
    EXPECT_EQ(4, aReader.ReadInt(aValue));
    EXPECT_TRUE(aStream.bad());
    EXPECT_EQ(4, aReader.SkipBytes(3));
    EXPECT_EQ("4 VEX_READER_READING_FAIL\n", aCapture.Dump());
  }
}

TEST(VexData_FormatStream, SkipsReportTheEndOfTheFileOnce)
{
  struct Case
  {
    std::string Bytes;
    char        Skip; // n bytes, b to byte 0, u to unit 0
    int         Count;
    int         Code;
    std::string Dump;
    size_t      Offset;
  } aCases[] = {
      {"abc", 'n', 5, 6, "4 VEX_READER_END_OF_FILE\n", 3},
      {"abc", 'n', 0, 0, "", 0},
      {"abc", 'n', -4, 0, "", 0},
      {std::string(10000, 'x'), 'n', 9999, 0, "", 9999},
      {std::string("ab\0c", 4), 'b', 0, 0, "", 3},
      {"abc", 'b', 0, 6, "4 VEX_READER_END_OF_FILE\n", 3},
      {std::string("a\0\0b\0\0", 6), 'u', 0, 0, "", 6},
      {std::string("a\0b", 3), 'u', 0, 6, "4 VEX_READER_END_OF_FILE\n", 3},
  };
  for (const Case& aCase : aCases)
  {
    Input            anInput(aCase.Bytes);
    Standard_Integer aCode = aCase.Skip == 'n'   ? anInput.Reader.SkipBytes(aCase.Count)
                             : aCase.Skip == 'b' ? anInput.Reader.SkipToByte(0)
                                                 : anInput.Reader.SkipToUnit(0);
    EXPECT_EQ(aCase.Code, aCode) << aCase.Skip << aCase.Count;
    EXPECT_EQ(aCase.Dump, anInput.Capture.Dump()) << aCase.Skip << aCase.Count;
    EXPECT_EQ(aCase.Offset, anInput.Reader.Offset()) << aCase.Skip << aCase.Count;
  }
  // Once at the end, a skip refuses at once.
  Input            anAtEnd("");
  Standard_Integer aByte = 0;
  anAtEnd.Reader.ReadByte(aByte);
  EXPECT_EQ(6, anAtEnd.Reader.SkipBytes(0));
  EXPECT_EQ("4 VEX_READER_END_OF_FILE\n", anAtEnd.Capture.Dump());
}

TEST(VexData_FormatStream, HeaderCheck)
{
  const std::string aMagic = "QUOR_Mill_Drill File (VEX) Version 3";
  struct Case
  {
    std::string Bytes;
    int         Code;
    std::string Dump;
  } aCases[] = {
      {VexTest_FileBuilder().Header().Data() + "\x14", 0, ""},
      {aMagic + ".7\nmade by hand\nsecond comment\n\x1A", 0, ""},
      {"quor_Mill_Drill File (VEX) Version 3.0\n\x1A", 2, "4 VEX_READER_WRONG_FORMAT\n"},
      {"QUOR_Mill_Drill\x1A"
       "File (VEX) Version 3.0\n\x1A",
       2, "4 VEX_READER_WRONG_FORMAT\n"},
      {aMagic.substr(0, 35), 6, ""},
      {aMagic + ".0\n", 6, "4 VEX_READER_END_OF_FILE\n"},
  };
  for (const Case& aCase : aCases)
  {
    Input anInput(aCase.Bytes);
    EXPECT_EQ(aCase.Code, anInput.Reader.CheckHeader()) << aCase.Bytes;
    EXPECT_EQ(aCase.Dump, anInput.Capture.Dump()) << aCase.Bytes;
  }
  Input aWritten(VexTest_FileBuilder().Header().Data() + "\x14");
  aWritten.Reader.CheckHeader();
  EXPECT_EQ(81u, aWritten.Reader.Offset());
}

TEST(VexData_FormatStream, TypeDeclarations)
{
  struct Case
  {
    int         Tag;
    int         Size;
    int         Code;
    std::string Dump;
    bool        Redeclared;
  } aCases[] = {
      {18, 12, 0, "2 VEX_READER_REPLACE_TYPEDEF_SIZE 18\n", true},
      {18, 8, 0, "", false},
      {17, 24, 3, "", false},
      {14, -1, 3, "4 VEX_READER_INVALID_TYPEDEF_SIZE 14\n", false},
      {200, -1, 3, "4 VEX_READER_INVALID_TYPEDEF_SIZE -56\n", false},
      {26, 4, 0, "", false},
      {5, 3, 0, "", false},
  };
  for (const Case& aCase : aCases)
  {
    VexTest_MessageCapture aCapture;
    VexData_TypeTable      aTable;
    EXPECT_EQ(aCase.Code, aTable.Declare(aCase.Tag, aCase.Size, aCapture.Messenger())) << aCase.Tag;
    EXPECT_EQ(aCase.Dump, aCapture.Dump()) << aCase.Tag;
    EXPECT_EQ(aCase.Redeclared, aTable.IsRedeclared(18) && aTable.IsRedeclared(19)) << aCase.Tag;
  }
  // A field type cannot be resized; a tag without default keeps its first declared size.
  const Handle(Message_Messenger) aNone;
  VexData_TypeTable aTable;
  Standard_Integer  aSize = 0;
  EXPECT_EQ(0, aTable.Declare(5, 3, aNone));
  EXPECT_TRUE(aTable.FieldSize(5, aSize) && aSize == 4);
  EXPECT_EQ(0, aTable.Declare(40, 6, aNone));
  EXPECT_EQ(0, aTable.Declare(40, 6, aNone));
  EXPECT_EQ(3, aTable.Declare(40, 7, aNone));
  EXPECT_TRUE(aTable.RecordSize(40, aSize) && aSize == 6);
}

//! Notes where the parser meets the record after the one a test steps over.
class NextRecord final : public VexData_RecordListener
{
public:
  //! Offset of the first top-level record of tag 20, 0 when none was met.
  Standard_Size Offset = 0;

  void Skipping(const VexData_RecordPlace& thePlace)
  {
    if (thePlace.Tag == VexData_Format::Tag_Empty && thePlace.Depth == 0 && Offset == 0)
    {
      Offset = thePlace.Offset;
    }
  }
};

TEST(VexData_FormatStream, SkipRuleStepsOverExactlyOneItem)
{
  VexTest_FileBuilder aNested;
  aNested.Byte(0x84).Byte(7).Str("name").Byte(3).Int(7).Byte(0x85).Byte(0).Byte(8).Bytes(
      {'w', 0, 0, 0});
  aNested.Byte(9).Byte(9).Bytes({1, 2}).Byte(12).Float(1).Float(2).Byte(0).Byte(0);
  struct Case
  {
    int         Tag;
    std::string Payload;
    int         Code;
    std::string Dump;
  } aCases[] = {
      {20, "", 0, ""},
      {19, "12345678", 0, ""},
      {17, std::string(20, 'x'), 0, ""},
      {1, "x", 0, ""},
      {2, "xx", 0, ""},
      {4, "12345678", 0, ""},
      {6, "12345678", 0, ""},
      {7, std::string("text\0", 5), 0, ""},
      {9, std::string("\0", 1), 0, ""},
      {9, VexTest_FileBuilder().Byte(9).Bytes({1, 2}).Data(), 0, ""},
      {9, VexTest_FileBuilder().Byte(255).Text(std::string(32, 'b')).Data(), 0, ""},
      {10, VexTest_FileBuilder().Int(-1).Data(), 0, ""},
      {10, VexTest_FileBuilder().Int(17).Bytes({1, 2, 3}).Data(), 0, ""},
      {0x83, aNested.Data(), 0, ""},
      {26, "1234", 2, "4 VEX_READER_UNKNOWN_SKIP_TYPE 26\n"},
      {0, "", 2, "4 VEX_READER_UNKNOWN_SKIP_TYPE 0\n"},
      {11, "", 2, "4 VEX_READER_UNKNOWN_SKIP_TYPE 11\n"},
      {0x83, std::string("\x0B", 1), 2, "4 VEX_READER_UNKNOWN_SKIP_TYPE 11\n"},
      {7, "cut", 6, "4 VEX_READER_END_OF_FILE\n"},
      {9, "", 2, "4 VEX_READER_READING_NBBYTES_FAILURE\n"},
      {10, "\x05\x00", 2, "4 VEX_READER_READING_NBBYTES_FAILURE\n"},
      {0x90, std::string("\x01\x07", 2), 6, "4 VEX_READER_READ_BYTE_FAILURE\n"},
      {0x90, std::string("\x03\x01", 2), 6, "4 VEX_READER_END_OF_FILE\n"},
  };
  for (const Case& aCase : aCases)
  {
    // A success must leave the input on the byte after the item: the format layer steps over
    // one item, the record parser follows compound records item by item.
    const bool isGood = aCase.Code == 0;
    if (aCase.Tag < 0x80)
    {
      Input             anInput(aCase.Payload + (isGood ? "\xEE" : ""));
      VexData_TypeTable aTable;
      EXPECT_EQ(aCase.Code, aTable.SkipItem(anInput.Reader, aCase.Tag)) << aCase.Tag;
      EXPECT_EQ(aCase.Dump, anInput.Capture.Dump()) << aCase.Tag;
      EXPECT_EQ(isGood ? aCase.Payload.size() : anInput.Reader.Offset(), anInput.Reader.Offset())
          << aCase.Tag;
      continue;
    }
    const std::string aFile = VexTest_FileBuilder().Header().Byte(aCase.Tag).Data() +
                              aCase.Payload + (isGood ? "\x14" : "");
    std::istringstream     aStream(aFile);
    VexTest_MessageCapture aCapture;
    NextRecord             aNext;
    VexData_RecordParser   aParser((VexData_Reader::Limits()));
    EXPECT_EQ(aCase.Code, aParser.Parse(aStream, aCapture.Messenger(), aNext)) << aCase.Tag;
    EXPECT_EQ(aCase.Dump, aCapture.Dump()) << aCase.Tag;
    EXPECT_EQ(isGood ? aFile.size() - 1 : 0u, aNext.Offset) << aCase.Tag;
  }
}
} // namespace
