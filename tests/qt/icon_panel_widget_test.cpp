#include "qt/icon_panel_widget.h"

#include <gtest/gtest.h>

#include <QEvent>
#include <QTest>

using namespace plotwell;

namespace {

const QRgb kGrey = qRgb(192, 192, 192);
const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kWhite = qRgb(255, 255, 255);

// A shown panel that counts its paint events.
struct ShownPanel : QObject {
    IconPanel panel;
    qt::IconPanelWidget widget{panel};
    int paints = 0;

    explicit ShownPanel(int selection) {
        panel.selection = selection;
        widget.installEventFilter(this);
        widget.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&widget));
        EXPECT_TRUE(QTest::qWaitFor([this] { return paints > 0; }, 1000));
    }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
    // True when a paint arrived within the wait.
    bool repainted_after(int before) {
        return QTest::qWaitFor([&] { return paints > before; }, 300);
    }
};

// The four corners of the 13 x 13 frame of cell n are black.
bool framed(const QImage& image, int n) {
    const int x = 14 * (n % 11), y = 20 * (n / 11);
    return image.pixel(x, y) == kBlack && image.pixel(x + 12, y) == kBlack &&
           image.pixel(x, y + 12) == kBlack && image.pixel(x + 12, y + 12) == kBlack;
}

}  // namespace

TEST(IconPanelWidget, PaintsTheIconsOnGreyAndFramesTheSelection) {
    IconPanel panel;
    panel.selection = 12;
    qt::IconPanelWidget widget(panel);
    EXPECT_EQ(widget.size(), QSize(154, 40));
    EXPECT_EQ(widget.cursor().shape(), Qt::ArrowCursor);
    const QImage image = widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(image.size(), QSize(154, 40));
    EXPECT_EQ(image, widget.picture().convertToFormat(QImage::Format_RGB32));
    // Icon 3 ("PI_POLICESTATION", first row 83) at (44, 2): 1 bits white, 0 bits black, unscaled.
    EXPECT_EQ(image.pixel(44, 2), kWhite);
    EXPECT_EQ(image.pixel(45, 2), kBlack);
    EXPECT_EQ(image.pixel(50, 2), kWhite);
    EXPECT_EQ(image.pixel(51, 2), kWhite);
    EXPECT_EQ(image.pixel(52, 2), kGrey) << "an icon is 8 pixels wide";
    // Cell 12 (second row, second column) is framed, hollow: the icon inside still shows.
    EXPECT_TRUE(framed(image, 12));
    EXPECT_EQ(image.pixel(14 + 13, 20), kGrey) << "the frame ends 13 pixels further on";
    EXPECT_EQ(image.pixel(14 + 1, 20 + 1), kGrey);
    EXPECT_EQ(image.pixel(14 + 2, 20 + 2 + 7), kBlack) << "icon 12's last row is 00";
    EXPECT_FALSE(framed(image, 0));
}

TEST(IconPanelWidget, ACarriedOverCodeFramesNoCell) {
    IconPanel panel;
    panel.selection = 130;
    qt::IconPanelWidget widget(panel);
    const QImage image = widget.picture();
    for (int n = 0; n < kIconPanelIcons; ++n) EXPECT_FALSE(framed(image, n)) << n;
}

TEST(IconPanelWidget, AClickMovesTheFrameAndRepaintsOnlyOnAChange) {
    ShownPanel shown(0);
    EXPECT_TRUE(framed(shown.widget.picture(), 0));
    int before = shown.paints;
    QTest::mouseClick(&shown.widget, Qt::LeftButton, Qt::NoModifier, QPoint(30, 25));
    EXPECT_EQ(shown.panel.selection, 13);
    EXPECT_TRUE(shown.repainted_after(before));
    const QImage moved = shown.widget.picture();
    EXPECT_TRUE(framed(moved, 13));
    EXPECT_FALSE(framed(moved, 0));

    // The selected cell again, anywhere inside it: no change, no repaint.
    before = shown.paints;
    QTest::mouseClick(&shown.widget, Qt::LeftButton, Qt::NoModifier, QPoint(30, 25));
    QTest::mouseClick(&shown.widget, Qt::LeftButton, Qt::NoModifier, QPoint(41, 39));
    EXPECT_FALSE(shown.repainted_after(before));
    EXPECT_EQ(shown.panel.selection, 13);

    // Only the left button picks.
    QTest::mouseClick(&shown.widget, Qt::RightButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_FALSE(shown.repainted_after(before));
    EXPECT_EQ(shown.panel.selection, 13);

    // The last cell (second row, eleventh column).
    QTest::mouseClick(&shown.widget, Qt::LeftButton, Qt::NoModifier, QPoint(150, 39));
    EXPECT_EQ(shown.panel.selection, 21);
    EXPECT_TRUE(shown.repainted_after(before));
}

TEST(IconPanelWidget, AClickGoesToTheGivenHandler) {
    IconPanel panel;
    std::vector<QPoint> clicks;
    qt::IconPanelWidget widget(panel, [&](int x, int y) {
        clicks.emplace_back(x, y);
        return false;
    });
    QTest::mouseClick(&widget, Qt::LeftButton, Qt::NoModifier, QPoint(30, 25));
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0], QPoint(30, 25));
    EXPECT_EQ(panel.selection, 0) << "the handler decides, not the widget";
}
