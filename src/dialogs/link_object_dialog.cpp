#include "dialogs/link_object_dialog.h"

#include "model/text.h"

namespace plotwell {

LinkObjectModel::LinkObjectModel(MapObject& link) : link_(link) {
    load();
}

void LinkObjectModel::load() {
    target = field_text(link_.name);
}

bool LinkObjectModel::ok() {
    set_field(link_.name, target);
    return true;
}

}  // namespace plotwell
