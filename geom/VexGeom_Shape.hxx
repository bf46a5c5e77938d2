// Copyright (c) 2026 VexData developers
#ifndef _VexGeom_Shape_HeaderFile
#define _VexGeom_Shape_HeaderFile

#include <VexGeom_Contour.hxx>

#include <vector>

#include <PenFormatData_Aperture.hxx>

//! The shape of an aperture around its centre, in millimetres: a circle, a rectangle, an obround
//! or a regular polygon, each with an optional round hole, or the outline of a macro as
//! polygons. Its contours are exact (segments and arcs): outlines counter-clockwise, the hole
//! clockwise. A shape with a size of 0 covers nothing; a shape of kind none is not drawable.
class VexGeom_Shape
{
public:
  //! Kinds of shapes.
  enum Kind
  {
    Kind_None,      //!< not drawable
    Kind_Circle,    //!< diameter
    Kind_Rectangle, //!< width and height
    Kind_Obround,   //!< width and height, the shorter side round
    Kind_Polygon,   //!< diameter of the circumscribed circle, vertices, rotation
    Kind_Outline    //!< polygons of a macro
  };

  //! Creates a shape that is not drawable.
  Standard_EXPORT VexGeom_Shape();

  //! Returns a circle of theDiameter with a hole of theHole (0: none).
  Standard_EXPORT static VexGeom_Shape Circle(const double theDiameter, const double theHole);

  //! Returns a rectangle of theWidth by theHeight with a hole of theHole.
  Standard_EXPORT static VexGeom_Shape Rectangle(const double theWidth, const double theHeight,
                                                 const double theHole);

  //! Returns an obround of theWidth by theHeight with a hole of theHole.
  Standard_EXPORT static VexGeom_Shape Obround(const double theWidth, const double theHeight,
                                               const double theHole);

  //! Returns a regular polygon of theVertices inscribed in a circle of theDiameter, its first
  //! vertex at theDegrees, with a hole of theHole. Fewer than three vertices cover nothing.
  Standard_EXPORT static VexGeom_Shape Polygon(const double           theDiameter,
                                               const Standard_Integer theVertices,
                                               const double theDegrees, const double theHole);

  //! Returns the shape of theContours (closed, outlines counter-clockwise, holes clockwise).
  Standard_EXPORT static VexGeom_Shape Outline(
      const NCollection_Vector<VexGeom_Contour>& theContours);

  //! Returns the shape of the model aperture theAperture (may be null), whose lengths theFactor
  //! turns into millimetres: round, rectangular, obround and polygonal apertures with numbers for
  //! sizes (0 or more), and macros with a sound outline, are drawable; macros without one (whose
  //! definition a model does not keep) and apertures whose parameters are missing or not
  //! numbers are not.
  Standard_EXPORT static VexGeom_Shape FromAperture(const Handle(PenFormatData_Aperture) &
                                                        theAperture,
                                                    const double theFactor);

  //! Returns the kind.
  Kind GetKind() const { return myKind; }

  //! Returns true when the shape can be drawn.
  bool IsDrawable() const { return myKind != Kind_None; }

  //! Returns true for a circle (with or without hole).
  bool IsCircle() const { return myKind == Kind_Circle; }

  //! Returns true when a flash covers nothing.
  bool IsEmpty() const { return myContours.IsEmpty(); }

  //! Returns the width: the diameter of a circle or polygon.
  double Width() const { return myWidth; }

  //! Returns the height: the diameter of a circle or polygon.
  double Height() const { return myHeight; }

  //! Returns the diameter of the hole (0: none).
  double Hole() const { return myHole; }

  //! Returns the half sides of the box a flash covers around its centre.
  const gp_XY& HalfExtent() const { return myHalfExtent; }

  //! Returns the contours around the origin.
  const NCollection_Vector<VexGeom_Contour>& Contours() const { return myContours; }

  //! Appends the contours of a flash at thePoint to theContours.
  Standard_EXPORT void Place(const gp_XY&                         thePoint,
                             NCollection_Vector<VexGeom_Contour>& theContours) const;

  //! Appends the contours of a flash at thePoint, mapped by theMatrix about the centre
  //! (rotation, uniform scale, mirror), to theContours; a mirror keeps the orientations.
  Standard_EXPORT void Place(const gp_Mat2d& theMatrix, const gp_XY& thePoint,
                             NCollection_Vector<VexGeom_Contour>& theContours) const;

  //! Makes theContours the contours of a flash at thePoint mapped by theMatrix, as Place does;
  //! the contours theContours held are overwritten, so that their memory serves again.
  Standard_EXPORT void PlaceInto(const gp_Mat2d& theMatrix, const gp_XY& thePoint,
                                 std::vector<VexGeom_Contour>& theContours) const;

private:
  //! Creates a shape of theKind and sides without contours.
  VexGeom_Shape(const Kind theKind, const double theWidth, const double theHeight);

  //! Returns a shape of theKind (not an outline) with its contours: theVertices and theDegrees
  //! for a polygon.
  static VexGeom_Shape make(const Kind theKind, const double theWidth, const double theHeight,
                            const double theHole, const Standard_Integer theVertices,
                            const double theDegrees);

  //! Sets theTarget to theSource mapped by theMatrix and moved to thePoint, turned back when
  //! isMirror.
  static void placeOne(const VexGeom_Contour& theSource, const gp_Mat2d& theMatrix,
                       const gp_XY& thePoint, const bool isMirror, VexGeom_Contour& theTarget);

  //! Appends the hole and computes the extent once the outline is made.
  void finish(const double theHole);

  //! Appends a circle of theDiameter around the origin, clockwise when isHole.
  void addCircle(const double theDiameter, const bool isHole);

  //! Appends the rectangle of the shape's sides.
  void addRectangle();

  //! Appends the obround of the shape's sides.
  void addObround();

  //! Appends the regular polygon of theVertices first at theDegrees.
  void addPolygon(const Standard_Integer theVertices, const double theDegrees);

  NCollection_Vector<VexGeom_Contour> myContours;   //!< around the origin
  gp_XY                               myHalfExtent; //!< half sides of the covered box
  double                              myWidth;      //!< width or diameter
  double                              myHeight;     //!< height or diameter
  double                              myHole;       //!< hole diameter, 0 none
  Kind                                myKind;       //!< kind
};

#endif
