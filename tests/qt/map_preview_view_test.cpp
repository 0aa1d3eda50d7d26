// The "Map Preview" window over the exported sample: the zoom choice, the arrow keys and a drag move
// the core's picture.
#include "qt/map_preview_view.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QTest>

#include "support/run_tool.h"
#include "support/scratch_dir.h"

using namespace plotwell;
using namespace plotwell::test;

TEST(MapPreviewView, ZoomChoiceKeysAndDragMoveThePicture) {
    ScratchDir dir;
    const std::string pdb = dir.file("town.pdb");
    ASSERT_EQ(run_tool({"export", std::string(PLOTWELL_SOURCE_DIR) + "/data/sample/town.mpr", pdb}).status,
              0);
    DatabasePreviewModel model;
    ASSERT_TRUE(open_preview(model, pdb).ok);
    qt::MapPreviewView view(nullptr, model);
    view.show();
    QApplication::processEvents();
    const QImage whole = view.picture()->picture();
    EXPECT_EQ(whole.size(), view.picture()->size());

    view.zoom_box()->setCurrentIndex(2);
    EXPECT_EQ(model.view.zoom, 2);
    EXPECT_NE(view.picture()->picture(), whole);
    EXPECT_TRUE(view.status()->text().startsWith("x4  centre 6001,6636"))
        << view.status()->text().toStdString();

    const ScaledPoint start = *model.view.centre;
    QTest::keyClick(view.picture(), Qt::Key_Right);
    EXPECT_GT(model.view.centre->x, start.x);
    QTest::mousePress(view.picture(), Qt::LeftButton, {}, QPoint(100, 100));
    QTest::mouseMove(view.picture(), QPoint(100, 140));
    QTest::mouseRelease(view.picture(), Qt::LeftButton, {}, QPoint(100, 140));
    EXPECT_LT(model.view.centre->y, start.y) << "dragging down shows what lies north";
}
