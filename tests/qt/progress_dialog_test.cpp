#include "qt/progress_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <thread>
#include <utility>

#include "qt/text_codec.h"

using namespace plotwell;
using namespace plotwell::qt;

namespace {
// Finds the open progress dialog from the event loop, then runs `act` on it.
void when_shown(std::function<void(ProgressDialog*)> act) {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, act]() {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* d = qobject_cast<ProgressDialog*>(w);
            if (d && d->isVisible()) {
                timer->stop();
                timer->deleteLater();
                act(d);
                return;
            }
        }
    });
    timer->start(5);
}
}  // namespace

TEST(ProgressDialog, ATaskThatClosesItselfReturnsItsResultWithoutTheUser) {
    QString log;
    bool button_seen = true;
    int result = run_with_progress(nullptr, [&](ProgressSink& sink) {
        sink.log_line("Loading layer objects...\r\n");
        sink.log_line("no line end, ");
        sink.log_line("same line\r\n");
        sink.set_progress_range(10);
        sink.set_progress_pos(5);
        // Widgets are read on their own thread only.
        QMetaObject::invokeMethod(
            qApp,
            [&]() {
                for (QWidget* w : QApplication::topLevelWidgets())
                    if (auto* d = qobject_cast<ProgressDialog*>(w)) {
                        log = d->log_view()->toPlainText();
                        button_seen = d->button()->isVisible();
                    }
            },
            Qt::BlockingQueuedConnection);
        sink.close_progress(0);
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(log, "Loading layer objects...\nno line end, same line\n");
    EXPECT_FALSE(button_seen) << "a task without a stop operation shows no button";
}

TEST(ProgressDialog, TheBarEndsFullWhenTheTaskClosesWithSuccess) {
    // Tasks report every 16th step, so the last position they send falls short of the range.
    const auto run = [](int range, int result) {
        ProgressDialog d(
            nullptr,
            [=](ProgressSink& sink) {
                sink.set_progress_range(range);
                if (range > 0) sink.set_progress_pos(range - 3);
                sink.close_progress(result);
            },
            nullptr);
        EXPECT_EQ(d.run(), result);
        return std::pair(d.progress_bar()->value(), d.progress_bar()->maximum());
    };
    EXPECT_EQ(run(40, 1), std::pair(40, 40));
    EXPECT_EQ(run(40, 0), std::pair(37, 40)) << "a failed task leaves the bar where it stopped";
    const auto [value, maximum] = run(0, 1);  // nothing to count: no busy bar once done
    EXPECT_GT(maximum, 0);
    EXPECT_EQ(value, maximum);

    // A task that ends by offering "OK" after its log has finished too.
    int bar = 0;
    when_shown([&bar](ProgressDialog* d) {
        QTimer::singleShot(20, d, [d, &bar]() {
            bar = d->progress_bar()->value();
            d->button()->click();
        });
    });
    run_with_progress(nullptr, [](ProgressSink& sink) {
        sink.set_progress_range(40);
        sink.set_progress_pos(32);
        sink.show_ok_button();
    });
    EXPECT_EQ(bar, 40);
}

TEST(ProgressDialog, OkEndsATaskThatShowedItsLog) {
    when_shown([](ProgressDialog* d) {
        QTimer::singleShot(20, d, [d]() {
            ASSERT_TRUE(d->button()->isVisible());
            EXPECT_EQ(d->button()->text(), "OK");
            d->button()->click();
        });
    });
    int result = run_with_progress(nullptr, [](ProgressSink& sink) {
        sink.log_line("PDB file successfully created!\r\n");
        sink.show_ok_button();
    });
    EXPECT_EQ(result, 1);
}

TEST(ProgressDialog, StopWaitsForTheWorkerToEnd) {
    std::atomic<bool> running{true};
    std::atomic<bool> worker_ended{false};
    when_shown([](ProgressDialog* d) {
        EXPECT_EQ(d->button()->text(), "Stop");
        d->button()->click();
    });
    int result = run_with_progress(
        nullptr,
        [&](ProgressSink& sink) {
            while (running) std::this_thread::sleep_for(std::chrono::milliseconds(1));
            // The worker still reports after Stop: the dialog must keep serving it.
            sink.log_line("Stopped.\r\n");
            std::this_thread::sleep_for(std::chrono::milliseconds(30));
            worker_ended = true;
            sink.show_ok_button();
        },
        [&]() { running = false; });
    EXPECT_EQ(result, 1);
    EXPECT_TRUE(worker_ended) << "the dialog returned before the worker ended";
}

TEST(TextCodec, Windows1252RoundTrip) {
    std::string all;
    for (int c = 1; c < 256; ++c) all.push_back(char(c));
    const QString wide = from_local_text(all);
    EXPECT_EQ(wide[0x80 - 1], QChar(0x20AC));
    EXPECT_EQ(wide[0xE9 - 1], QChar(0xE9));
    EXPECT_EQ(to_local_text(wide), all);
    EXPECT_EQ(to_local_text(QString::fromUtf8("\xe2\x82\xac\xe4\xb8\xad")), "\x80?");
}
