#include "ui/lists/file_list_box.h"

#include <QDragEnterEvent>
#include <QItemSelection>
#include <QMimeData>
#include <QUrl>
#include <algorithm>
#include <unordered_set>

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
    std::unordered_set<std::string> selected;
    for (const QItemSelectionRange& range : selectionModel()->selection()) {
        for (int row = range.top(); row <= range.bottom(); ++row) selected.insert(name(row));
    }
    clear();
    names_.clear();
    names_ = ListComputerFiles(fs_, directory_, mode);
    // The selection comes back in one step, as runs of rows: one change, whatever its size.
    QItemSelection rows;
    int first = -1;
    for (int row = 0; row <= static_cast<int>(names_.size()); ++row) {
        const bool chosen = row < static_cast<int>(names_.size()) && selected.contains(names_[row]);
        if (chosen && first < 0) first = row;
        if (!chosen && first >= 0) {
            rows.select(model()->index(first, 0), model()->index(row - 1, 0));
            first = -1;
        }
        if (row < static_cast<int>(names_.size())) {
            new QListWidgetItem(QString::fromStdString(NameText(names_[row])), this);
        }
    }
    if (!rows.isEmpty()) selectionModel()->select(rows, QItemSelectionModel::Select);
}

std::string FileListBox::name(int row) const {
    return row >= 0 && row < static_cast<int>(names_.size()) ? names_[row] : std::string();
}

std::vector<std::string> FileListBox::selectedNames() const {
    QModelIndexList rows = selectionModel()->selectedIndexes();
    std::sort(rows.begin(), rows.end());
    std::vector<std::string> selected;
    selected.reserve(static_cast<std::size_t>(rows.size()));
    for (const QModelIndex& row : rows) selected.push_back(name(row.row()));
    return selected;
}

}  // namespace quodlin
