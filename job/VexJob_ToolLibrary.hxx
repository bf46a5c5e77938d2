// Copyright (c) 2026 VexData developers
#ifndef _VexJob_ToolLibrary_HeaderFile
#define _VexJob_ToolLibrary_HeaderFile

#include <Standard_TypeDef.hxx>

#include <string>
#include <vector>

//! One tool of the machine.
struct VexJob_Tool
{
  //! What a tool is for.
  enum Kind
  {
    Kind_Isolation, //!< engraving cutter for isolation paths
    Kind_EndMill,   //!< end mill for slots, large holes and the cut-out
    Kind_Drill      //!< twist drill for holes
  };

  std::string   Name;  //!< name written to the machine file as the tool's name
  Kind          Type;  //!< what it is for
  Standard_Real Width; //!< cutting width or diameter, millimetres
};

//! The tools a machine has: isolation cutters, end mills and drills with their widths. The
//! library is read from a small JSON document
//!
//!     {"tools": [{"name": "Drill0.8", "kind": "drill", "diameter": 0.8}, ...]}
//!
//! (kinds "isolation", "end mill", "drill"; diameters in millimetres), or is the built-in table
//! of the tools shops stock. Tools are kept sorted by kind, then width.
class VexJob_ToolLibrary
{
public:
  //! Largest tool diameter accepted, millimetres.
  static Standard_Real MaxWidth() { return 50.0; }

  //! Returns the built-in library.
  static VexJob_ToolLibrary Default();

  //! Reads a library from theText. On a fault returns false and sets theError to the JSON
  //! pointer of the faulty value, a colon and what is wrong ("/tools/2/diameter: ...").
  static Standard_Boolean Parse(const std::string& theText, VexJob_ToolLibrary& theLibrary,
                                std::string& theError);

  //! Adds theTool (kept sorted).
  void Add(const VexJob_Tool& theTool);

  //! Returns every tool, by kind, then width.
  const std::vector<VexJob_Tool>& Tools() const { return myTools; }

  //! Returns the tool named theName, or null.
  const VexJob_Tool* Find(const std::string& theName) const;

  //! Returns the narrowest tool of theKind, or null when there is none.
  const VexJob_Tool* Narrowest(const VexJob_Tool::Kind theKind) const;

  //! Returns the narrowest tool of theKind at least theWidth wide, or null.
  const VexJob_Tool* AtLeast(const VexJob_Tool::Kind theKind, const Standard_Real theWidth) const;

  //! Returns the widest tool of theKind at most theWidth wide, or null.
  const VexJob_Tool* AtMost(const VexJob_Tool::Kind theKind, const Standard_Real theWidth) const;

  //! Returns the name of theKind as the library writes it ("isolation", "end mill", "drill").
  static const char* KindName(const VexJob_Tool::Kind theKind);

private:
  std::vector<VexJob_Tool> myTools; //!< by kind, then width
};

#endif
