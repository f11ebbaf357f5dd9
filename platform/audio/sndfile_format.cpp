#include "platform/audio/sndfile_format.h"

#include <map>
#include <utility>

#include "platform/local_file_system_paths.h"

namespace quodlin {
namespace {

std::string ContainerOf(int format) {
    static const std::map<int, std::string> kContainers = {
        {SF_FORMAT_WAV, "wav"},   {SF_FORMAT_WAVEX, "wavex"}, {SF_FORMAT_AIFF, "aiff"},
        {SF_FORMAT_FLAC, "flac"}, {SF_FORMAT_OGG, "ogg"},     {SF_FORMAT_RF64, "rf64"},
        {SF_FORMAT_W64, "w64"},   {SF_FORMAT_CAF, "caf"},     {SF_FORMAT_AU, "au"},
    };
    const auto found = kContainers.find(format & SF_FORMAT_TYPEMASK);
    return found == kContainers.end() ? "other" : found->second;
}

// The encoding's name and its bits per value.
std::pair<std::string, int> EncodingOf(int format) {
    static const std::map<int, std::pair<std::string, int>> kEncodings = {
        {SF_FORMAT_PCM_S8, {"pcm", 8}},     {SF_FORMAT_PCM_U8, {"pcm", 8}},
        {SF_FORMAT_PCM_16, {"pcm", 16}},    {SF_FORMAT_PCM_24, {"pcm", 24}},
        {SF_FORMAT_PCM_32, {"pcm", 32}},    {SF_FORMAT_FLOAT, {"float", 32}},
        {SF_FORMAT_DOUBLE, {"float", 64}},  {SF_FORMAT_ULAW, {"ulaw", 8}},
        {SF_FORMAT_ALAW, {"alaw", 8}},      {SF_FORMAT_IMA_ADPCM, {"adpcm", 4}},
        {SF_FORMAT_MS_ADPCM, {"adpcm", 4}}, {SF_FORMAT_VORBIS, {"vorbis", 0}},
        {SF_FORMAT_OPUS, {"opus", 0}},
    };
    const auto found = kEncodings.find(format & SF_FORMAT_SUBMASK);
    return found == kEncodings.end() ? std::pair<std::string, int>{"other", 0} : found->second;
}

}  // namespace

SNDFILE* OpenSound(const std::string& path, SF_INFO& info) {
#ifdef _WIN32
    return sf_wchar_open(PathOf(path).c_str(), SFM_READ, &info);
#else
    return sf_open(PathOf(path).c_str(), SFM_READ, &info);
#endif
}

SampleFormat FormatOf(const SF_INFO& info) {
    SampleFormat format;
    format.readable = true;
    format.container = ContainerOf(info.format);
    std::tie(format.encoding, format.bits) = EncodingOf(info.format);
    format.rate = info.samplerate;
    format.channels = info.channels;
    format.frames = info.frames > 0 ? static_cast<std::uint64_t>(info.frames) : 0;
    return format;
}

bool ShortensWords(const SampleFormat& format) {
    return format.encoding == "float" || format.bits == 0 || format.bits > 16;
}

}  // namespace quodlin
