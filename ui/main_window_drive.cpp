// The card drive: chosen in smDrive, opened as the card side's root.
#include <QListWidget>

#include "core/messages.h"
#include "ui/busy_pointer.h"
#include "ui/drive_list_box.h"
#include "ui/main_window.h"

namespace quodlin {

void frmQuodlinMain::setCardDrive(const std::string& drive) {
    if (!smDrive->select(drive)) throw NoSuchDrive(drive);
    smDrive_Change();
}

// A card that cannot be read leaves the card in use as it was: its list stays, and the catalogue
// is still written to the card the list was read from, not to the drive that failed.
void frmQuodlinMain::smDrive_Change() {
    try {
        const BusyPointer busy;
        card_.open(smDrive->currentRoot());
    } catch (const FileError&) {
        parts_.prompt.message(kDriveNotReady, MessageStyle::Exclamation, kErrorTitle);
    }
    showCardList();
}

}  // namespace quodlin
