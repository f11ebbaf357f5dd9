#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>
#include <QTest>

#include "tests/ui/window_fixture.h"
#include "ui/dir_dialog.h"
#include "ui/rename_dialog.h"

namespace quodlin::test {
namespace {

// The number of drawn pixels in column x.
int InkHeight(const QImage& image, int x) {
    int height = 0;
    for (int y = 0; y < image.height(); ++y) height += qAlpha(image.pixel(x, y)) > 128 ? 1 : 0;
    return height;
}

class LayoutTest : public WindowTest {
protected:
    frmQuodlinMain& shown() {
        frmQuodlinMain& window = open();
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
        return window;
    }
};

TEST_F(LayoutTest, TheWindowHasItsCaptionTabsAndControls) {
    frmQuodlinMain& window = open();
    EXPECT_EQ(window.windowTitle(), "Korg Electribe ES1 - Velmark 0.8 beta");
    EXPECT_FALSE(window.windowIcon().isNull());
    auto* tabs = control<QTabBar>("TabStrip");
    ASSERT_EQ(tabs->count(), 3);
    EXPECT_EQ(tabs->tabText(0), "Samples");
    EXPECT_EQ(tabs->tabText(1), "Banks");
    // A doubled ampersand shows as one.
    EXPECT_EQ(tabs->tabText(2), "Help && About");
    // Each arrow's head, its tallest part, is on the side of the list the files go to.
    const QImage toCard = control<QPushButton>("cmdToSM")->icon().pixmap(32).toImage();
    const QImage fromCard = control<QPushButton>("cmdFromSM")->icon().pixmap(32).toImage();
    EXPECT_GT(InkHeight(toCard, 22), InkHeight(toCard, 9));
    EXPECT_GT(InkHeight(fromCard, 9), InkHeight(fromCard, 22));
    EXPECT_EQ(control<QLabel>("Label1")->text(), "Smart Media:");
    EXPECT_TRUE(control<QLabel>("Label1")->font().bold());
    EXPECT_EQ(control<QListWidget>("FileList")->selectionMode(),
              QAbstractItemView::ExtendedSelection);
    EXPECT_EQ(control<QListWidget>("lstSmartMedia")->selectionMode(),
              QAbstractItemView::ExtendedSelection);
    EXPECT_EQ(control<QListWidget>("smFile")->isHidden(), true);
    // The 32x32 icon comes from the program's SVG: its contact field is the palette's yellow.
    const QImage icon = control<QLabel>("Picture1")->pixmap().toImage();
    EXPECT_EQ(icon.size(), QSize(32, 32));
    EXPECT_EQ(icon.pixelColor(14, 12), QColor(Qt::yellow));
}

}  // namespace
}  // namespace quodlin::test
