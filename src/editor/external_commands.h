// Commands whose dialogs and engines live above the editor; each calls its CommandHooks slot and
// reports NotAvailable when the application has not provided it.
#pragma once

#include "editor/editor_context.h"

namespace plotwell {

Outcome project_properties_command(EditorContext& ctx);
Outcome geo_info_command(EditorContext& ctx);
Outcome publisher_settings_command(EditorContext& ctx);
Outcome export_command(EditorContext& ctx);
Outcome import_shapefile_command(EditorContext& ctx);
Outcome import_project_command(EditorContext& ctx);
Outcome about_command(EditorContext& ctx);
Outcome edit_layers_command(EditorContext& ctx);
Outcome background_bitmaps_command(EditorContext& ctx);

}  // namespace plotwell
