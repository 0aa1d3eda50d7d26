#include "model/records.h"

#include <utility>

#include "model/object_storage.h"

namespace plotwell {

Project::~Project() {
    release_project_data(*this);
}

void swap_projects(Project& a, Project& b) {
    std::swap(a.file_base_name, b.file_base_name);
    std::swap(a.modified, b.modified);
    std::swap(a.name, b.name);
    std::swap(a.parent_map_basename, b.parent_map_basename);
    std::swap(a.projection, b.projection);
    std::swap(a.coord_sys, b.coord_sys);
    std::swap(a.range, b.range);
    std::swap(a.geo, b.geo);
    std::swap(a.layer_count, b.layer_count);
    std::swap(a.layers, b.layers);
    std::swap(a.bitmaps, b.bitmaps);
}

void release_project_data(Project& project) {
    for (Layer& layer : project.layers) free_layer_objects(layer);
    for (BackgroundBitmap& bitmap : project.bitmaps.entries) bitmap.image.reset();
    project.layer_count = 0;
    project.bitmaps.count = 0;
}

}  // namespace plotwell
