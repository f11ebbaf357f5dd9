#pragma once

#include <QListWidget>
#include <string>
#include <vector>

#include "core/card_numbering.h"
#include "platform/file_system.h"

namespace quodlin {

// The computer side's file list: the files of one directory that match the mode's pattern, in
// natural order, with extended selection. Its rows drag out as files; card rows dropped on it
// ask for a copy from the card.
class FileListBox : public QListWidget {
    Q_OBJECT
public:
    FileListBox(FileSystem& fs, QWidget* parent);

    const std::string& directory() const { return directory_; }
    void setDirectory(const std::string& directory) { directory_ = directory; }

    // Reads the directory again for the files of the mode; names that stay keep their
    // selection. On failure the list is empty and the error passed on.
    void refresh(Mode mode);
    // Returns the file name of a row exactly as the directory holds it, also when it is not UTF-8
    // and the row can only show it approximately.
    std::string name(int row) const;
    const std::vector<std::string>& names() const { return names_; }
    std::vector<std::string> selectedNames() const;

signals:
    void cardRowsDropped();

protected:
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QList<QListWidgetItem*>& items) const override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    FileSystem& fs_;
    std::string directory_;
    std::vector<std::string> names_;
};

}  // namespace quodlin
