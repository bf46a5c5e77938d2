// Copyright (c) 2026 VexData developers
#ifndef _VexBench_FileMaker_HeaderFile
#define _VexBench_FileMaker_HeaderFile

#include <cstddef>
#include <cstdint>
#include <string>

//! Builds the benchmark inputs in memory, byte by byte: machine files of a chosen shape and size,
//! and a binary STL file for the peer reader. The same arguments always give the same bytes (a
//! fixed-seed generator drives every coordinate), so runs on different days compare.
class VexBench_FileMaker
{
public:
  //! Shapes of machine file.
  enum Kind
  {
    Kind_Path,  //!< blocks of long paths (a thousand in 100 MB), one arc-to per four line-to
    Kind_Lines, //!< the same without arcs: segments only
    Kind_Drill, //!< blocks of four tools (a thousand in 100 MB), each a long run of drill points
    Kind_Blocks //!< many small blocks: tools of block and file scope, scan fields, short items
  };

  //! Returns a machine file of theKind of about theSize bytes (never less than one block).
  static std::string Make(const Kind theKind, const size_t theSize);

  //! Returns a binary STL file of about theSize bytes: a strip of triangles over a grid whose
  //! nodes are shared between neighbours, as in a real mesh.
  static std::string MakeStl(const size_t theSize);

private:
  //! Creates an empty file with room for theSize bytes.
  explicit VexBench_FileMaker(const size_t theSize);

  //! Appends one byte.
  void putByte(const unsigned int theValue) { myData.push_back(static_cast<char>(theValue)); }

  //! Appends a little-endian int32.
  void putInt(const int32_t theValue);

  //! Appends theValue rounded to a little-endian float32; returns the rounded value.
  double putFloat(const double theValue);

  //! Appends the bytes of theText and its 0 byte.
  void putString(const std::string& theText);

  //! Appends the header the writer emits and its eleven type declarations.
  void putHeader();

  //! Appends a toolpath block tag and its header with thePhase and theLayer.
  void putBlockHeader(const std::string& thePhase, const std::string& theLayer);

  //! Appends a tool definition.
  void putTool(const int32_t theIndex, const unsigned int theMode, const double theWidth,
               const std::string& theName);

  //! Appends paths of line-to (and arc-to when theArcs is set) records up to theEnd bytes.
  void putPaths(const size_t theEnd, const bool theArcs);

  //! Appends a line-to record that moves the pen a short step.
  void putLineTo();

  //! Appends an arc-to record that moves the pen along a short arc.
  void putArcTo();

  //! Appends drill point records up to theEnd bytes.
  void putDrillPoints(const size_t theEnd);

  //! Appends one small block numbered theBlock (Kind_Blocks).
  void putSmallBlock(const int theBlock);

  //! Fills the file with blocks made by theKind, one per 100 kB.
  void makeBlocks(const Kind theKind);

  //! Returns the next number of the generator, uniform in [0, 1).
  double random();

private:
  std::string myData;    //!< bytes so far
  size_t      mySize;    //!< size aimed at
  uint64_t    myState;   //!< generator state
  double      myX;       //!< pen position as written (float precision)
  double      myY;       //!< pen position as written (float precision)
  double      myHeading; //!< direction of the pen, radians
};

#endif
