// Copyright (c) 2026 VexData developers
#include <VexGerber_Blocks.hxx>

namespace
{
//! Returns theContours moved by theOffset, or mapped by theMatrix first when it is given.
NCollection_Vector<VexGeom_Contour> moved(const NCollection_Vector<VexGeom_Contour>& theContours,
                                          const gp_XY& theOffset, const gp_Mat2d* theMatrix,
                                          Standard_Integer& theEdges)
{
  NCollection_Vector<VexGeom_Contour> aMoved(Max(theContours.Length(), 1));
  theEdges = 0;
  for (NCollection_Vector<VexGeom_Contour>::Iterator anIter(theContours); anIter.More();
       anIter.Next())
  {
    VexGeom_Contour& aContour = aMoved.Appended();
    aContour                  = anIter.Value();
    if (theMatrix != NULL)
    {
      aContour.Transform(*theMatrix, theOffset);
    }
    else
    {
      aContour.Translate(theOffset);
    }
    theEdges += aContour.NbEdges();
  }
  return aMoved;
}
} // namespace

VexGerber_Blocks::VexGerber_Blocks(VexGerber_Listener& theListener, VexPcb_Fault& theFault,
                                   const VexGerber_Limits& theLimits)
    : myListener(theListener), myFault(theFault), myLimits(theLimits), myNet(0), myObjects(0),
      myKept(0)
{
  myLevels.Append(Level());
}

Standard_Boolean VexGerber_Blocks::tooMany()
{
  return myFault.Fail(VexPcb_Fault("VEX_GERBER_LIMIT_OBJECTS").Arg(myLimits.Objects));
}

Standard_Boolean VexGerber_Blocks::Spend(const Standard_Integer theCount)
{
  if (myObjects > myLimits.Objects - theCount)
  {
    return tooMany();
  }
  myObjects += theCount;
  return Standard_True;
}

// ---------------------------------------------------------------------------------------------
// Keeping and handing over
// ---------------------------------------------------------------------------------------------

Standard_Boolean VexGerber_Blocks::Add(const VexGerber_Object&                    theObject,
                                       const NCollection_Vector<VexGeom_Contour>& theContours)
{
  const Handle(VexGerber_Block)& aRepeat = myLevels.Last().Repeat;
  if (aRepeat.IsNull())
  {
    return output(theObject, theContours);
  }
  // What a block keeps is bounded like what it will hand over.
  if (aRepeat->Objects().Length() >= myLimits.Objects)
  {
    return tooMany();
  }
  aRepeat->Add(theObject, theContours);
  return Standard_True;
}

Standard_Boolean VexGerber_Blocks::output(const VexGerber_Object&                    theObject,
                                          const NCollection_Vector<VexGeom_Contour>& theContours)
{
  const Handle(VexGerber_Block)& aBlock = myLevels.Last().Objects;
  if (aBlock.IsNull())
  {
    return deliver(theObject, theContours);
  }
  // Aperture blocks stay for the whole file: together they are bounded like what is handed over.
  if (myKept >= myLimits.Objects)
  {
    return tooMany();
  }
  ++myKept;
  if (theObject.Type == VexGerber_Object::Kind_Flash &&
      theObject.Aperture->GetKind() == VexGerber_Aperture::Kind_Block)
  {
    aBlock->RaiseDepth(theObject.Aperture->Block()->Depth() + 1);
  }
  aBlock->Add(theObject, theContours);
  return Standard_True;
}

Standard_Boolean VexGerber_Blocks::copy(const VexGerber_Object&                    theObject,
                                        const NCollection_Vector<VexGeom_Contour>& theContours,
                                        const gp_XY&                               theOffset)
{
  VexGerber_Object aCopy = theObject;
  aCopy.From += theOffset;
  aCopy.To += theOffset;
  aCopy.Center += theOffset;
  if (theObject.Type != VexGerber_Object::Kind_Region ||
      (theOffset.X() == 0.0 && theOffset.Y() == 0.0))
  {
    return output(aCopy, theContours);
  }
  Standard_Integer                          anEdges = 0;
  const NCollection_Vector<VexGeom_Contour> aMoved  = moved(theContours, theOffset, NULL, anEdges);
  return Spend(anEdges) && output(aCopy, aMoved);
}

void VexGerber_Blocks::announceNet(const Standard_Integer theNet)
{
  if (theNet != myNet)
  {
    myNet = theNet;
    myListener.OnNet(theNet == 0 ? TCollection_AsciiString() : myNets.FindKey(theNet));
  }
}

Standard_Boolean VexGerber_Blocks::deliver(const VexGerber_Object&                    theObject,
                                           const NCollection_Vector<VexGeom_Contour>& theContours)
{
  if (theObject.Type == VexGerber_Object::Kind_Flash &&
      theObject.Aperture->GetKind() == VexGerber_Aperture::Kind_Block)
  {
    return place(theObject);
  }
  announceNet(theObject.Net);
  switch (theObject.Type)
  {
  case VexGerber_Object::Kind_Draw:
    return Spend(1) && myListener.OnDraw(theObject.Aperture, theObject.Transform, theObject.From,
                                         theObject.To, theObject.Clear);
  case VexGerber_Object::Kind_Arc:
    return Spend(1) &&
           myListener.OnArc(theObject.Aperture, theObject.Transform, theObject.From, theObject.To,
                            theObject.Center, theObject.Ccw, theObject.Clear);
  case VexGerber_Object::Kind_Flash:
    return Spend(1) && myListener.OnFlash(theObject.Aperture, theObject.Transform, theObject.From,
                                          theObject.Clear);
  case VexGerber_Object::Kind_Region:
    break;
  }
  return myListener.OnRegion(theContours, theObject.Clear);
}

VexGerber_Object VexGerber_Blocks::placed(const VexGerber_Object& theObject,
                                          const Placement&        thePlacement)
{
  VexGerber_Object aPlaced = theObject;
  aPlaced.From             = thePlacement.Matrix * theObject.From + thePlacement.Offset;
  aPlaced.To               = thePlacement.Matrix * theObject.To + thePlacement.Offset;
  aPlaced.Center           = thePlacement.Matrix * theObject.Center + thePlacement.Offset;
  aPlaced.Transform        = thePlacement.Transform.Then(theObject.Transform);
  aPlaced.Clear            = theObject.Clear != thePlacement.Toggle;
  aPlaced.Net              = theObject.Net != 0 ? theObject.Net : thePlacement.Net;
  if (thePlacement.Matrix.Determinant() < 0.0)
  {
    aPlaced.Ccw = !theObject.Ccw; // a mirror turns arcs the other way
  }
  return aPlaced;
}

Standard_Boolean VexGerber_Blocks::place(const VexGerber_Object& theFlash)
{
  // Block depth is bounded when blocks are defined, so this recursion is too.
  Placement aPlacement;
  aPlacement.Transform          = theFlash.Transform;
  aPlacement.Matrix             = theFlash.Transform.Matrix();
  aPlacement.Offset             = theFlash.From;
  aPlacement.Toggle             = theFlash.Clear;
  aPlacement.Net                = theFlash.Net;
  const VexGerber_Block& aBlock = *theFlash.Aperture->Block();
  for (NCollection_Vector<VexGerber_Object>::Iterator anIter(aBlock.Objects()); anIter.More();
       anIter.Next())
  {
    const VexGerber_Object& anObject = anIter.Value();
    const VexGerber_Object  aPlaced  = placed(anObject, aPlacement);
    if (anObject.Type != VexGerber_Object::Kind_Region)
    {
      if (!deliver(aPlaced, myNoContours))
      {
        return Standard_False;
      }
      continue;
    }
    Standard_Integer                          anEdges = 0;
    const NCollection_Vector<VexGeom_Contour> aMoved =
        moved(aBlock.Region(anObject.Region), aPlacement.Offset, &aPlacement.Matrix, anEdges);
    if (!Spend(anEdges) || !deliver(aPlaced, aMoved))
    {
      return Standard_False;
    }
  }
  return Standard_True;
}

// ---------------------------------------------------------------------------------------------
// Opening and closing blocks
// ---------------------------------------------------------------------------------------------

Standard_Boolean VexGerber_Blocks::OpenRepeat(const Standard_Integer theCountX,
                                              const Standard_Integer theCountY,
                                              const gp_XY&           theStep)
{
  if (!CloseRepeat())
  {
    return Standard_False;
  }
  if (theCountX == 1 && theCountY == 1)
  {
    return Standard_True;
  }
  if (static_cast<double>(theCountX) * theCountY > myLimits.StepRepeatCopies)
  {
    return myFault.Fail(
        VexPcb_Fault("VEX_GERBER_LIMIT_STEP_REPEAT").Arg(myLimits.StepRepeatCopies));
  }
  Level& aLevel = myLevels.ChangeLast();
  aLevel.Repeat = new VexGerber_Block();
  aLevel.CountX = theCountX;
  aLevel.CountY = theCountY;
  return SetRepeatStep(theStep);
}

Standard_Boolean VexGerber_Blocks::SetRepeatStep(const gp_XY& theStep)
{
  Level& aLevel = myLevels.ChangeLast();
  if (!VexGerber_Limits::IsInRange(theStep.X() * aLevel.CountX) ||
      !VexGerber_Limits::IsInRange(theStep.Y() * aLevel.CountY))
  {
    return myFault.Fail(VexPcb_Fault("VEX_GERBER_COORDINATE_RANGE"));
  }
  aLevel.Step = theStep;
  return Standard_True;
}

Standard_Boolean VexGerber_Blocks::CloseRepeat()
{
  Level& aLevel = myLevels.ChangeLast();
  if (aLevel.Repeat.IsNull())
  {
    return Standard_True;
  }
  const Handle(VexGerber_Block) aRepeat = aLevel.Repeat;
  const Standard_Integer aCountX = aLevel.CountX, aCountY = aLevel.CountY;
  const gp_XY            aStep = aLevel.Step;
  aLevel.Repeat.Nullify();
  for (Standard_Integer aRow = 0; aRow < aCountY; ++aRow)
  {
    for (Standard_Integer aColumn = 0; aColumn < aCountX; ++aColumn)
    {
      const gp_XY anOffset(aColumn * aStep.X(), aRow * aStep.Y());
      for (NCollection_Vector<VexGerber_Object>::Iterator anIter(aRepeat->Objects()); anIter.More();
           anIter.Next())
      {
        const VexGerber_Object& anObject = anIter.Value();
        if (!copy(anObject,
                  anObject.Type == VexGerber_Object::Kind_Region ? aRepeat->Region(anObject.Region)
                                                                 : myNoContours,
                  anOffset))
        {
          return Standard_False;
        }
      }
    }
  }
  return Standard_True;
}

Standard_Boolean VexGerber_Blocks::OpenAperture(const Standard_Integer theNumber)
{
  if (theNumber < 10)
  {
    return myFault.Fail(VexPcb_Fault("VEX_GERBER_APERTURE_NUMBER").Arg(theNumber));
  }
  if (myLevels.Length() > myLimits.BlockDepth)
  {
    return myFault.Fail(VexPcb_Fault("VEX_GERBER_LIMIT_BLOCK_DEPTH").Arg(myLimits.BlockDepth));
  }
  myLevels.Append(Level());
  Level& aLevel  = myLevels.ChangeLast();
  aLevel.Objects = new VexGerber_Block();
  aLevel.Number  = theNumber;
  return Standard_True;
}

Standard_Boolean VexGerber_Blocks::CloseAperture(Handle(VexGerber_Aperture) & theAperture)
{
  if (!IsInAperture())
  {
    return myFault.Fail(VexPcb_Fault("VEX_GERBER_BLOCK_END"));
  }
  if (!CloseRepeat())
  {
    return Standard_False;
  }
  const Level aLevel = myLevels.Last();
  myLevels.Remove(myLevels.Length());
  if (aLevel.Objects->Depth() > myLimits.BlockDepth)
  {
    return myFault.Fail(VexPcb_Fault("VEX_GERBER_LIMIT_BLOCK_DEPTH").Arg(myLimits.BlockDepth));
  }
  theAperture = new VexGerber_Aperture(aLevel.Number, VexGerber_Aperture::Kind_Block);
  theAperture->SetBlock(aLevel.Objects);
  return Standard_True;
}

Standard_Boolean VexGerber_Blocks::Finish()
{
  if (IsInAperture())
  {
    return myFault.Fail(VexPcb_Fault("VEX_GERBER_BLOCK_OPEN_AT_END"));
  }
  return CloseRepeat();
}
