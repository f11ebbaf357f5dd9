#include "ui/lists/file_list_box.h"

#include <QDragEnterEvent>
#include <QMimeData>
#include <QUrl>
#include <set>

#include "core/computer/file_listing.h"
#include "core/text/text_functions.h"
#include "core/text/utf8.h"
#include "ui/lists/card_list_box.h"

namespace quodlin {

namespace {

bool CarriesCardRows(const QMimeData* mime) {
    return mime != nullptr && mime->hasFormat(kCardRowsMimeType);
}

}  // namespace

FileListBox::FileListBox(FileSystem& fs, QWidget* parent) : QListWidget(parent), fs_(fs) {
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDefaultDropAction(Qt::CopyAction);
}

QStringList FileListBox::mimeTypes() const {
    return {QStringLiteral("text/uri-list")};
}

QMimeData* FileListBox::mimeData(const QList<QListWidgetItem*>& items) const {
    QList<QUrl> urls;
    for (const QListWidgetItem* item : items) {
        urls << UrlOfLocalFile(JoinNative(directory_, name(row(item))));
    }
    auto* mime = new QMimeData;
    mime->setUrls(urls);
    return mime;
}

void FileListBox::dragEnterEvent(QDragEnterEvent* event) {
    AcceptAsCopy(event, CarriesCardRows(event->mimeData()));
}

void FileListBox::dragMoveEvent(QDragMoveEvent* event) {
    AcceptAsCopy(event, CarriesCardRows(event->mimeData()));
}

void FileListBox::dropEvent(QDropEvent* event) {
    if (AcceptAsCopy(event, CarriesCardRows(event->mimeData()))) emit cardRowsDropped();
}

void FileListBox::refresh(Mode mode) {
    std::set<std::string> selected;
    for (int row = 0; row < count(); ++row) {
        if (item(row)->isSelected()) selected.insert(name(row));
    }
    clear();
    names_.clear();
    names_ = ListComputerFiles(fs_, directory_, mode);
    for (const std::string& file : names_) {
        auto* entry = new QListWidgetItem(QString::fromStdString(NameText(file)), this);
        entry->setSelected(selected.contains(file));
    }
}

std::string FileListBox::name(int row) const {
    return row >= 0 && row < static_cast<int>(names_.size()) ? names_[row] : std::string();
}

std::vector<std::string> FileListBox::selectedNames() const {
    std::vector<std::string> selected;
    for (int row = 0; row < count(); ++row) {
        if (item(row)->isSelected()) selected.push_back(name(row));
    }
    return selected;
}

}  // namespace quodlin
