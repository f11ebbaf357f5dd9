#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/cli/card_program.h"
#include "tests/platform/sound/test_sounds.h"
#include "tests/support/fat_card.h"
#include "tests/support/temp_dir.h"

namespace quodlin {
namespace {

using test::Card;
using test::ProcessResult;
using test::ReadBytes;

// The golden outputs: the arguments after "info" and the file holding what it must print, with
// @ROOT@ for the card's mount point.
const std::vector<std::pair<std::vector<std::string>, std::string>> kGoldens = {
    {{"--json"}, "info.json"},
    {{}, "info.txt"},
    {{"--banks", "--json"}, "info-banks.json"},
};

std::string Golden(const std::string& name, const std::string& root) {
    std::string text = ReadBytes(std::string(QUODLIN_CASES_DIR) + "/info-after-convert/" + name);
    for (std::size_t at; (at = text.find("@ROOT@")) != std::string::npos;) {
        text.replace(at, 6, root);
    }
    return text;
}

// A ready sample, a 24-bit 44.1 kHz stereo one and an AIFF go onto a FAT card with put
// --convert, a float sample without it, and a bank; info then tells what is on it.
TEST(CardInfo, PutConvertThenInfoMatchesTheGoldenFiles) {
    test::TempDir dir;
    test::FatCard card(dir.path());
    REQUIRE_FAT_CARD(card);
    const std::string pc = dir.file("pc");
    std::filesystem::create_directory(pc);
    test::WriteTones(pc + "/Kick.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 32000, 1, {{440, 0.25}});
    test::WriteTones(pc + "/Pad.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_24, 44100, 2, {{440, 0.5}});
    test::WriteTones(pc + "/Hat.aiff", SF_FORMAT_AIFF | SF_FORMAT_PCM_16, 22050, 1, {{440, 0.1}});
    test::WriteTones(pc + "/Raw.wav", SF_FORMAT_WAV | SF_FORMAT_FLOAT, 44100, 1, {{440, 0.2}});
    test::WriteBytes(pc + "/Set.es1", std::string(1000, 'b'));

    ProcessResult r = Card(
        {"put", "--convert", card.root(), pc + "/Kick.wav", pc + "/Pad.wav", pc + "/Hat.aiff"});
    EXPECT_EQ(r.status, 0) << r.err;
    r = Card({"put", card.root(), pc + "/Raw.wav"});  // as it is, without --convert
    EXPECT_EQ(r.status, 0) << r.err;
    r = Card({"put", "--banks", card.root(), pc + "/Set.es1"});
    EXPECT_EQ(r.status, 0) << r.err;
    ASSERT_TRUE(card.remount());
    EXPECT_EQ(ReadBytes(card.root() + "/00.wav"), ReadBytes(pc + "/Kick.wav"))
        << "not byte for byte";
    const test::ReadBack pad = test::ReadSound(card.root() + "/01.wav");
    EXPECT_EQ(pad.info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);

    for (const auto& [args, golden] : kGoldens) {
        std::vector<std::string> command = {"info"};
        command.insert(command.end(), args.begin(), args.end());
        command.push_back(card.root());
        r = Card(command);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, Golden(golden, card.root())) << golden;
    }
}

}  // namespace
}  // namespace quodlin
