#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quodlin {

// SHA-256 (FIPS 180-4), fed in pieces of any size.
class Sha256 {
public:
    Sha256();
    void update(const char* data, std::size_t size);
    void update(std::string_view bytes) { update(bytes.data(), bytes.size()); }
    // The digest as 64 lower-case hex digits, as sha256sum prints it. The object is spent then.
    std::string hexDigest();

private:
    void compress(const std::uint8_t* block);

    std::array<std::uint32_t, 8> state_;
    std::array<std::uint8_t, 64> block_{};
    std::size_t blockSize_ = 0;
    std::uint64_t totalBytes_ = 0;
};

}  // namespace quodlin
