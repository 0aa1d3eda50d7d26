// plotwell-tool new: an empty project file, as the editor's New Project makes one.
#include <cstdio>
#include <filesystem>

#include "model/text.h"
#include "model/vocabulary.h"
#include "project/project_file.h"
#include "tool_command.h"
#include "tool_project.h"

namespace plotwell::tool {

namespace {

const char kUsage[] =
    "usage: plotwell-tool new FILE.mpr --coord-sys degrees|pixels [--range X,Y,W,H] [--name NAME]\n"
    "                         [--layer NAME:THEME[:TYPE]]... [--force]\n"
    "\n"
    "Creates an empty project file.\n"
    "  --coord-sys degrees  Decimal Degrees (Exp 6); the range starts empty (an inverted whole world)\n"
    "  --coord-sys pixels   bitmap pixels (y down); the range is 0,0,100,100 unless --range is given\n"
    "  --range X,Y,W,H      x_min, y_min, width and height in map units\n"
    "  --name NAME          the project name (at most 31 characters)\n"
    "  --layer NAME:THEME[:TYPE]\n"
    "                       adds a layer (at most 8). THEME is LAND, PARKS, WATER, RAILWAYS, ROADS, PLACES\n"
    "                       or ROUTES; TYPE is ERASE_BKG (the default, as for a new layer in the editor),\n"
    "                       SNG_TYPED_OBJS or MISC_TYPED_OBJS. Names and numbers are both accepted.\n"
    "  --force              replace an existing file\n";

// Index of `text` in `names` (ignoring case) or as a number below `count`; -1 when neither.
int lookup(std::string_view text, const char* const* names, int count) {
    int32_t number = 0;
    if (parse_int32(text, number)) return number >= 0 && number < count ? number : -1;
    for (int i = 0; i < count; ++i)
        if (equal_ignoring_case(text, names[i])) return i;
    return -1;
}

// NAME:THEME[:TYPE]; the name may itself hold colons, so the fields are taken from the right.
Result parse_layer(const std::string& spec, Layer& layer) {
    std::vector<std::string> parts = split(spec, ':');
    if (parts.size() < 2) return failure("--layer " + spec + ": expected NAME:THEME[:TYPE]");
    int type = 0;
    if (parts.size() >= 3) {
        const int t = lookup(parts.back(), kLayerTypeNames, kLayerTypeCount);
        const int theme_first = lookup(parts[parts.size() - 2], kThemeNames, kThemeCount);
        if (t >= 0 && theme_first >= 0) {
            type = t;
            parts.pop_back();
        }
    }
    const int theme = lookup(parts.back(), kThemeNames, kThemeCount);
    if (theme < 0) return failure("--layer " + spec + ": unknown theme '" + parts.back() + "'");
    parts.pop_back();
    std::string name = parts[0];
    for (size_t i = 1; i < parts.size(); ++i) name += ":" + parts[i];
    layer = Layer{};
    layer.type = uint8_t(type);
    layer.theme = uint8_t(theme);
    set_field(layer.name, name);
    return success();
}

int run_new(const std::vector<std::string>& args) {
    std::string path, coord_sys, name;
    std::string range_text;
    std::vector<Layer> layers;
    bool force = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool has_value = i + 1 < args.size();
        if (a == "--coord-sys" && has_value) {
            coord_sys = args[++i];
        } else if (a == "--range" && has_value) {
            range_text = args[++i];
        } else if (a == "--name" && has_value) {
            name = args[++i];
        } else if (a == "--layer" && has_value) {
            Layer layer;
            if (const Result parsed = parse_layer(args[++i], layer); !parsed.ok)
                return fail(kExitUsage, "new: " + parsed.message);
            if (layers.size() == size_t(kMaxLayers))
                return fail(kExitUsage, "new: Layer table full! (at most 8 layers)");
            layers.push_back(layer);
        } else if (a == "--force") {
            force = true;
        } else if (a.rfind("--", 0) == 0) {
            return fail(kExitUsage, "new: unknown or incomplete option '" + a + "' (see new --help)");
        } else if (path.empty()) {
            path = a;
        } else {
            return fail(kExitUsage, "new: more than one file given");
        }
    }
    std::string base;
    if (path.empty()) return fail(kExitUsage, "new: no project file given (see new --help)");
    if (!project_base_name(path, base))
        return fail(kExitUsage, "new: " + path + ": the file name must end in .mpr");
    if (coord_sys != "degrees" && coord_sys != "pixels")
        return fail(kExitUsage, "new: --coord-sys degrees or --coord-sys pixels is required");

    Project p;
    p.projection = 0;
    set_field(p.name, name);
    if (coord_sys == "degrees") {
        p.coord_sys = kCoordDegrees;
        p.range = kEmptyDegreeRange;
    } else {
        p.coord_sys = kCoordArbitrary;
        p.range = {0, 0, 100, 100};
    }
    if (!range_text.empty()) {
        const std::vector<std::string> v = split(range_text, ',');
        int32_t r[4];
        if (v.size() != 4 || !parse_int32(v[0], r[0]) || !parse_int32(v[1], r[1]) ||
            !parse_int32(v[2], r[2]) || !parse_int32(v[3], r[3]))
            return fail(kExitUsage, "new: --range " + range_text + ": expected four whole numbers X,Y,W,H");
        p.range = {r[0], r[1], r[2], r[3]};
    }
    for (const Layer& layer : layers) p.layers[p.layer_count++] = layer;
    p.modified = 1;

    std::error_code ec;
    if (!force && std::filesystem::exists(path, ec))
        return fail(kExitFailure, path + ": the file exists (use --force to replace it)");
    NullProgressSink quiet;
    if (!save_project(p, base, quiet)) return fail(kExitFailure, path + ": cannot write the project file");
    return kExitOk;
}

const CommandRegistration reg{{"new", "create an empty project file with its layers", kUsage, run_new}};

}  // namespace

}  // namespace plotwell::tool
