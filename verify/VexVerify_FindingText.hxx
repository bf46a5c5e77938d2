// Copyright (c) 2026 VexData developers
#ifndef _VexVerify_FindingText_HeaderFile
#define _VexVerify_FindingText_HeaderFile

#include <VexVerify_Report.hxx>

#include <string>

//! The words of the text report: how a point, a name, a tool and each kind of finding are
//! written for a person. Points have micrometre digits.
class VexVerify_FindingText
{
public:
  //! Returns the text printf makes of theFormat and its arguments (at most 511 characters).
  static std::string Format(const char* theFormat, ...);

  //! Returns thePoint as "(x, y)".
  static std::string At(const gp_XY& thePoint);

  //! Returns theName in double quotes.
  static std::string Quoted(const TCollection_AsciiString& theName);

  //! Returns a tool as '"name" 0.8 mm'.
  static std::string Tool(const VexVerify_Report::Tool& theTool);

  //! Returns the line of drill finding theFinding of theCheck.
  static std::string Drill(const VexVerify_Report::Check&   theCheck,
                           const VexVerify_Report::Finding& theFinding);

  //! Returns the line of path finding theFinding of theCheck (copper or outside).
  static std::string Path(const VexVerify_Report::Check&   theCheck,
                          const VexVerify_Report::Finding& theFinding);

  //! Returns the line of bridge theFinding, a join within one net when isOneNet.
  static std::string Bridge(const VexVerify_Report::Finding& theFinding,
                            const Standard_Boolean           isOneNet);

  //! Returns theIsland as 'island at (x, y) [net "A"]'.
  static std::string Island(const VexVerify_Report::Island& theIsland);

  //! Returns the name of theKind as both reports write it ("missing", "copper" ...).
  static const char* KindName(const VexVerify_Report::Kind theKind);
};

#endif
