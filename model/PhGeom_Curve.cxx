// Copyright (c) 2026 VexData developers
#include <PhGeom_Curve.hxx>

#include <Standard_OutOfMemory.hxx>

#include <cmath>
#include <new>
#include <utility>

IMPLEMENT_STANDARD_RTTIEXT(PhGeom_Curve, Standard_Transient)

namespace
{
//! Returns the angle of theVector from the X axis; a null vector gives 0.
Standard_Real angleOf(const gp_XY& theVector)
{
  return std::atan2(theVector.Y(), theVector.X());
}
} // namespace

PhGeom_Curve::PhGeom_Curve(const Handle(NCollection_IncAllocator) & theAllocator,
                           const Standard_Integer theType)
    : myType(theType), myAllocator(theAllocator), myLast(NULL), myChildren(NULL), myNbElements(0)
{
}

PhGeom_Curve::~PhGeom_Curve()
{
  if (myChildren != NULL)
  {
    myChildren->~CurveList();
  }
}

Handle(PhGeom_Curve) PhGeom_Curve::Create(const Handle(NCollection_IncAllocator) & theAllocator,
                                          const Standard_Integer theType)
{
  if (theAllocator.IsNull())
  {
    return Handle(PhGeom_Curve)();
  }
  void* aMemory = theAllocator->Allocate(sizeof(PhGeom_Curve));
  if (aMemory == NULL)
  {
    throw Standard_OutOfMemory("PhGeom_Curve: curve allocation failed");
  }
  return new (aMemory) PhGeom_Curve(theAllocator, theType);
}

void PhGeom_Curve::Delete() const
{
  // The curve lives in its allocator: hold the allocator until the destructor is complete, since
  // dropping the curve's own reference may be what releases it.
  const Handle(NCollection_IncAllocator) anAllocator =
      std::move(const_cast<PhGeom_Curve*>(this)->myAllocator);
  this->~PhGeom_Curve();
}

const NCollection_List<Handle(PhGeom_Curve)>& PhGeom_Curve::Children() const
{
  static const CurveList THE_NO_CHILDREN;
  return myChildren != NULL ? *myChildren : THE_NO_CHILDREN;
}

PhGeom_Curve::CurveList& PhGeom_Curve::children()
{
  if (myChildren == NULL)
  {
    myChildren = new (allocate(sizeof(CurveList))) CurveList(myAllocator);
  }
  return *myChildren;
}

void PhGeom_Curve::AddChild(const Handle(PhGeom_Curve) & theChild)
{
  children().Append(theChild);
}

void PhGeom_Curve::AddChild(Handle(PhGeom_Curve) && theChild)
{
  // The list copies what it appends: append a null handle and move the child into it.
  children().Append(Handle(PhGeom_Curve)()) = std::move(theChild);
}

void* PhGeom_Curve::allocate(const size_t theSize)
{
  void* aMemory = myAllocator->Allocate(theSize);
  if (aMemory == NULL)
  {
    throw Standard_OutOfMemory("PhGeom_Curve: element allocation failed");
  }
  return aMemory;
}

void PhGeom_Curve::append(PhGeom_Element* theElement)
{
  if (myLast == NULL)
  {
    theElement->setNext(theElement);
  }
  else
  {
    theElement->setNext(myLast->next());
    myLast->setNext(theElement);
  }
  myLast = theElement;
  ++myNbElements;
}

const PhGeom_Point* PhGeom_Curve::CreatePoint(const gp_XY& thePoint)
{
  PhGeom_Point* aPoint = new (allocate(sizeof(PhGeom_Point))) PhGeom_Point(thePoint);
  append(aPoint);
  return aPoint;
}

const PhGeom_Segment* PhGeom_Curve::CreateSegment(const gp_XY& theStart, const gp_XY& theEnd)
{
  PhGeom_Segment* aSegment =
      new (allocate(sizeof(PhGeom_Segment))) PhGeom_Segment(theStart, theEnd);
  append(aSegment);
  return aSegment;
}

const PhGeom_Arc* PhGeom_Curve::CreateArc(const gp_XY& theCenter, const Standard_Real theRadius,
                                          const Standard_Real    theAngle1,
                                          const Standard_Real    theAngle2,
                                          const Standard_Integer theSense)
{
  PhGeom_Arc* anArc = new (allocate(sizeof(PhGeom_Arc)))
      PhGeom_Arc(theCenter, theRadius, theAngle1, theAngle2, theSense);
  append(anArc);
  return anArc;
}

const PhGeom_Element* PhGeom_Curve::CreateElement(const PhGeom_Element&  theElement,
                                                  const Standard_Integer theReverse,
                                                  const Standard_Integer /*theCopyMode*/)
{
  const Standard_Boolean isReversed = theReverse != 0;
  switch (theElement.Kind())
  {
  case PhGeom_Element::Kind_Arc:
  {
    const PhGeom_Arc& anArc = static_cast<const PhGeom_Arc&>(theElement);
    if (isReversed)
    {
      return CreateArc(anArc.Center(), anArc.Radius(), anArc.Angle(1), anArc.Angle(0),
                       anArc.Sense() == 1 ? 0 : 1);
    }
    return CreateArc(anArc.Center(), anArc.Radius(), anArc.Angle(0), anArc.Angle(1), anArc.Sense());
  }
  case PhGeom_Element::Kind_Segment:
    return isReversed ? CreateSegment(theElement.EndPoint(), theElement.StartPoint())
                      : CreateSegment(theElement.StartPoint(), theElement.EndPoint());
  default:
    return CreatePoint(theElement.StartPoint());
  }
}

void PhGeom_Curve::Transform(const gp_Trsf2d& theTrsf)
{
  // A mirror reverses the sense of arcs; the sweep keeps its size.
  const Standard_Boolean isMirror = theTrsf.IsNegative();
  for (PhGeom_Element* anElem = myLast == NULL ? NULL : myLast->next(); anElem != NULL;)
  {
    if (anElem->Kind() == PhGeom_Element::Kind_Arc && theTrsf.Form() == gp_Translation)
    {
      // Translations keep the angles exactly, which recomputing them from points would not.
      PhGeom_Arc* anArc = static_cast<PhGeom_Arc*>(anElem);
      theTrsf.Transforms(anArc->myCenter);
      theTrsf.Transforms(anArc->myStart);
      theTrsf.Transforms(anArc->myEnd);
    }
    else if (anElem->Kind() == PhGeom_Element::Kind_Arc)
    {
      PhGeom_Arc*         anArc   = static_cast<PhGeom_Arc*>(anElem);
      const Standard_Real aSweep  = anArc->myAngles[1] - anArc->myAngles[0];
      gp_XY               aCenter = anArc->myCenter;
      gp_XY               aStart  = anArc->myStart;
      theTrsf.Transforms(aCenter);
      theTrsf.Transforms(aStart);
      anArc->myCenter    = aCenter;
      anArc->myRadius    = anArc->myRadius * std::abs(theTrsf.ScaleFactor());
      anArc->myAngles[0] = angleOf(aStart - aCenter);
      anArc->myAngles[1] = anArc->myAngles[0] + (isMirror ? -aSweep : aSweep);
      anArc->mySense     = isMirror ? 1 - anArc->mySense : anArc->mySense;
      anArc->updatePoints();
    }
    else
    {
      theTrsf.Transforms(anElem->myStart);
      if (anElem->Kind() == PhGeom_Element::Kind_Segment)
      {
        theTrsf.Transforms(static_cast<PhGeom_Segment*>(anElem)->myEnd);
      }
    }
    anElem = anElem == myLast ? NULL : anElem->next();
  }
}
