// Copyright (c) 2026 VexData developers
#include <VexPcb_NumberText.hxx>

#include <charconv>

namespace
{
//! 10^0 to 10^18.
const unsigned long long THE_POWERS[] = {1ULL,
                                         10ULL,
                                         100ULL,
                                         1000ULL,
                                         10000ULL,
                                         100000ULL,
                                         1000000ULL,
                                         10000000ULL,
                                         100000000ULL,
                                         1000000000ULL,
                                         10000000000ULL,
                                         100000000000ULL,
                                         1000000000000ULL,
                                         10000000000000ULL,
                                         100000000000000ULL,
                                         1000000000000000ULL,
                                         10000000000000000ULL,
                                         100000000000000000ULL,
                                         1000000000000000000ULL};

//! The two digits of 0 to 99.
const char THE_PAIRS[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536"
    "37383940414243444546474849505152535455565758596061626364656667686970717273"
    "7475767778798081828384858687888990919293949596979899";
} // namespace

char* VexPcb_NumberText::Integer(char* thePos, const long long theValue)
{
  return std::to_chars(thePos, thePos + THE_ROOM, theValue).ptr;
}

char* VexPcb_NumberText::Decimal(char* thePos, const long long theSteps, const int theDecimals)
{
  // The magnitude as an unsigned number: the most negative value has no positive counterpart.
  const unsigned long long aMagnitude = theSteps < 0
                                            ? 0ULL - static_cast<unsigned long long>(theSteps)
                                            : static_cast<unsigned long long>(theSteps);
  const int                aDecimals  = theDecimals < 1 ? 1 : (theDecimals > 18 ? 18 : theDecimals);
  const unsigned long long aScale     = THE_POWERS[aDecimals];
  char*                    aPos       = thePos;
  if (theSteps < 0)
  {
    *aPos++ = '-';
  }
  aPos    = std::to_chars(aPos, aPos + THE_ROOM, aMagnitude / aScale).ptr;
  *aPos++ = '.';
  // The fraction with its leading zeros, two digits at a time from the right, then without the
  // trailing zeros but the first.
  unsigned long long aFraction = aMagnitude % aScale;
  int                anIndex   = aDecimals;
  for (; anIndex >= 2; anIndex -= 2)
  {
    const unsigned aPair = static_cast<unsigned>(aFraction % 100) * 2;
    aFraction /= 100;
    aPos[anIndex - 2] = THE_PAIRS[aPair];
    aPos[anIndex - 1] = THE_PAIRS[aPair + 1];
  }
  if (anIndex == 1)
  {
    aPos[0] = static_cast<char>('0' + aFraction);
  }
  int aLength = aDecimals;
  while (aLength > 1 && aPos[aLength - 1] == '0')
  {
    --aLength;
  }
  return aPos + aLength;
}
