#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <set>

#include "editor/command_ids.h"
#include "editor/map_paint.h"
#include "editor/menus.h"
#include "editor/selection.h"
#include "editor/window_layout.h"
#include "editor/window_title.h"
#include "model/object_storage.h"
#include "model/vocabulary.h"
#include "project/project_file.h"
#include "qt/cursors.h"
#include "qt/text_codec.h"
#include "qt_test_support.h"
#include "support/object_builders.h"

using namespace plotwell;
using namespace plotwell::test;

namespace {

// A decimal-degree project 1000 x 600 units wide with a road and a river in one layer.
void build_roads(Project& p) {
    set_field(p.file_base_name, "town");
    p.coord_sys = kCoordDegrees;
    p.range = {0, 0, 1000, 600};
    Layer& layer = add_layer(p, "Roads");
    layer.display_flags = kLayerShowAlways;
    add_line(layer, "Main Street", {{100, 300}, {900, 300}}, kDimLine, kHighway);
    add_line(layer, "Mill River", {{500, 50}, {500, 550}}, kDimLine, kRiver);
}

struct MenuRow {
    std::string menu, submenu, caption, key;
    int command;
    bool operator<(const MenuRow& o) const { return command < o.command; }
    bool operator==(const MenuRow& o) const = default;
};

void collect(QMenu* menu, const std::string& top, const std::string& sub, std::vector<MenuRow>& out) {
    for (QAction* a : menu->actions()) {
        if (a->isSeparator()) continue;
        if (a->menu()) {
            collect(a->menu(), top, qt::to_local_text(a->menu()->title()), out);
            continue;
        }
        const QStringList parts = a->text().split('\t');
        out.push_back({top, sub, qt::to_local_text(parts.value(0)), qt::to_local_text(parts.value(1)),
                       a->data().toInt()});
    }
}

}  // namespace

TEST(MainWindowLook, MenuBarIsTheStartUpMenuWithMnemonicsAndKeys) {
    WindowFixture f;
    std::vector<MenuRow> shown;
    for (QAction* top : f.window->menuBar()->actions())
        collect(top->menu(), qt::to_local_text(top->text()), "", shown);
    std::vector<MenuRow> expected;
    for (const MenuEntry& e : startup_menu())
        expected.push_back({e.menu, e.submenu ? e.submenu : "", e.caption, e.key ? e.key : "", e.command});
    EXPECT_EQ(shown, expected);
    for (const MenuRow& r : shown) {
        EXPECT_NE(r.command, cmd::kImportTrekpadMap);
        EXPECT_NE(r.command, cmd::kSelectByType);
        EXPECT_NE(r.command, cmd::kTranslateCoordinates);
    }
    std::vector<std::string> tops;
    for (QAction* top : f.window->menuBar()->actions()) tops.push_back(qt::to_local_text(top->text()));
    EXPECT_EQ(tops, (std::vector<std::string>{"&File", "&Edit", "&View", "&Layer", "&Object", "&Help"}));
}

TEST(MainWindowLook, ToolbarHasTheFourteenButtonsWithElevenImagesAndTwoRadioGroups) {
    WindowFixture f;
    const QList<QAction*> actions = f.window->tool_bar()->actions();
    const auto table = toolbar_buttons();
    ASSERT_EQ(size_t(actions.size()), table.size());
    std::set<qint64> images;
    for (size_t i = 0; i < table.size(); ++i) {
        QAction* a = actions[qsizetype(i)];
        if (table[i].kind == ToolButtonKind::Separator) {
            EXPECT_TRUE(a->isSeparator()) << i;
            continue;
        }
        EXPECT_EQ(a->data().toInt(), table[i].command);
        const bool group = table[i].kind == ToolButtonKind::GroupA || table[i].kind == ToolButtonKind::GroupB;
        EXPECT_EQ(a->isCheckable(), group) << i;
        EXPECT_EQ(a->isChecked(), table[i].initially_pressed) << i;
        const QImage image = a->icon().pixmap(16, 16).toImage();
        EXPECT_EQ(image.size(), QSize(16, 16));
        images.insert(image.cacheKey() ? qint64(qHashBits(image.constBits(), size_t(image.sizeInBytes())))
                                       : 0);
    }
    EXPECT_EQ(images.size(), size_t(kToolbarImageCount)) << "every image differs from the others";

    // Group A: clicking the rectangle tool presses it alone and switches the mode; group B is apart.
    f.window->tool_action(cmd::kRectangleTool)->trigger();
    EXPECT_EQ(f.workspace.editor.tool_mode, kToolRectangle);
    EXPECT_TRUE(f.window->tool_action(cmd::kRectangleTool)->isChecked());
    EXPECT_FALSE(f.window->tool_action(cmd::kSelectTool)->isChecked());
    EXPECT_TRUE(f.window->tool_action(cmd::kShowAllLayers)->isChecked());
    // Pressing a pressed group button keeps it pressed.
    f.window->tool_action(cmd::kRectangleTool)->trigger();
    EXPECT_TRUE(f.window->tool_action(cmd::kRectangleTool)->isChecked());
    f.window->tool_action(cmd::kCurrentLayerOnly)->trigger();
    EXPECT_TRUE(f.window->tool_action(cmd::kCurrentLayerOnly)->isChecked());
    EXPECT_FALSE(f.window->tool_action(cmd::kShowAllLayers)->isChecked());
    // The editor's set_tool_buttons reaches the buttons.
    set_tool_buttons(f.window->host(), kToolLine);
    EXPECT_TRUE(f.window->tool_action(cmd::kNewLine)->isChecked());
    EXPECT_FALSE(f.window->tool_action(cmd::kRectangleTool)->isChecked());
}

TEST(MainWindowLook, ContextMenusMatchTheTable) {
    WindowFixture f;
    for (int id = 0; id < kContextMenuCount; ++id) {
        QMenu* menu = f.window->context_menu(id);
        ASSERT_TRUE(menu);
        const auto entries = context_menu_entries(id);
        ASSERT_EQ(size_t(menu->actions().size()), entries.size()) << id;
        for (size_t i = 0; i < entries.size(); ++i) {
            EXPECT_EQ(qt::to_local_text(menu->actions()[qsizetype(i)]->text()), entries[i].caption);
            EXPECT_EQ(menu->actions()[qsizetype(i)]->data().toInt(), entries[i].command);
        }
    }
    EXPECT_EQ(f.window->context_menu(kContextMenuCount), nullptr);
}

TEST(MainWindowLook, ChildrenFollowTheLayoutAndTheStatusPartsEndAt30_58_85Percent) {
    WindowFixture f;
    const WindowLayout& l = f.workspace.editor.layout;
    QWidget* client = f.window->client_area();
    EXPECT_EQ(l.client_width, client->width());
    EXPECT_EQ(l.client_height, client->height());
    const QRect map = f.map()->geometry();
    EXPECT_EQ(map, QRect(l.map_area.left, l.map_area.top, l.map_area.right - l.map_area.left,
                         l.map_area.bottom - l.map_area.top));
    EXPECT_EQ(f.workspace.view.view_rect, l.map_area);
    // The scroll bars sit right of and below the map area.
    EXPECT_EQ(f.window->scroll_bar(ScrollBar::Vertical)->geometry().left(), map.right() + 1);
    EXPECT_EQ(f.window->scroll_bar(ScrollBar::Horizontal)->geometry().top(), map.bottom() + 1);
    const int w = l.client_width - l.metrics.vscroll_width;
    const int edges[3] = {w * 30 / 100, w * 58 / 100, w * 85 / 100};
    for (int i = 0; i < 3; ++i)
        EXPECT_NEAR(f.window->status_part(i)->geometry().right() + 1, edges[i], 2) << i;

    f.window->resize(500, 400);
    QApplication::processEvents();
    EXPECT_EQ(f.workspace.editor.layout.client_width, client->width());
    EXPECT_EQ(f.map()->width(), f.workspace.editor.layout.map_area.right);
}

TEST(MainWindowTitle, AnEditMarksTheTitleModified) {
    WindowFixture f;
    EXPECT_EQ(f.window->windowTitle(), "Plotwell - <no project>");
    build_roads(f.workspace.project);
    reset_history(f.workspace.history, f.workspace.project);
    f.fit();
    update_title(f.workspace.project, f.window->host());
    EXPECT_EQ(f.window->windowTitle(), "Plotwell - town");
    QTest::keyClick(f.map(), Qt::Key_PageDown);
    const QPoint at = f.widget_of({300, 300});
    f.move_to(at);
    QTest::mouseClick(f.map(), Qt::LeftButton, Qt::NoModifier, at);
    ASSERT_EQ(f.workspace.editor.current_objects.size(), 1u);
    // Del asks first; Yes deletes the object and the project is modified.
    QString question;
    when_modal<QMessageBox>([&](QMessageBox* box) {
        question = box->text();
        box->button(QMessageBox::Yes)->click();
    });
    QTest::keyClick(f.map(), Qt::Key_Delete);
    EXPECT_EQ(question, "Are you sure you want to delete object(s)?");
    EXPECT_EQ(f.window->windowTitle(), "Plotwell - town *");

    // The Edit menu names the change; its Undo takes it back to the state the project was loaded in.
    QMenu* edit = f.window->menuBar()->actions().at(1)->menu();
    ASSERT_EQ(edit->title(), "&Edit");
    QAction* undo = edit->actions().at(0);
    QAction* redo = edit->actions().at(1);
    EXPECT_EQ(undo->text(), "&Undo Delete\tCtrl+Z");
    EXPECT_FALSE(redo->isEnabled());
    undo->trigger();
    EXPECT_EQ(f.window->windowTitle(), "Plotwell - town");
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_EQ(redo->text(), "&Redo Delete\tCtrl+Y");
    QTest::keyClick(f.map(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(f.window->windowTitle(), "Plotwell - town *");
}

TEST(MainWindowTitle, FollowsOpenAndClose) {
    WindowFixture f;
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    {
        Project saved;
        build_roads(saved);
        NullProgressSink quiet;
        ASSERT_TRUE(save_project(saved, (dir.path() + "/town").toStdString(), quiet));
        release_project_data(saved);
    }
    const QString old_dir = QDir::currentPath();
    QDir::setCurrent(dir.path());
    set_field(f.workspace.project.file_base_name, "town");
    const CommandResult opened = f.window->run_command(cmd::kLoadNamedProject);
    QDir::setCurrent(old_dir);
    ASSERT_EQ(opened, CommandResult::Done);
    EXPECT_EQ(f.window->windowTitle(), "Plotwell - town");
    EXPECT_EQ(f.workspace.project.layer_count, 1);
    mark_modified(f.ctx());
    EXPECT_EQ(f.window->windowTitle(), "Plotwell - town *");
    when_modal<QMessageBox>([](QMessageBox* box) { box->button(QMessageBox::No)->click(); });
    f.window->run_command(cmd::kClose);
    EXPECT_EQ(f.window->windowTitle(), "Plotwell - <no project>");
}

TEST(MainWindowClose, AModifiedProjectAsksAndCancelKeepsTheWindow) {
    WindowFixture f;
    build_roads(f.workspace.project);
    f.workspace.project.modified = 1;
    QString question;
    when_modal<QMessageBox>([&](QMessageBox* box) {
        question = box->text();
        box->button(QMessageBox::Cancel)->click();
    });
    f.window->close();
    EXPECT_EQ(question, "Save current project?");
    EXPECT_TRUE(f.window->isVisible());
    when_modal<QMessageBox>([&](QMessageBox* box) { box->button(QMessageBox::No)->click(); });
    f.window->close();
    EXPECT_FALSE(f.window->isVisible());
    EXPECT_EQ(f.workspace.project.modified, 0);
}

TEST(MainWindowClose, AnUnmodifiedProjectClosesWithoutAQuestion) {
    WindowFixture f;
    build_roads(f.workspace.project);
    f.window->close();
    EXPECT_FALSE(f.window->isVisible());
}

TEST(MainWindowMouse, AClickSelectsTheObjectAndTheStatusBarShowsItsName) {
    WindowFixture f;
    build_roads(f.workspace.project);
    f.fit();
    set_current_layer(f.workspace.editor, 0);
    const QPoint at = f.widget_of({300, 300});  // on Main Street, away from its vertices
    f.move_to(at);
    QTest::mouseClick(f.map(), Qt::LeftButton, Qt::NoModifier, at);
    ASSERT_EQ(f.workspace.editor.current_objects.size(), 1u);
    EXPECT_EQ(field_text(f.workspace.editor.current_objects[0]->name), "Main Street");
    EXPECT_EQ(f.window->status_part(0)->text(), "Main Street");
    // The mouse position in map units.
    EXPECT_EQ(f.window->status_part(2)->text(), "X: 300, Y: 300");
    // Ctrl+click on the current object takes it out again.
    QTest::mouseClick(f.map(), Qt::LeftButton, Qt::ControlModifier, at);
    EXPECT_TRUE(f.workspace.editor.current_objects.empty());
    EXPECT_EQ(f.window->status_part(0)->text(), "");

    // A click on the empty sheet selects nothing.
    const QPoint empty = f.widget_of({200, 500});
    f.move_to(empty);
    QTest::mouseClick(f.map(), Qt::LeftButton, Qt::NoModifier, empty);
    EXPECT_TRUE(f.workspace.editor.current_objects.empty());
    EXPECT_EQ(f.window->status_part(0)->text(), "");
}

TEST(MainWindowKeys, KeysReachTheEditorThroughTheAcceleratorTable) {
    WindowFixture f;
    build_roads(f.workspace.project);
    f.fit();
    const float zoom = f.workspace.view.zoom;
    QTest::keyClick(f.map(), '+');
    EXPECT_FLOAT_EQ(f.workspace.view.zoom, zoom * 2);
    QTest::keyClick(f.map(), '-');
    EXPECT_FLOAT_EQ(f.workspace.view.zoom, zoom);
    const int32_t x = f.workspace.view.origin_x;
    QTest::keyClick(f.map(), Qt::Key_Right);
    EXPECT_EQ(f.workspace.view.origin_x, x + int32_t(40 / zoom));
    // PgDn is Layer Down: the background was current, layer 0 becomes current.
    QTest::keyClick(f.map(), Qt::Key_PageDown);
    EXPECT_EQ(f.workspace.editor.current_layer, 0);
    EXPECT_EQ(f.window->status_part(1)->text(), "curr layer: 0:Roads [ROADS]");
    QTest::keyClick(f.map(), Qt::Key_PageUp);
    EXPECT_EQ(f.window->status_part(1)->text(), "curr layer: <background>");
    // Esc drops the figure being drawn.
    f.window->run_command(cmd::kNewLine);
    f.workspace.editor.drawing_points = {{100, 300}};
    QTest::keyClick(f.map(), Qt::Key_Escape);
    EXPECT_TRUE(f.workspace.editor.drawing_points.empty());
    EXPECT_EQ(f.workspace.editor.tool_mode, kToolSelect);
}

TEST(MainWindowWheel, WheelScrollsByLinesAndCtrlWheelZooms) {
    WindowFixture f;
    build_roads(f.workspace.project);
    f.fit();
    const float zoom = f.workspace.view.zoom;
    const int32_t y = f.workspace.view.origin_y;
    const QPoint at = f.widget_of({500, 300});
    auto wheel = [&](int dy, Qt::KeyboardModifiers mods) {
        QWheelEvent e(QPointF(at), QPointF(f.map()->mapToGlobal(at)), QPoint(), QPoint(0, dy), Qt::NoButton,
                      mods, Qt::NoScrollPhase, false);
        QApplication::sendEvent(f.map(), &e);
    };
    wheel(-120, Qt::NoModifier);  // one notch toward the user: scroll down
    const int lines = std::max(1, QApplication::wheelScrollLines());
    // Decimal degrees: scrolling down shows smaller y, so the origin goes down.
    EXPECT_EQ(f.workspace.view.origin_y, y - lines * int32_t(40 / zoom));
    wheel(60, Qt::NoModifier);  // half a notch does nothing yet
    wheel(60, Qt::NoModifier);
    EXPECT_EQ(f.workspace.view.origin_y, y);
    wheel(120, Qt::ControlModifier);
    EXPECT_FLOAT_EQ(f.workspace.view.zoom, zoom * 2);
    wheel(-240, Qt::ControlModifier);
    EXPECT_FLOAT_EQ(f.workspace.view.zoom, zoom / 2);
}

TEST(MainWindowScrollBars, BarsShowTheViewAndTheirArrowsScroll) {
    WindowFixture f;
    QScrollBar* h = f.window->scroll_bar(ScrollBar::Horizontal);
    build_roads(f.workspace.project);
    f.fit();
    for (int i = 0; i < 3; ++i) QTest::keyClick(f.map(), '+');
    QApplication::processEvents();
    EXPECT_TRUE(h->isEnabled());
    EXPECT_EQ(h->value(), f.workspace.view.origin_x);
    EXPECT_EQ(h->minimum(), 0);
    const int32_t x = f.workspace.view.origin_x;
    h->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(f.workspace.view.origin_x, x + int32_t(40 / f.workspace.view.zoom));
}

TEST(MainWindowPaint, PixelsShowARedLineAndALightBlueRiver) {
    WindowFixture f;
    build_roads(f.workspace.project);
    f.fit();
    const QImage& picture = f.map()->picture();
    auto colour_at = [&](Point p) {
        const ScreenPoint s = f.client_of(p);
        return QColor(picture.pixel(s.x, s.y));
    };
    EXPECT_EQ(colour_at({300, 300}), QColor(255, 0, 0)) << "Main Street is red";
    EXPECT_EQ(colour_at({500, 450}), QColor(115, 177, 230)) << "the river is light blue";
    EXPECT_EQ(colour_at({200, 450}), QColor(255, 255, 255)) << "the sheet is white";
    const ScreenRect area = f.workspace.view.view_rect;
    EXPECT_EQ(QColor(picture.pixel(area.left + 1, area.top + 1)), QColor(64, 64, 64))
        << "dark grey beyond the sheet";
    // The widget shows that picture.
    const QImage shown = f.map()->grab().toImage();
    const QPoint w = f.widget_of({300, 300});
    EXPECT_EQ(QColor(shown.pixel(w)), QColor(255, 0, 0));
}

TEST(MainWindowPaint, BlinkAndRubberFramesLeaveThePictureAsItWas) {
    WindowFixture f;
    build_roads(f.workspace.project);
    f.fit();
    set_current_layer(f.workspace.editor, 0);
    set_current_object(f.ctx(), f.workspace.project.layers[0].objects);
    const QImage before = f.map()->picture().copy();
    EXPECT_EQ(f.window->blink_timer().interval(), 300);
    EXPECT_TRUE(f.window->blink_timer().isActive());
    f.window->forward([](EditorContext& ctx) { on_timer(ctx); });
    EXPECT_NE(f.map()->picture(), before) << "the current object is drawn inverted";
    f.window->forward([](EditorContext& ctx) { on_timer(ctx); });
    EXPECT_EQ(f.map()->picture(), before);

    f.window->forward([](EditorContext& ctx) { draw_xor_frame(ctx.host.overlay(), {100, 100, 300, 250}); });
    EXPECT_NE(f.map()->picture(), before);
    f.window->forward([](EditorContext& ctx) { draw_xor_frame(ctx.host.overlay(), {100, 100, 300, 250}); });
    EXPECT_EQ(f.map()->picture(), before);
}

TEST(MainWindowPaint, RubberBandOfTheRectangleToolDrawsAndErasesItsFrame) {
    WindowFixture f;
    build_roads(f.workspace.project);
    f.fit();
    set_current_layer(f.workspace.editor, 0);
    f.window->tool_action(cmd::kRectangleTool)->trigger();
    const QImage before = f.map()->picture().copy();
    const QPoint a = f.widget_of({200, 500}), b = f.widget_of({400, 400}), c = f.widget_of({450, 350});
    f.move_to(a);
    QTest::mousePress(f.map(), Qt::LeftButton, Qt::NoModifier, a);
    f.move_to(b, Qt::LeftButton);
    EXPECT_NE(f.map()->picture(), before) << "the rubber band shows";
    f.move_to(c, Qt::LeftButton);
    QTest::mouseRelease(f.map(), Qt::LeftButton, Qt::NoModifier, c);
    EXPECT_TRUE(selection_exists(f.workspace.editor.selection_rect));
}

TEST(MainWindowCursor, HostCursorsReachTheMapArea) {
    WindowFixture f;
    f.window->host().set_cursor(Cursor::SizeNwse);
    EXPECT_EQ(f.map()->cursor().shape(), Qt::SizeFDiagCursor);
    f.window->host().set_cursor(Cursor::Vertex);
    EXPECT_EQ(f.map()->cursor().shape(), Qt::BitmapCursor);
    EXPECT_FALSE(qt::cursor_for(Cursor::Vertex).pixmap().isNull());
    f.window->host().set_cursor(Cursor::Arrow);
    EXPECT_EQ(f.map()->cursor().shape(), Qt::ArrowCursor);
}

TEST(MainWindowMessages, MessageBoxesCarryCaptionIconAndAnswer) {
    WindowFixture f;
    QString text, caption;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    when_modal<QMessageBox>([&](QMessageBox* box) {
        text = box->text();
        caption = box->windowTitle();
        icon = box->icon();
        box->button(QMessageBox::No)->click();
    });
    const Answer a = f.window->host().message_box("Save current project?", "Confirm", MessageIcon::Question,
                                                  MessageButtons::YesNoCancel);
    EXPECT_EQ(a, Answer::No);
    EXPECT_EQ(text, "Save current project?");
    EXPECT_EQ(caption, "Confirm");
    EXPECT_EQ(icon, QMessageBox::Question);

    // A click with an empty range is refused with the editor's warning.
    set_field(f.workspace.project.file_base_name, "empty");
    add_layer(f.workspace.project, "Roads");
    f.workspace.project.range = {180000000, 180000000, -360000000, -360000000};
    f.workspace.project.coord_sys = kCoordDegrees;
    set_current_layer(f.workspace.editor, 0);
    when_modal<QMessageBox>([&](QMessageBox* box) {
        text = box->text();
        icon = box->icon();
        box->button(QMessageBox::Ok)->click();
    });
    QTest::mouseClick(f.map(), Qt::LeftButton, Qt::NoModifier, QPoint(50, 50));
    EXPECT_TRUE(text.startsWith("Project has empty coordinate range!"));
    EXPECT_EQ(icon, QMessageBox::Warning);
}

TEST(MainWindowMouse, RightClickOpensTheContextMenuAndItsCommandRuns) {
    WindowFixture f;
    build_roads(f.workspace.project);
    add_line(f.workspace.project.layers[0], "Town Park", {{600, 100}, {800, 100}, {800, 250}, {600, 250}},
             kDimPolygon, kOpenSpace);
    f.fit();
    QTest::keyClick(f.map(), Qt::Key_PageDown);
    const QPoint on_edge = f.widget_of({700, 100});
    f.move_to(on_edge);
    QTest::mouseClick(f.map(), Qt::LeftButton, Qt::NoModifier, on_edge);
    ASSERT_EQ(f.workspace.editor.current_objects.size(), 1u);
    ASSERT_EQ(field_text(f.workspace.editor.current_objects[0]->name), "Town Park");

    // On a vertex of the current polygon the vertex menu opens; "Mark Split Point" remembers the vertex.
    QStringList offered;
    auto* timer = new QTimer;
    pending_modal_answers().push_back(timer);
    QObject::connect(timer, &QTimer::timeout, [&, timer]() {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu) return;
        timer->stop();
        timer->deleteLater();
        for (QAction* a : menu->actions()) offered << a->text();
        // As the user would: the second entry, chosen with the keyboard.
        menu->setActiveAction(menu->actions().value(1));
        QTest::keyClick(menu, Qt::Key_Return);
    });
    timer->start(5);
    const QPoint vertex = f.widget_of({800, 250});
    f.move_to(vertex);
    QTest::mousePress(f.map(), Qt::RightButton, Qt::NoModifier, vertex);
    QTest::mouseRelease(f.map(), Qt::RightButton, Qt::NoModifier, vertex);
    EXPECT_EQ(offered, (QStringList{"Delete Point", "Mark Split Point", "Split Polygon Here"}));
    EXPECT_EQ(f.workspace.editor.split_mark, 2);
}
