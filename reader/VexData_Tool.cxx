// Copyright (c) 2026 VexData developers
#include <VexData_Tool.hxx>

#include <cmath>
#include <cstring>

namespace
{
//! Largest width difference of one tool, a single-precision constant compared in double.
const Standard_ShortReal THE_WIDTH_TOLERANCE = 0.0001f;
} // namespace

Standard_Boolean VexData_Tool::IsSame(const VexData_Tool& theOther) const
{
  const Standard_Real aDifference =
      std::abs(static_cast<Standard_Real>(myWidth) - static_cast<Standard_Real>(theOther.myWidth));
  return myUniqueName.IsEqual(theOther.myUniqueName) && myMode == theOther.myMode &&
         aDifference <= static_cast<Standard_Real>(THE_WIDTH_TOLERANCE);
}

Standard_Integer VexData_Tool::widthBits() const
{
  Standard_Integer aBits = 0;
  std::memcpy(&aBits, &myWidth, sizeof(aBits));
  return aBits;
}
