#include "model/vocabulary.h"

namespace plotwell {

const char* const kDimensionNames[kDimensionCount] = {"POINT", "LINE", "POLYGON"};
const char* const kDimensionDialogTitles[kDimensionCount] = {"Point Details", "Line Details", "Polygon Details"};

const char* const kPointTypeNames[kPointTypeCount] = {"PNTFEATURE", "LINK", "CATPNTFEATURE"};
const char* const kLineTypeNames[kLineTypeCount] = {"FREEWAY", "HIGHWAY",  "ROAD3",  "ROAD4",  "ROAD5",  "ROAD6",
                                                    "RIVER",   "WATERLINE", "RAILROAD", "BORDER", "SUBWAY", "SIMPLEROUTE"};
const char* const kPolygonTypeNames[kPolygonTypeCount] = {"WATER", "OPENSPACE", "LAND", "INVISAREA", "BUILDING"};

namespace {
const uint8_t kPointCodes[kPointTypeCount] = {9, 14, 18};
const uint8_t kLineCodes[kLineTypeCount] = {1, 2, 3, 4, 5, 6, 10, 11, 12, 15, 19, 21};
const uint8_t kPolygonCodes[kPolygonTypeCount] = {7, 8, 17, 16, 20};
}  // namespace

int object_type_count(uint8_t dimension) {
    switch (dimension) {
        case kDimPoint: return kPointTypeCount;
        case kDimLine: return kLineTypeCount;
        case kDimPolygon: return kPolygonTypeCount;
        default: return 0;
    }
}

const char* object_type_name(uint8_t dimension, uint8_t type) {
    if (type >= object_type_count(dimension)) return nullptr;
    switch (dimension) {
        case kDimPoint: return kPointTypeNames[type];
        case kDimLine: return kLineTypeNames[type];
        default: return kPolygonTypeNames[type];
    }
}

uint8_t object_type_code(uint8_t dimension, uint8_t type) {
    switch (dimension) {
        case kDimPoint: return type < kPointTypeCount ? kPointCodes[type] : 255;
        case kDimLine: return type < kLineTypeCount ? kLineCodes[type] : 255;
        default: return type < kPolygonTypeCount ? kPolygonCodes[type] : 255;
    }
}

uint8_t object_type_code(const MapObject* object) { return object_type_code(object->dimension, object->type); }

const char* const kLayerTypeNames[kLayerTypeCount] = {"ERASE_BKG", "SNG_TYPED_OBJS", "MISC_TYPED_OBJS"};
const char* const kThemeNames[kThemeCount] = {"LAND", "PARKS", "WATER", "RAILWAYS", "ROADS", "PLACES", "ROUTES"};

const char* theme_name(uint8_t theme) { return theme < kThemeCount ? kThemeNames[theme] : "?"; }
const char* layer_type_name(uint8_t type) { return type < kLayerTypeCount ? kLayerTypeNames[type] : "?"; }

int layer_for_theme(const Project& project, uint8_t theme) {
    for (int i = 0; i < project.layer_count && i < kMaxLayers; ++i)
        if (project.layers[i].theme == theme) return i;
    return 0;
}

const char* const kIconNames[kIconCount] = {
    "PI_HOTELORACCOM", "PI_RESTAURANT",   "PI_TOURISTSITE", "PI_POLICESTATION", "PI_HOSPITAL",     "PI_BANK",
    "PI_EMBASSY",      "PI_INFOBOOTH",    "PI_POSTOFFICE",  "PI_TRAINSTATION",  "PI_AIRPORT",      "PI_FERRYPORT",
    "PI_BEACH",        "PI_SHOPPING",     "PI_DANGEROUS",   "PI_HOME",          "PI_CAMPGROUND",   "PI_CHURCH",
    "PI_EDUINST",      "PI_BUSTERMINAL",  "PI_CITYCTR",     "PI_TOWNCTR",       "PI_PETROLSTATION", "PI_PARKING",
    "PI_POPMAJORCITY", "PI_POPCITY",      "PI_POPMINORCITY", "PI_POPTOWN",      "PI_POPSMALLTOWN", "PI_LABELMAJOR",
    "PI_LABELMINOR"};

const char* const kPopulationClassNames[kPopulationClassCount] = {"Major City", "City", "Minor City", "Town",
                                                                  "Small Town"};
const char* const kLabelClassNames[kLabelClassCount] = {"Major", "Minor"};

const char* const kProjectionNames[3] = {"Geographic", "Arbitrary", "Decimal Degrees (Exp 6)"};
const char* projection_name(uint8_t projection) { return projection < 3 ? kProjectionNames[projection] : "?"; }
const char* coord_sys_name(uint8_t coord_sys) { return coord_sys < 2 ? kProjectionNames[coord_sys + 1] : "?"; }

}  // namespace plotwell
