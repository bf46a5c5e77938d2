// Copyright (c) 2026 VexData developers
#ifndef _VexVerify_Verifier_HeaderFile
#define _VexVerify_Verifier_HeaderFile

#include <VexVerify_Board.hxx>
#include <VexVerify_Report.hxx>

#include <Message_Msg.hxx>

//! Checks a job against its designs, each by its role, and fills the report.
//!
//! The drill check takes every drill hit of the job, whatever its phase and layer: a hole may be
//! drilled in any phase. Every drill design is part of one drilling (a board's plated and
//! non-plated files): the job is checked once against the holes of all of them. The copper and
//! outline checks take the job's path toolpaths of the selected phases and layers (every one when
//! none is selected).
class VexVerify_Verifier
{
public:
  //! What the user chose.
  struct Options
  {
    Standard_Real Tolerance;      //!< millimetres, greater than 0
    Standard_Real OutlineGap;     //!< widest gap bridged in an outline's lines, millimetres
    Standard_Real DrillTolerance; //!< a hole drilled this much smaller or larger is as designed
    NCollection_Sequence<TCollection_AsciiString> Phases; //!< phases of the paths checked
    NCollection_Sequence<TCollection_AsciiString> Layers; //!< layers of the paths checked
    Standard_Boolean IsBridged; //!< the copper checks look for bridges between islands

    //! The defaults: 0.01 mm, outline gaps up to VexVerify_Board::DefaultGap(), every phase
    //! and layer, bridges looked for.
    Options()
        : Tolerance(0.01), OutlineGap(VexVerify_Board::DefaultGap()),
          DrillTolerance(DefaultDrillTolerance()), IsBridged(Standard_True)
    {
    }
  };

  //! Creates a verifier with theOptions.
  VexVerify_Verifier(const Options& theOptions) : myOptions(theOptions) {}

  //! Checks theJob (read from theJobFile) against theDesigns in order and fills theReport. Returns
  //! false with Fault() set on bad input: a tolerance that is not a positive length
  //! ("VEX_VERIFY_BAD_TOLERANCE"), an outline gap that is not a length from 0 to 10 mm
  //! ("VEX_VERIFY_BAD_OUTLINE_GAP"), a model with values that are not numbers or beyond a kilometre
  //! ("VEX_VERIFY_OUT_OF_RANGE"), an outline that encloses nothing ("VEX_VERIFY_OUTLINE_EMPTY"),
  //! or a failure of the polygon work ("VEX_VERIFY_GEOMETRY_FAILED").
  Standard_Boolean Perform(const Handle(PenFormatData_Model) & theJob,
                           const TCollection_AsciiString&                theJobFile,
                           const NCollection_Sequence<VexVerify_Design>& theDesigns,
                           VexVerify_Report&                             theReport);

  //! Returns the reason of the last failure.
  const Message_Msg& Fault() const { return myFault; }

  //! Returns the drill tolerance of the defaults, the one a job is made with: 0.05 mm.
  static Standard_Real DefaultDrillTolerance() { return 0.05; }

  //! Returns true when theTolerance is a usable drill tolerance: from 0 to 1 mm.
  static Standard_Boolean IsDrillTolerance(const Standard_Real theTolerance)
  {
    return theTolerance >= 0.0 && theTolerance <= 1.0;
  }

  //! Returns true when theTolerance is a usable tolerance: greater than 0 and at most a
  //! kilometre.
  static Standard_Boolean IsTolerance(const Standard_Real theTolerance);

  //! Returns true when theGap is a usable outline gap: from 0 to 10 mm.
  static Standard_Boolean IsOutlineGap(const Standard_Real theGap);

private:
  //! Returns true when the tolerance and the values of theJob and theDesigns can be checked;
  //! false with myFault set otherwise.
  Standard_Boolean isUsable(const Handle(PenFormatData_Model) & theJob,
                            const TCollection_AsciiString&                theJobFile,
                            const NCollection_Sequence<VexVerify_Design>& theDesigns);

  //! Fills the job's part of theReport.
  void describeJob(const PenFormatData_Model& theJob, VexVerify_Report& theReport) const;

  //! Runs the checks of theDesigns in order into theReport: one for every copper and outline
  //! design, one for all drill designs together in the place of the first. False with myFault
  //! set on failure.
  Standard_Boolean checkAll(const NCollection_Sequence<VexVerify_Design>& theDesigns,
                            const PenFormatData_Model&                    theJob,
                            const class VexVerify_JobPaths& thePaths, VexVerify_Report& theReport);

  //! Runs the check of theDesigns (one copper or outline design, or every drill design) into
  //! theCheck; false with myFault set on failure.
  Standard_Boolean check(const NCollection_Sequence<VexVerify_Design>& theDesigns,
                         const PenFormatData_Model& theJob, const VexVerify_JobPaths& thePaths,
                         VexVerify_Report::Check& theCheck);

  //! Builds the board of the first outline design of theDesigns into myBoard (empty without
  //! one, or when it encloses nothing).
  void findBoard(const NCollection_Sequence<VexVerify_Design>& theDesigns);

  //! Finds the bridges thePaths leave between the islands of copper design theDesign, over the
  //! board, into theCheck; false with myFault set on failure.
  Standard_Boolean checkBridges(const VexVerify_Design&   theDesign,
                                const VexVerify_JobPaths& thePaths,
                                VexVerify_Report::Check&  theCheck);

  //! Returns the drill designs of theDesigns, in order.
  static NCollection_Sequence<VexVerify_Design> drillDesigns(
      const NCollection_Sequence<VexVerify_Design>& theDesigns);

  //! Names theDesigns (one or more of one role) in theCheck: files, role, whether it was given.
  static void describe(const NCollection_Sequence<VexVerify_Design>& theDesigns,
                       VexVerify_Report::Check&                      theCheck);

  Options                 myOptions; //!< what the user chose
  Message_Msg             myFault;   //!< reason of the last failure
  ClipperLib::Paths       myBoard;   //!< the first outline's board, integer units; empty: none
  TCollection_AsciiString myOutline; //!< the file of that outline
};

#endif
