// Two quodlin-card processes on one card at once, on a folder and on a FAT card: a long put, and
// beside it a second put, a reader, a new name or a delete. Every run must end as if it had run
// alone, and the card must hold every run's change.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <future>
#include <map>
#include <sstream>
#include <thread>

#include "core/card/card_temporary.h"
#include "tests/cli/card_program.h"
#include "tests/support/case_files.h"
#include "tests/support/fat_card.h"
#include "tests/support/temp_dir.h"

namespace quodlin {
namespace {

namespace fs = std::filesystem;
using test::Card;
using test::ProcessResult;

struct Beside {
    const char* what;
    std::vector<std::string> args;  // "CARD" and "PC/x" are filled in
    // The card list after both runs, as friendly names, and the names that must be gone.
    std::vector<std::string> names;
    std::vector<std::string> gone;
};

const Beside kBeside[] = {
    {"second_put", {"put", "CARD", "PC/b.wav"}, {"Old0", "Old1", "a", "b"}, {}},
    {"reader", {"list", "CARD"}, {"Old0", "Old1", "a"}, {}},
    {"name", {"name", "CARD", "00.wav", "Renamed"}, {"Renamed", "Old1", "a"}, {"Old0"}},
    {"delete", {"rm", "CARD", "01.wav"}, {"Old0", "a"}, {"Old1"}},
};

class RunsSideBySide : public ::testing::TestWithParam<std::tuple<Beside, test::CardKind>> {
protected:
    void SetUp() override {
        const bool fat = std::get<1>(GetParam()) == test::CardKind::Fat;
        // Large enough that the put is still copying when the second run starts.
        const std::size_t size = fat ? 1500000 : 40000000;
        for (const char* name : {"a.wav", "b.wav"}) {
            test::WriteBytes(pc.file(name), std::string(size, name[0]));
        }
        test::WriteBytes(card.root() + "/00.wav", "zero");
        test::WriteBytes(card.root() + "/01.wav", "one");
        test::WriteBytes(card.root() + "/names.txt",
                         "[ES1 banks]\r\n\r\n[ES1 samples]\r\n00.wav=Old0\r\n01.wav=Old1\r\n");
    }

    std::vector<std::string> filled(std::vector<std::string> args) {
        for (std::string& arg : args) {
            if (arg == "CARD") arg = card.root();
            if (arg.starts_with("PC/")) arg = pc.file(arg.substr(3));
        }
        return args;
    }

    // Waits until the put has begun a copy on the card, or has ended.
    void waitForCopy(std::future<ProcessResult>& put) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (put.wait_for(std::chrono::milliseconds(1)) != std::future_status::ready &&
               std::chrono::steady_clock::now() < deadline) {
            for (const auto& entry : fs::directory_iterator(card.root())) {
                if (IsCardTemporaryName(entry.path().filename().string())) return;
            }
        }
    }

    test::TempDir dir;
    test::TempDir pc;
    test::TestCard card{dir.path(), 8192, true, std::get<1>(GetParam())};
};

TEST_P(RunsSideBySide, BothRunsEndWholeAndTheCardHoldsBothChanges) {
    REQUIRE_FAT_CARD(card);
    const Beside& beside = std::get<0>(GetParam());
    auto put = std::async(std::launch::async, Card, filled({"put", "CARD", "PC/a.wav"}));
    waitForCopy(put);
    const ProcessResult other = Card(filled(beside.args));
    const ProcessResult first = put.get();
    EXPECT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(other.status, 0) << other.err;

    const ProcessResult list = Card({"list", card.root()});
    std::map<std::string, std::string> fileOf;
    std::istringstream lines(list.out);
    for (std::string line; std::getline(lines, line);) {
        const std::size_t separator = line.find(" = ");
        ASSERT_NE(separator, std::string::npos) << list.out;
        fileOf[line.substr(separator + 3)] = line.substr(0, separator);
    }
    for (const std::string& name : beside.names) {
        ASSERT_TRUE(fileOf.contains(name)) << name << " missing:\n" << list.out;
        if (name.size() == 1) {
            EXPECT_EQ(test::ReadBytes(card.root() + "/" + fileOf[name]),
                      test::ReadBytes(pc.file(name + ".wav")))
                << name;
        }
    }
    for (const std::string& name : beside.gone) EXPECT_FALSE(fileOf.contains(name)) << list.out;
    EXPECT_EQ(fileOf.size(), beside.names.size()) << list.out;
    for (const auto& entry : fs::directory_iterator(card.root())) {
        EXPECT_FALSE(IsCardTemporaryName(entry.path().filename().string()));
    }
}

INSTANTIATE_TEST_SUITE_P(Cards, RunsSideBySide,
                         ::testing::Combine(::testing::ValuesIn(kBeside),
                                            ::testing::Values(test::CardKind::Folder,
                                                              test::CardKind::Fat)),
                         [](const auto& row) {
                             return std::string(std::get<0>(row.param).what) +
                                    (std::get<1>(row.param) == test::CardKind::Fat ? "_fat"
                                                                                   : "_folder");
                         });

// A writer that cannot have the card in a few seconds gives up, names the holder and writes
// nothing.
TEST(RunsSideBySide, AWriterGivesUpOnACardHeldByAnother) {
    test::TempDir dir;
    test::WriteBytes(dir.file("00.wav"), "zero");
    auto holder = std::async(std::launch::async, test::RunProgram,
                             std::vector<std::string>{"flock", dir.path(), "sleep", "7"});
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    const ProcessResult name = Card({"name", dir.path(), "00.wav", "Kick"});
    EXPECT_EQ(name.status, 1);
    EXPECT_NE(name.err.find("The card is in use by another Quodlin (process "), std::string::npos)
        << name.err;
    EXPECT_FALSE(fs::exists(dir.file("names.txt")));
    holder.get();
}

// A source truncated while a put copies or converts it: no sample reaches the card.
class ChangingSource : public ::testing::TestWithParam<std::vector<std::string>> {};

TEST_P(ChangingSource, IsNeverCopiedInPart) {
    test::TempDir dir;
    test::TestCard card(dir.path() + "/card", 8192);
    REQUIRE_FAT_CARD(card);
    // The source is read slowly, so that it changes while the put reads it.
    test::TestCard slow(dir.path() + "/slow", 8192, true, test::CardKind::Failing);
    REQUIRE_FAT_CARD(slow);
    test::WriteBytes(slow.root() + "/loop.wav", test::Wav(1, 2, 44100, 16, 400000));
    slow.setFaults("slow 200000 0\n");
    std::vector<std::string> args = GetParam();
    args.push_back(card.root());
    args.push_back(slow.root() + "/loop.wav");
    auto put = std::async(std::launch::async, Card, args);
    std::this_thread::sleep_for(std::chrono::milliseconds(600));
    fs::resize_file(dir.path() + "/slow/backing/loop.wav", 100000);
    const ProcessResult result = put.get();
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("'loop.wav' changed while it was copied; it was not copied."),
              std::string::npos)
        << result.err;
    EXPECT_TRUE(test::FilesIn(card.root()).empty());
}

INSTANTIATE_TEST_SUITE_P(PlainAndConverted, ChangingSource,
                         ::testing::Values(std::vector<std::string>{"put"},
                                           std::vector<std::string>{"put", "--convert"}));

// Card A is pulled while a restore pinned to it checks its backup, and card B is mounted in its
// place, under the same mount point: the restore must not write a byte to B.
TEST(RunsSideBySide, ARestoreNeverWritesACardSwappedUnderIt) {
    test::TempDir dir;
    test::TestCard other(dir.path() + "/b", 4096);
    REQUIRE_FAT_CARD(other);
    const test::Files cardB = {{"02.wav", "b two"},
                               {"03.wav", "b three"},
                               {"names.txt", "[ES1 samples]\r\n02.wav=B2\r\n03.wav=B3\r\n"}};
    for (const auto& [name, bytes] : cardB) test::WriteBytes(other.root() + "/" + name, bytes);
    other.unmount();
    test::TestCard card(dir.path() + "/a", 4096);
    REQUIRE_FAT_CARD(card);
    // The backup is read slowly, so that the swap happens while the restore checks it.
    test::TestCard slow(dir.path() + "/slow", 8192, true, test::CardKind::Failing);
    REQUIRE_FAT_CARD(slow);
    test::WriteBytes(slow.root() + "/00.wav", std::string(150000, 'k'));
    test::WriteBytes(slow.root() + "/names.txt", "[ES1 samples]\r\n00.wav=Kick\r\n");
    ASSERT_TRUE(test::WriteSums(slow.root()));
    slow.setFaults("slow 100000 0\n");
    auto restore =
        std::async(std::launch::async, Card,
                   std::vector<std::string>{"restore", "--replace", slow.root(), card.root()});
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    test::RunProgram({"fusermount", "-u", "-z", card.root()});
    ASSERT_EQ(
        test::RunProgram({"fusefat", "-o", "rw+", dir.path() + "/b/card.img", card.root()}).status,
        0);
    const ProcessResult result = restore.get();
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("The card was removed."), std::string::npos) << result.err;
    EXPECT_EQ(test::FilesIn(card.root()), cardB);
    test::RunProgram({"fusermount", "-u", card.root()});
}

}  // namespace
}  // namespace quodlin
