// Copyright (c) 2026 VexData developers
#ifndef _VexVerify_TestModel_HeaderFile
#define _VexVerify_TestModel_HeaderFile

#include <PenFormatData_Model.hxx>
#include <PenFormatData_Sequence.hxx>

#include <vector>

//! Builds jobs and designs by hand for the tests of the job-against-design checks, as the
//! machine-file reader and the design-file readers build them.
class VexVerify_TestModel
{
public:
  //! Starts an empty model in theUnit.
  VexVerify_TestModel(const PenFormatData_DimensionUnit theUnit = PenFormatData_DU_Millimetre);

  //! Adds an aperture of theShape with parameters theParams (a round tool: its diameter [, hole]);
  //! returns its number.
  int Aperture(const char* theName, const std::vector<double>& theParams,
               const int theShape = PenFormatData_Aperture::Shape_Round);

  //! Adds a point toolpath (drill hits, flashes) of aperture theAperture.
  PenFormatData_Sequence& Points(const int theAperture, const char* thePhase = "Drilling",
                                 const char* theLayer = "Drill");

  //! Adds a path toolpath (draws, milling) of aperture theAperture.
  PenFormatData_Sequence& Paths(const int theAperture, const char* thePhase = "Milling",
                                const char* theLayer = "Top");

  //! Adds a filled area sequence, dark or clear.
  PenFormatData_Sequence& Area(const bool isClear = false);

  //! Adds a clear sequence of strokes and discs drawn with aperture theAperture.
  PenFormatData_Sequence& ClearStrokes(const int theAperture);

  //! Adds a contour of one point to theSequence.
  void Point(PenFormatData_Sequence& theSequence, const double theX, const double theY);

  //! Adds a contour of segments through thePoints to theSequence.
  void Line(PenFormatData_Sequence& theSequence, const std::vector<gp_XY>& thePoints);

  //! Adds a contour of one full-circle arc (counter-clockwise unless isClockwise) to theSequence.
  void Circle(PenFormatData_Sequence& theSequence, const gp_XY& theCenter, const double theRadius,
              const bool isClockwise = false);

  //! Adds a closed rectangle contour (counter-clockwise unless isClockwise) to theSequence.
  void Rectangle(PenFormatData_Sequence& theSequence, const gp_XY& theMin, const gp_XY& theMax,
                 const bool isClockwise = false);

  //! Returns the model.
  const Handle(PenFormatData_Model) & Model() const { return myModel; }

private:
  //! Adds a sequence with theAperture, theFlag and theMode.
  PenFormatData_Sequence& add(const int theAperture, const int theFlag, const int theMode);

  //! Returns a new contour added to theSequence.
  Handle(PhGeom_Curve) contour(PenFormatData_Sequence& theSequence);

  Handle(PenFormatData_Model) myModel; //!< the model built
};

#endif
