// Copyright (c) 2026 VexData developers
#ifndef _VexData_InputStream_HeaderFile
#define _VexData_InputStream_HeaderFile

#include <VexData_Format.hxx>
#include <VexData_ReadStatus.hxx>

#include <Message_Messenger.hxx>
#include <Standard_TypeDef.hxx>

#include <istream>

//! The primitive reads of the machine file over a std::istream: bytes, little-endian int32 and
//! float32, 0-terminated strings, the skips and the header check.
//!
//! Every operation returns the reader's status for what it did: Ok, or the status that a failure
//! of the stream gives (StreamBad, StreamFail, EndOfFile); a bounded read that stops at its
//! length limit gives StringTooLong, which is the expected outcome of a read of fixed length. Bytes
//! are taken from the stream buffer directly, but the stream's state flags end up as an unformatted
//! per-byte read would leave them: the end of the data sets the end-of-file and failure flags, an
//! exception thrown by the buffer sets the hard-error flag, and a stream that is no longer good
//! gets its failure flag set on the next read. Nothing throws, also when the stream has exceptions
//! enabled.
//!
//! The value reads leave their messages to the caller; the skips and the header check send their
//! own to the messenger given to Init (none when it is null).
class VexData_InputStream
{
public:
  //! Creates a primitive reader without a stream.
  VexData_InputStream();

  //! Reads from theStream from now on and sends messages to theMessenger (may be null).
  //! The byte offset starts again at 0.
  void Init(std::istream* theStream, const Handle(Message_Messenger) & theMessenger);

  //! Returns the current stream (NULL before Init).
  std::istream* Stream() const { return myStream; }

  //! Returns the messenger, which may be null.
  const Handle(Message_Messenger) & Messenger() const { return myMessenger; }

  //! Returns the number of bytes consumed since Init.
  Standard_Size Offset() const { return myOffset; }

  //! Returns the read buffer; a bounded read stores its bytes from its start, followed by a 0.
  const char* Buffer() const { return myBuffer; }

  //! Returns the status that the stream's flags stand for: StreamBad for a hard error, Ok for no
  //! failure, EndOfFile for a failure at the end of the data, StreamFail for another failure.
  VexData_ReadStatus::Status StreamCode() const;

  //! Stores up to theLength - 1 bytes in the buffer (1 <= theLength <= the buffer size).
  //! With theStop set, the read ends after a byte equal to theDelimiter with Ok.
  //! Returns StringTooLong when theLength - 1 bytes were stored without meeting the delimiter,
  //! otherwise the stream status of the first failing byte; returns EndOfFile at once when the
  //! stream is already at its end.
  VexData_ReadStatus::Status BoundedRead(const Standard_Integer theLength,
                                         const Standard_Integer theDelimiter,
                                         const Standard_Boolean theStop);

  //! Reads one unsigned byte (0 to 255) into theValue; -1 on failure. Returns Ok or a stream
  //! status.
  VexData_ReadStatus::Status ReadByte(Standard_Integer& theValue);

  //! Reads a little-endian int32 into theValue; -1 on failure. Returns Ok or a stream status.
  VexData_ReadStatus::Status ReadInt(Standard_Integer& theValue);

  //! Reads a little-endian IEEE single into theValue; 0 on failure. Returns Ok or a stream status.
  VexData_ReadStatus::Status ReadFloat(Standard_ShortReal& theValue);

  //! Most values ReadFloats reads at a time (the longest record holds five).
  static const Standard_Integer THE_MAX_FLOATS = 5;

  //! Reads theCount (1 to THE_MAX_FLOATS) little-endian IEEE singles into theValues, with the
  //! outcome of as many ReadFloat calls stopping at the first failure; the failing value and those
  //! after it are 0. Returns Ok or the stream status of the failure.
  VexData_ReadStatus::Status ReadFloats(Standard_ShortReal*    theValues,
                                        const Standard_Integer theCount);

  //! Reads a 0-terminated string into the buffer (Buffer() gives the text). Returns Ok, or
  //! StringTooLong for a string that has no 0 byte among its first 8191 bytes, or a stream status.
  VexData_ReadStatus::Status ReadString();

  //! Drops theCount bytes (none when theCount < 1). Returns Ok or the failing stream status, after
  //! sending "VEX_READER_END_OF_FILE" (EndOfFile) or "VEX_READER_READING_FAIL" (the others).
  VexData_ReadStatus::Status SkipBytes(const int64_t theCount);

  //! Drops bytes up to and including the first byte equal to theValue. Failures as SkipBytes.
  VexData_ReadStatus::Status SkipToByte(const Standard_Integer theValue);

  //! Drops little-endian 16-bit units up to and including the first unit equal to theValue.
  //! Failures as SkipBytes.
  VexData_ReadStatus::Status SkipToUnit(const Standard_Integer theValue);

  //! Checks the 36 bytes of the magic and drops the rest of the header up to and including its
  //! 0x1A byte. Returns Ok; WrongFormat after "VEX_READER_WRONG_FORMAT"; the stream status of a
  //! file shorter than the magic (no message); or the status of the failed skip.
  VexData_ReadStatus::Status CheckHeader();

private:
  //! Takes one byte from the stream buffer into theByte; returns Ok or the stream status.
  VexData_ReadStatus::Status readOne(Standard_Integer& theByte);

  //! Fails a read on a stream that is not good (theBuffer: its buffer, may be NULL) the way an
  //! unformatted read does, and returns the resulting stream status.
  VexData_ReadStatus::Status refuseRead(std::streambuf* theBuffer);

  //! Stores bytes in the buffer from theStored on, up to theLimit bytes or up to and including a
  //! byte equal to theDelimiter (-1: none); theStored counts them. Returns Ok after the
  //! delimiter, StringTooLong at the limit, otherwise the stream status of the byte that could
  //! not be read.
  VexData_ReadStatus::Status fillBuffer(const Standard_Integer theLimit,
                                        const Standard_Integer theDelimiter,
                                        Standard_Integer&      theStored);

  //! Fills theData with up to theCount bytes; returns Ok or the stream status.
  VexData_ReadStatus::Status readBlock(char* theData, const Standard_Integer theCount);

  //! Sets theBits in the stream's state, without letting an ios_base::failure escape.
  void setState(const std::ios_base::iostate theBits);

  //! Returns true when the stream's end-of-file flag is set.
  Standard_Boolean isAtEnd() const;

  //! Sends the message of a failed skip and returns theCode.
  VexData_ReadStatus::Status skipFailed(const VexData_ReadStatus::Status theCode) const;

  //! Reads theCount little-endian four-byte words into theWords, as theCount bounded reads of
  //! length 5 stopping at the first failure do; the failing word and those after it are 0.
  //! Returns Ok or a stream status.
  VexData_ReadStatus::Status readWords(uint32_t* theWords, const Standard_Integer theCount);

  //! Leaves the first theLength bytes of theWord (little-endian) and a 0 in the read buffer.
  void keepWord(const uint32_t theWord, const Standard_Integer theLength);

  //! Returns the stream's buffer when a read may take bytes from it: a stream whose state is
  //! good and that has a buffer. NULL otherwise.
  std::streambuf* readableBuffer() const;

private:
  std::istream* myStream;                                  //!< current input, NULL before Init
  Handle(Message_Messenger) myMessenger;                   //!< message sink, may be null
  Standard_Size myOffset;                                  //!< bytes consumed since Init
  char          myBuffer[VexData_Format::THE_BUFFER_SIZE]; //!< read buffer
};

#endif
