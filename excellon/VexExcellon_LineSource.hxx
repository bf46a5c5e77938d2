// Copyright (c) 2026 VexData developers
#ifndef _VexExcellon_LineSource_HeaderFile
#define _VexExcellon_LineSource_HeaderFile

#include <NCollection_Array1.hxx>
#include <Standard_TypeDef.hxx>

#include <istream>

//! Cuts a text stream into lines. Lines end with LF, CR LF or a lone CR; the end of the stream
//! ends the last line. The stream is read a block at a time through its buffer, and a line is
//! handed out as a pointer into that block, valid until the next call: no byte is copied more
//! than once, whatever the size of the file.
class VexExcellon_LineSource
{
public:
  //! What Next() found.
  enum Result
  {
    Result_Line,    //!< a line
    Result_End,     //!< the stream has ended
    Result_TooLong, //!< the next line is longer than the limit
    Result_Failure  //!< the stream buffer failed
  };

  //! Reads theStream, whose lines must not be longer than theLimit bytes.
  VexExcellon_LineSource(std::istream& theStream, const size_t theLimit);

  //! Hands out the next line (without its end) in theText and theLength; for a line that is
  //! too long, its first bytes up to the limit.
  Result Next(const char*& theText, size_t& theLength);

  //! Returns the number of the line handed out last, or of the line that was too long.
  Standard_Integer LineNumber() const { return myLine; }

private:
  VexExcellon_LineSource(const VexExcellon_LineSource&);
  VexExcellon_LineSource& operator=(const VexExcellon_LineSource&);

  //! Moves the unread bytes to the front and reads more; returns false at the end or on failure.
  Standard_Boolean fill();

  std::streambuf*          myBuffer;  //!< the stream's buffer, may be NULL
  NCollection_Array1<char> myBlock;   //!< bytes read and not yet handed out
  size_t                   myLimit;   //!< longest line allowed
  size_t                   myStart;   //!< first unread byte in myBlock
  size_t                   myEnd;     //!< end of the bytes in myBlock
  Standard_Integer         myLine;    //!< current line number
  Standard_Boolean         isEnded;   //!< the stream has no more bytes
  Standard_Boolean         isFailed;  //!< the stream buffer threw or failed
  Standard_Boolean         isAfterCr; //!< the last line ended with CR: skip a LF that follows
};

#endif
