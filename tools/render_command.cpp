// plotwell-tool render: draws a map database into a PNG picture as the handheld shows it.
#include <cstdio>

#include "export/database_check.h"
#include "export/database_render.h"
#include "export/export_settings.h"
#include "model/bytes.h"
#include "model/png_file.h"
#include "model/text.h"
#include "tool_command.h"
#include "tool_project.h"

namespace plotwell::tool {

namespace {

const char kUsage[] =
    "usage: plotwell-tool render MAP.pdb OUT.png [--zoom x1|x2|x4|x8|x16] [--center X,Y] [--size WxH]\n"
    "\n"
    "Draws the map database from the file alone: the layers in their order, each from the zoom of its\n"
    "minimum zoom category on, names from the names zoom on, and the region outlines. At x1 the whole\n"
    "output range fits the picture.\n"
    "  --zoom Z       x1 (default), x2, x4, x8 or x16\n"
    "  --center X,Y   the output coordinates at the middle (default: the database's initial centre)\n"
    "  --size WxH     the picture in pixels, 1..4096 each (default 320x320)\n"
    "What the file holds that is unsound is left out of the picture and listed on stderr; the exit\n"
    "status is then 1, though the picture is written.\n";

constexpr size_t kMaxDatabaseSize = size_t(64) << 20;

int usage_error(const std::string& message) {
    return fail(kExitUsage, "render: " + message + " (see render --help)");
}

bool parse_pair(const std::string& text, char separator, int32_t low, int32_t high, int32_t& a, int32_t& b) {
    const std::vector<std::string> parts = split(text, separator);
    return parts.size() == 2 && parse_int32(parts[0], a) && parse_int32(parts[1], b) && a >= low &&
           a <= high && b >= low && b <= high;
}

int run_render(const std::vector<std::string>& args) {
    std::vector<std::string> files;
    RenderView view;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a.rfind("--", 0) != 0) {
            files.push_back(a);
            continue;
        }
        if (i + 1 == args.size()) return usage_error(a + " needs a value");
        const std::string& value = args[++i];
        int32_t x = 0, y = 0;
        if (a == "--zoom") {
            view.zoom = -1;
            for (int z = 0; z < kRenderZoomCount; ++z)
                if (equal_ignoring_case(value, kZoomNames[z])) view.zoom = z;
            if (view.zoom < 0) return usage_error("--zoom " + value + ": expected x1, x2, x4, x8 or x16");
        } else if (a == "--center") {
            if (!parse_pair(value, ',', 0, 65535, x, y))
                return usage_error("--center " + value + ": expected X,Y in 0..65535");
            view.centre = ScaledPoint{uint16_t(x), uint16_t(y)};
        } else if (a == "--size") {
            if (!parse_pair(value, 'x', 1, kMaxRenderSide, x, y))
                return usage_error("--size " + value + ": expected WxH, each 1..4096");
            view.width = x;
            view.height = y;
        } else {
            return usage_error("unknown option '" + a + "'");
        }
    }
    if (files.size() != 2) return usage_error("expected MAP.pdb and OUT.png");
    std::vector<uint8_t> bytes;
    if (!read_whole_file(files[0], bytes, kMaxDatabaseSize))
        return fail(kExitFailure, files[0] + ": cannot be read");
    const InspectReport report = inspect_database(bytes);
    const Result written = write_png_file(files[1], render_database(report, view));
    if (!written.ok) return fail(kExitFailure, written.message);
    for (const std::string& v : report.violations) std::fprintf(stderr, "left out: %s\n", v.c_str());
    return report.ok() ? kExitOk : kExitFailure;
}

const CommandRegistration reg{
    {"render", "draw a map database (.pdb) into a PNG picture", kUsage, run_render}};

}  // namespace

}  // namespace plotwell::tool
