#include "ui/drive_list_box.h"

#include <QAbstractItemView>
#include <QLocale>
#include <filesystem>

namespace quodlin {
namespace {

constexpr const char* kOtherFolder = "Other folder...";
// The data of the "Other folder..." item: no path can be empty.
const QString kOtherFolderData;

std::string LastPart(const std::string& path) {
    const std::string name = std::filesystem::path(path).filename().string();
    return name.empty() ? path : name;
}

// A card's item is short, so that the narrow list shows it whole: the label, else the mount
// point's last part.
std::string CardText(const Volume& volume) {
    return volume.label.empty() ? LastPart(volume.root) : volume.label;
}

std::string VolumeToolTip(const Volume& volume) {
    if (volume.bytesTotal == 0) return volume.root;
    return volume.root + " · " +
           QLocale().formattedDataSize(static_cast<qint64>(volume.bytesTotal)).toStdString();
}

}  // namespace

DriveListBox::DriveListBox(Volumes& volumes, DriveKinds kinds, QWidget* parent)
    : QComboBox(parent), volumes_(volumes), kinds_(kinds) {
    connect(this, &QComboBox::activated, this, &DriveListBox::chosen);
    refresh();
}

void DriveListBox::refresh() {
    const std::string shown = currentRoot();
    const QString shownText = currentText();
    volumes_.refresh();
    clear();
    for (const Volume& volume : volumes_.list()) {
        if (kinds_ == DriveKinds::All) {
            add(volume.root, volume.displayText, volume.root);
        } else if (volume.removable) {
            add(volume.root, CardText(volume), VolumeToolTip(volume));
        }
    }
    for (const std::string& folder : chosenFolders_) {
        if (findData(QString::fromStdString(folder)) < 0) add(folder, LastPart(folder), folder);
    }
    if (!shown.empty() && findData(QString::fromStdString(shown)) < 0) {
        addItem(shownText, QString::fromStdString(shown));
    }
    if (kinds_ == DriveKinds::Cards) addItem(QString::fromUtf8(kOtherFolder), kOtherFolderData);
    if (shown.empty() || !select(shown)) selectNone();
}

bool DriveListBox::select(const std::string& root) {
    const int index = root.empty() ? -1 : findData(QString::fromStdString(root));
    if (index < 0) return false;
    setCurrentIndex(index);
    lastIndex_ = index;
    return true;
}

void DriveListBox::addChosenFolder(const std::string& path) {
    if (std::find(chosenFolders_.begin(), chosenFolders_.end(), path) == chosenFolders_.end()) {
        chosenFolders_.push_back(path);
    }
    refresh();
    select(path);
}

void DriveListBox::selectNone() {
    setCurrentIndex(-1);
    lastIndex_ = -1;
}

std::string DriveListBox::currentRoot() const {
    return currentData().toString().toStdString();
}

std::vector<std::string> DriveListBox::roots() const {
    std::vector<std::string> all;
    for (int i = 0; i < count(); ++i) {
        const std::string root = itemData(i).toString().toStdString();
        if (!root.empty()) all.push_back(root);
    }
    return all;
}

bool DriveListBox::isListedVolume(const std::string& root) const {
    for (const Volume& volume : volumes_.list()) {
        if (volume.root == root && (kinds_ == DriveKinds::All || volume.removable)) return true;
    }
    return false;
}

void DriveListBox::showPopup() {
    refresh();
    // The list is narrow; its popup shows the whole of each drive's text.
    view()->setMinimumWidth(view()->sizeHintForColumn(0) + 2 * view()->frameWidth());
    QComboBox::showPopup();
}

void DriveListBox::add(const std::string& root, const std::string& text,
                       const std::string& toolTip) {
    addItem(QString::fromStdString(text), QString::fromStdString(root));
    setItemData(count() - 1, QString::fromStdString(toolTip), Qt::ToolTipRole);
}

void DriveListBox::chosen(int index) {
    if (itemData(index).toString().isEmpty()) {
        // The card stays what it was until a folder is really chosen.
        setCurrentIndex(lastIndex_);
        emit otherFolderWanted();
        return;
    }
    lastIndex_ = index;
    emit driveChosen();
}

}  // namespace quodlin
