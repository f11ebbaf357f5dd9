#pragma once

#include <QObject>
#include <functional>

class QAbstractItemView;

namespace quodlin {

// The keys of one list: Delete deletes and F2 renames on that side, Enter or Space previews the
// current row, Ctrl+A selects every row.
class ListKeys : public QObject {
public:
    struct Actions {
        std::function<void()> remove;
        std::function<void()> rename;
        std::function<void()> preview;
    };

    ListKeys(QAbstractItemView* list, Actions actions);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAbstractItemView* list_;
    Actions actions_;
};

}  // namespace quodlin
