#pragma once

#include <QTreeWidget>
#include <string>

#include "platform/file_system.h"

namespace quodlin {

// Shows the directories of a path as a tree-like list: the chain from the drive's root down to the
// path, open, then the path's subdirectories. Double click or Enter on one opens it.
class DirListBox : public QTreeWidget {
    Q_OBJECT
public:
    FileSystem& fileSystem() { return fs_; }
    DirListBox(FileSystem& fs, QWidget* parent);

    const std::string& path() const { return path_; }
    // Shows path below root (the drive's root; a path outside it is shown as its own top),
    // raising pathChanged when the path changes. Throws FileError when path cannot be read; the
    // list then stays as it was.
    void setPath(const std::string& root, const std::string& path);
    const std::string& root() const { return root_; }

signals:
    void pathChanged();
    // A directory the user opened could not be read; message says which and why.
    void openFailed(const QString& message);

private:
    void open(QTreeWidgetItem* item);

    FileSystem& fs_;
    std::string root_;
    std::string path_;
};

}  // namespace quodlin
