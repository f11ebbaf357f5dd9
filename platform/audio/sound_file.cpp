#include "platform/audio/sound_file.h"

#include <filesystem>
#include <map>
#include <mutex>
#include <system_error>
#include <utility>
#include <vector>

#include "core/text/native_paths.h"
#include "platform/file_system.h"
#include "platform/local/local_file_system.h"

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

// FLAC keeps PCM words compressed; the other containers this program reads keep them as they are.
bool StoresRawWords(int format) {
    return (format & SF_FORMAT_TYPEMASK) != SF_FORMAT_FLAC;
}

// A word-sized encoding's values take their bits in an uncompressed file, so a header claiming
// more frames than the file can hold is wrong, whatever libsndfile made of it.
bool IsConsistent(const SF_INFO& info, const SampleFormat& format) {
    if (info.frames < 0 || info.frames == SF_COUNT_MAX) return false;
    if (format.bits < 8 || !StoresRawWords(info.format)) return true;
    const double claimed =
        static_cast<double>(info.frames) * info.channels * (static_cast<double>(format.bits) / 8);
    return claimed <= static_cast<double>(format.bytes);
}

// Why the file's bytes cannot be read, or "" when they all can: asked only of a file that did not
// open as sound or whose header does not fit it, so that a failing card is not taken for a file
// that is not sound.
std::string ReadErrorOf(FileSystem& fs, const std::string& path) {
    try {
        const auto input = fs.openForReading(path);
        const std::uint64_t size = input->stamp().size;
        std::vector<char> buffer(std::size_t{1} << 16);
        std::uint64_t got = 0;
        while (const std::size_t read = input->read(buffer.data(), buffer.size())) got += read;
        return got < size
                   ? "it ends early, at byte " + std::to_string(got) + " of " + std::to_string(size)
                   : "";
    } catch (const FileError& error) {
        return error.reason();
    }
}

}  // namespace

// The open file libsndfile reads through its virtual I/O. A read error cannot pass through
// libsndfile's C code: it ends the read short, and its reason is kept.
struct SoundFile::Source {
    std::unique_ptr<InputFile> input;
    std::uint64_t size = 0;
    sf_count_t position = 0;
    std::string readError;

    static Source& Of(void* data) { return *static_cast<Source*>(data); }

    static sf_count_t Length(void* data) { return static_cast<sf_count_t>(Of(data).size); }

    static sf_count_t Seek(sf_count_t offset, int whence, void* data) {
        Source& source = Of(data);
        const sf_count_t base = whence == SEEK_CUR   ? source.position
                                : whence == SEEK_END ? static_cast<sf_count_t>(source.size)
                                                     : 0;
        if (base + offset < 0) return -1;
        source.position = base + offset;
        return source.position;
    }

    static sf_count_t Read(void* buffer, sf_count_t count, void* data) {
        Source& source = Of(data);
        if (count <= 0) return 0;
        auto* bytes = static_cast<char*>(buffer);
        sf_count_t got = 0;
        try {
            while (got < count) {
                const std::size_t read =
                    source.input->readAt(static_cast<std::uint64_t>(source.position + got),
                                         bytes + got, static_cast<std::size_t>(count - got));
                if (read == 0) break;
                got += static_cast<sf_count_t>(read);
            }
        } catch (const FileError& error) {
            source.readError = error.reason();
        }
        source.position += got;
        return got;
    }

    static sf_count_t Write(const void*, sf_count_t, void*) { return 0; }

    static sf_count_t Tell(void* data) { return Of(data).position; }
};

SoundFile::SoundFile(const std::string& path) : path_(path) {
    openLocal();
}

void SoundFile::openLocal() {
    std::error_code code;
    const auto status = std::filesystem::status(PathOf(path_), code);
    if (!code && !std::filesystem::is_regular_file(status)) {
        format_.regular = false;
        return;
    }
    LocalFileSystem fs;
    open(fs);
}

SoundFile::SoundFile(FileSystem& fs, const std::string& path) : SoundFile(&fs, path) {}

SoundFile::SoundFile(FileSystem* files, const std::string& path) : path_(path) {
    if (!files) {
        openLocal();
        return;
    }
    try {
        if (files->isDirectory(path)) {
            format_.regular = false;
            return;
        }
    } catch (const FileError&) {
        // Opening it tells what is wrong.
    }
    open(*files);
}

void SoundFile::open(FileSystem& fs) {
    source_ = std::make_unique<Source>();
    try {
        source_->input = fs.openForReading(path_);
        source_->size = source_->input->stamp().size;
    } catch (const FileError& error) {
        format_.readError = error.reason();
        openError_ = error.reason();
        return;
    }
    format_.bytes = source_->size;
    static SF_VIRTUAL_IO io = {Source::Length, Source::Seek, Source::Read, Source::Write,
                               Source::Tell};
    SF_INFO info{};
    {
        // A failed open leaves its reason in libsndfile's one global, which the window's
        // workers would otherwise overwrite for each other.
        static std::mutex opening;
        const std::lock_guard lock(opening);
        file_ = sf_open_virtual(&io, SFM_READ, &info, source_.get());
        if (!file_) openError_ = sf_strerror(nullptr);
    }
    if (!file_) {
        format_.readError = ReadErrorOf(fs, path_);
        return;
    }
    format_.readable = true;
    format_.container = ContainerOf(info.format);
    std::tie(format_.encoding, format_.bits) = EncodingOf(info.format);
    format_.rate = info.samplerate;
    format_.channels = info.channels;
    format_.frames = info.frames > 0 ? static_cast<std::uint64_t>(info.frames) : 0;
    format_.consistent = IsConsistent(info, format_);
    if (!format_.consistent) format_.readError = ReadErrorOf(fs, path_);
}

SoundFile::~SoundFile() {
    if (file_) sf_close(file_);
}

std::size_t SoundFile::read(float* values, std::size_t frames) {
    const sf_count_t got = sf_readf_float(file_, values, static_cast<sf_count_t>(frames));
    if (!source_->readError.empty()) {
        throw FileError(FileErrorKind::Other, path_, source_->readError);
    }
    if (sf_error(file_) != SF_ERR_NO_ERROR) {
        throw FileError(FileErrorKind::Other, path_, sf_strerror(file_));
    }
    return got > 0 ? static_cast<std::size_t>(got) : 0;
}

void SoundFile::rewind() {
    if (sf_seek(file_, 0, SEEK_SET) != 0) {
        throw FileError(FileErrorKind::Other, path_, "cannot read the sound a second time");
    }
}

namespace {

// The bits a source's values carry: a PCM word its own, the companded and ADPCM codes what they
// decode to, float and lossy encodings more than any word written.
int ValueBits(const SampleFormat& format) {
    static const std::map<std::string, int> kDecodedBits = {
        {"ulaw", 14}, {"alaw", 13}, {"adpcm", 16}};
    if (format.encoding == "pcm") return format.bits;
    const auto found = kDecodedBits.find(format.encoding);
    return found == kDecodedBits.end() ? 64 : found->second;
}

}  // namespace

bool ShortensWords(const SampleFormat& format, int bits) {
    return ValueBits(format) > bits;
}

}  // namespace quodlin
