#include "platform/audio/resampler.h"

#include <soxr.h>

#include "platform/file_system.h"

namespace quodlin {

void Resampler::Deleter::operator()(soxr* resampler) const {
    soxr_delete(resampler);
}

Resampler::Resampler(int fromRate, int toRate, int channels, const std::string& path)
    : channels_(static_cast<std::size_t>(channels)), path_(path) {
    if (fromRate == toRate) return;
    const soxr_io_spec_t io = soxr_io_spec(SOXR_FLOAT32_I, SOXR_FLOAT32_I);
    const soxr_quality_spec_t quality = soxr_quality_spec(SOXR_HQ, 0);
    soxr_error_t error = nullptr;
    soxr_.reset(soxr_create(fromRate, toRate, static_cast<unsigned>(channels), &error, &io,
                            &quality, nullptr));
    if (error || !soxr_) throw FileError(FileErrorKind::Other, path, error ? error : "soxr");
    ratio_ = static_cast<double>(toRate) / fromRate;
}

Resampler::~Resampler() = default;

const std::vector<float>& Resampler::process(const float* input, std::size_t frames) {
    if (!soxr_) {
        if (input == nullptr)
            out_.clear();
        else
            out_.assign(input, input + frames * channels_);
        return out_;
    }
    out_.clear();
    std::size_t done = 0;
    for (;;) {
        const std::size_t room =
            static_cast<std::size_t>(static_cast<double>(frames) * ratio_) + 256;
        const std::size_t used = out_.size();
        out_.resize(used + room * channels_);
        std::size_t taken = 0;
        std::size_t made = 0;
        const soxr_error_t error =
            soxr_process(soxr_.get(), input ? input + done * channels_ : nullptr, frames - done,
                         &taken, out_.data() + used, room, &made);
        if (error) throw FileError(FileErrorKind::Other, path_, error);
        out_.resize(used + made * channels_);
        done += taken;
        if (done >= frames && made < room) return out_;
    }
}

}  // namespace quodlin
