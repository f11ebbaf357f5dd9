#include "core/computer/directory_state.h"

namespace quodlin {

void DirectoryState::selectTab(Tab tab) {
    handBack();
    if (tab == Tab::Help) {
        sCurrentDir.clear();
        return;
    }
    mode = tab == Tab::Samples ? Mode::Samples : Mode::Banks;
    sCurrentDir = remembered(mode);
}

void DirectoryState::handBack() {
    if (!sCurrentDir.empty()) remembered(mode) = sCurrentDir;
}

}  // namespace quodlin
