#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/card_numbering.h"
#include "core/io/file_copy.h"
#include "platform/prompt.h"
#include "platform/sample_converter.h"
#include "platform/sample_formats.h"

namespace quodlin {

// What a copy to the card may do with samples the instrument would play wrongly.
struct SampleConversion {
    SampleFormats* formats = nullptr;  // none: every file is copied as it is, unasked
    SampleConverter* converter = nullptr;
    bool ask = true;  // false: converts them without asking, as put --convert does
    // Asked of every sample, ready ones too; the question offers it as last chosen.
    SampleShaping shaping;
    // The card's free space, read only for the question, which says how many samples will fit.
    std::function<std::optional<std::uint64_t>()> cardFree;
};

// "3 of the 5 selected samples are not in the ES1's format (32 kHz, 8 or 16 bit) and would play
// wrongly. Convert them while copying?"
std::string ConvertQuestion(int notReady, int selected);

// "The 5 selected samples are ready for the ES1. Shape them while copying?"
std::string ShapeQuestion(int selected);

// The size of the converted file: a 44-byte header and 16-bit (or 8-bit) frames at the
// instrument's rate, one channel when mixed to mono. With trim it is the most it can be.
std::uint64_t ConvertedBytes(const SampleFormat& format, const SampleShaping& shaping = {});

// The size a sample takes on the card once copied with this shaping: its own when it is ready
// and nothing is to be shaped, or when it is no sound file; the converted size otherwise.
std::uint64_t BytesOnCardAsCopied(const SampleFormat& format, const SampleShaping& shaping);

// The sample data the instrument holds for a sample: its frames at the instrument's rate, in
// its own word length when the instrument has it (8 bits), else in 16 bits.
std::uint64_t InstrumentBytes(const SampleFormat& format);

// Why the source called name cannot be converted, as the user is told: "'x.wav' cannot be
// converted: its header gives 2 Hz."; "" when it can, or when it is no sound file at all.
std::string ConversionRefusal(const std::string& name, const SampleFormat& format,
                              const SampleShaping& shaping = {});

// "'x.wav' held samples that are not numbers; they were made silent."
std::string MadeSilent(const std::string& name);

// Writes each source of a copy run into its new file on the card: converted when the run chose
// so, byte for byte otherwise. On failure no partial target is left behind. A source whose
// samples were not numbers is told to the prompt once.
class SourceWriter {
public:
    SourceWriter() = default;
    // toConvert: each source to convert, with the size its converted file will have at most.
    SourceWriter(SampleConverter& converter, std::map<std::string, std::uint64_t> toConvert,
                 const SampleShaping& shaping, Prompt& prompt)
        : converter_(&converter),
          toConvert_(std::move(toConvert)),
          shaping_(shaping),
          prompt_(&prompt) {}
    // A run with sources that cannot be converted copies nothing; these tell why.
    explicit SourceWriter(std::vector<std::string> refusals) : refusals_(std::move(refusals)) {}

    const std::vector<std::string>& refusals() const { return refusals_; }
    // Files that cannot be read as sound, when the run converts: they are not copied at all,
    // since a copy would be a sample the instrument cannot play.
    const std::vector<std::string>& leftOut() const { return leftOut_; }
    void leaveOut(std::vector<std::string> sources) { leftOut_ = std::move(sources); }

    // Reads source through from and writes target through to.
    std::optional<CopyFailure> write(FileSystem& from, const std::string& source, FileSystem& to,
                                     const std::string& target, UnsyncedCopy& copy,
                                     const ChunkWritten& onChunk = {}) const;

private:
    SampleConverter* converter_ = nullptr;
    std::map<std::string, std::uint64_t> toConvert_;
    SampleShaping shaping_;
    Prompt* prompt_ = nullptr;
    std::vector<std::string> refusals_;
    std::vector<std::string> leftOut_;
};

// Chooses the writer for a run: it converts the readable samples that are not ready, and with a
// shaping the ready ones too, when the user agrees (asked once, before the first file, with the
// shaping to use) or was not to be asked; sound files that are not WAV at all are converted,
// unshaped, also when the user has them copied as they are. It only copies in banks mode, without a
// converter, or when every sample is ready and none is to be shaped. Before anything is asked,
// the sources it would convert, and any that is not a regular file, are checked; one that fails
// refuses the whole run. When the run converts (the user chose Convert, or was not to be asked),
// the files that cannot be read as sound are left out of it. None when the user canceled the run.
std::optional<SourceWriter> ChooseSourceWriter(const std::vector<std::string>& sources, Mode mode,
                                               const SampleConversion& conversion, Prompt& prompt);

}  // namespace quodlin
