// Copyright (c) 2026 VexData developers
#ifndef _PhGeom_Curve_HeaderFile
#define _PhGeom_Curve_HeaderFile

#include <PhGeom_Element.hxx>
#include <NCollection_IncAllocator.hxx>
#include <NCollection_List.hxx>
#include <Standard_Transient.hxx>
#include <Standard_Type.hxx>
#include <gp_Trsf2d.hxx>

class PhGeom_Curve;
DEFINE_STANDARD_HANDLE(PhGeom_Curve, Standard_Transient)

//! A 2-D curve: a ring of elements (arcs, segments, points) that starts at FirstElement(), and a
//! list of child curves. A toolpath's container curve holds its contours as children.
//!
//! A board holds millions of curves (every drill point is a curve of its own), so a curve is kept
//! small: the curve itself, its elements, its child list and the list's nodes all live in the
//! model's incremental allocator, which every curve keeps alive. Releasing the last handle runs
//! the destructor (releasing the children) but returns no memory: the allocator frees it all at
//! once when the model and the last curve are gone.
class PhGeom_Curve : public Standard_Transient
{
  DEFINE_STANDARD_RTTIEXT(PhGeom_Curve, Standard_Transient)
public:
  //! Creates an empty curve of the given type whose elements come from theAllocator.
  //! Returns a null handle when theAllocator is null.
  Standard_EXPORT static Handle(PhGeom_Curve)
      Create(const Handle(NCollection_IncAllocator) & theAllocator, const Standard_Integer theType);

  //! Returns the curve type given at creation.
  Standard_Integer Type() const { return myType; }

  //! Returns the number of elements.
  Standard_Integer NbElements() const { return myNbElements; }

  //! Returns the first element, or NULL for a curve without elements.
  const PhGeom_Element* FirstElement() const { return myLast == NULL ? NULL : myLast->Next(); }

  //! Appends a point element.
  Standard_EXPORT const PhGeom_Point* CreatePoint(const gp_XY& thePoint);

  //! Appends a segment from theStart to theEnd.
  Standard_EXPORT const PhGeom_Segment* CreateSegment(const gp_XY& theStart, const gp_XY& theEnd);

  //! Appends an arc around theCenter from angle theAngle1 to theAngle2 (radians); theSense 1
  //! runs counter-clockwise, 0 clockwise.
  Standard_EXPORT const PhGeom_Arc* CreateArc(const gp_XY& theCenter, const Standard_Real theRadius,
                                              const Standard_Real    theAngle1,
                                              const Standard_Real    theAngle2,
                                              const Standard_Integer theSense);

  //! Appends a copy of theElement. With theReverse not 0 the copy runs the other way;
  //! theCopyMode is accepted for the host's sake and only 1 (plain copy) is supported.
  Standard_EXPORT const PhGeom_Element* CreateElement(const PhGeom_Element&  theElement,
                                                      const Standard_Integer theReverse,
                                                      const Standard_Integer theCopyMode);

  //! Applies theTrsf to every element of the curve (children are not touched).
  Standard_EXPORT void Transform(const gp_Trsf2d& theTrsf);

  //! Returns the child curves. A curve without children returns a shared empty list, so a
  //! reference taken before the first AddChild does not see the children added after it.
  Standard_EXPORT const NCollection_List<Handle(PhGeom_Curve)>& Children() const;

  //! Appends theChild to the child curves.
  Standard_EXPORT void AddChild(const Handle(PhGeom_Curve) & theChild);

  //! Appends theChild to the child curves, taking over the caller's reference (a curve made for
  //! the list goes in without touching its reference count).
  Standard_EXPORT void AddChild(Handle(PhGeom_Curve) && theChild);

  //! Runs the destructor when the last handle goes; the memory stays with the allocator.
  Standard_EXPORT virtual void Delete() const Standard_OVERRIDE;

  //! Returns the allocator the elements come from.
  const Handle(NCollection_IncAllocator) & Allocator() const { return myAllocator; }

  //! Forward iteration over the ring of elements, from the first one until the ring closes.
  class ElementIterator
  {
  public:
    //! Starts at the curve's first element.
    ElementIterator(const PhGeom_Curve& theCurve)
        : myFirst(theCurve.FirstElement()), myCurrent(myFirst)
    {
    }

    //! Returns true while an element is available.
    Standard_Boolean More() const { return myCurrent != NULL; }

    //! Moves to the successor; stops when the ring returns to the first element.
    void Next()
    {
      myCurrent = myCurrent->Next();
      if (myCurrent == myFirst)
      {
        myCurrent = NULL;
      }
    }

    //! Returns the current element.
    const PhGeom_Element& Value() const { return *myCurrent; }

  private:
    const PhGeom_Element* myFirst;   //!< where the ring starts
    const PhGeom_Element* myCurrent; //!< current element, NULL at the end
  };

private:
  //! List of child curves.
  typedef NCollection_List<Handle(PhGeom_Curve)> CurveList;

  //! Creates an empty curve.
  PhGeom_Curve(const Handle(NCollection_IncAllocator) & theAllocator,
               const Standard_Integer theType);

  //! Releases the child curves.
  ~PhGeom_Curve();

  //! Returns the child list, creating it on first use.
  CurveList& children();

  //! Links theElement after the last one.
  void append(PhGeom_Element* theElement);

  //! Allocates raw memory for an element from the allocator.
  void* allocate(const size_t theSize);

  // The type comes first so that it fills the padding after the reference count.
  Standard_Integer myType;                      //!< curve type
  Handle(NCollection_IncAllocator) myAllocator; //!< where the curve and its elements live
  PhGeom_Element*  myLast;                      //!< last element; its successor is the first
  CurveList*       myChildren;                  //!< child curves, NULL until the first one
  Standard_Integer myNbElements;                //!< element count
};

#endif
