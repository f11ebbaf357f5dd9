// The computer side: the list shows the directory chosen in the directory chooser.
#include <QPushButton>

#include "core/computer/directory_query.h"
#include "core/shell/shell_messages.h"
#include "core/text/text_functions.h"
#include "ui/dir_dialog.h"
#include "ui/lists/file_list_box.h"
#include "ui/main_window.h"

namespace quodlin {
namespace {

// The caption shows the path; an ampersand in it is text, not an access key.
QString CaptionOf(const std::string& directory) {
    return QString::fromStdString(ShortenPath(directory, 21)).replace("&", "&&");
}

}  // namespace

void frmQuodlinMain::showDirectory() {
    cmdPathSelect->setText(CaptionOf(directories_.sCurrentDir));
    FileList->setDirectory(directories_.sCurrentDir);
    refreshFileList();
}

void frmQuodlinMain::refreshFileList() {
    try {
        FileList->refresh(directories_.mode);
    } catch (const FileError& error) {
        prompt().message(DirectoryNotRead(error), MessageStyle::Exclamation);
    }
    watchFolders();
}

// A path that names no directory is not taken into use; the user is told, and the list shows
// the directory in use again.
void frmQuodlinMain::cmdPathSelect_Click() {
    // The dialogs are made when first wanted, so that start-up does not wait for them.
    if (DirDialog == nullptr) {
        DirDialog = new quodlin::DirDialog(parts_.volumes, parts_.fileSystem, prompt(), this);
    }
    const std::string chosen = DirDialog->ask(directories_.sCurrentDir);
    if (chosen != directories_.sCurrentDir) {
        if (IsUsableDirectory(fileSystem(), chosen)) {
            directories_.sCurrentDir = chosen;
        } else {
            prompt().message(DirectoryNotFound(chosen, directories_.sCurrentDir),
                             MessageStyle::Exclamation);
        }
    }
    showDirectory();
}

std::vector<std::string> frmQuodlinMain::selectedComputerPaths() const {
    std::vector<std::string> paths;
    for (const std::string& name : FileList->selectedNames()) {
        paths.push_back(JoinNative(FileList->directory(), name));
    }
    return paths;
}

}  // namespace quodlin
