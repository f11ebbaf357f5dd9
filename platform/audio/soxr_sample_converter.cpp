#include "platform/audio/soxr_sample_converter.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "core/samples/instrument_format.h"
#include "platform/audio/pcm_wav.h"
#include "platform/audio/resampler.h"
#include "platform/audio/sound_file.h"

namespace quodlin {
namespace {

// Frames of output per block: large enough that the libraries' per-call costs vanish, small
// enough that a block of eight float channels stays a few megabytes.
constexpr std::size_t kBlockFrames = 1 << 15;

using Values = std::vector<float>;

// Replaces values that are not numbers with silence; true when there were any.
bool SilenceNonFinite(float* values, std::size_t count) {
    bool found = false;
    for (std::size_t i = 0; i < count; ++i) {
        if (!std::isfinite(values[i])) {
            values[i] = 0.0f;
            found = true;
        }
    }
    return found;
}

// Mixes interleaved frames of more than two channels to stereo in place: odd channels (1, 3,
// ...) to the left, even ones to the right, an unpaired last one to both; each side is the mean
// of what it takes, so full scale stays full scale.
void MixToStereo(float* values, std::size_t frames, int channels) {
    const int pairs = channels / 2;
    const bool unpaired = channels % 2 != 0;
    const float weight = 1.0f / static_cast<float>(pairs + (unpaired ? 1 : 0));
    for (std::size_t f = 0; f < frames; ++f) {
        const float* frame = values + f * static_cast<std::size_t>(channels);
        float left = 0.0f;
        float right = 0.0f;
        for (std::size_t p = 0; p < static_cast<std::size_t>(pairs); ++p) {
            left += frame[2 * p];
            right += frame[2 * p + 1];
        }
        if (unpaired) {
            left += frame[channels - 1];
            right += frame[channels - 1];
        }
        values[2 * f] = left * weight;
        values[2 * f + 1] = right * weight;
    }
}

// Mixes interleaved frames to one channel in place, as the channels' average.
void MixToMono(float* values, std::size_t frames, int channels) {
    const float weight = 1.0f / static_cast<float>(channels);
    for (std::size_t f = 0; f < frames; ++f) {
        const float* frame = values + f * static_cast<std::size_t>(channels);
        float sum = 0.0f;
        for (int c = 0; c < channels; ++c) sum += frame[c];
        values[f] = sum * weight;
    }
}

// The largest magnitude of the sound and whether it holds values that are not numbers. Only
// float and compressed encodings can pass full scale, so only they are read for it.
struct Scan {
    float peak = 0.0f;
    bool nonFinite = false;
};

Scan ScanSound(SoundFile& file) {
    Scan scan;
    const SampleFormat& format = file.format();
    if (format.encoding != "float" && format.bits != 0) return scan;
    Values block(kBlockFrames * static_cast<std::size_t>(format.channels));
    while (const std::size_t got = file.read(block.data(), kBlockFrames)) {
        const std::size_t count = got * static_cast<std::size_t>(format.channels);
        scan.nonFinite = SilenceNonFinite(block.data(), count) || scan.nonFinite;
        for (std::size_t i = 0; i < count; ++i) scan.peak = std::max(scan.peak, std::abs(block[i]));
    }
    file.rewind();
    return scan;
}

// A source's sound as it is written: made finite, mixed to the written channels and at the
// instrument's rate, exactly as many frames as the header promises, block by block. Each run is
// a pass over the file from where it stands; two runs from the start give the same values.
class ConvertedSound {
public:
    ConvertedSound(SoundFile& file, int channels, std::uint64_t frames, std::string path)
        : file_(file), channels_(channels), frames_(frames), path_(std::move(path)) {}

    // Calls take(values, frames) for each block; true when some values were not numbers.
    template <class Take>
    bool run(Take take) {
        read_ = 0;
        const SampleFormat& format = file_.format();
        const auto width = static_cast<std::size_t>(channels_);
        Resampler resampler(format.rate, kInstrumentRate, channels_, path_);
        std::uint64_t left = frames_;
        const auto pass = [&](const Values& values) {
            const std::size_t frames = std::min<std::uint64_t>(values.size() / width, left);
            if (frames > 0) take(values.data(), frames);
            left -= frames;
        };
        // Input blocks that give about one output block each, whatever the rate.
        const std::size_t inFrames =
            std::max<std::size_t>(1, static_cast<std::size_t>(static_cast<double>(kBlockFrames) *
                                                              format.rate / kInstrumentRate));
        Values block(inFrames * static_cast<std::size_t>(format.channels));
        bool madeSilent = false;
        while (const std::size_t got = file_.read(block.data(), inFrames)) {
            read_ += got;
            const std::size_t count = got * static_cast<std::size_t>(format.channels);
            madeSilent = SilenceNonFinite(block.data(), count) || madeSilent;
            mix(block.data(), got);
            pass(resampler.process(block.data(), got));
        }
        pass(resampler.process(nullptr, 0));
        // The resampler may end a frame or so short of the length; a source that gave fewer
        // frames than its header said is told in the notes, and never passes as whole.
        const Values silence(std::min<std::uint64_t>(left, kBlockFrames) * width);
        while (left > 0) {
            const std::size_t frames = std::min<std::uint64_t>(silence.size() / width, left);
            take(silence.data(), frames);
            left -= frames;
        }
        return madeSilent;
    }

    // The source's frames the last run read.
    std::uint64_t framesRead() const { return read_; }

private:
    void mix(float* values, std::size_t frames) const {
        const int from = file_.format().channels;
        if (channels_ == 1 && from > 1) MixToMono(values, frames, from);
        if (channels_ == 2 && from > 2) MixToStereo(values, frames, from);
    }

    SoundFile& file_;
    int channels_;
    std::uint64_t frames_;
    std::string path_;
    std::uint64_t read_ = 0;
};

// What a pass over the written sound finds: its peak, and its first and last frame at or above
// a level, when any is.
struct Measured {
    float peak = 0.0f;
    bool reached = false;
    std::uint64_t first = 0;
    std::uint64_t last = 0;
};

Measured Measure(ConvertedSound& sound, int channels, float level) {
    Measured measured;
    std::uint64_t index = 0;
    const auto width = static_cast<std::size_t>(channels);
    sound.run([&](const float* values, std::size_t frames) {
        for (std::size_t f = 0; f < frames; ++f, ++index) {
            float loudest = 0.0f;
            for (std::size_t c = 0; c < width; ++c) {
                loudest = std::max(loudest, std::abs(values[f * width + c]));
            }
            measured.peak = std::max(measured.peak, loudest);
            if (loudest < level) continue;
            if (!measured.reached) measured.first = index;
            measured.reached = true;
            measured.last = index;
        }
    });
    return measured;
}

float LevelOf(double db) {
    return static_cast<float>(std::pow(10.0, db / 20.0));
}

// The frames of the written sound that are kept, [begin, end).
struct Kept {
    std::uint64_t begin = 0;
    std::uint64_t end = 0;
};

// Writes a converted sound's PCM WAV file: the header for the frames kept, then those frames
// as they pass, and the pad byte an odd data size takes.
class PcmOutput {
public:
    PcmOutput(OutputFile& out, int channels, int bits, Kept kept, PcmEncoder encoder)
        : out_(out),
          width_(static_cast<std::size_t>(channels)),
          kept_(kept),
          padded_(PcmDataBytes(channels, bits, kept.end - kept.begin) % 2 != 0),
          encoder_(encoder) {
        const std::string header =
            PcmWavHeader(channels, kInstrumentRate, bits, kept.end - kept.begin);
        out_.write(header.data(), header.size());
    }

    // The next frames of the sound, of which only those kept are written.
    void write(const float* values, std::size_t frames) {
        const std::uint64_t from = std::max(kept_.begin, next_);
        const std::uint64_t to = std::min(kept_.end, next_ + frames);
        if (from < to) {
            encoder_.encode(values + (from - next_) * width_, (to - from) * width_, bytes_);
            out_.write(bytes_.data(), bytes_.size());
        }
        next_ += frames;
    }

    void finish() {
        if (padded_) out_.write("", 1);
    }

private:
    OutputFile& out_;
    std::size_t width_;
    Kept kept_;
    bool padded_;
    PcmEncoder encoder_;
    std::uint64_t next_ = 0;
    std::vector<char> bytes_;
};

// The gain and the frames kept, from a measuring pass when the shaping needs one.
struct Plan {
    float gain = 1.0f;
    Kept kept;
    bool madeSilent = false;
};

Plan PlanFor(SoundFile& file, const std::string& path, ConvertedSound& sound,
             const SampleShaping& shaping, int channels, int bits, bool dither) {
    Plan plan;
    plan.kept = {0, ConvertedFrames(file.format())};
    if (!shaping.normalizeDb && !shaping.trimDb) {
        const Scan scan = ScanSound(file);
        plan.gain = HeadroomGain(scan.peak, bits, dither);
        plan.madeSilent = scan.nonFinite;
        return plan;
    }
    const Measured measured =
        Measure(sound, channels, shaping.trimDb ? LevelOf(*shaping.trimDb) : 0.0f);
    file.rewind();
    if (shaping.trimDb) {
        if (!measured.reached) {
            throw FileError(FileErrorKind::Other, path,
                            "it is silence throughout, so trimming would leave nothing");
        }
        plan.kept = {measured.first, measured.last + 1};
    }
    plan.gain = shaping.normalizeDb
                    ? NormalizingGain(measured.peak, *shaping.normalizeDb, bits, dither)
                    : HeadroomGain(measured.peak, bits, dither);
    return plan;
}

}  // namespace

ConversionNotes SoxrSampleConverter::convert(const std::string& sourcePath,
                                             const SampleShaping& shaping, OutputFile& out) {
    SoundFile file(sourcePath);
    if (!file.isOpen()) throw FileError(FileErrorKind::Other, sourcePath, "not a sound file");
    const SampleFormat& format = file.format();
    // The caller refuses such sources with a message; this keeps the libraries safe from them.
    if (format.rate < kLowestSourceRate || format.rate > kHighestSourceRate ||
        format.channels < 1 || format.channels > kMostSourceChannels) {
        throw FileError(FileErrorKind::Other, sourcePath, "not a sound that can be converted");
    }
    const int channels = shaping.mono ? 1 : ConvertedChannels(format.channels);
    const int bits = shaping.eightBit ? 8 : kConvertedBits;
    // Words shortened or scaled take dither; a source whose words fit, kept at its level, keeps
    // its values.
    const bool dither = shaping.normalizeDb || ShortensWords(format, bits);
    ConvertedSound sound(file, channels, ConvertedFrames(format), sourcePath);
    const Plan plan = PlanFor(file, sourcePath, sound, shaping, channels, bits, dither);
    PcmOutput output(out, channels, bits, plan.kept, PcmEncoder(bits, plan.gain, dither));
    ConversionNotes notes;
    notes.madeSilent =
        sound.run([&](const float* values, std::size_t frames) { output.write(values, frames); }) ||
        plan.madeSilent;
    output.finish();
    notes.framesPromised = format.frames;
    notes.framesRead = sound.framesRead();
    return notes;
}

}  // namespace quodlin
