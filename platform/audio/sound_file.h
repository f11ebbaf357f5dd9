#pragma once

#ifdef _WIN32
#include <windows.h>
#define ENABLE_SNDFILE_WINDOWS_PROTOTYPES 1
#endif
#include <sndfile.h>

#include <memory>
#include <string>

#include "platform/file_system.h"
#include "platform/sample_formats.h"

namespace quodlin {

// A sound file open for reading with libsndfile, the one way this program reads sound. Its
// bytes come through a file system, so that a file inside a card image reads as one on a
// mounted card. A path that is not a regular file is never opened: opening a FIFO would wait
// for a writer.
class SoundFile {
public:
    // A file of the computer's own file system.
    explicit SoundFile(const std::string& path);
    SoundFile(FileSystem& fs, const std::string& path);
    // Through files, or the computer's own file system when it is null.
    SoundFile(FileSystem* files, const std::string& path);
    ~SoundFile();
    SoundFile(const SoundFile&) = delete;
    SoundFile& operator=(const SoundFile&) = delete;

    bool isOpen() const { return file_ != nullptr; }
    // Why the file did not open, as libsndfile tells it; empty when it is open.
    const std::string& openError() const { return openError_; }
    // What the header says, with the file's size; readable is false when it is not open.
    const SampleFormat& format() const { return format_; }
    // Reads up to frames interleaved frames as floats (full scale 1.0); 0 at the end. Throws
    // FileError when the data cannot be read.
    std::size_t read(float* values, std::size_t frames);
    // Goes back to the first frame, for a second pass.
    void rewind();

    struct Source;

private:
    void open(FileSystem& fs);
    void openLocal();

    std::string path_;
    std::unique_ptr<Source> source_;
    SNDFILE* file_ = nullptr;
    SampleFormat format_;
    std::string openError_;
};

// Whether writing this format as PCM of these bits shortens its words, so that dither is due.
bool ShortensWords(const SampleFormat& format, int bits);

}  // namespace quodlin
