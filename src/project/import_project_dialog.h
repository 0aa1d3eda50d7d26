// The "Import Plotwell Project" dialog without its toolkit: the chosen file, the source layers read from
// it and the layer translation list with its buttons.
#pragma once

#include <string>
#include <vector>

#include "model/records.h"
#include "platform/host.h"
#include "project/layer_mapping.h"

namespace plotwell {

struct ImportSettings {
    std::string source_path;  // the chosen project file, with ".mpr"
    LayerMapping mapping;
};

// Cleared settings for a newly chosen file: every source layer maps to none.
void clear_import_settings(ImportSettings& settings, const std::string& source_path);

enum class DialogResult { kOk, kCancel };

class ImportProjectDialog : public DialogModel {
  public:
    ImportProjectDialog(const Project& project, ImportSettings& settings)
        : project_(project), settings_(settings) {}
    std::string_view dialog_title() const override { return "Import Plotwell Project"; }

    // Reads the source layers (a file that cannot be read gives none), builds the destination choices,
    // sets the mapping by theme and fills the list.
    void open();

    // "Filename:".
    const std::string& filename() const { return settings_.source_path; }
    // "Coord mapping:".
    const char* coord_mapping() const { return "none"; }
    const std::vector<std::string>& lines() const { return lines_; }
    const std::vector<std::string>& destination_choices() const { return destinations_; }
    int source_layer_count() const { return source_layer_count_; }
    const Layer& source_layer(int i) const { return source_layers_[i]; }
    const ImportSettings& settings() const { return settings_; }

    // The selected list line, -1 for none.
    int selected = -1;

    // "&Edit..." or a double click: remembers the selected line as the one being edited. Returns true
    // when the "Layer Translation" dialog is to be opened for it (false without a selection); the
    // dialogs layer does that (edit_translation_line).
    bool edit();
    // The "Layer Translation" dialog closed with OK: the edited line now maps to `destination`.
    void translation_chosen(int destination);
    // "&Match themes" and "Deselect &All".
    void match_themes();
    void deselect_all();

    DialogResult ok() { return close(DialogResult::kOk); }
    DialogResult cancel() { return close(DialogResult::kCancel); }

  private:
    void refill();
    DialogResult close(DialogResult result);

    const Project& project_;
    ImportSettings& settings_;
    Layer source_layers_[kMaxLayers];
    int source_layer_count_ = 0;
    std::vector<std::string> destinations_;
    std::vector<std::string> lines_;
};

}  // namespace plotwell
