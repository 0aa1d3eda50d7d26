// The "Layer Translation" dialog without its toolkit: one source layer and the choice of its
// destination, opened from the translation list of the project import.
#pragma once

#include <string>
#include <vector>

#include "platform/host.h"
#include "project/import_project_dialog.h"

namespace plotwell {

struct LayerTranslationDialog : DialogModel {
    std::string_view dialog_title() const override { return "Layer Translation"; }

    std::string source_layer;          // "Source Layer:" as "%d: %s [%s]"
    std::vector<std::string> choices;  // "&Dest Layer:": "None", then the project's layers
    int selected = 0;                  // index into choices

    // The destination currently chosen: selected entry - 1, so "None" is -1.
    int destination() const { return selected - 1; }
};

// Opens the dialog for the import dialog's edited line, with the entry of its mapping selected.
LayerTranslationDialog open_layer_translation(const ImportProjectDialog& import);

// OK: the edited line takes the chosen destination and the import dialog's list is refilled.
// Cancel needs no call: nothing changes.
void store_layer_translation(const LayerTranslationDialog& dialog, ImportProjectDialog& import);

// "&Edit..." or a double click in the import dialog's list: with a selected line, runs "Layer
// Translation" for it and stores the choice on OK. True when the mapping was stored.
bool edit_translation_line(ImportProjectDialog& import, Host& host);

}  // namespace plotwell
