#include "core/samples/sample_conversion.h"

#include <algorithm>

#include "core/io/file_io.h"
#include "core/io/whole_read.h"
#include "core/messages/messages.h"
#include "core/samples/instrument_format.h"
#include "core/samples/sample_readiness.h"
#include "core/text/text_functions.h"

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

std::string ShapeQuestion(int selected) {
    const bool one = selected == 1;
    return (one ? std::string("The selected sample is")
                : "The " + std::to_string(selected) + " selected samples are") +
           " ready for the ES1. Shape " + (one ? "it" : "them") + " while copying?";
}

namespace {

std::uint64_t ConvertedDataBytes(const SampleFormat& format, const SampleShaping& shaping) {
    const int channels = shaping.mono ? 1 : ConvertedChannels(std::max(0, format.channels));
    return ConvertedFrames(format) * static_cast<std::uint64_t>(channels) *
           (shaping.eightBit ? 1u : 2u);
}

}  // namespace

std::uint64_t ConvertedBytes(const SampleFormat& format, const SampleShaping& shaping) {
    const std::uint64_t data = ConvertedDataBytes(format, shaping);
    return 44 + data + data % 2;  // a data chunk of odd size is padded to an even one
}

std::uint64_t InstrumentBytes(const SampleFormat& format) {
    SampleShaping ownWords;
    ownWords.eightBit = format.encoding == "pcm" && format.bits == 8;
    return ConvertedDataBytes(format, ownWords);
}

namespace {

// A WAV the instrument plays wrongly can still be copied as it is; other containers cannot.
bool CanBeCopiedAsItIs(const SampleFormat& format) {
    return format.container == "wav" || format.container == "wavex";
}

// A sound file of the run that a conversion could read.
struct RunSample {
    std::string source;
    SampleFormat format;
    bool ready = false;
};

bool Converted(const RunSample& sample, const SampleShaping& shaping) {
    return !sample.ready || shaping.any();
}

// The samples of a run that are converted with the shaping given, with their sizes then.
std::map<std::string, std::uint64_t> ToConvert(const std::vector<RunSample>& samples,
                                               const SampleShaping& shaping) {
    std::map<std::string, std::uint64_t> toConvert;
    for (const RunSample& sample : samples) {
        if (Converted(sample, shaping)) {
            toConvert[sample.source] = ConvertedBytes(sample.format, shaping);
        }
    }
    return toConvert;
}

std::vector<std::string> Refusals(const std::vector<RunSample>& samples,
                                  const SampleShaping& shaping) {
    std::vector<std::string> refusals;
    for (const RunSample& sample : samples) {
        if (!Converted(sample, shaping)) continue;
        std::string refusal = ConversionRefusal(FileNameOf(sample.source), sample.format, shaping);
        if (!refusal.empty()) refusals.push_back(std::move(refusal));
    }
    return refusals;
}

// How many of the samples, in order, fit in free bytes once copied so; none when free is unknown.
std::optional<std::size_t> Fitting(const std::vector<RunSample>& samples,
                                   const SampleShaping& shaping,
                                   std::optional<std::uint64_t> free) {
    if (!free) return std::nullopt;
    std::uint64_t used = 0;
    std::size_t count = 0;
    for (const RunSample& sample : samples) {
        used += BytesOnCardAsCopied(sample.format, shaping);
        if (used > *free) break;
        ++count;
    }
    return count;
}

PrepareQuestion QuestionFor(const std::vector<RunSample>& samples, std::size_t selected,
                            const SampleShaping& shaping, std::optional<std::uint64_t> free) {
    const auto notReady = std::count_if(samples.begin(), samples.end(),
                                        [](const RunSample& sample) { return !sample.ready; });
    PrepareQuestion question;
    question.text = notReady > 0
                        ? ConvertQuestion(static_cast<int>(notReady), static_cast<int>(selected))
                        : ShapeQuestion(static_cast<int>(selected));
    question.shaping = shaping;
    for (const RunSample& sample : samples) {
        const std::string name = FileNameOf(sample.source);
        question.names.push_back(name);
        question.problems.push_back(sample.ready ? "" : SampleProblemText(sample.format));
        if (!CanBeCopiedAsItIs(sample.format)) question.convertedAnyway.push_back(name);
        question.bytesBefore += sample.format.bytes;
    }
    question.bytesAfter = [samples](const SampleShaping& chosen) {
        std::uint64_t total = 0;
        for (const RunSample& sample : samples) {
            total += BytesOnCardAsCopied(sample.format, chosen);
        }
        return total;
    };
    question.fitting = [samples, free](const SampleShaping& chosen) {
        return Fitting(samples, chosen, free);
    };
    return question;
}

}  // namespace

std::optional<SourceWriter> ChooseSourceWriter(const std::vector<std::string>& sources, Mode mode,
                                               const SampleConversion& conversion, Prompt& prompt) {
    if (mode != Mode::Samples || !conversion.formats || !conversion.converter) {
        return SourceWriter();
    }
    std::vector<RunSample> samples;
    std::vector<std::string> notSound;
    for (const std::string& source : sources) {
        const SampleFormat format = conversion.formats->read(source);
        if (format.regular && !format.readable) {
            notSound.push_back(source);
            continue;
        }
        samples.push_back({source, format, format.regular && IsReadyForInstrument(format)});
    }
    std::vector<std::string> refusals = Refusals(samples, conversion.shaping);
    if (!refusals.empty()) return SourceWriter(std::move(refusals));
    SampleShaping shaping = conversion.shaping;
    bool converting = !conversion.ask;
    if (conversion.ask && !ToConvert(samples, shaping).empty()) {
        const PrepareAnswer answer = prompt.prepareQuestion(
            QuestionFor(samples, sources.size(), shaping,
                        conversion.cardFree ? conversion.cardFree() : std::nullopt));
        if (answer.choice == ConversionAnswer::Cancel) return std::nullopt;
        converting = answer.choice == ConversionAnswer::Convert;
        shaping = answer.shaping;
        if (answer.choice == ConversionAnswer::CopyAsTheyAre) {
            shaping = {};
            std::erase_if(samples, [](const RunSample& sample) {
                return sample.ready || CanBeCopiedAsItIs(sample.format);
            });
        }
        refusals = Refusals(samples, shaping);
        if (!refusals.empty()) return SourceWriter(std::move(refusals));
    }
    std::map<std::string, std::uint64_t> toConvert = ToConvert(samples, shaping);
    SourceWriter writer = toConvert.empty() ? SourceWriter()
                                            : SourceWriter(*conversion.converter,
                                                           std::move(toConvert), shaping, prompt);
    if (converting) writer.leaveOut(std::move(notSound));
    return writer;
}

std::uint64_t BytesOnCardAsCopied(const SampleFormat& format, const SampleShaping& shaping) {
    const bool ready = format.regular && IsReadyForInstrument(format);
    if (!format.readable || (ready && !shaping.any())) return format.bytes;
    return ConvertedBytes(format, shaping);
}

std::string ConversionRefusal(const std::string& name, const SampleFormat& format,
                              const SampleShaping& shaping) {
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
    if (ConvertedBytes(format, shaping) > kLargestConvertedBytes) {
        return refused + "the sample would be larger than the largest card (" +
               std::to_string(kLargestConvertedBytes >> 20) + " MB).";
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

std::optional<CopyFailure> SourceWriter::write(FileSystem& from, const std::string& source,
                                               FileSystem& to, const std::string& target,
                                               UnsyncedCopy& copy,
                                               const ChunkWritten& onChunk) const {
    const auto converted = toConvert_.find(source);
    if (converted == toConvert_.end()) return CopyUnsynced(from, source, to, target, copy, onChunk);
    const std::uint64_t convertedBytes = converted->second;
    bool madeSilent = false;
    const auto convert = [&](OutputFile& out) {
        // Held open only to see whether the source changes while it is converted.
        const auto watched = from.openForReading(source);
        const FileStamp before = watched->stamp();
        ReportingOutput reporting(out, onChunk, target);
        const ConversionNotes notes = converter_->convert(source, shaping_, reporting);
        if (watched->stamp() != before) throw ChangedWhileRead(source);
        if (notes.framesRead < notes.framesPromised) {
            throw ReadOnlyInPart(source, notes.framesRead, notes.framesPromised, "frames");
        }
        madeSilent = notes.madeSilent;
    };
    auto failure = FillUnsynced(to, target, copy, convert, [&] { return convertedBytes; });
    // The size is the most the sample could take (trim shortens it), so a failure over the
    // source itself is never taken for a full card.
    if (failure && failure->error.path() == source) failure->sourceSize = 0;
    if (!failure && madeSilent && prompt_) {
        prompt_->message(MadeSilent(FileNameOf(source)), MessageStyle::Information);
    }
    return failure;
}

}  // namespace quodlin
