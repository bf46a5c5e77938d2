// Copyright (c) 2026 VexData developers
#ifndef _VexExcellon_LineSource_HeaderFile
#define _VexExcellon_LineSource_HeaderFile

#include <VexPcb_TextInput.hxx>

//! Cuts a text stream into lines. Lines end with LF, CR LF or a lone CR; the end of the stream
//! ends the last line. The stream is read a chunk at a time through a VexPcb_TextInput, and a
//! line is handed out as a pointer into its buffer, valid until the next call: the memory held
//! does not grow with the size of the file.
class VexExcellon_LineSource
{
public:
  //! What Next() found.
  enum Result
  {
    Result_Line,    //!< a line
    Result_End,     //!< the stream has ended
    Result_TooLong, //!< the next line is longer than the limit
    Result_Failure  //!< the stream failed
  };

  //! Reads theStream theChunk bytes at a time (0: the default of VexPcb_TextInput); its lines
  //! must not be longer than theLimit bytes.
  VexExcellon_LineSource(std::istream& theStream, const size_t theLimit, const size_t theChunk);

  //! Hands out the next line (without its end) in theText and theLength; for a line that is
  //! too long, its first bytes up to the limit.
  Result Next(const char*& theText, size_t& theLength);

  //! Returns the number of the line handed out last, or of the line that was too long.
  Standard_Integer LineNumber() const { return myLine; }

private:
  VexExcellon_LineSource(const VexExcellon_LineSource&);
  VexExcellon_LineSource& operator=(const VexExcellon_LineSource&);

  //! Drops the LF of a CR LF pair whose CR ended the last line; false when the stream failed.
  Standard_Boolean skipPairedFeed();

  VexPcb_TextInput myInput;   //!< the bytes of the stream
  size_t           myLimit;   //!< longest line allowed
  Standard_Integer myLine;    //!< current line number
  Standard_Boolean isAfterCr; //!< the last line ended with CR: skip a LF that follows
};

#endif
