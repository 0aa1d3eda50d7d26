#include "export/import_database_dialog.h"

#include "model/text.h"

namespace plotwell {

void ImportDatabaseDialog::open() {
    (void)read_database_project(path_, *source_, imported_);  // an unreadable file shows no layers
    destinations_ = destination_names(project_);
    match_themes(source_->layers, source_->layer_count, project_, mapping_);
    mapping_.edited_line = -1;
    selected = -1;
    refill();
}

std::string ImportDatabaseDialog::map_name() const {
    return std::string(field_text(imported_.settings.map_name));
}

bool ImportDatabaseDialog::edit() {
    if (selected < 0 || selected >= source_->layer_count) return false;
    mapping_.edited_line = selected;
    return true;
}

void ImportDatabaseDialog::translation_chosen(int destination) {
    const int line = mapping_.edited_line;
    if (line < 0 || line >= source_->layer_count) return;
    mapping_.destination[line] = destination;
    refill();
}

void ImportDatabaseDialog::refill() {
    lines_.clear();
    for (int i = 0; i < source_->layer_count; ++i)
        lines_.push_back(translation_line(i, source_->layers[i], mapping_.destination[i], destinations_));
}

}  // namespace plotwell
