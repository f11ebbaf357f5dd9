#include "core/samples/sample_readiness.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>

#include "core/samples/instrument_format.h"
#include "core/text/wording.h"
#include "platform/sample_converter.h"

namespace quodlin {
namespace {

std::string ContainerName(const std::string& container) {
    static const std::map<std::string, std::string> kNames = {
        {"wavex", "extensible WAV"},
        {"aiff", "AIFF"},
        {"flac", "FLAC"},
        {"ogg", "Ogg"},
        {"rf64", "RF64"},
        {"w64", "W64"},
        {"caf", "CAF"},
        {"au", "AU"},
    };
    const auto found = kNames.find(container);
    return found == kNames.end() ? container : found->second;
}

std::string WordText(const SampleFormat& format) {
    if (format.encoding == "pcm") return std::to_string(format.bits) + "-bit";
    if (format.encoding == "float") return std::to_string(format.bits) + "-bit float";
    return format.encoding;
}

std::string ChannelText(int channels) {
    if (channels == 1) return "mono";
    if (channels == 2) return "stereo";
    return std::to_string(channels) + " channels";
}

std::string Fixed(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

}  // namespace

std::vector<std::string> SampleProblems(const SampleFormat& format) {
    if (!format.readError.empty()) return {"it could not be read (" + format.readError + ")"};
    if (!format.readable) return {"not a sound file"};
    std::vector<std::string> problems;
    if (format.container != "wav") problems.push_back(ContainerName(format.container));
    if (format.encoding == "pcm") {
        if (!IsInstrumentBits(format.bits)) problems.push_back(WordText(format));
    } else {
        problems.push_back(format.encoding);
    }
    if (format.rate != kInstrumentRate) problems.push_back(std::to_string(format.rate) + " Hz");
    if (!IsInstrumentChannels(format.channels)) {
        problems.push_back(ChannelText(format.channels));
    }
    return problems;
}

std::string SampleProblemText(const SampleFormat& format) {
    std::vector<std::string> problems = SampleProblems(format);
    // The rate is what the ear meets first; it leads.
    const auto rate = std::find_if(problems.begin(), problems.end(),
                                   [](const std::string& p) { return p.ends_with(" Hz"); });
    if (rate != problems.end()) std::rotate(problems.begin(), rate, rate + 1);
    const std::string text = Joined(problems);
    if (!format.readable) return text + ".";
    if (format.rate != kInstrumentRate) return text + ": plays at the wrong speed.";
    return text + ": the ES1 does not play it right.";
}

std::string SampleFormatText(const SampleFormat& format) {
    if (!format.readError.empty()) {
        return "could not be read (" + format.readError + ")" + kSeparator + SizeText(format.bytes);
    }
    if (!format.readable)
        return std::string("not a sound file") + kSeparator + SizeText(format.bytes);
    std::string text;
    if (format.container != "wav") text = ContainerName(format.container) + kSeparator;
    return text + std::to_string(format.rate) + " Hz" + kSeparator + WordText(format) + kSeparator +
           ChannelText(format.channels) + kSeparator + Fixed(format.seconds(), 2) + " s" +
           kSeparator + SizeText(format.bytes);
}

}  // namespace quodlin
