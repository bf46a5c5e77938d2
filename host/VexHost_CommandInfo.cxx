// Copyright (c) 2026 VexData developers
#include <VexHost_Commands.hxx>

#include <VexHost_DesignText.hxx>
#include <VexHost_ModelFile.hxx>
#include <VexHost_Text.hxx>

#include <VexData_Format.hxx>

#include <PenFormatData_Sequence.hxx>
#include <PhGeom_Curve.hxx>

#include <CLI/CLI.hpp>
#include <Bnd_Box2d.hxx>

#include <cmath>
#include <iostream>
#include <map>
#include <memory>
#include <vector>

namespace
{
//! What one tool machines over the whole file.
struct ToolUse
{
  Standard_Real    CutLength = 0.0; //!< length of all path elements
  Standard_Integer DrillHits = 0;   //!< number of drill points
};

//! Returns theCount and theNoun, in the plural unless theCount is 1.
std::string counted(const Standard_Integer theCount, const std::string& theNoun)
{
  return std::to_string(theCount) + " " + theNoun + (theCount == 1 ? "" : "s");
}

//! Length of one curve element (a point has none).
Standard_Real elementLength(const PhGeom_Element& theElement)
{
  if (theElement.Kind() == PhGeom_Element::Kind_Arc)
  {
    const PhGeom_Arc& anArc = static_cast<const PhGeom_Arc&>(theElement);
    return anArc.Radius() * std::fabs(anArc.Angle(1) - anArc.Angle(0));
  }
  if (theElement.Kind() == PhGeom_Element::Kind_Segment)
  {
    return (theElement.EndPoint() - theElement.StartPoint()).Modulus();
  }
  return 0.0;
}

//! Adds the elements of every contour of theSeq to theUse; returns the element count.
Standard_Integer measure(const PenFormatData_Sequence& theSeq, ToolUse& theUse)
{
  Standard_Integer anElements = 0;
  if (theSeq.GetCurve().IsNull())
  {
    return 0;
  }
  for (const Handle(PhGeom_Curve) & aContour : theSeq.GetCurve()->Children())
  {
    for (PhGeom_Curve::ElementIterator anIt(*aContour); anIt.More(); anIt.Next(), ++anElements)
    {
      theUse.CutLength +=
          theSeq.ToolpathMode() == PenFormatData_TM_Point ? 0.0 : elementLength(anIt.Value());
      theUse.DrillHits += anIt.Value().Kind() == PhGeom_Element::Kind_Point ? 1 : 0;
    }
  }
  return anElements;
}

//! Prints the unit and the aperture table.
void printApertures(const PenFormatData_Model& theModel)
{
  std::cout << "Unit: " << VexHost_Text::UnitName(theModel.DimensionUnit()) << "\n";
  std::cout << "Apertures: " << std::max(0, theModel.NbApertures() - 1) << "\n";
  for (Standard_Integer aNumber = 1; aNumber < theModel.NbApertures(); ++aNumber)
  {
    const Handle(PenFormatData_Aperture) anAp = theModel.Aperture(aNumber);
    if (!anAp.IsNull())
    {
      std::cout << "  " << aNumber << " \"" << VexHost_Text::Utf8(anAp->Name()) << "\" width "
                << (anAp->NbParams() > 0 ? VexHost_Text::Number(anAp->Param(1)) : "-") << "\n";
    }
  }
}

//! Prints the layer table.
void printLayers(const PenFormatData_Model& theModel)
{
  std::cout << "Layers: " << theModel.NbLayers() << "\n";
  for (Standard_Integer anIndex = 1; anIndex <= theModel.NbLayers(); ++anIndex)
  {
    std::cout << "  \"" << VexHost_Text::Utf8(theModel.Layer(anIndex)->Name()) << "\"\n";
  }
}

//! Prints the toolpaths grouped by phase and layer, in order of first appearance, and
//! accumulates what each tool machines into theUses.
void printToolpaths(const PenFormatData_Model&           theModel,
                    std::map<Standard_Integer, ToolUse>& theUses)
{
  std::vector<std::pair<std::string, std::vector<std::string>>> aGroups;
  Standard_Integer                                              aCount = 0;
  for (const Handle(PenFormatData_Object) & anObject : theModel.Objects())
  {
    const Handle(PenFormatData_Sequence) aSeq = Handle(PenFormatData_Sequence)::DownCast(anObject);
    if (aSeq.IsNull() || aSeq->ToolpathFlag() == 0)
    {
      continue;
    }
    ++aCount;
    const std::string aKey = "phase \"" + VexHost_Text::Utf8(aSeq->PhaseName()) + "\", layer \"" +
                             VexHost_Text::Utf8(aSeq->LayerName()) + "\"";
    size_t aGroup = 0;
    while (aGroup < aGroups.size() && aGroups[aGroup].first != aKey)
    {
      ++aGroup;
    }
    if (aGroup == aGroups.size())
    {
      aGroups.emplace_back(aKey, std::vector<std::string>());
    }
    const Standard_Integer aContours =
        aSeq->GetCurve().IsNull() ? 0 : aSeq->GetCurve()->Children().Extent();
    const Standard_Integer anElements = measure(*aSeq, theUses[aSeq->ApertureNumber()]);
    aGroups[aGroup].second.push_back(
        "tool " + std::to_string(aSeq->ApertureNumber()) + " \"" +
        VexHost_Text::ApertureName(theModel, aSeq->ApertureNumber()) +
        "\": " + (aSeq->ToolpathMode() == PenFormatData_TM_Point ? "drill, " : "path, ") +
        counted(aContours, "contour") + ", " + counted(anElements, "element"));
  }
  std::cout << "Toolpaths: " << aCount << "\n";
  for (const auto& aGroup : aGroups)
  {
    std::cout << "  " << aGroup.first << "\n";
    for (const std::string& aLine : aGroup.second)
    {
      std::cout << "    " << aLine << "\n";
    }
  }
}

//! Prints cut length and drill hits per tool.
void printTools(const PenFormatData_Model&                 theModel,
                const std::map<Standard_Integer, ToolUse>& theUses)
{
  std::cout << "Tools in use: " << theUses.size() << "\n";
  for (const auto& aUse : theUses)
  {
    std::cout << "  " << aUse.first << " \"" << VexHost_Text::ApertureName(theModel, aUse.first)
              << "\": cut length " << VexHost_Text::Number(aUse.second.CutLength) << ", drill hits "
              << aUse.second.DrillHits << "\n";
  }
}

//! Returns the scan-field lines: the model's scan-field table, then the rectangles on the scan
//! field layer (as the reader builds them) by centre and size, each distinct one once.
std::vector<std::string> scanFieldLines(const PenFormatData_Model& theModel)
{
  std::vector<std::string>   aLines;
  std::vector<std::string>   anOrder;
  std::map<std::string, int> aPlaced;
  for (Standard_Integer anIndex = 1; anIndex < theModel.NbScanFields(); ++anIndex)
  {
    const Handle(PenFormatData_ScanField) aField = theModel.ScanField(anIndex);
    if (!aField.IsNull())
    {
      aLines.push_back("number " + std::to_string(aField->Number()) + ", order " +
                       std::to_string(aField->Order()) + ", centre (" +
                       VexHost_Text::Number(aField->Center().X()) + ", " +
                       VexHost_Text::Number(aField->Center().Y()) + "), size " +
                       VexHost_Text::Number(aField->Width()) + " x " +
                       VexHost_Text::Number(aField->Height()));
    }
  }
  for (const Handle(PenFormatData_Object) & anObject : theModel.Objects())
  {
    const Handle(PenFormatData_Sequence) aSeq = Handle(PenFormatData_Sequence)::DownCast(anObject);
    if (aSeq.IsNull() || aSeq->ToolpathFlag() != 0 || aSeq->GetCurve().IsNull() ||
        VexHost_Text::Utf8(aSeq->LayerName()) != VexData_Format::THE_SCAN_FIELD_LAYER)
    {
      continue;
    }
    Bnd_Box2d aBox;
    for (const Handle(PhGeom_Curve) & aContour : aSeq->GetCurve()->Children())
    {
      for (PhGeom_Curve::ElementIterator anIt(*aContour); anIt.More(); anIt.Next())
      {
        aBox.Add(gp_Pnt2d(anIt.Value().StartPoint()));
        aBox.Add(gp_Pnt2d(anIt.Value().EndPoint()));
      }
    }
    if (aBox.IsVoid())
    {
      continue;
    }
    Standard_Real aXmin, aYmin, aXmax, aYmax;
    aBox.Get(aXmin, aYmin, aXmax, aYmax);
    const std::string aLine = "centre (" + VexHost_Text::Number((aXmin + aXmax) / 2) + ", " +
                              VexHost_Text::Number((aYmin + aYmax) / 2) + "), size " +
                              VexHost_Text::Number(aXmax - aXmin) + " x " +
                              VexHost_Text::Number(aYmax - aYmin);
    if (aPlaced[aLine]++ == 0)
    {
      anOrder.push_back(aLine);
    }
  }
  // A file repeats a scan field's position before every toolpath made in it: list each once.
  for (const std::string& aLine : anOrder)
  {
    aLines.push_back(aLine + ", " + counted(aPlaced[aLine], "placement"));
  }
  return aLines;
}

//! Reads theFile and prints its summary.
int info(VexHost_Context& theContext, const std::string& theFile)
{
  if (!theContext.Prepare())
  {
    return VexHost_Context::THE_SETUP_FAILED;
  }
  Handle(PenFormatData_Model) aModel;
  VexPcb_TransferReport aReport;
  if (const int aStatus =
          VexHost_ModelFile::Load(theContext, theFile, VexPcb_ImportOptions(), aModel, aReport))
  {
    return aStatus;
  }
  const VexHost_ModelFile::Kind aKind = VexHost_ModelFile::Identify(theContext, theFile);
  std::cout << "File: " << theFile << " (" << VexHost_ModelFile::KindName(aKind) << ")\n";
  printApertures(*aModel);
  printLayers(*aModel);
  std::map<Standard_Integer, ToolUse> aUses;
  printToolpaths(*aModel, aUses);
  VexHost_DesignText::PrintArtwork(*aModel, std::cout);
  printTools(*aModel, aUses);
  const std::vector<std::string> aFields = scanFieldLines(*aModel);
  std::cout << "Scan fields: " << aFields.size() << "\n";
  for (const std::string& aLine : aFields)
  {
    std::cout << "  " << aLine << "\n";
  }
  if (VexHost_ModelFile::IsDesign(aKind))
  {
    std::cout << "Import:\n";
    VexHost_DesignText::PrintCounts(aReport, "  ", std::cout);
  }
  std::cout.flush();
  return 0;
}
} // namespace

void VexHost_Commands::RegisterInfo(CLI::App& theApp, VexHost_Context& theContext)
{
  CLI::App* aCommand = theApp.add_subcommand(
      "info", "Read a machine file, model document or design file (Excellon, Gerber) and "
              "summarise it: unit, apertures, layers, toolpaths per phase and layer, artwork, cut "
              "length and drill hits per tool, scan fields, and for a design file what its import "
              "counted");
  auto aFile = std::make_shared<std::string>();
  aCommand->add_option("FILE", *aFile, "File to read")->required();
  theContext.AddCommand(aCommand, [&theContext, aFile]() { return info(theContext, *aFile); });
}
