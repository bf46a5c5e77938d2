// Copyright (c) 2026 VexData developers
#ifndef _VexDocument_JsonSchema_HeaderFile
#define _VexDocument_JsonSchema_HeaderFile

//! The names of the model document (see VexDocument_Json): the members of its objects and the words
//! that stand for enumerated values, shared by the document writer and the document reader.
namespace VexDocument_JsonSchema
{
// Members of the document.
static const char THE_UNIT[]        = "unit";       //!< the model's dimension unit
static const char THE_POLARITY[]    = "polarity";   //!< the model's image polarity
static const char THE_APERTURES[]   = "apertures";  //!< the aperture table
static const char THE_LAYERS[]      = "layers";     //!< the layer table
static const char THE_SCAN_FIELDS[] = "scanFields"; //!< the scan-field list
static const char THE_OBJECTS[]     = "objects";    //!< the object list
static const char THE_PARAMS[]      = "params";     //!< export parameters; aperture parameters

// Members of table entries and objects.
static const char THE_NUMBER[]     = "number";    //!< aperture or scan-field number
static const char THE_NAME[]       = "name";      //!< aperture or layer name
static const char THE_SHAPE[]      = "shape";     //!< aperture shape code
static const char THE_TOOL[]       = "tool";      //!< aperture tool flag
static const char THE_OUTLINE[]    = "outline";   //!< polygons of an aperture's outline
static const char THE_FLAGS[]      = "flags";     //!< layer or sequence flags
static const char THE_INDEX[]      = "index";     //!< position in the scan-field list
static const char THE_ORDER[]      = "order";     //!< scan-field machining order
static const char THE_WIDTH[]      = "width";     //!< scan-field width
static const char THE_HEIGHT[]     = "height";    //!< scan-field height
static const char THE_CENTER[]     = "center";    //!< scan-field or arc centre
static const char THE_TYPE[]       = "type";      //!< kind of object
static const char THE_APERTURE[]   = "aperture";  //!< aperture number of a sequence
static const char THE_PHASE[]      = "phase";     //!< phase name of a sequence
static const char THE_LAYER[]      = "layer";     //!< layer name of a sequence
static const char THE_MODE[]       = "mode";      //!< toolpath mode of a sequence
static const char THE_TOOLPATH[]   = "toolpath";  //!< toolpath flag of a sequence
static const char THE_SCAN_FIELD[] = "scanField"; //!< scan-field index of a sequence
static const char THE_AREA[]       = "area";      //!< the contours outline a filled area
static const char THE_CLEAR[]      = "clear";     //!< clear polarity
static const char THE_CONTOURS[]   = "contours";  //!< child curves of a sequence
static const char THE_ELEMENTS[]   = "elements";  //!< elements of a contour
static const char THE_KIND[]       = "kind";      //!< kind of element
static const char THE_START[]      = "start";     //!< start of a segment
static const char THE_END[]        = "end";       //!< end of a segment
static const char THE_AT[]         = "at";        //!< position of a point
static const char THE_RADIUS[]     = "radius";    //!< radius of an arc
static const char THE_ANGLES[]     = "angles";    //!< first and second angle of an arc
static const char THE_SENSE[]      = "sense";     //!< sense of an arc

// Words for values.
static const char* const THE_UNIT_NAMES[] = {"mm", "um", "inch", "mil"}; //!< by unit value
static const int         THE_NB_UNITS     = 4;                           //!< units with a name
static const char        THE_POSITIVE[]   = "positive"; //!< positive image polarity
static const char        THE_NEGATIVE[]   = "negative"; //!< negative image polarity
static const char        THE_SEQUENCE[]   = "sequence"; //!< object type of a sequence
static const char        THE_SEGMENT[]    = "segment";  //!< element kind of a segment
static const char        THE_ARC[]        = "arc";      //!< element kind of an arc
static const char        THE_POINT[]      = "point";    //!< element kind of a point
static const char        THE_CCW[]        = "ccw";      //!< counter-clockwise sense
static const char        THE_CW[]         = "cw";       //!< clockwise sense
static const char        THE_NAN[]        = "nan";      //!< a real that is not a number
static const char        THE_INF[]        = "inf";      //!< positive infinity
static const char        THE_MINUS_INF[]  = "-inf";     //!< negative infinity
} // namespace VexDocument_JsonSchema

#endif
