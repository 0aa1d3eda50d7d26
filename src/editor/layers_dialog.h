// "Layers": the project's layer table with new, delete, edit and the moves. The dialog has no Cancel;
// "Done" reports whether anything changed.
#pragma once

#include <string>
#include <vector>

#include "editor/editor_context.h"
#include "model/layer_lines.h"
#include "platform/host.h"

namespace plotwell {

class LayersModel : public DialogModel {
  public:
    static constexpr const char* kTitle = "Layers";
    static constexpr const char* kButtons[6] = {"&New...",  "&Delete...", "&Edit...",
                                                "Move &Up", "Move Do&wn", "Done"};
    static constexpr const char* kDeleteQuestion =
        "Are you sure you want to delete this layer? You will lose all objects contained in this layer!";

    explicit LayersModel(EditorContext& ctx);
    std::string_view dialog_title() const override { return kTitle; }

    std::vector<std::string> lines;
    int selected = -1;
    bool changed = false;
    // Where each layer of the table stood when the dialog opened; -1 for a new layer.
    std::vector<int> origin;

    void new_layer();
    void delete_layer();
    void edit_layer();  // also a double click on a line
    void move_up();
    void move_down();
    // "Done": makes layer 0 current when none is; the dialog then closes with `changed`.
    void done();

  private:
    void refill();
    void layers_reordered();

    EditorContext& ctx_;
};

// Runs the dialog; true when it changed the layer table. The export's choices then follow the layers.
bool run_layers_dialog(EditorContext& ctx);

}  // namespace plotwell
