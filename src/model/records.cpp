#include "model/records.h"

#include "model/object_storage.h"

namespace plotwell {

Project::~Project() { release_project_data(*this); }

void release_project_data(Project& project) {
    for (Layer& layer : project.layers) free_layer_objects(layer);
    for (BackgroundBitmap& bitmap : project.bitmaps.entries) bitmap.image.reset();
    project.layer_count = 0;
    project.bitmaps.count = 0;
}

}  // namespace plotwell
