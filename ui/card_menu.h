#pragma once

#include <QObject>
#include <functional>

class QListWidget;
class QMenu;
class QPoint;

namespace quodlin {

// The card list's context menu, opened by a right click or the Menu key: "Back up card…",
// "Restore card…", "Check card" and "Show in file manager".
class CardMenu : public QObject {
public:
    struct Actions {
        std::function<void()> backUp;
        std::function<void()> restore;
        std::function<void()> check;
        std::function<void()> showInFileManager;
    };

    CardMenu(QListWidget* list, Actions actions);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Opens the menu at pos, in the list's viewport coordinates.
    void open(const QPoint& pos);

    QListWidget* list_;
    QMenu* menu_;
};

}  // namespace quodlin
