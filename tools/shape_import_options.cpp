#include "shape_import_options.h"

#include <algorithm>
#include <csignal>
#include <cstdio>

#include "model/layer_lines.h"
#include "model/text.h"
#include "model/vocabulary.h"
#include "project/project_file.h"
#include "shapefile/import_profile.h"
#include "terminal_sink.h"
#include "tool_command.h"
#include "tool_project.h"

namespace plotwell::tool {

namespace {

std::atomic<bool> g_running{true};

extern "C" void stop_import(int) {
    g_running.store(false);
}

// The dialog reads a factor as optional blanks, a sign and digits (at most 15 characters), 0 without digits.
int32_t dialog_number(const std::string& text) {
    const std::string s = text.substr(0, 15);
    size_t i = 0;
    while (i < s.size() && s[i] == ' ') ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    int64_t v = 0;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9' && v <= INT32_MAX) v = v * 10 + (s[i++] - '0');
    if (negative) v = -v;
    return int32_t(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

// Index of `text` among the names (ignoring case) or as a number below `count`; -1 otherwise.
int lookup(const std::string& text, const std::vector<std::string>& names) {
    int32_t number = 0;
    if (parse_int32(text, number)) return number >= 0 && number < int(names.size()) ? number : -1;
    for (size_t i = 0; i < names.size(); ++i)
        if (equal_ignoring_case(text, names[i])) return int(i);
    return -1;
}

// Field names to indices.
Result select_fields(const std::vector<std::string>& names, const ShapefileReader& reader,
                     const std::string& dbf, FieldSelection& out) {
    FieldSelection sel;
    for (const std::string& name : names) {
        const int i = find_field(reader, name);
        if (i < 0) return failure("no field '" + name + "' in " + dbf);
        sel.indices[sel.count++] = i;
    }
    out = sel;
    return success();
}

}  // namespace

InterruptGuard::InterruptGuard() {
    g_running.store(true);
    previous = std::signal(SIGINT, stop_import);
}

InterruptGuard::~InterruptGuard() {
    std::signal(SIGINT, previous);
}

Result parse_shape_import_options(const std::vector<std::string>& args, ShapeImportOptions& o,
                                  const std::string& command, bool vector_options) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool has_value = i + 1 < args.size();
        if (a == "--layer" && has_value) {
            int32_t n;
            if (!parse_int32(args[++i], n) || n < 0 || n >= kMaxLayers)
                return failure("--layer expects a layer number 0..7");
            o.layer = n;
        } else if (a == "--name-field" && has_value) {
            o.name_fields.push_back(args[++i]);
        } else if (a == "--link-field" && has_value) {
            o.link_fields.push_back(args[++i]);
        } else if (a == "--type" && has_value) {
            o.type = args[++i];
        } else if (a == "--icon" && has_value) {
            o.icon = args[++i];
        } else if (a == "--multiply-x" && has_value) {
            o.multiply_x = args[++i];
        } else if (a == "--multiply-y" && has_value) {
            o.multiply_y = args[++i];
        } else if (a == "--profile" && has_value) {
            o.profile = args[++i];
        } else if (a == "--no-downcase") {
            o.no_downcase = true;
        } else if (a == "--filter" || a == "--no-filter") {
            const int f = a == "--filter";
            if (o.filter >= 0 && o.filter != f) return failure("--filter and --no-filter exclude each other");
            o.filter = f;
        } else if (vector_options && a == "--source-layer" && has_value) {
            o.source_layer = args[++i];
        } else if (vector_options && a == "--encoding" && has_value) {
            o.encoding = args[++i];
        } else if (vector_options && (a == "--reproject" || a == "--no-reproject")) {
            const int r = a == "--reproject";
            if (o.reproject >= 0 && o.reproject != r)
                return failure("--reproject and --no-reproject exclude each other");
            o.reproject = r;
        } else if (a.rfind("--", 0) == 0) {
            return failure("unknown or incomplete option '" + a + "' (see " + command + " --help)");
        } else if (o.project_path.empty()) {
            o.project_path = a;
        } else if (o.source_path.empty()) {
            o.source_path = a;
        } else {
            return failure(vector_options ? "more than a project and a source given"
                                          : "more than a project and a shapefile given");
        }
    }
    if (o.source_path.empty())
        return failure(vector_options ? "a project file and a source are needed (see import --help)"
                                      : "a project file and a shapefile are needed (see import-shp --help)");
    if (o.name_fields.size() > size_t(kMaxListedFields) || o.link_fields.size() > size_t(kMaxListedFields))
        return failure("Maximum fields reached (at most 8 name fields and 8 link fields)");
    return success();
}

int make_shape_import_settings(const ShapeImportOptions& o, const ShapefileReader& reader,
                               const std::string& base, const std::string& dbf, const Project& project,
                               const std::string& command, ShapeImportSettings& s) {
    const std::string prefix = command + ": ";
    const int dimension = shape_dimension(reader);
    s = default_import_settings(project, reader, base, 0);
    if (!o.profile.empty()) {
        if (const Result loaded = load_import_profile(o.profile, reader, s); !loaded.ok)
            return fail(kExitFailure, prefix + o.profile + ": " + loaded.message);
    }
    if (o.layer >= 0) s.dest_layer = o.layer;
    if (s.dest_layer >= project.layer_count)
        return fail(kExitFailure, prefix + "the project has no layer " + std::to_string(s.dest_layer));
    if (!o.name_fields.empty())
        if (const Result selected = select_fields(o.name_fields, reader, dbf, s.name_fields); !selected.ok)
            return fail(kExitFailure, prefix + selected.message);
    if (!o.link_fields.empty())
        if (const Result selected = select_fields(o.link_fields, reader, dbf, s.link_fields); !selected.ok)
            return fail(kExitFailure, prefix + selected.message);
    if (!o.type.empty()) {
        std::vector<std::string> types;
        for (int i = 0; i < object_type_count(uint8_t(dimension)); ++i)
            types.push_back(object_type_name(uint8_t(dimension), uint8_t(i)));
        const int t = lookup(o.type, types);
        if (t < 0)
            return fail(kExitUsage, prefix + "'" + o.type + "' is not an object type of a " +
                                        kDimensionNames[dimension] + " file");
        s.default_type = t;
    }
    if (!o.icon.empty()) {
        int32_t code;
        int icon = lookup(o.icon, std::vector<std::string>(kIconNames, kIconNames + kIconCount));
        if (icon < 0 && parse_int32(o.icon, code) && code >= 0 && code <= 255)
            icon = code;  // codes above the names
        if (icon < 0) return fail(kExitUsage, prefix + "'" + o.icon + "' is not an icon name or code");
        s.default_icon = icon;
    }
    if (o.no_downcase) s.downcase = 0;
    if (o.filter >= 0) s.filter_outside_range = o.filter;
    if (!o.multiply_x.empty()) s.multiply_x = dialog_number(o.multiply_x);
    if (!o.multiply_y.empty()) s.multiply_y = dialog_number(o.multiply_y);
    // The import dialog's checks on OK; a filter on an empty range is switched off here.
    if (const Result checked = check_import_settings(s, project); !checked.ok)
        return fail(kExitFailure, prefix + checked.message);
    return kExitOk;
}

int run_import_and_save(const ShapeImportOptions& o, RecordSource& source, const ShapeImportSettings& s,
                        Project& project, const std::string& project_base, const std::string& command) {
    const std::string prefix = command + ": ";
    ShapeImportResult result;
    {
        TerminalSink sink;
        result = run_record_import(project, source, s, sink, g_running);
        sink.close_progress(result.started && !result.stopped ? 1 : 0);
    }
    if (!result.started) return fail(kExitFailure, prefix + result.error);
    if (result.stopped || !g_running.load()) {
        std::fprintf(stderr, "plotwell-tool: %s: stopped; %s was not changed\n", command.c_str(),
                     o.project_path.c_str());
        return kExitInterrupted;
    }
    // A source that failed half-way is not saved: the project file keeps what it had.
    if (!result.read_error.empty())
        return fail(kExitFailure, prefix + result.read_error + "; " + o.project_path + " was not changed");
    if (result.objects_added == 0)
        return fail(kExitFailure, prefix + "nothing was imported; " + o.project_path + " was not changed");
    NullProgressSink quiet;
    if (!save_project(project, project_base, quiet))
        return fail(kExitFailure, prefix + o.project_path + ": cannot write the project file");
    std::printf("%d objects imported into layer %s from %d records\n", result.objects_added,
                layer_list_line(s.dest_layer, project.layers[s.dest_layer]).c_str(), result.records_read);
    return kExitOk;
}

}  // namespace plotwell::tool
