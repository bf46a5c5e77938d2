// Copyright (c) 2026 VexData developers
#include <VexExcellon_Keywords.hxx>

#include <cstring>

namespace
{
//! Keywords of machine settings that do not change the geometry.
const char* const THE_SETTINGS[] = {"VER", "DETECT", "ATC",   "BLKD", "SBK",  "SG", "TCST",
                                    "CP",  "AFS",    "OSTOP", "PCR",  "NCSL", "R",  NULL};

//! Returns true for a capital letter.
inline bool isCapital(const char theChar)
{
  return theChar >= 'A' && theChar <= 'Z';
}
} // namespace

void VexExcellon_Keywords::Comment(const char* theText, size_t theLength)
{
  // theText starts with the semicolon.
  ++theText;
  --theLength;
  VexExcellon_Words::Trim(theText, theLength);
  if (VexExcellon_Words::StartsWith(theText, theLength, "#@!"))
  {
    myMachine.Ignore(VexExcellon_Listener::Ignored_Attribute);
    return;
  }
  // Some design tools give the digits of the coordinates only in this comment, which then is
  // the one statement of the number format the file has.
  static const char THE_FILE_FORMAT[] = "FILE_FORMAT=";
  const size_t      aPrefix           = sizeof(THE_FILE_FORMAT) - 1;
  Standard_Integer  anInteger = 0, aDecimal = 0;
  if (VexExcellon_Words::StartsWith(theText, theLength, THE_FILE_FORMAT) &&
      theLength == aPrefix + 3 && theText[aPrefix + 1] == ':' &&
      VexExcellon_Words::ReadWhole(theText + aPrefix, 1, 1, anInteger) &&
      VexExcellon_Words::ReadWhole(theText + aPrefix + 2, 1, 1, aDecimal) &&
      myFormat.SetDigits(anInteger, aDecimal))
  {
    return;
  }
  myMachine.Ignore(VexExcellon_Listener::Ignored_Comment);
}

void VexExcellon_Keywords::Keyword(const char* theText, size_t theLength)
{
  size_t aName = 0;
  for (; aName < theLength && isCapital(theText[aName]); ++aName)
  {
  }
  const TCollection_AsciiString aKeyword(theText, static_cast<Standard_Integer>(aName));
  const char*                   aRest   = theText + aName;
  const size_t                  aLength = theLength - aName;
  if (aKeyword == "METRIC" || aKeyword == "INCH")
  {
    unit(aKeyword == "METRIC", aRest, aLength);
    return;
  }
  if (aKeyword == "ICI" && (aLength == 0 || (aLength == 3 && std::memcmp(aRest, ",ON", 3) == 0) ||
                            (aLength == 4 && std::memcmp(aRest, ",OFF", 4) == 0)))
  {
    myMachine.SetIncremental(aLength != 4);
    return;
  }
  // Both command sets of FMAT write holes, slots and routes alike.
  if (aKeyword == "FMAT" && aLength == 2 && aRest[0] == ',' && (aRest[1] == '1' || aRest[1] == '2'))
  {
    return;
  }
  for (const char* const* aSetting = THE_SETTINGS; *aSetting != NULL; ++aSetting)
  {
    if (aKeyword == *aSetting && (aLength == 0 || aRest[0] == ','))
    {
      myMachine.Ignore(VexExcellon_Listener::Ignored_Setting);
      return;
    }
  }
  myMachine.Ignore(VexExcellon_Listener::Ignored_Unknown);
}

void VexExcellon_Keywords::unit(const Standard_Boolean theIsMetric, const char* theText,
                                size_t theLength)
{
  // ",LZ" or ",TZ" and a pattern of digits, in either order.
  while (theLength > 0)
  {
    const char*  aField     = theText + 1;
    const char*  aComma     = static_cast<const char*>(std::memchr(aField, ',', theLength - 1));
    const size_t aSize      = aComma != NULL ? static_cast<size_t>(aComma - aField) : theLength - 1;
    const bool   isLeading  = aSize == 2 && std::memcmp(aField, "LZ", 2) == 0;
    const bool   isTrailing = aSize == 2 && std::memcmp(aField, "TZ", 2) == 0;
    if (theText[0] != ',' || (!isLeading && !isTrailing && !myFormat.SetPattern(aField, aSize)))
    {
      myMachine.Fail(VexPcb_Fault("VEX_EXCELLON_BAD_FORMAT")
                         .Arg(VexExcellon_Words::Quote(theText, theLength)));
      return;
    }
    if (isLeading || isTrailing)
    {
      myFormat.SetZeroMode(isLeading ? VexExcellon_NumberFormat::Zeros_Leading
                                     : VexExcellon_NumberFormat::Zeros_Trailing);
    }
    theLength -= aSize + 1;
    theText = aField + aSize;
  }
  SetMetric(theIsMetric);
}

void VexExcellon_Keywords::SetMetric(const Standard_Boolean theIsMetric)
{
  myFormat.SetMetric(theIsMetric);
  myMachine.SetUnit(myFormat.UnitInMillimetres(), Standard_True);
}
