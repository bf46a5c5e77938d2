// Copyright (c) 2026 VexData developers
#ifndef _VexTest_ModelBuilder_HeaderFile
#define _VexTest_ModelBuilder_HeaderFile

#include <PenFormatData_Model.hxx>
#include <PenFormatData_Sequence.hxx>
#include <PhGeom_Curve.hxx>

#include <vector>

//! Builds models by hand for the picture tests: tools and design apertures, toolpaths and
//! artwork sequences of one or more contours. Lengths are in the model's unit.
class VexTest_ModelBuilder
{
public:
  //! Starts an empty model in theUnit.
  explicit VexTest_ModelBuilder(
      const PenFormatData_DimensionUnit theUnit = PenFormatData_DU_Millimetre)
      : myModel(new PenFormatData_Model(theUnit))
  {
  }

  //! Returns the model.
  const Handle(PenFormatData_Model) & Model() const { return myModel; }

  //! Registers aperture theNumber of theShape with theParams (a tool when theShape is round).
  void Aperture(const Standard_Integer theNumber, const Standard_Integer theShape,
                const std::vector<double>& theParams, const char* theName = "A")
  {
    Handle(PenFormatData_Aperture) anAperture =
        new PenFormatData_Aperture(theShape, theName, nullptr, 0);
    anAperture->SetParam(theParams.data(), static_cast<Standard_Integer>(theParams.size()));
    anAperture->SetToolFlag(theShape == PenFormatData_Aperture::Shape_Round ? 1 : 0);
    myModel->SetAperture(theNumber, anAperture);
  }

  //! Adds a toolpath of theMode (1 paths, 2 drill points) with theAperture; returns its contour.
  PhGeom_Curve& Toolpath(const Standard_Integer theAperture, const Standard_Integer theMode)
  {
    Handle(PenFormatData_Sequence) aSequence = add(theAperture);
    aSequence->SetPhaseName("P");
    aSequence->SetToolpathMode(theMode);
    aSequence->SetToolpathFlag(1);
    return *myContour;
  }

  //! Adds an artwork sequence (not a toolpath) with theAperture; returns its first contour.
  PhGeom_Curve& Artwork(const Standard_Integer theAperture, const bool isArea, const bool isClear)
  {
    Handle(PenFormatData_Sequence) aSequence = add(theAperture);
    aSequence->SetArea(isArea);
    aSequence->SetClear(isClear);
    return *myContour;
  }

  //! Adds another contour to the last sequence and returns it.
  PhGeom_Curve& Contour()
  {
    Handle(PhGeom_Curve) aContour = PhGeom_Curve::Create(myModel->Allocator(), 0);
    myContainer->AddChild(aContour);
    myContour = aContour.get();
    return *myContour;
  }

private:
  //! Appends a sequence with one empty contour.
  Handle(PenFormatData_Sequence) add(const Standard_Integer theAperture)
  {
    myContainer = PhGeom_Curve::Create(myModel->Allocator(), 0);
    Handle(PenFormatData_Sequence) aSequence =
        new PenFormatData_Sequence(theAperture, 0, myContainer);
    myModel->AddObject(aSequence);
    Contour();
    return aSequence;
  }

  Handle(PenFormatData_Model) myModel; //!< model built
  Handle(PhGeom_Curve) myContainer;    //!< container of the last sequence
  PhGeom_Curve* myContour = nullptr;   //!< last contour
};

#endif
