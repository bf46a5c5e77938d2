// Copyright (c) 2026 VexData developers
#ifndef _VexRender_SvgBuffer_HeaderFile
#define _VexRender_SvgBuffer_HeaderFile

#include <Standard_OStream.hxx>
#include <TCollection_ExtendedString.hxx>

#include <string>

//! The text of a picture on its way to the stream. Pieces are appended to a buffer that is
//! handed to the stream whenever it grows past 64 KB, so a picture of any size is written with
//! a fixed amount of memory.
class VexRender_SvgBuffer
{
public:
  //! Creates a buffer that writes into theStream.
  VexRender_SvgBuffer(Standard_OStream& theStream) : myStream(theStream) {}

  //! Appends theText as it is (markup).
  void Add(const char* theText) { myOut += theText; }

  //! Appends theText as it is (markup).
  void Add(const std::string& theText) { myOut += theText; }

  //! Appends one character.
  void Add(const char theChar) { myOut += theChar; }

  //! Appends theValue with nine significant digits, the shortest form that keeps them.
  void Number(const double theValue);

  //! Appends ' theName="theValue"'.
  void Attribute(const char* theName, const double theValue);

  //! Appends theText as XML character data in UTF-8: markup characters become references,
  //! characters XML cannot carry become "?", unpaired surrogates become U+FFFD.
  void XmlText(const TCollection_ExtendedString& theText);

  //! Hands the text to the stream once the buffer is large.
  void FlushIfFull()
  {
    if (myOut.size() >= THE_FLUSH_SIZE)
    {
      Flush();
    }
  }

  //! Hands all the text to the stream.
  void Flush();

private:
  //! Size above which the text is handed to the stream.
  static const size_t THE_FLUSH_SIZE = 1 << 16;

  Standard_OStream& myStream; //!< destination
  std::string       myOut;    //!< text not yet handed over
};

#endif
