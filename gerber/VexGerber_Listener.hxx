// Copyright (c) 2026 VexData developers
#ifndef _VexGerber_Listener_HeaderFile
#define _VexGerber_Listener_HeaderFile

#include <VexGerber_Aperture.hxx>

#include <VexPcb_Fault.hxx>

//! What VexGerber_Parser finds in a Gerber file, object by object in file order, with step and
//! repeat applied and block apertures placed. Coordinates are in millimetres. A handler that
//! cannot go on records its fault in the fault record it shares with the parser and returns
//! false; the parser places the fault on its line and ends with OnFault. No call follows OnFault.
class VexGerber_Listener
{
public:
  //! Virtual destructor.
  virtual ~VexGerber_Listener() {}

  //! A new standard or macro aperture of the file, once its sizes are in millimetres.
  virtual Standard_Boolean OnAperture(const Handle(VexGerber_Aperture) & theAperture) = 0;

  //! The objects that follow belong to theNet (an object attribute .N of the file; empty: to
  //! no net). Told only when it changes.
  virtual void OnNet(const TCollection_AsciiString& theNet) = 0;

  //! A straight draw from theFrom to theTo (the same point for a zero-length draw).
  virtual Standard_Boolean OnDraw(const Handle(VexGerber_Aperture) & theAperture,
                                  const VexGerber_ApertureTransform& theTransform,
                                  const gp_XY& theFrom, const gp_XY& theTo,
                                  const Standard_Boolean isClear) = 0;

  //! An arc from theFrom to theTo around theCenter (exactly as far from both), counter-clockwise
  //! when isCcw; theFrom equal to theTo is a full circle.
  virtual Standard_Boolean OnArc(const Handle(VexGerber_Aperture) & theAperture,
                                 const VexGerber_ApertureTransform& theTransform,
                                 const gp_XY& theFrom, const gp_XY& theTo, const gp_XY& theCenter,
                                 const Standard_Boolean isCcw, const Standard_Boolean isClear) = 0;

  //! A flash of theAperture (a standard or macro aperture) at thePoint.
  virtual Standard_Boolean OnFlash(const Handle(VexGerber_Aperture) & theAperture,
                                   const VexGerber_ApertureTransform& theTransform,
                                   const gp_XY& thePoint, const Standard_Boolean isClear) = 0;

  //! A region: closed contours of segments and arcs, each filling what it encloses.
  virtual Standard_Boolean OnRegion(const NCollection_Vector<VexGeom_Contour>& theContours,
                                    const Standard_Boolean                     isClear) = 0;

  //! %IP: the image is negative (dark features show as clear on a dark background) or not.
  virtual Standard_Boolean OnImagePolarity(const Standard_Boolean isNegative) = 0;

  //! A command read and left out, named by a plural noun for the report.
  virtual void OnIgnored(const Standard_CString theKind) = 0;

  //! Something the file does wrong that the parser read past, placed on its line.
  virtual void OnWarning(const VexPcb_Fault& theWarning) = 0;

  //! The fault that stopped the parse, placed on its line.
  virtual void OnFault(const VexPcb_Fault& theFault) = 0;
};

#endif
