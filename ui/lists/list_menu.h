#pragma once

#include <QObject>
#include <QString>
#include <vector>

class QAction;
class QListWidget;
class QMenu;
class QPoint;

namespace quodlin {

// A list's context menu, opened by a right click, the Menu key or Shift+F10. Each entry shows
// the key that does the same; the keys themselves are the list's own.
class ListMenu : public QObject {
public:
    // A null action stands for a separator.
    ListMenu(QListWidget* list, const QString& name, const std::vector<QAction*>& actions);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Opens the menu at pos, in the list's viewport coordinates.
    void open(const QPoint& pos);

    QListWidget* list_;
    QMenu* menu_;
};

}  // namespace quodlin
