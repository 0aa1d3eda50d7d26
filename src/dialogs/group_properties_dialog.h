// "Group Object Properties": one type for every current line, or every current polygon.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/host.h"

namespace plotwell {

class GroupPropertiesModel : public DialogModel {
  public:
    static constexpr const char* kTitle = "Group Object Properties";
    static constexpr const char* kLabels[2] = {"Dim:", "Obj Type:"};

    // `type` comes in as the first current object's type and receives the choice on OK.
    GroupPropertiesModel(uint8_t dimension, uint8_t& type);
    std::string_view dialog_title() const override { return kTitle; }

    std::string dimension_text;      // "LINE" or "POLYGON"
    std::vector<std::string> types;  // "Obj Type:"
    int type_selection = -1;

    bool ok();

  private:
    uint8_t& type_;
};

}  // namespace plotwell
