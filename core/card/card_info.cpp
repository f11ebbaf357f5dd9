#include "core/card/card_info.h"

#include "core/card/card_listing.h"
#include "core/samples/sample_conversion.h"
#include "core/samples/sample_readiness.h"
#include "core/text/text_functions.h"
#include "core/text/utf8.h"
#include "core/text/wording.h"

namespace quodlin {

std::string DamageOf(const CardSide& card, const CardEntry& entry) {
    const auto& entries = card.rootEntries();
    const auto found = FindName(entries.begin(), entries.end(), entry.fileName,
                                [](const DirEntry& dirEntry) { return dirEntry.name; });
    return found == entries.end() ? "" : found->damaged;
}

std::vector<CardFileInfo> ReadCardFiles(CardSide& card, SampleFormats& formats) {
    std::vector<CardFileInfo> files;
    const std::vector<CardEntry>& entries = card.table().entries();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::string path = JoinNative(card.cardRoot(), entries[i].fileName);
        CardFileInfo file{entries[i], CardListLine(entries[i]), {}, DamageOf(card, entries[i])};
        if (card.mode() == Mode::Samples) {
            file.format = formats.read(card.fileSystem(), path);
        } else {
            file.format.bytes = card.fileSystem().fileSize(path);
        }
        files.push_back(std::move(file));
    }
    return files;
}

std::string CardFileInfoLine(const CardFileInfo& file, Mode mode) {
    const std::string line =
        file.damaged.empty() ? file.line : file.line + kSeparator + "damaged: " + file.damaged;
    if (mode == Mode::Banks) return line + kSeparator + SizeText(file.format.bytes);
    std::string text = line + kSeparator + SampleFormatText(file.format) + kSeparator;
    if (file.format.readable)
        text += SizeText(InstrumentBytes(file.format)) + " in the ES1" + kSeparator;
    const std::vector<std::string> problems = SampleProblems(file.format);
    if (problems.empty()) return text + "ready";
    return text + "not ready: " + Joined(problems);
}

}  // namespace quodlin
