// The single-object dialogs join the program's registry of dialog views.
#include "qt/dialog_views.h"
#include "qt/object_details_view.h"
#include "qt/point_dialog_views.h"
#include "qt/qt_host.h"

namespace plotwell::qt {

void add_object_views(DialogViews& views) {
    views.add<SimplePointModel>(show_simple_point);
    views.add<CategoryPointModel>(show_category_point);
    views.add<LinkObjectModel>(show_link_object);
    views.add<ObjectDetailsModel>(show_object_details);
}

}  // namespace plotwell::qt
