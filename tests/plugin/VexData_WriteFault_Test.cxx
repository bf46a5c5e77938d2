// Copyright (c) 2026 VexData developers
// Writer fault injection. The writer's output fails at every byte offset of a sample model's
// file, through a stream buffer that refuses or throws, with and without stream exceptions; and
// WRITEFILE writes with the file size limited at every offset, to a full device, and to a file
// larger than the stream's buffer. A failed write must end with a stream status, one message and
// no byte after the failure, and must never replace an existing target.
#include <VexData_WriterFixture_Test.hxx>
#include <VexTest_Messages.hxx>

#include <VexData.hxx>

#include <gtest/gtest.h>

#include <cmath>
#include <csignal>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <unistd.h>

namespace
{
//! Export parameters of the sample: tool T1 written twice, the arcs of D8 as circles.
const std::vector<const char*> THE_PARAMS = {"vex.map:false;P;L;T1;;;A;B",
                                             "vex.map:true;Drill;;D8"};

//! A stream buffer that takes theLimit bytes and then fails: it refuses the rest of the request
//! or throws. It counts the requests made after the failure.
class FailingBuffer : public std::streambuf
{
public:
  FailingBuffer(const size_t theLimit, const bool theThrows)
      : myLimit(theLimit), myThrows(theThrows)
  {
  }

  std::string Data;             //!< bytes taken
  int         LateRequests = 0; //!< requests after the failure
  bool        HasFailed    = false;

protected:
  std::streamsize xsputn(const char* theData, const std::streamsize theCount) override
  {
    LateRequests += HasFailed ? 1 : 0;
    const size_t aTaken = std::min(static_cast<size_t>(theCount), myLimit - Data.size());
    Data.append(theData, aTaken);
    if (aTaken == static_cast<size_t>(theCount))
    {
      return theCount;
    }
    HasFailed = true;
    if (myThrows)
    {
      throw std::runtime_error("device lost");
    }
    return static_cast<std::streamsize>(aTaken);
  }

  int_type overflow(const int_type theChar) override
  {
    const char aChar = traits_type::to_char_type(theChar);
    return traits_type::eq_int_type(theChar, traits_type::eof()) || xsputn(&aChar, 1) == 1
               ? traits_type::not_eof(theChar)
               : traits_type::eof();
  }

private:
  size_t myLimit;  //!< bytes taken before the failure
  bool   myThrows; //!< throw instead of refusing
};

//! Builds the sample: two scan fields, path toolpaths with segments and arcs on both, drill
//! points, and a tool used by path and point toolpaths. theNbSegments adds a long path.
Handle(PenFormatData_Model) sampleModel(const int theNbSegments = 0)
{
  Handle(PenFormatData_Model) aModel = new PenFormatData_Model(PenFormatData_DU_Millimetre);
  aModel->AddScanField(new PenFormatData_ScanField(10, 2, 40.0, 30.0, gp_XY(20.0, 15.0)));
  aModel->AddScanField(new PenFormatData_ScanField(20, 1, 40.0, 30.0, gp_XY(60.0, 15.0)));
  VexTest::AddTool(*aModel, 1, "T1", 0.2);
  VexTest::AddTool(*aModel, 2, "D8", 0.8);
  Handle(PhGeom_Curve) aSquare =
      VexTest::AddContour(*aModel, VexTest::AddToolpath(*aModel, 1, 1, "P", "L", 1));
  const gp_XY aCorners[4] = {gp_XY(0, 0), gp_XY(10, 0), gp_XY(10, 10), gp_XY(0, 10)};
  for (int aSide = 0; aSide < 4; ++aSide)
  {
    aSquare->CreateSegment(aCorners[aSide], aCorners[(aSide + 1) % 4]);
  }
  aSquare->CreateArc(gp_XY(0, 5), 5.0, -M_PI / 2.0, M_PI / 2.0, 0);
  VexTest::AddContour(*aModel, VexTest::AddToolpath(*aModel, 1, 1, "P", "L", 2))
      ->CreateArc(gp_XY(60, 15), 3.0, 0.0, 2.0 * M_PI, 1);
  Handle(PenFormatData_Sequence) aDrills = VexTest::AddToolpath(*aModel, 2, 2, "P", "L");
  for (int aPoint = 0; aPoint < 3; ++aPoint)
  {
    VexTest::AddContour(*aModel, aDrills)->CreatePoint(gp_XY(aPoint, 2.0 * aPoint));
  }
  Handle(PhGeom_Curve) aPath =
      VexTest::AddContour(*aModel, VexTest::AddToolpath(*aModel, 2, 1, "Drill", ""));
  aPath->CreateArc(gp_XY(1, 1), 1.0, 0.0, M_PI, 1);
  for (int aStep = 0; aStep < theNbSegments; ++aStep)
  {
    aPath->CreateSegment(gp_XY(aStep, 0), gp_XY(aStep + 1, aStep % 2));
  }
  return aModel;
}

//! The sample's file as the writer writes it into memory.
std::string sampleBytes(const PenFormatData_Model& theModel)
{
  VexData_Writer                                   aWriter(theModel);
  NCollection_Sequence<TCollection_ExtendedString> aParams;
  for (const char* aParam : THE_PARAMS)
  {
    aParams.Append(TCollection_ExtendedString(aParam));
  }
  aWriter.SetInputParameters(aParams);
  std::ostringstream aStream;
  EXPECT_EQ(aWriter.Process(aStream), VexData_Writer::Ok);
  return aStream.str();
}

TEST(VexData_WriteFaultTest, OutputFailingAtEveryOffsetStopsThereWithOneMessage)
{
  Handle(PenFormatData_Model) aModel = sampleModel();
  VexTest_MessageCapture aCapture;
  aModel->SetMessenger(aCapture.Messenger());
  const std::string aFile = sampleBytes(*aModel);
  ASSERT_GT(aFile.size(), 300u);
  NCollection_Sequence<TCollection_ExtendedString> aParams;
  for (const char* aParam : THE_PARAMS)
  {
    aParams.Append(TCollection_ExtendedString(aParam));
  }
  for (size_t aLimit = 0; aLimit < aFile.size(); ++aLimit)
  {
    for (const int aVariant : {0, 1, 2, 3}) // buffer throws: bit 0; stream exceptions: bit 1
    {
      SCOPED_TRACE("offset " + std::to_string(aLimit) + " variant " + std::to_string(aVariant));
      FailingBuffer aBuffer(aLimit, (aVariant & 1) != 0);
      std::ostream  aStream(&aBuffer);
      if ((aVariant & 2) != 0)
      {
        aStream.exceptions(std::ios_base::badbit | std::ios_base::failbit);
      }
      aCapture.Clear();
      VexData_Writer aWriter(*aModel);
      aWriter.SetInputParameters(aParams);
      ASSERT_EQ(aWriter.Process(aStream), VexData_Writer::StreamBad);
      ASSERT_EQ(aCapture.Dump(), "4 VEX_WRITER_WRITING_FAIL\n");
      ASSERT_EQ(aBuffer.Data, aFile.substr(0, aLimit));
      ASSERT_EQ(aBuffer.LateRequests, 0);
    }
  }
  FailingBuffer  aRoomy(aFile.size(), true);
  std::ostream   aStream(&aRoomy);
  VexData_Writer aWriter(*aModel);
  aWriter.SetInputParameters(aParams);
  EXPECT_EQ(aWriter.Process(aStream), VexData_Writer::Ok);
  EXPECT_EQ(aRoomy.Data, aFile);
}

TEST(VexData_WriteFaultTest, LargeOutputFailingAroundEveryHandOver)
{
  // The writer hands its output over in large pieces; a file of several pieces must still stop
  // exactly where the stream stops taking bytes, wherever that is relative to a piece.
  Handle(PenFormatData_Model) aModel = sampleModel(25000);
  VexTest_MessageCapture aCapture;
  aModel->SetMessenger(aCapture.Messenger());
  const std::string aFile = sampleBytes(*aModel);
  ASSERT_GT(aFile.size(), 3u * 65536u);
  NCollection_Sequence<TCollection_ExtendedString> aParams;
  for (const char* aParam : THE_PARAMS)
  {
    aParams.Append(TCollection_ExtendedString(aParam));
  }
  std::vector<size_t> aLimits = {0, 1, 80, 81, aFile.size() / 2, aFile.size() - 1};
  for (size_t aPiece = 65536; aPiece < aFile.size(); aPiece += 65536)
  {
    for (const size_t aNear : {aPiece - 9, aPiece - 1, aPiece, aPiece + 1, aPiece + 9})
    {
      aLimits.push_back(aNear);
    }
  }
  for (const size_t aLimit : aLimits)
  {
    for (const bool isThrowing : {false, true})
    {
      SCOPED_TRACE("offset " + std::to_string(aLimit) + (isThrowing ? " throwing" : ""));
      FailingBuffer aBuffer(aLimit, isThrowing);
      std::ostream  aStream(&aBuffer);
      aCapture.Clear();
      VexData_Writer aWriter(*aModel);
      aWriter.SetInputParameters(aParams);
      EXPECT_EQ(aWriter.Process(aStream), VexData_Writer::StreamBad);
      EXPECT_EQ(aCapture.Dump(), "4 VEX_WRITER_WRITING_FAIL\n");
      EXPECT_TRUE(aBuffer.Data == aFile.substr(0, aLimit));
      EXPECT_EQ(aBuffer.LateRequests, 0);
    }
  }
}

TEST(VexData_WriteFaultTest, StreamAlreadyFailedWritesNothing)
{
  const struct
  {
    std::ios_base::iostate State;
    int                    Status;
  } aCases[]                         = {{std::ios_base::badbit, VexData_Writer::StreamBad},
                                        {std::ios_base::failbit, VexData_Writer::StreamFail},
                                        {std::ios_base::failbit | std::ios_base::eofbit, VexData_Writer::StreamFailEof},
                                        {std::ios_base::eofbit, VexData_Writer::StreamFailEof}};
  Handle(PenFormatData_Model) aModel = sampleModel();
  VexTest_MessageCapture aCapture;
  aModel->SetMessenger(aCapture.Messenger());
  for (const auto& aCase : aCases)
  {
    SCOPED_TRACE(static_cast<int>(aCase.State));
    aCapture.Clear();
    std::ostringstream aStream;
    aStream.setstate(aCase.State);
    VexData_Writer aWriter(*aModel);
    EXPECT_EQ(aWriter.Process(aStream), aCase.Status);
    EXPECT_EQ(aCapture.Dump(), "4 VEX_WRITER_WRITING_FAIL\n");
    EXPECT_EQ(aStream.str(), "");
  }
}

//! A folder of its own for one test, removed with everything in it.
class TemporaryFolder
{
public:
  TemporaryFolder()
  {
    char aTemplate[] = "/tmp/vexfault.XXXXXX";
    Path             = ::mkdtemp(aTemplate) != NULL ? aTemplate : "";
  }
  ~TemporaryFolder()
  {
    for (const std::string& aName : Names())
    {
      ::unlink((Path + "/" + aName).c_str());
    }
    ::rmdir(Path.c_str());
  }

  //! Returns the names in the folder.
  std::vector<std::string> Names() const
  {
    std::vector<std::string> aNames;
    DIR*                     aDir = ::opendir(Path.c_str());
    while (const dirent* anEntry = aDir != NULL ? ::readdir(aDir) : NULL)
    {
      if (std::string(anEntry->d_name) != "." && std::string(anEntry->d_name) != "..")
      {
        aNames.push_back(anEntry->d_name);
      }
    }
    if (aDir != NULL)
    {
      ::closedir(aDir);
    }
    return aNames;
  }

  std::string Path; //!< the folder
};

//! Limits the size of files the process writes to theLimit bytes while it lives; a write beyond
//! fails with EFBIG instead of raising SIGXFSZ.
class FileSizeLimit
{
public:
  explicit FileSizeLimit(const rlim_t theLimit)
  {
    myHandler = std::signal(SIGXFSZ, SIG_IGN);
    ::getrlimit(RLIMIT_FSIZE, &myOld);
    rlimit aNew   = myOld;
    aNew.rlim_cur = theLimit;
    IsSet         = ::setrlimit(RLIMIT_FSIZE, &aNew) == 0;
  }
  ~FileSizeLimit()
  {
    ::setrlimit(RLIMIT_FSIZE, &myOld);
    std::signal(SIGXFSZ, myHandler);
  }
  bool IsSet = false; //!< whether the limit is in force

private:
  rlimit myOld;           //!< limit to restore
  void (*myHandler)(int); //!< signal handler to restore
};

//! Writes theModel with WRITEFILE to thePath and returns its code; messages go to theCapture.
int writeFile(const std::string& thePath, const PenFormatData_Model& theModel,
              const VexTest_MessageCapture& theCapture)
{
  Handle(TColStd_HSequenceOfExtendedString) aParams = new TColStd_HSequenceOfExtendedString();
  for (const char* aParam : THE_PARAMS)
  {
    aParams->Append(TCollection_ExtendedString(aParam));
  }
  SETPARAM(aParams);
  const TCollection_ExtendedString aPath(thePath.c_str(), Standard_True);
  const int aCode = WRITEFILE(aPath.ToExtString(), &theModel, theCapture.Messenger(), NULL);
  SETPARAM(Handle(TColStd_HSequenceOfExtendedString)());
  return aCode;
}

//! Returns the content of thePath.
std::string contentOf(const std::string& thePath)
{
  std::ifstream aFile(thePath, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(aFile), std::istreambuf_iterator<char>());
}

//! Writes the sample with the file size limited to each of theLimits and checks that every
//! write fails with one message and leaves the existing target and nothing else.
void checkLimitedWrites(const Handle(PenFormatData_Model) & theModel,
                        const std::vector<size_t>& theLimits)
{
  TemporaryFolder aFolder;
  ASSERT_FALSE(aFolder.Path.empty());
  const std::string aTarget = aFolder.Path + "/board.vex";
  std::ofstream(aTarget) << "OLD";
  VexTest_MessageCapture aCapture;
  theModel->SetMessenger(aCapture.Messenger());
  for (const size_t aLimit : theLimits)
  {
    SCOPED_TRACE("file size limit " + std::to_string(aLimit));
    aCapture.Clear();
    int aCode = 0;
    {
      FileSizeLimit aGuard(aLimit);
      ASSERT_TRUE(aGuard.IsSet);
      aCode = writeFile(aTarget, *theModel, aCapture);
    }
    ASSERT_TRUE(aCode >= 203 && aCode <= 205) << aCode;
    ASSERT_EQ(aCapture.Count("VEX_WRITER_WRITING_FAIL"), 1) << aCapture.Dump();
    ASSERT_EQ(contentOf(aTarget), "OLD");
    ASSERT_EQ(aFolder.Names(), std::vector<std::string>{"board.vex"});
  }
}

TEST(VexData_WriteFaultTest, WriteFileCutAtEveryOffsetKeepsTheOldTarget)
{
  Handle(PenFormatData_Model) aModel = sampleModel();
  const std::string   aFile          = sampleBytes(*aModel);
  std::vector<size_t> aLimits;
  for (size_t aLimit = 0; aLimit < aFile.size(); ++aLimit)
  {
    aLimits.push_back(aLimit);
  }
  checkLimitedWrites(aModel, aLimits);

  TemporaryFolder        aFolder;
  VexTest_MessageCapture aCapture;
  const std::string      aTarget = aFolder.Path + "/board.vex";
  FileSizeLimit          aGuard(aFile.size());
  EXPECT_EQ(writeFile(aTarget, *aModel, aCapture), 0) << aCapture.Dump();
  EXPECT_EQ(contentOf(aTarget), aFile);
}

TEST(VexData_WriteFaultTest, WriteFileLargerThanTheStreamBufferFailsInsideTheWriter)
{
  // Past the stream's buffer the failure reaches the writer during the write, not at the flush.
  Handle(PenFormatData_Model) aModel = sampleModel(3000);
  const std::string aFile            = sampleBytes(*aModel);
  ASSERT_GT(aFile.size(), 3u * 8192u);
  checkLimitedWrites(aModel, {0, 1, 4095, 8191, 8192, 8193, 16385, aFile.size() - 1});
}

TEST(VexData_WriteFaultTest, WriteFileToAFullDeviceFails)
{
  if (::access("/dev/full", W_OK) != 0)
  {
    GTEST_SKIP() << "no /dev/full";
  }
  TemporaryFolder   aFolder;
  const std::string aLink = aFolder.Path + "/full.vex";
  ASSERT_EQ(::symlink("/dev/full", aLink.c_str()), 0);
  Handle(PenFormatData_Model) aModel = sampleModel();
  VexTest_MessageCapture aCapture;
  aModel->SetMessenger(aCapture.Messenger());
  const int aCode = writeFile(aLink, *aModel, aCapture);
  EXPECT_TRUE(aCode >= 203 && aCode <= 205) << aCode;
  EXPECT_EQ(aCapture.Count("VEX_WRITER_WRITING_FAIL"), 1) << aCapture.Dump();
  EXPECT_EQ(aFolder.Names(), std::vector<std::string>{"full.vex"});
}
} // namespace
