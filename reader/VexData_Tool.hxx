// Copyright (c) 2026 VexData developers
#ifndef _VexData_Tool_HeaderFile
#define _VexData_Tool_HeaderFile

#include <TCollection_AsciiString.hxx>

//! A tool as a machine file defines it: name, mode and width, plus the unique name under which
//! its aperture is created. Tools are told apart by unique name; two tools with the same unique
//! name are the same tool when their modes agree and their widths differ by at most 0.0001.
class VexData_Tool
{
public:
  //! Hashes and compares tools by unique name alone, for the reader's tool table.
  struct Hasher
  {
    //! Returns a hash of the unique name in [1, theUpper].
    static Standard_Integer HashCode(const VexData_Tool& theTool, const Standard_Integer theUpper)
    {
      return ::HashCode(theTool.UniqueName(), theUpper);
    }

    //! Returns true when both unique names are equal (case included).
    static Standard_Boolean IsEqual(const VexData_Tool& theTool1, const VexData_Tool& theTool2)
    {
      return theTool1.UniqueName().IsEqual(theTool2.UniqueName());
    }
  };

  //! Hashes and compares tools as defined in the file: name, mode and the exact width bits.
  struct DefinitionHasher
  {
    //! Returns a hash of name, mode and width in [1, theUpper].
    static Standard_Integer HashCode(const VexData_Tool& theTool, const Standard_Integer theUpper)
    {
      const Standard_Integer aMix =
          ::HashCode(theTool.Name(), IntegerLast()) ^ (theTool.Mode() * 31) ^ theTool.widthBits();
      return ::HashCode(aMix, theUpper);
    }

    //! Returns true when names, modes and width bits are equal.
    static Standard_Boolean IsEqual(const VexData_Tool& theTool1, const VexData_Tool& theTool2)
    {
      return theTool1.Name().IsEqual(theTool2.Name()) && theTool1.Mode() == theTool2.Mode() &&
             theTool1.widthBits() == theTool2.widthBits();
    }
  };

  //! Creates a tool whose unique name is its name.
  VexData_Tool(const TCollection_AsciiString& theName, const Standard_Integer theMode,
               const Standard_ShortReal theWidth)
      : myName(theName), myUniqueName(theName), myMode(theMode), myWidth(theWidth)
  {
  }

  //! Returns the name as read.
  const TCollection_AsciiString& Name() const { return myName; }

  //! Returns the name the tool's aperture carries.
  const TCollection_AsciiString& UniqueName() const { return myUniqueName; }

  //! Sets the unique name.
  void SetUniqueName(const TCollection_AsciiString& theName) { myUniqueName = theName; }

  //! Returns the tool mode (0 paths, 1 drill points, 2 both).
  Standard_Integer Mode() const { return myMode; }

  //! Returns the width as read.
  Standard_ShortReal Width() const { return myWidth; }

  //! Returns true when theOther has the same unique name and mode and a width within 0.0001.
  Standard_Boolean IsSame(const VexData_Tool& theOther) const;

private:
  //! Returns the bit pattern of the width.
  Standard_Integer widthBits() const;

private:
  TCollection_AsciiString myName;       //!< name as read
  TCollection_AsciiString myUniqueName; //!< aperture name
  Standard_Integer        myMode;       //!< tool mode
  Standard_ShortReal      myWidth;      //!< width as read
};

#endif
