#include "ui/lists/drive_list_box.h"

#include <QAbstractItemView>
#include <QScrollBar>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <QTimer>
#include <filesystem>

#include "core/samples/sample_readiness.h"

namespace quodlin {
namespace {

constexpr const char* kOtherFolder = "Other folder...";
constexpr const char* kCardImage = "Card image...";
// The data of the "Other folder..." and "Card image..." items: no path can be empty.
const QString kOtherFolderData;
// What tells "Card image..." from "Other folder...".
constexpr int kImageItemRole = Qt::UserRole + 1;

std::string LastPart(const std::string& path) {
    const std::string name = std::filesystem::path(path).filename().string();
    return name.empty() ? path : name;
}

// A card's item tells cards apart: "label — size — mount point", the label being the mount
// point's last part when the volume has none.
std::string CardText(const Volume& volume) {
    const std::string label = volume.label.empty() ? LastPart(volume.root) : volume.label;
    const std::string dash = " \u2014 ";
    if (volume.bytesTotal == 0) return label + dash + volume.root;
    return label + dash + SizeText(volume.bytesTotal) + dash + volume.root;
}

}  // namespace

DriveListBox::DriveListBox(Volumes& volumes, DriveKinds kinds, QWidget* parent)
    : QComboBox(parent), volumes_(volumes), kinds_(kinds) {
    connect(this, &QComboBox::activated, this, &DriveListBox::chosen);
    connect(this, &QComboBox::currentIndexChanged, this, &DriveListBox::showCurrentAsToolTip);
    refresh();
}

// Never under an open popup: the rows would move under the pointer. Until a popup was opened
// there is no view to ask; asking would make one, which start-up would wait for.
void DriveListBox::refresh() {
    if (popupOpened_ && view()->isVisible()) {
        refreshWhenClosed_ = true;
        return;
    }
    refreshWhenClosed_ = false;
    const std::string shown = currentRoot();
    const QString shownText = currentText();
    volumes_.refresh();
    clear();
    for (const Volume& volume : volumes_.list()) {
        if (kinds_ == DriveKinds::All) {
            add(volume.root, volume.displayText, volume.root);
        } else if (volume.removable) {
            add(volume.root, CardText(volume), CardText(volume));
        }
    }
    for (const std::string& folder : chosenFolders_) {
        if (findData(QString::fromStdString(folder)) < 0) add(folder, LastPart(folder), folder);
    }
    if (!shown.empty() && findData(QString::fromStdString(shown)) < 0) {
        addItem(shownText, QString::fromStdString(shown));
    }
    if (offersImages_) {
        addItem(QString::fromUtf8(kCardImage), kOtherFolderData);
        setItemData(count() - 1, true, kImageItemRole);
    }
    if (kinds_ == DriveKinds::Cards) addItem(QString::fromUtf8(kOtherFolder), kOtherFolderData);
    if (shown.empty() || !select(shown)) selectNone();
}

void DriveListBox::offerCardImages() {
    offersImages_ = true;
    refresh();
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

void DriveListBox::showPopup() {
    refresh();
    popupOpened_ = true;
    // The popup is as wide as the longest drive's text.
    view()->setMinimumWidth(view()->sizeHintForColumn(0) + 2 * view()->frameWidth() +
                            view()->verticalScrollBar()->sizeHint().width());
    QComboBox::showPopup();
}

// What changed while the popup was open is shown once the choice made in it has been taken.
void DriveListBox::hidePopup() {
    QComboBox::hidePopup();
    if (refreshWhenClosed_) QTimer::singleShot(0, this, &DriveListBox::refresh);
}

// The box shows the beginning and the end of the drive's text, so that cards of one label are
// still told apart by their mount points; the whole text is the tool tip.
void DriveListBox::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    const QRect room =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    option.currentText =
        fontMetrics().elidedText(option.currentText, Qt::ElideMiddle, room.width());
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}

void DriveListBox::add(const std::string& root, const std::string& text,
                       const std::string& toolTip) {
    addItem(QString::fromStdString(text), QString::fromStdString(root));
    setItemData(count() - 1, QString::fromStdString(toolTip), Qt::ToolTipRole);
}

void DriveListBox::showCurrentAsToolTip() {
    const QString text = currentText();
    setToolTip((text.isEmpty() ? baseToolTip_ : text) + keyHint_);
}

void DriveListBox::chosen(int index) {
    if (itemData(index).toString().isEmpty()) {
        // The card stays what it was until a folder or image is really chosen.
        setCurrentIndex(lastIndex_);
        if (itemData(index, kImageItemRole).toBool()) {
            emit cardImageWanted();
        } else {
            emit otherFolderWanted();
        }
        return;
    }
    lastIndex_ = index;
    emit driveChosen();
}

}  // namespace quodlin
