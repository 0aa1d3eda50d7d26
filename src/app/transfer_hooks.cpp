#include "app/transfer_hooks.h"

#include "dialogs/export_command.h"
#include "dialogs/project_import_command.h"
#include "dialogs/shapefile_import_command.h"
#include "model/text.h"

namespace plotwell {

void install_transfer_hooks(CommandHooks& hooks, Workspace& workspace) {
    hooks.export_map = [&workspace](EditorContext& ctx) {
        ExportCommandInputs inputs{workspace.export_settings, workspace.map_ids, kMapIdFileName,
                                   std::string(field_text(workspace.publisher.publisher_notice)),
                                   std::string(field_text(workspace.publisher.contact))};
        return export_map_command(ctx, inputs);
    };
    hooks.import_shapefile = import_shapefile_file_command;
    hooks.import_project = import_project_file_command;
}

}  // namespace plotwell
