// Copyright (c) 2026 VexData developers
#ifndef _VexBench_Reporter_HeaderFile
#define _VexBench_Reporter_HeaderFile

#include <benchmark/benchmark.h>

#include <map>
#include <ostream>
#include <string>
#include <vector>

//! Prints every run as the console reporter does and keeps the measurements, so that the run
//! can end with one table that sets each figure beside its anchor.
class VexBench_Reporter : public benchmark::ConsoleReporter
{
public:
  //! Creates a reporter that prints to the console, in columns and without colours.
  VexBench_Reporter() : benchmark::ConsoleReporter(OO_Tabular) {}

  //! Prints theRuns and keeps the measurements of every repetition.
  void ReportRuns(const std::vector<Run>& theRuns) override;

  //! Prints the table: figure, its value, anchor, its value, ratio, target and verdict. A row
  //! whose benchmarks did not run shows n/a.
  void PrintTable(std::ostream& theStream) const;

private:
  //! One repetition of one benchmark.
  struct Measure
  {
    double                        Seconds;  //!< CPU time per iteration
    std::map<std::string, double> Counters; //!< user counters, rates already per second
  };

  //! Returns the median CPU time per iteration of theName; negative when it did not run.
  double seconds(const std::string& theName) const;

  //! Returns the median of counter theKey of theName; negative when it did not run.
  double counter(const std::string& theName, const std::string& theKey) const;

  //! Returns the median megabytes (10^6 bytes) per second of theName; negative when absent.
  double megabytesPerSecond(const std::string& theName) const;

  //! Returns the CPU time per field of the scan-field run for theCount fields.
  double secondsPerField(const int theCount) const;

  //! Returns the time per megabyte of theName, a run over a file of theBytes counter.
  double secondsPerMegabyte(const std::string& theName) const;

private:
  std::map<std::string, std::vector<Measure>> myMeasures; //!< by benchmark name
};

#endif
