// "Select Objects": a dimension and a type to select all objects of the current layer by. The type
// list starts with an entry for any type of the dimension.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/host.h"

namespace plotwell {

class SelectObjectsModel : public DialogModel {
  public:
    static constexpr const char* kTitle = "Select Objects";
    static constexpr const char* kLabels[2] = {"All objects of &Dim:", "&Type:"};
    static constexpr const char* kAnyType = "<any type>";

    // On OK `dimension` gets 0..2 and `type` the type index, negative for any type.
    SelectObjectsModel(uint8_t& dimension, int& type);
    std::string_view dialog_title() const override { return kTitle; }

    std::vector<std::string> dimensions;  // "POINT", "LINE", "POLYGON"
    int dimension_selection = 0;
    std::vector<std::string> types;  // kAnyType, then the types of the chosen dimension
    int type_selection = 0;

    void select_dimension(int index);
    void select_type(int index);
    bool ok();

  private:
    uint8_t& dimension_;
    int& type_;
};

}  // namespace plotwell
