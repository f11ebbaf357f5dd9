#pragma once

#include <QObject>
#include <functional>

class QAbstractItemView;
class QAction;
class QWidget;

namespace quodlin {

// The keys of one list, as two-pane file managers have them: F5 copies to the other side, F8
// and Delete delete and F2 renames on that side, Enter or Space previews the current row,
// Ctrl+A selects every row, and Tab moves to the other list. A move of the current row by the keys
// is told after it.
class ListKeys : public QObject {
public:
    struct Actions {
        QAction* copy;
        QAction* remove;
        QAction* rename;
        QAction* preview;
        QWidget* otherList = nullptr;
        // Space stops a sample that plays instead of starting it again; Escape stops it.
        std::function<bool()> playing;
        std::function<void()> stop;
        // Told once an arrow, page or Home and End key has moved the current row.
        std::function<void()> moved = {};
    };

    ListKeys(QAbstractItemView* list, Actions actions);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAbstractItemView* list_;
    Actions actions_;
};

}  // namespace quodlin
