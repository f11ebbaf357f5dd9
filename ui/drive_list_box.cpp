#include "ui/drive_list_box.h"

#include <QAbstractItemView>
#include <filesystem>

namespace quodlin {
namespace {

// A directory shown as a drive: its name first, so that the narrow list shows it.
std::string DirectoryText(const std::string& path) {
    const std::string name = std::filesystem::path(path).filename().string();
    return name.empty() ? path : name + " (" + path + ")";
}

}  // namespace

DriveListBox::DriveListBox(Volumes& volumes, std::string alwaysListed, QWidget* parent)
    : QComboBox(parent), volumes_(volumes), alwaysListed_(std::move(alwaysListed)) {
    connect(this, &QComboBox::activated, this, &DriveListBox::driveChosen);
    refresh();
}

void DriveListBox::refresh() {
    const std::string shown = currentRoot();
    const QString shownText = currentText();
    volumes_.refresh();
    clear();
    for (const Volume& volume : volumes_.list()) add(volume.root, volume.displayText);
    if (!alwaysListed_.empty() && findData(QString::fromStdString(alwaysListed_)) < 0) {
        add(alwaysListed_, DirectoryText(alwaysListed_));
    }
    if (shown.empty()) return;
    if (findData(QString::fromStdString(shown)) < 0)
        addItem(shownText, QString::fromStdString(shown));
    select(shown);
}

bool DriveListBox::select(const std::string& root) {
    const int index = findData(QString::fromStdString(root));
    if (index < 0) return false;
    setCurrentIndex(index);
    return true;
}

std::string DriveListBox::currentRoot() const {
    return currentData().toString().toStdString();
}

std::vector<std::string> DriveListBox::roots() const {
    std::vector<std::string> all;
    for (int i = 0; i < count(); ++i) all.push_back(itemData(i).toString().toStdString());
    return all;
}

void DriveListBox::showPopup() {
    refresh();
    // The list is narrow; its popup shows the whole of each drive's text.
    view()->setMinimumWidth(view()->sizeHintForColumn(0) + 2 * view()->frameWidth());
    QComboBox::showPopup();
}

void DriveListBox::add(const std::string& root, const std::string& text) {
    addItem(QString::fromStdString(text), QString::fromStdString(root));
}

}  // namespace quodlin
