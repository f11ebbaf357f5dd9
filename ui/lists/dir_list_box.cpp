#include "ui/lists/dir_list_box.h"

#include <QStyle>
#include <algorithm>
#include <vector>

#include "core/computer/path_roots.h"
#include "core/shell/shell_messages.h"
#include "core/text/natural_order.h"
#include "core/text/text_functions.h"
#include "core/text/utf8.h"

namespace quodlin {
namespace {

// The path as bytes, so that a name that is not UTF-8 still opens.
constexpr int kPathRole = Qt::UserRole;

std::vector<std::string> Subdirectories(FileSystem& fs, const std::string& path) {
    std::vector<std::string> names;
    for (const DirEntry& entry : fs.list(path)) {
        if (entry.isDirectory && !entry.name.starts_with('.')) names.push_back(entry.name);
    }
    SortNaturally(names);
    return names;
}

QString Shown(const std::string& name) {
    return QString::fromStdString(NameText(name));
}

QString ShownName(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos || slash + 1 == path.size()) return Shown(path);
    return Shown(path.substr(slash + 1));
}

}  // namespace

DirListBox::DirListBox(FileSystem& fs, QWidget* parent) : QTreeWidget(parent), fs_(fs) {
    setHeaderHidden(true);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setIndentation(10);
    connect(this, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) { open(item); });
}

void DirListBox::setPath(const std::string& root, const std::string& path) {
    const std::string normal = NormalPath(path);
    const std::string top = PathIsUnder(normal, root) ? root : normal;
    const std::vector<std::string> subdirectories = Subdirectories(fs_, normal);
    clear();
    QTreeWidgetItem* parent = nullptr;
    const QIcon openIcon = style()->standardIcon(QStyle::SP_DirOpenIcon);
    for (const std::string& directory : PathChain(top, normal)) {
        auto* item = parent == nullptr ? new QTreeWidgetItem(this) : new QTreeWidgetItem(parent);
        item->setText(0, ShownName(directory));
        item->setIcon(0, openIcon);
        item->setData(0, kPathRole, QByteArray::fromStdString(directory));
        parent = item;
    }
    const QIcon closedIcon = style()->standardIcon(QStyle::SP_DirClosedIcon);
    for (const std::string& name : subdirectories) {
        auto* item = new QTreeWidgetItem(parent);
        item->setText(0, Shown(name));
        item->setIcon(0, closedIcon);
        item->setData(0, kPathRole, QByteArray::fromStdString(JoinNative(normal, name)));
    }
    expandAll();
    setCurrentItem(parent);
    root_ = top;
    const bool changed = normal != path_;
    path_ = normal;
    if (changed) emit pathChanged();
}

void DirListBox::open(QTreeWidgetItem* item) {
    try {
        setPath(root_, item->data(0, kPathRole).toByteArray().toStdString());
    } catch (const FileError& error) {
        emit openFailed(QString::fromStdString(DirectoryNotRead(error)));
    }
}

}  // namespace quodlin
