// File > Export > "to Trekpad Plus/Max..." against a scripted host: the file dialog, the export dialog,
// the task, and the database it leaves behind.
#include "editor/export_command.h"

#include <gtest/gtest.h>

#include "editor/command_ids.h"
#include "editor/commands.h"
#include "export/database_check.h"
#include "export/export_dialog.h"
#include "model/bytes.h"
#include "model/text.h"
#include "model/vocabulary.h"
#include "support/export_samples.h"
#include "support/scratch_dir.h"
#include "support/scripted_host.h"

using namespace plotwell;
using namespace plotwell::test;

namespace {

struct ExportCommand : ::testing::Test {
    ExportCommand() {
        fill_harbour_project(project);
        reset_export_settings(settings, project, "", "");
        dir.write("map-id.txt", kHarbourMapIds);
        ws.start_dir = dir.path().string();
        set_field(ws.publisher.publisher_notice, "(c) Harbour Maps");
    }

    // Answers the export dialog with "Export" after `edit`.
    void export_with(std::function<void(ExportDialog&)> edit = {}) {
        host.answer_dialog("Export - Trekpad Plus/Max", [this, edit](DialogModel& model) {
            auto& dialog = dynamic_cast<ExportDialog&>(model);
            if (edit) edit(dialog);
            return dialog.export_pressed(host) ? 1 : 0;
        });
    }

    ScratchDir dir;
    Workspace ws;
    Project& project = ws.project;
    EditorState& editor = ws.editor;
    ExportSettings& settings = ws.export_settings;
    MapIdTable& map_ids = ws.map_ids;
    ScriptedHost host;
    EditorContext ctx{ws, host};
};

}  // namespace

TEST_F(ExportCommand, WritesADatabaseThatPassesTheInspector) {
    const std::string out = dir.file("harbour.pdb");
    host.file_answers.push_back(out);
    export_with([&](ExportDialog& d) {
        EXPECT_EQ(d.id.map_name, "Harbour");
        EXPECT_EQ(d.id.map_id, "42");
        d.layers.selected_visible = 0;  // Water before Roads
        d.remove_layer();
        d.layers.selected_ignored = 0;
        d.add_layer(host);
        d.id.map_name = "Harbour Map";
        EXPECT_FALSE(d.misc.publisher_info);  // there was nothing to publish at the reset
        d.misc.publisher_info = true;
    });

    EXPECT_EQ(handle_command(ctx, cmd::kExport), CommandResult::Done);
    ASSERT_EQ(host.file_dialogs.size(), 1u);
    EXPECT_TRUE(host.file_dialogs[0].save);
    const FileDialogOptions& asked = host.file_dialogs[0].options;
    EXPECT_EQ(asked.title, "Save As");
    EXPECT_EQ(asked.filter_name, "PDB File");
    EXPECT_EQ(asked.filter_pattern, "*.pdb");
    EXPECT_EQ(asked.default_extension, ".pdb");
    EXPECT_EQ(asked.initial_name, "harbour.pdb");
    EXPECT_TRUE(asked.flags & kOverwritePrompt);
    EXPECT_EQ(host.dialogs, (std::vector<std::string>{"Export - Trekpad Plus/Max"}));
    EXPECT_EQ(host.progress_runs, 1);
    EXPECT_NE(host.last_sink.log.find("PDB file successfully created!\r\n"), std::string::npos)
        << host.last_sink.log;
    EXPECT_TRUE(host.last_sink.ok_shown);
    EXPECT_EQ(field_text(settings.output_path), out);

    std::vector<uint8_t> file;
    ASSERT_TRUE(read_whole_file(out, file));
    const InspectReport report = inspect_database(file);
    EXPECT_TRUE(report.ok()) << format_inspect_report(report, false);
    EXPECT_EQ(report.map_name, "Harbour Map");
    EXPECT_EQ(report.map_id, 42);
    EXPECT_TRUE(report.has_publisher);
    EXPECT_EQ(report.publisher_notice, "(c) Harbour Maps");
    ASSERT_EQ(report.layers.size(), 2u);
    EXPECT_EQ(report.layers[0].number, 1);  // the Water layer went first
    // The export leaves its bounds as the selection rectangle.
    EXPECT_TRUE(selection_exists(editor.selection_rect));
    EXPECT_GT(host.redraws, 0);
}

TEST_F(ExportCommand, TheSelectionBitNeverReachesTheExport) {
    editor.selection_rect = {151050000, -33990000, 151060000, -33980000};
    host.file_answers.push_back(dir.file("part.pdb"));
    int32_t flags_when_shown = -1;
    export_with([&](ExportDialog& d) {
        flags_when_shown = settings.flags;
        EXPECT_TRUE(d.misc.selection_only);
    });
    EXPECT_EQ(export_map_command(ctx), Outcome::Ok);
    EXPECT_EQ(flags_when_shown & kExportSelectionOnly, kExportSelectionOnly);
    EXPECT_EQ(settings.flags & kExportSelectionOnly, 0);
    // The whole range went out and replaced the user's rectangle.
    EXPECT_EQ(editor.selection_rect.x1, 151000000);
    EXPECT_EQ(editor.selection_rect.x2, 151200000);
}

TEST_F(ExportCommand, NothingRunsUnlessExportPassedItsChecks) {
    host.file_answers.push_back(std::nullopt);
    EXPECT_EQ(export_map_command(ctx), Outcome::Cancelled);
    EXPECT_TRUE(host.dialogs.empty());

    host.file_answers.push_back(dir.file("a.pdb"));
    host.answer_dialog("Export - Trekpad Plus/Max", [](DialogModel&) { return 0; });
    EXPECT_EQ(export_map_command(ctx), Outcome::Cancelled);

    // A view that closes with 1 although the checks failed does not start the task.
    host.file_answers.push_back(dir.file("a.pdb"));
    host.answer_dialog("Export - Trekpad Plus/Max", [this](DialogModel& model) {
        auto& d = dynamic_cast<ExportDialog&>(model);
        d.id.map_name.clear();
        EXPECT_FALSE(d.export_pressed(host));
        return 1;
    });
    EXPECT_EQ(export_map_command(ctx), Outcome::Cancelled);
    EXPECT_EQ(host.last_message(), "You need to provide a map name.");
    EXPECT_EQ(host.progress_runs, 0);
    EXPECT_FALSE(std::filesystem::exists(dir.file("a.pdb")));

    host.file_answers.push_back(std::string(200, 'p') + ".pdb");
    EXPECT_EQ(export_map_command(ctx), Outcome::Cancelled);
    EXPECT_EQ(host.last_message(), "The file name is too long.");
    EXPECT_EQ(host.dialogs.size(), 2u);
}

TEST_F(ExportCommand, WithoutAProjectTheCommandDoesNothing) {
    set_field(project.file_base_name, "");
    EXPECT_EQ(handle_command(ctx, cmd::kExport), CommandResult::Done);
    EXPECT_TRUE(host.file_dialogs.empty());
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(ExportCommand, AFailedExportStillShowsItsLog) {
    host.file_answers.push_back(dir.file("no-such-dir/x.pdb"));
    export_with();
    EXPECT_EQ(export_map_command(ctx), Outcome::Ok);
    EXPECT_TRUE(host.last_sink.log.ends_with("Fatal: Unable to open output file!\r\n")) << host.last_sink.log;
    EXPECT_TRUE(host.last_sink.ok_shown);
}
