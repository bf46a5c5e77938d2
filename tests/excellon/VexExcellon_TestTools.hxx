// Copyright (c) 2026 VexData developers
#ifndef _VexExcellon_TestTools_HeaderFile
#define _VexExcellon_TestTools_HeaderFile

#include <PenFormatData_Model.hxx>

#include <string>
#include <vector>

//! A hole of a model: centre and diameter in millimetres, and the name of its aperture.
struct VexExcellon_TestHole
{
  double      X;    //!< centre X
  double      Y;    //!< centre Y
  double      D;    //!< diameter
  std::string Tool; //!< aperture name
};

//! What the Excellon tests share: holes of a model, matching two sets of holes, and gerbv run
//! headless as the independent reader and writer of drill files.
class VexExcellon_TestTools
{
public:
  //! Returns the holes of the point toolpaths of theModel, in model order, in millimetres.
  static std::vector<VexExcellon_TestHole> Holes(const PenFormatData_Model& theModel);

  //! Returns how many holes of theFirst have a partner of their own in theSecond no farther
  //! than thePosition on either axis and with a diameter within theDiameter (millimetres).
  static size_t Match(const std::vector<VexExcellon_TestHole>& theFirst,
                      const std::vector<VexExcellon_TestHole>& theSecond, const double thePosition,
                      const double theDiameter);

  //! Returns true when gerbv can be run.
  static bool HasGerbv();

  //! Runs "gerbv -x drill -o theOut theIn" and returns what it wrote to standard error.
  static std::string GerbvExport(const std::string& theIn, const std::string& theOut);

  //! Returns a scratch folder of the test run (made on first use).
  static const std::string& Scratch();

  //! Returns the content of the file thePath (empty when it cannot be read).
  static std::string Content(const std::string& thePath);
};

#endif
