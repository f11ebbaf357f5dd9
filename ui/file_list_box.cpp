#include "ui/file_list_box.h"

#include <set>

#include "core/file_listing.h"

namespace quodlin {

FileListBox::FileListBox(FileSystem& fs, QWidget* parent) : QListWidget(parent), fs_(fs) {
    setSelectionMode(QAbstractItemView::ExtendedSelection);
}

void FileListBox::refresh() {
    std::set<std::string> selected;
    for (const QListWidgetItem* item : selectedItems()) selected.insert(item->text().toStdString());
    clear();
    for (const std::string& file : ListComputerFiles(fs_, directory_, mode_)) {
        auto* item = new QListWidgetItem(QString::fromStdString(file), this);
        item->setSelected(selected.contains(file));
    }
}

std::string FileListBox::name(int row) const {
    const QListWidgetItem* entry = item(row);
    return entry == nullptr ? std::string() : entry->text().toStdString();
}

std::vector<std::string> FileListBox::names() const {
    std::vector<std::string> all;
    for (int row = 0; row < count(); ++row) all.push_back(name(row));
    return all;
}

}  // namespace quodlin
