// plotwell-tool export: compiles a project into the handheld's map database, with an option for every
// choice of the export dialog.
#include <cstdio>
#include <set>

#include "app/publisher.h"
#include "export/export_driver.h"
#include "export/export_settings.h"
#include "export/map_id_table.h"
#include "model/text.h"
#include "model/vocabulary.h"
#include "terminal_sink.h"
#include "tool_command.h"
#include "tool_project.h"

namespace plotwell::tool {

namespace {

const char kUsage[] =
    "usage: plotwell-tool export PROJECT.mpr OUT.pdb [options]\n"
    "\n"
    "Compiles the project into a map database; the task log goes to stderr as it comes.\n"
    "Without options: the map name is the project's name, every layer is exported in order with the\n"
    "zoom category of its theme and tree depth 5, the map class is Large, there is no region level and\n"
    "no preferences block, the publisher record is written when \"publisher.txt\" has a notice or a\n"
    "contact, and the map IDs come from \"map-id.txt\" in the current directory.\n"
    "\n"
    "  --map-name NAME         the database name (at most 31 characters)\n"
    "  --map-id N              this map's ID (default: map-id.txt entry of the project's base name)\n"
    "  --parent-map-id N       the parent map's ID (default: entry of the parent map basename)\n"
    "  --layers L,L,...        the visible layers in export order (project layer numbers, at most 16)\n"
    "  --zoom-category L=C     minimum zoom category of layer L: 0..7 or one of \"Major Roads\", \"Roads\",\n"
    "                          \"Minor Roads\", \"Water\", \"Railways\", \"Parks\", \"Point features\", "
    "\"Links\"\n"
    "  --tree-depth L=1|5      tree depth of layer L (1: one list)\n"
    "  --cache-searches L=0|1  the layer's cache-searches box (kept, not written to the file)\n"
    "  --map-class CLASS       small (128K), medium (256K) or large (512K)\n"
    "  --region NAME=L         a region level NAME (at most 15 characters) over the polygons of layer L\n"
    "  --publisher on|off      write the publisher record or not\n"
    "  --notice TEXT           publisher notice (at most 31 characters; default from publisher.txt)\n"
    "  --contact TEXT          contact text (at most 127 characters; default from publisher.txt)\n"
    "  --notes                 set the Export Map Notes flag (nothing in the file reflects it)\n"
    "  --preferences           write the map preferences block (implied by the next five options)\n"
    "  --initial-zoom Z        x1, x2, x4, x8 or x16\n"
    "  --group-zooms Z,...     eight zooms: FREEWAY,HIGHWAY; ROAD3,ROAD4; ROAD5,ROAD6; WATER,RIVER;\n"
    "                          RAILROAD; OPENSP...,BUILDING; PNTFEAT...,CATPNT...; LINK,LABEL\n"
    "  --names-zoom Z          never, x1, x2, x4, x8 or x16\n"
    "  --add-zoom Z            x1, x2 or x4\n"
    "  --auto-details LIST     comma list of roads, railways, points; or none (default: points)\n"
    "  --selection X1,Y1,X2,Y2 export only this rectangle (map units)\n";

int zoom_value(std::string_view text, int count) {
    for (int i = 0; i < count; ++i)
        if (equal_ignoring_case(text, kZoomNames[i])) return i;
    return -1;
}

bool parse_id(const std::string& text, int16_t& id) {
    int32_t v = 0;
    if (!parse_int32(text, v) || v < -32768 || v > 65535) return false;
    id = int16_t(uint16_t(v));
    return true;
}

// "L=VALUE" with L a project layer number.
bool parse_layer_value(const std::string& text, const Project& project, int& layer, std::string& value) {
    const size_t eq = text.find('=');
    int32_t n = 0;
    if (eq == std::string::npos || !parse_int32(text.substr(0, eq), n) || n < 0 || n >= project.layer_count)
        return false;
    layer = n;
    value = text.substr(eq + 1);
    return true;
}

int usage_error(const std::string& message) {
    return fail(kExitUsage, "export: " + message);
}

int run_export_command(const std::vector<std::string>& args) {
    std::vector<std::string> files;
    std::vector<std::pair<std::string, std::string>> options;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--notes" || a == "--preferences") {
            options.emplace_back(a, "");
        } else if (a.rfind("--", 0) == 0) {
            if (i + 1 >= args.size())
                return usage_error("option " + a + " needs a value (see export --help)");
            options.emplace_back(a, args[++i]);
        } else {
            files.push_back(a);
        }
    }
    if (files.size() != 2) return usage_error("expected PROJECT.mpr and OUT.pdb (see export --help)");
    const std::string& out_path = files[1];
    if (out_path.size() >= size_t(kOutputPathSize))
        return usage_error("output path longer than 127 characters");

    Project project;
    if (const Result loaded = load_project_for_tool(files[0], project); !loaded.ok)
        return fail(kExitFailure, loaded.message);
    std::string base;
    (void)project_base_name(files[0], base);  // the project loaded, so its name ends in .mpr
    set_field(project.file_base_name, base);

    PublisherInfo publisher;
    read_publisher(publisher);
    std::string notice(field_text(publisher.publisher_notice));
    std::string contact(field_text(publisher.contact));
    MapIdTable map_ids;
    read_map_id_table(map_ids);

    ExportSettings settings;
    reset_export_settings(settings, project, notice, contact);
    set_field(settings.output_path, out_path);
    set_field(settings.map_name, field_text(project.name));
    settings.map_id = lookup_map_id(map_ids, field_text(project.file_base_name));
    settings.parent_map_id = lookup_map_id(map_ids, field_text(project.parent_map_basename));
    Rect selection;

    for (const auto& [name, value] : options) {
        int layer = 0;
        std::string v;
        if (name == "--map-name") {
            if (value.size() >= size_t(kMapNameSize))
                return usage_error("map name longer than 31 characters");
            set_field(settings.map_name, value);
        } else if (name == "--map-id") {
            if (!parse_id(value, settings.map_id))
                return usage_error("--map-id " + value + ": not a 16-bit number");
        } else if (name == "--parent-map-id") {
            if (!parse_id(value, settings.parent_map_id))
                return usage_error("--parent-map-id " + value + ": not a 16-bit number");
        } else if (name == "--layers") {
            std::set<int32_t> seen;
            settings.visible_layer_count = 0;
            for (const std::string& part : split(value, ',')) {
                int32_t n = 0;
                if (!parse_int32(part, n) || n < 0 || n >= project.layer_count)
                    return usage_error("--layers: no layer '" + part + "' in the project");
                if (!seen.insert(n).second) return usage_error("--layers: layer " + part + " given twice");
                if (settings.visible_layer_count == kMaxExportLayers)
                    return usage_error("Maximum visible layers reached");
                settings.visible_layers[settings.visible_layer_count++] = n;
            }
        } else if (name == "--zoom-category") {
            if (!parse_layer_value(value, project, layer, v))
                return usage_error("--zoom-category " + value + ": expected L=C");
            int category = -1;
            int32_t n = 0;
            if (parse_int32(v, n) && n >= 0 && n < kZoomCategoryCount) category = n;
            for (int c = 0; c < kZoomCategoryCount && category < 0; ++c)
                if (equal_ignoring_case(v, kZoomCategoryNames[c])) category = c;
            if (category < 0) return usage_error("--zoom-category: unknown category '" + v + "'");
            settings.layer_props[layer].min_zoom_category = int16_t(category);
        } else if (name == "--tree-depth") {
            if (!parse_layer_value(value, project, layer, v) || (v != "1" && v != "5"))
                return usage_error("--tree-depth " + value + ": expected L=1 or L=5");
            settings.layer_props[layer].single_list = v == "1" ? 1 : 0;
        } else if (name == "--cache-searches") {
            if (!parse_layer_value(value, project, layer, v) || (v != "0" && v != "1"))
                return usage_error("--cache-searches " + value + ": expected L=0 or L=1");
            settings.layer_props[layer].cache_searches = v == "1" ? 1 : 0;
        } else if (name == "--map-class") {
            int k = -1;
            for (int c = 0; c < kMapClassCount; ++c) {
                const char* words[] = {"small", "medium", "large"};
                if (equal_ignoring_case(value, words[c])) k = c;
            }
            if (k < 0) return usage_error("--map-class " + value + ": expected small, medium or large");
            settings.map_class = int16_t(kMapClassSmall + k);
        } else if (name == "--region") {
            const size_t eq = value.rfind('=');
            int32_t n = 0;
            if (eq == std::string::npos || !parse_int32(value.substr(eq + 1), n) || n < 0 ||
                n >= project.layer_count)
                return usage_error("--region " + value + ": expected NAME=L with L a project layer");
            if (eq == 0) return usage_error("You need to supply names for the region level(s)");
            if (eq >= size_t(kRegionLevelNameSize))
                return usage_error("region level name longer than 15 characters");
            if (settings.region_level_count == kMaxRegionLevels)
                return usage_error("Maximum Region Levels reached.");
            settings.region_level_count = 1;
            settings.region_source_layer = n;
            set_field(settings.region_level_name, value.substr(0, eq));
        } else if (name == "--publisher") {
            if (value != "on" && value != "off") return usage_error("--publisher: expected on or off");
            settings.flags = value == "on" ? (settings.flags | kExportPublisherInfo)
                                           : (settings.flags & ~kExportPublisherInfo);
        } else if (name == "--notice") {
            if (value.size() >= kPublisherNoticeSize) return usage_error("notice longer than 31 characters");
            notice = value;
        } else if (name == "--contact") {
            if (value.size() >= kContactSize) return usage_error("contact longer than 127 characters");
            contact = value;
        } else if (name == "--notes") {
            settings.flags |= kExportMapNotes;
        } else if (name == "--preferences") {
            settings.has_map_preferences = 1;
        } else if (name == "--initial-zoom") {
            const int z = zoom_value(value, kZoomCount);
            if (z < 0) return usage_error("--initial-zoom " + value + ": expected x1, x2, x4, x8 or x16");
            settings.preferences.initial_zoom = uint8_t(z);
            settings.has_map_preferences = 1;
        } else if (name == "--group-zooms") {
            const std::vector<std::string> parts = split(value, ',');
            if (parts.size() != size_t(kZoomGroupCount))
                return usage_error("--group-zooms: expected eight zooms");
            for (int g = 0; g < kZoomGroupCount; ++g) {
                const int z = zoom_value(parts[size_t(g)], kZoomCount);
                if (z < 0) return usage_error("--group-zooms: unknown zoom '" + parts[size_t(g)] + "'");
                settings.preferences.group_zoom[g] = uint8_t(z);
            }
            settings.has_map_preferences = 1;
        } else if (name == "--names-zoom") {
            const int z =
                equal_ignoring_case(value, "never") ? kNamesZoomNever : zoom_value(value, kZoomCount);
            if (z == -1 && !equal_ignoring_case(value, "never"))
                return usage_error("--names-zoom " + value + ": expected never, x1, x2, x4, x8 or x16");
            settings.preferences.names_zoom = int8_t(z);
            settings.has_map_preferences = 1;
        } else if (name == "--add-zoom") {
            const int z = zoom_value(value, kAddZoomCount);
            if (z < 0) return usage_error("--add-zoom " + value + ": expected x1, x2 or x4");
            settings.preferences.auto_detail =
                uint8_t((settings.preferences.auto_detail & ~kAutoDetailAddZoomMask) | z);
            settings.has_map_preferences = 1;
        } else if (name == "--auto-details") {
            uint8_t bits = 0;
            if (!equal_ignoring_case(value, "none")) {
                for (const std::string& part : split(value, ',')) {
                    if (equal_ignoring_case(part, "roads"))
                        bits |= kAutoDetailRoads;
                    else if (equal_ignoring_case(part, "railways"))
                        bits |= kAutoDetailRailways;
                    else if (equal_ignoring_case(part, "points"))
                        bits |= kAutoDetailPoints;
                    else
                        return usage_error("--auto-details: unknown detail '" + part + "'");
                }
            }
            settings.preferences.auto_detail =
                uint8_t((settings.preferences.auto_detail & kAutoDetailAddZoomMask) | bits);
            settings.has_map_preferences = 1;
        } else if (name == "--selection") {
            const std::vector<std::string> parts = split(value, ',');
            int32_t c[4];
            if (parts.size() != 4 || !parse_int32(parts[0], c[0]) || !parse_int32(parts[1], c[1]) ||
                !parse_int32(parts[2], c[2]) || !parse_int32(parts[3], c[3]))
                return usage_error("--selection " + value + ": expected X1,Y1,X2,Y2");
            selection = Rect{c[0], c[1], c[2], c[3]};
            settings.flags |= kExportSelectionOnly;
        } else {
            return usage_error("unknown option '" + name + "' (see export --help)");
        }
    }
    // The dialog's checks, in its page order.
    if (field_text(settings.map_name).empty()) return usage_error("You need to provide a map name.");
    if (settings.visible_layer_count == 0) return usage_error("You need to add at least one layer");
    // As the dialog does on "Export": a degree project's position is its range.
    if (project.coord_sys == kCoordDegrees) {
        project.geo.west = project.range.x_min;
        project.geo.east = project.range.x_min + project.range.width;
        project.geo.south = project.range.y_min;
        project.geo.north = project.range.y_min + project.range.height;
    }

    ExportInputs inputs;
    inputs.map_ids = &map_ids;
    inputs.publisher_notice = notice;
    inputs.contact = contact;
    TerminalSink sink;
    const int result = run_export(project, settings, selection, sink, inputs);
    sink.close_progress(result);
    if (result != kExportOk)
        return fail(kExitFailure, "export: no map database written (result " + std::to_string(result) + ")");
    return kExitOk;
}

const CommandRegistration reg{
    {"export", "compile a project into a handheld map database (.pdb)", kUsage, run_export_command}};

}  // namespace

}  // namespace plotwell::tool
