// Copyright (c) 2026 VexData developers
#include <VexData_InputStream.hxx>

#include <VexData_Message.hxx>

#include <algorithm>
#include <cstring>

namespace
{
typedef std::char_traits<char> Traits;

//! Bytes read with one request to the stream buffer while skipping.
const Standard_Integer THE_SKIP_CHUNK = 4096;
} // namespace

VexData_InputStream::VexData_InputStream() : myStream(NULL), myOffset(0)
{
  myBuffer[0] = 0;
}

void VexData_InputStream::Init(std::istream* theStream,
                               const Handle(Message_Messenger) & theMessenger)
{
  myStream    = theStream;
  myMessenger = theMessenger;
  myOffset    = 0;
  myBuffer[0] = 0;
}

VexData_ReadStatus::Status VexData_InputStream::StreamCode() const
{
  if (myStream == NULL || myStream->bad())
  {
    return VexData_ReadStatus::StreamBad;
  }
  if (!myStream->fail())
  {
    return VexData_ReadStatus::Ok;
  }
  return myStream->eof() ? VexData_ReadStatus::EndOfFile : VexData_ReadStatus::StreamFail;
}

void VexData_InputStream::setState(const std::ios_base::iostate theBits)
{
  // setstate() stores the flags before it throws for a stream with exceptions enabled; the
  // flags are all this class reports, so the exception itself is dropped.
  try
  {
    myStream->setstate(theBits);
  }
  catch (...)
  {
  }
}

std::streambuf* VexData_InputStream::readableBuffer() const
{
  return myStream != NULL && myStream->rdstate() == std::ios_base::goodbit ? myStream->rdbuf()
                                                                           : NULL;
}

Standard_Boolean VexData_InputStream::isAtEnd() const
{
  return myStream != NULL && (myStream->rdstate() & std::ios_base::eofbit) != 0;
}

VexData_ReadStatus::Status VexData_InputStream::refuseRead(std::streambuf* theBuffer)
{
  // An unformatted read on a stream that is not good fails without touching the buffer.
  if (myStream == NULL)
  {
    return VexData_ReadStatus::StreamBad;
  }
  setState(theBuffer == NULL ? std::ios_base::badbit : std::ios_base::failbit);
  return StreamCode();
}

VexData_ReadStatus::Status VexData_InputStream::readOne(Standard_Integer& theByte)
{
  std::streambuf* aBuffer = myStream != NULL ? myStream->rdbuf() : NULL;
  if (aBuffer == NULL || myStream->rdstate() != std::ios_base::goodbit)
  {
    return refuseRead(aBuffer);
  }
  Traits::int_type aChar = Traits::eof();
  try
  {
    aChar = aBuffer->sbumpc();
  }
  catch (...)
  {
    setState(std::ios_base::badbit);
    return StreamCode();
  }
  if (aChar == Traits::eof())
  {
    setState(std::ios_base::eofbit | std::ios_base::failbit);
    return StreamCode();
  }
  theByte = static_cast<unsigned char>(aChar);
  ++myOffset;
  return VexData_ReadStatus::Ok;
}

VexData_ReadStatus::Status VexData_InputStream::readBlock(char*                  theData,
                                                          const Standard_Integer theCount)
{
  std::streambuf* aBuffer = myStream != NULL ? myStream->rdbuf() : NULL;
  if (aBuffer == NULL || myStream->rdstate() != std::ios_base::goodbit)
  {
    return refuseRead(aBuffer);
  }
  std::streamsize aRead = 0;
  try
  {
    aRead = aBuffer->sgetn(theData, theCount);
  }
  catch (...)
  {
    setState(std::ios_base::badbit);
    return StreamCode();
  }
  myOffset += static_cast<Standard_Size>(std::max<std::streamsize>(aRead, 0));
  if (aRead < theCount)
  {
    setState(std::ios_base::eofbit | std::ios_base::failbit);
    return StreamCode();
  }
  return VexData_ReadStatus::Ok;
}

VexData_ReadStatus::Status VexData_InputStream::BoundedRead(const Standard_Integer theLength,
                                                            const Standard_Integer theDelimiter,
                                                            const Standard_Boolean theStop)
{
  if (isAtEnd())
  {
    return VexData_ReadStatus::EndOfFile;
  }
  const Standard_Integer aLimit =
      std::min(std::max(theLength, 1), VexData_Format::THE_BUFFER_SIZE) - 1;
  Standard_Integer                 aStored = 0;
  const VexData_ReadStatus::Status aCode =
      aLimit > 0 ? fillBuffer(aLimit, theStop ? theDelimiter : -1, aStored)
                 : VexData_ReadStatus::StringTooLong;
  myBuffer[aStored] = 0;
  return aCode;
}

VexData_ReadStatus::Status VexData_InputStream::fillBuffer(const Standard_Integer theLimit,
                                                           const Standard_Integer theDelimiter,
                                                           Standard_Integer&      theStored)
{
  // The stream's state changes only when a byte cannot be had, which ends the read: it is
  // checked once, and the bytes are then taken from the buffer in a tight loop.
  std::streambuf* aBuffer = myStream != NULL ? myStream->rdbuf() : NULL;
  if (aBuffer == NULL || myStream->rdstate() != std::ios_base::goodbit)
  {
    return refuseRead(aBuffer);
  }
  try
  {
    while (theStored < theLimit)
    {
      const Traits::int_type aChar = aBuffer->sbumpc();
      if (aChar == Traits::eof())
      {
        setState(std::ios_base::eofbit | std::ios_base::failbit);
        return StreamCode();
      }
      myBuffer[theStored++] = static_cast<char>(aChar);
      ++myOffset;
      if (static_cast<unsigned char>(aChar) == theDelimiter)
      {
        return VexData_ReadStatus::Ok;
      }
    }
  }
  catch (...)
  {
    setState(std::ios_base::badbit);
    return StreamCode();
  }
  return VexData_ReadStatus::StringTooLong;
}

VexData_ReadStatus::Status VexData_InputStream::readWords(uint32_t*              theWords,
                                                          const Standard_Integer theCount)
{
  // Coordinates make up most of a file, and the values of one record are read in one go. The
  // outcome is that of theCount bounded reads of length 5 in a row that stop at the first
  // failure: the buffer keeps the bytes of the last word touched and a 0.
  std::streambuf* aBuffer = readableBuffer();
  if (aBuffer == NULL)
  {
    std::fill(theWords, theWords + theCount, 0u);
    if (isAtEnd())
    {
      return VexData_ReadStatus::EndOfFile;
    }
    myBuffer[0] = 0;
    return refuseRead(myStream != NULL ? myStream->rdbuf() : NULL);
  }
  uint32_t               aWord    = 0;
  Standard_Integer       aBytes   = 0; // bytes of aWord taken
  Standard_Integer       aDone    = 0; // complete words
  std::ios_base::iostate aFailure = std::ios_base::goodbit;
  try
  {
    for (; aDone < theCount; ++aDone)
    {
      // The word is gathered in a local, not in the byte buffer: a store through a char pointer
      // would make the compiler reload the stream buffer's pointers after every byte.
      aWord = 0;
#pragma GCC unroll 4
      for (aBytes = 0; aBytes < 4; ++aBytes)
      {
        const Traits::int_type aChar = aBuffer->sbumpc();
        if (Traits::eq_int_type(aChar, Traits::eof()))
        {
          aFailure = std::ios_base::eofbit | std::ios_base::failbit;
          break;
        }
        aWord |= static_cast<uint32_t>(static_cast<unsigned char>(aChar)) << (8 * aBytes);
      }
      if (aFailure != std::ios_base::goodbit)
      {
        break;
      }
      theWords[aDone] = aWord;
    }
  }
  catch (...)
  {
    aFailure = std::ios_base::badbit;
  }
  if (aFailure == std::ios_base::goodbit)
  {
    keepWord(aWord, 4);
    myOffset += static_cast<Standard_Size>(4 * theCount);
    return VexData_ReadStatus::Ok;
  }
  std::fill(theWords + aDone, theWords + theCount, 0u);
  keepWord(aWord, aBytes);
  myOffset += static_cast<Standard_Size>(4 * aDone + aBytes);
  setState(aFailure);
  return StreamCode();
}

void VexData_InputStream::keepWord(const uint32_t theWord, const Standard_Integer theLength)
{
  const char aBytes[5] = {
      static_cast<char>(theWord & 0xFFu), static_cast<char>((theWord >> 8) & 0xFFu),
      static_cast<char>((theWord >> 16) & 0xFFu), static_cast<char>((theWord >> 24) & 0xFFu), 0};
  std::memcpy(myBuffer, aBytes, 5);
  myBuffer[theLength] = 0; // the bytes after it are not part of the read
}

VexData_ReadStatus::Status VexData_InputStream::ReadByte(Standard_Integer& theValue)
{
  // The bounded read of one byte, written out: tags are read far more often than anything else.
  theValue                = -1;
  std::streambuf* aBuffer = readableBuffer();
  if (aBuffer == NULL)
  {
    if (isAtEnd())
    {
      return VexData_ReadStatus::EndOfFile;
    }
    myBuffer[0] = 0;
    return refuseRead(myStream != NULL ? myStream->rdbuf() : NULL);
  }
  Traits::int_type aChar = Traits::eof();
  try
  {
    aChar = aBuffer->sbumpc();
  }
  catch (...)
  {
    myBuffer[0] = 0;
    setState(std::ios_base::badbit);
    return StreamCode();
  }
  if (Traits::eq_int_type(aChar, Traits::eof()))
  {
    myBuffer[0] = 0;
    setState(std::ios_base::eofbit | std::ios_base::failbit);
    return StreamCode();
  }
  myBuffer[0] = static_cast<char>(aChar);
  myBuffer[1] = 0;
  theValue    = static_cast<unsigned char>(aChar);
  ++myOffset;
  return VexData_ReadStatus::Ok;
}

VexData_ReadStatus::Status VexData_InputStream::ReadInt(Standard_Integer& theValue)
{
  uint32_t                         aWord = 0;
  const VexData_ReadStatus::Status aCode = readWords(&aWord, 1);
  theValue                               = -1;
  if (aCode == VexData_ReadStatus::Ok)
  {
    int32_t aSigned;
    std::memcpy(&aSigned, &aWord, sizeof(aSigned));
    theValue = aSigned;
  }
  return aCode;
}

VexData_ReadStatus::Status VexData_InputStream::ReadFloat(Standard_ShortReal& theValue)
{
  return ReadFloats(&theValue, 1);
}

VexData_ReadStatus::Status VexData_InputStream::ReadFloats(Standard_ShortReal*    theValues,
                                                           const Standard_Integer theCount)
{
  uint32_t aWords[THE_MAX_FLOATS];
  if (theCount < 1 || theCount > THE_MAX_FLOATS)
  {
    return VexData_ReadStatus::Ok;
  }
  const VexData_ReadStatus::Status aCode = readWords(aWords, theCount);
  for (Standard_Integer anIndex = 0; anIndex < theCount; ++anIndex)
  {
    std::memcpy(&theValues[anIndex], &aWords[anIndex], sizeof(Standard_ShortReal));
  }
  return aCode;
}

VexData_ReadStatus::Status VexData_InputStream::ReadString()
{
  return BoundedRead(VexData_Format::THE_BUFFER_SIZE, 0, Standard_True);
}

VexData_ReadStatus::Status VexData_InputStream::skipFailed(
    const VexData_ReadStatus::Status theCode) const
{
  VexData_Message::Send(myMessenger, theCode == VexData_ReadStatus::EndOfFile
                                         ? "VEX_READER_END_OF_FILE"
                                         : "VEX_READER_READING_FAIL");
  return theCode;
}

VexData_ReadStatus::Status VexData_InputStream::SkipBytes(const int64_t theCount)
{
  if (isAtEnd())
  {
    return skipFailed(VexData_ReadStatus::EndOfFile);
  }
  char anIgnored[THE_SKIP_CHUNK];
  for (int64_t aLeft = theCount; aLeft > 0;)
  {
    const Standard_Integer aChunk =
        static_cast<Standard_Integer>(std::min<int64_t>(aLeft, THE_SKIP_CHUNK));
    const VexData_ReadStatus::Status aCode = readBlock(anIgnored, aChunk);
    if (aCode != VexData_ReadStatus::Ok)
    {
      return skipFailed(aCode);
    }
    aLeft -= aChunk;
  }
  return VexData_ReadStatus::Ok;
}

VexData_ReadStatus::Status VexData_InputStream::SkipToByte(const Standard_Integer theValue)
{
  if (isAtEnd())
  {
    return skipFailed(VexData_ReadStatus::EndOfFile);
  }
  for (;;)
  {
    Standard_Integer                 aByte = 0;
    const VexData_ReadStatus::Status aCode = readOne(aByte);
    if (aCode != VexData_ReadStatus::Ok)
    {
      return skipFailed(aCode);
    }
    if (aByte == theValue)
    {
      return VexData_ReadStatus::Ok;
    }
  }
}

VexData_ReadStatus::Status VexData_InputStream::SkipToUnit(const Standard_Integer theValue)
{
  if (isAtEnd())
  {
    return skipFailed(VexData_ReadStatus::EndOfFile);
  }
  for (;;)
  {
    Standard_Integer           aLow = 0, aHigh = 0;
    VexData_ReadStatus::Status aCode = readOne(aLow);
    if (aCode == VexData_ReadStatus::Ok)
    {
      aCode = readOne(aHigh);
    }
    if (aCode != VexData_ReadStatus::Ok)
    {
      return skipFailed(aCode);
    }
    if ((aLow | (aHigh << 8)) == theValue)
    {
      return VexData_ReadStatus::Ok;
    }
  }
}

VexData_ReadStatus::Status VexData_InputStream::CheckHeader()
{
  // All 36 bytes were read when the bounded read stops at its limit.
  const VexData_ReadStatus::Status aCode =
      BoundedRead(VexData_Format::THE_MAGIC_LENGTH + 1, 0, Standard_False);
  if (aCode != VexData_ReadStatus::StringTooLong)
  {
    return aCode;
  }
  if (std::memcmp(myBuffer, VexData_Format::THE_MAGIC, VexData_Format::THE_MAGIC_LENGTH) != 0)
  {
    VexData_Message::Send(myMessenger, "VEX_READER_WRONG_FORMAT");
    return VexData_ReadStatus::WrongFormat;
  }
  return SkipToByte(VexData_Format::THE_HEADER_END);
}
