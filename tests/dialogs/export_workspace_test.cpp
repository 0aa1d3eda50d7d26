// The export command on the workspace: it edits the workspace's settings, reads "map-id.txt" from the
// start folder and the publisher details as they are when the command runs.

#include <gtest/gtest.h>

#include "editor/command_ids.h"
#include "editor/commands.h"
#include "export/database_check.h"
#include "export/export_dialog.h"
#include "model/bytes.h"
#include "model/text.h"
#include "support/object_builders.h"
#include "support/scratch_dir.h"
#include "support/scripted_host.h"

using namespace plotwell;
using namespace plotwell::test;

TEST(ExportWorkspace, EditsTheSettingsAndReadsTheStartFolder) {
    ScratchDir dir;
    dir.write("map-id.txt", {'t', 'o', 'w', 'n', '\t', '7', '\r', '\n'});

    Workspace ws;
    ws.start_dir = dir.path().string();
    set_field(ws.project.file_base_name, "TOWN");
    set_field(ws.project.name, "Town");
    ws.project.range = {0, 0, 5000, 5000};
    add_line(add_layer(ws.project, "Roads"), "Main St", {{100, 100}, {4000, 4200}});
    reset_export_settings(ws.export_settings, ws.project, "", "");
    // Changed after start-up: the export must see it.
    set_field(ws.publisher.publisher_notice, "(c) Town Council");
    ScriptedHost host;
    host.file_answers.push_back(dir.file("town.pdb"));
    host.answer_dialog("Export - Trekpad Plus/Max", [&](DialogModel& model) {
        auto& d = dynamic_cast<ExportDialog&>(model);
        EXPECT_EQ(d.id.map_id, "7");
        d.misc.publisher_info = true;
        return d.export_pressed(host) ? 1 : 0;
    });
    EditorContext ctx{ws, host};
    ASSERT_EQ(handle_command(ctx, cmd::kExport), CommandResult::Done);
    EXPECT_EQ(ws.map_ids.count, 1);
    EXPECT_EQ(ws.export_settings.flags, kExportPublisherInfo);

    std::vector<uint8_t> file;
    ASSERT_TRUE(read_whole_file(dir.file("town.pdb"), file));
    const InspectReport report = inspect_database(file);
    EXPECT_TRUE(report.ok()) << format_inspect_report(report, false);
    EXPECT_EQ(report.map_id, 7);
    EXPECT_EQ(report.publisher_notice, "(c) Town Council");
}
