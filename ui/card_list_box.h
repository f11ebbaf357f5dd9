#pragma once

#include <QListWidget>
#include <QStringList>

namespace quodlin {

// What a drag out of the card list carries: only the computer list takes it, as a copy from the
// card of the rows selected.
inline constexpr const char* kCardRowsMimeType = "application/x-quodlin-card-rows";

// The card list: dragging rows out of it, and dropping files on it from the computer list or
// the desktop's file manager.
class CardListBox : public QListWidget {
    Q_OBJECT

public:
    explicit CardListBox(QWidget* parent);

signals:
    // Local files were dropped on the list, in the order the drag gave them.
    void filesDropped(const QStringList& paths);

protected:
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QList<QListWidgetItem*>& items) const override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
};

// The local files a drag carries; empty when it carries none.
QStringList LocalFilesOf(const QMimeData* mime);

// Takes a drag or drop as a copy when it is acceptable and refuses it otherwise; returns which.
bool AcceptAsCopy(QDropEvent* event, bool acceptable);

}  // namespace quodlin
