#include "core/card/card_info.h"

#include "core/card/card_listing.h"
#include "core/samples/sample_conversion.h"
#include "core/samples/sample_readiness.h"
#include "core/text/text_functions.h"
#include "core/text/wording.h"

namespace quodlin {

std::vector<CardFileInfo> ReadCardFiles(CardSide& card, SampleFormats& formats) {
    std::vector<CardFileInfo> files;
    const std::vector<CardEntry>& entries = card.table().entries();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::string path = JoinNative(card.cardRoot(), entries[i].fileName);
        CardFileInfo file{entries[i], CardListLine(entries[i]), {}};
        if (card.mode() == Mode::Samples) {
            file.format = formats.read(path);
        } else {
            file.format.bytes = card.fileSystem().fileSize(path);
        }
        files.push_back(std::move(file));
    }
    return files;
}

std::string CardFileInfoLine(const CardFileInfo& file, Mode mode) {
    if (mode == Mode::Banks) return file.line + kSeparator + SizeText(file.format.bytes);
    std::string text = file.line + kSeparator + SampleFormatText(file.format) + kSeparator;
    if (file.format.readable)
        text += SizeText(InstrumentBytes(file.format)) + " in the ES1" + kSeparator;
    const std::vector<std::string> problems = SampleProblems(file.format);
    if (problems.empty()) return text + "ready";
    return text + "not ready: " + Joined(problems);
}

}  // namespace quodlin
