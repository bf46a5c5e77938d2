// Copyright (c) 2026 VexData developers
#include <VexGerber_Aperture.hxx>

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
