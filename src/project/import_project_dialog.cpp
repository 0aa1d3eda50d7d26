#include "project/import_project_dialog.h"

#include "project/project_file.h"

namespace plotwell {

void clear_import_settings(ImportSettings& settings, const std::string& source_path) {
    settings.source_path = source_path;
    settings.mapping.clear();
}

void ImportProjectDialog::open() {
    for (Layer& layer : source_layers_) layer = Layer{};
    source_layer_count_ = read_project_layers(settings_.source_path, source_layers_);
    destinations_ = destination_names(project_);
    plotwell::match_themes(source_layers_, source_layer_count_, project_, settings_.mapping);
    settings_.mapping.edited_line = -1;
    selected = -1;
    refill();
}

bool ImportProjectDialog::edit() {
    if (selected < 0 || selected >= source_layer_count_) return false;
    settings_.mapping.edited_line = selected;
    return true;
}

void ImportProjectDialog::translation_chosen(int destination) {
    const int line = settings_.mapping.edited_line;
    if (line < 0 || line >= source_layer_count_) return;
    settings_.mapping.destination[line] = destination;
    refill();
}

void ImportProjectDialog::match_themes() {
    plotwell::match_themes(source_layers_, source_layer_count_, project_, settings_.mapping);
    refill();
}

void ImportProjectDialog::deselect_all() {
    plotwell::deselect_all(settings_.mapping);
    refill();
}

void ImportProjectDialog::refill() {
    lines_.clear();
    for (int i = 0; i < source_layer_count_; ++i)
        lines_.push_back(
            translation_line(i, source_layers_[i], settings_.mapping.destination[i], destinations_));
}

DialogResult ImportProjectDialog::close(DialogResult result) {
    destinations_.clear();  // the destination choices live only while the dialog is open
    return result;
}

}  // namespace plotwell
