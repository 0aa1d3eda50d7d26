// The registry of dialog views: each view's file adds its own through an add_*_views function.
#include "qt/dialog_views.h"

#include "qt/frame_dialog_views.h"
#include "qt/map_preview_view.h"
#include "qt/qt_host.h"

namespace plotwell::qt {

DialogViews& standard_dialog_views() {
    static DialogViews views = []() {
        DialogViews v;
        v.add_view<PublisherDetailsModel, PublisherDetailsView>();
        v.add_view<AboutModel, AboutView>();
        v.add_view<DatabasePreviewModel, MapPreviewView>();
        add_import_views(v);
        add_layer_views(v);
        add_export_views(v);
        add_object_views(v);
        add_project_views(v);
        add_database_import_views(v);
        return v;
    }();
    return views;
}

}  // namespace plotwell::qt
