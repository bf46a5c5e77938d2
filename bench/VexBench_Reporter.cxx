// Copyright (c) 2026 VexData developers
#include <VexBench_Reporter.hxx>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace
{
//! Bytes of model memory allowed per segment or point.
const double THE_MEMORY_BUDGET = 64.0;

//! Bytes of model memory allowed per Gerber draw, flash and four-sided region.
const double THE_GERBER_BUDGETS[] = {48.0, 96.0, 150.0};

//! One line of the table.
struct Row
{
  std::string Figure;      //!< what is measured, with its unit
  double      Value;       //!< measured value, negative when absent
  std::string Anchor;      //!< what it is compared with, with its unit
  double      AnchorValue; //!< anchor value, negative when absent
  double      Lowest;      //!< smallest ratio that meets the target
  double      Highest;     //!< largest ratio that meets the target
  bool        IsTarget;    //!< false: the row only informs
};

//! Returns the median of theValues (which is not empty).
double median(std::vector<double> theValues)
{
  std::sort(theValues.begin(), theValues.end());
  const size_t aMiddle = theValues.size() / 2;
  return theValues.size() % 2 == 1 ? theValues[aMiddle]
                                   : 0.5 * (theValues[aMiddle - 1] + theValues[aMiddle]);
}

//! Returns the target of theRow as text.
std::string targetText(const Row& theRow)
{
  char aText[64];
  if (!theRow.IsTarget)
  {
    return "-";
  }
  if (theRow.Highest >= HUGE_VAL)
  {
    std::snprintf(aText, sizeof(aText), ">= %.2f", theRow.Lowest);
  }
  else if (theRow.Lowest <= 0.0)
  {
    std::snprintf(aText, sizeof(aText), "<= %.2f", theRow.Highest);
  }
  else
  {
    std::snprintf(aText, sizeof(aText), "%.2f..%.2f", theRow.Lowest, theRow.Highest);
  }
  return aText;
}

//! Prints theRow as one line of the table.
void printRow(std::ostream& theStream, const Row& theRow)
{
  const bool   isMeasured = theRow.Value > 0.0 && theRow.AnchorValue > 0.0;
  const double aRatio     = isMeasured ? theRow.Value / theRow.AnchorValue : 0.0;
  const char*  aVerdict   = !isMeasured                                           ? "n/a"
                            : !theRow.IsTarget                                    ? "info"
                            : aRatio >= theRow.Lowest && aRatio <= theRow.Highest ? "met"
                                                                                  : "MISSED";
  char         aLine[512];
  char         aValue[32], anAnchor[32], aRatioText[32];
  std::snprintf(aValue, sizeof(aValue), theRow.Value > 0.0 ? "%.4g" : "n/a", theRow.Value);
  std::snprintf(anAnchor, sizeof(anAnchor), theRow.AnchorValue > 0.0 ? "%.4g" : "n/a",
                theRow.AnchorValue);
  std::snprintf(aRatioText, sizeof(aRatioText), isMeasured ? "%.3f" : "n/a", aRatio);
  std::snprintf(aLine, sizeof(aLine), "%-40s %10s  %-44s %10s  %7s  %-10s %s\n",
                theRow.Figure.c_str(), aValue, theRow.Anchor.c_str(), anAnchor, aRatioText,
                targetText(theRow).c_str(), aVerdict);
  theStream << aLine;
}
} // namespace

void VexBench_Reporter::ReportRuns(const std::vector<Run>& theRuns)
{
  ConsoleReporter::ReportRuns(theRuns);
  for (const Run& aRun : theRuns)
  {
    if (aRun.run_type != Run::RT_Iteration || aRun.error_occurred || aRun.iterations == 0)
    {
      continue;
    }
    Measure aMeasure;
    aMeasure.Seconds = aRun.cpu_accumulated_time / static_cast<double>(aRun.iterations);
    for (const auto& aCounter : aRun.counters)
    {
      aMeasure.Counters[aCounter.first] = aCounter.second.value;
    }
    myMeasures[aRun.run_name.function_name].push_back(aMeasure);
  }
}

double VexBench_Reporter::seconds(const std::string& theName) const
{
  const auto anIter = myMeasures.find(theName);
  if (anIter == myMeasures.end())
  {
    return -1.0;
  }
  std::vector<double> aValues;
  for (const Measure& aMeasure : anIter->second)
  {
    aValues.push_back(aMeasure.Seconds);
  }
  return median(aValues);
}

double VexBench_Reporter::counter(const std::string& theName, const std::string& theKey) const
{
  const auto anIter = myMeasures.find(theName);
  if (anIter == myMeasures.end())
  {
    return -1.0;
  }
  std::vector<double> aValues;
  for (const Measure& aMeasure : anIter->second)
  {
    const auto aCounter = aMeasure.Counters.find(theKey);
    if (aCounter != aMeasure.Counters.end())
    {
      aValues.push_back(aCounter->second);
    }
  }
  return aValues.empty() ? -1.0 : median(aValues);
}

double VexBench_Reporter::megabytesPerSecond(const std::string& theName) const
{
  const double aRate = counter(theName, "bytes_per_second");
  return aRate > 0.0 ? aRate * 1.0e-6 : -1.0;
}

double VexBench_Reporter::secondsPerField(const int theCount) const
{
  const double aSeconds = seconds("scan_fields/" + std::to_string(theCount));
  return aSeconds > 0.0 ? aSeconds / theCount : -1.0;
}

double VexBench_Reporter::secondsPerMegabyte(const std::string& theName) const
{
  const double aRate = megabytesPerSecond(theName);
  return aRate > 0.0 ? 1.0 / aRate : -1.0;
}

void VexBench_Reporter::PrintTable(std::ostream& theStream) const
{
  const double anInf    = HUGE_VAL;
  const double aThird   = 1.0 / 3.0;
  const double aPeer    = megabytesPerSecond("stl_peer");
  const double aPeerTri = counter("stl_peer", "elements");
  const double aField1k = secondsPerField(1000);
  const double aGrowth2 = std::log(1.0e4) / std::log(1.0e3);
  const double aGrowth3 = std::log(1.0e5) / std::log(1.0e3);
  auto         aScaled  = [](double theValue, double theFactor)
  { return theValue > 0.0 ? theValue * theFactor : -1.0; };

  const Row aRows[] = {
      {"read path-heavy, MB/s", megabytesPerSecond("read/path"), "read floor, same file, MB/s",
       megabytesPerSecond("read_floor/path"), aThird, anInf, true},
      {"read drill-heavy, MB/s", megabytesPerSecond("read/drill"), "read floor, same file, MB/s",
       megabytesPerSecond("read_floor/drill"), aThird, anInf, true},
      {"read small blocks, MB/s", megabytesPerSecond("read/blocks"), "read floor, same file, MB/s",
       megabytesPerSecond("read_floor/blocks"), aThird, anInf, false},
      {"write path-heavy, MB/s", megabytesPerSecond("write/path"),
       "write floor, same byte count, MB/s", megabytesPerSecond("write_floor/path"), aThird, anInf,
       true},
      {"write drill-heavy, MB/s", megabytesPerSecond("write/drill"),
       "write floor, same byte count, MB/s", megabytesPerSecond("write_floor/drill"), aThird, anInf,
       true},
      {"write small blocks, MB/s", megabytesPerSecond("write/blocks"),
       "write floor, same byte count, MB/s", megabytesPerSecond("write_floor/blocks"), aThird,
       anInf, true},
      {"read path-heavy, MB/s", megabytesPerSecond("read/path"), "peer: binary STL read, MB/s",
       aPeer, 10.0, anInf, true},
      {"read drill-heavy, MB/s", megabytesPerSecond("read/drill"), "peer: binary STL read, MB/s",
       aPeer, 10.0, anInf, true},
      {"read small blocks, MB/s", megabytesPerSecond("read/blocks"), "peer: binary STL read, MB/s",
       aPeer, 10.0, anInf, false},
      {"read path-heavy, Melements/s", aScaled(counter("read/path", "elements"), 1.0e-6),
       "peer: binary STL read, Mtriangles/s", aScaled(aPeerTri, 1.0e-6), 0.0, anInf, false},
      {"read drill-heavy, Melements/s", aScaled(counter("read/drill", "elements"), 1.0e-6),
       "peer: binary STL read, Mtriangles/s", aScaled(aPeerTri, 1.0e-6), 0.0, anInf, false},
      {"model bytes per segment", counter("memory/lines", "bytes_per_element"), "budget, bytes",
       THE_MEMORY_BUDGET, 0.0, 1.0, true},
      {"model bytes per drill point", counter("memory/drill", "bytes_per_element"), "budget, bytes",
       THE_MEMORY_BUDGET, 0.0, 1.0, true},
      {"model bytes per element, path-heavy", counter("memory/path", "bytes_per_element"),
       "budget, bytes", THE_MEMORY_BUDGET, 0.0, anInf, false},
      {"write 10k scan fields, us/field", aScaled(secondsPerField(10000), 1.0e6),
       "1k fields x n log n growth, us/field", aScaled(aField1k, 1.0e6 * aGrowth2), 0.0, 1.0, true},
      {"write 100k scan fields, us/field", aScaled(secondsPerField(100000), 1.0e6),
       "1k fields x n log n growth, us/field", aScaled(aField1k, 1.0e6 * aGrowth3), 0.0, 1.0, true},
      {"read path-heavy large file, ms/MB", aScaled(secondsPerMegabyte("read/path"), 1.0e3),
       "read path-heavy 1 MB file, ms/MB", aScaled(secondsPerMegabyte("read/path_1mb"), 1.0e3), 0.8,
       1.2, true},
      {"write path-heavy large file, ms/MB", aScaled(secondsPerMegabyte("write/path"), 1.0e3),
       "write path-heavy 1 MB file, ms/MB", aScaled(secondsPerMegabyte("write/path_1mb"), 1.0e3),
       0.8, 1.2, true},
      // The design-file imports beside the machine-file reader, for scale: a Gerber file of a
      // million draws and an Excellon file of a million holes, read into a new model.
      {"import Gerber 1M draws, MB/s", megabytesPerSecond("gerber_read/1M_draws"),
       "read path-heavy machine file, MB/s", megabytesPerSecond("read/path"), 0.0, anInf, false},
      {"import Gerber 1M draws, Mdraws/s",
       aScaled(counter("gerber_read/1M_draws", "draws"), 1.0e-6),
       "read path-heavy machine file, Melements/s",
       aScaled(counter("read/path", "elements"), 1.0e-6), 0.0, anInf, false},
      {"import Excellon 1M holes, MB/s", megabytesPerSecond("excellonRead/decimal"),
       "read drill-heavy machine file, MB/s", megabytesPerSecond("read/drill"), 0.0, anInf, false},
      {"import Excellon 1M holes, Mholes/s",
       aScaled(counter("excellonRead/decimal", "holes"), 1.0e-6),
       "read drill-heavy machine file, Melements/s",
       aScaled(counter("read/drill", "elements"), 1.0e-6), 0.0, anInf, false},
      {"import Excellon 1M holes implied, MB/s", megabytesPerSecond("excellonRead/implied"),
       "read drill-heavy machine file, MB/s", megabytesPerSecond("read/drill"), 0.0, anInf, false},
      // The model a Gerber import leaves, per object, beside what it may hold.
      {"model bytes per Gerber draw", counter("gerber_model/draws", "bytes_per_object"),
       "budget, bytes", THE_GERBER_BUDGETS[0], 0.0, 1.0, true},
      {"model bytes per Gerber flash", counter("gerber_model/flashes", "bytes_per_object"),
       "budget, bytes", THE_GERBER_BUDGETS[1], 0.0, 1.0, true},
      {"model bytes per Gerber region", counter("gerber_model/regions", "bytes_per_object"),
       "budget, bytes", THE_GERBER_BUDGETS[2], 0.0, 1.0, true},
  };
  char aTitle[512];
  std::snprintf(aTitle, sizeof(aTitle), "%-40s %10s  %-44s %10s  %7s  %-10s %s\n", "figure",
                "value", "anchor", "value", "ratio", "target", "verdict");
  theStream << "\n"
            << aTitle << std::string(std::char_traits<char>::length(aTitle) - 1, '-') << "\n";
  for (const Row& aRow : aRows)
  {
    printRow(theStream, aRow);
  }
  theStream.flush();
}
