// Drag and drop between the two lists and from the desktop's file manager.
#include <filesystem>

#include "core/messages.h"
#include "core/natural_order.h"
#include "core/utf8.h"
#include "platform/local_file_system_paths.h"
#include "ui/main_window.h"

namespace quodlin {

// The paths are the files' own bytes, so that a name that is not UTF-8 is still copied.
void frmQuodlinMain::filesDroppedOnCard(const std::vector<std::string>& paths) {
    if (SelectedTab() == Tab::Help) return;
    const Mode mode = directories_.mode;
    std::vector<std::string> accepted;
    std::vector<std::string> refused;
    for (const std::string& path : paths) {
        const std::filesystem::path file = PathOf(path);
        const std::string name = Utf8Of(file.filename());
        std::error_code error;
        if (std::filesystem::is_regular_file(file, error) &&
            EndsWithIgnoringCase(name, ModeExtension(mode))) {
            accepted.push_back(path);
        } else {
            refused.push_back(NameText(name));
        }
    }
    if (!refused.empty()) prompt().message(NotOfMode(refused, mode), MessageStyle::Exclamation);
    if (!accepted.empty()) copyToCard(accepted);
}

}  // namespace quodlin
