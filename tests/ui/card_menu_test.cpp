#include <QAction>
#include <QListWidget>
#include <QMenu>
#include <QTest>

#include "tests/ui/window_fixture.h"

namespace quodlin::test {
namespace {

TEST_F(WindowTest, TheMenuKeyOpensTheCardListMenu) {
    frmQuodlinMain& window = open();
    window.show();
    auto* list = control<QListWidget>("lstSmartMedia");
    auto* menu = window.findChild<QMenu*>("cardMenu");
    ASSERT_NE(menu, nullptr);
    QStringList texts;
    for (const QAction* action : menu->actions()) {
        if (!action->isSeparator()) texts << action->text();
    }
    EXPECT_EQ(texts, QStringList(
                         {"Back up card…", "Restore card…", "Check card", "Show in file manager"}));
    EXPECT_FALSE(menu->isVisible());
    QTest::keyClick(list, Qt::Key_Menu);
    EXPECT_TRUE(menu->isVisible());
    menu->close();
}

}  // namespace
}  // namespace quodlin::test
