#include "core/card/card_info.h"

#include "core/samples/sample_readiness.h"
#include "core/text/text_functions.h"

namespace quodlin {

std::vector<CardFileInfo> ReadCardFiles(CardSide& card, SampleFormats& formats) {
    std::vector<CardFileInfo> files;
    const std::vector<CardEntry>& entries = card.table().entries();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::string path = JoinNative(card.cardRoot(), entries[i].fileName);
        CardFileInfo file{entries[i], card.lines()[i], {}};
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
    constexpr const char* kDot = " \xC2\xB7 ";  // " · "
    if (mode == Mode::Banks) return file.line + kDot + SizeText(file.format.bytes);
    std::string text = file.line + kDot + SampleFormatText(file.format) + kDot;
    const std::vector<std::string> problems = SampleProblems(file.format);
    if (problems.empty()) return text + "ready";
    text += "not ready: ";
    for (std::size_t i = 0; i < problems.size(); ++i) text += (i ? ", " : "") + problems[i];
    return text;
}

}  // namespace quodlin
