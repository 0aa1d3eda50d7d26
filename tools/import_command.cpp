// plotwell-tool import: imports any vector source (GeoPackage, GeoJSON, GPX, KML, OpenStreetMap, CSV,
// shapefiles) into one layer of a project file, as File > Import > from other vector source does.
#include <cstdio>
#include <string>

#include "model/text.h"
#include "project/project_file.h"
#include "shape_import_options.h"
#include "shapefile/vector_source.h"
#include "tool_command.h"
#include "tool_project.h"

namespace plotwell::tool {
namespace {

const char kUsage[] =
    "usage: plotwell-tool import PROJECT.mpr SOURCE [--source-layer NAME] [--reproject | --no-reproject]\n"
    "                            [--encoding NAME] [every option of import-shp]\n"
    "\n"
    "Imports the features of one layer of SOURCE as objects of one layer and saves the project. SOURCE is\n"
    "anything GDAL reads as vectors: GeoPackage, GeoJSON, GPX (waypoints, routes, tracks), KML,\n"
    "OpenStreetMap (.osm, .pbf: points, lines, multipolygons), CSV with coordinate columns, shapefiles.\n"
    "Fields, types, factors and profiles work as with import-shp (see import-shp --help).\n"
    "  --source-layer NAME  the layer to read, needed when the source has several (see sources)\n"
    "  --reproject          into a decimal-degree project, move points into WGS 84 longitude/latitude\n"
    "                       also from a geographic system on another datum (projected systems always are)\n"
    "  --no-reproject       take the coordinates as they are\n"
    "  --encoding NAME      the source's text encoding (UTF-8, 1250, 852, ISO-8859-2, ...), instead of\n"
    "                       the one found (a shapefile's .cpg; UTF-8 for other sources)\n"
    "Names are stored as Windows-1252 text. A source without a coordinate system whose coordinates\n"
    "cannot be degrees is refused before anything is read.\n";

int run(const std::vector<std::string>& args) {
    InterruptGuard interrupt;
    ShapeImportOptions o;
    if (const Result parsed = parse_shape_import_options(args, o, "import", true); !parsed.ok)
        return fail(kExitUsage, "import: " + parsed.message);
    std::string project_base;
    if (!project_base_name(o.project_path, project_base))
        return fail(kExitUsage, "import: " + o.project_path + ": the project file name must end in .mpr");

    Project project;
    if (const Result loaded = load_project_for_tool(o.project_path, project); !loaded.ok)
        return fail(kExitFailure, "import: " + loaded.message);
    if (project.layer_count <= 0)
        return fail(kExitFailure, "import: the project has no layers to import into");

    VectorSourceOptions options;
    options.layer = o.source_layer;
    options.encoding = o.encoding;
    options.reproject = o.reproject < 0    ? Reprojection::as_needed
                        : o.reproject == 1 ? Reprojection::always
                                           : Reprojection::never;
    std::unique_ptr<VectorSource> source;
    if (const Result opened = open_vector_source(o.source_path, project, options, source); !opened.ok)
        return fail(kExitFailure, "import: " + opened.message);
    const ShapefileReader& layout = source->records->layout();
    const int dimension = shape_dimension(layout);
    if (dimension < 0)
        return fail(kExitFailure, "import: " + o.source_path + ": unsupported shape type " +
                                      std::to_string(shape_type(layout)) +
                                      " (only Point, PolyLine and Polygon files can be imported)");
    if (!o.link_fields.empty() && dimension != kDimLine)
        return fail(kExitUsage, "import: --link-field applies to line sources only");

    ShapeImportSettings s;
    const std::string base = cut_at_last_dot(o.source_path);
    if (const int status = make_shape_import_settings(o, layout, base, o.source_path, project, "import", s);
        status != kExitOk)
        return status;
    if (const Result refused = degree_refusal(*source, project, s); !refused.ok)
        return fail(kExitFailure, "import: " + refused.message);
    if (source->reprojected)
        std::fprintf(stderr, "Reprojecting from %s to WGS 84\n", source->system.name.c_str());
    return run_import_and_save(o, *source->records, s, project, project_base, "import");
}

const CommandRegistration reg{
    {"import", "import a layer of any vector source into a layer of a project file", kUsage, run}};

}  // namespace
}  // namespace plotwell::tool
