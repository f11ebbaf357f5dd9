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
    if (LocalFilesOf(event->mimeData()).isEmpty()) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void CardListBox::dragMoveEvent(QDragMoveEvent* event) {
    if (LocalFilesOf(event->mimeData()).isEmpty()) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void CardListBox::dropEvent(QDropEvent* event) {
    const QStringList paths = LocalFilesOf(event->mimeData());
    if (paths.isEmpty()) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    emit filesDropped(paths);
}

}  // namespace quodlin
