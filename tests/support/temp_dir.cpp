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

}  // namespace quodlin::test
