// Undo and redo against random editing through the editor's own entry points: every state the history
// returns to must save to the same bytes as when it was first reached.
#include <map>
#include <random>

#include "editor/command_ids.h"
#include "editor/undo_commands.h"
#include "editor_fixture.h"
#include "project/project_file.h"
#include "support/recording_sink.h"

namespace plotwell::test {
namespace {

// Says Yes to every question and OK to every dialog, as a user clicking through would.
struct AgreeingHost : ScriptedHost {
    Answer message_box(std::string_view, std::string_view, MessageIcon, MessageButtons buttons) override {
        return buttons == MessageButtons::Ok ? Answer::Ok : Answer::Yes;
    }
    int run_dialog(DialogModel&) override { return 1; }
};

struct Undo : EditorFixture {
    AgreeingHost agreeing;
    EditorContext actx{ws, agreeing};
    std::mt19937 rng{7};

    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }
    Point random_point() { return {20 + pick(960), 20 + pick(560)}; }

    std::vector<uint8_t> bytes() {
        RecordingSink sink;
        return build_project_file(project, sink);
    }

    // A point of an object of the current layer, or a random one.
    Point some_vertex(bool midpoint = false) {
        const Layer* layer = current_layer_ptr(project, editor);
        std::vector<Point> found;
        for (const MapObject* o = layer ? layer->objects : nullptr; o; o = o->next) {
            if (has_points(o))
                for (int32_t i = 0; i + int(midpoint) < object_point_count(o); ++i) {
                    const Point* p = object_points(o) + i;
                    found.push_back(midpoint ? Point{(p[0].x + p[1].x) / 2, (p[0].y + p[1].y) / 2} : p[0]);
                }
            else if (o->dimension == kDimPoint)
                found.push_back(object_position(o));
        }
        return found.empty() ? random_point() : found[size_t(pick(int(found.size())))];
    }
    static ScreenPoint on_screen(Point p) { return at(p.x, p.y); }

    void drag(ScreenPoint from, ScreenPoint to) {
        on_mouse_move(actx, from);
        on_left_down(actx, from);
        on_mouse_move(actx, to);
        on_left_up(actx, to, false);
    }

    void random_event() {
        const ScreenPoint v = on_screen(some_vertex());
        const ScreenPoint r = on_screen(random_point());
        switch (pick(14)) {
            case 0:
                on_mouse_move(actx, v);
                on_left_down(actx, v);
                on_left_up(actx, v, pick(3) == 0);
                break;
            case 1:
                click(v);
                drag(v, r);
                break;
            case 2: {
                const ScreenPoint m = on_screen(some_vertex(true));
                click(m);
                drag(m, r);
                break;
            }
            case 3:
                handle_command(actx, cmd::kDelete);
                break;
            case 4:
                handle_command(actx, std::array{cmd::kCut, cmd::kCopy, cmd::kPaste}[size_t(pick(3))]);
                break;
            case 5:
                on_mouse_move(actx, v);
                handle_command(actx, std::array{cmd::kInsertPoint, cmd::kDeletePoint, cmd::kAddPoint,
                                                cmd::kSplitLineHere, cmd::kMarkSplitPoint,
                                                cmd::kSplitPolygonHere}[size_t(pick(6))]);
                break;
            case 6:
                handle_command(actx, cmd::kJoinLines);
                break;
            case 7:
                handle_command(actx, pick(2) ? cmd::kLayerUp : cmd::kLayerDown);
                break;
            case 8:
                handle_command(actx, pick(2) ? cmd::kShowAllLayers : cmd::kCurrentLayerOnly);
                break;
            case 9:
                handle_command(actx,
                               std::array{cmd::kNewLine, cmd::kNewPolygon, cmd::kNewPoint}[size_t(pick(3))]);
                for (int i = 0; i < 3; ++i)
                    on_left_down(actx, r), on_left_up(actx, on_screen(random_point()), false);
                on_char(actx, '\r');
                handle_command(actx, cmd::kSelectTool);
                break;
            case 10:
                handle_command(actx, cmd::kSelectAll);
                break;
            case 11:
            case 12:
                handle_command(actx, cmd::kUndoChange);
                break;
            default:
                on_key(actx, {Key::Letter, 'Z', true, true});
                break;  // Ctrl+Shift+Z: Redo
        }
    }
};

TEST_F(Undo, EveryStateReachedAgainSavesTheSameBytes) {
    for (int l = 0; l < 3; ++l) {
        Layer& layer = add_layer(project, "layer " + std::to_string(l));
        for (int i = 0; i < 12; ++i) {
            if (l == 2) {
                add_point(layer, "p", random_point());
            } else {
                MapObject* o =
                    add_line(layer, "o", {random_point(), random_point(), random_point(), random_point()},
                             l == 0 ? kDimLine : kDimPolygon);
                ASSERT_TRUE(o);
            }
        }
    }
    set_current_layer(editor, 0);
    reset_history(ws.history, project);

    std::map<uint64_t, std::vector<uint8_t>> seen{{0, bytes()}};
    auto check = [&](const char* when) {
        const auto [it, fresh] = seen.emplace(ws.history.current_id, bytes());
        if (!fresh) {
            ASSERT_EQ(it->second, bytes()) << when << ", state " << ws.history.current_id;
        }
    };
    for (int event = 0; event < 600 && !HasFatalFailure(); ++event) {
        random_event();
        check("after an event");
        if (event == 300) mark_saved(ws.history), project.modified = 0;
    }
    ASSERT_GT(seen.size(), 60u);  // the sequence did change the project, many times
    const std::vector<uint8_t> final_bytes = bytes();
    size_t undone = 0;
    while (!ws.history.undo.empty() && !HasFatalFailure()) {
        handle_command(actx, cmd::kUndoChange);
        check("after Undo");
        ASSERT_EQ(project.modified != 0, ws.history.current_id != ws.history.saved_id);
        ++undone;
    }
    if (undone < kMaxUndoSteps) {
        EXPECT_EQ(seen[0], bytes());
    }
    for (size_t i = 0; i < undone && !HasFatalFailure(); ++i) {
        on_key(actx, {Key::Letter, 'Y', true});
        check("after Redo");
    }
    EXPECT_EQ(final_bytes, bytes());
    EXPECT_TRUE(ws.history.redo.empty());
}

TEST_F(Undo, TheEditMenuNamesTheChangeAndCtrlZTakesBackAPlacedPointFirst) {
    Layer& layer = add_layer(project, "roads");
    add_line(layer, "Main Street", {{100, 100}, {300, 100}});
    set_current_layer(editor, 0);
    reset_history(ws.history, project);
    EXPECT_FALSE(undo_entry(ws).enabled);

    click(at(100, 100));
    handle_command(actx, cmd::kDelete);
    EXPECT_EQ(undo_entry(ws).caption, "&Undo Delete");
    EXPECT_EQ(command_label(cmd::kImportShapefile), "Import ShapeFile");

    handle_command(actx, cmd::kNewLine);
    on_left_down(actx, at(500, 500));
    on_left_up(actx, at(500, 500), false);
    on_key(actx, {Key::Letter, 'Z', true});  // the placed point goes, the deletion stays
    EXPECT_TRUE(editor.drawing_points.empty());
    EXPECT_EQ(layer.object_count, 0);
    on_key(actx, {Key::Letter, 'Z', true});
    EXPECT_EQ(layer.object_count, 1);
    EXPECT_EQ(project.modified, 0);  // back where the history started, which was not modified
    EXPECT_EQ(redo_entry(ws).caption, "&Redo Delete");
}

}  // namespace
}  // namespace plotwell::test
