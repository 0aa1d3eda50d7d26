// The modal "Progress" dialog that runs one long task on a worker thread: a task log, a progress bar and
// one button that becomes "Stop" or "OK". The worker reports through a ProgressSink whose calls are
// delivered to the dialog synchronously.
#pragma once

#include <QDialog>
#include <atomic>
#include <functional>
#include <optional>
#include <thread>

#include "platform/progress_sink.h"

class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace plotwell::qt {

using TaskFunction = std::function<void(ProgressSink&)>;
using StopFunction = std::function<void()>;

// A second button beside "OK" once the task has ended (see ProgressOptions::finish_button).
struct FinishButton {
    QString caption;
    std::function<bool()> offered;  // none: always
};

class ProgressDialog : public QDialog {
    Q_OBJECT
  public:
    ProgressDialog(QWidget* owner, TaskFunction task, StopFunction stop, FinishButton finish = {});
    ~ProgressDialog() override;

    // Shows the dialog, runs the task and returns the result it closed with (1 after OK or Stop). Returns
    // only after the worker has ended.
    int run();

    QPlainTextEdit* log_view() const { return log_; }
    QProgressBar* progress_bar() const { return bar_; }
    QPushButton* button() const { return button_; }
    QPushButton* finish_button() const { return finish_button_; }

    // Called on the user interface thread by the worker's sink.
    void append_log(const QString& text);
    void set_range(int n);
    void set_position(int i);
    void show_ok();
    void fill_bar_unless_stopped();
    void request_close(int result);

  protected:
    void reject() override;  // Escape and the close box do nothing: only the button ends the dialog
    void showEvent(QShowEvent* event) override;

  private:
    void button_pressed();
    void worker_finished();
    void finish_when_ready();

    TaskFunction task_;
    StopFunction stop_;
    QPlainTextEdit* log_;
    QProgressBar* bar_;
    QPushButton* button_;
    FinishButton finish_;
    QPushButton* finish_button_;
    std::thread worker_;
    bool started_ = false;
    bool worker_done_ = false;
    bool ok_mode_ = false;
    bool stopped_ = false;  // Stop was pressed: the bar stays where the task ended
    std::optional<int> result_;
};

// Runs a task behind the dialog, owned by `owner`.
int run_with_progress(QWidget* owner, TaskFunction task, StopFunction stop = nullptr,
                      FinishButton finish = {});

}  // namespace plotwell::qt
