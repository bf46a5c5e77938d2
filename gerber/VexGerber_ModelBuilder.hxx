// Copyright (c) 2026 VexData developers
#ifndef _VexGerber_ModelBuilder_HeaderFile
#define _VexGerber_ModelBuilder_HeaderFile

#include <VexGerber_Listener.hxx>
#include <VexPcb_Nets.hxx>
#include <VexGerber_Shapes.hxx>
#include <VexGerber_Tallies.hxx>
#include <VexGerber_ModelApertures.hxx>

#include <PenFormatData_Model.hxx>
#include <PenFormatData_Sequence.hxx>
#include <VexPcb_TransferReport.hxx>

#include <NCollection_DataMap.hxx>

//! Turns the objects of a Gerber file into pen-format model objects, in drawing order:
//! - dark draws and arcs of a round aperture (a circle without hole) are path toolpaths of that
//!   aperture, a draw that starts where the last one ended continuing its contour;
//! - dark flashes of a round aperture (and zero-length draws) are point toolpaths;
//! - flashes of the other standard apertures (a circle with a hole, a rectangle, an obround, a
//!   polygon) are artwork points of a model aperture of that shape, the aperture transformation
//!   taken into its parameters (VexGerber_FlashAperture), where a model aperture can say it;
//! - everything else is artwork, sequences that are not toolpaths: regions, the other flashes
//!   (macros, transformations no model aperture says) and draws with apertures that are not
//!   round (as their outlines) are filled areas; clear objects carry the clear attribute (areas,
//!   or strokes and points).
//! A new sequence starts whenever the kind, the aperture, the polarity or the net changes, so
//! that every sequence belongs to one net, which is filed beside the model (VexPcb_Nets).
//!
//! Nothing goes into the model until Commit: a file that fails leaves the model as it was. The
//! fault and the warnings go to the report and to the model's messenger.
class VexGerber_ModelBuilder final : public VexGerber_Listener
{
public:
  //! Creates a builder for theModel; objects get thePhase and theLayer; counts, warnings and the
  //! fault go to theReport, the nets of the objects to theNets; its own faults to theFault.
  //! theSize, the bytes of the file, sets what polygon work theLimits allow.
  Standard_EXPORT VexGerber_ModelBuilder(PenFormatData_Model&              theModel,
                                         const TCollection_ExtendedString& thePhase,
                                         const TCollection_ExtendedString& theLayer,
                                         VexPcb_TransferReport& theReport, VexPcb_Nets& theNets,
                                         VexPcb_Fault& theFault, const VexGerber_Limits& theLimits,
                                         const size_t theSize);

  //! Ends the sequence being built and adds the layer, the apertures and the objects to the
  //! model (in millimetres when the model was empty, else converted to its unit), and files the
  //! nets of the objects.
  Standard_EXPORT void Commit();

  //! Adds the counts gathered so far to the report (done on success and on failure alike).
  Standard_EXPORT void FlushCounts();

  Standard_EXPORT Standard_Boolean OnAperture(const Handle(VexGerber_Aperture) &
                                              theAperture) Standard_OVERRIDE;
  Standard_EXPORT Standard_Boolean OnDraw(const Handle(VexGerber_Aperture) & theAperture,
                                          const VexGerber_ApertureTransform& theTransform,
                                          const gp_XY& theFrom, const gp_XY& theTo,
                                          const Standard_Boolean isClear) Standard_OVERRIDE;
  Standard_EXPORT Standard_Boolean OnArc(const Handle(VexGerber_Aperture) & theAperture,
                                         const VexGerber_ApertureTransform& theTransform,
                                         const gp_XY& theFrom, const gp_XY& theTo,
                                         const gp_XY& theCenter, const Standard_Boolean isCcw,
                                         const Standard_Boolean isClear) Standard_OVERRIDE;
  Standard_EXPORT Standard_Boolean OnFlash(const Handle(VexGerber_Aperture) & theAperture,
                                           const VexGerber_ApertureTransform& theTransform,
                                           const gp_XY&                       thePoint,
                                           const Standard_Boolean isClear) Standard_OVERRIDE;
  Standard_EXPORT Standard_Boolean OnRegion(const NCollection_Vector<VexGeom_Contour>& theContours,
                                            const Standard_Boolean isClear) Standard_OVERRIDE;
  Standard_EXPORT Standard_Boolean OnImagePolarity(const Standard_Boolean isNegative)
      Standard_OVERRIDE;
  Standard_EXPORT void OnIgnored(const Standard_CString theKind) Standard_OVERRIDE;
  Standard_EXPORT void OnNet(const TCollection_AsciiString& theNet) Standard_OVERRIDE;
  Standard_EXPORT void OnWarning(const VexPcb_Fault& theWarning) Standard_OVERRIDE;
  Standard_EXPORT void OnFault(const VexPcb_Fault& theFault) Standard_OVERRIDE;

private:
  //! Kinds of sequences.
  enum Kind
  {
    Kind_None,  //!< no sequence yet
    Kind_Path,  //!< strokes of a round aperture
    Kind_Point, //!< flashes of a round aperture
    Kind_Flash, //!< flashes of another standard aperture (artwork points)
    Kind_Area   //!< filled outlines
  };

  //! Returns the model aperture number of theAperture under theTransform, creating the model
  //! aperture on first use; 0 with a fault when no name can be found.
  Standard_Integer modelAperture(const Handle(VexGerber_Aperture) & theAperture,
                                 const VexGerber_ApertureTransform& theTransform);

  //! Makes the sequence being built one of theKind, theAperture and polarity isClear.
  void useSequence(const Kind theKind, const Standard_Integer theAperture,
                   const Standard_Boolean isClear);

  //! Ends the sequence being built and stages it with its net.
  void flushSequence();

  //! Sends theMessage to the model's messenger with theGravity, when it has one.
  void send(const VexPcb_Fault& theMessage, const Message_Gravity theGravity) const;

  //! Returns the contour to continue with a stroke from theFrom.
  const Handle(PhGeom_Curve) & pathFrom(const gp_XY& theFrom);

  //! Adds a point toolpath element at thePoint to the sequence being built.
  void addPoint(const gp_XY& thePoint);

  //! Adds theContour, unless empty, as a child of the area sequence being built.
  void addContour(const VexGeom_Contour& theContour);

  //! Adds the outline swept by theAperture (not a round tool) along thePath to an area sequence
  //! and counts it as theKind (a string literal).
  Standard_Boolean addSwept(const Handle(VexGerber_Aperture) & theAperture,
                            const VexGerber_ApertureTransform& theTransform,
                            const VexGeom_Contour& thePath, const Standard_Boolean isClear,
                            const Standard_CString theKind);

  //! Returns the number of the model aperture whose outline is a flash of the macro theAperture
  //! under theTransform, made on first use; -1 when the flash stays an outline; 0 on a fault.
  Standard_Integer macroFlash(const Handle(VexGerber_Aperture) & theAperture,
                              const VexGerber_ApertureTransform& theTransform);

  //! Adds the outline of a flash of theAperture (not a round tool) at thePoint to an area
  //! sequence and counts it as theKind (a string literal).
  Standard_Boolean addFlash(const Handle(VexGerber_Aperture) & theAperture,
                            const VexGerber_ApertureTransform& theTransform, const gp_XY& thePoint,
                            const Standard_Boolean isClear, const Standard_CString theKind);

  //! Returns theContour as a curve of the model, in the model's unit.
  Handle(PhGeom_Curve) toCurve(const VexGeom_Contour& theContour) const;

  //! Appends an arc from theFrom to theTo around theCenter to theCurve (model unit).
  void addArc(const Handle(PhGeom_Curve) & theCurve, const gp_XY& theFrom, const gp_XY& theTo,
              const gp_XY& theCenter, const Standard_Boolean isCcw) const;

  //! Counts one feature of theKind with theOutcome, or as a clear object when isClear.
  void count(const VexPcb_TransferReport::Outcome theOutcome, const Standard_CString theKind,
             const Standard_Boolean isClear);

  //! Returns the artwork kind of a flash of theAperture.
  static Standard_CString flashKind(const VexGerber_Aperture& theAperture);

  PenFormatData_Model&       myModel;         //!< model filled on Commit
  TCollection_ExtendedString myPhase;         //!< phase of every object
  TCollection_ExtendedString myLayer;         //!< layer of every object
  VexPcb_TransferReport&     myReport;        //!< counts
  VexPcb_Nets&               myNets;          //!< nets of the objects, filed on Commit
  VexPcb_Fault&              myFault;         //!< faults
  VexGerber_Shapes           myShapes;        //!< outlines of apertures
  size_t                     myMacroPolygons; //!< most polygons of a macro flash kept as a flash
  Standard_Real              myFactor;        //!< millimetres to the model's unit
  VexGerber_ModelApertures   myApertures;     //!< model apertures, staged until Commit
  NCollection_List<Handle(PenFormatData_Object)> myObjects;    //!< sequences made
  NCollection_List<TCollection_AsciiString>      myObjectNets; //!< the net of each, in order
  TCollection_AsciiString                        myNet;        //!< net of the objects now
  Kind                                           myKind;       //!< kind of the sequence
  Standard_Integer                               myNumber;     //!< its aperture
  Standard_Boolean                               isClear;      //!< its polarity
  Standard_Boolean                               isNegative;   //!< the file\'s image is negative
  VexGerber_Tallies                              myTallies;    //!< counts not yet in the report
  Handle(PhGeom_Curve) myContainer;                            //!< its contours
  Handle(PhGeom_Curve) myPath;                                 //!< open path contour
  gp_XY                        myPathEnd;                      //!< where it ends (mm)
  std::vector<VexGeom_Contour> myPlaced; //!< outline of the last flash (memory reused)
  VexGeom_Contour              myTurned; //!< a region contour turned round (memory reused)
};

#endif
