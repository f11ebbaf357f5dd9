#include "platform/audio/soxr_sample_converter.h"

#include <soxr.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "platform/audio/pcm16_wav.h"
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
        for (int p = 0; p < pairs; ++p) {
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

struct SoxrDeleter {
    void operator()(soxr* resampler) const { soxr_delete(resampler); }
};

// Streams blocks through libsoxr; at the instrument's rate already, blocks pass unchanged.
class Resampler {
public:
    Resampler(int rate, int channels, const std::string& path) : channels_(channels) {
        if (rate == kInstrumentRate) return;
        const soxr_io_spec_t io = soxr_io_spec(SOXR_FLOAT32_I, SOXR_FLOAT32_I);
        const soxr_quality_spec_t quality = soxr_quality_spec(SOXR_HQ, 0);
        soxr_error_t error = nullptr;
        soxr_.reset(soxr_create(rate, kInstrumentRate, static_cast<unsigned>(channels), &error, &io,
                                &quality, nullptr));
        if (error || !soxr_) throw FileError(FileErrorKind::Other, path, error ? error : "soxr");
        ratio_ = static_cast<double>(kInstrumentRate) / rate;
        path_ = path;
    }

    // The output for frames of input; with input null, what is left at the end.
    const Values& process(const float* input, std::size_t frames) {
        if (!soxr_) {
            out_.assign(input, input + frames * static_cast<std::size_t>(channels_));
            return out_;
        }
        out_.clear();
        const auto width = static_cast<std::size_t>(channels_);
        std::size_t done = 0;
        for (;;) {
            const std::size_t room = static_cast<std::size_t>(frames * ratio_) + 256;
            const std::size_t used = out_.size();
            out_.resize(used + room * width);
            std::size_t taken = 0;
            std::size_t made = 0;
            const soxr_error_t error =
                soxr_process(soxr_.get(), input ? input + done * width : nullptr, frames - done,
                             &taken, out_.data() + used, room, &made);
            if (error) throw FileError(FileErrorKind::Other, path_, error);
            out_.resize(used + made * width);
            done += taken;
            if (done >= frames && made < room) return out_;
        }
    }

private:
    int channels_;
    double ratio_ = 1.0;
    std::string path_;
    std::unique_ptr<soxr, SoxrDeleter> soxr_;
    Values out_;
};

// Writes the 16-bit frames of a converted sound, exactly as many as its header says.
class Pcm16Output {
public:
    Pcm16Output(OutputFile& out, int channels, std::uint64_t frames, Pcm16Encoder encoder)
        : out_(out), width_(static_cast<std::size_t>(channels)), left_(frames), encoder_(encoder) {
        const std::string header = Pcm16WavHeader(channels, kInstrumentRate, frames);
        out_.write(header.data(), header.size());
    }

    void write(const Values& values) {
        const std::size_t frames = std::min<std::uint64_t>(values.size() / width_, left_);
        encoder_.encode(values.data(), frames * width_, pcm_);
        // WAV is little-endian, as is every machine this runs on; the bytes go as they are.
        if (frames > 0) {
            out_.write(reinterpret_cast<const char*>(pcm_.data()), pcm_.size() * 2);
        }
        left_ -= frames;
    }

    // A source that gave fewer frames than its header said ends in silence.
    void finish() {
        while (left_ > 0) write(Values(std::min<std::uint64_t>(left_, kBlockFrames) * width_));
    }

private:
    OutputFile& out_;
    std::size_t width_;
    std::uint64_t left_;
    Pcm16Encoder encoder_;
    std::vector<std::int16_t> pcm_;
};

}  // namespace

ConversionNotes SoxrSampleConverter::convert(const std::string& sourcePath, const SampleShaping&,
                                             OutputFile& out) {
    SoundFile file(sourcePath);
    if (!file.isOpen()) throw FileError(FileErrorKind::Other, sourcePath, "not a sound file");
    const SampleFormat& format = file.format();
    // The caller refuses such sources with a message; this keeps the libraries safe from them.
    if (format.rate < kLowestSourceRate || format.rate > kHighestSourceRate ||
        format.channels < 1 || format.channels > kMostSourceChannels) {
        throw FileError(FileErrorKind::Other, sourcePath, "not a sound that can be converted");
    }
    const Scan scan = ScanSound(file);
    const bool dither = ShortensWords(format);
    const int channels = ConvertedChannels(format.channels);
    Pcm16Output output(out, channels, ConvertedFrames(format),
                       Pcm16Encoder(HeadroomGain(scan.peak, dither), dither));
    Resampler resampler(format.rate, channels, sourcePath);
    // Input blocks that give about one output block each, whatever the rate.
    const std::size_t inFrames =
        std::max<std::size_t>(1, static_cast<std::size_t>(static_cast<double>(kBlockFrames) *
                                                          format.rate / kInstrumentRate));
    Values block(inFrames * static_cast<std::size_t>(format.channels));
    ConversionNotes notes;
    notes.madeSilent = scan.nonFinite;
    while (const std::size_t got = file.read(block.data(), inFrames)) {
        const std::size_t count = got * static_cast<std::size_t>(format.channels);
        notes.madeSilent = SilenceNonFinite(block.data(), count) || notes.madeSilent;
        if (format.channels > 2) MixToStereo(block.data(), got, format.channels);
        output.write(resampler.process(block.data(), got));
    }
    output.write(resampler.process(nullptr, 0));
    output.finish();
    return notes;
}

}  // namespace quodlin
