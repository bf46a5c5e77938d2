// Copyright (c) 2026 VexData developers
#include <VexVerify_ReportWriter.hxx>

#include <VexVerify_FindingText.hxx>

#include <nlohmann/json.hpp>

#include <exception>
#include <string>

namespace
{
typedef VexVerify_Report::Check   Check;
typedef VexVerify_Report::Finding Finding;
typedef nlohmann::ordered_json    Json;
typedef VexVerify_FindingText     Words;

//! Returns the text printf makes of theFormat and its arguments.
template <class... TheArgs> std::string format(const char* theFormat, const TheArgs... theArgs)
{
  return Words::Format(theFormat, theArgs...);
}

//! The kinds in the order their counts are written.
const VexVerify_Report::Kind THE_KINDS[] = {
    VexVerify_Report::Kind_Missing, VexVerify_Report::Kind_Moved,   VexVerify_Report::Kind_Diameter,
    VexVerify_Report::Kind_Extra,   VexVerify_Report::Kind_Doubled, VexVerify_Report::Kind_Copper,
    VexVerify_Report::Kind_Outside, VexVerify_Report::Kind_Bridge};

//! Returns theCount and the noun, plural when theCount is not 1.
std::string count(const Standard_Integer theCount, const char* theOne, const char* theMany)
{
  return format("%d %s", theCount, theCount == 1 ? theOne : theMany);
}

//! Returns theNames joined by ", ", or theNone when there are none.
std::string names(const NCollection_Sequence<TCollection_AsciiString>& theNames,
                  const char*                                          theNone)
{
  std::string aText;
  for (NCollection_Sequence<TCollection_AsciiString>::Iterator anIt(theNames); anIt.More();
       anIt.Next())
  {
    aText += (aText.empty() ? "" : ", ") + Words::Quoted(anIt.Value());
  }
  return aText.empty() ? theNone : aText;
}

//! Returns how many findings of theKind theCheck holds.
Standard_Integer countOf(const Check& theCheck, const VexVerify_Report::Kind theKind)
{
  Standard_Integer aCount = 0;
  for (NCollection_Vector<Finding>::Iterator anIt(theCheck.Findings); anIt.More(); anIt.Next())
  {
    aCount += anIt.Value().What == theKind ? 1 : 0;
  }
  return aCount;
}

//! Returns the key a drill finding is filed under: its design tool, or its job tool for hits.
Standard_Integer toolOf(const Finding& theFinding)
{
  return theFinding.What == VexVerify_Report::Kind_Extra ||
                 theFinding.What == VexVerify_Report::Kind_Doubled
             ? theFinding.JobTool
             : theFinding.DesignTool;
}

//! Returns the findings summary: "3 (1 missing, 2 moved)".
std::string summary(const Check& theCheck)
{
  std::string aKinds;
  for (const VexVerify_Report::Kind aKind : THE_KINDS)
  {
    const Standard_Integer aCount = countOf(theCheck, aKind);
    if (aCount > 0)
    {
      aKinds += format("%s%d %s", aKinds.empty() ? "" : ", ", aCount,
                       VexVerify_ReportWriter::KindName(aKind));
    }
  }
  return format("%d (", theCheck.Findings.Length()) + aKinds + ")";
}
} // namespace

const char* VexVerify_ReportWriter::KindName(const VexVerify_Report::Kind theKind)
{
  return Words::KindName(theKind);
}

namespace
{
//! Writes the text of one check.
class TextWriter
{
public:
  TextWriter(Standard_OStream& theStream, const Standard_Real theTolerance,
             const Standard_Integer theLimit)
      : myStream(theStream), myTolerance(theTolerance), myLimit(theLimit)
  {
  }

  //! Writes theCheck.
  void Write(const Check& theCheck)
  {
    myStream << "\n"
             << (theCheck.Role == VexVerify_Design::Role_Drill    ? "Drill"
                 : theCheck.Role == VexVerify_Design::Role_Copper ? "Copper"
                                                                  : "Outline")
             << " check: " << theCheck.Design << " (role "
             << VexVerify_Design::RoleName(theCheck.Role)
             << (theCheck.RoleGiven
                     ? ", given"
                     : std::string(", chosen from the content: ") + theCheck.Reason.ToCString())
             << ")\n";
    if (theCheck.Role == VexVerify_Design::Role_Drill)
    {
      writeDrills(theCheck);
    }
    else
    {
      writePaths(theCheck);
    }
    for (NCollection_Sequence<TCollection_AsciiString>::Iterator anIt(theCheck.Notes); anIt.More();
         anIt.Next())
    {
      myStream << "  Note: " << anIt.Value() << "\n";
    }
  }

private:
  //! Writes the tools of a drill check with their findings, and the summary.
  void writeDrills(const Check& theCheck)
  {
    Standard_Integer aDesignTools = 0;
    for (NCollection_Vector<VexVerify_Report::Tool>::Iterator anIt(theCheck.Tools); anIt.More();
         anIt.Next())
    {
      aDesignTools += anIt.Value().IsDesign ? 1 : 0;
    }
    myStream << "  " << count(theCheck.Holes, "hole", "holes") << " of "
             << count(aDesignTools, "tool", "tools") << " against "
             << count(theCheck.Hits, "hit", "hits") << " of "
             << count(theCheck.Tools.Length() - aDesignTools, "tool", "tools") << "; "
             << theCheck.Matched << format(" paired within %g mm\n", myTolerance);
    const Standard_Integer aListed = listedOf(theCheck.Findings.Length());
    Standard_Integer       aNext   = 0;
    for (Standard_Integer aTool = 0; aTool < theCheck.Tools.Length(); ++aTool)
    {
      const VexVerify_Report::Tool& aValue = theCheck.Tools.Value(aTool);
      myStream << "  " << (aValue.IsDesign ? "design tool " : "job tool ") << Words::Tool(aValue)
               << (aValue.Design.IsEmpty() ? ""
                                           : std::string(" (") + aValue.Design.ToCString() + ")")
               << ": "
               << count(aValue.Count, aValue.IsDesign ? "hole" : "hit",
                        aValue.IsDesign ? "holes" : "hits")
               << ", " << aValue.Matched << " paired\n";
      for (; aNext < theCheck.Findings.Length() && toolOf(theCheck.Findings.Value(aNext)) == aTool;
           ++aNext)
      {
        if (aNext < aListed)
        {
          myStream << Words::Drill(theCheck, theCheck.Findings.Value(aNext)) << "\n";
        }
      }
    }
    writeMore(theCheck.Findings.Length(), aListed);
    if (theCheck.Findings.IsEmpty())
    {
      myStream << format("  No findings: every hole has one hit of its diameter within %g mm\n",
                         myTolerance);
      return;
    }
    myStream << "  Findings: " << summary(theCheck) << "\n";
  }

  //! Writes the paths compared and the places of a copper or outline check, then the bridges.
  void writePaths(const Check& theCheck)
  {
    const Standard_Boolean isCopper = theCheck.Role == VexVerify_Design::Role_Copper;
    myStream << "  " << count(theCheck.Contours, "path contour", "path contours")
             << format(" (%.3f mm) against ", theCheck.PathLength)
             << (isCopper ? count(theCheck.Features, "copper feature", "copper features")
                          : "a board of " + count(theCheck.Features, "closed contour or area",
                                                  "closed contours and areas"))
             << "\n";
    // The places come first, the bridges after them.
    const Standard_Integer aPlaces =
        theCheck.Findings.Length() - countOf(theCheck, VexVerify_Report::Kind_Bridge);
    const Standard_Integer aListed = listedOf(aPlaces);
    for (Standard_Integer anIndex = 0; anIndex < aListed; ++anIndex)
    {
      myStream << Words::Path(theCheck, theCheck.Findings.Value(anIndex)) << "\n";
    }
    writeMore(aPlaces, aListed);
    if (aPlaces == 0)
    {
      myStream << (isCopper ? format("  No findings: no path comes closer to copper than its tool "
                                     "radius less %g mm\n",
                                     myTolerance)
                            : format("  No findings: no path runs outside the board farther than "
                                     "its tool radius plus %g mm\n",
                                     myTolerance));
    }
    else
    {
      myStream << "  Findings: " << count(aPlaces, "place", "places")
               << format(", %.3f mm of path %s\n", theCheck.FoundLength,
                         isCopper ? "in copper" : "outside the board");
    }
    if (theCheck.IsBridged)
    {
      writeBridges(theCheck, aPlaces);
    }
  }

  //! Writes the islands of a copper check and the bridges between them, which follow the first
  //! theFirst findings, then the harmless joins within one net.
  void writeBridges(const Check& theCheck, const Standard_Integer theFirst)
  {
    myStream << "  Islands: " << count(theCheck.Islands, "island", "islands") << " over "
             << (theCheck.Board.IsEmpty() ? std::string("the copper's box grown by 1 mm")
                                          : "the board of " + Words::Quoted(theCheck.Board))
             << "\n";
    const Standard_Integer aBridges = theCheck.Findings.Length() - theFirst;
    const Standard_Integer aListed  = listedOf(aBridges);
    for (Standard_Integer anIndex = 0; anIndex < aListed; ++anIndex)
    {
      myStream << Words::Bridge(theCheck.Findings.Value(theFirst + anIndex), Standard_False)
               << "\n";
    }
    writeMore(aBridges, aListed);
    myStream << (aBridges == 0 ? std::string("  No findings: every island is isolated\n")
                               : "  Findings: " + count(aBridges, "bridge", "bridges") +
                                     " between islands still joined after milling\n");
    if (theCheck.Joins.IsEmpty())
    {
      return;
    }
    const Standard_Integer aJoins = listedOf(theCheck.Joins.Length());
    myStream << "  Harmless: "
             << count(theCheck.Joins.Length(), "join of islands of one net",
                      "joins of islands of one net")
             << " (not counted)\n";
    for (Standard_Integer anIndex = 0; anIndex < aJoins; ++anIndex)
    {
      myStream << Words::Bridge(theCheck.Joins.Value(anIndex), Standard_True) << "\n";
    }
    writeMore(theCheck.Joins.Length(), aJoins);
  }

  //! Returns how many of theCount findings are listed.
  Standard_Integer listedOf(const Standard_Integer theCount) const
  {
    return myLimit > 0 && myLimit < theCount ? myLimit : theCount;
  }

  //! Writes how many of theCount findings were not listed (theListed were).
  void writeMore(const Standard_Integer theCount, const Standard_Integer theListed)
  {
    if (theListed < theCount)
    {
      myStream << "    ... and " << theCount - theListed << " more (--limit 0 lists every one)\n";
    }
  }

  Standard_OStream& myStream;    //!< where the text goes
  Standard_Real     myTolerance; //!< the checks' tolerance
  Standard_Integer  myLimit;     //!< findings listed per list, 0 every one
};
} // namespace

Standard_Boolean VexVerify_ReportWriter::WriteText(const VexVerify_Report& theReport,
                                                   Standard_OStream&       theStream) const
{
  try
  {
    writeText(theReport, theStream);
  }
  catch (const std::exception&)
  {
    return Standard_False;
  }
  return theStream.good();
}

void VexVerify_ReportWriter::writeText(const VexVerify_Report& theReport,
                                       Standard_OStream&       theStream) const
{
  const Standard_Boolean isAll = theReport.Phases.IsEmpty() && theReport.Layers.IsEmpty();
  theStream << "Job: " << theReport.Job << ": " << count(theReport.Hits, "drill hit", "drill hits")
            << ", " << count(theReport.Contours, "path contour", "path contours")
            << format(" (%.3f mm)", theReport.PathLength)
            << (isAll ? std::string(" of every phase and layer")
                      : " of phases " + names(theReport.Phases, "(every one)") + " and layers " +
                            names(theReport.Layers, "(every one)"))
            << "\n"
            << format("Tolerance: %g mm\n", theReport.Tolerance);
  for (NCollection_Vector<Check>::Iterator anIt(theReport.Checks); anIt.More(); anIt.Next())
  {
    TextWriter(theStream, theReport.Tolerance, myLimit).Write(anIt.Value());
  }
  const Standard_Integer aFindings = theReport.NbFindings();
  theStream << "\nResult: "
            << (aFindings == 0 ? std::string("no findings")
                               : count(aFindings, "finding", "findings"))
            << std::endl;
}

namespace
{
//! Returns thePoint as [x, y].
Json point(const gp_XY& thePoint)
{
  return Json::array({thePoint.X(), thePoint.Y()});
}

//! Returns theNames as an array of strings.
Json array(const NCollection_Sequence<TCollection_AsciiString>& theNames)
{
  Json anArray = Json::array();
  for (NCollection_Sequence<TCollection_AsciiString>::Iterator anIt(theNames); anIt.More();
       anIt.Next())
  {
    anArray.push_back(anIt.Value().ToCString());
  }
  return anArray;
}

//! Returns a drill finding.
Json drillFinding(const Check& theCheck, const Finding& theFinding)
{
  Json                   aFinding  = {{"kind", VexVerify_ReportWriter::KindName(theFinding.What)}};
  const Standard_Boolean isHit     = toolOf(theFinding) == theFinding.JobTool;
  aFinding[isHit ? "hit" : "hole"] = point(theFinding.At);
  if (theFinding.DesignTool >= 0)
  {
    const VexVerify_Report::Tool& aTool = theCheck.Tools.Value(theFinding.DesignTool);
    aFinding["designTool"] = {{"name", aTool.Name.ToCString()}, {"diameter", aTool.Diameter}};
    if (!aTool.Design.IsEmpty())
    {
      aFinding["designTool"]["design"] = aTool.Design.ToCString();
    }
  }
  if (theFinding.JobTool >= 0)
  {
    const VexVerify_Report::Tool& aTool = theCheck.Tools.Value(theFinding.JobTool);
    aFinding["jobTool"] = {{"name", aTool.Name.ToCString()}, {"diameter", aTool.Diameter}};
  }
  if (theFinding.What == VexVerify_Report::Kind_Moved ||
      theFinding.What == VexVerify_Report::Kind_Diameter ||
      theFinding.What == VexVerify_Report::Kind_Doubled)
  {
    aFinding[isHit ? "hole" : "hit"] = point(theFinding.Other);
    aFinding["distance"]             = theFinding.Distance;
  }
  return aFinding;
}

//! Returns a path finding.
Json pathFinding(const Check& theCheck, const Finding& theFinding)
{
  const VexVerify_Report::Path& aPath = theCheck.Paths.Value(theFinding.PathIndex);
  return {{"kind", VexVerify_ReportWriter::KindName(theFinding.What)},
          {"at", point(theFinding.At)},
          {"box", Json::array({point(theFinding.BoxMin), point(theFinding.BoxMax)})},
          {"length", theFinding.Length},
          {"tool", aPath.Tool.ToCString()},
          {"width", aPath.Width},
          {"phase", aPath.Phase.ToCString()},
          {"layer", aPath.Layer.ToCString()}};
}

//! Returns theIsland of a bridge.
Json island(const VexVerify_Report::Island& theIsland)
{
  Json anIsland = {{"at", point(theIsland.At)}};
  if (!theIsland.Net.IsEmpty())
  {
    anIsland["net"]         = theIsland.Net.ToCString();
    anIsland["severalNets"] = static_cast<bool>(theIsland.IsSeveral);
  }
  return anIsland;
}

//! Returns a bridge between two islands.
Json bridgeFinding(const Finding& theFinding)
{
  return {{"kind", VexVerify_ReportWriter::KindName(theFinding.What)},
          {"at", point(theFinding.At)},
          {"islands", Json::array({island(theFinding.Islands[0]), island(theFinding.Islands[1])})}};
}

//! Returns true when a check of theRole can find theKind.
Standard_Boolean isKindOf(const VexVerify_Report::Kind theKind,
                          const VexVerify_Design::Role theRole)
{
  switch (theRole)
  {
  case VexVerify_Design::Role_Copper:
    return theKind == VexVerify_Report::Kind_Copper || theKind == VexVerify_Report::Kind_Bridge;
  case VexVerify_Design::Role_Outline:
    return theKind == VexVerify_Report::Kind_Outside;
  case VexVerify_Design::Role_Drill:
    break;
  }
  return theKind != VexVerify_Report::Kind_Copper && theKind != VexVerify_Report::Kind_Outside &&
         theKind != VexVerify_Report::Kind_Bridge;
}

//! Returns what a drill check compared.
void drillPart(const Check& theCheck, Json& theJson)
{
  theJson["holes"]   = theCheck.Holes;
  theJson["hits"]    = theCheck.Hits;
  theJson["matched"] = theCheck.Matched;
  theJson["slots"]   = theCheck.Slots;
  Json aTools        = Json::array();
  for (NCollection_Vector<VexVerify_Report::Tool>::Iterator anIt(theCheck.Tools); anIt.More();
       anIt.Next())
  {
    const VexVerify_Report::Tool& aTool = anIt.Value();
    Json                          aJson = {{"side", aTool.IsDesign ? "design" : "job"},
                                           {"name", aTool.Name.ToCString()},
                                           {"diameter", aTool.Diameter},
                                           {aTool.IsDesign ? "holes" : "hits", aTool.Count},
                                           {"matched", aTool.Matched},
                                           {"findings", aTool.Findings}};
    if (!aTool.Design.IsEmpty())
    {
      aJson["design"] = aTool.Design.ToCString();
    }
    aTools.push_back(aJson);
  }
  theJson["tools"] = aTools;
}

//! Returns what a copper or outline check compared.
void pathPart(const Check& theCheck, Json& theJson)
{
  theJson["contours"]   = theCheck.Contours;
  theJson["pathLength"] = theCheck.PathLength;
  theJson[theCheck.Role == VexVerify_Design::Role_Copper ? "features" : "boardContours"] =
      theCheck.Features;
  theJson["foundLength"] = theCheck.FoundLength;
  Json aPaths            = Json::array();
  for (NCollection_Vector<VexVerify_Report::Path>::Iterator anIt(theCheck.Paths); anIt.More();
       anIt.Next())
  {
    const VexVerify_Report::Path& aPath = anIt.Value();
    aPaths.push_back({{"phase", aPath.Phase.ToCString()},
                      {"layer", aPath.Layer.ToCString()},
                      {"tool", aPath.Tool.ToCString()},
                      {"width", aPath.Width},
                      {"contours", aPath.Contours},
                      {"length", aPath.Length}});
  }
  theJson["paths"] = aPaths;
  if (theCheck.IsBridged)
  {
    theJson["islands"] = theCheck.Islands;
    theJson["board"]   = theCheck.Board.IsEmpty() ? Json() : Json(theCheck.Board.ToCString());
  }
}
//! Returns theFindings of theCheck, up to theLimit (0: every one) of the bridges and as many of
//! the others.
Json findings(const Check& theCheck, const NCollection_Vector<Finding>& theFindings,
              const Standard_Integer theLimit)
{
  Json             aFindings  = Json::array();
  Standard_Integer aCounts[2] = {0, 0};
  for (NCollection_Vector<Finding>::Iterator anIt(theFindings); anIt.More(); anIt.Next())
  {
    const Finding& aFinding = anIt.Value();
    if (theLimit > 0 &&
        ++aCounts[aFinding.What == VexVerify_Report::Kind_Bridge ? 1 : 0] > theLimit)
    {
      continue;
    }
    aFindings.push_back(aFinding.What == VexVerify_Report::Kind_Bridge ? bridgeFinding(aFinding)
                        : theCheck.Role == VexVerify_Design::Role_Drill
                            ? drillFinding(theCheck, aFinding)
                            : pathFinding(theCheck, aFinding));
  }
  return aFindings;
}

} // namespace

Standard_Boolean VexVerify_ReportWriter::WriteJson(const VexVerify_Report& theReport,
                                                   Standard_OStream&       theStream) const
{
  try
  {
    writeJson(theReport, theStream);
  }
  catch (const std::exception&)
  {
    return Standard_False;
  }
  return theStream.good();
}

void VexVerify_ReportWriter::writeJson(const VexVerify_Report& theReport,
                                       Standard_OStream&       theStream) const
{
  Json aChecks = Json::array();
  for (NCollection_Vector<Check>::Iterator anIt(theReport.Checks); anIt.More(); anIt.Next())
  {
    const Check& aCheck = anIt.Value();
    Json         aJson  = {{"design", aCheck.Design.ToCString()},
                           {"role", VexVerify_Design::RoleName(aCheck.Role)},
                           {"roleGiven", aCheck.RoleGiven},
                           {"reason", aCheck.Reason.ToCString()}};
    if (aCheck.Designs.Length() > 1)
    {
      aJson["designs"] = array(aCheck.Designs);
    }
    const Standard_Boolean isDrill = aCheck.Role == VexVerify_Design::Role_Drill;
    isDrill ? drillPart(aCheck, aJson) : pathPart(aCheck, aJson);
    Json aCounts = Json::object();
    for (const VexVerify_Report::Kind aKind : THE_KINDS)
    {
      if (isKindOf(aKind, aCheck.Role))
      {
        aCounts[KindName(aKind)] = countOf(aCheck, aKind);
      }
    }
    aJson["counts"]   = aCounts;
    aJson["total"]    = aCheck.Findings.Length();
    aJson["findings"] = findings(aCheck, aCheck.Findings, myLimit);
    if (aCheck.IsBridged)
    {
      aJson["sameNet"] = findings(aCheck, aCheck.Joins, myLimit);
    }
    aJson["notes"] = array(aCheck.Notes);
    aChecks.push_back(aJson);
  }
  const Json aDocument = {{"job",
                           {{"file", theReport.Job.ToCString()},
                            {"hits", theReport.Hits},
                            {"contours", theReport.Contours},
                            {"pathLength", theReport.PathLength},
                            {"phases", array(theReport.Phases)},
                            {"layers", array(theReport.Layers)}}},
                          {"tolerance", theReport.Tolerance},
                          {"checks", aChecks},
                          {"findings", theReport.NbFindings()}};
  // File names need not be UTF-8; the document stays valid with replacement characters.
  theStream << aDocument.dump(2, ' ', false, Json::error_handler_t::replace) << std::endl;
}
