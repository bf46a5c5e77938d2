// Copyright (c) 2026 VexData developers
#ifndef _VexFuzz_ModelScript_HeaderFile
#define _VexFuzz_ModelScript_HeaderFile

#include <PenFormatData_Model.hxx>
#include <PenFormatData_Sequence.hxx>

#include <NCollection_Sequence.hxx>
#include <TCollection_ExtendedString.hxx>

#include <string>

//! Turns the input of the export-parameter fuzz target into export parameters and a small model.
//! The input is read line by line. A line that starts with "@" is a model instruction; every
//! other line is one export parameter (UTF-8). Instructions are one letter and argument bytes;
//! a missing argument byte counts as "@" (value 64), or as "0" where a number is expected:
//! - "A n w": aperture (next number) named names[n], round, width (w - 64) / 8;
//! - "B n k": aperture the writer must refuse or flag: k % 5 gives shape 2, two parameters, no
//!   tool flag, a null entry, or a width that is not a number;
//! - "S p l a m f": toolpath with phase names[p], layer names[l], aperture number a - 48, mode
//!   m - 48, scan-field index f - 48; it receives a first contour;
//! - "C": a new contour in the last toolpath;
//! - "L x y x y": a segment; "R x y r a b s": an arc (centre, radius, angles (v - 64) * pi / 16,
//!   sense s odd); "P x y": a point; coordinates are (v - 64) / 4;
//! - "F n o w h x y": scan field number n - 48, order o - 48, size and centre as coordinates;
//!   "N": a null scan field;
//! - "U u": dimension unit u % 4; "O": a layer object; "Z": a sequence that is no toolpath;
//!   "X": a null object.
class VexFuzz_ModelScript
{
public:
  //! Fills theModel (empty, with its messenger set) and theParams from theInput.
  static void Build(const std::string& theInput, PenFormatData_Model& theModel,
                    NCollection_Sequence<TCollection_ExtendedString>& theParams);

private:
  //! Argument bytes of one instruction.
  class Args
  {
  public:
    //! Reads the arguments in theLine after its first two characters.
    Args(const std::string& theLine) : myLine(theLine), myNext(2) {}

    //! Returns the next argument byte, theDefault when there is none.
    int Byte(const int theDefault = 64)
    {
      return myNext < myLine.size() ? static_cast<unsigned char>(myLine[myNext++]) : theDefault;
    }

    //! Returns the next argument as a coordinate.
    double Coord() { return (Byte() - 64) / 4.0; }

    //! Returns the next argument as a small integer counted from "0" (0 when there is none).
    int Number() { return Byte('0') - '0'; }

    //! Returns the name the next argument selects.
    TCollection_ExtendedString Name();

  private:
    const std::string& myLine; //!< instruction line
    size_t             myNext; //!< next argument position
  };

  //! Applies the instruction theLine to theModel; theLast is the last toolpath and its contour.
  static void apply(const std::string& theLine, PenFormatData_Model& theModel,
                    Handle(PenFormatData_Sequence) & theLast, Handle(PhGeom_Curve) & theContour);

  //! Adds an aperture for "A" (theRefused false) or "B" (true).
  static void addAperture(Args& theArgs, PenFormatData_Model& theModel, const bool theRefused);

  //! Adds a toolpath with a first contour.
  static void addToolpath(Args& theArgs, PenFormatData_Model& theModel,
                          Handle(PenFormatData_Sequence) & theLast,
                          Handle(PhGeom_Curve) & theContour);

  //! Adds an element to theContour.
  static void addElement(const char theKind, Args& theArgs,
                         const Handle(PhGeom_Curve) & theContour);

  //! Adds a scan field, or a null one.
  static void addScanField(Args& theArgs, PenFormatData_Model& theModel, const bool theNull);

  //! Adds an object that is not a toolpath, or a null one.
  static void addOther(const char theKind, PenFormatData_Model& theModel);
};

#endif
