#include <QLabel>

#include "core/card_use.h"
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
    connect(FileList, &QListWidget::itemSelectionChanged, this,
            [this] { showSelection(selectedComputerPaths()); });
    connect(lstSmartMedia, &QListWidget::itemSelectionChanged, this, [this] {
        std::vector<std::string> paths;
        for (const CardEntry& entry : selectedCardEntries()) {
            paths.push_back(JoinNative(card_.cardRoot(), entry.fileName));
        }
        showSelection(paths);
    });
}

// The card's use, and what the selection of the list last changed holds.
void frmQuodlinMain::showSelection(const std::vector<std::string>& paths) {
    std::string text;
    if (!card_.cardRoot().empty()) {
        try {
            text = CardUseText(ReadCardUse(parts_.fileSystem, card_.cardRoot()));
        } catch (const FileError&) {
            // A card that cannot be read has no use to tell.
        }
    }
    if (parts_.sampleFormats != nullptr && !paths.empty()) {
        std::vector<SampleFormat> formats;
        for (const std::string& path : paths) formats.push_back(parts_.sampleFormats->read(path));
        text += (text.empty() ? "" : "   ") + SelectionText(formats);
    }
    lblCardUse->setText(QString::fromStdString(text));
}

}  // namespace quodlin
