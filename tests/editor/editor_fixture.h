// A project in a laid-out main window with a scripted host: map point (x, y) shows at pixel (x, y + 30).
#pragma once

#include <gtest/gtest.h>

#include "editor/commands.h"
#include "editor/input_dispatch.h"
#include "support/object_builders.h"
#include "support/scripted_host.h"

namespace plotwell::test {

struct EditorFixture : ::testing::Test {
    static constexpr int kTop = 30;

    EditorFixture() {
        set_field(project.file_base_name, "city");
        project.coord_sys = kCoordArbitrary;
        project.range = {0, 0, 1000, 600};
        // Toolbar 30, status bar 20, scroll bars 16: map area 0, 30 .. 1000, 630.
        on_resize(ctx, 1016, 30 + 600 + 20 + 16, WindowMetrics{kTop, 20, 16, 16});
        view.origin_x = 500;
        view.origin_y = 300;
        view.zoom = 1.0f;
    }

    static ScreenPoint at(int32_t x, int32_t y) { return {x, y + kTop}; }

    CommandResult command(int id) { return handle_command(ctx, id); }
    void move(ScreenPoint p) { on_mouse_move(ctx, p); }
    void click(ScreenPoint p, bool ctrl = false) {
        on_mouse_move(ctx, p);
        on_left_down(ctx, p, ctrl);
        on_left_up(ctx, p, ctrl);
    }

    Workspace ws;
    Project& project = ws.project;
    EditorState& editor = ws.editor;
    ViewState& view = ws.view;
    ScriptedHost host;
    EditorContext ctx{ws, host};
};

}  // namespace plotwell::test
