// A figure drawn in the editor confirmed through the object dialog host and its details model.
#include <gtest/gtest.h>

#include "dialogs/object_details_dialog.h"
#include "editor/command_ids.h"
#include "editor/input_dispatch.h"
#include "editor/workspace.h"
#include "model/vocabulary.h"
#include "support/object_builders.h"
#include "support/scripted_host.h"

namespace plotwell {
namespace {

struct DrawingDialog : ::testing::Test {
    DrawingDialog() {
        set_field(ws.project.file_base_name, "city");
        ws.project.range = {0, 0, 1000, 600};
        test::add_layer(ws.project, "roads", kThemeRoads);
        ws.editor.current_layer = 0;
        on_resize(ctx, 1016, 30 + 600 + 20 + 16, WindowMetrics{30, 20, 16, 16});
        ws.view.origin_x = 500;
        ws.view.origin_y = 300;
        ws.view.zoom = 1.0f;
    }
    void click(ScreenPoint p) {
        on_mouse_move(ctx, p);
        on_left_down(ctx, p);
        on_left_up(ctx, p, false);
    }

    Workspace ws;
    test::ScriptedHost host;
    EditorContext ctx{ws, host};
};

TEST_F(DrawingDialog, EnterConfirmsTheLineInLineDetails) {
    handle_command(ctx, cmd::kNewLine);
    click({10, 40});
    click({60, 40});
    host.answer_dialog("Line Details", [](DialogModel& d) {
        auto& m = dynamic_cast<ObjectDetailsModel&>(d);
        EXPECT_EQ(m.types.size(), size_t(kLineTypeCount));
        m.name = "Main Street";
        m.type = kRoad4;
        return m.ok() ? 1 : 0;
    });
    EXPECT_EQ(on_char(ctx, '\r'), CommandResult::Done);
    const MapObject* o = ws.project.layers[0].objects;
    ASSERT_NE(o, nullptr);
    EXPECT_EQ(field_text(o->name), "Main Street");
    EXPECT_EQ(o->type, kRoad4);
    EXPECT_EQ(object_point_count(o), 2);
    EXPECT_EQ(object_points(o)[1], (Point{60, 10}));
    EXPECT_EQ(ws.editor.last_line_type, kRoad4);
    EXPECT_EQ(ws.project.modified, 1);
    EXPECT_EQ(host.titles.back(), "Plotwell - city *");
}

}  // namespace
}  // namespace plotwell
