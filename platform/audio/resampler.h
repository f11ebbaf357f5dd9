#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

struct soxr;

namespace quodlin {

// Changes the rate of interleaved float frames with libsoxr at its high quality, block by block;
// at the same rate, blocks pass unchanged. The one resampler of the converter and the player.
class Resampler {
public:
    // Throws FileError, naming path, when libsoxr cannot be set up.
    Resampler(int fromRate, int toRate, int channels, const std::string& path);
    ~Resampler();
    Resampler(const Resampler&) = delete;
    Resampler& operator=(const Resampler&) = delete;

    // The output for frames of input; with input null, what is left at the end. The values stay
    // until the next call.
    const std::vector<float>& process(const float* input, std::size_t frames);

private:
    struct Deleter {
        void operator()(soxr* resampler) const;
    };

    std::size_t channels_;
    double ratio_ = 1.0;
    std::string path_;
    std::unique_ptr<soxr, Deleter> soxr_;
    std::vector<float> out_;
};

}  // namespace quodlin
