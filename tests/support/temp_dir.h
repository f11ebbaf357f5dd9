#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace quodlin::test {

// A fresh directory under the system's temporary directory, removed with everything in it.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);
bool Exists(const std::string& path);

// A WAV file as its header says: format tag (1 PCM, 3 float), channels, rate, bits; then its
// data, dataBytes of silence unless given.
std::string Wav(int tag, int channels, std::uint32_t rate, int bits, std::size_t dataBytes,
                std::string data = "");

}  // namespace quodlin::test
