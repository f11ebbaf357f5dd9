// The computer directory, chosen in the directory chooser.
#include "core/directory_query.h"
#include "core/shell_messages.h"
#include "ui/dir_dialog.h"
#include "ui/main_window.h"

namespace quodlin {

// A path that names no directory is not taken into use; the user is told, and the list shows
// the directory in use again.
void frmQuodlinMain::cmdPathSelect_Click() {
    const std::string chosen = DirDialog->choose(directories_.sCurrentDir);
    if (chosen != directories_.sCurrentDir) {
        if (IsUsableDirectory(fileSystem(), chosen)) {
            directories_.sCurrentDir = chosen;
        } else {
            parts_.prompt.message(DirectoryNotFound(chosen, directories_.sCurrentDir),
                                  MessageStyle::Exclamation);
        }
    }
    showDirectory();
}

}  // namespace quodlin
