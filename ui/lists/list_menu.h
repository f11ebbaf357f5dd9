#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <utility>
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
    struct Entry {
        QString text;  // empty: a separator
        QString key;
        std::function<void()> action;
        // Set for an entry that is a setting: its check mark, read each time the menu opens.
        std::function<bool()> checked = {};
    };

    ListMenu(QListWidget* list, const QString& name, const std::vector<Entry>& entries);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Opens the menu at pos, in the list's viewport coordinates.
    void open(const QPoint& pos);

    QListWidget* list_;
    QMenu* menu_;
    std::vector<std::pair<QAction*, std::function<bool()>>> settings_;
};

}  // namespace quodlin
