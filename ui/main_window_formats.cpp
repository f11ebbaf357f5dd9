#include "core/text_functions.h"
#include "ui/card_list_box.h"
#include "ui/file_list_box.h"
#include "ui/format_hints.h"
#include "ui/main_window.h"

namespace quodlin {

// Both lists show each sample's format in its tool tip once it has been read.
void frmQuodlinMain::addFormatHints() {
    if (parts_.sampleFormats == nullptr) return;
    const auto samplesShown = [this] { return SelectedTab() == Tab::Samples; };
    new FormatHints(
        FileList, *parts_.sampleFormats,
        [this](int row) { return JoinNative(FileList->directory(), FileList->name(row)); },
        samplesShown);
    new FormatHints(
        lstSmartMedia, *parts_.sampleFormats,
        [this](int row) {
            const QListWidgetItem* file = smFile->item(row);
            return file ? JoinNative(card_.cardRoot(), file->text().toStdString()) : "";
        },
        samplesShown);
}

}  // namespace quodlin
