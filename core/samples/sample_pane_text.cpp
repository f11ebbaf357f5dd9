#include "core/samples/sample_pane_text.h"

#include <cstdio>

#include "core/samples/sample_conversion.h"
#include "core/samples/sample_readiness.h"
#include "core/text/wording.h"

namespace quodlin {

std::string PaneFormatLine(const SampleFormat& format) {
    // Why a file is not read as sound is the waveform's to tell.
    if (!format.readable) return SampleFormatText(format);
    const std::string readiness =
        format.regular && IsReadyForInstrument(format) ? "ready" : SampleProblemText(format);
    return SampleFormatText(format) + kSeparator + readiness;
}

std::string PaneSizeLine(const SampleFormat& format, const SampleShaping& shaping, bool onCard) {
    std::string text;
    if (format.readable) text = SecondsText(format.seconds()) + kSeparator;
    if (onCard) return text + SizeText(format.bytes) + " on the card";
    const bool upperBound = shaping.trimDb.has_value() && format.readable;
    return text + (upperBound ? "at most " : "") + SizeText(BytesOnCardAsCopied(format, shaping)) +
           " on the card as copied";
}

}  // namespace quodlin
