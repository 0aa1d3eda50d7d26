// "Point Details", "Line Details", "Polygon Details": an object's name and type. Also confirms a new
// object's template before it is made.
#pragma once

#include <string>
#include <vector>

#include "model/object_storage.h"
#include "model/records.h"
#include "platform/host.h"

namespace plotwell {

// The type names of a dimension as the type lists show them; any other dimension lists the polygons.
std::vector<std::string> type_list(uint8_t dimension);

class ObjectDetailsModel : public DialogModel {
  public:
    static constexpr const char* kLabels[2] = {"Name:", "Obj Type:"};

    explicit ObjectDetailsModel(MapObject& object);
    explicit ObjectDetailsModel(ObjectHead& new_object);
    std::string_view dialog_title() const override;

    // The controls.
    std::string name;
    std::vector<std::string> types;  // "Obj Type:"
    int type = -1;                   // its selection; -1 when the stored type is not in the list

    void load();
    bool ok();  // always closes

  private:
    MapObject* object_ = nullptr;
    ObjectHead* head_ = nullptr;
    uint8_t dimension_ = 0;
};

}  // namespace plotwell
