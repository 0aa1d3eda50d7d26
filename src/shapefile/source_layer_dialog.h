// "Choose Layer": which layer of a source of several layers is imported.
#pragma once

#include <string>
#include <vector>

#include "platform/host.h"

namespace plotwell {

class SourceLayerModel : public DialogModel {
  public:
    static constexpr const char* kTitle = "Choose Layer";
    static constexpr const char* kLabel = "&Layer:";

    explicit SourceLayerModel(std::vector<std::string> layers) : layers(std::move(layers)) {}
    std::string_view dialog_title() const override { return kTitle; }

    std::vector<std::string> layers;
    int chosen = 0;
};

}  // namespace plotwell
