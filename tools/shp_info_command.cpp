// plotwell-tool shp-info: what a user needs to know of a shapefile before importing it.
#include <cstdio>
#include <string>

#include "model/text.h"
#include "model/vocabulary.h"
#include "shapefile/field_text.h"
#include "shapefile/shapefile_reader.h"
#include "tool_command.h"
#include "tool_project.h"

namespace plotwell::tool {
namespace {

constexpr int kSampleRecords = 5;

const char* shape_type_name(int32_t type) {
    switch (type) {
        case 0:
            return "Null";
        case 1:
            return "Point";
        case 3:
            return "PolyLine";
        case 5:
            return "Polygon";
        case 8:
            return "MultiPoint";
        case 11:
            return "PointZ";
        case 13:
            return "PolyLineZ";
        case 15:
            return "PolygonZ";
        case 18:
            return "MultiPointZ";
        case 21:
            return "PointM";
        case 23:
            return "PolyLineM";
        case 25:
            return "PolygonM";
        case 28:
            return "MultiPointM";
        case 31:
            return "MultiPatch";
        default:
            return "unknown";
    }
}

int run(const std::vector<std::string>& args) {
    if (args.size() != 1) return fail(kExitUsage, "usage: plotwell-tool shp-info FILE.shp");
    const std::string base = cut_at_last_dot(args[0]);
    ShapefileReader reader;
    if (const Result opened = open_shapefile(reader, base); !opened.ok)
        return fail(kExitFailure, opened.message);

    const int32_t type = shape_type(reader);
    const int dimension = shape_dimension(reader);
    std::printf("File: %s.shp\n", base.c_str());
    std::printf("Shape type: %d (%s), %s\n", type, shape_type_name(type),
                dimension >= 0 ? kDimensionNames[dimension] : "not importable");
    std::printf("Records: %d\n", count_records(reader));
    // Records beyond the end of the attribute table import with empty names: worth knowing before.
    const size_t table = reader.attribute_file.size();
    const size_t attributes = reader.record_length > 0 && table > reader.header_length
                                  ? (table - reader.header_length) / reader.record_length
                                  : 0;
    std::printf("Attribute records: %zu\n", attributes);
    std::printf("Fields: %d\n", reader.field_count);
    for (const DbfField& f : reader.fields)
        std::printf("  %-11s %c %3d\n", f.name.c_str(), f.type, int(f.length));

    rewind_records(reader);
    int shown = 0;
    while (shown < kSampleRecords && next_shape_record(reader)) {
        read_attribute_record(reader);
        if (shown == 0) std::printf("First records:\n");
        std::printf("  %d:", ++shown);
        for (const DbfField& f : reader.fields)
            std::printf(" %s=%s", f.name.c_str(), quoted(field_text(reader.record, f, 160)).c_str());
        std::printf("\n");
    }
    return kExitOk;
}

const CommandRegistration reg{
    {"shp-info", "show a shapefile's shape type, record count, fields and first records",
     "usage: plotwell-tool shp-info FILE.shp\n"
     "\n"
     "Shows the shape type (and whether it can be imported), the number of records,\n"
     "the attribute fields (name, type, length) and the field texts of the first\n"
     "records, to help choose the name and link fields for import-shp.\n",
     run}};

}  // namespace
}  // namespace plotwell::tool
