// Copyright (c) 2026 VexData developers
#include <VexPcb_NumberText.hxx>

#include <charconv>

char* VexPcb_NumberText::Integer(char* thePos, const long long theValue)
{
  return std::to_chars(thePos, thePos + THE_ROOM, theValue).ptr;
}

char* VexPcb_NumberText::Decimal(char* thePos, const long long theSteps, const int theDecimals)
{
  // The magnitude as an unsigned number: the most negative value has no positive counterpart.
  unsigned long long aMagnitude = theSteps < 0 ? 0ULL - static_cast<unsigned long long>(theSteps)
                                               : static_cast<unsigned long long>(theSteps);
  unsigned long long aScale     = 1;
  for (int anIndex = 0; anIndex < theDecimals; ++anIndex)
  {
    aScale *= 10;
  }
  char* aPos = thePos;
  if (theSteps < 0)
  {
    *aPos++ = '-';
  }
  aPos    = std::to_chars(aPos, aPos + THE_ROOM, aMagnitude / aScale).ptr;
  *aPos++ = '.';
  // The fraction with its leading zeros, then without the trailing ones but the first.
  unsigned long long aFraction = aMagnitude % aScale;
  for (int anIndex = theDecimals - 1; anIndex >= 0; --anIndex)
  {
    aPos[anIndex] = static_cast<char>('0' + aFraction % 10);
    aFraction /= 10;
  }
  int aLength = theDecimals;
  while (aLength > 1 && aPos[aLength - 1] == '0')
  {
    --aLength;
  }
  return aPos + aLength;
}
