#include "core/sample_conversion.h"

#include <cmath>

#include "core/file_io.h"
#include "core/sample_readiness.h"

namespace quodlin {

std::string ConvertQuestion(int notReady, int selected) {
    const bool one = notReady == 1;
    const std::string which =
        notReady == selected ? (one ? "The selected sample is"
                                    : "The " + std::to_string(selected) + " selected samples are")
                             : std::to_string(notReady) + " of the " + std::to_string(selected) +
                                   " selected samples " + (one ? "is" : "are");
    return which +
           " not in the ES1's format (32 kHz, 8 or 16 bit) and would play wrongly. Convert " +
           (one ? "it" : "them") + " while copying?";
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
    std::map<std::string, std::uint64_t> mustConvert;
    for (const std::string& source : sources) {
        const SampleFormat format = conversion.formats->read(source);
        if (!format.readable || IsReadyForInstrument(format)) continue;
        toConvert[source] = ConvertedBytes(format);
        if (!CanBeCopiedAsItIs(format)) mustConvert[source] = ConvertedBytes(format);
    }
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
    return SourceWriter(*conversion.converter, std::move(toConvert));
}

std::uint64_t ConvertedBytes(const SampleFormat& format) {
    if (format.rate <= 0) return 0;
    const auto frames = static_cast<std::uint64_t>(
        std::llround(static_cast<double>(format.frames) * kInstrumentRate / format.rate));
    return 44 + frames * static_cast<std::uint64_t>(format.channels) * 2;
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
            throw FileError(FileErrorKind::Canceled, path_, "the copy was canceled");
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
    try {
        copy.file = fs.createNew(target);
    } catch (const FileError& error) {
        return CopyFailure{error, false, convertedBytes};
    }
    copy.path = target;
    try {
        ReportingOutput reporting(*copy.file, onChunk, target);
        converter_->convert(source, reporting);
        return std::nullopt;
    } catch (const FileError& error) {
        copy.file.reset();
        RemoveQuietly(fs, target);
        return CopyFailure{error, true, convertedBytes};
    }
}

}  // namespace quodlin
