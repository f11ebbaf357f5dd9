#pragma once

#include <QComboBox>
#include <string>
#include <vector>

#include "platform/volumes.h"

namespace quodlin {

// Which volumes a drive list offers: every mounted one (to browse the computer), or only those
// that can hold the card, with folders the user chose as the card and "Other folder..." last.
enum class DriveKinds { All, Cards };

// A drop-down of the machine's drives (mounted volumes), read afresh each time it is opened so
// that a card inserted meanwhile appears.
class DriveListBox : public QComboBox {
    Q_OBJECT
public:
    DriveListBox(Volumes& volumes, DriveKinds kinds, QWidget* parent);

    // Offers "Card image..." before "Other folder...".
    void offerCardImages();

    // Reads the volumes again; the drive shown stays shown, also when it has gone.
    void refresh();
    // Shows the drive with that root, without raising driveChosen; false when none is listed.
    bool select(const std::string& root);
    // Lists a folder the user chose as the card, and shows it.
    void addChosenFolder(const std::string& path);
    // Shows no drive at all.
    void selectNone();
    std::string currentRoot() const;
    std::vector<std::string> roots() const;

    void showPopup() override;
    void hidePopup() override;
    // Sets the tool tip for when no drive is shown; a drive shown has its whole text as tool tip.
    // The key that opens the list is told after either.
    void setBaseToolTip(const QString& tip, const QString& keyHint = QString()) {
        baseToolTip_ = tip;
        keyHint_ = keyHint;
        showCurrentAsToolTip();
    }

protected:
    void paintEvent(QPaintEvent* event) override;

signals:
    // The user chose a drive (also when it is the one shown already).
    void driveChosen();
    // The user chose "Other folder...".
    void otherFolderWanted();
    // The user chose "Card image...".
    void cardImageWanted();

private:
    void add(const std::string& root, const std::string& text, const std::string& toolTip);
    void chosen(int index);
    void showCurrentAsToolTip();

    Volumes& volumes_;
    DriveKinds kinds_;
    bool offersImages_ = false;
    std::vector<std::string> chosenFolders_;
    int lastIndex_ = -1;
    bool refreshWhenClosed_ = false;
    bool popupOpened_ = false;
    QString baseToolTip_;
    QString keyHint_;
};

}  // namespace quodlin
