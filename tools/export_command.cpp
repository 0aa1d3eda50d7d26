// plotwell-tool export: compiles a project into the handheld's map database, with an option for every
// choice of the export dialog.
#include <algorithm>
#include <cstdio>
#include <set>
#include <utility>

#include "export/data_area_use.h"
#include "export/export_driver.h"
#include "export/export_preparation.h"
#include "export/export_settings.h"
#include "export/map_id_table.h"
#include "export/publisher.h"
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
    "  --selection X1,Y1,X2,Y2 export only this rectangle (map units)\n"
    "\n"
    "Making a big map fit (all off by default; sizes in output units, 12000 across the map):\n"
    "  --simplify T            drop line and polygon points closer than T to the simplified shape\n"
    "  --split-long-lines      split lines of 200 points or more into several lines of the same name and\n"
    "                          type, and simplify polygons of 200 points or more until they fit\n"
    "  --min-area A            leave out polygons smaller than A square output units\n"
    "  --fit CLASS             export in CLASS (small, medium or large) with the least simplification\n"
    "                          that fits it (implies --split-long-lines)\n"
    "  --dry-run               print how full the data area of each map class would be and write\n"
    "                          nothing (OUT.pdb may be left out)\n";

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

// What the options change, starting from the defaults, and the first usage error.
struct ExportRequest {
    const Project* project = nullptr;
    bool dry_run = false;
    ExportSettings settings;
    std::string notice;
    std::string contact;
    Rect selection;
    std::string problem;

    [[nodiscard]] bool refuse(std::string message) {
        problem = std::move(message);
        return false;
    }
};

bool layers_option(const std::string& value, ExportRequest& r) {
    std::set<int32_t> seen;
    r.settings.visible_layer_count = 0;
    for (const std::string& part : split(value, ',')) {
        int32_t n = 0;
        if (!parse_int32(part, n) || n < 0 || n >= r.project->layer_count)
            return r.refuse("--layers: no layer '" + part + "' in the project");
        if (!seen.insert(n).second) return r.refuse("--layers: layer " + part + " given twice");
        if (r.settings.visible_layer_count == kMaxExportLayers)
            return r.refuse("Maximum visible layers reached");
        r.settings.visible_layers[r.settings.visible_layer_count++] = n;
    }
    return true;
}

bool zoom_category_option(const std::string& value, ExportRequest& r) {
    int layer = 0;
    std::string v;
    if (!parse_layer_value(value, *r.project, layer, v))
        return r.refuse("--zoom-category " + value + ": expected L=C");
    int category = -1;
    int32_t n = 0;
    if (parse_int32(v, n) && n >= 0 && n < kZoomCategoryCount) category = n;
    for (int c = 0; c < kZoomCategoryCount && category < 0; ++c)
        if (equal_ignoring_case(v, kZoomCategoryNames[c])) category = c;
    if (category < 0) return r.refuse("--zoom-category: unknown category '" + v + "'");
    r.settings.layer_props[layer].min_zoom_category = int16_t(category);
    return true;
}

bool region_option(const std::string& value, ExportRequest& r) {
    const size_t eq = value.rfind('=');
    int32_t n = 0;
    if (eq == std::string::npos || !parse_int32(value.substr(eq + 1), n) || n < 0 ||
        n >= r.project->layer_count)
        return r.refuse("--region " + value + ": expected NAME=L with L a project layer");
    if (eq == 0) return r.refuse("You need to supply names for the region level(s)");
    if (eq >= size_t(kRegionLevelNameSize)) return r.refuse("region level name longer than 15 characters");
    if (r.settings.region_level_count == kMaxRegionLevels) return r.refuse("Maximum Region Levels reached.");
    r.settings.region_level_count = 1;
    r.settings.region_source_layer = n;
    set_field(r.settings.region_level_name, value.substr(0, eq));
    return true;
}

bool group_zooms_option(const std::string& value, ExportRequest& r) {
    const std::vector<std::string> parts = split(value, ',');
    if (parts.size() != size_t(kZoomGroupCount)) return r.refuse("--group-zooms: expected eight zooms");
    for (int g = 0; g < kZoomGroupCount; ++g) {
        const int z = zoom_value(parts[size_t(g)], kZoomCount);
        if (z < 0) return r.refuse("--group-zooms: unknown zoom '" + parts[size_t(g)] + "'");
        r.settings.preferences.group_zoom[g] = uint8_t(z);
    }
    r.settings.has_map_preferences = 1;
    return true;
}

bool auto_details_option(const std::string& value, ExportRequest& r) {
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
                return r.refuse("--auto-details: unknown detail '" + part + "'");
        }
    }
    uint8_t& detail = r.settings.preferences.auto_detail;
    detail = uint8_t((detail & kAutoDetailAddZoomMask) | bits);
    r.settings.has_map_preferences = 1;
    return true;
}

bool selection_option(const std::string& value, ExportRequest& r) {
    const std::vector<std::string> parts = split(value, ',');
    int32_t c[4];
    if (parts.size() != 4 || !parse_int32(parts[0], c[0]) || !parse_int32(parts[1], c[1]) ||
        !parse_int32(parts[2], c[2]) || !parse_int32(parts[3], c[3]))
        return r.refuse("--selection " + value + ": expected X1,Y1,X2,Y2");
    r.selection = Rect{c[0], c[1], c[2], c[3]};
    r.settings.flags |= kExportSelectionOnly;
    return true;
}

bool map_class_option(const std::string& value, ExportRequest& r, const char* option) {
    const char* const words[kMapClassCount] = {"small", "medium", "large"};
    for (int c = 0; c < kMapClassCount; ++c) {
        if (!equal_ignoring_case(value, words[c])) continue;
        r.settings.map_class = int16_t(kMapClassSmall + c);
        return true;
    }
    return r.refuse(std::string(option) + " " + value + ": expected small, medium or large");
}

bool fit_amount_option(const std::string& value, ExportRequest& r, const char* option, double& amount) {
    return parse_fit_amount(value, amount) ||
           r.refuse(std::string(option) + " " + value + ": expected a number of output units, 0 or more");
}

struct ExportOption {
    const char* name;
    bool takes_value;
    bool (*apply)(const std::string& value, ExportRequest& r);  // false: r.problem says why
};

// Every option of the usage text, applied in command-line order.
const ExportOption kExportOptions[] = {
    {"--map-name", true,
     [](const std::string& v, ExportRequest& r) {
         if (v.size() >= size_t(kMapNameSize)) return r.refuse("map name longer than 31 characters");
         set_field(r.settings.map_name, v);
         return true;
     }},
    {"--map-id", true,
     [](const std::string& v, ExportRequest& r) {
         return parse_id(v, r.settings.map_id) || r.refuse("--map-id " + v + ": not a 16-bit number");
     }},
    {"--parent-map-id", true,
     [](const std::string& v, ExportRequest& r) {
         return parse_id(v, r.settings.parent_map_id) ||
                r.refuse("--parent-map-id " + v + ": not a 16-bit number");
     }},
    {"--layers", true, layers_option},
    {"--zoom-category", true, zoom_category_option},
    {"--tree-depth", true,
     [](const std::string& v, ExportRequest& r) {
         int layer = 0;
         std::string d;
         if (!parse_layer_value(v, *r.project, layer, d) || (d != "1" && d != "5"))
             return r.refuse("--tree-depth " + v + ": expected L=1 or L=5");
         r.settings.layer_props[layer].single_list = d == "1" ? 1 : 0;
         return true;
     }},
    {"--cache-searches", true,
     [](const std::string& v, ExportRequest& r) {
         int layer = 0;
         std::string c;
         if (!parse_layer_value(v, *r.project, layer, c) || (c != "0" && c != "1"))
             return r.refuse("--cache-searches " + v + ": expected L=0 or L=1");
         r.settings.layer_props[layer].cache_searches = c == "1" ? 1 : 0;
         return true;
     }},
    {"--map-class", true,
     [](const std::string& v, ExportRequest& r) { return map_class_option(v, r, "--map-class"); }},
    {"--region", true, region_option},
    {"--publisher", true,
     [](const std::string& v, ExportRequest& r) {
         if (v != "on" && v != "off") return r.refuse("--publisher: expected on or off");
         r.settings.flags = v == "on" ? (r.settings.flags | kExportPublisherInfo)
                                      : (r.settings.flags & ~kExportPublisherInfo);
         return true;
     }},
    {"--notice", true,
     [](const std::string& v, ExportRequest& r) {
         if (v.size() >= kPublisherNoticeSize) return r.refuse("notice longer than 31 characters");
         r.notice = v;
         return true;
     }},
    {"--contact", true,
     [](const std::string& v, ExportRequest& r) {
         if (v.size() >= kContactSize) return r.refuse("contact longer than 127 characters");
         r.contact = v;
         return true;
     }},
    {"--notes", false,
     [](const std::string&, ExportRequest& r) {
         r.settings.flags |= kExportMapNotes;
         return true;
     }},
    {"--preferences", false,
     [](const std::string&, ExportRequest& r) {
         r.settings.has_map_preferences = 1;
         return true;
     }},
    {"--initial-zoom", true,
     [](const std::string& v, ExportRequest& r) {
         const int z = zoom_value(v, kZoomCount);
         if (z < 0) return r.refuse("--initial-zoom " + v + ": expected x1, x2, x4, x8 or x16");
         r.settings.preferences.initial_zoom = uint8_t(z);
         r.settings.has_map_preferences = 1;
         return true;
     }},
    {"--group-zooms", true, group_zooms_option},
    {"--names-zoom", true,
     [](const std::string& v, ExportRequest& r) {
         const bool never = equal_ignoring_case(v, "never");
         const int z = never ? kNamesZoomNever : zoom_value(v, kZoomCount);
         if (z == -1 && !never)
             return r.refuse("--names-zoom " + v + ": expected never, x1, x2, x4, x8 or x16");
         r.settings.preferences.names_zoom = int8_t(z);
         r.settings.has_map_preferences = 1;
         return true;
     }},
    {"--add-zoom", true,
     [](const std::string& v, ExportRequest& r) {
         const int z = zoom_value(v, kAddZoomCount);
         if (z < 0) return r.refuse("--add-zoom " + v + ": expected x1, x2 or x4");
         uint8_t& detail = r.settings.preferences.auto_detail;
         detail = uint8_t((detail & ~kAutoDetailAddZoomMask) | z);
         r.settings.has_map_preferences = 1;
         return true;
     }},
    {"--auto-details", true, auto_details_option},
    {"--selection", true, selection_option},
    {"--simplify", true,
     [](const std::string& v, ExportRequest& r) {
         return fit_amount_option(v, r, "--simplify", r.settings.fit.simplify);
     }},
    {"--split-long-lines", false,
     [](const std::string&, ExportRequest& r) {
         r.settings.fit.split_long_lines = true;
         return true;
     }},
    {"--min-area", true,
     [](const std::string& v, ExportRequest& r) {
         return fit_amount_option(v, r, "--min-area", r.settings.fit.min_area);
     }},
    {"--fit", true,
     [](const std::string& v, ExportRequest& r) {
         r.settings.fit.fit_map_class = true;
         return map_class_option(v, r, "--fit");
     }},
    {"--dry-run", false,
     [](const std::string&, ExportRequest& r) {
         r.dry_run = true;
         return true;
     }},
};

const ExportOption* find_option(const std::string& name) {
    for (const ExportOption& option : kExportOptions)
        if (name == option.name) return &option;
    return nullptr;
}

// The figures of every map class on stdout, one class after the other.
int print_data_area_uses(const Project& project, const ExportSettings& settings, const Rect& selection) {
    for (int c = 0; c < kMapClassCount; ++c) {
        std::string text = format_data_area_use(
            measure_data_area(project, settings, int16_t(kMapClassSmall + c), selection));
        std::erase(text, '\r');
        std::fputs(text.c_str(), stdout);
    }
    return kExitOk;
}

int run_export_command(const std::vector<std::string>& args) {
    std::vector<std::string> files;
    std::vector<std::pair<std::string, std::string>> options;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const ExportOption* option = find_option(a);
        if (option && !option->takes_value) {
            options.emplace_back(a, "");
        } else if (a.rfind("--", 0) == 0) {
            if (i + 1 >= args.size())
                return usage_error("option " + a + " needs a value (see export --help)");
            options.emplace_back(a, args[++i]);
        } else {
            files.push_back(a);
        }
    }
    // A dry run writes nothing, so it needs no output file.
    const bool dry_run = std::find_if(options.begin(), options.end(),
                                      [](const auto& o) { return o.first == "--dry-run"; }) != options.end();
    if (dry_run && files.size() == 1) files.push_back("");
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
    ExportRequest request;
    request.project = &project;
    request.notice = field_text(publisher.publisher_notice);
    request.contact = field_text(publisher.contact);
    MapIdTable map_ids;
    read_map_id_table(map_ids);

    ExportSettings& settings = request.settings;
    reset_export_settings(settings, project, request.notice, request.contact);
    set_field(settings.output_path, out_path);
    set_field(settings.map_name, field_text(project.name));
    settings.map_id = lookup_map_id(map_ids, field_text(project.file_base_name));
    settings.parent_map_id = lookup_map_id(map_ids, field_text(project.parent_map_basename));

    for (const auto& [name, value] : options) {
        const ExportOption* option = find_option(name);
        if (!option) return usage_error("unknown option '" + name + "' (see export --help)");
        if (!option->apply(value, request)) return usage_error(request.problem);
    }
    if (const ExportChoiceCheck check = check_export_choices(settings, project); !check.ok)
        return usage_error(check.message);

    const ExportInputs inputs = prepare_export(project, map_ids, request.notice, request.contact);
    if (request.dry_run) return print_data_area_uses(project, settings, request.selection);
    TerminalSink sink;
    const int result = run_export(project, settings, request.selection, sink, inputs);
    sink.close_progress(result);
    if (result != kExportOk)
        return fail(kExitFailure, "export: no map database written (result " + std::to_string(result) + ")");
    return kExitOk;
}

const CommandRegistration reg{
    {"export", "compile a project into a handheld map database (.pdb)", kUsage, run_export_command}};

}  // namespace

}  // namespace plotwell::tool
