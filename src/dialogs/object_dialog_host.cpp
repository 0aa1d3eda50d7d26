#include "dialogs/object_dialog_host.h"

#include "dialogs/group_properties_dialog.h"
#include "dialogs/link_object_dialog.h"
#include "dialogs/object_details_dialog.h"
#include "dialogs/select_objects_dialog.h"
#include "dialogs/simple_point_dialog.h"
#include "editor/object_dialog_requests.h"

namespace plotwell {

int ObjectDialogHost::run_dialog(DialogModel& model) {
    if (auto* r = dynamic_cast<ObjectPropertiesRequest*>(&model)) {
        if (!r->object) return 0;
        MapObject& o = *r->object;
        // The editor chose the dialog by its title; a point whose type does not match the title gets
        // the plain details dialog rather than a model that would misread its record.
        const bool point = o.dimension == kDimPoint;
        if (point && o.type == kPntFeature && r->title == SimplePointModel::kTitle) {
            SimplePointModel m(o);
            return below_.run_dialog(m);
        }
        if (point && o.type == kLink && r->title == LinkObjectModel::kTitle) {
            LinkObjectModel m(o);
            return below_.run_dialog(m);
        }
        if (point && o.type == kCatPntFeature && r->title == CategoryPointModel::kTitle) {
            CategoryPointModel m(o, categories_);
            return below_.run_dialog(m);
        }
        ObjectDetailsModel m(o);
        return below_.run_dialog(m);
    }
    if (auto* r = dynamic_cast<NewObjectRequest*>(&model)) {
        if (!r->head) return 0;
        ObjectDetailsModel m(*r->head);
        return below_.run_dialog(m);
    }
    if (auto* r = dynamic_cast<GroupPropertiesRequest*>(&model)) {
        GroupPropertiesModel m(r->dimension, r->type);
        return below_.run_dialog(m);
    }
    if (auto* r = dynamic_cast<SelectObjectsRequest*>(&model)) {
        SelectObjectsModel m(r->dimension, r->type);
        return below_.run_dialog(m);
    }
    return below_.run_dialog(model);
}

}  // namespace plotwell
