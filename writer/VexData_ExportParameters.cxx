// Copyright (c) 2026 VexData developers
#include <VexData_ExportParameters.hxx>

#include <NCollection_LocalArray.hxx>

namespace
{
const char THE_SCANFIELD_PREFIX[] = "export.scanfield:";
const char THE_MAPPING_PREFIX[]   = "vex.map:";

//! Returns true when theParam starts with thePrefix (plain ASCII).
Standard_Boolean startsWith(const TCollection_ExtendedString& theParam, const char* thePrefix)
{
  Standard_Integer anIndex = 0;
  for (; thePrefix[anIndex] != '\0'; ++anIndex)
  {
    if (anIndex >= theParam.Length() ||
        theParam.Value(anIndex + 1) != static_cast<Standard_ExtCharacter>(thePrefix[anIndex]))
    {
      return Standard_False;
    }
  }
  return Standard_True;
}

//! Returns theParam without its first theLength characters, one byte per character with '?' for
//! those that do not fit in a byte.
TCollection_AsciiString afterPrefix(const TCollection_ExtendedString& theParam,
                                    const Standard_Integer            theLength)
{
  const TCollection_AsciiString anAscii = VexData_ExportParameters::ToAscii(theParam);
  if (anAscii.Length() <= theLength)
  {
    return TCollection_AsciiString();
  }
  return anAscii.SubString(theLength + 1, anAscii.Length());
}

//! Splits a text at its semicolons, token by token, from the left.
class TokenReader
{
public:
  //! Starts at the beginning of theSource.
  TokenReader(const TCollection_AsciiString& theSource) : mySource(theSource), myPos(1) {}

  //! Returns true while some text is left.
  Standard_Boolean More() const { return myPos <= mySource.Length(); }

  //! Returns the text up to the next semicolon (or the end) and steps over that semicolon;
  //! an empty token once nothing is left.
  TCollection_AsciiString Next()
  {
    if (!More())
    {
      return TCollection_AsciiString();
    }
    const Standard_Integer aLength = mySource.Length();
    Standard_Integer       anEnd   = myPos;
    while (anEnd <= aLength && mySource.Value(anEnd) != ';')
    {
      ++anEnd;
    }
    const TCollection_AsciiString aToken =
        anEnd > myPos ? mySource.SubString(myPos, anEnd - 1) : TCollection_AsciiString();
    myPos = anEnd + 1;
    return aToken;
  }

private:
  const TCollection_AsciiString& mySource; //!< text being split
  Standard_Integer               myPos;    //!< 1-based position of the next token
};
} // namespace

void VexData_ExportParameters::Parse(
    const NCollection_Sequence<TCollection_ExtendedString>& theParams,
    Standard_Boolean& theExportScanFields, VexData_Writer::MappingTable& theMapping)
{
  theExportScanFields = Standard_True;
  theMapping.Clear();
  Standard_Boolean       isSwitchTaken          = Standard_False;
  const Standard_Integer aScanFieldPrefixLength = sizeof(THE_SCANFIELD_PREFIX) - 1;
  const Standard_Integer aMappingPrefixLength   = sizeof(THE_MAPPING_PREFIX) - 1;
  for (NCollection_Sequence<TCollection_ExtendedString>::Iterator anIter(theParams); anIter.More();
       anIter.Next())
  {
    const TCollection_ExtendedString& aParam = anIter.Value();
    if (!isSwitchTaken && startsWith(aParam, THE_SCANFIELD_PREFIX))
    {
      // Only the first switch counts; later ones are ignored like any unknown parameter.
      isSwitchTaken = Standard_True;
      if (afterPrefix(aParam, aScanFieldPrefixLength).IsEqual("false"))
      {
        theExportScanFields = Standard_False;
      }
    }
    else if (startsWith(aParam, THE_MAPPING_PREFIX))
    {
      const VexData_Writer::MapItem anItem =
          ParseMapItem(afterPrefix(aParam, aMappingPrefixLength));
      const TCollection_AsciiString aKey = MappingKey(anItem.phase, anItem.layer, anItem.tool);
      NCollection_List<VexData_Writer::MapItem>* aList = theMapping.ChangeSeek(aKey);
      if (aList == NULL)
      {
        aList = theMapping.Bound(aKey, NCollection_List<VexData_Writer::MapItem>());
      }
      aList->Append(anItem);
    }
  }
}

VexData_Writer::MapItem VexData_ExportParameters::ParseMapItem(
    const TCollection_AsciiString& theSource)
{
  TokenReader             aReader(theSource);
  VexData_Writer::MapItem anItem;
  anItem.asCircles = aReader.Next().IsEqual("false") ? 0 : 1;
  anItem.phase     = aReader.Next();
  anItem.layer     = aReader.Next();
  anItem.tool      = aReader.Next();
  anItem.outPhase  = aReader.Next();
  anItem.outLayer  = aReader.Next();
  while (aReader.More())
  {
    const TCollection_AsciiString aTool = aReader.Next();
    if (!aTool.IsEmpty())
    {
      anItem.outTools.Append(aTool);
    }
  }
  return anItem;
}

TCollection_AsciiString VexData_ExportParameters::MappingKey(
    const TCollection_AsciiString& thePhase, const TCollection_AsciiString& theLayer,
    const TCollection_AsciiString& theTool)
{
  TCollection_AsciiString aKey(thePhase);
  aKey += ";";
  aKey += theLayer;
  aKey += ";";
  aKey += theTool;
  return aKey;
}

TCollection_AsciiString VexData_ExportParameters::ToAscii(const TCollection_ExtendedString& theText)
{
  // The file's names are one byte per character, and the reader turns every byte into the
  // character of that code: a character that fits in a byte is written as that byte, so that
  // every name read can be written back. Every toolpath's names pass through here, so the
  // characters are taken straight from the text.
  const Standard_Integer            aLength = theText.Length();
  const Standard_ExtString          aChars  = theText.ToExtString();
  NCollection_LocalArray<char, 256> aBytes(static_cast<size_t>(aLength) + 1);
  for (Standard_Integer anIndex = 0; anIndex < aLength; ++anIndex)
  {
    const Standard_ExtCharacter aChar = aChars[anIndex];
    aBytes[anIndex] = aChar != 0 && aChar <= 0xFF ? static_cast<char>(aChar) : '?';
  }
  aBytes[aLength] = 0;
  return TCollection_AsciiString(static_cast<const char*>(aBytes), aLength);
}
