// Copyright (c) 2026 VexData developers
#ifndef _VexGerber_Graphics_HeaderFile
#define _VexGerber_Graphics_HeaderFile

#include <VexGerber_ApertureTable.hxx>
#include <VexGerber_Fault.hxx>
#include <VexGerber_Limits.hxx>
#include <VexGerber_ObjectSink.hxx>

#include <NCollection_DataMap.hxx>

#include <vector>

//! The graphics state of a Gerber file: turns the command stream of VexGerber_Parser into the
//! objects it draws and reports them to a VexGerber_ObjectSink. It keeps the unit, the current
//! point, the current aperture, the interpolation and quadrant modes, the polarity, the
//! aperture transformation and the image offset; resolves arcs (single quadrant: the centre
//! among the four sign choices that gives an arc of at most a quarter turn; multi quadrant: the
//! signed offset, a full circle when the arc ends where it starts), moving the centre onto the
//! line of points as far from both ends so that both lie on the circle; gathers region contours;
//! and records the objects of a step-and-repeat block to hand them over once per copy.
class VexGerber_Graphics : public VexGerber_ParserSink
{
public:
  //! Creates the state; isInch is the unit assumed until the file states its own.
  Standard_EXPORT VexGerber_Graphics(VexGerber_ObjectSink& theSink, VexGerber_Fault& theFault,
                                     const VexGerber_Limits& theLimits,
                                     const Standard_Boolean  isInch);

  //! Returns the number of objects handed over (draws, arcs, flashes, region edges).
  Standard_Integer NbObjects() const { return myObjects; }

  //! Returns true when the file stated its unit.
  Standard_Boolean HasUnit() const { return hasUnit; }

  Standard_EXPORT Standard_Boolean OnFormat(const VexGerber_Format& theFormat) Standard_OVERRIDE;
  Standard_EXPORT Standard_Boolean OnUnit(const Standard_Boolean isInch) Standard_OVERRIDE;
  Standard_EXPORT Standard_Boolean OnIncremental(const Standard_Boolean isIncremental)
      Standard_OVERRIDE;
  Standard_EXPORT Standard_Boolean
  OnApertureDefinition(const Standard_Integer theNumber, const TCollection_AsciiString& theTemplate,
                       const NCollection_Vector<Standard_Real>& theParams) Standard_OVERRIDE;
  Standard_EXPORT Standard_Boolean OnMalformedAperture(
      const Standard_Integer theNumber, const TCollection_AsciiString& theText) Standard_OVERRIDE;
  Standard_EXPORT Standard_Boolean OnMacro(const Handle(VexGerber_Macro) &
                                           theMacro) Standard_OVERRIDE;
  Standard_EXPORT Standard_Boolean OnPolarity(const Standard_Boolean isClear) Standard_OVERRIDE;
  Standard_EXPORT Standard_Boolean OnStepRepeat(const Standard_Integer theCountX,
                                                const Standard_Integer theCountY,
                                                const Standard_Real    theStepX,
                                                const Standard_Real    theStepY) Standard_OVERRIDE;
  Standard_EXPORT Standard_Boolean OnApertureMirror(const VexGerber_Mirror theMirror)
      Standard_OVERRIDE;
  Standard_EXPORT Standard_Boolean OnApertureRotation(const Standard_Real theDegrees)
      Standard_OVERRIDE;
  Standard_EXPORT Standard_Boolean OnApertureScale(const Standard_Real theScale) Standard_OVERRIDE;
  Standard_EXPORT Standard_Boolean OnImageOffset(const Standard_Real theA,
                                                 const Standard_Real theB) Standard_OVERRIDE;
  Standard_EXPORT Standard_Boolean OnImagePolarity(const Standard_Boolean isNegative)
      Standard_OVERRIDE;
  Standard_EXPORT Standard_Boolean OnInterpolation(const Standard_Integer theMode)
      Standard_OVERRIDE;
  Standard_EXPORT Standard_Boolean OnQuadrantMode(const Standard_Boolean isMulti) Standard_OVERRIDE;
  Standard_EXPORT Standard_Boolean OnRegion(const Standard_Boolean isBegin) Standard_OVERRIDE;
  Standard_EXPORT Standard_Boolean OnSelectAperture(const Standard_Integer theNumber)
      Standard_OVERRIDE;
  Standard_EXPORT Standard_Boolean OnOperation(
      const Standard_Integer theCode, const VexGerber_Coordinates& theCoords) Standard_OVERRIDE;
  Standard_EXPORT void             OnIgnored(const Standard_CString theKind) Standard_OVERRIDE;
  Standard_EXPORT Standard_Boolean OnEnd(const Standard_Boolean isExplicit) Standard_OVERRIDE;

private:
  //! One object kept while a step-and-repeat block is open.
  struct Event
  {
    enum Kind
    {
      Kind_Draw,
      Kind_Arc,
      Kind_Flash,
      Kind_Region
    };
    Kind Type;                             //!< what it is
    Handle(VexGerber_Aperture) Aperture;   //!< aperture used (none for a region)
    VexGerber_ApertureTransform Transform; //!< aperture transformation in force
    gp_XY                       From;      //!< start, or flash point
    gp_XY                       To;        //!< end
    gp_XY                       Center;    //!< arc centre
    Standard_Boolean            Ccw;       //!< arc direction
    Standard_Boolean            Clear;     //!< polarity
    Standard_Integer            Region;    //!< index of the block's region, -1 the one just read

    //! Creates a draw with every field set, so that copies never read an unset value.
    Event() : Type(Kind_Draw), Ccw(Standard_False), Clear(Standard_False), Region(-1) {}
  };

  //! Returns the point the coordinates lead to from the current point.
  gp_XY target(const VexGerber_Coordinates& theCoords) const;

  //! Resolves the centre of an arc from theFrom to theTo with offsets theI, theJ (mm); false
  //! when the arc has no length (single-quadrant mode ending where it starts).
  Standard_Boolean arcCenter(const gp_XY& theFrom, const gp_XY& theTo, const Standard_Real theI,
                             const Standard_Real theJ, gp_XY& theCenter) const;

  //! Handles D01 to theTo (theCoords for the arc offsets).
  Standard_Boolean interpolate(const gp_XY& theTo, const VexGerber_Coordinates& theCoords);

  //! Adds a segment or an arc to the region contour being gathered.
  Standard_Boolean regionEdge(const gp_XY& theTo, const Standard_Boolean isArc,
                              const gp_XY& theCenter, const Standard_Boolean isFull);

  //! Ends the region contour being gathered (closing it when it is open).
  void endContour();

  //! Hands theEvent over now, or keeps it while a block is open.
  Standard_Boolean emit(Event& theEvent);

  //! Hands theEvent over, moved by theOffset.
  Standard_Boolean deliver(const Event& theEvent, const gp_XY& theOffset);

  //! Hands the kept objects over once per copy and closes the block.
  Standard_Boolean closeBlock();

  //! Counts theCount more objects; false with the fault when the bound is passed.
  Standard_Boolean spend(const Standard_Integer theCount);

  VexGerber_ObjectSink&        mySink;             //!< where objects go
  VexGerber_Fault&             myFault;            //!< faults and the current line
  const VexGerber_Limits&      myLimits;           //!< bounds
  VexGerber_ApertureTable      myApertures;        //!< apertures, macros, the selected one
  VexGerber_ApertureTransform  myTransform;        //!< aperture transformation
  gp_XY                        myPoint;            //!< current point, mm
  gp_XY                        myOffset;           //!< image offset, mm
  Standard_Real                myFactor;           //!< file unit in mm
  Standard_Integer             myMode;             //!< interpolation: 1, 2 (cw), 3 (ccw)
  Standard_Integer             myLastCode;         //!< last D01/D02/D03, 0 none
  Standard_Boolean             hasUnit;            //!< the file stated its unit
  Standard_Boolean             isMulti;            //!< multi-quadrant arcs
  Standard_Boolean             isIncremental;      //!< incremental coordinates
  Standard_Boolean             isClear;            //!< clear polarity
  Standard_Boolean             isRegion;           //!< inside G36 ... G37
  std::vector<VexGeom_Contour> myContours;         //!< contours of the region being read (reused)
  Standard_Integer             myNbContours;       //!< how many of them the region has so far
  Standard_Boolean             hasContour;         //!< myContours[myNbContours] is being gathered
  Standard_Boolean             isBlock;            //!< a step-and-repeat block is open
  Standard_Integer             myCountX, myCountY; //!< copies of the block
  gp_XY                        myStep;             //!< steps of the block, mm
  NCollection_Vector<Event>    myEvents;           //!< objects of the open block
  std::vector<std::vector<VexGeom_Contour>> myRegions; //!< their regions
  std::vector<VexGeom_Contour> myMoved;   //!< a region moved to a copy of the block (reused)
  Standard_Integer             myObjects; //!< objects handed over
};

#endif
