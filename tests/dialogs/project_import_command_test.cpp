// File > Import > "from Plotwell project..." against a scripted host: file dialog, import dialog with
// its Layer Translation, the task and what the main window does afterwards.
#include "editor/project_import_command.h"

#include <gtest/gtest.h>

#include "dialogs/layer_translation_dialog.h"
#include "editor/command_ids.h"
#include "editor/commands.h"
#include "model/text.h"
#include "project/project_file.h"
#include "support/object_builders.h"
#include "support/project_file_builders.h"
#include "support/scratch_dir.h"
#include "support/scripted_host.h"

using namespace plotwell;
using namespace plotwell::test;

namespace {

struct ImportCommand : ::testing::Test {
    ImportCommand() {
        set_field(project.file_base_name, "city");
        project.coord_sys = kCoordDegrees;
        project.range = {0, 0, 10, 10};
        add_layer(project, "Streets", kThemeRoads);
        add_layer(project, "Lakes", kThemeWater);
        Project source;
        fill_sample_project(source);  // Roads [ROADS] 2, Water [WATER] 2, Places [PLACES] 3 objects
        NullProgressSink quiet;
        EXPECT_TRUE(save_project(source, dir.file("source"), quiet));
    }

    ScratchDir dir;
    Workspace ws;
    Project& project = ws.project;
    EditorState& editor = ws.editor;
    ViewState& view = ws.view;
    ScriptedHost host;
    EditorContext ctx{ws, host};
};

}  // namespace

TEST_F(ImportCommand, MapsThroughTheDialogsRunsTheTaskAndMarksTheProject) {
    host.file_answers.push_back(dir.file("source.mpr"));
    host.answer_dialog("Import Plotwell Project", [&](DialogModel& model) {
        auto& dialog = dynamic_cast<ImportProjectDialog&>(model);
        EXPECT_EQ(dialog.lines(),
                  (std::vector<std::string>{"0: Roads [ROADS]            0: Streets [ROADS]",
                                            "1: Water [WATER]            1: Lakes [WATER]",
                                            "2: Places [PLACES]          0: Streets [ROADS]"}));
        dialog.selected = 2;
        EXPECT_TRUE(edit_translation_line(dialog, host));
        EXPECT_EQ(dialog.lines()[2], "2: Places [PLACES]          None");
        dialog.ok();
        return 1;
    });
    host.answer_dialog("Layer Translation", [](DialogModel& model) {
        auto& translation = dynamic_cast<LayerTranslationDialog&>(model);
        EXPECT_EQ(translation.source_layer, "2: Places [PLACES]");
        EXPECT_EQ(translation.selected, 1);
        translation.selected = 0;
        return 1;
    });

    EXPECT_EQ(handle_command(ctx, cmd::kImportProject), CommandResult::Done);
    ASSERT_EQ(host.file_dialogs.size(), 1u);
    const FileDialogOptions& asked = host.file_dialogs[0].options;
    EXPECT_EQ(asked.title, "Open");
    EXPECT_EQ(asked.filter_pattern, "*.mpr");
    EXPECT_TRUE(asked.flags & kFileMustExist);
    EXPECT_FALSE(asked.flags & kHideReadOnly);
    EXPECT_EQ(host.dialogs, (std::vector<std::string>{"Import Plotwell Project", "Layer Translation"}));
    EXPECT_EQ(host.progress_runs, 1);
    EXPECT_EQ(host.last_sink.log, "  Project successfully imported.\n");
    EXPECT_TRUE(host.last_sink.ok_shown);
    EXPECT_EQ(project.layers[0].object_count, 2);
    EXPECT_EQ(project.layers[1].object_count, 2);
    EXPECT_EQ(project.range, (CoordRange{-1000, -2000, 30000, 40000}));
    EXPECT_EQ(project.modified, 1);
    EXPECT_FALSE(host.titles.empty());
    EXPECT_GT(host.redraws, 0);
}

TEST_F(ImportCommand, ARefusedImportLeavesTheProjectUnmarked) {
    project.coord_sys = kCoordArbitrary;
    host.file_answers.push_back(dir.file("source.mpr"));
    host.answer_dialog("Import Plotwell Project", [](DialogModel&) { return 1; });
    EXPECT_EQ(import_project_file_command(ctx), Outcome::Failed);
    EXPECT_EQ(host.last_sink.log, "Error: project files have incompatible coordinate systems!\n");
    EXPECT_TRUE(host.last_sink.ok_shown);
    EXPECT_EQ(project.layers[0].object_count, 0);
    EXPECT_EQ(project.modified, 0);
    EXPECT_EQ(project.range, (CoordRange{0, 0, 10, 10}));
}

TEST_F(ImportCommand, CancellingEitherDialogImportsNothing) {
    host.file_answers.push_back(std::nullopt);
    EXPECT_EQ(import_project_file_command(ctx), Outcome::Cancelled);
    EXPECT_TRUE(host.dialogs.empty());

    host.file_answers.push_back(dir.file("source.mpr"));
    host.answer_dialog("Import Plotwell Project", [](DialogModel&) { return 0; });
    EXPECT_EQ(import_project_file_command(ctx), Outcome::Cancelled);
    EXPECT_EQ(host.progress_runs, 0);
    EXPECT_EQ(project.layers[0].object_count, 0);
    EXPECT_EQ(project.modified, 0);
}
