// Copyright (c) 2026 VexData developers
#ifndef _PenFormatData_ScanField_HeaderFile
#define _PenFormatData_ScanField_HeaderFile

#include <Standard_Transient.hxx>
#include <Standard_Type.hxx>
#include <gp_XY.hxx>

//! One field of the camera scanner: a rectangle of Width x Height around Center. The number
//! identifies the field (0: no scan field); fields are machined in ascending Order.
class PenFormatData_ScanField : public Standard_Transient
{
  DEFINE_STANDARD_RTTIEXT(PenFormatData_ScanField, Standard_Transient)
public:
  //! Creates a scan field.
  Standard_EXPORT PenFormatData_ScanField(const Standard_Integer theNumber,
                                          const Standard_Integer theOrder,
                                          const Standard_Real    theWidth,
                                          const Standard_Real theHeight, const gp_XY& theCenter);

  //! Returns the scan-field number.
  Standard_Integer Number() const { return myNumber; }

  //! Sets the scan-field number.
  void SetNumber(const Standard_Integer theNumber) { myNumber = theNumber; }

  //! Returns the machining order.
  Standard_Integer Order() const { return myOrder; }

  //! Sets the machining order.
  void SetOrder(const Standard_Integer theOrder) { myOrder = theOrder; }

  //! Returns the width, in model units.
  Standard_Real Width() const { return myWidth; }

  //! Sets the width.
  void SetWidth(const Standard_Real theWidth) { myWidth = theWidth; }

  //! Returns the height, in model units.
  Standard_Real Height() const { return myHeight; }

  //! Sets the height.
  void SetHeight(const Standard_Real theHeight) { myHeight = theHeight; }

  //! Returns the centre, in model units.
  const gp_XY& Center() const { return myCenter; }

  //! Sets the centre.
  void SetCenter(const gp_XY& theCenter) { myCenter = theCenter; }

private:
  gp_XY            myCenter; //!< centre
  Standard_Real    myWidth;  //!< width
  Standard_Real    myHeight; //!< height
  Standard_Integer myNumber; //!< number, 0 for none
  Standard_Integer myOrder;  //!< machining order
};

DEFINE_STANDARD_HANDLE(PenFormatData_ScanField, Standard_Transient)

#endif
