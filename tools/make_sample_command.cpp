// plotwell-tool make-sample: writes the sample map, the invented town of Millbrook.
#include <cstdio>

#include "model/bitmap_file.h"
#include "model/text.h"
#include "platform/progress_sink.h"
#include "project/project_file.h"
#include "sample_town.h"
#include "tool_command.h"
#include "tool_project.h"

namespace plotwell::tool {

namespace {

const char kUsage[] =
    "usage: plotwell-tool make-sample OUT.mpr [--bitmap FILE.bmp]\n"
    "\n"
    "Writes the sample map: a small invented town with chained roads, a river, a lake, parks, a railway,\n"
    "buildings and points of interest, in decimal degrees.\n"
    "  --bitmap FILE.bmp  adds the bitmap as the background, stretched over the whole range; the name is\n"
    "                     stored as given (a relative name is found from the folder the editor runs in)\n";

int run(const std::vector<std::string>& args) {
    std::string out, bitmap;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--bitmap" && i + 1 < args.size()) {
            bitmap = args[++i];
        } else if (!args[i].empty() && args[i][0] == '-') {
            return fail(kExitUsage, "unknown option " + args[i] + "\n" + kUsage);
        } else if (out.empty()) {
            out = args[i];
        } else {
            return fail(kExitUsage, std::string("too many arguments\n") + kUsage);
        }
    }
    std::string base;
    if (out.empty() || !project_base_name(out, base)) return fail(kExitUsage, std::string(kUsage));

    Project project;
    build_sample_town(project);
    if (!bitmap.empty()) {
        if (read_bitmap_size(bitmap).status != 0 || !load_bitmap_file(bitmap))
            return fail(kExitFailure, "cannot read the bitmap " + bitmap);
        BackgroundBitmap& entry = project.bitmaps.entries[0];
        entry.x = project.range.x_min;
        entry.y = project.range.y_min;
        entry.width = project.range.width;
        entry.height = project.range.height;
        set_field(entry.file_name, bitmap);
        project.bitmaps.count = 1;
    }
    NullProgressSink quiet;
    if (!save_project(project, base, quiet)) return fail(kExitFailure, "cannot write " + out);
    return kExitOk;
}

const CommandRegistration reg{{"make-sample", "write the sample map of an invented town", kUsage, run}};

}  // namespace
}  // namespace plotwell::tool
