#include "project/layer_mapping.h"

#include <algorithm>

#include "model/layer_lines.h"
#include "model/vocabulary.h"

namespace plotwell {

std::vector<std::string> destination_names(const Project& project) {
    std::vector<std::string> names{"None"};
    for (int i = 0; i < project.layer_count; ++i) names.push_back(layer_list_line(i, project.layers[i]));
    return names;
}

void match_themes(const Layer* source_layers, int source_count, const Project& project,
                  LayerMapping& mapping) {
    const int n = std::clamp(source_count, 0, kMaxMappedLayers);
    for (int i = 0; i < n; ++i) {
        const Layer& source = source_layers[i];
        if (project.layer_count <= 0)
            mapping.destination[i] = kNoLayer;
        else if (source.type == kEraseBkg)
            mapping.destination[i] = 0;
        else
            mapping.destination[i] = layer_for_theme(project, source.theme);
    }
}

void deselect_all(LayerMapping& mapping) {
    for (int& d : mapping.destination) d = kNoLayer;
}

std::string translation_line(int index, const Layer& source_layer, int destination,
                             const std::vector<std::string>& names) {
    std::string line = layer_list_line(index, source_layer);
    if (line.size() < 28) line.resize(28, ' ');
    const long entry = long(destination) + 1;
    line += entry >= 0 && entry < long(names.size()) ? names[size_t(entry)] : "?";
    return line;
}

}  // namespace plotwell
