// The main window: menu bar, toolbar, status bar, scroll bars and the map area, laid out by the editor's
// window layout. Everything it receives goes to the editor core; everything it shows comes from there.
#pragma once

#include <QMainWindow>
#include <QTimer>
#include <array>
#include <map>
#include <memory>
#include <vector>

#include "editor/commands.h"
#include "editor/editor_context.h"
#include "editor/workspace.h"
#include "qt/qt_host.h"

class QAction;
class QLabel;
class QMenu;
class QScrollBar;
class QToolBar;

namespace plotwell::qt {

class LayerPanel;
class MapWidget;
class RecentProjectsMenu;

class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    explicit MainWindow(Workspace& workspace);
    ~MainWindow() override;

    EditorContext& context() { return ctx_; }
    QtHost& host() { return host_; }
    MapWidget* map_widget() const { return map_; }
    QWidget* client_area() const { return client_; }
    QToolBar* tool_bar() const { return toolbar_; }
    QScrollBar* scroll_bar(ScrollBar bar) const { return bar == ScrollBar::Horizontal ? hbar_ : vbar_; }
    QLabel* status_part(int part) const { return status_parts_.at(size_t(part)); }
    LayerPanel* layer_panel() const { return layer_panel_; }
    // The menu bar's action of a command, or null.
    QAction* menu_action(int command) const;
    QAction* tool_action(int command) const;
    QMenu* context_menu(int menu) const;
    const QTimer& blink_timer() const { return blink_; }

    // Runs a command as the menu would; the editor's answer.
    CommandResult run_command(int command);
    // Runs an editor handler and then shows the XOR feedback it drew.
    template <class F>
    void forward(F&& f) {
        f(ctx_);
        after_event();
    }

    void set_tool_button(int command, bool pressed);
    void set_scroll_bar(ScrollBar bar, const ScrollBarValues& values);
    void set_status_text(int part, const QString& text);
    void set_status_parts(const std::array<int32_t, 3>& right_edges);
    // Lays the children out again and tells the editor the size (after a task that held it back).
    void relayout() { lay_out(); }

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void build_menu();
    void build_layer_panel();
    // The View menu's check marks for the panel and the toggles; remembered between runs.
    void bind_view_toggle(QAction* action, int command);
    void build_toolbar();
    void build_context_menus();
    void build_client();
    void lay_out();
    void tool_button_clicked(int command);
    void scroll_action(ScrollBar bar, int action);
    void scroll_released(ScrollBar bar);
    void blink();
    void after_event();
    // The Edit menu's Undo and Redo name what they would do, and are off when there is nothing.
    void show_history();

    Workspace& workspace_;
    QtHost host_;
    EditorContext ctx_;
    QWidget* client_ = nullptr;
    QToolBar* toolbar_ = nullptr;
    QAction* undo_action_ = nullptr;
    QAction* redo_action_ = nullptr;
    QWidget* status_bar_ = nullptr;
    std::array<QLabel*, 4> status_parts_{};  // the fourth: the position in degrees
    QScrollBar* hbar_ = nullptr;
    QScrollBar* vbar_ = nullptr;
    MapWidget* map_ = nullptr;
    LayerPanel* layer_panel_ = nullptr;
    std::map<int, QAction*> menu_actions_;
    QTimer blink_;
    std::map<int, QAction*> tool_actions_;
    std::vector<std::unique_ptr<QMenu>> context_menus_;
    std::unique_ptr<RecentProjectsMenu> recent_projects_;
    bool updating_bars_ = false;
};

}  // namespace plotwell::qt
