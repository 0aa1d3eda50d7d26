#include <gtest/gtest.h>

#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <atomic>
#include <chrono>
#include <thread>

#include "editor/command_ids.h"
#include "export/publisher_dialog.h"
#include "model/text.h"
#include "qt/frame_dialog_views.h"
#include "qt/progress_dialog.h"
#include "qt_test_support.h"
#include "support/object_builders.h"

using namespace plotwell;
using namespace plotwell::test;

namespace {
struct UnknownModel final : DialogModel {
    std::string_view dialog_title() const override { return "Layers"; }
};
}  // namespace

TEST(QtHostTasks, ALongTaskShowsItsLogAndClosesWithOk) {
    WindowFixture f;
    QString log;
    int bar_max = -1, bar_value = -1;
    when_task_ends([&](qt::ProgressDialog* d) {
        EXPECT_EQ(d->windowTitle(), "Progress");
        log = d->log_view()->toPlainText();
        bar_max = d->progress_bar()->maximum();
        bar_value = d->progress_bar()->value();
    });
    ProgressOptions options;
    const int result = f.window->host().run_with_progress(
        [](ProgressSink& sink) {
            sink.log_line("Importing records...\r\n");
            sink.set_progress_range(200);
            for (int i = 0; i <= 200; i += 50) sink.set_progress_pos(i);
            sink.log_line("Imported 200 objects.\r\n");
            sink.show_ok_button();
        },
        options);
    EXPECT_EQ(result, 1);
    EXPECT_EQ(log, "Importing records...\nImported 200 objects.\n");
    EXPECT_EQ(bar_max, 200);
    EXPECT_EQ(bar_value, 200);
    EXPECT_FALSE(f.map()->task_running());
}

TEST(QtHostTasks, StopEndsTheWorkerBeforeTheDialogReturns) {
    WindowFixture f;
    std::atomic<bool> worker_ended{false};
    std::atomic<int> records{0};
    QString button_text;
    when_modal<qt::ProgressDialog>([&](qt::ProgressDialog* d) {
        button_text = d->button()->text();
        QTimer::singleShot(30, d, [d]() { d->button()->click(); });
    });
    std::atomic<bool> keep_running{true};
    ProgressOptions options;
    options.stop = [&]() { keep_running = false; };
    const int result = f.window->host().run_with_progress(
        [&](ProgressSink& sink) {
            while (keep_running) {
                ++records;
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
            // The record in hand is finished after the request.
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            sink.log_line("Stopped by the user.\r\n");
            worker_ended = true;
            sink.show_ok_button();
        },
        options);
    EXPECT_TRUE(worker_ended) << "the dialog returned while the worker still ran";
    EXPECT_EQ(result, 1);
    EXPECT_EQ(button_text, "Stop");
    EXPECT_GT(records.load(), 0);
}

TEST(QtHostTasks, ATaskThatEndsWithoutClosingLeavesTheLogOpenWithOk) {
    WindowFixture f;
    bool ok_offered = false;
    when_modal<qt::ProgressDialog>([&](qt::ProgressDialog* d) {
        auto* poll = new QTimer(d);
        QObject::connect(poll, &QTimer::timeout, [&, d, poll]() {
            if (!d->button()->isVisible()) return;
            poll->stop();
            ok_offered = d->button()->text() == "OK";
            d->button()->click();
        });
        poll->start(5);
    });
    const int result =
        f.window->host().run_with_progress([](ProgressSink& sink) { sink.log_line("Done.\r\n"); }, {});
    EXPECT_TRUE(ok_offered);
    EXPECT_EQ(result, 1);
}

TEST(QtHostTasks, WhileATaskRunsTheMapShowsItsLastPicture) {
    WindowFixture f;
    Project& p = f.workspace.project;
    set_field(p.file_base_name, "town");
    p.coord_sys = kCoordDegrees;
    p.range = {0, 0, 1000, 600};
    Layer& layer = add_layer(p, "Roads");
    layer.display_flags = kLayerShowAlways;
    f.fit();
    const QImage before = f.map()->picture().copy();
    QImage during;
    f.window->host().run_with_progress(
        [&](ProgressSink& sink) {
            // The task changes the project; the window must neither read it nor show a half-made state.
            add_line(layer, "New Road", {{100, 300}, {900, 300}});
            QMetaObject::invokeMethod(
                qApp,
                [&]() {
                    f.window->host().request_redraw();
                    f.window->resize(f.window->width() + 20, f.window->height());
                    QApplication::processEvents();
                    during = f.map()->picture().copy(0, 0, before.width(), before.height());
                },
                Qt::BlockingQueuedConnection);
            sink.close_progress(1);
        },
        {});
    EXPECT_EQ(during, before);
    // Afterwards the new road shows, at the new size.
    const QImage after = f.map()->picture();
    EXPECT_EQ(after.width(), f.window->client_area()->width());
    const ScreenPoint s = f.client_of({300, 300});
    EXPECT_EQ(QColor(after.pixel(s.x, s.y)), QColor(255, 0, 0));
}

TEST(QtHostDialogs, AModelWithoutAViewIsRefused) {
    WindowFixture f;
    UnknownModel model;
    EXPECT_EQ(f.window->host().run_dialog(model), 0);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST(QtHostDialogs, WhatAnOpenDialogAsksForOpensOverThatDialog) {
    WindowFixture f;
    QWidget* shown_over = nullptr;
    QWidget* asking = nullptr;
    qt::DialogViews views;
    views.add<UnknownModel>([&](QWidget* owner, Host& host, UnknownModel&) {
        EXPECT_EQ(owner, f.window.get());
        QDialog open(owner);
        open.setModal(true);
        open.show();
        asking = &open;
        when_modal<QMessageBox>([&](QMessageBox* box) {
            shown_over = box->parentWidget();
            box->accept();
        });
        host.message_box("Bitmap table full!", "Error", MessageIcon::Warning, MessageButtons::Ok);
        return 1;
    });
    f.window->host().set_dialog_views(&views);
    UnknownModel model;
    EXPECT_EQ(f.window->host().run_dialog(model), 1);
    f.window->host().set_dialog_views(&qt::standard_dialog_views());
    EXPECT_NE(asking, nullptr);
    EXPECT_EQ(shown_over, asking);
}

TEST(QtHostDialogs, PublisherDetailsStoresOnOkAndKeepsOnCancel) {
    WindowFixture f;
    set_field(f.workspace.publisher.publisher_notice, "(c) Old");
    set_field(f.workspace.publisher.contact, "Old contact");
    QString shown_notice, title;
    when_modal<qt::PublisherDetailsView>([&](qt::PublisherDetailsView* v) {
        title = v->windowTitle();
        shown_notice = v->notice_edit()->text();
        v->notice_edit()->setText(QString(40, 'N'));
        v->contact_edit()->setPlainText("Line one\nLine two");
        v->accept();
    });
    f.window->run_command(cmd::kPublisherSettings);
    EXPECT_EQ(title, "Publisher Details");
    EXPECT_EQ(shown_notice, "(c) Old");
    EXPECT_EQ(field_text(f.workspace.publisher.publisher_notice), std::string(31, 'N'));
    EXPECT_EQ(field_text(f.workspace.publisher.contact), "Line one\nLine two");
    EXPECT_EQ(f.workspace.project.modified, 0);

    when_modal<qt::PublisherDetailsView>([&](qt::PublisherDetailsView* v) {
        v->notice_edit()->setText("Changed");
        v->reject();
    });
    f.window->run_command(cmd::kPublisherSettings);
    EXPECT_EQ(field_text(f.workspace.publisher.publisher_notice), std::string(31, 'N'));
}

TEST(QtHostDialogs, ContactIsHeldToItsLimitWhileTyping) {
    PublisherInfo info;
    PublisherDetailsModel model(info);
    qt::PublisherDetailsView view(nullptr, model);
    view.contact_edit()->setPlainText(QString(200, 'c'));
    EXPECT_EQ(view.contact_edit()->toPlainText().size(), 127);
    view.notice_edit()->setText(QString(40, 'n'));
    EXPECT_EQ(view.notice_edit()->text().size(), 31);
    view.accept();
    EXPECT_EQ(field_text(info.contact), std::string(127, 'c'));
    EXPECT_EQ(field_text(info.publisher_notice), std::string(31, 'n'));
}

TEST(QtHostDialogs, AboutShowsTheVersion) {
    WindowFixture f;
    QStringList texts;
    QString title;
    when_modal<qt::AboutView>([&](qt::AboutView* v) {
        title = v->windowTitle();
        for (QLabel* l : v->findChildren<QLabel*>()) texts << l->text();
        v->accept();
    });
    f.window->run_command(cmd::kAbout);
    EXPECT_EQ(title, "About Plotwell");
    EXPECT_TRUE(texts.contains("Plotwell ver 2.4"));
}

TEST(QtHostFiles, OpenDialogHasTitleFilterAndExtensionAndKeepsTheWorkingDirectory) {
    WindowFixture f;
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    {
        QFile file(dir.filePath("city.mpr"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    QString title, suffix;
    QStringList filters;
    QFileDialog::FileMode mode = QFileDialog::AnyFile;
    when_modal<QFileDialog>([&](QFileDialog* d) {
        title = d->windowTitle();
        filters = d->nameFilters();
        suffix = d->defaultSuffix();
        mode = d->fileMode();
        d->selectFile(dir.filePath("city.mpr"));
        QMetaObject::invokeMethod(d, "accept");
    });
    const QString old_dir = QDir::currentPath();
    FileDialogOptions options;
    options.title = "Open Project";
    options.filter_name = "Map Project";
    options.filter_pattern = "*.mpr";
    options.default_extension = ".mpr";
    options.flags = kFileMustExist | kPathMustExist | kHideReadOnly;
    const auto chosen = f.window->host().open_file_dialog(options);
    const QString now_dir = QDir::currentPath();
    QDir::setCurrent(old_dir);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(QFileInfo(QString::fromStdString(*chosen)).canonicalFilePath(),
              QFileInfo(dir.filePath("city.mpr")).canonicalFilePath());
    EXPECT_EQ(title, "Open Project");
    EXPECT_EQ(filters, QStringList{"Map Project (*.mpr)"});
    EXPECT_EQ(suffix, "mpr");
    EXPECT_EQ(mode, QFileDialog::ExistingFile);
    // The working directory stays where it was: relative names keep their meaning.
    EXPECT_EQ(now_dir, old_dir);

    when_modal<QFileDialog>([](QFileDialog* d) { d->reject(); });
    EXPECT_FALSE(f.window->host().save_file_dialog(options));
}
