#pragma once

#include <QListWidget>
#include <QStringList>
#include <QUrl>
#include <string>
#include <vector>

namespace quodlin {

// A drag out of the card list carries this type: only the computer list takes it, as a copy from
// the card of the rows selected.
inline constexpr const char* kCardRowsMimeType = "application/x-quodlin-card-rows";

// The card list: its rows can be dragged out, and files dropped on it from the computer list or
// the desktop's file manager.
class CardListBox : public QListWidget {
    Q_OBJECT

public:
    explicit CardListBox(QWidget* parent);

    // Grey text shown while the list is empty; "" for none.
    void setPlaceholder(const QString& text);
    const QString& placeholder() const { return placeholder_; }

signals:
    // Local files were dropped on the list, in the order the drag gave them.
    void filesDropped(const std::vector<std::string>& paths);

protected:
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QList<QListWidgetItem*>& items) const override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QString placeholder_;
};

// Returns the local files a drag carries, as the paths' bytes, also when a name is not UTF-8; empty
// when it carries none.
std::vector<std::string> LocalFilesOf(const QMimeData* mime);
// Makes the URL of a local file, keeping every byte of its path.
QUrl UrlOfLocalFile(const std::string& path);

// Takes a drag or drop as a copy when it is acceptable and refuses it otherwise; returns which.
bool AcceptAsCopy(QDropEvent* event, bool acceptable);

}  // namespace quodlin
