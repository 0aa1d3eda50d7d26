// plotwell-tool check: loads a project file the way the editor does and reports everything unsound.
#include <cstdio>

#include "model/object_storage.h"
#include "model/vocabulary.h"
#include "tool_command.h"
#include "tool_project.h"

namespace plotwell::tool {

namespace {

const char kUsage[] =
    "usage: plotwell-tool check FILE.mpr\n"
    "\n"
    "Loads the project file and prints one line for each thing that is unsound: parts that lie outside\n"
    "the file, slot tables that disagree with it, object records that cannot be read, layers and objects\n"
    "with types or themes this program does not know. Exits with 0 when nothing was found, 1 otherwise.\n";

// What the loader accepts but no part of this program can use.
void check_vocabulary(const Project& p, std::vector<std::string>& problems) {
    for (int i = 0; i < p.layer_count; ++i) {
        const Layer& l = p.layers[i];
        const std::string label = "layer " + std::to_string(i) + ": ";
        if (l.type >= kLayerTypeCount)
            problems.push_back(label + "unknown layer type " + std::to_string(l.type));
        if (l.theme >= kThemeCount) problems.push_back(label + "unknown theme " + std::to_string(l.theme));
        int unknown = 0;
        for (const MapObject* o = l.objects; o; o = o->next)
            if (o->dimension != kDimDeleted && !object_type_name(o->dimension, o->type)) ++unknown;
        if (unknown > 0)
            problems.push_back(label + std::to_string(unknown) + " object(s) of an unknown object type");
    }
}

int run_check(const std::vector<std::string>& args) {
    if (args.size() != 1) return fail(kExitUsage, "check: expected one project file (see check --help)");
    Project p;
    ProjectFileReport report;
    if (const Result loaded = load_project_for_tool(args[0], p, &report); !loaded.ok)
        return fail(kExitFailure, loaded.message);
    check_vocabulary(p, report.problems);
    for (const std::string& line : report.problems) std::printf("%s\n", line.c_str());
    if (!report.problems.empty())
        return fail(kExitFailure,
                    args[0] + ": " + std::to_string(report.problems.size()) + " problem(s) found");
    std::printf("%s: sound (%d layers, %lld objects)\n", args[0].c_str(), p.layer_count,
                static_cast<long long>(report.objects_loaded));
    return kExitOk;
}

const CommandRegistration reg{{"check", "load a project file and report what is unsound", kUsage, run_check}};

}  // namespace

}  // namespace plotwell::tool
