#include "ui/file_list_box.h"

#include <set>

#include "core/file_listing.h"

namespace quodlin {

FileListBox::FileListBox(FileSystem& fs, QWidget* parent) : QListWidget(parent), fs_(fs) {
    setSelectionMode(QAbstractItemView::ExtendedSelection);
}

void FileListBox::refresh() {
    std::set<std::string> selected;
    for (int row = 0; row < count(); ++row) {
        if (item(row)->isSelected()) selected.insert(name(row));
    }
    clear();
    names_.clear();
    names_ = ListComputerFiles(fs_, directory_, mode_);
    for (const std::string& file : names_) {
        auto* entry = new QListWidgetItem(QString::fromStdString(file), this);
        entry->setSelected(selected.contains(file));
    }
}

std::string FileListBox::name(int row) const {
    return row >= 0 && row < static_cast<int>(names_.size()) ? names_[row] : std::string();
}

}  // namespace quodlin
