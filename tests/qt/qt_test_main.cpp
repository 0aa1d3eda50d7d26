// GoogleTest over widgets: one QApplication for the whole run, on the offscreen platform.
#include <gtest/gtest.h>

#include <QApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "qt_test_support.h"

namespace {
// Dialog answers a test left unused die with it.
class DropUnusedAnswers : public ::testing::EmptyTestEventListener {
    void OnTestEnd(const ::testing::TestInfo&) override { plotwell::test::drop_pending_modal_answers(); }
};
}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    // The run's settings (recent projects, folders, geometry) stay out of the user's own and die with it.
    QStandardPaths::setTestModeEnabled(true);
    const QTemporaryDir settings;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new DropUnusedAnswers);
    return RUN_ALL_TESTS();
}
