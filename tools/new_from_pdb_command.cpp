// plotwell-tool new-from-pdb: a project made from a map database, with the export settings it carries.
#include <cstdio>

#include "export/database_import.h"
#include "model/text.h"
#include "project/project_file.h"
#include "tool_command.h"
#include "tool_project.h"

namespace plotwell::tool {

namespace {

const char kUsage[] =
    "usage: plotwell-tool new-from-pdb MAP.pdb OUT.mpr\n"
    "\n"
    "Writes a project with MAP's layers and objects. Coordinates go back through the map's geographic\n"
    "bounds to decimal degrees when it has them, otherwise they stay output units in a plain project.\n"
    "Prints on stdout the export settings the map was made with (as export options) and the map ID\n"
    "lines its LINK points need in map-id.txt; what could not be read goes to stderr.\n";

std::string layer_list(const ExportSettings& s) {
    std::string out;
    for (int i = 0; i < s.visible_layer_count; ++i) {
        const int n = s.visible_layers[i];
        out += (i ? "," : "") + std::to_string(n) + ":" + std::to_string(s.layer_props[n].min_zoom_category) +
               ":" + (s.layer_props[n].single_list ? "1" : "5");
    }
    return out;
}

// Loading a project file pushes each record at the head of its list, so the file holds every list
// reversed: the loaded project then exports its objects in the database's order again.
void reverse_lists(Project& project) {
    for (int i = 0; i < project.layer_count; ++i) {
        MapObject* reversed = nullptr;
        for (MapObject* o = project.layers[i].objects; o;) {
            MapObject* next = o->next;
            o->next = reversed;
            reversed = o;
            o = next;
        }
        project.layers[i].objects = reversed;
    }
}

int run_new_from_pdb(const std::vector<std::string>& args) {
    if (args.size() != 2) return fail(kExitUsage, "new-from-pdb: expected MAP.pdb and OUT.mpr");
    std::string base;
    if (!project_base_name(args[1], base))
        return fail(kExitUsage, "new-from-pdb: " + args[1] + ": the file name must end in .mpr");
    Project project;
    DatabaseImport imported;
    if (const Result read = read_database_project(args[0], project, imported); !read.ok)
        return fail(kExitFailure, "new-from-pdb: " + read.message);
    for (const std::string& p : imported.problems) std::fprintf(stderr, "warning: %s\n", p.c_str());
    const ExportSettings& s = imported.settings;
    std::printf("map name: %s\n", quoted(field_text(s.map_name)).c_str());
    std::printf("coordinates: %s\n", imported.degrees ? "decimal degrees" : "output units");
    std::printf("map class: 0x%X  map id: %d  parent id: %d\n", unsigned(s.map_class), int(s.map_id),
                int(s.parent_map_id));
    std::printf("layers (number:zoom category:tree depth): %s\n", layer_list(s).c_str());
    if (s.region_level_count > 0)
        std::printf("region level: %s from layer %d\n", quoted(field_text(s.region_level_name)).c_str(),
                    int(s.region_source_layer));
    if (s.flags & kExportPublisherInfo)
        std::printf("publisher: %s contact %s date %02d-%02d-%04d\n",
                    quoted(imported.publisher_notice).c_str(), quoted(imported.contact).c_str(),
                    imported.date.day, imported.date.month, imported.date.year);
    if (s.has_map_preferences) std::printf("map preferences: yes\n");
    std::fputs(link_target_lines(imported).c_str(), stdout);
    std::printf("%d objects in %d layers\n", imported.objects, int(project.layer_count));
    reverse_lists(project);
    NullProgressSink quiet;
    if (!save_project(project, base, quiet)) return fail(kExitFailure, args[1] + ": cannot be saved");
    return kExitOk;
}

const CommandRegistration reg{
    {"new-from-pdb", "make a project from a map database", kUsage, run_new_from_pdb}};

}  // namespace

}  // namespace plotwell::tool
