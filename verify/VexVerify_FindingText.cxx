// Copyright (c) 2026 VexData developers
#include <VexVerify_FindingText.hxx>

#include <cstdarg>
#include <cstdio>

std::string VexVerify_FindingText::Format(const char* theFormat, ...)
{
  char    aBuffer[512];
  va_list anArgs;
  va_start(anArgs, theFormat);
  std::vsnprintf(aBuffer, sizeof(aBuffer), theFormat, anArgs);
  va_end(anArgs);
  return aBuffer;
}

std::string VexVerify_FindingText::At(const gp_XY& thePoint)
{
  return Format("(%.3f, %.3f)", thePoint.X(), thePoint.Y());
}

std::string VexVerify_FindingText::Quoted(const TCollection_AsciiString& theName)
{
  return std::string("\"") + theName.ToCString() + "\"";
}

std::string VexVerify_FindingText::Tool(const VexVerify_Report::Tool& theTool)
{
  return Quoted(theTool.Name) + Format(" %g mm", theTool.Diameter);
}

std::string VexVerify_FindingText::Drill(const VexVerify_Report::Check&   theCheck,
                                         const VexVerify_Report::Finding& theFinding)
{
  const std::string aKind = Format("    %-9s ", KindName(theFinding.What));
  switch (theFinding.What)
  {
  case VexVerify_Report::Kind_Missing:
    return aKind + "hole at " + At(theFinding.At) + ": no hit";
  case VexVerify_Report::Kind_Moved:
    return aKind + "hole at " + At(theFinding.At) +
           Format(": hit %.3f mm off, at ", theFinding.Distance) + At(theFinding.Other) +
           ", tool " + Tool(theCheck.Tools.Value(theFinding.JobTool));
  case VexVerify_Report::Kind_Diameter:
    return aKind + "hole at " + At(theFinding.At) + ": drilled with " +
           Tool(theCheck.Tools.Value(theFinding.JobTool));
  case VexVerify_Report::Kind_Doubled:
    return aKind + "hit at " + At(theFinding.At) + ": a second hit on the hole at " +
           At(theFinding.Other);
  default:
    return aKind + "hit at " + At(theFinding.At) + ": no hole";
  }
}

std::string VexVerify_FindingText::Path(const VexVerify_Report::Check&   theCheck,
                                        const VexVerify_Report::Finding& theFinding)
{
  const VexVerify_Report::Path& aPath = theCheck.Paths.Value(theFinding.PathIndex);
  return Format("    %-9s %.3f mm of path at ", KindName(theFinding.What), theFinding.Length) +
         At(theFinding.At) + ", box " + At(theFinding.BoxMin) + " to " + At(theFinding.BoxMax) +
         ", tool " + Quoted(aPath.Tool) + Format(" %g mm", aPath.Width) + ", phase " +
         Quoted(aPath.Phase) + ", layer " + Quoted(aPath.Layer);
}

std::string VexVerify_FindingText::Bridge(const VexVerify_Report::Finding& theFinding,
                                          const Standard_Boolean           isOneNet)
{
  return Format("    %-9s ", isOneNet ? "same net" : KindName(theFinding.What)) +
         Island(theFinding.Islands[0]) + " and " + Island(theFinding.Islands[1]) +
         " still joined near " + At(theFinding.At);
}

std::string VexVerify_FindingText::Island(const VexVerify_Report::Island& theIsland)
{
  const std::string anAt = "island at " + At(theIsland.At);
  if (theIsland.Net.IsEmpty())
  {
    return anAt;
  }
  return anAt + (theIsland.IsSeveral ? " [nets " : " [net ") + Quoted(theIsland.Net) +
         (theIsland.IsSeveral ? " and others]" : "]");
}

const char* VexVerify_FindingText::KindName(const VexVerify_Report::Kind theKind)
{
  switch (theKind)
  {
  case VexVerify_Report::Kind_Missing:
    return "missing";
  case VexVerify_Report::Kind_Moved:
    return "moved";
  case VexVerify_Report::Kind_Diameter:
    return "diameter";
  case VexVerify_Report::Kind_Extra:
    return "extra";
  case VexVerify_Report::Kind_Doubled:
    return "doubled";
  case VexVerify_Report::Kind_Copper:
    return "copper";
  case VexVerify_Report::Kind_Outside:
    return "outside";
  case VexVerify_Report::Kind_Bridge:
    return "bridge";
  }
  return "unknown";
}
