// Copyright (c) 2026 VexData developers
#ifndef _VexFuzz_Harness_HeaderFile
#define _VexFuzz_Harness_HeaderFile

#include <VexFuzz_Printer.hxx>

#include <PenFormatData_Model.hxx>

#include <NCollection_Sequence.hxx>
#include <TCollection_ExtendedString.hxx>

#include <memory>
#include <string>

//! What the fuzz targets share: the message catalogue, the way a finding stops the run, and one
//! read or write of the plug-in with every message recorded.
class VexFuzz_Harness
{
public:
  //! Outcome of one read.
  struct Read
  {
    int Status;                                //!< the reader's final status
    Handle(PenFormatData_Model) Model;         //!< the model as the reader left it
    std::shared_ptr<VexFuzz_Printer::Log> Log; //!< messages sent during the read
  };

  //! Loads the plug-in's message catalogue once, so that messages are built from their texts.
  static void Initialize();

  //! Reports theWhat and aborts when theCondition is false: the input is a finding.
  static void Require(const bool theCondition, const char* theWhat);

  //! Reads theData with a fresh reader into a fresh model. With theThrowing set, the input
  //! stream has every stream exception enabled, which must change nothing.
  static Read ReadFile(const std::string& theData, const bool theThrowing);

  //! Writes theModel with theParams into theBytes and returns the writer's status. The model's
  //! messenger receives the writer's messages.
  static int WriteFile(const PenFormatData_Model&                              theModel,
                       const NCollection_Sequence<TCollection_ExtendedString>& theParams,
                       std::string&                                            theBytes);

  //! Requires theBytes, a file a successful write produced, to be made only of what the writer
  //! writes (header, declarations, scanner box, empty record, toolpath blocks of one tool and one
  //! tool group) and every line-to and arc-to in it to continue a path: to follow a path start,
  //! a line-to or an arc-to. The reader steps over one that does not, and its element is lost.
  static void RequireContinuedPaths(const std::string& theBytes);

  //! Returns the bytes of theName, one per character; a character above 0xFF, which no name read
  //! from a file holds, becomes "<wide>".
  static std::string NameBytes(const TCollection_ExtendedString& theName);

  //! Returns true when a status came from an exception caught inside the reader rather than
  //! from the data: an in-memory stream never reports a hard error or a failure without end.
  static bool IsInternalReadStatus(const int theStatus);

  //! Returns true when theLog holds a message whose key the catalogue does not know.
  static bool HasUnknownKey(const std::string& theLog);

  //! Returns the content of theModel as text with exact coordinates, to compare two reads.
  static std::string Describe(const PenFormatData_Model& theModel);

  //! Requires what every model built by the reader satisfies: the file's unit, apertures 1 to n
  //! present with one width each and distinct names, toolpaths that name one of them, contours
  //! that are not empty and drill-point contours of one point each.
  static void RequireConsistent(const PenFormatData_Model& theModel);
};

#endif
