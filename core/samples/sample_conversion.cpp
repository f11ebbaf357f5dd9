#include "core/samples/sample_conversion.h"

#include <algorithm>

#include "core/samples/sample_readiness.h"
#include "core/text/messages.h"
#include "core/text/text_functions.h"
#include "core/transfers/file_io.h"

namespace quodlin {

std::string ConvertQuestion(int notReady, int selected) {
    const bool one = notReady == 1;
    const std::string which =
        notReady == selected ? (one ? "The selected sample is"
                                    : "The " + std::to_string(selected) + " selected samples are")
                             : std::to_string(notReady) + " of the " + std::to_string(selected) +
                                   " selected samples " + (one ? "is" : "are");
    return which + " not in the ES1's format (" + InstrumentFormatText() +
           ") and would play wrongly. Convert " + (one ? "it" : "them") + " while copying?";
}

namespace {

// A WAV the instrument plays wrongly can still be copied as it is; other containers cannot.
bool CanBeCopiedAsItIs(const SampleFormat& format) {
    return format.container == "wav" || format.container == "wavex";
}

}  // namespace

std::optional<SourceWriter> ChooseSourceWriter(const std::vector<std::string>& sources, Mode mode,
                                               const SampleConversion& conversion, Prompt& prompt) {
    if (mode != Mode::Samples || !conversion.formats || !conversion.converter) {
        return SourceWriter();
    }
    std::map<std::string, std::uint64_t> toConvert;
    std::vector<std::string> refusals;
    std::map<std::string, std::uint64_t> mustConvert;
    for (const std::string& source : sources) {
        const SampleFormat format = conversion.formats->read(source);
        if (format.regular && (!format.readable || IsReadyForInstrument(format))) continue;
        std::string refusal = ConversionRefusal(FileNameOf(source), format);
        if (!refusal.empty()) {
            refusals.push_back(std::move(refusal));
            continue;
        }
        toConvert[source] = ConvertedBytes(format);
        if (!CanBeCopiedAsItIs(format)) mustConvert[source] = ConvertedBytes(format);
    }
    if (!refusals.empty()) return SourceWriter(std::move(refusals));
    if (toConvert.empty()) return SourceWriter();
    const auto count = [](std::size_t n) { return static_cast<int>(n); };
    if (conversion.ask) {
        switch (prompt.conversionQuestion(
            ConvertQuestion(count(toConvert.size()), count(sources.size())))) {
            case ConversionAnswer::Cancel:
                return std::nullopt;
            case ConversionAnswer::CopyAsTheyAre:
                toConvert = std::move(mustConvert);
                break;
            case ConversionAnswer::Convert:
                break;
        }
    }
    if (toConvert.empty()) return SourceWriter();
    return SourceWriter(*conversion.converter, std::move(toConvert), prompt);
}

std::uint64_t ConvertedBytes(const SampleFormat& format) {
    const auto channels = static_cast<std::uint64_t>(std::max(0, format.channels));
    return 44 + ConvertedFrames(format) * ConvertedChannels(static_cast<int>(channels)) * 2;
}

std::string ConversionRefusal(const std::string& name, const SampleFormat& format) {
    const std::string refused = Quoted(name) + " cannot be converted: ";
    if (!format.regular) return refused + "it is not a regular file.";
    if (!format.readable) return "";
    if (format.rate < kLowestSourceRate || format.rate > kHighestSourceRate) {
        return refused + "its header gives " + std::to_string(format.rate) + " Hz.";
    }
    if (format.channels < 1 || format.channels > kMostSourceChannels) {
        return refused + "its header gives " + std::to_string(format.channels) + " channels.";
    }
    if (!format.consistent) return refused + "its header claims more sound than the file holds.";
    if (ConvertedBytes(format) > kLargestConvertedBytes) {
        return refused + "the sample would be larger than the largest card (64 MB).";
    }
    return "";
}

std::string MadeSilent(const std::string& name) {
    return Quoted(name) + " held samples that are not numbers; they were made silent.";
}

namespace {

// Tells the run of each block a conversion writes, so that its bar moves and Cancel ends it.
class ReportingOutput : public OutputFile {
public:
    ReportingOutput(OutputFile& file, const ChunkWritten& onChunk, std::string path)
        : file_(file), onChunk_(onChunk), path_(std::move(path)) {}
    void write(const char* data, std::size_t size) override {
        file_.write(data, size);
        if (onChunk_ && !onChunk_(size)) {
            throw FileError(FileErrorKind::Canceled, path_, kCopyCanceled);
        }
    }
    void sync() override { file_.sync(); }
    void close() override { file_.close(); }

private:
    OutputFile& file_;
    const ChunkWritten& onChunk_;
    std::string path_;
};

}  // namespace

std::optional<CopyFailure> SourceWriter::write(FileSystem& fs, const std::string& source,
                                               const std::string& target, UnsyncedCopy& copy,
                                               const ChunkWritten& onChunk) const {
    const auto converted = toConvert_.find(source);
    if (converted == toConvert_.end()) return CopyUnsynced(fs, source, target, copy, onChunk);
    const std::uint64_t convertedBytes = converted->second;
    bool madeSilent = false;
    const auto convert = [&](OutputFile& out) {
        ReportingOutput reporting(out, onChunk, target);
        madeSilent = converter_->convert(source, reporting).madeSilent;
    };
    auto failure = FillUnsynced(fs, target, copy, convert, [&] { return convertedBytes; });
    if (!failure && madeSilent && prompt_) {
        prompt_->message(MadeSilent(FileNameOf(source)), MessageStyle::Information);
    }
    return failure;
}

}  // namespace quodlin
