// The single-object dialogs join the program's registry of dialog views.
#include "qt/dialog_views.h"
#include "qt/object_details_view.h"
#include "qt/point_dialog_views.h"
#include "qt/qt_host.h"

namespace plotwell::qt {

void add_object_views(DialogViews& views) {
    views.add_view<SimplePointModel, SimplePointView>();
    views.add_view<CategoryPointModel, CategoryPointView>();
    views.add_view<LinkObjectModel, LinkObjectView>();
    views.add_view<ObjectDetailsModel, ObjectDetailsView>();
}

}  // namespace plotwell::qt
