// Helpers for the widget tests: a main window over a project built in memory, and answering the next
// modal dialog (a file dialog, a task's progress dialog) from the event loop.
#pragma once

#include <QApplication>
#include <QFileDialog>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "editor/editor_context.h"
#include "editor/input_dispatch.h"
#include "editor/view_state.h"
#include "editor/workspace.h"
#include "qt/main_window.h"
#include "qt/map_widget.h"
#include "qt/progress_dialog.h"

namespace plotwell::test {

// Timers of when_modal that have not fired yet; each test's end removes them, so that an answer a test
// did not use never answers the next test's dialog.
inline std::vector<QPointer<QTimer>>& pending_modal_answers() {
    static std::vector<QPointer<QTimer>> timers;
    return timers;
}
inline void drop_pending_modal_answers() {
    for (QPointer<QTimer>& t : pending_modal_answers())
        if (t) delete t.data();
    pending_modal_answers().clear();
}

// Waits (from the event loop) for a visible modal widget of type T and hands it to `act`, once.
template <class T>
void when_modal(std::function<void(T*)> act) {
    auto* timer = new QTimer;
    pending_modal_answers().push_back(timer);
    QObject::connect(timer, &QTimer::timeout, [timer, act]() {
        auto* w = qobject_cast<T*>(QApplication::activeModalWidget());
        if (!w || !w->isVisible()) return;
        timer->stop();
        timer->deleteLater();
        act(w);
    });
    timer->start(5);
}

// Answers the next file dialog by choosing `path` in it.
inline void choose_file(const std::string& path) {
    when_modal<QFileDialog>([path](QFileDialog* d) {
        d->selectFile(QString::fromStdString(path));
        QMetaObject::invokeMethod(d, "accept");
    });
}

// Once the progress dialog offers "OK" (its task has ended), hands it to `seen` and presses OK.
inline void press_ok_when_offered(qt::ProgressDialog* d, std::function<void(qt::ProgressDialog*)> seen = {}) {
    auto* poll = new QTimer(d);
    QObject::connect(poll, &QTimer::timeout, d, [d, poll, seen]() {
        if (!d->button()->isVisible() || d->button()->text() != "OK") return;
        poll->stop();
        if (seen) seen(d);
        d->button()->click();
    });
    poll->start(5);
}

// Answers the next progress dialog with OK once its task has ended, after `seen` has looked at it.
inline void when_task_ends(std::function<void(qt::ProgressDialog*)> seen = {}) {
    when_modal<qt::ProgressDialog>([seen](qt::ProgressDialog* d) { press_ok_when_offered(d, seen); });
}

// A shown main window of a fixed client size over its own workspace.
struct WindowFixture {
    Workspace workspace;
    std::unique_ptr<qt::MainWindow> window;

    WindowFixture() {
        window = std::make_unique<qt::MainWindow>(workspace);
        window->resize(820, 640);
        window->show();
        QApplication::processEvents();
    }
    EditorContext& ctx() { return window->context(); }
    qt::MapWidget* map() { return window->map_widget(); }
    // Lays the window out again and fits the view to the project's range.
    void fit() {
        window->relayout();
        fit_view(workspace.view, workspace.project);
        map()->invalidate();
        QApplication::processEvents();
    }
    // Client position of a map point, and the same point in the map widget's own pixels.
    ScreenPoint client_of(Point p) { return world_to_screen(workspace.view, workspace.project, p); }
    // A mouse move over the map area (with the buttons held).
    void move_to(QPoint at, Qt::MouseButtons buttons = Qt::NoButton) {
        QMouseEvent move(QEvent::MouseMove, QPointF(at), QPointF(map()->mapToGlobal(at)), Qt::NoButton,
                         buttons, Qt::NoModifier);
        QApplication::sendEvent(map(), &move);
    }
    QPoint widget_of(Point p) {
        const ScreenPoint s = client_of(p);
        return QPoint(s.x, s.y) - map()->pos();
    }
};

}  // namespace plotwell::test

// Readable QStrings in failure messages.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}
QT_END_NAMESPACE
