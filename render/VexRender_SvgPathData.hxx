// Copyright (c) 2026 VexData developers
#ifndef _VexRender_SvgPathData_HeaderFile
#define _VexRender_SvgPathData_HeaderFile

#include <VexRender_SvgPage.hxx>

#include <VexGeom_Sweep.hxx>

#include <PhGeom_Element.hxx>

//! Writes the geometry of a model as SVG path elements: lines of segments and arcs (arcs as SVG
//! arcs), outlines of filled areas, flashes of aperture shapes and the area an aperture shape
//! sweeps along a segment or an arc. Shapes and sweeps are the shared geometry's (VexGeom_Shape,
//! VexGeom_Sweep), written as their contours: flashes keep their arcs, sweeps of shapes other
//! than circles are the polygons of its integer units turned back into millimetres. Points are
//! model millimetres unless a method says model units.
//!
//! Outlines of flashes and sweeps run counter-clockwise in the model and holes the other way, so
//! that one path element may hold many of them under the non-zero fill rule.
class VexRender_SvgPathData
{
public:
  //! Creates a writer into theBuffer on thePage; theFactor turns model units into millimetres.
  VexRender_SvgPathData(VexRender_SvgBuffer& theBuffer, const VexRender_SvgPage& thePage,
                        const double theFactor)
      : myBuffer(theBuffer), myPage(thePage), myFlattener(myBudget), mySweep(myFlattener),
        myClass(""), myNbPieces(0), myFactor(theFactor), myStrokeWidth(0.0), myHasCurrent(false),
        isOpen(false)
  {
  }

  //! Starts a path element of class theClass, with a stroke-width attribute when theStrokeWidth
  //! is positive. The element is written with its first piece of path data, so a path that gets
  //! none leaves nothing in the picture.
  void Begin(const char* theClass, const double theStrokeWidth);

  //! Closes the path data and the element, if it was written.
  void End();

  //! Makes the next element start a subpath of its own.
  void Break() { myHasCurrent = false; }

  //! Appends theElement (model units). A segment or arc continues the subpath when it starts
  //! where the last one ended; otherwise it starts a new one, or, in the outline of an area
  //! (isArea), joins it with a straight line. An element that cannot be drawn breaks a line; a
  //! point is skipped.
  void Element(const PhGeom_Element& theElement, const bool isArea);

  //! Closes the current subpath of an area outline.
  void Close();

  //! Appends the flash of theShape at theCentre: its outline and, the other way round, its hole.
  void Flash(const VexGeom_Shape& theShape, const gp_XY& theCentre);

  //! Appends the area theShape covers along theElement, a segment or an arc (model units) whose
  //! values are usable lengths (VexGeom_Drawing::IsUsable()).
  void Sweep(const VexGeom_Shape& theShape, const PhGeom_Element& theElement);

private:
  //! Pieces (segments, arcs, flashes, sweeps) after which a path element is split: some 60 KB
  //! of path data. Readers built on libxml2 (rsvg-convert) give up on documents of more than
  //! 10 MB whose attributes are much longer.
  static const size_t THE_PIECES_PER_ELEMENT = 1500;

  //! Closes a long element when its pieces may go into several (isSplittable: lines, flashes and
  //! sweeps, not the contours of an area, whose winding counts over all of them); the next
  //! piece opens another element of the same class at a new subpath.
  void splitIfLong(const bool isSplittable)
  {
    if (isSplittable && isOpen && myNbPieces >= THE_PIECES_PER_ELEMENT)
    {
      End();
      myHasCurrent = false;
    }
  }

  //! Writes the start of the element on its first piece of path data.
  void open()
  {
    if (!isOpen)
    {
      writeStart();
    }
  }

  //! Writes the start of the element and its path data.
  void writeStart();

  //! Appends an arc of theElement's circle from the current point to its end.
  void arc(const PhGeom_Arc& theArc);

  //! Appends theContours (closed), moved by theOffset, as closed subpaths.
  void contours(const NCollection_Vector<VexGeom_Contour>& theContours, const gp_XY& theOffset);

  //! Appends edge theIndex of theContour, moved by theOffset, from the current point.
  void edge(const VexGeom_Contour& theContour, const Standard_Integer theIndex,
            const gp_XY& theOffset);

  //! Appends 'theCommand x y' of thePoint (millimetres).
  void to(const char theCommand, const gp_XY& thePoint);

  //! Appends ' A r r 0 large sweep ' up to the point that follows.
  void arcTo(const double theRadius, const bool isLarge, const bool isSweep, const gp_XY& theEnd);

  VexRender_SvgBuffer&                myBuffer;      //!< destination
  const VexRender_SvgPage&            myPage;        //!< coordinate mapping
  VexGeom_Budget                      myBudget;      //!< unlimited: a model is bounded by its size
  VexGeom_Flattener                   myFlattener;   //!< arcs of sweeps into chords
  VexGeom_Sweep                       mySweep;       //!< sweeps of shapes
  NCollection_Vector<VexGeom_Contour> mySwept;       //!< contours of the last sweep
  const char*                         myClass;       //!< class of the element begun
  size_t                              myNbPieces;    //!< pieces written into the open element
  double                              myFactor;      //!< model units to millimetres
  double                              myStrokeWidth; //!< stroke width of the element begun, 0 none
  gp_XY                               myCurrent;     //!< end of the subpath drawn so far
  bool                                myHasCurrent;  //!< a subpath is open
  bool                                isOpen;        //!< the element's start is written
};

#endif
