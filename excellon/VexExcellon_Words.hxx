// Copyright (c) 2026 VexData developers
#ifndef _VexExcellon_Words_HeaderFile
#define _VexExcellon_Words_HeaderFile

#include <Standard_TypeDef.hxx>
#include <TCollection_AsciiString.hxx>

#include <cstddef>

//! The words of one command line of a drill file: a capital letter and the number that follows
//! it ("X1.5", "T01", "G85"). Spaces between words are skipped; the numbers are kept as text
//! for the caller to decode in the number format in force.
class VexExcellon_Words
{
public:
  //! One word: its letter and the text of its number (possibly empty).
  struct Word
  {
    char        Letter; //!< capital letter
    const char* Text;   //!< first character of the number
    size_t      Length; //!< length of the number
  };

  //! Most words a line may have.
  static const Standard_Integer THE_WORD_LIMIT = 32;

  //! What Split() found.
  enum Result
  {
    Result_Words,    //!< the line is a sequence of words
    Result_NotWords, //!< the line holds something else (a keyword, a message, punctuation)
    Result_TooMany   //!< more than THE_WORD_LIMIT words
  };

  //! Creates an empty list.
  VexExcellon_Words() : myCount(0) {}

  //! Splits theText into words. The words point into theText.
  Result Split(const char* theText, const size_t theLength);

  //! Returns the number of words.
  Standard_Integer Length() const { return myCount; }

  //! Returns word theIndex, from 0.
  const Word& Value(const Standard_Integer theIndex) const { return myWords[theIndex]; }

  //! Returns the index of the first word of theLetter from theFrom on, or -1.
  Standard_Integer Find(const char theLetter, const Standard_Integer theFrom = 0) const;

  //! Returns true when word theIndex is theLetter followed by the number theCode.
  Standard_Boolean Is(const Standard_Integer theIndex, const char theLetter,
                      const Standard_Integer theCode) const;

  //! Returns true for the letter of a coordinate, an arc parameter or a repeat count.
  static Standard_Boolean IsAxisLetter(const char theLetter);

  //! Returns true for the letter of a tool parameter (diameter, feed, speed, retract rate, hit
  //! count, depth offset).
  static Standard_Boolean IsToolLetter(const char theLetter);

  //! Returns true when theText (theLength bytes) starts with thePrefix.
  static Standard_Boolean StartsWith(const char* theText, const size_t theLength,
                                     const char* thePrefix);

  //! Takes the blanks (spaces and tabs) off both ends of theText.
  static void Trim(const char*& theText, size_t& theLength);

  //! Returns theText as the argument of a message, cut to 40 characters.
  static TCollection_AsciiString Quote(const char* theText, const size_t theLength);

  //! Reads theText as a whole number of at most theMaxDigits digits (9 at most) into theValue;
  //! returns false for anything else.
  static Standard_Boolean ReadWhole(const char* theText, const size_t theLength,
                                    const size_t theMaxDigits, Standard_Integer& theValue);

private:
  Word             myWords[THE_WORD_LIMIT]; //!< the words
  Standard_Integer myCount;                 //!< how many
};

#endif
