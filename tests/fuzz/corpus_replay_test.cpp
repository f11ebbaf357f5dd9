#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "tests/fuzz/fuzz_targets.h"

namespace quodlin {
namespace {

// Every input of the fuzzers' corpus, crashes they once found among them, runs as a test here.
TEST(FuzzCorpus, EveryInputRunsThroughItsTarget) {
    const std::pair<const char*, void (*)(const std::uint8_t*, std::size_t)> kTargets[] = {
        {"catalogue", test::FuzzCatalogue},
        {"sound_file", test::FuzzSoundFile},
        {"card_image", test::FuzzCardImage}};
    for (const auto& [folder, target] : kTargets) {
        int inputs = 0;
        for (const auto& entry : std::filesystem::directory_iterator(
                 std::filesystem::path(QUODLIN_FUZZ_CORPUS) / folder)) {
            SCOPED_TRACE(entry.path().string());
            std::ifstream in(entry.path(), std::ios::binary);
            const std::string bytes((std::istreambuf_iterator<char>(in)), {});
            target(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
            ++inputs;
        }
        EXPECT_GE(inputs, 5) << folder;
    }
}

}  // namespace
}  // namespace quodlin
