// Previews: a double click, Enter or Space on a sample plays it, in samples mode only.
#include "core/text_functions.h"
#include "ui/card_list_box.h"
#include "ui/file_list_box.h"
#include "ui/main_window.h"

namespace quodlin {
namespace {

// What the status line says of a preview: nothing when it plays.
std::string PreviewStatus(const Player& player, const std::string& path) {
    if (player.hasNoDevice()) return "No sound device";
    std::string reason = player.lastError();
    if (reason.empty()) return "";
    if (reason.starts_with(path + ": ")) reason.erase(0, path.size() + 2);
    const std::size_t cut = path.find_last_of(std::string("/") + NativeSeparator());
    return "Cannot play " + (cut == std::string::npos ? path : path.substr(cut + 1)) + ": " +
           reason;
}

}  // namespace

void frmQuodlinMain::preview(const std::string& path) {
    StopAndClose(player());
    player().setFileName(path);
    player().command("Open");
    player().command("Play");
    showStatus(PreviewStatus(player(), path));
}

void frmQuodlinMain::lstSmartMedia_DblClick() {
    if (SelectedTab() != Tab::Samples) return;
    const int row = lstSmartMedia->currentRow();
    if (row < 0 || row > card_.table().smLastIndex()) return;
    preview(JoinNative(card_.cardRoot(), card_.table().smFileName(row)));
}

void frmQuodlinMain::FileList_DblClick() {
    if (SelectedTab() != Tab::Samples) return;
    const int row = FileList->currentRow();
    if (row < 0) return;
    preview(JoinNative(FileList->directory(), FileList->name(row)));
}

}  // namespace quodlin
