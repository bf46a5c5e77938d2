// Copyright (c) 2026 VexData developers
#include <VexBench_FileMaker.hxx>

#include <VexData_Format.hxx>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace
{
//! Bytes of one toolpath block of the path and drill files: a 100 MB file has a thousand
//! blocks, and smaller files fewer, so that files of every size look alike inside.
const size_t THE_BLOCK_BYTES = 100000;

//! Side of the square the pen stays in, in millimetres.
const double THE_BOARD = 500.0;

//! Tools of file scope in the file of small blocks.
const int THE_NB_FILE_TOOLS = 200;

//! Distinct tools of block scope in the file of small blocks.
const int THE_NB_BLOCK_TOOLS = 250;

//! Record sizes the writer declares, in its order.
const int THE_DECLARATIONS[][2] = {{12, 8}, {13, 8}, {14, 12}, {15, 8}, {16, 4}, {17, 20},
                                   {18, 8}, {19, 8}, {26, 4},  {27, 0}, {28, 12}};

//! Bytes of one binary STL triangle: normal, three vertices, attribute word.
const size_t THE_STL_TRIANGLE = 50;

//! Bytes of the binary STL header and triangle count.
const size_t THE_STL_HEAD = 84;

//! Columns of the STL grid.
const uint32_t THE_STL_COLUMNS = 1000;

//! Returns theValue as decimal text.
std::string text(const int theValue)
{
  return std::to_string(theValue);
}

//! Appends the little-endian bytes of the 32-bit word theBits to theData.
void putWord(std::string& theData, const uint32_t theBits)
{
  const char aBytes[4] = {
      static_cast<char>(theBits & 0xFFu), static_cast<char>((theBits >> 8) & 0xFFu),
      static_cast<char>((theBits >> 16) & 0xFFu), static_cast<char>((theBits >> 24) & 0xFFu)};
  theData.append(aBytes, 4);
}

//! Appends theValue as a little-endian float32 to theData.
void putFloatBits(std::string& theData, const float theValue)
{
  uint32_t aBits = 0;
  std::memcpy(&aBits, &theValue, sizeof(aBits));
  putWord(theData, aBits);
}

//! Appends one STL vertex of the grid: column theColumn, row theRow, a gentle wave as height.
void putStlVertex(std::string& theData, const uint32_t theColumn, const uint32_t theRow)
{
  putFloatBits(theData, static_cast<float>(theColumn));
  putFloatBits(theData, static_cast<float>(theRow));
  putFloatBits(theData, static_cast<float>(std::sin(0.01 * theColumn) * std::cos(0.01 * theRow)));
}

//! Appends one STL triangle over the grid nodes given as (column, row) pairs.
void putStlTriangle(std::string& theData, const uint32_t theNodes[3][2])
{
  for (int aCoord = 0; aCoord < 3; ++aCoord)
  {
    putFloatBits(theData, aCoord == 2 ? 1.0f : 0.0f); // normal, recomputed by readers anyway
  }
  for (int aNode = 0; aNode < 3; ++aNode)
  {
    putStlVertex(theData, theNodes[aNode][0], theNodes[aNode][1]);
  }
  theData.append(2, '\0');
}
} // namespace

VexBench_FileMaker::VexBench_FileMaker(const size_t theSize)
    : mySize(theSize), myState(0x9E3779B97F4A7C15ull), myX(THE_BOARD / 2), myY(THE_BOARD / 2),
      myHeading(0.0)
{
  myData.reserve(theSize + 4096);
}

double VexBench_FileMaker::random()
{
  // A 64-bit linear congruential generator; the top 53 bits make the fraction.
  myState = myState * 6364136223846793005ull + 1442695040888963407ull;
  return static_cast<double>(myState >> 11) * (1.0 / 9007199254740992.0);
}

void VexBench_FileMaker::putInt(const int32_t theValue)
{
  putWord(myData, static_cast<uint32_t>(theValue));
}

double VexBench_FileMaker::putFloat(const double theValue)
{
  const float aValue = static_cast<float>(theValue);
  putFloatBits(myData, aValue);
  return aValue;
}

void VexBench_FileMaker::putString(const std::string& theText)
{
  myData.append(theText);
  myData.push_back('\0');
}

void VexBench_FileMaker::putHeader()
{
  myData.append(VexData_Format::THE_HEADER_LINE1);
  myData.append("0\n");
  myData.append(VexData_Format::THE_HEADER_LINE2);
  myData.push_back('\n');
  putByte(VexData_Format::THE_HEADER_END);
  for (const int* aDeclaration : THE_DECLARATIONS)
  {
    putByte(VexData_Format::Tag_TypeDeclaration);
    putByte(static_cast<unsigned int>(aDeclaration[0]));
    putInt(aDeclaration[1]);
  }
}

void VexBench_FileMaker::putBlockHeader(const std::string& thePhase, const std::string& theLayer)
{
  putByte(VexData_Format::Tag_ToolpathBlock);
  putByte(VexData_Format::Tag_BlockHeader);
  putByte(VexData_Format::Field_String);
  putString(thePhase);
  putByte(VexData_Format::Field_String);
  putString(theLayer);
  putByte(VexData_Format::Tag_End);
}

void VexBench_FileMaker::putTool(const int32_t theIndex, const unsigned int theMode,
                                 const double theWidth, const std::string& theName)
{
  putByte(VexData_Format::Tag_ToolDefinition);
  putByte(VexData_Format::Field_Int);
  putInt(theIndex);
  putByte(VexData_Format::Field_Byte);
  putByte(theMode);
  putByte(VexData_Format::Field_Float);
  putFloat(theWidth);
  putByte(VexData_Format::Field_String);
  putString(theName);
  putByte(VexData_Format::Tag_End);
}

void VexBench_FileMaker::putLineTo()
{
  // The pen turns a little at every step and turns back at the edge of the board.
  myHeading += (random() - 0.5) * 0.6;
  const double aStep = 0.05 + random() * 0.95;
  double       anX   = myX + aStep * std::cos(myHeading);
  double       anY   = myY + aStep * std::sin(myHeading);
  if (anX < 0.0 || anX > THE_BOARD || anY < 0.0 || anY > THE_BOARD)
  {
    myHeading += M_PI;
    anX = myX + aStep * std::cos(myHeading);
    anY = myY + aStep * std::sin(myHeading);
  }
  putByte(VexData_Format::Tag_LineTo);
  myX = putFloat(anX);
  myY = putFloat(anY);
}

void VexBench_FileMaker::putArcTo()
{
  // An arc tangent to the pen's heading, turning left (positive radius) or right.
  const double aRadius = 0.2 + random() * 1.8;
  const double aSide   = random() < 0.5 ? -1.0 : 1.0;
  const double aSweep  = aSide * (0.3 + random() * 2.2);
  const double aToward = myHeading + aSide * M_PI / 2.0;
  const double aCx     = myX + aRadius * std::cos(aToward);
  const double aCy     = myY + aRadius * std::sin(aToward);
  const double aStart  = std::atan2(myY - aCy, myX - aCx);
  putByte(VexData_Format::Tag_ArcTo);
  myX = putFloat(aCx + aRadius * std::cos(aStart + aSweep));
  myY = putFloat(aCy + aRadius * std::sin(aStart + aSweep));
  putFloat(aCx);
  putFloat(aCy);
  putFloat(aSide * aRadius);
  myHeading += aSweep;
}

void VexBench_FileMaker::putPaths(const size_t theEnd, const bool theArcs)
{
  while (myData.size() < theEnd)
  {
    putByte(VexData_Format::Tag_PathStart);
    myX               = putFloat(20.0 + random() * (THE_BOARD - 40.0));
    myY               = putFloat(20.0 + random() * (THE_BOARD - 40.0));
    const int aLength = 50 + static_cast<int>(random() * 150.0);
    for (int aRecord = 0; aRecord < aLength && myData.size() < theEnd; ++aRecord)
    {
      if (theArcs && random() < 0.2)
      {
        putArcTo();
      }
      else
      {
        putLineTo();
      }
    }
  }
}

void VexBench_FileMaker::putDrillPoints(const size_t theEnd)
{
  while (myData.size() < theEnd)
  {
    putByte(VexData_Format::Tag_DrillPoint);
    putFloat(random() * THE_BOARD);
    putFloat(random() * THE_BOARD);
  }
}

void VexBench_FileMaker::putSmallBlock(const int theBlock)
{
  putBlockHeader("P" + text(theBlock % 4), "L" + text(theBlock % 16));
  for (int aTool = 0; aTool < 2; ++aTool)
  {
    const int aKind = (theBlock + 7 * aTool) % THE_NB_BLOCK_TOOLS;
    putTool(aTool + 1, 0, 0.1 + 0.01 * aKind, "B" + text(aKind));
  }
  if (theBlock % 4 == 0)
  {
    putByte(VexData_Format::Tag_ScanFieldPosition);
    putFloat(20.0 + random() * (THE_BOARD - 40.0));
    putFloat(20.0 + random() * (THE_BOARD - 40.0));
  }
  // Tool 1: a short path and a circle; tool 2: a shorter path; a file tool: three holes.
  putByte(VexData_Format::Tag_ToolGroup);
  putInt(1);
  putByte(VexData_Format::Tag_PathStart);
  myX = putFloat(20.0 + random() * (THE_BOARD - 40.0));
  myY = putFloat(20.0 + random() * (THE_BOARD - 40.0));
  putLineTo();
  putLineTo();
  putLineTo();
  putByte(VexData_Format::Tag_Circle);
  putFloat(myX);
  putFloat(myY);
  putFloat(0.5 + random());
  putByte(VexData_Format::Tag_ToolGroup);
  putInt(2);
  putByte(VexData_Format::Tag_PathStart);
  myX = putFloat(myX);
  myY = putFloat(myY);
  putLineTo();
  putLineTo();
  putByte(VexData_Format::Tag_ToolGroup);
  putInt(3 + theBlock % (THE_NB_FILE_TOOLS - 2));
  putDrillPoints(myData.size() + 27);
  putByte(VexData_Format::Tag_End);
}

void VexBench_FileMaker::makeBlocks(const Kind theKind)
{
  const size_t aStart    = myData.size();
  const int    aNbBlocks = static_cast<int>(std::max<size_t>(1, mySize / THE_BLOCK_BYTES));
  const size_t aBudget   = mySize > aStart ? (mySize - aStart) / aNbBlocks : 0;
  for (int aBlock = 0; aBlock < aNbBlocks; ++aBlock)
  {
    const size_t anEnd = aStart + aBudget * static_cast<size_t>(aBlock + 1);
    if (theKind == Kind_Drill)
    {
      putBlockHeader("Drill", aBlock % 2 == 0 ? "Top" : "Bottom");
      for (int aTool = 0; aTool < 4; ++aTool)
      {
        const int aKind = (aBlock + aTool) % 8;
        putTool(aTool + 1, 1, 0.3 + 0.1 * aKind, "D" + text(aKind));
      }
      const size_t aGroupStart = myData.size();
      for (int aTool = 0; aTool < 4; ++aTool)
      {
        putByte(VexData_Format::Tag_ToolGroup);
        putInt(aTool + 1);
        putDrillPoints(aGroupStart + (anEnd - std::min(anEnd, aGroupStart)) * (aTool + 1) / 4);
      }
    }
    else
    {
      const int aKind = aBlock % 8;
      putBlockHeader("Mill", aBlock % 2 == 0 ? "Top" : "Bottom");
      putTool(1, 0, 0.1 * (aKind + 1), "E" + text(aKind));
      putByte(VexData_Format::Tag_ToolGroup);
      putInt(1);
      putPaths(anEnd, theKind == Kind_Path);
    }
    putByte(VexData_Format::Tag_End);
  }
}

std::string VexBench_FileMaker::Make(const Kind theKind, const size_t theSize)
{
  VexBench_FileMaker aMaker(theSize);
  aMaker.putHeader();
  if (theKind != Kind_Blocks)
  {
    aMaker.makeBlocks(theKind);
    return aMaker.myData;
  }
  aMaker.putByte(VexData_Format::Tag_ScannerBox);
  aMaker.putFloat(40.0);
  aMaker.putFloat(30.0);
  for (int aTool = 1; aTool <= THE_NB_FILE_TOOLS; ++aTool)
  {
    aMaker.putTool(aTool, 2, 0.05 * (1 + aTool % 40), "F" + text(aTool));
  }
  for (int aBlock = 0; aMaker.myData.size() < theSize || aBlock == 0; ++aBlock)
  {
    aMaker.putSmallBlock(aBlock);
  }
  return aMaker.myData;
}

std::string VexBench_FileMaker::MakeStl(const size_t theSize)
{
  const uint32_t aCount = static_cast<uint32_t>(
      theSize > THE_STL_HEAD + THE_STL_TRIANGLE ? (theSize - THE_STL_HEAD) / THE_STL_TRIANGLE : 1);
  std::string aData;
  aData.reserve(THE_STL_HEAD + THE_STL_TRIANGLE * aCount);
  std::string aHeader = "VexBench grid mesh, binary";
  aHeader.resize(80, ' ');
  aData.append(aHeader);
  putWord(aData, aCount);
  for (uint32_t aTriangle = 0; aTriangle < aCount; ++aTriangle)
  {
    // Two triangles per grid cell, cells row by row.
    const uint32_t aCell         = aTriangle / 2;
    const uint32_t aColumn       = aCell % THE_STL_COLUMNS;
    const uint32_t aRow          = aCell / THE_STL_COLUMNS;
    const uint32_t aLower[3][2]  = {{aColumn, aRow}, {aColumn + 1, aRow}, {aColumn + 1, aRow + 1}};
    const uint32_t anUpper[3][2] = {{aColumn, aRow}, {aColumn + 1, aRow + 1}, {aColumn, aRow + 1}};
    putStlTriangle(aData, aTriangle % 2 == 0 ? aLower : anUpper);
  }
  return aData;
}
