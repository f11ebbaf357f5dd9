#include "ui/card_list_box.h"

#include <QDragEnterEvent>
#include <QMimeData>
#include <QUrl>

namespace quodlin {

QStringList LocalFilesOf(const QMimeData* mime) {
    QStringList paths;
    if (mime == nullptr || !mime->hasUrls()) return paths;
    for (const QUrl& url : mime->urls()) {
        if (url.isLocalFile()) paths << url.toLocalFile();
    }
    return paths;
}

bool AcceptAsCopy(QDropEvent* event, bool acceptable) {
    if (!acceptable) {
        event->ignore();
        return false;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    return true;
}

CardListBox::CardListBox(QWidget* parent) : QListWidget(parent) {
    setDragEnabled(true);
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDefaultDropAction(Qt::CopyAction);
}

QStringList CardListBox::mimeTypes() const {
    return {kCardRowsMimeType};
}

QMimeData* CardListBox::mimeData(const QList<QListWidgetItem*>& items) const {
    auto* mime = new QMimeData;
    QStringList lines;
    for (const QListWidgetItem* item : items) lines << item->text();
    mime->setData(kCardRowsMimeType, lines.join('\n').toUtf8());
    return mime;
}

void CardListBox::dragEnterEvent(QDragEnterEvent* event) {
    AcceptAsCopy(event, !LocalFilesOf(event->mimeData()).isEmpty());
}

void CardListBox::dragMoveEvent(QDragMoveEvent* event) {
    AcceptAsCopy(event, !LocalFilesOf(event->mimeData()).isEmpty());
}

void CardListBox::dropEvent(QDropEvent* event) {
    const QStringList paths = LocalFilesOf(event->mimeData());
    if (AcceptAsCopy(event, !paths.isEmpty())) emit filesDropped(paths);
}

}  // namespace quodlin
