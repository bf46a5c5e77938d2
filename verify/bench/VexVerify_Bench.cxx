// Copyright (c) 2026 VexData developers
// Time and peak memory of the job-against-design checks on a generated board: a copper design of
// a million draws (50,000 traces of 20 draws each), 100,000 pads and a ground pour with 5,000
// holes; a drill design of the 100,000 holes; the board outline; and a job of 100,000 hits,
// 55,000 isolation contours and the contour cut, with a few planted faults. Each check runs in a
// child process, whose peak resident memory beyond what it inherited is its own.
//
//   VexVerify_Bench [TRACES] [DIRECTORY]
//
// TRACES scales the board (default 50000, a million draws). With DIRECTORY, the job and the
// drill and copper designs (without the pour, which a machine file cannot carry) are also written
// there as machine files, for timing vex verify as a whole.
#include <VexVerify_BridgeCheck.hxx>
#include <VexVerify_CopperCheck.hxx>
#include <VexVerify_DrillCheck.hxx>
#include <VexVerify_OutlineCheck.hxx>
#include <VexVerify_Verifier.hxx>

#include <PenFormatData_Sequence.hxx>
#include <VexData_Writer.hxx>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace
{
//! Columns of traces; the rows follow from the count.
const int THE_COLUMNS = 224;

//! Horizontal and vertical pitch of the traces (mm).
const double THE_PITCH_X = 7.0, THE_PITCH_Y = 2.2;

//! Draws per trace, trace length, widths (mm).
const int    THE_DRAWS  = 20;
const double THE_LENGTH = 5.0, THE_TRACE = 0.25, THE_PAD = 1.5, THE_DRILL = 0.8, THE_TOOL = 0.2;

//! The pour: its holes per side and their pitch, radius (mm).
const int    THE_POUR_HOLES = 70;
const double THE_POUR_PITCH = 3.0, THE_POUR_HOLE = 1.0;

//! Builds the models of the board.
class Board
{
public:
  explicit Board(const int theTraces)
      : myTraces(theTraces), myRows((theTraces + THE_COLUMNS - 1) / THE_COLUMNS),
        myCopper(new PenFormatData_Model(PenFormatData_DU_Millimetre)),
        myDrills(new PenFormatData_Model(PenFormatData_DU_Millimetre)),
        myOutline(new PenFormatData_Model(PenFormatData_DU_Millimetre)),
        myJob(new PenFormatData_Model(PenFormatData_DU_Millimetre))
  {
    makeCopper();
    makeJob();
    const double aWidth = THE_COLUMNS * THE_PITCH_X, aHeight = pourTop();
    Handle(PenFormatData_Sequence) anEdge = add(myOutline, tool(myOutline, 1, "D10", 0.1), 1);
    Handle(PhGeom_Curve) aFrame           = contour(myOutline, anEdge);
    aFrame->CreateSegment(gp_XY(-2, -2), gp_XY(aWidth, -2));
    aFrame->CreateSegment(gp_XY(aWidth, -2), gp_XY(aWidth, aHeight));
    aFrame->CreateSegment(gp_XY(aWidth, aHeight), gp_XY(-2, aHeight));
    aFrame->CreateSegment(gp_XY(-2, aHeight), gp_XY(-2, -2));
  }

  const Handle(PenFormatData_Model) & Copper() const { return myCopper; }
  const Handle(PenFormatData_Model) & Drills() const { return myDrills; }
  const Handle(PenFormatData_Model) & Outline() const { return myOutline; }
  const Handle(PenFormatData_Model) & Job() const { return myJob; }

  //! Returns a job whose paths are the design's traces themselves: every path in copper.
  Handle(PenFormatData_Model) TracesAsJob() const
  {
    Handle(PenFormatData_Model) aJob       = new PenFormatData_Model(PenFormatData_DU_Millimetre);
    Handle(PenFormatData_Sequence) aTraces = add(aJob, tool(aJob, 1, "Trace", THE_TRACE), 1);
    for (int anIndex = 0; anIndex < myTraces; ++anIndex)
    {
      traceDraws(contour(aJob, aTraces), anIndex);
    }
    return aJob;
  }

private:
  //! Returns the left pad of trace theIndex.
  gp_XY start(const int theIndex) const
  {
    return gp_XY((theIndex % THE_COLUMNS) * THE_PITCH_X, (theIndex / THE_COLUMNS) * THE_PITCH_Y);
  }

  //! Returns the bottom of the pour, above the traces.
  double pourBottom() const { return myRows * THE_PITCH_Y + 2.0; }

  //! Returns the top of the pour.
  double pourTop() const { return pourBottom() + THE_POUR_HOLES * THE_POUR_PITCH + 2.0; }

  static int tool(const Handle(PenFormatData_Model) & theModel, const int theNumber,
                  const char* theName, const double theDiameter)
  {
    Handle(PenFormatData_Aperture) anAperture =
        new PenFormatData_Aperture(1, theName, Handle(Standard_Transient)(), 0);
    anAperture->SetParam(&theDiameter, 1);
    anAperture->SetToolFlag(1);
    theModel->SetAperture(theNumber, anAperture);
    return theNumber;
  }

  static Handle(PenFormatData_Sequence)
      add(const Handle(PenFormatData_Model) & theModel, const int theAperture, const int theMode,
          const char* thePhase = "Isolation")
  {
    Handle(PenFormatData_Sequence) aSequence =
        new PenFormatData_Sequence(theAperture, 0, PhGeom_Curve::Create(theModel->Allocator(), 0));
    aSequence->SetToolpathFlag(theAperture > 0 ? 1 : 0);
    aSequence->SetToolpathMode(theMode);
    aSequence->SetPhaseName(thePhase);
    aSequence->SetLayerName("Top");
    theModel->AddObject(aSequence);
    return aSequence;
  }

  static Handle(PhGeom_Curve) contour(const Handle(PenFormatData_Model) & theModel,
                                      const Handle(PenFormatData_Sequence) & theSequence)
  {
    Handle(PhGeom_Curve) aContour = PhGeom_Curve::Create(theModel->Allocator(), 0);
    theSequence->GetCurve()->AddChild(aContour);
    return aContour;
  }

  //! Draws trace theIndex as THE_DRAWS joined draws.
  void traceDraws(const Handle(PhGeom_Curve) & theContour, const int theIndex) const
  {
    const gp_XY aStart = start(theIndex);
    for (int aDraw = 0; aDraw < THE_DRAWS; ++aDraw)
    {
      theContour->CreateSegment(aStart + gp_XY(THE_LENGTH * aDraw / THE_DRAWS, 0.0),
                                aStart + gp_XY(THE_LENGTH * (aDraw + 1) / THE_DRAWS, 0.0));
    }
  }

  void makeCopper()
  {
    Handle(PenFormatData_Sequence) aTraces = add(myCopper, tool(myCopper, 1, "D10", THE_TRACE), 1);
    Handle(PenFormatData_Sequence) aPads   = add(myCopper, tool(myCopper, 2, "D11", THE_PAD), 2);
    Handle(PenFormatData_Sequence) aHoles  = add(myDrills, tool(myDrills, 1, "T01", THE_DRILL), 2);
    for (int anIndex = 0; anIndex < myTraces; ++anIndex)
    {
      traceDraws(contour(myCopper, aTraces), anIndex);
      for (const double anX : {0.0, THE_LENGTH})
      {
        contour(myCopper, aPads)->CreatePoint(start(anIndex) + gp_XY(anX, 0.0));
        contour(myDrills, aHoles)->CreatePoint(start(anIndex) + gp_XY(anX, 0.0));
      }
    }
    // Every 100th trace is cut in its middle by a clear square.
    Handle(PenFormatData_Sequence) aClear = add(myCopper, 0, 1);
    aClear->SetArea(Standard_True);
    aClear->SetClear(Standard_True);
    for (int anIndex = 0; anIndex < myTraces; anIndex += 100)
    {
      const gp_XY aMiddle          = start(anIndex) + gp_XY(0.5 * THE_LENGTH, 0.0);
      Handle(PhGeom_Curve) aSquare = contour(myCopper, aClear);
      const gp_XY aCorners[5]      = {aMiddle + gp_XY(-0.3, -0.3), aMiddle + gp_XY(0.3, -0.3),
                                      aMiddle + gp_XY(0.3, 0.3), aMiddle + gp_XY(-0.3, 0.3),
                                      aMiddle + gp_XY(-0.3, -0.3)};
      for (int aSide = 0; aSide < 4; ++aSide)
      {
        aSquare->CreateSegment(aCorners[aSide], aCorners[aSide + 1]);
      }
    }
    // The pour above the traces, with round holes (clockwise) for the isolated pins inside.
    Handle(PenFormatData_Sequence) aPour = add(myCopper, 0, 1);
    aPour->SetArea(Standard_True);
    const double aLeft = 0.0, aRight = THE_POUR_HOLES * THE_POUR_PITCH + 2.0;
    const double aBottom = pourBottom(), aTop = pourTop();
    Handle(PhGeom_Curve) anOutline = contour(myCopper, aPour);
    anOutline->CreateSegment(gp_XY(aLeft, aBottom), gp_XY(aRight, aBottom));
    anOutline->CreateSegment(gp_XY(aRight, aBottom), gp_XY(aRight, aTop));
    anOutline->CreateSegment(gp_XY(aRight, aTop), gp_XY(aLeft, aTop));
    anOutline->CreateSegment(gp_XY(aLeft, aTop), gp_XY(aLeft, aBottom));
    for (int aHole = 0; aHole < THE_POUR_HOLES * THE_POUR_HOLES; ++aHole)
    {
      contour(myCopper, aPour)->CreateArc(pourHole(aHole), THE_POUR_HOLE, 0.0, -2.0 * M_PI, 0);
    }
  }

  //! Returns the centre of hole theIndex of the pour.
  gp_XY pourHole(const int theIndex) const
  {
    return gp_XY(2.5 + (theIndex % THE_POUR_HOLES) * THE_POUR_PITCH,
                 pourBottom() + 2.5 + (theIndex / THE_POUR_HOLES) * THE_POUR_PITCH);
  }

  void makeJob()
  {
    Handle(PenFormatData_Sequence) aHits =
        add(myJob, tool(myJob, 1, "T01", THE_DRILL), 2, "Drilling");
    Handle(PenFormatData_Sequence) anIso = add(myJob, tool(myJob, 2, "Iso0.2", THE_TOOL), 1);
    const double aRadius                 = 0.5 * THE_PAD + 0.5 * THE_TOOL + 0.05;
    for (int anIndex = 0; anIndex < myTraces; ++anIndex)
    {
      // Faults: every 10,000th trace has a hit moved by 0.3 mm and its isolation nudged 0.3 mm
      // up, into the trace.
      const bool  isFault = anIndex % 10000 == 5000;
      const gp_XY aLeft = start(anIndex), aRight = aLeft + gp_XY(THE_LENGTH, 0.0);
      contour(myJob, aHits)->CreatePoint(aLeft + gp_XY(isFault ? 0.3 : 0.0, 0.0));
      contour(myJob, aHits)->CreatePoint(aRight);
      const gp_XY aShift(0.0, isFault ? 0.3 : 0.0);
      Handle(PhGeom_Curve) aStadium = contour(myJob, anIso);
      aStadium->CreateSegment(aLeft + aShift + gp_XY(0, -aRadius),
                              aRight + aShift + gp_XY(0, -aRadius));
      aStadium->CreateArc(aRight + aShift, aRadius, -M_PI / 2, M_PI / 2, 1);
      aStadium->CreateSegment(aRight + aShift + gp_XY(0, aRadius),
                              aLeft + aShift + gp_XY(0, aRadius));
      aStadium->CreateArc(aLeft + aShift, aRadius, M_PI / 2, 1.5 * M_PI, 1);
    }
    for (int aHole = 0; aHole < THE_POUR_HOLES * THE_POUR_HOLES; ++aHole)
    {
      contour(myJob, anIso)->CreateArc(pourHole(aHole), THE_POUR_HOLE - 0.15, 0.0, 2.0 * M_PI, 1);
    }
  }

  int myTraces;                          //!< traces
  int myRows;                            //!< rows of traces
  Handle(PenFormatData_Model) myCopper;  //!< copper design
  Handle(PenFormatData_Model) myDrills;  //!< drill design
  Handle(PenFormatData_Model) myOutline; //!< outline design
  Handle(PenFormatData_Model) myJob;     //!< the job
};

//! Returns a value in kB from /proc/self/status ("VmRSS", "VmHWM").
long status(const char* theKey)
{
  std::ifstream aFile("/proc/self/status");
  std::string   aLine;
  while (std::getline(aFile, aLine))
  {
    if (aLine.compare(0, std::string(theKey).size(), theKey) == 0)
    {
      return std::atol(aLine.c_str() + std::string(theKey).size() + 1);
    }
  }
  return 0;
}

//! Returns the processor time (user and system) the process used so far.
double cpuSeconds()
{
  struct rusage aUsage;
  ::getrusage(RUSAGE_SELF, &aUsage);
  return aUsage.ru_utime.tv_sec + aUsage.ru_stime.tv_sec +
         1.0e-6 * (aUsage.ru_utime.tv_usec + aUsage.ru_stime.tv_usec);
}

//! Runs theCheck in a child process and prints its processor and wall-clock time, its peak
//! resident memory beyond what it inherited, and what it returns (the number of findings).
void measure(const char* theName, const std::function<int()>& theCheck)
{
  std::fflush(stdout);
  const pid_t aChild = ::fork();
  if (aChild == 0)
  {
    const long   anInherited = status("VmRSS:");
    const double aCpu        = cpuSeconds();
    const auto   aStart      = std::chrono::steady_clock::now();
    const int    aFindings   = theCheck();
    const double aSeconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - aStart).count();
    std::printf("| %-44s | %8.2f s | %8.2f s | %8.0f MB | %8d |\n", theName, cpuSeconds() - aCpu,
                aSeconds, (status("VmHWM:") - anInherited) / 1024.0, aFindings);
    std::fflush(stdout);
    ::_exit(0);
  }
  int aStatus = 0;
  ::waitpid(aChild, &aStatus, 0);
}

//! Writes theModel as a machine file.
void write(const Handle(PenFormatData_Model) & theModel, const std::string& thePath)
{
  std::ofstream  aFile(thePath.c_str(), std::ios::binary);
  VexData_Writer aWriter(*theModel);
  if (aWriter.Process(aFile) != VexData_Writer::Ok)
  {
    std::fprintf(stderr, "could not write %s\n", thePath.c_str());
  }
}
} // namespace

int main(int theArgc, char** theArgv)
{
  const int   aTraces = theArgc > 1 ? std::atoi(theArgv[1]) : 50000;
  const auto  aStart  = std::chrono::steady_clock::now();
  const Board aBoard(aTraces > 0 ? aTraces : 50000);
  std::printf("Board of %d traces (%d draws), %d pads and holes, a pour with %d holes; job of %d "
              "hits and %d isolation contours; built in %.1f s, %ld MB resident\n\n",
              aTraces, aTraces * THE_DRAWS, 2 * aTraces, THE_POUR_HOLES * THE_POUR_HOLES,
              2 * aTraces, aTraces + THE_POUR_HOLES * THE_POUR_HOLES,
              std::chrono::duration<double>(std::chrono::steady_clock::now() - aStart).count(),
              status("VmRSS:") / 1024);
  const NCollection_Sequence<TCollection_AsciiString> anEvery;
  const Handle(PenFormatData_Model) aJob = aBoard.TracesAsJob();
  std::printf("| %-44s | %10s | %10s | %11s | %8s |\n", "check", "CPU time", "wall time",
              "peak memory", "findings");
  std::printf("|%s|%s|%s|%s|%s|\n", std::string(46, '-').c_str(), std::string(12, '-').c_str(),
              std::string(12, '-').c_str(), std::string(13, '-').c_str(),
              std::string(10, '-').c_str());
  measure("drills: 100,000 holes against the hits",
          [&]()
          {
            VexVerify_Report::Check aCheck;
            VexVerify_DrillCheck(0.01, 0.05).Perform(*aBoard.Drills(), *aBoard.Job(), aCheck);
            return aCheck.Findings.Length();
          });
  measure("copper: the isolation against the design",
          [&]()
          {
            VexVerify_Report::Check aCheck;
            VexVerify_CopperCheck(0.01).Perform(
                *aBoard.Copper(), VexVerify_JobPaths(*aBoard.Job(), anEvery, anEvery), aCheck);
            return aCheck.Findings.Length();
          });
  measure("bridges: islands the isolation leaves joined",
          [&]()
          {
            VexVerify_Report::Check aCheck;
            VexVerify_BridgeCheck().Perform(
                *aBoard.Copper(), VexVerify_JobPaths(*aBoard.Job(), anEvery, anEvery), aCheck);
            return aCheck.Findings.Length();
          });
  measure("copper: every trace as a path, all in copper",
          [&]()
          {
            VexVerify_Report::Check aCheck;
            VexVerify_CopperCheck(0.01).Perform(
                *aBoard.Copper(), VexVerify_JobPaths(*aJob, anEvery, anEvery), aCheck);
            return aCheck.Findings.Length();
          });
  measure("outline: the isolation against the board",
          [&]()
          {
            VexVerify_Report::Check aCheck;
            VexVerify_OutlineCheck(0.01).Perform(
                *aBoard.Outline(), VexVerify_JobPaths(*aBoard.Job(), anEvery, anEvery), aCheck);
            return aCheck.Findings.Length();
          });
  if (theArgc > 2)
  {
    const std::string aFolder = theArgv[2];
    write(aBoard.Job(), aFolder + "/job.vex");
    write(aBoard.Drills(), aFolder + "/drills.vex");
    write(aBoard.Copper(), aFolder + "/copper.vex");
    std::printf("\nWrote job.vex, drills.vex and copper.vex (traces and pads) to %s\n",
                aFolder.c_str());
  }
  return 0;
}
