#include "qt/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QResizeEvent>
#include <QScrollBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

#include "editor/command_ids.h"
#include "editor/input_dispatch.h"
#include "editor/menus.h"
#include "editor/status_bar.h"
#include "editor/undo_commands.h"
#include "editor/tool_tips.h"
#include "editor/view_commands.h"
#include "editor/window_title.h"
#include "qt/layer_panel.h"
#include "qt/map_widget.h"
#include "qt/recent_projects_menu.h"
#include "qt/text_codec.h"
#include "qt/toolbar_images.h"
#include "qt/view_settings.h"

namespace plotwell::qt {

namespace {
bool same_menu(const char* a, const char* b) {
    if (!a || !b) return a == b;
    return std::string_view(a) == b;
}
}  // namespace

MainWindow::MainWindow(Workspace& workspace) : workspace_(workspace), host_(this), ctx_(workspace, host_) {
    setWindowTitle(from_local_text(window_title(workspace.project)));
    setWindowIcon(program_icon());
    load_view_settings(workspace.view);
    build_client();
    build_layer_panel();
    build_menu();
    build_toolbar();
    build_context_menus();
    if (recent_projects_) recent_projects_->sync(workspace.recent_projects.files);
    resize(1000, 720);
    // The blink timer lives as long as the window.
    blink_.setInterval(kBlinkIntervalMs);
    connect(&blink_, &QTimer::timeout, this, &MainWindow::blink);
    blink_.start();
    map_->setFocus();
}

MainWindow::~MainWindow() {
    blink_.stop();
}

void MainWindow::build_client() {
    client_ = new QWidget(this);
    client_->installEventFilter(this);
    setCentralWidget(client_);

    toolbar_ = new QToolBar(client_);
    toolbar_->setIconSize(QSize(kToolbarImageSize, kToolbarImageSize));
    toolbar_->setMovable(false);
    toolbar_->setFocusPolicy(Qt::NoFocus);

    status_bar_ = new QWidget(client_);
    for (size_t i = 0; i < status_parts_.size(); ++i) {
        auto* label = new QLabel(status_bar_);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setTextFormat(Qt::PlainText);
        label->setIndent(3);
        status_parts_[i] = label;
    }
    status_bar_->setFixedHeight(status_parts_[0]->sizeHint().height() + 4);

    hbar_ = new QScrollBar(Qt::Horizontal, client_);
    vbar_ = new QScrollBar(Qt::Vertical, client_);
    for (QScrollBar* bar : {hbar_, vbar_}) {
        bar->setFocusPolicy(Qt::NoFocus);
        bar->setEnabled(false);
        // Thumb tracking moves only the bar; the view follows when the thumb is let go.
        bar->setTracking(false);
    }
    connect(hbar_, &QScrollBar::actionTriggered, this,
            [this](int a) { scroll_action(ScrollBar::Horizontal, a); });
    connect(vbar_, &QScrollBar::actionTriggered, this,
            [this](int a) { scroll_action(ScrollBar::Vertical, a); });
    connect(hbar_, &QScrollBar::sliderReleased, this, [this]() { scroll_released(ScrollBar::Horizontal); });
    connect(vbar_, &QScrollBar::sliderReleased, this, [this]() { scroll_released(ScrollBar::Vertical); });

    map_ = new MapWidget(this, client_);
}

void MainWindow::build_menu() {
    QMenu* top = nullptr;
    QMenu* sub = nullptr;
    const char* top_caption = nullptr;
    const char* sub_caption = nullptr;
    for (const MenuEntry& e : startup_menu()) {
        if (!top || !same_menu(top_caption, e.menu)) {
            top = menuBar()->addMenu(from_local_text(e.menu));
            top_caption = e.menu;
            sub = nullptr;
            sub_caption = nullptr;
        }
        QMenu* target = top;
        if (e.submenu) {
            if (!sub || !same_menu(sub_caption, e.submenu)) {
                sub = top->addMenu(from_local_text(e.submenu));
                sub_caption = e.submenu;
            }
            target = sub;
        } else {
            sub = nullptr;
            sub_caption = nullptr;
        }
        // The key is shown after a tab; the accelerator table itself is the editor's, reached through the
        // map area's key handling, so the action registers no shortcut of its own.
        QString text = from_local_text(e.caption);
        if (e.key) text += '\t' + QString::fromLatin1(e.key);
        QAction* action = target->addAction(text);
        action->setData(e.command);
        const int command = e.command;
        menu_actions_[command] = action;
        if (command == cmd::kLayerPanel || view_toggle_state(workspace_.view, command)) {
            bind_view_toggle(action, command);
            continue;
        }
        connect(action, &QAction::triggered, this, [this, command]() { run_command(command); });
        if (command == cmd::kUndoChange) undo_action_ = action;
        if (command == cmd::kRedo) redo_action_ = action;
        if (command == cmd::kExit)
            recent_projects_ = std::make_unique<RecentProjectsMenu>(
                target, action, [this](int recent) { run_command(recent); });
    }
    show_history();
}

void MainWindow::show_history() {
    const auto show = [](QAction* action, const HistoryEntry& entry, const char* key) {
        if (!action) return;
        action->setText(from_local_text(entry.caption) + '\t' + QString::fromLatin1(key));
        action->setEnabled(entry.enabled);
    };
    show(undo_action_, undo_entry(workspace_), "Ctrl+Z");
    show(redo_action_, redo_entry(workspace_), "Ctrl+Y");
}

void MainWindow::build_layer_panel() {
    layer_panel_ = new LayerPanel(this, this);
    addDockWidget(Qt::LeftDockWidgetArea, layer_panel_);
    layer_panel_->setVisible(layer_panel_setting());
    layer_panel_->refresh();
}

void MainWindow::bind_view_toggle(QAction* action, int command) {
    action->setCheckable(true);
    if (command == cmd::kLayerPanel) {
        action->setChecked(!layer_panel_->isHidden());
        connect(action, &QAction::triggered, this, [this](bool on) {
            layer_panel_->setVisible(on);
            save_layer_panel_setting(on);
        });
        // The dock's own close button unchecks the entry.
        connect(layer_panel_->toggleViewAction(), &QAction::toggled, action, &QAction::setChecked);
        return;
    }
    action->setChecked(view_toggle_state(workspace_.view, command).value_or(false));
    connect(action, &QAction::triggered, this, [this, action, command]() {
        run_command(command);
        action->setChecked(view_toggle_state(workspace_.view, command).value_or(false));
        save_view_settings(workspace_.view);
    });
}

QAction* MainWindow::menu_action(int command) const {
    auto it = menu_actions_.find(command);
    return it == menu_actions_.end() ? nullptr : it->second;
}

void MainWindow::build_toolbar() {
    for (const ToolButton& b : toolbar_buttons()) {
        if (b.kind == ToolButtonKind::Separator) {
            toolbar_->addSeparator();
            continue;
        }
        QAction* action = toolbar_->addAction(QIcon(QPixmap::fromImage(toolbar_image(b.image))), QString());
        action->setData(b.command);
        const bool group = b.kind == ToolButtonKind::GroupA || b.kind == ToolButtonKind::GroupB;
        action->setCheckable(group);
        action->setChecked(b.initially_pressed);
        action->setToolTip(from_local_text(tool_tip(b.command)));
        tool_actions_[b.command] = action;
        const int command = b.command;
        connect(action, &QAction::triggered, this, [this, command]() { tool_button_clicked(command); });
    }
    for (QToolButton* button : toolbar_->findChildren<QToolButton*>()) button->setFocusPolicy(Qt::NoFocus);
}

void MainWindow::build_context_menus() {
    for (int id = 0; id < kContextMenuCount; ++id) {
        auto menu = std::make_unique<QMenu>();
        for (const ContextMenuEntry& e : context_menu_entries(id)) {
            QAction* action = menu->addAction(from_local_text(e.caption));
            action->setData(e.command);
        }
        context_menus_.push_back(std::move(menu));
    }
}

QAction* MainWindow::tool_action(int command) const {
    auto it = tool_actions_.find(command);
    return it == tool_actions_.end() ? nullptr : it->second;
}

QMenu* MainWindow::context_menu(int menu) const {
    if (menu < 0 || size_t(menu) >= context_menus_.size()) return nullptr;
    return context_menus_[size_t(menu)].get();
}

CommandResult MainWindow::run_command(int command) {
    CommandResult result = CommandResult::Unknown;
    forward([&](EditorContext& ctx) { result = handle_command(ctx, command); });
    if (layer_panel_) layer_panel_->refresh();  // a command may change any layer without a repaint
    // A command whose work this build does not have yet changes nothing; the user hears that it did not run.
    return result;
}

void MainWindow::tool_button_clicked(int command) {
    // A radio group behaves as the toolbar's check groups do: the clicked button is pressed, the others
    // of its group released; pressing a pressed button keeps it pressed.
    ToolButtonKind kind = ToolButtonKind::Push;
    for (const ToolButton& b : toolbar_buttons())
        if (b.command == command) kind = b.kind;
    if (kind == ToolButtonKind::GroupA || kind == ToolButtonKind::GroupB) {
        for (const ToolButton& b : toolbar_buttons())
            if (b.kind == kind) set_tool_button(b.command, b.command == command);
    }
    run_command(command);
}

void MainWindow::set_tool_button(int command, bool pressed) {
    if (QAction* a = tool_action(command); a && a->isCheckable()) a->setChecked(pressed);
}

void MainWindow::set_scroll_bar(ScrollBar bar, const ScrollBarValues& v) {
    QScrollBar* b = scroll_bar(bar);
    updating_bars_ = true;
    // The platform's bar runs from minimum to maximum with a page; its thumb stops a page before the end.
    const int64_t top = std::max<int64_t>(v.minimum, int64_t(v.maximum) - std::max(v.page, 0) + 1);
    b->setRange(v.minimum, int32_t(std::min<int64_t>(top, INT32_MAX)));
    b->setPageStep(std::max(v.page, 1));
    b->setValue(v.position);
    b->setEnabled(v.enabled);
    updating_bars_ = false;
}

void MainWindow::scroll_action(ScrollBar bar, int action) {
    if (updating_bars_) return;
    ScrollAction a;
    switch (action) {
        case QAbstractSlider::SliderSingleStepSub:
            a = ScrollAction::LineBack;
            break;
        case QAbstractSlider::SliderSingleStepAdd:
            a = ScrollAction::LineForward;
            break;
        case QAbstractSlider::SliderPageStepSub:
            a = ScrollAction::PageBack;
            break;
        case QAbstractSlider::SliderPageStepAdd:
            a = ScrollAction::PageForward;
            break;
        default:
            return;  // tracking and the rest are not handled
    }
    forward([bar, a](EditorContext& ctx) { on_scroll(ctx, bar, a); });
}

void MainWindow::scroll_released(ScrollBar bar) {
    // The thumb's whole position: the view's origin is a full 32-bit map coordinate.
    const int32_t position = scroll_bar(bar)->sliderPosition();
    forward(
        [bar, position](EditorContext& ctx) { on_scroll(ctx, bar, ScrollAction::ThumbRelease, position); });
}

void MainWindow::set_status_text(int part, const QString& text) {
    if (part >= 0 && size_t(part) < status_parts_.size()) status_parts_[size_t(part)]->setText(text);
}

void MainWindow::set_status_parts(const std::array<int32_t, 3>& right_edges) {
    int left = 0;
    for (size_t i = 0; i < right_edges.size(); ++i) {
        const int right = std::max(left, int(right_edges[i]));
        status_parts_[i]->setGeometry(left, 2, std::max(0, right - left - 2), status_bar_->height() - 2);
        left = right;
    }
    // The degrees take the rest of the bar, right of the three parts.
    status_parts_[3]->setGeometry(left, 2, std::max(0, status_bar_->width() - left - 2),
                                  status_bar_->height() - 2);
}

void MainWindow::lay_out() {
    WindowMetrics m;
    m.toolbar_height = toolbar_->sizeHint().height();
    m.status_height = status_bar_->height();
    m.vscroll_width = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, vbar_);
    m.hscroll_height = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, hbar_);
    m.drag_distance = QApplication::startDragDistance();
    const WindowLayout l = compute_layout(client_->width(), client_->height(), m);
    auto place = [](QWidget* w, const ScreenRect& r) {
        w->setGeometry(r.left, r.top, std::max(0, r.right - r.left), std::max(0, r.bottom - r.top));
    };
    place(toolbar_, l.toolbar);
    place(status_bar_, l.status_bar);
    place(hbar_, l.hscroll);
    place(vbar_, l.vscroll);
    place(map_, l.map_area);
    map_->resize_picture(l.client_width, l.client_height);
    if (map_->task_running()) {
        // The editor learns the new size once the task has ended; until then the map keeps its picture.
        ctx_.editor.layout = l;
        return;
    }
    forward([&](EditorContext& ctx) { on_resize(ctx, l.client_width, l.client_height, m); });
    map_->invalidate();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == client_ && event->type() == QEvent::Resize) lay_out();
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::blink() {
    // While a task runs the project belongs to it; a pending repaint will restart the blink anyway.
    if (map_->task_running() || map_->picture_dirty()) return;
    forward([](EditorContext& ctx) { on_timer(ctx); });
}

void MainWindow::after_event() {
    map_->overlay_done();
    show_history();
    if (recent_projects_) recent_projects_->sync(workspace_.recent_projects.files);
    // Whatever asked for a repaint may have changed the layers; the panel compares before it redraws.
    if (layer_panel_ && map_->picture_dirty()) layer_panel_->refresh();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (map_->task_running()) {
        event->ignore();
        return;
    }
    bool close = true;
    forward([&](EditorContext& ctx) { close = close_request(ctx); });
    if (!close) {
        event->ignore();
        return;
    }
    blink_.stop();
    event->accept();
}

}  // namespace plotwell::qt
