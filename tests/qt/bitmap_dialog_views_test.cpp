// The "Background Bitmaps" view over real bitmap files, its "Bitmap Properties" shown through the
// registry and answered by its widgets.
#include "qt/bitmap_dialog_views.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "model/text.h"
#include "qt/dialog_support.h"
#include "qt_test_support.h"
#include "support/bmp_writer.h"
#include "support/scratch_dir.h"
#include "view_test_support.h"

using namespace plotwell;
using namespace plotwell::test;

namespace {

std::vector<uint8_t> small_bmp(int width, int height) {
    BmpLayout layout;
    layout.width = width;
    layout.height = height;
    layout.pixel_data = pack_rows(width, height, 24, std::vector<uint32_t>(size_t(width * height), 0x336699));
    return write_bmp(layout);
}

struct BitmapViewsTest : ::testing::Test {
    BitmapViewsTest() {
        dir.write("a.bmp", small_bmp(4, 2));
        dir.write("b.bmp", small_bmp(8, 6));
    }
    std::string program_dir() const { return dir.path().string() + "/"; }
    const BitmapTable& table() const { return project.bitmaps; }

    ScratchDir dir;
    Project project;
    ViewsHost host;
    BitmapPlacement placement{50, -10, 20};
};

using B = qt::BitmapPropertiesView;
using L = qt::BackgroundBitmapsView;

}  // namespace

TEST_F(BitmapViewsTest, NewPropertiesMovesAndRemove) {
    BackgroundBitmapsModel model(project, host, program_dir(), placement);
    L view(nullptr, model);
    EXPECT_EQ(view.windowTitle(), "Background Bitmaps");
    QStringList captions;
    for (int i = 0; i < L::kButtonCount; ++i) captions << view.button(L::Button(i))->text();
    EXPECT_EQ(captions,
              (QStringList{"&New...", "&Properties...", "&Remove...", "Move &Up", "Move Do&wn", "Done"}));

    // New: a file without a size goes where the map area starts, at its default size, and is loaded.
    when_modal<B>([](B* d) {
        EXPECT_EQ(d->windowTitle(), "Bitmap Properties");
        EXPECT_EQ(buddy_of(*d, "Filename:"), d->file_edit());
        EXPECT_EQ(buddy_of(*d, "X  min:"), d->bound_edit(B::kXMin));
        EXPECT_EQ(buddy_of(*d, "Y min:"), d->bound_edit(B::kYMin));
        EXPECT_EQ(d->browse_button()->text(), "&Browse...");
        EXPECT_EQ(d->set_from_prev_button()->text(), "&Set from prev.");
        EXPECT_EQ(d->locked_box()->text(), "&Locked");
        EXPECT_EQ(d->visible_box()->text(), "&Visible");
        EXPECT_FALSE(d->file_edit()->isReadOnly());
        EXPECT_FALSE(d->browse_button()->isHidden());
        EXPECT_FALSE(d->set_from_prev_button()->isEnabled()) << "the first entry has no previous one";
        EXPECT_TRUE(d->visible_box()->isChecked());
        QTest::keyClicks(d->file_edit(), "a.bmp");
        press(*d, QDialogButtonBox::Ok);
    });
    view.button(L::kNew)->click();
    ASSERT_EQ(table().count, 1);
    const BackgroundBitmap& a = table().entries[0];
    ASSERT_TRUE(a.image);
    EXPECT_EQ(a.image->width, 4);
    EXPECT_EQ(a.x, -10);
    EXPECT_EQ(a.y, 20);
    EXPECT_EQ(a.width, 50);
    EXPECT_EQ(a.height, 50);
    EXPECT_EQ(lines_of(view.list()), QStringList{"a.bmp"});
    EXPECT_EQ(project.modified, 1);

    // A second, hidden one sized from the first: the same map units per pixel.
    when_modal<B>([](B* d) {
        EXPECT_FALSE(d->set_from_prev_button()->isEnabled());
        QTest::keyClicks(d->file_edit(), "b.bmp");
        EXPECT_TRUE(d->set_from_prev_button()->isEnabled()) << "typing a file offers it";
        d->set_from_prev_button()->click();
        EXPECT_EQ(d->bound_edit(B::kXMin)->text(), "-10");
        EXPECT_EQ(d->bound_edit(B::kXMax)->text(), "90");   // 50 / 4 * 8 wide
        EXPECT_EQ(d->bound_edit(B::kYMax)->text(), "170");  // 50 / 2 * 6 high, from 20
        d->visible_box()->click();
        press(*d, QDialogButtonBox::Ok);
    });
    view.button(L::kNew)->click();
    ASSERT_EQ(table().count, 2);
    const BackgroundBitmap& b = table().entries[1];
    EXPECT_EQ(b.width, 100);
    EXPECT_EQ(b.height, 150);
    EXPECT_TRUE(b.flags & kBitmapHidden);
    EXPECT_FALSE(b.image) << "hidden: not loaded";
    EXPECT_EQ(lines_of(view.list()), (QStringList{"a.bmp", "b.bmp"}));

    // Properties of the first: its file can no longer change; lock it.
    view.list()->setCurrentRow(0);
    when_modal<B>([](B* d) {
        EXPECT_EQ(d->file_edit()->text(), "a.bmp");
        EXPECT_TRUE(d->file_edit()->isReadOnly());
        EXPECT_TRUE(d->browse_button()->isHidden());
        EXPECT_EQ(d->bound_edit(B::kXMax)->text(), "40");
        d->locked_box()->click();
        press(*d, QDialogButtonBox::Ok);
    });
    view.button(L::kProperties)->click();
    EXPECT_TRUE(table().entries[0].flags & kBitmapLocked);
    EXPECT_EQ(view.list()->currentRow(), 0);

    // Cancelled properties change nothing.
    when_modal<B>([](B* d) {
        d->locked_box()->click();
        press(*d, QDialogButtonBox::Cancel);
    });
    view.button(L::kProperties)->click();
    EXPECT_TRUE(table().entries[0].flags & kBitmapLocked);

    // The moves swap table entries (the drawing order) and keep the moved line selected.
    view.button(L::kMoveDown)->click();
    EXPECT_EQ(lines_of(view.list()), (QStringList{"b.bmp", "a.bmp"}));
    EXPECT_EQ(qt::list_selection(view.list()), 1);
    EXPECT_EQ(field_text(table().entries[1].file_name), "a.bmp");
    view.button(L::kMoveDown)->click();  // already last
    EXPECT_EQ(lines_of(view.list()), (QStringList{"b.bmp", "a.bmp"}));
    view.button(L::kMoveUp)->click();
    EXPECT_EQ(lines_of(view.list()), (QStringList{"a.bmp", "b.bmp"}));
    EXPECT_EQ(qt::list_selection(view.list()), 0);

    // Remove asks first; No keeps the entry.
    host.answers = {Answer::No, Answer::Yes};
    view.button(L::kRemove)->click();
    EXPECT_EQ(table().count, 2);
    view.button(L::kRemove)->click();
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[1].text, "Are you sure you want to remove this bitmap?");
    EXPECT_EQ(host.messages[1].caption, "Confirm");
    EXPECT_EQ(host.messages[1].buttons, MessageButtons::YesNo);
    EXPECT_EQ(table().count, 1);
    EXPECT_EQ(field_text(table().entries[0].file_name), "b.bmp");
    EXPECT_EQ(lines_of(view.list()), QStringList{"b.bmp"});
    EXPECT_EQ(host.dialogs.size(), 4u);

    view.show();
    view.button(L::kDone)->click();
    EXPECT_FALSE(view.isVisible());
}

TEST_F(BitmapViewsTest, DoubleClickOpensPropertiesAndAFailedLoadAddsNothing) {
    dir.write("broken.bmp", std::string_view("not a bitmap"));
    BackgroundBitmapsModel model(project, host, program_dir(), placement);
    L view(nullptr, model);
    when_modal<B>([](B* d) {
        d->file_edit()->setText("broken.bmp");
        press(*d, QDialogButtonBox::Ok);
    });
    view.button(L::kNew)->click();
    EXPECT_EQ(table().count, 0);
    EXPECT_EQ(view.list()->count(), 0);
    EXPECT_EQ(host.last_message(), "Unable to load bitmap into memory!");

    when_modal<B>([](B* d) {
        d->file_edit()->setText("a.bmp");
        press(*d, QDialogButtonBox::Ok);
    });
    view.button(L::kNew)->click();
    ASSERT_EQ(table().count, 1);

    view.resize(400, 300);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    QString opened;
    when_modal<B>([&](B* d) {
        opened = d->file_edit()->text();
        press(*d, QDialogButtonBox::Cancel);
    });
    double_click_line(view.list(), 0);
    EXPECT_EQ(opened, "a.bmp");
}
