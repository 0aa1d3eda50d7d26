// plotwell-tool sources: what a vector source holds, layer by layer.
#include <cstdio>
#include <string>

#include "shapefile/vector_source.h"
#include "tool_command.h"

namespace plotwell::tool {
namespace {

const char kUsage[] =
    "usage: plotwell-tool sources SOURCE\n"
    "\n"
    "Lists the layers of a vector source (anything GDAL reads) with their geometry type, feature count,\n"
    "fields and coordinate reference system; the names are what import --source-layer takes.\n";

int run(const std::vector<std::string>& args) {
    if (args.size() != 1) return fail(kExitUsage, "sources: one source is needed (see sources --help)");
    std::vector<SourceLayerInfo> layers;
    if (const Result listed = list_source_layers(args[0], layers); !listed.ok)
        return fail(kExitFailure, "sources: " + listed.message);
    for (const SourceLayerInfo& l : layers) {
        std::printf("layer %s\n", l.name.c_str());
        std::printf("  geometry: %s\n", l.geometry.c_str());
        if (l.feature_count >= 0)
            std::printf("  features: %lld\n", (long long)l.feature_count);
        else
            std::printf("  features: unknown\n");
        std::printf("  system: %s\n", l.system.name.empty() ? "none" : l.system.name.c_str());
        std::printf("  fields:\n");
        for (const std::string& f : l.fields) std::printf("    %s\n", f.c_str());
    }
    return kExitOk;
}

const CommandRegistration reg{
    {"sources", "layers, geometry, feature counts, fields and coordinate system of a vector source", kUsage,
     run}};

}  // namespace
}  // namespace plotwell::tool
