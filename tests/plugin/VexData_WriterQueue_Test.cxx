// Copyright (c) 2026 VexData developers
// Records across the boundaries of the writer's 64 KB output queue: toolpaths of every record
// kind, far longer than the queue, at every alignment of their records to its boundaries, give
// the same bytes as composed by hand and read back; a stream failing around those boundaries
// receives exactly the bytes before its limit.
#include <VexData_WriterFixture_Test.hxx>
#include <VexTest_Messages.hxx>

#include <VexData_OutputQueue.hxx>
#include <VexData_Reader.hxx>

#include <gtest/gtest.h>

#include <cmath>

using namespace VexTest;

namespace
{
//! Record kinds of the long toolpaths.
enum RecordKind
{
  Kind_Lines,   //!< path start and line-to records (9 bytes each)
  Kind_Arcs,    //!< path start and arc-to records (9 and 21 bytes)
  Kind_Circles, //!< arcs written as circle records (13 bytes)
  Kind_Points   //!< drill point records (9 bytes)
};

//! Contours of each toolpath, and elements of each contour: 170 to 400 KB of records.
const int THE_NB_CONTOURS = 16;
const int THE_NB_ELEMENTS = 1200;

//! Adds theIndex-th element of a contour of theKind to theContour and its records to theBytes.
void addElement(PhGeom_Curve& theContour, const RecordKind theKind, const int theIndex,
                Bytes& theBytes)
{
  const double anX = 0.5 * theIndex, anY = 0.25 * (theIndex % 3);
  if (theKind == Kind_Lines || theKind == Kind_Points)
  {
    const gp_XY anEnd(anX + 0.5, 0.25 * ((theIndex + 1) % 3));
    if (theKind == Kind_Points)
    {
      theContour.CreatePoint(gp_XY(anX, anY));
      theBytes.U8(15).XY(float(anX), float(anY));
      return;
    }
    theContour.CreateSegment(gp_XY(anX, anY), anEnd);
    if (theIndex == 0)
    {
      theBytes.U8(12).XY(float(anX), float(anY));
    }
    theBytes.U8(13).XY(float(anEnd.X()), float(anEnd.Y()));
    return;
  }
  // Arcs of alternating sense around centres along the x axis.
  const double      aRadius = 1.0 + 0.5 * (theIndex % 4);
  const int         aSense  = theIndex % 2;
  const PhGeom_Arc* anArc   = theContour.CreateArc(gp_XY(anX, 0.0), aRadius, 0.0,
                                                 aSense == 1 ? M_PI / 2 : -M_PI / 2, aSense);
  if (theKind == Kind_Circles)
  {
    theBytes.U8(14).XY(float(anX), 0.0f).F32(float(aRadius));
    return;
  }
  if (theIndex == 0)
  {
    theBytes.U8(12).XY(float(anArc->StartPoint().X()), float(anArc->StartPoint().Y()));
  }
  theBytes.U8(17).XY(float(anArc->EndPoint().X()), float(anArc->EndPoint().Y()));
  theBytes.XY(float(anX), 0.0f).F32(float(aSense == 1 ? aRadius : -aRadius));
}

//! Builds in theModel one toolpath of theKind whose phase name is thePhase, and returns the
//! bytes the writer is expected to give for it.
std::string buildLongToolpath(PenFormatData_Model& theModel, const RecordKind theKind,
                              const std::string& thePhase)
{
  AddTool(theModel, 1, "T1", 0.2);
  Handle(PenFormatData_Sequence) aSeq =
      AddToolpath(theModel, 1, theKind == Kind_Points ? 2 : 1, thePhase.c_str(), "L");
  Bytes anExpected;
  anExpected.Data = Preamble();
  anExpected.Block(thePhase, "L", theKind == Kind_Points ? 1 : 0, 0.2f, "T1");
  for (int aContour = 0; aContour < THE_NB_CONTOURS; ++aContour)
  {
    Handle(PhGeom_Curve) aCurve = AddContour(theModel, aSeq);
    for (int anIndex = 0; anIndex < THE_NB_ELEMENTS; ++anIndex)
    {
      addElement(*aCurve, theKind, anIndex, anExpected);
    }
  }
  return anExpected.U8(0).Data;
}

//! Returns the number of elements of each kind (arc, segment, point) that theFile reads into.
std::vector<int> readBack(const std::string& theFile)
{
  std::vector<int>    aCounts(4, 0);
  PenFormatData_Model aModel;
  VexData_Reader      aReader(aModel);
  std::istringstream  aStream(theFile);
  if (aReader.Process(aStream) != VexData_Reader::Ok)
  {
    return std::vector<int>();
  }
  for (const Handle(PenFormatData_Object) & anObject : aModel.Objects())
  {
    const Handle(PenFormatData_Sequence) aSeq = Handle(PenFormatData_Sequence)::DownCast(anObject);
    for (const Handle(PhGeom_Curve) & aChild : aSeq->GetCurve()->Children())
    {
      for (PhGeom_Curve::ElementIterator anIter(*aChild); anIter.More(); anIter.Next())
      {
        ++aCounts[anIter.Value().Kind()];
      }
    }
  }
  return aCounts;
}

//! Accepts the first N bytes, then refuses every further byte.
class LimitedBuffer : public std::streambuf
{
public:
  explicit LimitedBuffer(const size_t theLimit) : myLimit(theLimit) {}

  std::string Received; //!< bytes accepted

protected:
  int_type overflow(int_type theChar) override
  {
    if (traits_type::eq_int_type(theChar, traits_type::eof()))
    {
      return traits_type::not_eof(theChar);
    }
    if (Received.size() >= myLimit)
    {
      return traits_type::eof();
    }
    Received += traits_type::to_char_type(theChar);
    return theChar;
  }

private:
  size_t myLimit;
};
} // namespace

TEST(VexDataWriterQueue, LongToolpathsAtEveryAlignmentGiveTheBytesComposedByHand)
{
  const int aNb = THE_NB_CONTOURS * THE_NB_ELEMENTS;
  const struct
  {
    RecordKind       Kind;
    std::vector<int> Counts; //!< elements read back by kind code: -, arcs, segments, points
  } aCases[] = {{Kind_Lines, {0, 0, aNb, 0}},
                {Kind_Arcs, {0, aNb, 0, 0}},
                {Kind_Circles, {0, aNb, 0, 0}},
                {Kind_Points, {0, 0, 0, aNb}}};
  // Phase names of 1 to 30 bytes move the records across every offset to the queue's
  // boundaries: the largest element writes 30 bytes (a path start and an arc-to).
  for (const auto& aCase : aCases)
  {
    for (int aLength = 1; aLength <= 30; ++aLength)
    {
      const std::string aPhase(static_cast<size_t>(aLength), 'P');
      SCOPED_TRACE("kind " + std::to_string(aCase.Kind) + ", phase of " + std::to_string(aLength));
      PenFormatData_Model    aModel(PenFormatData_DU_Millimetre);
      const std::string      anExpected = buildLongToolpath(aModel, aCase.Kind, aPhase);
      const std::string      aCircles   = "vex.map:true;" + aPhase + ";L;T1";
      VexData_Writer::Status aStatus;
      const std::string      aFile =
          Write(aModel, aStatus, {aCase.Kind == Kind_Circles ? aCircles.c_str() : ""});
      ASSERT_EQ(aStatus, VexData_Writer::Ok);
      ASSERT_GT(aFile.size(), size_t(2 * VexData_OutputQueue::THE_QUEUE_CAPACITY));
      EXPECT_EQ(aFile, anExpected);
      EXPECT_EQ(readBack(aFile), aCase.Counts);
    }
  }
}

TEST(VexDataWriterQueue, StreamFailingAroundTheQueueBoundariesReceivesTheBytesBeforeIt)
{
  PenFormatData_Model aModel(PenFormatData_DU_Millimetre);
  buildLongToolpath(aModel, Kind_Arcs, "P");
  VexData_Writer::Status aStatus;
  const std::string      aFull = Write(aModel, aStatus);
  ASSERT_EQ(aStatus, VexData_Writer::Ok);

  VexTest_MessageCapture aCapture;
  aModel.SetMessenger(aCapture.Messenger());
  const size_t aQueue = static_cast<size_t>(VexData_OutputQueue::THE_QUEUE_CAPACITY);
  for (const size_t aLimit : {aQueue - 31, aQueue - 1, aQueue, aQueue + 1, 2 * aQueue - 30,
                              2 * aQueue, 2 * aQueue + 29, aFull.size() - 1, aFull.size()})
  {
    SCOPED_TRACE(aLimit);
    aCapture.Clear();
    LimitedBuffer  aBuffer(aLimit);
    std::ostream   aStream(&aBuffer);
    VexData_Writer aWriter(aModel);
    const bool     isComplete = aLimit == aFull.size();
    EXPECT_EQ(aWriter.Process(aStream),
              isComplete ? VexData_Writer::Ok : VexData_Writer::StreamBad);
    EXPECT_EQ(aCapture.Dump(), isComplete ? "" : "4 VEX_WRITER_WRITING_FAIL\n");
    EXPECT_EQ(aBuffer.Received, aFull.substr(0, aLimit));
  }
}
