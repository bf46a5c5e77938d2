// Copyright (c) 2026 VexData developers
#ifndef _VexGerber_Block_HeaderFile
#define _VexGerber_Block_HeaderFile

#include <VexGerber_Aperture.hxx>

//! One graphical object of a Gerber file, in millimetres, with what was in force when it was
//! made: its aperture and the aperture transformation, the polarity and the net.
struct VexGerber_Object
{
  //! What the object is.
  enum Kind
  {
    Kind_Draw,  //!< a straight draw (D01 in linear interpolation)
    Kind_Arc,   //!< a circular draw (D01 in circular interpolation)
    Kind_Flash, //!< a flash (D03)
    Kind_Region //!< a region (G36 ... G37)
  };

  Kind Type;                             //!< what it is
  Handle(VexGerber_Aperture) Aperture;   //!< aperture used (none for a region)
  VexGerber_ApertureTransform Transform; //!< aperture transformation in force
  gp_XY                       From;      //!< start, or flash point
  gp_XY                       To;        //!< end
  gp_XY                       Center;    //!< arc centre
  Standard_Boolean            Ccw;       //!< arc direction
  Standard_Boolean            Clear;     //!< polarity
  Standard_Integer            Region;    //!< index of a region's contours in its block
  Standard_Integer            Net;       //!< index of its net among the file's nets, 0 none

  //! Creates a draw with every field set, so that copies never read an unset value.
  VexGerber_Object()
      : Type(Kind_Draw), Ccw(Standard_False), Clear(Standard_False), Region(0), Net(0)
  {
  }
};

//! Objects kept together: the contents of an aperture block (the objects a block aperture
//! places where it is flashed) or of a step-and-repeat block waiting to be copied. A region's
//! contours are kept beside the objects.
class VexGerber_Block : public Standard_Transient
{
  DEFINE_STANDARD_RTTIEXT(VexGerber_Block, Standard_Transient)
public:
  //! Creates an empty block.
  VexGerber_Block() : myObjects(64), myRegions(8), myDepth(1) {}

  //! Returns the objects in the order they were made.
  const NCollection_Vector<VexGerber_Object>& Objects() const { return myObjects; }

  //! Returns the contours of the region object whose Region is theIndex.
  const NCollection_Vector<VexGeom_Contour>& Region(const Standard_Integer theIndex) const
  {
    return myRegions(theIndex);
  }

  //! Appends theObject; for a region, theContours are kept with it.
  Standard_EXPORT void Add(const VexGerber_Object&                    theObject,
                           const NCollection_Vector<VexGeom_Contour>& theContours);

  //! Returns how deep block apertures nest when this block is placed: 1 when it flashes no
  //! block aperture, one more than the deepest it flashes otherwise.
  Standard_Integer Depth() const { return myDepth; }

  //! Makes the depth at least theDepth.
  void RaiseDepth(const Standard_Integer theDepth) { myDepth = Max(myDepth, theDepth); }

  //! Forgets every object.
  Standard_EXPORT void Clear();

private:
  NCollection_Vector<VexGerber_Object>                    myObjects; //!< objects in order
  NCollection_Vector<NCollection_Vector<VexGeom_Contour>> myRegions; //!< contours of regions
  Standard_Integer                                        myDepth;   //!< nesting when placed
};

DEFINE_STANDARD_HANDLE(VexGerber_Block, Standard_Transient)

#endif
