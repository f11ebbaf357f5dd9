#include "core/card/card_use.h"

#include <cstdio>

#include "core/card/card_listing.h"
#include "core/card/card_side.h"
#include "core/samples/sample_conversion.h"
#include "core/samples/sample_readiness.h"
#include "core/text/wording.h"

namespace quodlin {
CardUse CardUseOf(CardSide& card) {
    CardUse use;
    for (const DirEntry& entry : card.rootEntries()) {
        if (IsCardFileOfMode(entry, Mode::Samples)) ++use.samples;
        if (IsCardFileOfMode(entry, Mode::Banks)) ++use.banks;
    }
    use.freeBytes = card.fileSystem().freeSpace(card.cardRoot());
    use.totalBytes = card.fileSystem().totalSpace(card.cardRoot());
    return use;
}

std::string CardUseText(const CardUse& use) {
    std::string text = Counted(use.samples, "sample") + kSeparator + Counted(use.banks, "bank");
    if (use.freeBytes && use.totalBytes) {
        text += kSeparator + SizeText(*use.freeBytes) + " free of " + SizeText(*use.totalBytes);
    }
    return text;
}

std::string SelectionText(const std::vector<SampleFormat>& selected) {
    if (selected.empty()) return "";
    std::uint64_t bytes = 0;
    std::uint64_t instrumentBytes = 0;
    double seconds = 0;
    bool anySound = false;
    for (const SampleFormat& format : selected) {
        bytes += format.bytes;
        seconds += format.seconds();
        anySound = anySound || format.readable;
        if (format.readable) instrumentBytes += InstrumentBytes(format);
    }
    std::string text = std::to_string(selected.size()) + " selected" + kSeparator + SizeText(bytes);
    if (!anySound) return text;
    return text + kSeparator + SecondsText(seconds) + kSeparator + SizeText(instrumentBytes) +
           " in the ES1";
}

}  // namespace quodlin
