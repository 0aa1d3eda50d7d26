// One working session of the editor assembled as the desktop program assembles it: a workspace
// holding the state and the host in front of it. New, layers, a shapefile import, drawing, Save, Close, Open
// and the export, each answered the way a user answers it, ending in a database the checker accepts.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "dialogs/edit_layer_dialog.h"
#include "dialogs/object_details_dialog.h"
#include "editor/command_ids.h"
#include "editor/commands.h"
#include "editor/input_dispatch.h"
#include "editor/layers_dialog.h"
#include "editor/workspace.h"
#include "export/database_check.h"
#include "export/export_dialog.h"
#include "model/bytes.h"
#include "model/text.h"
#include "model/vocabulary.h"
#include "project/new_project_dialog.h"
#include "shapefile/import_dialog.h"
#include "support/scratch_dir.h"
#include "support/scripted_host.h"
#include "support/shapefile_writer.h"

namespace plotwell {
namespace {

using test::ScriptedHost;

// The project commands work in the current directory; the session runs in its scratch directory.
class InDirectory {
  public:
    explicit InDirectory(const std::filesystem::path& dir) : before_(std::filesystem::current_path()) {
        std::filesystem::current_path(dir);
    }
    ~InDirectory() {
        std::error_code ec;
        std::filesystem::current_path(before_, ec);
    }
    InDirectory(const InDirectory&) = delete;
    InDirectory& operator=(const InDirectory&) = delete;

  private:
    std::filesystem::path before_;
};

struct EditorSession : ::testing::Test {
    EditorSession() { ws.program_dir = dir.path().string() + "/"; }

    CommandResult command(int id) { return handle_command(ctx, id); }
    void click(ScreenPoint p) {
        on_mouse_move(ctx, p);
        on_left_down(ctx, p);
        on_left_up(ctx, p, false);
    }
    int32_t count(int layer) const { return ws.project.layers[layer].object_count; }
    const MapObject* newest(int layer) const { return ws.project.layers[layer].objects; }

    // Answers the next "Edit Layer" with OK.
    void answer_edit(std::string name, int theme) {
        host.answer_dialog("Edit Layer", [=](DialogModel& d) {
            auto& m = dynamic_cast<EditLayerModel&>(d);
            m.name = name;
            m.type = kMiscTypedObjs;
            m.theme = theme;
            return m.ok() ? 1 : 0;
        });
    }
    // Answers the next details dialog with `name` and the type the dialog offers.
    void answer_details(const std::string& title, std::string name) {
        host.answer_dialog(title, [name](DialogModel& d) {
            auto& m = dynamic_cast<ObjectDetailsModel&>(d);
            EXPECT_TRUE(m.name.empty());
            m.name = name;
            return m.ok() ? 1 : 0;
        });
    }

    test::ScratchDir dir;
    InDirectory cwd{dir.path()};
    Workspace ws;
    ScriptedHost host;
    EditorContext ctx{ws, host};
};

TEST_F(EditorSession, NewImportDrawSaveReopenAndExport) {
    on_resize(ctx, 1016, 30 + 600 + 20 + 16, WindowMetrics{30, 20, 16, 16});
    const std::string project_file = dir.file("session.mpr");
    dir.write("map-id.txt", "session\t42\n");

    // New: an empty decimal-degree project; the Layers dialog follows at once.
    host.answer_dialog("New Project", [](DialogModel& m) {
        auto& model = dynamic_cast<NewProjectModel&>(m);
        model.select(1);
        return 1;
    });
    host.file_answers.push_back(project_file);
    answer_edit("roads", kThemeRoads);
    answer_edit("water", kThemeWater);
    answer_edit("plaices", kThemePlaces);
    answer_edit("places", kThemePlaces);  // the typo fixed through Edit
    host.answer_dialog("Layers", [](DialogModel& d) {
        auto& m = dynamic_cast<LayersModel&>(d);
        EXPECT_TRUE(m.lines.empty());
        m.new_layer();
        m.new_layer();
        m.new_layer();
        m.selected = 2;
        m.edit_layer();
        EXPECT_EQ(m.lines, (std::vector<std::string>{"roads                    [ROADS]",
                                                     "water                    [WATER]",
                                                     "places                   [PLACES]"}));
        EXPECT_TRUE(m.changed);
        return 1;
    });
    ASSERT_EQ(command(cmd::kNew), CommandResult::Done);
    EXPECT_EQ(host.dialogs, (std::vector<std::string>{"New Project", "Layers", "Edit Layer", "Edit Layer",
                                                      "Edit Layer", "Edit Layer"}));
    ASSERT_EQ(host.file_dialogs.size(), 1u);
    EXPECT_EQ(host.file_dialogs[0].options.title, "Project File Name");
    EXPECT_EQ(ws.project.coord_sys, kCoordDegrees);
    ASSERT_EQ(ws.project.layer_count, 3);
    EXPECT_EQ(field_text(ws.project.layers[2].name), "places");
    EXPECT_EQ(ws.editor.current_layer, 0);
    EXPECT_EQ(ws.project.modified, 1);
    EXPECT_EQ(host.titles.back(), "Plotwell - session *");

    // Import: three streets into the current layer, named from the NAME field.
    test::ShapefileData streets;
    streets.shape_type = 3;
    streets.fields = {{"NAME", 'C', 20}, {"KIND", 'C', 6}};
    for (int i = 0; i < 3; ++i) {
        const double y = 47.50 + i * 0.01;
        streets.records.push_back(test::line_record({{8.50, y}, {8.55, y + 0.005}, {8.60, y}},
                                                    {"STREET " + std::to_string(i), "R"}));
    }
    ASSERT_TRUE(test::write_shapefile(dir.file("streets"), streets));
    host.file_answers.push_back(dir.file("streets.shp"));
    host.answer_dialog("Import ShapeFile", [this](DialogModel& model) {
        auto& d = dynamic_cast<ImportShapefileDialog&>(model);
        EXPECT_EQ(d.name_page.remaining, (std::vector<std::string>{"KIND", "NAME"}));
        d.name_page.selected_remaining = 1;  // NAME
        d.name_page.add(host);
        return d.ok(host) ? 1 : 0;
    });
    ASSERT_EQ(command(cmd::kImportShapefile), CommandResult::Done);
    EXPECT_EQ(host.progress_runs, 1);
    EXPECT_EQ(count(0), 3);
    EXPECT_EQ(count(1), 0);
    EXPECT_EQ(count(2), 0);
    std::vector<std::string> imported;
    for (const MapObject* o = newest(0); o; o = o->next) imported.emplace_back(field_text(o->name));
    std::sort(imported.begin(), imported.end());
    // The names arrive in the import's default capitalisation.
    EXPECT_EQ(imported, (std::vector<std::string>{"Street 0", "Street 1", "Street 2"}));
    EXPECT_GT(ws.project.range.width, 0);  // the import gave the project its range

    // Draw a line in the roads layer and a polygon in the water layer, each completed with Enter.
    ASSERT_EQ(command(cmd::kNewLine), CommandResult::Done);
    click({420, 250});
    click({480, 330});
    click({560, 360});
    answer_details("Line Details", "Harbour Road");
    EXPECT_EQ(on_char(ctx, '\r'), CommandResult::Done);
    ASSERT_EQ(count(0), 4);
    EXPECT_EQ(field_text(newest(0)->name), "Harbour Road");
    EXPECT_EQ(newest(0)->dimension, kDimLine);
    EXPECT_EQ(object_point_count(newest(0)), 3);

    command(cmd::kLayerDown);
    ASSERT_EQ(ws.editor.current_layer, 1);
    ASSERT_EQ(command(cmd::kNewPolygon), CommandResult::Done);
    click({300, 400});
    click({380, 400});
    click({340, 470});
    answer_details("Polygon Details", "Mill Pond");
    EXPECT_EQ(on_char(ctx, '\r'), CommandResult::Done);
    ASSERT_EQ(count(1), 1);
    EXPECT_EQ(field_text(newest(1)->name), "Mill Pond");
    EXPECT_EQ(newest(1)->dimension, kDimPolygon);
    EXPECT_EQ(object_point_count(newest(1)), 3);
    EXPECT_EQ(count(0), 4);
    EXPECT_EQ(count(2), 0);
    EXPECT_EQ(ws.project.modified, 1);

    // Save, Close, Open.
    ASSERT_EQ(command(cmd::kSave), CommandResult::Done);
    EXPECT_EQ(ws.project.modified, 0);
    EXPECT_EQ(host.titles.back(), "Plotwell - session");
    EXPECT_TRUE(std::filesystem::exists(project_file));
    ASSERT_EQ(command(cmd::kClose), CommandResult::Done);
    EXPECT_EQ(host.titles.back(), "Plotwell - <no project>");
    EXPECT_EQ(ws.project.layer_count, 0);
    const size_t files_asked = host.file_dialogs.size();
    host.file_answers.push_back(project_file);
    ASSERT_EQ(command(cmd::kOpen), CommandResult::Done);
    ASSERT_EQ(host.file_dialogs.size(), files_asked + 1);
    EXPECT_EQ(host.file_dialogs.back().options.title, "Open Project");
    EXPECT_EQ(ws.project.modified, 0);
    EXPECT_EQ(host.titles.back(), "Plotwell - session");
    ASSERT_EQ(ws.project.layer_count, 3);
    EXPECT_EQ(count(0), 4);
    EXPECT_EQ(count(1), 1);
    EXPECT_EQ(count(2), 0);
    std::vector<std::string> road_names;
    for (const MapObject* o = newest(0); o; o = o->next) road_names.emplace_back(field_text(o->name));
    EXPECT_NE(std::find(road_names.begin(), road_names.end(), "Harbour Road"), road_names.end());
    ASSERT_NE(newest(1), nullptr);
    EXPECT_EQ(field_text(newest(1)->name), "Mill Pond");

    // Export to OUT.pdb.
    const std::string out = dir.file("OUT.pdb");
    host.file_answers.push_back(out);
    host.answer_dialog("Export - Trekpad Plus/Max", [this](DialogModel& model) {
        auto& d = dynamic_cast<ExportDialog&>(model);
        EXPECT_EQ(d.id.map_id, "42");
        if (d.id.map_name.empty()) d.id.map_name = "Session";
        return d.export_pressed(host) ? 1 : 0;
    });
    ASSERT_EQ(command(cmd::kExport), CommandResult::Done);
    EXPECT_EQ(host.file_dialogs.back().options.title, "Save As");
    EXPECT_NE(host.last_sink.log.find("PDB file successfully created!\r\n"), std::string::npos)
        << host.last_sink.log;

    std::vector<uint8_t> file;
    ASSERT_TRUE(read_whole_file(out, file));
    const InspectReport report = inspect_database(file);
    EXPECT_TRUE(report.violations.empty()) << format_inspect_report(report, false);
    EXPECT_TRUE(report.ok());
    EXPECT_EQ(report.map_id, 42);
    const std::string bytes(file.begin(), file.end());
    EXPECT_NE(bytes.find("Harbour Road"), std::string::npos);
}

}  // namespace
}  // namespace plotwell
