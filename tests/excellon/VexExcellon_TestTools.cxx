// Copyright (c) 2026 VexData developers
#include <VexExcellon_TestTools.hxx>

#include <PenFormatData.hxx>
#include <PenFormatData_Sequence.hxx>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <utility>

#include <stdlib.h>
#include <unistd.h>

std::vector<VexExcellon_TestHole> VexExcellon_TestTools::Holes(const PenFormatData_Model& theModel)
{
  std::vector<VexExcellon_TestHole> aHoles;
  const double                      aFactor =
      PenFormatData::ComputeUnitFactor(theModel.DimensionUnit(), PenFormatData_DU_Millimetre);
  for (const Handle(PenFormatData_Object) & anObject : theModel.Objects())
  {
    const Handle(PenFormatData_Sequence) aSeq = Handle(PenFormatData_Sequence)::DownCast(anObject);
    if (aSeq.IsNull() || aSeq->ToolpathFlag() == 0 || aSeq->ToolpathMode() != 2)
    {
      continue;
    }
    const Handle(PenFormatData_Aperture)& anAp = theModel.Aperture(aSeq->ApertureNumber());
    for (const Handle(PhGeom_Curve) & aHole : aSeq->GetCurve()->Children())
    {
      const gp_XY aPoint = aHole->FirstElement()->StartPoint() * aFactor;
      aHoles.push_back({aPoint.X(), aPoint.Y(), anAp->Param(1) * aFactor,
                        TCollection_AsciiString(anAp->Name()).ToCString()});
    }
  }
  return aHoles;
}

size_t VexExcellon_TestTools::Match(const std::vector<VexExcellon_TestHole>& theFirst,
                                    const std::vector<VexExcellon_TestHole>& theSecond,
                                    const double thePosition, const double theDiameter)
{
  // The second set on a grid of cells as large as the tolerance: a partner lies in one of the
  // nine cells around a hole.
  std::multimap<std::pair<long long, long long>, size_t> aGrid;
  const double                                           aCell = std::max(thePosition, 1e-9);
  for (size_t anIndex = 0; anIndex < theSecond.size(); ++anIndex)
  {
    aGrid.emplace(std::make_pair(std::llround(theSecond[anIndex].X / aCell),
                                 std::llround(theSecond[anIndex].Y / aCell)),
                  anIndex);
  }
  std::vector<bool> isTaken(theSecond.size(), false);
  size_t            aMatched = 0;
  for (const VexExcellon_TestHole& aHole : theFirst)
  {
    const long long aX = std::llround(aHole.X / aCell), aY = std::llround(aHole.Y / aCell);
    bool            isFound = false;
    for (long long aDx = -1; aDx <= 1 && !isFound; ++aDx)
    {
      for (long long aDy = -1; aDy <= 1 && !isFound; ++aDy)
      {
        const auto aRange = aGrid.equal_range(std::make_pair(aX + aDx, aY + aDy));
        for (auto anIter = aRange.first; anIter != aRange.second && !isFound; ++anIter)
        {
          const VexExcellon_TestHole& aPartner = theSecond[anIter->second];
          isFound = !isTaken[anIter->second] && std::abs(aPartner.X - aHole.X) <= thePosition &&
                    std::abs(aPartner.Y - aHole.Y) <= thePosition &&
                    std::abs(aPartner.D - aHole.D) <= theDiameter;
          if (isFound)
          {
            isTaken[anIter->second] = true;
          }
        }
      }
    }
    aMatched += isFound ? 1 : 0;
  }
  return aMatched;
}

bool VexExcellon_TestTools::HasGerbv()
{
  return std::system("gerbv --version > /dev/null 2>&1") == 0;
}

std::string VexExcellon_TestTools::GerbvExport(const std::string& theIn, const std::string& theOut)
{
  const std::string anErrors = Scratch() + "/gerbv.err";
  std::remove(theOut.c_str());
  const std::string aCommand =
      "gerbv -x drill -o '" + theOut + "' '" + theIn + "' > /dev/null 2> '" + anErrors + "'";
  if (std::system(aCommand.c_str()) != 0)
  {
    return "gerbv failed: " + Content(anErrors);
  }
  return Content(anErrors);
}

namespace
{
//! A scratch folder removed with everything in it when the tests end.
struct ScratchFolder
{
  std::string Path; //!< the folder

  ScratchFolder()
  {
    std::string aTemplate = std::filesystem::temp_directory_path().string() + "/vexexcellon-XXXXXX";
    Path                  = mkdtemp(&aTemplate[0]) != NULL ? aTemplate : std::string();
  }

  ~ScratchFolder()
  {
    std::error_code anError;
    if (!Path.empty())
    {
      std::filesystem::remove_all(Path, anError);
    }
  }
};
} // namespace

const std::string& VexExcellon_TestTools::Scratch()
{
  static ScratchFolder aFolder;
  return aFolder.Path;
}

std::string VexExcellon_TestTools::Content(const std::string& thePath)
{
  std::ifstream aFile(thePath.c_str(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(aFile), std::istreambuf_iterator<char>());
}
