// The registry of dialog views: each view's file adds its own through an add_*_views function.
#include "qt/dialog_views.h"

#include "qt/frame_dialog_views.h"
#include "qt/qt_host.h"

namespace plotwell::qt {

DialogViews& standard_dialog_views() {
    static DialogViews views = []() {
        DialogViews v;
        v.add<PublisherDetailsModel>(show_publisher_details);
        v.add<AboutModel>(show_about);
        add_import_views(v);
        add_layer_views(v);
        add_export_views(v);
        add_object_views(v);
        add_project_views(v);
        return v;
    }();
    return views;
}

}  // namespace plotwell::qt
