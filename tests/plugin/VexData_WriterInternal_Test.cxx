// Copyright (c) 2026 VexData developers
// Failures that are neither the model's content nor the stream's: an exception from the model
// library or from memory inside CheckWritable and Process, and a stream buffer that throws
// something other than a stream error. Each ends with status 3 and one "VEX_INTERNAL_ERROR"
// naming what failed, as the same failure in the entry code does; the entry points give 203 and
// write or rename nothing.
#include <VexData_WriterFixture_Test.hxx>
#include <VexTest_Messages.hxx>

#include <VexData.hxx>

#include <Standard_OutOfMemory.hxx>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <new>
#include <string>

#include <dirent.h>
#include <unistd.h>

using namespace VexTest;

namespace
{
typedef NCollection_List<Handle(PenFormatData_Object)> ObjectList;

//! A toolpath whose type query throws once armed, as a model library out of memory would.
class ThrowingSequence : public PenFormatData_Sequence
{
public:
  ThrowingSequence(const PenFormatData_Model& theModel, const int theKind)
      : PenFormatData_Sequence(1, 0, PhGeom_Curve::Create(theModel.Allocator(), 0)), myKind(theKind)
  {
    SetPhaseName("P");
    SetLayerName("L");
    SetToolpathMode(2);
    SetToolpathFlag(1);
  }

  const Handle(Standard_Type) & DynamicType() const override
  {
    if (myKind == 1)
    {
      throw std::bad_alloc();
    }
    throw Standard_OutOfMemory("model storage exhausted");
  }

private:
  int myKind; //!< 1 std::bad_alloc, 2 a Standard_Failure with a message
};

//! A model of one good toolpath followed by one whose access throws (theKind as above).
Handle(PenFormatData_Model) throwingModel(const int theKind, const VexTest_MessageCapture& theSink)
{
  Handle(PenFormatData_Model) aModel = new PenFormatData_Model(PenFormatData_DU_Millimetre);
  aModel->SetMessenger(theSink.Messenger());
  AddTool(*aModel, 1, "T1", 0.2);
  AddContour(*aModel, AddToolpath(*aModel, 1, 2))->CreatePoint(gp_XY(1, 2));
  aModel->AddObject(new ThrowingSequence(*aModel, theKind));
  return aModel;
}

//! Takes theLimit bytes, then throws theKind: 1 std::bad_alloc, 2 Standard_OutOfMemory.
class ThrowingBuffer : public std::streambuf
{
public:
  ThrowingBuffer(const size_t theLimit, const int theKind) : myLimit(theLimit), myKind(theKind) {}

  std::string Data; //!< bytes taken

protected:
  std::streamsize xsputn(const char* theData, const std::streamsize theCount) override
  {
    if (Data.size() + static_cast<size_t>(theCount) > myLimit)
    {
      if (myKind == 1)
      {
        throw std::bad_alloc();
      }
      throw Standard_OutOfMemory("buffer exhausted");
    }
    Data.append(theData, static_cast<size_t>(theCount));
    return theCount;
  }

  int_type overflow(const int_type theChar) override
  {
    const char aChar = traits_type::to_char_type(theChar);
    return xsputn(&aChar, 1) == 1 ? traits_type::not_eof(theChar) : traits_type::eof();
  }

private:
  size_t myLimit; //!< bytes taken before the failure
  int    myKind;  //!< what is thrown
};
} // namespace

TEST(VexDataWriterInternal, ModelAccessThatThrowsEndsWithStatus3AndOneMessage)
{
  const struct
  {
    int         Kind;
    const char* Message;
  } aCases[] = {{1, "4 VEX_INTERNAL_ERROR std::bad_alloc\n"},
                {2, "4 VEX_INTERNAL_ERROR model storage exhausted\n"}};
  for (const auto& aCase : aCases)
  {
    SCOPED_TRACE(aCase.Message);
    VexTest_MessageCapture aCapture;
    const Handle(PenFormatData_Model) aModel = throwingModel(aCase.Kind, aCapture);
    VexData_Writer aWriter(*aModel);
    EXPECT_EQ(aWriter.CheckWritable(), VexData_Writer::StreamBad);
    EXPECT_EQ(aWriter.GetStatus(), VexData_Writer::StreamBad);
    EXPECT_EQ(aCapture.Dump(), aCase.Message);
    EXPECT_EQ(aWriter.GetWritable().Size(), 1); // classified before the failure

    aCapture.Clear();
    std::ostringstream aStream;
    EXPECT_EQ(aWriter.Process(aStream), VexData_Writer::StreamBad);
    EXPECT_EQ(aCapture.Dump(), aCase.Message);
    EXPECT_EQ(aStream.str(), "");
  }
}

TEST(VexDataWriterInternal, BufferThrowingOtherThanAStreamErrorEndsWithStatus3AndOneMessage)
{
  // A stream that passes its buffer's exceptions on: a lack of memory is the plug-in's failure,
  // not the stream's. The bytes taken before it stay; nothing follows.
  VexTest_MessageCapture aCapture;
  PenFormatData_Model    aModel(PenFormatData_DU_Millimetre);
  AddTool(aModel, 1, "T1", 0.2);
  AddContour(aModel, AddToolpath(aModel, 1, 2))->CreatePoint(gp_XY(1, 2));
  VexData_Writer::Status aStatus;
  const std::string      aFile = Write(aModel, aStatus);
  ASSERT_EQ(aStatus, VexData_Writer::Ok);
  aModel.SetMessenger(aCapture.Messenger());
  const struct
  {
    int         Kind;
    const char* Message;
  } aCases[] = {{1, "4 VEX_INTERNAL_ERROR std::bad_alloc\n"},
                {2, "4 VEX_INTERNAL_ERROR buffer exhausted\n"}};
  for (const auto& aCase : aCases)
  {
    for (const size_t aLimit : {size_t(0), size_t(100), aFile.size() - 1})
    {
      SCOPED_TRACE(std::string(aCase.Message) + " after " + std::to_string(aLimit));
      aCapture.Clear();
      ThrowingBuffer aBuffer(aLimit, aCase.Kind);
      std::ostream   aStream(&aBuffer);
      aStream.exceptions(std::ios_base::badbit);
      VexData_Writer aWriter(aModel);
      EXPECT_EQ(aWriter.Process(aStream), VexData_Writer::StreamBad);
      EXPECT_EQ(aCapture.Dump(), aCase.Message);
      EXPECT_EQ(aBuffer.Data, aFile.substr(0, aBuffer.Data.size()));
      EXPECT_LE(aBuffer.Data.size(), aLimit);
    }
  }
}

TEST(VexDataWriterInternal, EntryPointsGive203AndWriteNothing)
{
  char aTemplate[] = "/tmp/vexinternal.XXXXXX";
  ASSERT_TRUE(::mkdtemp(aTemplate) != NULL);
  const std::string aFolder = aTemplate;
  const std::string aTarget = aFolder + "/board.vex";
  std::ofstream(aTarget) << "OLD";
  for (const int aKind : {1, 2})
  {
    SCOPED_TRACE(aKind);
    VexTest_MessageCapture aCapture;
    const Handle(PenFormatData_Model) aModel     = throwingModel(aKind, aCapture);
    const Handle(PenFormatData_Object) aSentinel = new PenFormatData_Layer("sentinel");
    ObjectList aWritable, anUnWritable;
    aWritable.Append(aSentinel);
    anUnWritable.Append(aSentinel);
    EXPECT_EQ(CHECKWRITABLE(aModel.get(), aCapture.Messenger(), &aWritable, &anUnWritable), 203);
    EXPECT_EQ(aCapture.Count("VEX_INTERNAL_ERROR"), 1) << aCapture.Dump();
    EXPECT_EQ(aCapture.Messages().size(), 1u) << aCapture.Dump();
    EXPECT_EQ(aWritable.First(), aSentinel);
    EXPECT_EQ(anUnWritable.Size(), 1);

    aCapture.Clear();
    const TCollection_ExtendedString aPath(aTarget.c_str());
    EXPECT_EQ(WRITEFILE(aPath.ToExtString(), aModel.get(), aCapture.Messenger(), &anUnWritable),
              203);
    EXPECT_EQ(aCapture.Count("VEX_INTERNAL_ERROR"), 1) << aCapture.Dump();
    EXPECT_EQ(aCapture.Messages().size(), 1u) << aCapture.Dump();
    std::ifstream aFile(aTarget, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(aFile), std::istreambuf_iterator<char>()),
              "OLD");
  }
  // Nothing but the target is left in the folder.
  DIR* aDir = ::opendir(aFolder.c_str());
  ASSERT_TRUE(aDir != NULL);
  int aNbEntries = 0;
  while (const dirent* anEntry = ::readdir(aDir))
  {
    aNbEntries += std::string(anEntry->d_name) != "." && std::string(anEntry->d_name) != "..";
  }
  ::closedir(aDir);
  EXPECT_EQ(aNbEntries, 1);
  std::remove(aTarget.c_str());
  ::rmdir(aFolder.c_str());
}
