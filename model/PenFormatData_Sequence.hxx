// Copyright (c) 2026 VexData developers
#ifndef _PenFormatData_Sequence_HeaderFile
#define _PenFormatData_Sequence_HeaderFile

#include <PenFormatData_Object.hxx>
#include <PenFormatData_ToolpathMode.hxx>
#include <PhGeom_Curve.hxx>
#include <TCollection_ExtendedString.hxx>

//! A sequence of contours drawn with one aperture. A toolpath is a sequence whose toolpath flag is
//! not 0; its toolpath mode tells path toolpaths (1: segments and arcs) from point toolpaths
//! (2: drill points). The curve is a container whose child curves are the contours.
//!
//! Sequences that are not toolpaths also carry the artwork of design files. Two drawing
//! attributes say how such a sequence looks; both are false for toolpaths and scan fields:
//! - area: the contours are closed outlines of a filled area instead of centre lines drawn with
//!   the aperture. The area is every point whose winding number, counted over all contours of
//!   the sequence, is not 0: outlines run counter-clockwise, holes clockwise.
//! - clear: the sequence erases what the sequences before it in the object list drew (clear
//!   polarity), instead of adding to it.
class PenFormatData_Sequence : public PenFormatData_Object
{
  DEFINE_STANDARD_RTTIEXT(PenFormatData_Sequence, PenFormatData_Object)
public:
  //! Creates a sequence drawn with aperture theAperture over the container curve theCurve.
  //! theFlags is kept for the host and has no meaning to the model library.
  Standard_EXPORT PenFormatData_Sequence(const Standard_Integer theAperture,
                                         const Standard_Integer theFlags,
                                         const Handle(PhGeom_Curve) & theCurve);

  //! Returns the aperture number (1-based index in the model's aperture table).
  Standard_Integer ApertureNumber() const { return myAperture; }

  //! Sets the aperture number.
  void SetApertureNumber(const Standard_Integer theAperture) { myAperture = theAperture; }

  //! Returns the flags given at construction.
  Standard_Integer Flags() const { return myFlags; }

  //! Returns the container curve.
  const Handle(PhGeom_Curve) & GetCurve() const { return myCurve; }

  //! Replaces the container curve.
  void SetCurve(const Handle(PhGeom_Curve) & theCurve) { myCurve = theCurve; }

  //! Returns the layer name (empty: no layer).
  const TCollection_ExtendedString& LayerName() const { return myLayerName; }

  //! Sets the layer name.
  void SetLayerName(const TCollection_ExtendedString& theName) { myLayerName = theName; }

  //! Returns the phase name.
  const TCollection_ExtendedString& PhaseName() const { return myPhaseName; }

  //! Sets the phase name.
  void SetPhaseName(const TCollection_ExtendedString& theName) { myPhaseName = theName; }

  //! Returns the toolpath mode: PenFormatData_TM_Path or PenFormatData_TM_Point for a toolpath.
  Standard_Integer ToolpathMode() const { return myToolpathMode; }

  //! Sets the toolpath mode.
  void SetToolpathMode(const Standard_Integer theMode) { myToolpathMode = theMode; }

  //! Returns the toolpath flag: 0 for a sequence that is not a toolpath.
  Standard_Integer ToolpathFlag() const { return myToolpathFlag; }

  //! Sets the toolpath flag.
  void SetToolpathFlag(const Standard_Integer theFlag) { myToolpathFlag = theFlag; }

  //! Returns the index of the sequence's scan field in the model's scan-field list (0: none).
  Standard_Integer ScanFieldIndex() const { return myScanFieldIndex; }

  //! Sets the scan-field index.
  void SetScanFieldIndex(const Standard_Integer theIndex) { myScanFieldIndex = theIndex; }

  //! Returns true when the contours outline a filled area rather than lines drawn with the
  //! aperture.
  Standard_Boolean IsArea() const { return isArea; }

  //! Marks the contours as the outlines of a filled area (true) or as drawn lines (false).
  void SetArea(const Standard_Boolean theIsArea) { isArea = theIsArea; }

  //! Returns true when the sequence erases what was drawn before it (clear polarity).
  Standard_Boolean IsClear() const { return isClear; }

  //! Sets clear polarity (true) or dark polarity (false, the default).
  void SetClear(const Standard_Boolean theIsClear) { isClear = theIsClear; }

private:
  Handle(PhGeom_Curve) myCurve;                //!< container of the contours
  TCollection_ExtendedString myLayerName;      //!< layer name
  TCollection_ExtendedString myPhaseName;      //!< phase name
  Standard_Integer           myAperture;       //!< aperture number
  Standard_Integer           myFlags;          //!< host flags, passed through
  Standard_Integer           myToolpathMode;   //!< 1 paths, 2 drill points
  Standard_Integer           myToolpathFlag;   //!< 0: not a toolpath
  Standard_Integer           myScanFieldIndex; //!< index in the scan-field list, 0 none
  Standard_Boolean           isArea;           //!< contours outline a filled area
  Standard_Boolean           isClear;          //!< clear polarity: erases what lies below
};

DEFINE_STANDARD_HANDLE(PenFormatData_Sequence, PenFormatData_Object)

#endif
