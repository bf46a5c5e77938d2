// Copyright (c) 2026 VexData developers
#ifndef _VexJob_Report_HeaderFile
#define _VexJob_Report_HeaderFile

#include <Message_Messenger.hxx>
#include <Message_Msg.hxx>

#include <string>
#include <vector>

//! What making a job found: one row of the drilling table per design diameter and way, a line
//! of figures per phase, and the places that could not be machined as designed, each sent as a
//! warning (catalogue key and arguments) through the messenger and counted.
class VexJob_Report
{
public:
  //! How the holes of one design diameter are made.
  struct HoleRow
  {
    double      Design = 0.0; //!< design diameter, millimetres
    int         Count  = 0;   //!< holes (or slots)
    std::string Tool;         //!< tool used; empty when none fits
    double      Width = 0.0;  //!< its diameter
    std::string How;          //!< "drilled", "milled", "slot", "not made"
  };

  //! Creates a report that sends its warnings to theMessenger (may be null).
  VexJob_Report(const Handle(Message_Messenger) & theMessenger) : myMessenger(theMessenger) {}

  //! Sends theMessage as a warning and counts it as a place not machined as designed.
  void Problem(Message_Msg& theMessage)
  {
    ++myNbProblems;
    if (!myMessenger.IsNull())
    {
      myMessenger->Send(theMessage.Get(), Message_Warning);
    }
  }

  //! Returns the number of places not machined as designed.
  int NbProblems() const { return myNbProblems; }

  //! Adds theCount holes of theDesign diameter made (theHow) with theTool of theWidth.
  void AddHoles(const double theDesign, const int theCount, const std::string& theTool,
                const double theWidth, const std::string& theHow);

  //! Returns the drilling table, by design diameter.
  const std::vector<HoleRow>& Holes() const { return myHoles; }

  //! Adds a line to the summary of thePhase.
  void Note(const std::string& thePhase, const std::string& theLine)
  {
    myNotes.push_back(std::make_pair(thePhase, theLine));
  }

  //! Returns the summary lines with their phases, in order.
  const std::vector<std::pair<std::string, std::string>>& Notes() const { return myNotes; }

private:
  Handle(Message_Messenger) myMessenger;                             //!< where warnings go
  std::vector<HoleRow>                             myHoles;          //!< drilling table
  std::vector<std::pair<std::string, std::string>> myNotes;          //!< summary lines
  int                                              myNbProblems = 0; //!< warnings sent
};

#endif
