// Copyright (c) 2026 VexData developers
#ifndef _VexGeom_Walker_HeaderFile
#define _VexGeom_Walker_HeaderFile

#include <VexGeom_Drawing.hxx>

#include <map>

//! Walks the sequences of a model that have a curve, in object order (the order in which what
//! they draw is laid down, clear sequences erasing what came before), with what each draws (see
//! VexGeom_Drawing), its polarity, its tool's width and its aperture's shape in millimetres. The
//! shape of an aperture is made once, however many sequences use it.
//!
//!   for (VexGeom_Walker aWalker(aModel); aWalker.More(); aWalker.Next()) { ... }
class VexGeom_Walker
{
public:
  //! Starts at the first sequence of theModel, which must outlive the walker.
  Standard_EXPORT explicit VexGeom_Walker(const PenFormatData_Model& theModel);

  //! Returns true while there is a sequence.
  Standard_Boolean More() const { return mySequence != NULL; }

  //! Goes to the next sequence.
  Standard_EXPORT void Next();

  //! Returns the sequence.
  const PenFormatData_Sequence& Sequence() const { return *mySequence; }

  //! Returns what the sequence draws.
  VexGeom_Drawing::Kind Kind() const { return myKind; }

  //! Returns true when the sequence erases what came before it.
  Standard_Boolean IsClear() const { return mySequence->IsClear(); }

  //! Returns the shape of the sequence's aperture (drawable for artwork).
  const VexGeom_Shape& Shape() const { return *myShape; }

  //! Returns the width of the sequence's tool in millimetres: its aperture's first parameter.
  double ToolWidth() const { return VexGeom_Drawing::Width(myModel, myNumber) * myFactor; }

  //! Returns the factor from the model's unit to millimetres.
  double Factor() const { return myFactor; }

private:
  //! Stops at the first sequence with a curve from the current object on.
  void settle();

  const PenFormatData_Model&                               myModel;    //!< model walked
  NCollection_List<Handle(PenFormatData_Object)>::Iterator myIter;     //!< current object
  std::map<Standard_Integer, VexGeom_Shape>                myShapes;   //!< shapes by aperture
  const PenFormatData_Sequence*                            mySequence; //!< current, NULL at end
  const VexGeom_Shape*                                     myShape;    //!< its aperture's shape
  double                                                   myFactor;   //!< model unit in mm
  Standard_Integer                                         myNumber;   //!< its aperture
  VexGeom_Drawing::Kind                                    myKind;     //!< what it draws
};

#endif
