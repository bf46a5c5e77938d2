// Copyright (c) 2026 VexData developers
// Stream failures: a buffer that refuses (or throws) after N bytes, for every N up to the full
// length of a sample file, and streams that are already in a failed state.
#include <VexData_WriterFixture_Test.hxx>
#include <VexTest_Messages.hxx>

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

using namespace VexTest;

namespace
{
//! Accepts the first N bytes, then refuses every byte (or throws); counts what is offered after.
class LimitedBuffer : public std::streambuf
{
public:
  LimitedBuffer(size_t theLimit, bool theThrows) : myLimit(theLimit), myThrows(theThrows) {}

  std::string Received;        //!< bytes accepted
  size_t      OfferedLate = 0; //!< bytes offered after the first refusal

protected:
  int_type overflow(int_type theChar) override
  {
    if (traits_type::eq_int_type(theChar, traits_type::eof()))
    {
      return traits_type::not_eof(theChar);
    }
    if (Received.size() >= myLimit)
    {
      OfferedLate += myRefused ? 1 : 0;
      myRefused = true;
      if (myThrows)
      {
        throw std::runtime_error("device full");
      }
      return traits_type::eof();
    }
    Received += traits_type::to_char_type(theChar);
    return theChar;
  }

private:
  size_t myLimit;
  bool   myThrows;
  bool   myRefused = false;
};

//! A model with two containers, two tools, scan fields, arcs, circles and drill points.
void buildSample(PenFormatData_Model& theModel)
{
  AddTool(theModel, 1, "T1", 0.2);
  AddTool(theModel, 2, "T2", 0.8);
  theModel.AddScanField(new PenFormatData_ScanField(4, 2, 20.0, 10.0, gp_XY(1, 1)));
  theModel.AddScanField(new PenFormatData_ScanField(3, 1, 20.0, 10.0, gp_XY(2, 2)));
  Handle(PhGeom_Curve) aPath = AddContour(theModel, AddToolpath(theModel, 1, 1, "Mill", "Top", 1));
  aPath->CreateSegment(gp_XY(0, 0), gp_XY(3, 0));
  aPath->CreateArc(gp_XY(3, 1), 1.0, -M_PI / 2, M_PI / 2, 1);
  aPath->CreateArc(gp_XY(3, 3), 1.0, -M_PI / 2, -3 * M_PI / 2, 0);
  AddContour(theModel, AddToolpath(theModel, 2, 2, "Mill", "Top", 2))->CreatePoint(gp_XY(5, 5));
  AddContour(theModel, AddToolpath(theModel, 2, 1, "Drill", "", 0))
      ->CreateArc(gp_XY(7, 7), 2.0, 0, 2 * M_PI, 1);
}
} // namespace

TEST(VexDataWriterStream, BufferFailingAfterEveryByteCount)
{
  PenFormatData_Model aModel;
  buildSample(aModel);
  VexData_Writer::Status aStatus;
  const std::string      aFull = Write(aModel, aStatus, {"vex.map:true;Drill;;T2;;;C1;C2"});
  ASSERT_EQ(aStatus, VexData_Writer::Ok);
  ASSERT_GT(aFull.size(), 300u);

  VexTest_MessageCapture aCapture;
  aModel.SetMessenger(aCapture.Messenger());
  for (const bool isThrowing : {false, true})
  {
    for (size_t aLimit = 0; aLimit <= aFull.size(); ++aLimit)
    {
      SCOPED_TRACE(std::to_string(aLimit) + (isThrowing ? " throwing" : ""));
      aCapture.Clear();
      LimitedBuffer aBuffer(aLimit, isThrowing);
      std::ostream  aStream(&aBuffer);
      if (isThrowing)
      {
        aStream.exceptions(std::ios_base::badbit);
      }
      VexData_Writer                                   aWriter(aModel);
      NCollection_Sequence<TCollection_ExtendedString> aParams;
      aParams.Append("vex.map:true;Drill;;T2;;;C1;C2");
      aWriter.SetInputParameters(aParams);
      const bool isComplete = aLimit == aFull.size();
      EXPECT_EQ(aWriter.Process(aStream),
                isComplete ? VexData_Writer::Ok : VexData_Writer::StreamBad);
      EXPECT_EQ(aCapture.Dump(), isComplete ? "" : "4 VEX_WRITER_WRITING_FAIL\n");
      EXPECT_EQ(aBuffer.Received, aFull.substr(0, aLimit));
      EXPECT_EQ(aBuffer.OfferedLate, 0u);
    }
  }
}

TEST(VexDataWriterStream, StreamAlreadyInAFailedState)
{
  const struct
  {
    std::ios_base::iostate State;
    VexData_Writer::Status Status;
  } aCases[] = {{std::ios_base::failbit, VexData_Writer::StreamFail},
                {std::ios_base::failbit | std::ios_base::eofbit, VexData_Writer::StreamFailEof},
                {std::ios_base::badbit, VexData_Writer::StreamBad},
                // The end-of-file flag alone makes the stream drop output silently.
                {std::ios_base::eofbit, VexData_Writer::StreamFailEof}};
  for (const auto& aCase : aCases)
  {
    VexTest_MessageCapture aCapture;
    PenFormatData_Model    aModel;
    aModel.SetMessenger(aCapture.Messenger());
    buildSample(aModel);
    std::ostringstream aStream;
    aStream.setstate(aCase.State);
    VexData_Writer aWriter(aModel);
    EXPECT_EQ(aWriter.Process(aStream), aCase.Status) << aCase.State;
    EXPECT_EQ(aCapture.Dump(), "4 VEX_WRITER_WRITING_FAIL\n");
    EXPECT_TRUE(aStream.str().empty());
    // The classification was done before the failing write.
    EXPECT_EQ(aWriter.GetWritable().Size(), 3);
  }
}
