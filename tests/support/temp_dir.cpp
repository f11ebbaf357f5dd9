#include "tests/support/temp_dir.h"

#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

#include "platform/local/local_file_system_paths.h"

namespace quodlin::test {

TempDir::TempDir() {
    std::random_device random;
    for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
        const auto path =
            std::filesystem::temp_directory_path() / ("quodlin-" + std::to_string(random()));
        if (std::filesystem::create_directory(path)) path_ = Utf8Of(path);
    }
    if (path_.empty()) throw std::runtime_error("no temporary directory could be made");
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(PathOf(path), std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(PathOf(path), std::ios::binary | std::ios::trunc);
    out << bytes;
    if (!out.flush()) throw std::runtime_error("cannot write " + path);
}

bool Exists(const std::string& path) {
    std::error_code ignored;
    return std::filesystem::exists(PathOf(path), ignored);
}

namespace {

void Put(std::string& out, std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xff));
}

}  // namespace

std::string Wav(int tag, int channels, std::uint32_t rate, int bits, std::size_t dataBytes,
                std::string data) {
    if (data.empty()) data.assign(dataBytes, '\0');
    const std::uint64_t blockAlign = static_cast<std::uint64_t>(channels) * bits / 8;
    std::string wav = "RIFF";
    Put(wav, 36 + data.size(), 4);
    wav += "WAVEfmt ";
    Put(wav, 16, 4);
    for (const auto& [value, bytes] : {std::pair<std::uint64_t, int>{tag, 2},
                                       {channels, 2},
                                       {rate, 4},
                                       {rate * blockAlign, 4},
                                       {blockAlign, 2},
                                       {bits, 2}}) {
        Put(wav, value, bytes);
    }
    wav += "data";
    Put(wav, data.size(), 4);
    return wav + data;
}

}  // namespace quodlin::test
