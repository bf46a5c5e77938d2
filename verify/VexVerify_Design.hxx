// Copyright (c) 2026 VexData developers
#ifndef _VexVerify_Design_HeaderFile
#define _VexVerify_Design_HeaderFile

#include <PenFormatData_Model.hxx>
#include <VexPcb_Nets.hxx>

#include <Message_Msg.hxx>
#include <TCollection_AsciiString.hxx>

#include <memory>

//! A design file a job is checked against, and the role that says which check it gets: a drill
//! file (its holes against the job's drill hits), a copper layer (the job's paths must keep clear
//! of its copper) or the board outline (the job's paths must not leave the board).
class VexVerify_Design
{
public:
  //! What a design stands for.
  enum Role
  {
    Role_Drill,  //!< holes to drill
    Role_Copper, //!< copper the paths must not cut
    Role_Outline //!< the board profile the paths must stay within
  };

  //! Creates a design of theRole read from thePath into theModel; isGiven tells whether the user
  //! named the role or it was chosen from the content (theReason says why).
  VexVerify_Design(const TCollection_AsciiString& thePath,
                   const Handle(PenFormatData_Model) & theModel, const Role theRole,
                   const Standard_Boolean isGiven, const TCollection_AsciiString& theReason)
      : myPath(thePath), myModel(theModel), myReason(theReason), myRole(theRole),
        isRoleGiven(isGiven)
  {
  }

  //! Creates an empty copper design (for collections).
  VexVerify_Design() : myRole(Role_Copper), isRoleGiven(Standard_False) {}

  //! Returns the file the design was read from, as the user named it.
  const TCollection_AsciiString& Path() const { return myPath; }

  //! Returns the design's model.
  const Handle(PenFormatData_Model) & Model() const { return myModel; }

  //! Returns the nets of the design's objects, as a Gerber file names them; NULL when the file
  //! names none.
  const VexPcb_Nets* Nets() const { return myNets.get(); }

  //! Keeps theNets as the nets of the design's objects (an empty record is dropped).
  void SetNets(const std::shared_ptr<const VexPcb_Nets>& theNets)
  {
    myNets = theNets && theNets->NbObjects() > 0 ? theNets : std::shared_ptr<const VexPcb_Nets>();
  }

  //! Returns the role.
  Role GetRole() const { return myRole; }

  //! Returns true when the user named the role.
  Standard_Boolean IsRoleGiven() const { return isRoleGiven; }

  //! Returns why the role was chosen from the content (empty when it was given).
  const TCollection_AsciiString& Reason() const { return myReason; }

  //! Returns the name of theRole as the user writes it ("drill", "copper", "outline").
  static const char* RoleName(const Role theRole);

  //! Splits a command-line argument "[ROLE:]FILE". ROLE is a role name in any case. A prefix that
  //! is a single word but no role name is refused (theFault "VEX_VERIFY_UNKNOWN_ROLE") unless the
  //! whole argument names an existing file, which then is the file. Returns false on refusal.
  static Standard_Boolean ParseArgument(const TCollection_AsciiString& theArgument, Role& theRole,
                                        Standard_Boolean& isGiven, TCollection_AsciiString& thePath,
                                        Message_Msg& theFault);

  //! Chooses the role of theModel from its content: a design that holds drill holes and nothing
  //! else is a drill file, anything else a copper layer. theReason says what decided it.
  static Role ChooseRole(const PenFormatData_Model& theModel, TCollection_AsciiString& theReason);

private:
  TCollection_AsciiString myPath;                 //!< file as named by the user
  Handle(PenFormatData_Model) myModel;            //!< its model
  std::shared_ptr<const VexPcb_Nets> myNets;      //!< nets of its objects, none when empty
  TCollection_AsciiString            myReason;    //!< why the role was chosen from the content
  Role                               myRole;      //!< the check it gets
  Standard_Boolean                   isRoleGiven; //!< the user named the role
};

#endif
