// The "Import Trekpad Map" dialog without its toolkit: the chosen map database, its name, the layer
// translation from its layers to the open project's, and how coordinates are mapped.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "export/database_import.h"
#include "platform/host.h"
#include "project/layer_mapping.h"

namespace plotwell {

class ImportDatabaseDialog : public DialogModel {
  public:
    ImportDatabaseDialog(const Project& project, std::string path)
        : project_(project), path_(std::move(path)) {}
    std::string_view dialog_title() const override { return "Import Trekpad Map"; }

    // Reads the database (one that cannot be read gives no layers), builds the destination choices and
    // maps the layers by theme.
    void open();

    // "Filename:", "Map Name:", "Coord mapping:".
    const std::string& filename() const { return path_; }
    std::string map_name() const;
    const char* coord_mapping() const { return "By decimal degrees"; }
    const std::vector<std::string>& lines() const { return lines_; }
    const std::vector<std::string>& destination_choices() const { return destinations_; }
    int source_layer_count() const { return source_->layer_count; }
    const Layer& source_layer(int i) const { return source_->layers[i]; }
    const LayerMapping& mapping() const { return mapping_; }
    LayerMapping& mapping() { return mapping_; }
    // The database as a project, and what its import found.
    Project& source() { return *source_; }
    const DatabaseImport& imported() const { return imported_; }

    // The selected list line, -1 for none.
    int selected = -1;
    // "&Edit..." or a double click: true when a line is selected; it becomes the edited line.
    bool edit();
    // The "Layer Translation" dialog closed with OK: the edited line maps to `destination`.
    void translation_chosen(int destination);

  private:
    void refill();

    const Project& project_;
    std::string path_;
    std::unique_ptr<Project> source_ = std::make_unique<Project>();
    DatabaseImport imported_;
    LayerMapping mapping_;
    std::vector<std::string> destinations_;
    std::vector<std::string> lines_;
};

}  // namespace plotwell
