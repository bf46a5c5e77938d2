// Copyright (c) 2026 VexData developers
#ifndef _VexData_ReaderRun_Test_HeaderFile
#define _VexData_ReaderRun_Test_HeaderFile

#include <VexData_FormatBuilder_Test.hxx>
#include <VexTest_Messages.hxx>

#include <VexData_Reader.hxx>
#include <PenFormatData_Sequence.hxx>

#include <cstdio>
#include <sstream>
#include <string>

//! Returns theValue printed with %.17g.
inline std::string VexTest_Number(double theValue)
{
  char aText[40];
  std::snprintf(aText, sizeof(aText), "%.17g", theValue);
  return aText;
}

//! Returns the elements of theCurve, one line each, indented by theIndent.
inline std::string VexTest_DumpElements(const PhGeom_Curve& theCurve, const std::string& theIndent)
{
  std::string aText;
  for (PhGeom_Curve::ElementIterator anIter(theCurve); anIter.More(); anIter.Next())
  {
    const PhGeom_Element& anElem = anIter.Value();
    auto                  aPoint = [](const gp_XY& theXY)
    { return VexTest_Number(theXY.X()) + " " + VexTest_Number(theXY.Y()); };
    if (anElem.Kind() == PhGeom_Element::Kind_Arc)
    {
      const PhGeom_Arc& anArc = static_cast<const PhGeom_Arc&>(anElem);
      aText += theIndent + "arc c " + aPoint(anArc.Center()) + " r " +
               VexTest_Number(anArc.Radius()) + " a " + VexTest_Number(anArc.Angle(0)) + " " +
               VexTest_Number(anArc.Angle(1)) + " s " + std::to_string(anArc.Sense()) + "\n";
    }
    else if (anElem.Kind() == PhGeom_Element::Kind_Segment)
    {
      aText +=
          theIndent + "seg " + aPoint(anElem.StartPoint()) + " " + aPoint(anElem.EndPoint()) + "\n";
    }
    else
    {
      aText += theIndent + "pt " + aPoint(anElem.StartPoint()) + "\n";
    }
  }
  return aText;
}

//! Returns the model's content as text: unit, layers, apertures, then every object with its
//! container's child curves and their elements.
inline std::string VexTest_DumpModel(const PenFormatData_Model& theModel)
{
  std::string aText = "unit " + std::to_string(theModel.DimensionUnit()) + "\n";
  for (int anIndex = 1; anIndex <= theModel.NbLayers(); ++anIndex)
  {
    const Handle(PenFormatData_Layer)& aLayer = theModel.Layer(anIndex);
    aText += std::string("layer ") + TCollection_AsciiString(aLayer->Name()).ToCString() +
             " flags " + std::to_string(aLayer->Flags()) + "\n";
  }
  for (int aNumber = 1; aNumber < theModel.NbApertures(); ++aNumber)
  {
    Handle(PenFormatData_Aperture) anAp = theModel.Aperture(aNumber);
    aText += "aperture " + std::to_string(aNumber) + " " +
             TCollection_AsciiString(anAp->Name()).ToCString() + " shape " +
             std::to_string(anAp->ShapeCode()) + " tool " + std::to_string(anAp->ToolFlag());
    for (int aParam = 1; aParam <= anAp->NbParams(); ++aParam)
    {
      aText += " p " + VexTest_Number(anAp->Param(aParam));
    }
    aText += "\n";
  }
  for (const Handle(PenFormatData_Object) & anObject : theModel.Objects())
  {
    Handle(PenFormatData_Sequence) aSeq = Handle(PenFormatData_Sequence)::DownCast(anObject);
    if (aSeq.IsNull())
    {
      aText += "object\n";
      continue;
    }
    aText += "sequence ap " + std::to_string(aSeq->ApertureNumber()) + " layer '" +
             TCollection_AsciiString(aSeq->LayerName()).ToCString() + "' phase '" +
             TCollection_AsciiString(aSeq->PhaseName()).ToCString() + "' mode " +
             std::to_string(aSeq->ToolpathMode()) + " flag " +
             std::to_string(aSeq->ToolpathFlag()) + "\n";
    aText += VexTest_DumpElements(*aSeq->GetCurve(), " ! ");
    for (const Handle(PhGeom_Curve) & aChild : aSeq->GetCurve()->Children())
    {
      aText += " curve\n" + VexTest_DumpElements(*aChild, "  ");
    }
  }
  return aText;
}

//! Reads theData with a fresh reader into a fresh model and keeps status, messages and model.
struct VexTest_Read
{
  explicit VexTest_Read(const std::string& theData) : Model(new PenFormatData_Model())
  {
    Model->SetMessenger(Capture.Messenger());
    std::istringstream aStream(theData);
    VexData_Reader     aReader(*Model);
    Status = aReader.Process(aStream);
  }

  //! Returns the model as text.
  std::string Dump() const { return VexTest_DumpModel(*Model); }

  VexTest_MessageCapture Capture;    //!< messages sent during the read
  Handle(PenFormatData_Model) Model; //!< model filled by the read
  int Status;                        //!< final status
};

#endif
