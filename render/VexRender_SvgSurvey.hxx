// Copyright (c) 2026 VexData developers
#ifndef _VexRender_SvgSurvey_HeaderFile
#define _VexRender_SvgSurvey_HeaderFile

#include <VexRender_SvgBox.hxx>

#include <VexGeom_Walker.hxx>

#include <map>

//! What a picture needs to know of a model before it draws a thing: the tools in use with their
//! counts, the counts of design artwork and scan fields, and the
//! extent of everything drawn (strokes and flashes included), in millimetres. What each
//! sequence draws is the shared geometry's rule (VexGeom_Drawing, walked by VexGeom_Walker). One
//! pass over the model; the memory it takes grows with the number of tools and apertures only.
class VexRender_SvgSurvey
{
public:
  //! What the picture tells of one tool.
  struct Tool
  {
    TCollection_ExtendedString Name;       //!< aperture name, or "#number" without an aperture
    double                     Width  = 0; //!< tool width in millimetres, as the model gives it
    int                        Paths  = 0; //!< contours drawn as paths
    int                        Hits   = 0; //!< drill hits
    size_t                     Colour = 0; //!< index in the palette and in the style classes
  };

  //! Surveys theModel, which must outlive the survey.
  VexRender_SvgSurvey(const PenFormatData_Model& theModel);

  //! Returns the model surveyed.
  const PenFormatData_Model& Model() const { return myModel; }

  //! Returns the factor from model units to millimetres.
  double Factor() const { return myFactor; }

  //! Returns theValue (model units) in millimetres.
  gp_XY Mm(const gp_XY& theValue) const { return theValue * myFactor; }

  //! Returns the extent of everything drawn, millimetres (void when nothing is).
  const VexRender_SvgBox& Extent() const { return myExtent; }

  //! Returns the tools of the toolpaths by aperture number; colours follow that order.
  const std::map<Standard_Integer, Tool>& Tools() const { return myTools; }

  //! Returns the entry of tool theNumber, which the survey has seen.
  const Tool& FindTool(const Standard_Integer theNumber) const { return myTools.at(theNumber); }

  //! Returns the number of toolpath sequences.
  int NbToolpaths() const { return myNbToolpaths; }

  //! Returns the number of scan-field outlines drawn (list entries and outline contours).
  int NbScanFields() const { return myNbScanFields; }

  //! Returns the number of filled-area sequences.
  int NbAreas() const { return myNbAreas; }

  //! Returns the number of flashes of artwork.
  int NbFlashes() const { return myNbFlashes; }

  //! Returns the number of contours of artwork drawn as lines.
  int NbLines() const { return myNbLines; }

  //! Returns the number of artwork sequences of clear polarity.
  int NbClear() const { return myNbClear; }

  //! Returns true when the model has artwork to draw.
  bool HasArtwork() const { return myNbAreas + myNbFlashes + myNbLines > 0; }

  //! Returns true when the model's image is negative: its plane is dark and what it draws is
  //! clear (and its clear artwork dark).
  bool IsNegative() const { return myModel.ImagePolarity() == PenFormatData_IP_Negative; }

private:
  //! Walks the object list and the scan-field list.
  void perform();

  //! Returns the entry of tool theNumber, creating it on first use.
  Tool& tool(const Standard_Integer theNumber);

  //! Surveys the contours of the sequence theWalker is at.
  void surveyContours(const VexGeom_Walker& theWalker);

  //! Adds the counts of one surveyed sequence: theNbLines contours drawn as lines and
  //! theNbPoints points drawn (theTool is the toolpath's tool, NULL for the other kinds).
  void count(const PenFormatData_Sequence& theSequence, const VexGeom_Drawing::Kind theKind,
             Tool* theTool, const int theNbLines, const int theNbPoints);

  //! Adds theElement, padded by the half sides thePad, to the extent.
  void addElement(const PhGeom_Element& theElement, const gp_XY& thePad);

  //! Adds the points where theArc reaches beyond its end points.
  void addArc(const PhGeom_Arc& theArc, const gp_XY& thePad);

  //! Adds the model's scan-field list to the extent and the counts.
  void surveyScanFieldList();

  const PenFormatData_Model&       myModel;        //!< model surveyed
  double                           myFactor;       //!< model unit to millimetres
  VexRender_SvgBox                 myExtent;       //!< everything drawn
  std::map<Standard_Integer, Tool> myTools;        //!< tools by aperture number
  int                              myNbToolpaths;  //!< toolpath sequences
  int                              myNbScanFields; //!< scan-field outlines
  int                              myNbAreas;      //!< filled-area sequences
  int                              myNbFlashes;    //!< artwork flashes
  int                              myNbLines;      //!< artwork contours drawn as lines
  int                              myNbClear;      //!< artwork sequences of clear polarity
};

#endif
