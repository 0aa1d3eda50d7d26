#include "qt/progress_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMetaObject>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

#include "platform/host.h"
#include "qt/text_codec.h"

namespace plotwell::qt {

namespace {
// The worker's side: every call waits until the dialog has applied it.
class DialogSink final : public ProgressSink {
  public:
    explicit DialogSink(ProgressDialog* dialog) : dialog_(dialog) {}
    void log_line(std::string_view text) override {
        const QString line = from_local_text(text);
        deliver([line](ProgressDialog* d) { d->append_log(line); });
    }
    void set_progress_range(int n) override {
        deliver([n](ProgressDialog* d) { d->set_range(n); });
    }
    void set_progress_pos(int i) override {
        deliver([i](ProgressDialog* d) { d->set_position(i); });
    }
    void show_ok_button() override {
        deliver([](ProgressDialog* d) {
            d->fill_bar_unless_stopped();
            d->show_ok();
        });
    }
    void close_progress(int result) override {
        deliver([result](ProgressDialog* d) { d->request_close(result); });
    }

  private:
    template <class F>
    void deliver(F f) {
        ProgressDialog* d = dialog_;
        QMetaObject::invokeMethod(
            d, [d, f]() { f(d); }, Qt::BlockingQueuedConnection);
    }
    ProgressDialog* dialog_;
};
}  // namespace

ProgressDialog::ProgressDialog(QWidget* owner, TaskFunction task, StopFunction stop, FinishButton finish)
    : QDialog(owner), task_(std::move(task)), stop_(std::move(stop)), finish_(std::move(finish)) {
    setWindowTitle("Progress");
    setModal(true);
    setWindowFlag(Qt::WindowCloseButtonHint, false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("Task Log:", this));
    log_ = new QPlainTextEdit(this);
    log_->setReadOnly(true);
    log_->setMinimumSize(420, 220);
    layout->addWidget(log_);
    bar_ = new QProgressBar(this);
    bar_->setRange(0, 100);
    bar_->setValue(0);
    bar_->setTextVisible(false);
    layout->addWidget(bar_);
    button_ = new QPushButton(this);
    button_->setVisible(false);
    finish_button_ = new QPushButton(finish_.caption, this);
    finish_button_->setVisible(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(button_);
    buttons->addWidget(finish_button_);
    buttons->addStretch();
    layout->addLayout(buttons);
    connect(button_, &QPushButton::clicked, this, &ProgressDialog::button_pressed);
    connect(finish_button_, &QPushButton::clicked, this, [this]() {
        if (!result_) result_ = kProgressFinishChoice;
        finish_when_ready();
    });
    if (stop_) {
        button_->setText("Stop");
        button_->setVisible(true);
    }
}

ProgressDialog::~ProgressDialog() {
    if (worker_.joinable()) worker_.join();
}

int ProgressDialog::run() {
    exec();
    return result_.value_or(0);
}

void ProgressDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (started_) return;
    started_ = true;
    // The worker starts once the dialog is up, so that its first synchronous call has a dialog to reach.
    worker_ = std::thread([this]() {
        DialogSink sink(this);
        task_(sink);
        QMetaObject::invokeMethod(
            this, [this]() { worker_finished(); }, Qt::QueuedConnection);
    });
}

void ProgressDialog::append_log(const QString& text) {
    // The task ends its lines with CR LF; the log shows them as line breaks and runs unfinished lines on.
    QString plain = text;
    plain.remove('\r');
    log_->moveCursor(QTextCursor::End);
    log_->insertPlainText(plain);
    log_->verticalScrollBar()->setValue(log_->verticalScrollBar()->maximum());
}

void ProgressDialog::set_range(int n) {
    bar_->setRange(0, n > 0 ? n : 0);
}
void ProgressDialog::set_position(int i) {
    bar_->setValue(i);
}

void ProgressDialog::show_ok() {
    ok_mode_ = true;
    button_->setText("OK");
    button_->setEnabled(true);
    button_->setVisible(true);
    button_->setFocus();
    if (!finish_.caption.isEmpty() && (!finish_.offered || finish_.offered()))
        finish_button_->setVisible(true);
}

// Tasks report every few steps, so their last position may fall short of the range; a task that
// ran to its end has done all of it. An empty range would leave the busy animation instead.
void ProgressDialog::fill_bar_unless_stopped() {
    if (stopped_) return;
    if (bar_->maximum() <= bar_->minimum()) bar_->setRange(0, 1);
    bar_->setValue(bar_->maximum());
}

void ProgressDialog::request_close(int result) {
    if (result == 1) fill_bar_unless_stopped();
    // After Stop the dialog's answer is already 1; the worker's own close does not change it.
    if (!result_) result_ = result;
    finish_when_ready();
}

void ProgressDialog::button_pressed() {
    if (!ok_mode_ && stop_) {
        stopped_ = true;
        stop_();
        button_->setEnabled(false);
    }
    if (!result_) result_ = 1;
    finish_when_ready();
}

void ProgressDialog::worker_finished() {
    if (worker_.joinable()) worker_.join();
    worker_done_ = true;
    // A task that ended without closing and without offering "OK" would leave the user stuck.
    if (!result_ && !ok_mode_) show_ok();
    finish_when_ready();
}

void ProgressDialog::finish_when_ready() {
    // Never hand control back while the worker still runs: it may still be finishing a record.
    if (result_ && worker_done_) done(*result_);
}

void ProgressDialog::reject() {}

int run_with_progress(QWidget* owner, TaskFunction task, StopFunction stop, FinishButton finish) {
    ProgressDialog dialog(owner, std::move(task), std::move(stop), std::move(finish));
    return dialog.run();
}

}  // namespace plotwell::qt
