#pragma once

#include <QComboBox>
#include <string>
#include <vector>

#include "platform/volumes.h"

namespace quodlin {

// A drop-down of the machine's drives (mounted volumes), read afresh each time it is opened so
// that a card inserted meanwhile appears. A directory given as alwaysListed is offered as a drive
// as well.
class DriveListBox : public QComboBox {
    Q_OBJECT
public:
    DriveListBox(Volumes& volumes, std::string alwaysListed, QWidget* parent);

    // Reads the volumes again; the drive shown stays shown, also when it has gone.
    void refresh();
    // Shows the drive with that root, without raising driveChosen; false when none is listed.
    bool select(const std::string& root);
    std::string currentRoot() const;
    std::vector<std::string> roots() const;

    void showPopup() override;

signals:
    // The user chose a drive (also when it is the one shown already).
    void driveChosen();

private:
    void add(const std::string& root, const std::string& text);

    Volumes& volumes_;
    std::string alwaysListed_;
};

}  // namespace quodlin
