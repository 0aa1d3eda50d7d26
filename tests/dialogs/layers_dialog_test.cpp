#include "editor/layers_dialog.h"

#include <gtest/gtest.h>

#include "dialogs/edit_layer_dialog.h"
#include "editor/command_ids.h"
#include "editor/commands.h"
#include "editor/selection.h"
#include "support/object_builders.h"
#include "support/scripted_host.h"

namespace plotwell {
namespace {

using test::add_layer;
using test::add_line;
using test::ScriptedHost;

struct LayersDialogTest : ::testing::Test {
    // Answers the next "Edit Layer" with OK after setting name, type and theme.
    void answer_edit(std::string name, int type, int theme) {
        host.answer_dialog("Edit Layer", [=](DialogModel& d) {
            auto& m = dynamic_cast<EditLayerModel&>(d);
            m.name = name;
            m.type = type;
            m.theme = theme;
            return m.ok() ? 1 : 0;
        });
    }
    std::vector<std::string> names() const {
        std::vector<std::string> out;
        for (int i = 0; i < project.layer_count; ++i) out.emplace_back(field_text(project.layers[i].name));
        return out;
    }

    Workspace ws;
    Project& project = ws.project;
    EditorState& editor = ws.editor;
    ScriptedHost host;
    EditorContext ctx{ws, host};
};

TEST(LayerLine, PadsTheNameToTwentyFourColumns) {
    Layer a;
    set_field(a.name, "Roads");
    a.theme = kThemeRoads;
    EXPECT_EQ(format_layer_line(a), "Roads                    [ROADS]");
    Layer b;
    set_field(b.name, std::string(30, 'x'));
    b.theme = kThemeWater;
    EXPECT_EQ(format_layer_line(b), std::string(30, 'x') + " [WATER]");
    b.theme = 200;  // damaged: no read past the theme table
    EXPECT_EQ(format_layer_line(b), std::string(30, 'x') + " [?]");
}

TEST_F(LayersDialogTest, NewOpensEditLayerOnAZeroedEntryAndAppends) {
    add_layer(project, "Water", kThemeWater);
    LayersModel m(ctx);
    host.answer_dialog("Edit Layer", [](DialogModel& d) {
        auto& e = dynamic_cast<EditLayerModel&>(d);
        EXPECT_EQ(e.name, "");
        EXPECT_EQ(e.type, 0);
        EXPECT_EQ(e.theme, 0);
        e.name = std::string(40, 'r');  // cut to 31
        e.type = kMiscTypedObjs;
        e.theme = kThemeRoads;
        return e.ok() ? 1 : 0;
    });
    m.new_layer();
    ASSERT_EQ(project.layer_count, 2);
    EXPECT_EQ(field_text(project.layers[1].name), std::string(31, 'r'));
    EXPECT_EQ(project.layers[1].type, kMiscTypedObjs);
    EXPECT_EQ(project.layers[1].theme, kThemeRoads);
    EXPECT_EQ(m.lines.size(), 2u);
    EXPECT_EQ(m.lines[1], std::string(31, 'r') + " [ROADS]");
    EXPECT_TRUE(m.changed);
}

TEST_F(LayersDialogTest, CancelledNewOrEditChangesNothing) {
    add_layer(project, "Water", kThemeWater);
    LayersModel m(ctx);
    host.answer_dialog("Edit Layer", [](DialogModel& d) {
        dynamic_cast<EditLayerModel&>(d).name = "x";
        return 0;
    });
    host.answer_dialog("Edit Layer", [](DialogModel& d) {
        auto& e = dynamic_cast<EditLayerModel&>(d);
        EXPECT_EQ(e.name, "Water");
        EXPECT_EQ(e.theme, kThemeWater);
        e.name = "Sea";
        return 0;
    });
    m.new_layer();
    m.edit_layer();  // no selection: nothing
    m.selected = 0;
    m.edit_layer();
    EXPECT_EQ(project.layer_count, 1);
    EXPECT_EQ(names(), std::vector<std::string>{"Water"});
    EXPECT_FALSE(m.changed);
    EXPECT_EQ(host.dialogs.size(), 2u);
}

TEST_F(LayersDialogTest, EditReplacesTheLineInPlace) {
    add_layer(project, "A");
    add_layer(project, "B");
    LayersModel m(ctx);
    answer_edit("Bee", kSngTypedObjs, kThemePlaces);
    m.selected = 1;
    m.edit_layer();
    EXPECT_EQ(m.lines[1], "Bee                      [PLACES]");
    EXPECT_EQ(project.layers[1].theme, kThemePlaces);
    EXPECT_TRUE(m.changed);
}

TEST_F(LayersDialogTest, EightLayersIsTheLimit) {
    for (int i = 0; i < kMaxLayers; ++i) add_layer(project, "L" + std::to_string(i));
    LayersModel m(ctx);
    m.new_layer();
    EXPECT_TRUE(host.dialogs.empty());  // "Edit Layer" is not opened
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "Layer table full!");
    EXPECT_EQ(host.messages[0].caption, "Error");
    EXPECT_EQ(host.messages[0].icon, MessageIcon::Warning);
    EXPECT_EQ(project.layer_count, kMaxLayers);
    EXPECT_FALSE(m.changed);
}

TEST_F(LayersDialogTest, MovesAtTheEndsReportNoChange) {
    add_layer(project, "A");
    add_layer(project, "B");
    LayersModel m(ctx);
    m.move_up();  // nothing selected
    m.selected = 0;
    m.move_up();
    m.selected = 1;
    m.move_down();
    EXPECT_FALSE(m.changed);
    EXPECT_EQ(names(), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(m.selected, 1);
}

TEST_F(LayersDialogTest, MovesCarryTheObjectsAndTheSelection) {
    MapObject* a = add_line(add_layer(project, "A"), "a", {{0, 0}, {1, 1}});
    MapObject* b = add_line(add_layer(project, "B"), "b", {{0, 0}, {1, 1}});
    add_layer(project, "C");
    set_current_layer(editor, 0);
    editor.current_objects = {a};
    LayersModel m(ctx);
    m.selected = 0;
    m.move_down();
    EXPECT_EQ(names(), (std::vector<std::string>{"B", "A", "C"}));
    EXPECT_EQ(project.layers[0].objects, b);
    EXPECT_EQ(project.layers[1].objects, a);
    EXPECT_EQ(m.selected, 1);
    EXPECT_EQ(m.lines[1].substr(0, 2), "A ");
    // The current layer keeps its index; the objects of the layer that moved away are no longer current.
    EXPECT_EQ(editor.current_layer, 0);
    EXPECT_TRUE(editor.current_objects.empty());
    m.selected = 2;
    m.move_up();
    EXPECT_EQ(names(), (std::vector<std::string>{"B", "C", "A"}));
    EXPECT_EQ(m.selected, 1);
    EXPECT_TRUE(m.changed);
}

TEST_F(LayersDialogTest, DeleteReleasesExactlyItsOwnObjects) {
    Layer& first = add_layer(project, "A");
    add_line(first, "a", {{0, 0}, {1, 1}});
    Layer& second = add_layer(project, "B");
    add_line(second, "b1", {{0, 0}, {1, 1}});
    add_line(second, "b2", {{0, 0}, {1, 1}});
    MapObject* c = add_line(add_layer(project, "C"), "c", {{0, 0}, {1, 1}});
    set_current_layer(editor, 2);
    editor.current_objects = {c};
    LayersModel m(ctx);
    host.answers = {Answer::No, Answer::Yes};
    m.selected = 1;
    m.delete_layer();
    EXPECT_EQ(project.layer_count, 3);
    EXPECT_FALSE(m.changed);
    m.delete_layer();
    EXPECT_EQ(host.messages.back().text, LayersModel::kDeleteQuestion);
    EXPECT_EQ(host.messages.back().caption, "Confirm");
    EXPECT_EQ(host.messages.back().icon, MessageIcon::Question);
    EXPECT_EQ(names(), (std::vector<std::string>{"A", "C"}));
    EXPECT_EQ(project.layers[0].object_count, 1);
    EXPECT_EQ(project.layers[1].objects, c);  // moved up with its layer
    EXPECT_EQ(project.layers[1].object_count, 1);
    EXPECT_EQ(project.layers[2].objects, nullptr);  // no second owner of the moved list
    // The current layer pointed past the shortened table: pulled back onto the last layer.
    EXPECT_EQ(editor.current_layer, 1);
    EXPECT_TRUE(editor.current_objects.empty());
    EXPECT_EQ(m.lines.size(), 2u);
    EXPECT_TRUE(m.changed);
}

TEST_F(LayersDialogTest, DeletingTheLastLayerLeavesTheBackgroundCurrent) {
    add_layer(project, "A");
    set_current_layer(editor, 0);
    LayersModel m(ctx);
    host.answers = {Answer::Yes};
    m.selected = 0;
    m.delete_layer();
    EXPECT_EQ(project.layer_count, 0);
    EXPECT_EQ(editor.current_layer, -1);
    m.done();
    EXPECT_EQ(editor.current_layer, -1);
}

TEST_F(LayersDialogTest, DoneMakesTheFirstLayerCurrent) {
    host.answer_dialog("Layers", [](DialogModel&) { return 0; });
    EXPECT_FALSE(run_layers_dialog(ctx));
    EXPECT_EQ(editor.current_layer, -1);  // no layers: still the background

    answer_edit("Roads", kSngTypedObjs, kThemeRoads);
    host.answer_dialog("Layers", [](DialogModel& d) {
        dynamic_cast<LayersModel&>(d).new_layer();
        return 1;
    });
    EXPECT_TRUE(run_layers_dialog(ctx));
    EXPECT_EQ(editor.current_layer, 0);
}

TEST_F(LayersDialogTest, TheEditLayersCommandMarksTheProjectAndFollowsTheLayersInTheExport) {
    Workspace ws;
    set_field(ws.project.file_base_name, "city");
    ws.export_settings.visible_layer_count = 3;
    ws.export_settings.region_level_count = 1;
    EditorContext c{ws, host};
    host.answer_dialog("Layers", [](DialogModel&) { return 1; });  // Done without a change
    EXPECT_EQ(handle_command(c, cmd::kEditLayers), CommandResult::Done);
    EXPECT_EQ(ws.project.modified, 0);
    EXPECT_EQ(ws.export_settings.visible_layer_count, 3);

    answer_edit("Roads", kSngTypedObjs, kThemeRoads);
    host.answer_dialog("Layers", [](DialogModel& d) {
        dynamic_cast<LayersModel&>(d).new_layer();
        return 1;
    });
    EXPECT_EQ(handle_command(c, cmd::kEditLayers), CommandResult::Done);
    EXPECT_EQ(ws.project.modified, 1);
    // Choices of layers that never existed are dropped; the new layer is exported.
    EXPECT_EQ(ws.export_settings.visible_layer_count, 1);
    EXPECT_EQ(ws.export_settings.region_level_count, 0);
    EXPECT_EQ(host.status[1], "curr layer: 0:Roads [ROADS]");
    EXPECT_EQ(host.titles.back(), "Plotwell - city *");
}

}  // namespace
}  // namespace plotwell
