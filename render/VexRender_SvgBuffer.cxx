// Copyright (c) 2026 VexData developers
#include <VexRender_SvgBuffer.hxx>

#include <charconv>

namespace
{
//! Appends the UTF-8 encoding of theCode (at most U+10FFFF).
void appendUtf8(std::string& theOut, const unsigned int theCode)
{
  if (theCode < 0x80)
  {
    theOut += static_cast<char>(theCode);
    return;
  }
  static const unsigned int THE_LEADS[] = {0xC0u, 0xE0u, 0xF0u};
  const int                 aTrail      = theCode < 0x800 ? 1 : theCode < 0x10000 ? 2 : 3;
  theOut += static_cast<char>(THE_LEADS[aTrail - 1] | (theCode >> (6 * aTrail)));
  for (int aShift = 6 * (aTrail - 1); aShift >= 0; aShift -= 6)
  {
    theOut += static_cast<char>(0x80u | ((theCode >> aShift) & 0x3Fu));
  }
}
} // namespace

void VexRender_SvgBuffer::Number(const double theValue)
{
  char                       aBuffer[64];
  const std::to_chars_result aResult =
      std::to_chars(aBuffer, aBuffer + sizeof(aBuffer), theValue, std::chars_format::general, 9);
  myOut.append(aBuffer, aResult.ptr);
}

void VexRender_SvgBuffer::Attribute(const char* theName, const double theValue)
{
  myOut += ' ';
  myOut += theName;
  myOut += "=\"";
  Number(theValue);
  myOut += '"';
}

void VexRender_SvgBuffer::XmlText(const TCollection_ExtendedString& theText)
{
  const Standard_Integer aLength = theText.Length();
  for (Standard_Integer anIndex = 1; anIndex <= aLength; ++anIndex)
  {
    unsigned int aCode = static_cast<unsigned int>(theText.Value(anIndex));
    if (aCode >= 0xD800 && aCode <= 0xDBFF && anIndex < aLength &&
        theText.Value(anIndex + 1) >= 0xDC00 && theText.Value(anIndex + 1) <= 0xDFFF)
    {
      aCode = 0x10000 + ((aCode - 0xD800) << 10) + (theText.Value(++anIndex) - 0xDC00u);
    }
    else if (aCode >= 0xD800 && aCode <= 0xDFFF)
    {
      aCode = 0xFFFD;
    }
    if (aCode == '&' || aCode == '<' || aCode == '>' || aCode == '"')
    {
      myOut += aCode == '&' ? "&amp;" : aCode == '<' ? "&lt;" : aCode == '>' ? "&gt;" : "&quot;";
    }
    else if ((aCode < 0x20 && aCode != '\t') || aCode == 0xFFFE || aCode == 0xFFFF)
    {
      myOut += '?';
    }
    else
    {
      appendUtf8(myOut, aCode);
    }
  }
}

void VexRender_SvgBuffer::Flush()
{
  myStream.write(myOut.data(), static_cast<std::streamsize>(myOut.size()));
  myOut.clear();
}
