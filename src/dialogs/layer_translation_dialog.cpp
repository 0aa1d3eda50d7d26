#include "dialogs/layer_translation_dialog.h"

#include "model/layer_lines.h"

namespace plotwell {

LayerTranslationDialog open_layer_translation(const ImportProjectDialog& import) {
    LayerTranslationDialog dialog;
    dialog.choices = import.destination_choices();
    const int line = import.settings().mapping.edited_line;
    if (line < 0 || line >= import.source_layer_count()) return dialog;
    dialog.source_layer = layer_list_line(line, import.source_layer(line));
    const int entry = import.settings().mapping.destination[line] + 1;
    dialog.selected = entry >= 0 && entry < int(dialog.choices.size()) ? entry : 0;
    return dialog;
}

void store_layer_translation(const LayerTranslationDialog& dialog, ImportProjectDialog& import) {
    if (dialog.selected < 0 || dialog.selected >= int(dialog.choices.size())) return;
    import.translation_chosen(dialog.destination());
}

bool edit_translation_line(ImportProjectDialog& import, Host& host) {
    if (!import.edit()) return false;
    LayerTranslationDialog dialog = open_layer_translation(import);
    if (host.run_dialog(dialog) != 1) return false;
    store_layer_translation(dialog, import);
    return true;
}

}  // namespace plotwell
