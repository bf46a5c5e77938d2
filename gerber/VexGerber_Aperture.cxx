// Copyright (c) 2026 VexData developers
#include <VexGerber_Aperture.hxx>

#include <VexGerber_Block.hxx>

#include <cmath>

IMPLEMENT_STANDARD_RTTIEXT(VexGerber_Aperture, Standard_Transient)

gp_Mat2d VexGerber_ApertureTransform::Matrix() const
{
  const Standard_Real aMirrorX = (Mirror & VexGerber_Mirror_X) != 0 ? -1.0 : 1.0;
  const Standard_Real aMirrorY = (Mirror & VexGerber_Mirror_Y) != 0 ? -1.0 : 1.0;
  const Standard_Real anAngle  = Rotation * M_PI / 180.0;
  const Standard_Real aCos = std::cos(anAngle) * Scale, aSin = std::sin(anAngle) * Scale;
  // Rotation and scale applied after the mirror: R * S * M.
  return gp_Mat2d(gp_XY(aCos * aMirrorX, aSin * aMirrorX),
                  gp_XY(-aSin * aMirrorY, aCos * aMirrorY));
}

VexGerber_ApertureTransform VexGerber_ApertureTransform::Then(
    const VexGerber_ApertureTransform& theInner) const
{
  // R(a) S M(m) R(b) S' M(n) = R(a + s b) S S' M(m) M(n), where s is -1 when M(m) mirrors one
  // axis only (a mirror turns rotations the other way; mirroring both axes is a half turn).
  const Standard_Boolean isOneAxis = Mirror == VexGerber_Mirror_X || Mirror == VexGerber_Mirror_Y;
  VexGerber_ApertureTransform aResult;
  aResult.Mirror   = static_cast<VexGerber_Mirror>(Mirror ^ theInner.Mirror);
  aResult.Rotation = Rotation + (isOneAxis ? -theInner.Rotation : theInner.Rotation);
  aResult.Scale    = Scale * theInner.Scale;
  return aResult;
}

VexGerber_Aperture::VexGerber_Aperture(const Standard_Integer theNumber, const Kind theKind)
    : myParams(8), myNumber(theNumber), myKind(theKind), myUnitFactor(1.0), myModelNumber(0),
      hasShape(Standard_False)
{
}

VexGerber_Aperture::~VexGerber_Aperture()
{
}

void VexGerber_Aperture::SetBlock(const Handle(VexGerber_Block) & theBlock)
{
  myBlock = theBlock;
}

Standard_Boolean VexGerber_Aperture::IsLength(const Standard_Integer theIndex) const
{
  switch (myKind)
  {
  case Kind_Polygon:
    return theIndex != 1 && theIndex != 2;
  case Kind_Macro:
  case Kind_Block:
    return Standard_False;
  default:
    return Standard_True;
  }
}

void VexGerber_Aperture::ApplyUnit(const Standard_Real theUnitFactor)
{
  myUnitFactor = theUnitFactor;
  for (Standard_Integer anIndex = 0; anIndex < myParams.Length(); ++anIndex)
  {
    if (IsLength(anIndex))
    {
      myParams.ChangeValue(anIndex) *= theUnitFactor;
    }
  }
}
