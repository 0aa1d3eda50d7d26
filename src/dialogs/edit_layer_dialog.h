// "Edit Layer": a layer's internal name, type and theme.
#pragma once

#include <string>

#include "model/records.h"
#include "platform/host.h"

namespace plotwell {

class EditLayerModel : public DialogModel {
  public:
    static constexpr const char* kTitle = "Edit Layer";
    static constexpr const char* kLabels[3] = {"Internal &Name:", "Type:", "Theme:"};

    explicit EditLayerModel(Layer& layer);
    std::string_view dialog_title() const override { return kTitle; }

    // The controls; the lists hold the layer type and theme names in index order.
    std::string name;
    int type = 0;
    int theme = 0;

    void load();
    bool ok();  // stores; an empty name is accepted

  private:
    Layer& layer_;
};

}  // namespace plotwell
