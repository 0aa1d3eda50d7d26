// File > Import > "from ShapeFile..." against a scripted host: the file dialog, the refusals, the
// import dialog, the task with its Stop button and what the main window does afterwards.
#include "editor/shapefile_import_command.h"

#include <gtest/gtest.h>

#include "editor/command_ids.h"
#include "editor/commands.h"
#include "editor/export_command.h"
#include "export/database_check.h"
#include "export/export_dialog.h"
#include "model/bytes.h"
#include "model/text.h"
#include "model/vocabulary.h"
#include "shapefile/import_dialog.h"
#include "support/object_builders.h"
#include "support/scratch_dir.h"
#include "support/scripted_host.h"
#include "support/shapefile_samples.h"
#include "support/shapefile_writer.h"

using namespace plotwell;
using namespace plotwell::test;

namespace {

// Presses "Stop" when the task reports record 16.
class StoppingHost : public ScriptedHost {
  public:
    int run_with_progress(const ProgressTask& task, const ProgressOptions& options) override {
        ++progress_runs;
        struct Sink : RecordingSink {
            const ProgressOptions* options = nullptr;
            void set_progress_pos(int i) override {
                RecordingSink::set_progress_pos(i);
                if (i == 16 && options->stop) options->stop();
            }
        } sink;
        sink.options = &options;
        task(sink);
        last_sink = sink;
        return 1;
    }
};

template <class HostType>
struct ShapefileCommandBase : ::testing::Test {
    ShapefileCommandBase() {
        set_field(project.file_base_name, "sydney");
        set_field(project.name, "Sydney");
        project.coord_sys = kCoordDegrees;
        project.range = {0, 0, -1, -1};  // nothing yet: the import sets it
        add_layer(project, "Roads", kThemeRoads);
        add_layer(project, "Water", kThemeWater);
        editor.current_layer = 0;
        view.view_rect = {0, 0, 400, 300};
    }

    // Answers the import dialog by choosing NAME (and ROUTE as link field when asked) and pressing OK.
    void import_with(bool link = false) {
        host.answer_dialog("Import ShapeFile", [this, link](DialogModel& model) {
            auto& d = dynamic_cast<ImportShapefileDialog&>(model);
            d.name_page.selected_remaining = 0;  // NAME, sorted first
            d.name_page.add(host);
            if (link) {
                d.link_page.selected_remaining = 1;  // ROUTE
                d.link_page.add(host);
            }
            return d.ok(host) ? 1 : 0;
        });
    }

    ScratchDir dir;
    Workspace ws;
    Project& project = ws.project;
    EditorState& editor = ws.editor;
    ViewState& view = ws.view;
    HostType host;
    EditorContext ctx{ws, host};
};

using ShapefileCommand = ShapefileCommandBase<ScriptedHost>;
using ShapefileStop = ShapefileCommandBase<StoppingHost>;

}  // namespace

TEST_F(ShapefileCommand, ImportsThroughItsDialogAndEndsWithTheMainWindowSteps) {
    ASSERT_TRUE(write_shapefile(dir.file("streets"), sample_streets(3)));
    host.file_answers.push_back(dir.file("streets.shp"));
    host.answer_dialog("Import ShapeFile", [this](DialogModel& model) {
        auto& d = dynamic_cast<ImportShapefileDialog&>(model);
        EXPECT_EQ(d.filename(), dir.file("streets"));
        EXPECT_EQ(d.dimension_text(), "Line");
        EXPECT_EQ(d.type_names.size(), 12u);
        EXPECT_EQ(d.tab_labels().back(), "Linking");
        EXPECT_FALSE(d.filter_box);  // the project's range is empty
        EXPECT_EQ(d.name_page.remaining, (std::vector<std::string>{"NAME", "ROUTE"}));
        EXPECT_FALSE(d.ok(host));  // no name field yet
        d.name_page.selected_remaining = 0;
        d.name_page.add(host);
        d.dest_layer = 1;
        d.type_choice = 6;  // RIVER
        return d.ok(host) ? 1 : 0;
    });
    project.layers[1].display_flags = 0;  // drawn only while current

    EXPECT_EQ(handle_command(ctx, cmd::kImportShapefile), CommandResult::Done);
    ASSERT_EQ(host.file_dialogs.size(), 1u);
    const FileDialogOptions& asked = host.file_dialogs[0].options;
    EXPECT_FALSE(host.file_dialogs[0].save);
    EXPECT_EQ(asked.title, "Open");
    EXPECT_EQ(asked.filter_name, "Shape File");
    EXPECT_EQ(asked.filter_pattern, "*.shp");
    EXPECT_EQ(asked.default_extension, ".shp");
    EXPECT_TRUE(asked.flags & kFileMustExist);
    EXPECT_TRUE(asked.flags & kHideReadOnly);
    EXPECT_EQ(host.last_message(), "You need to select at least one name field");

    EXPECT_EQ(host.progress_runs, 1);
    EXPECT_EQ(host.last_sink.log, "Reading shapefile...\r\nShapefile successfully imported.\r\n");
    EXPECT_TRUE(host.last_sink.ok_shown);
    EXPECT_EQ(project.layers[0].object_count, 0);
    ASSERT_EQ(project.layers[1].object_count, 3);
    EXPECT_EQ(field_text(project.layers[1].objects->name), "Street 2");  // the last one imported first
    EXPECT_EQ(project.layers[1].objects->type, kRiver);
    EXPECT_EQ(project.range, (CoordRange{151000000, -33902000, 10000, 2000}));
    EXPECT_EQ(project.modified, 1);
    EXPECT_FALSE(host.titles.empty());
    EXPECT_EQ(host.titles.back().back(), '*');
    EXPECT_GT(host.redraws, 0);
    EXPECT_NE(view.origin_x, 0);  // fitted to the new range
    EXPECT_EQ(editor.current_layer, 1);  // the hidden destination is shown by making it current
}

TEST_F(ShapefileCommand, AnImportThatAddsNothingSaysSoAndLeavesTheProjectUnmarked) {
    ASSERT_TRUE(write_shapefile(dir.file("streets"), sample_streets(2)));
    host.file_answers.push_back(dir.file("streets.shp"));
    host.answer_dialog("Import ShapeFile", [this](DialogModel& model) {
        auto& d = dynamic_cast<ImportShapefileDialog&>(model);
        d.name_page.selected_remaining = 0;
        d.name_page.add(host);
        d.multiply_x = "2000000000";  // 151 degrees times this does not fit 32 bits
        return d.ok(host) ? 1 : 0;
    });
    EXPECT_EQ(handle_command(ctx, cmd::kImportShapefile), CommandResult::Done);
    EXPECT_TRUE(host.last_sink.log.ends_with(
        "0 objects imported from 2 records; 2 records not imported\r\nError: nothing was imported!\r\n"))
        << host.last_sink.log;
    EXPECT_EQ(project.modified, 0);
    EXPECT_TRUE(host.titles.empty());
    EXPECT_EQ(view.origin_x, 0);  // not fitted
}

TEST_F(ShapefileCommand, FilesThatCannotBeImportedAreRefusedBeforeTheDialog) {
    ShapefileBytes bytes = build_shapefile(sample_streets(2));
    ShapefileBytes no_dbf = bytes;
    no_dbf.dbf.clear();
    dir.write("nodbf.shp", bytes.shp);
    dir.write("nodbf.shx", bytes.shx);
    host.file_answers.push_back(dir.file("nodbf.shp"));
    EXPECT_EQ(handle_command(ctx, cmd::kImportShapefile), CommandResult::Done);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_NE(host.messages[0].text.find("nodbf.dbf"), std::string::npos) << host.messages[0].text;
    EXPECT_EQ(host.messages[0].caption, "Error");

    dir.write("noshx.shp", bytes.shp);
    dir.write("noshx.dbf", bytes.dbf);
    host.file_answers.push_back(dir.file("noshx.shp"));
    EXPECT_EQ(import_shapefile_file_command(ctx), Outcome::Cancelled);
    EXPECT_NE(host.last_message().find("noshx.shx"), std::string::npos) << host.last_message();

    ShapefileData multipoint = sample_streets(1);
    multipoint.shape_type = 8;
    ASSERT_TRUE(write_shapefile(dir.file("multi"), multipoint));
    host.file_answers.push_back(dir.file("multi.shp"));
    EXPECT_EQ(import_shapefile_file_command(ctx), Outcome::Cancelled);
    EXPECT_EQ(host.last_message(),
              "Unsupported shape type 8: only Point, PolyLine and Polygon shapefiles can be imported.");

    ASSERT_TRUE(write_shapefile(dir.file("streets"), sample_streets(1)));
    project.layer_count = 0;
    host.file_answers.push_back(dir.file("streets.shp"));
    EXPECT_EQ(import_shapefile_file_command(ctx), Outcome::Cancelled);
    EXPECT_EQ(host.last_message(), "You need to define your Layers first.");

    EXPECT_TRUE(host.dialogs.empty());
    EXPECT_EQ(host.progress_runs, 0);
    EXPECT_EQ(project.modified, 0);
}

TEST_F(ShapefileCommand, CancellingChangesNothing) {
    set_field(project.file_base_name, "");
    EXPECT_EQ(handle_command(ctx, cmd::kImportShapefile), CommandResult::Done);
    EXPECT_EQ(host.last_message(), "You need to open or create a project first.");
    EXPECT_TRUE(host.file_dialogs.empty());
    set_field(project.file_base_name, "sydney");

    host.file_answers.push_back(std::nullopt);
    EXPECT_EQ(handle_command(ctx, cmd::kImportShapefile), CommandResult::Done);
    ASSERT_TRUE(write_shapefile(dir.file("streets"), sample_streets(2)));
    host.file_answers.push_back(dir.file("streets.shp"));
    host.answer_dialog("Import ShapeFile", [](DialogModel&) { return 0; });
    EXPECT_EQ(handle_command(ctx, cmd::kImportShapefile), CommandResult::Done);
    EXPECT_EQ(host.progress_runs, 0);
    EXPECT_EQ(project.layers[0].object_count, 0);
    EXPECT_EQ(project.modified, 0);
    EXPECT_TRUE(host.titles.empty());
}

TEST_F(ShapefileStop, StopEndsTheReadingButStillLinksAndCleansUp) {
    ASSERT_TRUE(write_shapefile(dir.file("streets"), sample_streets(40)));
    host.file_answers.push_back(dir.file("streets.shp"));
    import_with(/*link=*/true);
    EXPECT_EQ(handle_command(ctx, cmd::kImportShapefile), CommandResult::Done);
    EXPECT_EQ(host.progress_runs, 1);
    // Records 1..16 were read; every street is its own segment, so linking joins nothing.
    EXPECT_EQ(host.last_sink.log, "Reading shapefile...\r\nLinking line segments...\r\n");
    EXPECT_FALSE(host.last_sink.ok_shown);
    EXPECT_EQ(project.layers[0].object_count, 16);
    EXPECT_EQ(project.modified, 1);
    EXPECT_GT(host.redraws, 0);
    EXPECT_NE(view.origin_x, 0);
}

TEST_F(ShapefileCommand, AnImportedShapefileExportsToADatabaseThatPassesTheInspector) {
    ASSERT_TRUE(write_shapefile(dir.file("streets"), sample_streets(20)));
    host.file_answers.push_back(dir.file("streets.shp"));
    import_with();
    ASSERT_EQ(handle_command(ctx, cmd::kImportShapefile), CommandResult::Done);
    ASSERT_EQ(project.layers[0].object_count, 20);

    reset_export_settings(ws.export_settings, project, "", "");
    ws.start_dir = dir.path().string();
    host.file_answers.push_back(dir.file("sydney.pdb"));
    host.answer_dialog("Export - Trekpad Plus/Max", [this](DialogModel& model) {
        auto& d = dynamic_cast<ExportDialog&>(model);
        d.layers.selected_visible = 1;  // the empty Water layer stays home
        d.remove_layer();
        return d.export_pressed(host) ? 1 : 0;
    });
    ASSERT_EQ(handle_command(ctx, cmd::kExport), CommandResult::Done);
    EXPECT_TRUE(host.last_sink.log.ends_with("PDB file successfully created!\r\n")) << host.last_sink.log;

    std::vector<uint8_t> file;
    ASSERT_TRUE(read_whole_file(dir.file("sydney.pdb"), file));
    const InspectReport report = inspect_database(file);
    EXPECT_TRUE(report.ok()) << format_inspect_report(report, false);
    EXPECT_EQ(report.map_name, "Sydney");
    ASSERT_EQ(report.layers.size(), 1u);
    EXPECT_EQ(report.definitions.size(), 20u);
    EXPECT_EQ(report.index_names.size(), 20u);
}
