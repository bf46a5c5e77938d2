// Copyright (c) 2026 VexData developers
#ifndef _VexGerber_ObjectSink_HeaderFile
#define _VexGerber_ObjectSink_HeaderFile

#include <VexGerber_Aperture.hxx>

#include <NCollection_Array1.hxx>

//! What a Gerber file draws, object by object in file order, with step and repeat already
//! applied (the listener of VexGerber_Graphics). Coordinates are in millimetres. Each handler
//! returns false to stop the import, after recording its fault in the shared fault record.
class VexGerber_ObjectSink
{
public:
  //! Virtual destructor.
  virtual ~VexGerber_ObjectSink() {}

  //! A new aperture of the file (%AD), reported when it is defined.
  virtual Standard_Boolean OnAperture(const Handle(VexGerber_Aperture) & theAperture) = 0;

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

  //! A flash of theAperture at thePoint.
  virtual Standard_Boolean OnFlash(const Handle(VexGerber_Aperture) & theAperture,
                                   const VexGerber_ApertureTransform& theTransform,
                                   const gp_XY& thePoint, const Standard_Boolean isClear) = 0;

  //! A region: closed contours of segments and arcs, each filling what it encloses. The array
  //! is a view of the reader's own contours, valid during the call only.
  virtual Standard_Boolean OnRegion(const NCollection_Array1<VexGeom_Contour>& theContours,
                                    const Standard_Boolean                     isClear) = 0;

  //! %IP: the image is negative (dark features show as clear on a dark background) or not.
  virtual Standard_Boolean OnImagePolarity(const Standard_Boolean isNegative) = 0;

  //! A command read and left out, named by a plural noun for the report.
  virtual void OnIgnored(const Standard_CString theKind) = 0;
};

#endif
