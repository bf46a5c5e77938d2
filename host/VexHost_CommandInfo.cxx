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

//! What the toolpaths of one tool in one phase and layer hold together.
struct ToolGroup
{
  Standard_Integer Aperture = 0; //!< the tool's aperture number
  Standard_Integer Paths    = 0; //!< path toolpaths
  Standard_Integer Drills   = 0; //!< point (drill) toolpaths
  Standard_Integer Contours = 0; //!< contours of all of them
  Standard_Integer Elements = 0; //!< elements of all of them
  ToolUse          Use;          //!< cut length and drill hits
};

//! The toolpaths of one phase and layer: one line per object, or one group per tool.
struct LayerGroup
{
  std::string              Key;     //!< 'phase "P", layer "L"'
  std::vector<std::string> Objects; //!< one line per toolpath
  std::vector<ToolGroup>   Tools;   //!< per tool, in order of first appearance
};

//! Returns the group of theKey in theGroups, added at the end when new.
LayerGroup& groupOf(std::vector<LayerGroup>& theGroups, const std::string& theKey)
{
  for (LayerGroup& aGroup : theGroups)
  {
    if (aGroup.Key == theKey)
    {
      return aGroup;
    }
  }
  theGroups.push_back(LayerGroup{theKey, {}, {}});
  return theGroups.back();
}

//! Returns the tool group of theAperture in theGroup, added at the end when new.
ToolGroup& toolOf(LayerGroup& theGroup, const Standard_Integer theAperture)
{
  for (ToolGroup& aTool : theGroup.Tools)
  {
    if (aTool.Aperture == theAperture)
    {
      return aTool;
    }
  }
  theGroup.Tools.emplace_back();
  theGroup.Tools.back().Aperture = theAperture;
  return theGroup.Tools.back();
}

//! Returns the summary line of theTool: its toolpaths by kind, contours, elements, cut length
//! and drill hits.
std::string toolLine(const PenFormatData_Model& theModel, const ToolGroup& theTool)
{
  std::string aKinds;
  if (theTool.Paths > 0 && theTool.Drills > 0)
  {
    aKinds = std::to_string(theTool.Paths) + " path and " + counted(theTool.Drills, "drill") +
             " toolpaths";
  }
  else
  {
    aKinds = theTool.Paths > 0 ? counted(theTool.Paths, "path toolpath")
                               : counted(theTool.Drills, "drill toolpath");
  }
  return "tool " + std::to_string(theTool.Aperture) + " \"" +
         VexHost_Text::ApertureName(theModel, theTool.Aperture) + "\": " + aKinds + ", " +
         counted(theTool.Contours, "contour") + ", " + counted(theTool.Elements, "element") +
         ", cut length " + VexHost_Text::Number(theTool.Use.CutLength) + ", " +
         counted(theTool.Use.DrillHits, "drill hit");
}

//! Adds theUse to theTotal.
void add(ToolUse& theTotal, const ToolUse& theUse)
{
  theTotal.CutLength += theUse.CutLength;
  theTotal.DrillHits += theUse.DrillHits;
}

//! Files the toolpath theSeq into its phase and layer group of theGroups (its tool's totals, and
//! with isObjects a line of its own) and what it machines into theUses.
void file(const PenFormatData_Model& theModel, const PenFormatData_Sequence& theSeq,
          const bool isObjects, std::vector<LayerGroup>& theGroups,
          std::map<Standard_Integer, ToolUse>& theUses)
{
  LayerGroup& aGroup =
      groupOf(theGroups, "phase \"" + VexHost_Text::Utf8(theSeq.PhaseName()) + "\", layer \"" +
                             VexHost_Text::Utf8(theSeq.LayerName()) + "\"");
  ToolGroup&             aTool = toolOf(aGroup, theSeq.ApertureNumber());
  ToolUse                aUse;
  const Standard_Integer anElements = measure(theSeq, aUse);
  const Standard_Integer aContours =
      theSeq.GetCurve().IsNull() ? 0 : theSeq.GetCurve()->Children().Extent();
  const bool isDrill = theSeq.ToolpathMode() == PenFormatData_TM_Point;
  (isDrill ? aTool.Drills : aTool.Paths) += 1;
  aTool.Contours += aContours;
  aTool.Elements += anElements;
  add(aTool.Use, aUse);
  add(theUses[theSeq.ApertureNumber()], aUse);
  if (!isObjects)
  {
    return;
  }
  aGroup.Objects.push_back("tool " + std::to_string(theSeq.ApertureNumber()) + " \"" +
                           VexHost_Text::ApertureName(theModel, theSeq.ApertureNumber()) +
                           "\": " + (isDrill ? "drill, " : "path, ") +
                           counted(aContours, "contour") + ", " + counted(anElements, "element"));
}

//! Prints the toolpaths grouped by phase and layer, in order of first appearance: one line per
//! tool, or with isObjects one line per toolpath. Accumulates what each tool machines into
//! theUses.
void printToolpaths(const PenFormatData_Model& theModel, const bool isObjects,
                    std::map<Standard_Integer, ToolUse>& theUses)
{
  std::vector<LayerGroup> aGroups;
  Standard_Integer        aCount = 0;
  for (const Handle(PenFormatData_Object) & anObject : theModel.Objects())
  {
    const Handle(PenFormatData_Sequence) aSeq = Handle(PenFormatData_Sequence)::DownCast(anObject);
    if (!aSeq.IsNull() && aSeq->ToolpathFlag() != 0)
    {
      ++aCount;
      file(theModel, *aSeq, isObjects, aGroups, theUses);
    }
  }
  std::cout << "Toolpaths: " << aCount << "\n";
  for (const LayerGroup& aGroup : aGroups)
  {
    std::cout << "  " << aGroup.Key << "\n";
    if (isObjects)
    {
      for (const std::string& aLine : aGroup.Objects)
      {
        std::cout << "    " << aLine << "\n";
      }
      continue;
    }
    for (const ToolGroup& aTool : aGroup.Tools)
    {
      std::cout << "    " << toolLine(theModel, aTool) << "\n";
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

//! What info was given on the command line.
struct InfoOptions
{
  std::string File;              //!< file to read
  bool        IsObjects = false; //!< one toolpath line per object
};

//! Reads the file of theOptions and prints its summary.
int info(VexHost_Context& theContext, const InfoOptions& theOptions)
{
  if (!theContext.Prepare())
  {
    return VexHost_Context::THE_SETUP_FAILED;
  }
  Handle(PenFormatData_Model) aModel;
  VexPcb_TransferReport aReport;
  const std::string&    aFile = theOptions.File;
  if (const int aStatus =
          VexHost_ModelFile::Load(theContext, aFile, VexPcb_ImportOptions(), aModel, aReport))
  {
    return aStatus;
  }
  const VexHost_ModelFile::Kind aKind = VexHost_ModelFile::Identify(theContext, aFile);
  std::cout << "File: " << aFile << " (" << VexHost_ModelFile::KindName(aKind) << ")\n";
  printApertures(*aModel);
  printLayers(*aModel);
  std::map<Standard_Integer, ToolUse> aUses;
  printToolpaths(*aModel, theOptions.IsObjects, aUses);
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
              "summarise it: unit, apertures, layers, toolpaths per phase, layer and tool, "
              "artwork, cut length and drill hits per tool, scan fields, and for a design file "
              "what its import counted");
  auto anOptions = std::make_shared<InfoOptions>();
  aCommand->add_option("FILE", anOptions->File, "File to read")->required();
  aCommand->add_flag("--objects", anOptions->IsObjects,
                     "List every toolpath object on a line of its own instead of one line per "
                     "phase, layer and tool");
  theContext.AddCommand(aCommand,
                        [&theContext, anOptions]() { return info(theContext, *anOptions); });
}
