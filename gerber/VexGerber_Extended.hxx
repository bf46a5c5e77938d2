// Copyright (c) 2026 VexData developers
#ifndef _VexGerber_Extended_HeaderFile
#define _VexGerber_Extended_HeaderFile

#include <VexGerber_Graphics.hxx>

//! The extended commands of a Gerber file (the ones between '%' signs), one at a time: format,
//! unit, aperture definitions, aperture blocks, polarity, step and repeat, aperture
//! transformations, attributes (of which the net of the objects is kept) and the deprecated image
//! parameters. Aperture macros are assembled by VexGerber_Parser, which knows where their
//! statements end. Each handler checks the syntax and calls the graphics state; a command this
//! reader does not know is skipped with a warning, unless it is a known one written in lower case.
class VexGerber_Extended
{
public:
  //! Creates the handler; theFormat receives the coordinate format of %FS.
  VexGerber_Extended(VexGerber_Graphics& theGraphics, VexPcb_Fault& theFault,
                     VexGerber_Format& theFormat, Standard_Boolean& hasFormat)
      : myGraphics(theGraphics), myFault(theFault), myFormat(theFormat), hasFormat(hasFormat)
  {
  }

  //! Handles one command (theLength bytes from theText, without its '*' and line breaks) that
  //! starts on theLine.
  Standard_EXPORT Standard_Boolean Command(const char* theText, const Standard_Integer theLength,
                                           const Standard_Integer theLine);

  //! Handles the attribute theText (theLength bytes, "TO..." or "TD..."): keeps the net of the
  //! objects that follow, counts the others.
  Standard_EXPORT void Attribute(const char* theText, const Standard_Integer theLength);

private:
  //! Reads %FS.
  Standard_Boolean format(const char* thePos, const char* theEnd);

  //! Reads the two digits of one axis of %FS.
  Standard_Boolean formatDigits(const char*& thePos, const char* theEnd, const char theAxis,
                                Standard_Integer& theInteger, Standard_Integer& theDecimal);

  //! Reads %MO.
  Standard_Boolean unit(const char* thePos, const char* theEnd);

  //! Reads %AD of the command that starts on theLine.
  Standard_Boolean apertureDefinition(const char* thePos, const char* theEnd,
                                      const Standard_Integer theLine);

  //! Reads %AB.
  Standard_Boolean apertureBlock(const char* thePos, const char* theEnd);

  //! Handles a command of no known code: a fault when it is a known one in lower case, else it
  //! is skipped.
  Standard_Boolean unknown(const char* theText, const Standard_Integer theLength);

  //! Reads the parameters of %AD from the ',' at thePos; false when they do not parse.
  Standard_Boolean apertureParams(const char* thePos, const char* theEnd,
                                  NCollection_Vector<Standard_Real>& theParams);

  //! Reads %LP.
  Standard_Boolean polarity(const char* thePos, const char* theEnd);

  //! Reads %SR.
  Standard_Boolean stepRepeat(const char* thePos, const char* theEnd);

  //! Reads %LM, %LR and %LS.
  Standard_Boolean apertureTransform(const char theKind, const char* thePos, const char* theEnd);

  //! Reads %OF.
  Standard_Boolean offset(const char* thePos, const char* theEnd);

  //! Reads %IP.
  Standard_Boolean imagePolarity(const char* thePos, const char* theEnd);

  //! Accepts a deprecated image parameter (%AS, %MI, %SF, %IR) at its neutral value only.
  Standard_Boolean neutralImageParameter(const char* theText, const char* theEnd);

  //! Reads a letter followed by a decimal number (as in "X1.5"), when theLetter comes next.
  Standard_Boolean letterValue(const char*& thePos, const char* theEnd, const char theLetter,
                               Standard_Real& theValue, Standard_Boolean& isGiven);

  //! Records a syntax fault quoting the command.
  Standard_Boolean syntaxFault();

  VexGerber_Graphics&     myGraphics; //!< where commands go
  VexPcb_Fault&           myFault;    //!< where faults go
  VexGerber_Format&       myFormat;   //!< the parser's coordinate format
  Standard_Boolean&       hasFormat;  //!< set once %FS was read
  TCollection_AsciiString myCommand;  //!< the command being handled, for messages
};

#endif
