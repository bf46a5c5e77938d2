// Copyright (c) 2026 VexData developers
#include <VexGeom_Walker.hxx>

VexGeom_Walker::VexGeom_Walker(const PenFormatData_Model& theModel)
    : myModel(theModel), myIter(theModel.Objects()), mySequence(NULL), myShape(NULL),
      myFactor(VexGeom_Drawing::UnitFactor(theModel)), myNumber(0),
      myKind(VexGeom_Drawing::Kind_Other)
{
  settle();
}

void VexGeom_Walker::Next()
{
  if (myIter.More())
  {
    myIter.Next();
  }
  settle();
}

void VexGeom_Walker::settle()
{
  for (mySequence = NULL; myIter.More(); myIter.Next())
  {
    const PenFormatData_Sequence* aSequence =
        Handle(PenFormatData_Sequence)::DownCast(myIter.Value()).get();
    if (aSequence == NULL || aSequence->GetCurve().IsNull())
    {
      continue;
    }
    mySequence                                                 = aSequence;
    myNumber                                                   = aSequence->ApertureNumber();
    std::map<Standard_Integer, VexGeom_Shape>::iterator aShape = myShapes.find(myNumber);
    if (aShape == myShapes.end())
    {
      aShape =
          myShapes
              .emplace(myNumber, VexGeom_Shape::FromAperture(myModel.Aperture(myNumber), myFactor))
              .first;
    }
    myShape = &aShape->second;
    myKind  = VexGeom_Drawing::Classify(*aSequence, *myShape);
    return;
  }
}
