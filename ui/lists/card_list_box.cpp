#include "ui/lists/card_list_box.h"

#include <QDragEnterEvent>
#include <QMimeData>
#include <QPainter>
#include <QUrl>

namespace quodlin {

std::vector<std::string> LocalFilesOf(const QMimeData* mime) {
    std::vector<std::string> paths;
    if (mime == nullptr || !mime->hasUrls()) return paths;
    for (const QUrl& url : mime->urls()) {
        if (!url.isLocalFile()) continue;
#ifdef _WIN32
        paths.push_back(url.toLocalFile().toStdString());
#else
        paths.push_back(
            QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()).toStdString());
#endif
    }
    return paths;
}

void CardListBox::setPlaceholder(const QString& text) {
    if (text == placeholder_) return;
    placeholder_ = text;
    viewport()->update();
}

void CardListBox::paintEvent(QPaintEvent* event) {
    QListWidget::paintEvent(event);
    if (count() > 0 || placeholder_.isEmpty()) return;
    QPainter painter(viewport());
    painter.setPen(palette().color(QPalette::Disabled, QPalette::Text));
    const int margin = fontMetrics().averageCharWidth();
    painter.drawText(viewport()->rect().adjusted(margin, 0, -margin, 0),
                     Qt::AlignCenter | Qt::TextWordWrap, placeholder_);
}

QUrl UrlOfLocalFile(const std::string& path) {
#ifdef _WIN32
    return QUrl::fromLocalFile(QString::fromStdString(path));
#else
    return QUrl::fromEncoded("file://" + QByteArray::fromStdString(path).toPercentEncoding("/"));
#endif
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
    AcceptAsCopy(event, !LocalFilesOf(event->mimeData()).empty());
}

void CardListBox::dragMoveEvent(QDragMoveEvent* event) {
    AcceptAsCopy(event, !LocalFilesOf(event->mimeData()).empty());
}

void CardListBox::dropEvent(QDropEvent* event) {
    const std::vector<std::string> paths = LocalFilesOf(event->mimeData());
    if (AcceptAsCopy(event, !paths.empty())) emit filesDropped(paths);
}

}  // namespace quodlin
