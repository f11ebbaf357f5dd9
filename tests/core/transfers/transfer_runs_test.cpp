#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "core/card/card_delete.h"
#include "core/card/card_listing.h"
#include "core/card/card_naming.h"
#include "core/computer/computer_files.h"
#include "core/messages/messages.h"
#include "core/transfers/copy_from_card.h"
#include "core/transfers/copy_to_card.h"
#include "tests/support/faulty_file_system.h"
#include "tests/support/recording_prompt.h"
#include "tests/support/temp_dir.h"

namespace quodlin {
namespace {

using test::Exists;
using test::FaultyFileSystem;
using test::ReadBytes;
using test::WriteBytes;

// Stops the run after its first file, as Cancel does.
struct StopAfterOne : RunObserver {
    bool next(int index, int, const std::string&) override { return index < 1; }
};

// The busy pointer shows while a file is copied, and is off again however a run ends.
struct BusyPointer : RunObserver {
    void busy(bool on) override { shown = on; }
    bool copied(std::uint64_t) override {
        EXPECT_TRUE(shown) << "bytes copied without the busy pointer";
        return true;
    }
    bool shown = false;
};

class Transfers : public ::testing::Test {
protected:
    void SetUp() override {
        root = dir.file("card");
        pc = dir.file("pc");
        std::filesystem::create_directories(root);
        std::filesystem::create_directories(pc);
        WriteBytes(root + "/00.wav", "kick data");
        WriteBytes(root + "/02.WAV", "hat data");
        WriteBytes(root + "/names.txt",
                   "[ES1 banks]\r\n\r\n[ES1 samples]\r\n00.wav=Kick\r\n02.WAV=Hat\r\n");
        for (const char* name : {"snare.wav", "tom.low.wav", "clap.wav"}) {
            WriteBytes(pc + "/" + name, std::string(3000, name[0]));
        }
        card.open(root);
    }

    // The card and the computer folder as they were before the test changed them.
    void freshFolders() {
        std::filesystem::remove_all(root);
        std::filesystem::remove_all(pc);
        SetUp();
    }

    std::vector<std::string> sources() const {
        return {pc + "/snare.wav", pc + "/tom.low.wav", pc + "/clap.wav"};
    }

    // Runs a card action for every failure ForEveryFault brings, from fresh folders; a failure
    // while the card is opened must leave everything as it was.
    void forEveryFault(
        const std::function<void(CardSide&, FaultyFileSystem&, const std::string&)>& act,
        FileErrorKind kind = FileErrorKind::AccessDenied) {
        test::ForEveryFault([this] { freshFolders(); },
                            [&](FaultyFileSystem& faulty, const std::string& what) {
                                CardSide side(faulty);
                                try {
                                    side.open(root);
                                    side.smFile_PathChange();
                                } catch (const FileError&) {
                                    return expectNoPartialFiles(what);
                                }
                                act(side, faulty, what);
                                // What a pulled card was given half-way is tidied up on the
                                // next run (see the leftover cases).
                                if (!faulty.pulled()) expectNoPartialFiles(what);
                            },
                            kind);
    }

    // The card as a fresh program run sees it.
    std::vector<std::string> cardList() {
        LocalFileSystem real;
        CardSide fresh(real);
        fresh.open(root);
        return fresh.lines();
    }

    // Nothing half-written anywhere: every sample on the card and on the computer is whole.
    void expectNoPartialFiles(const std::string& what) {
        for (const auto& d : {root, pc}) {
            for (const auto& entry : std::filesystem::directory_iterator(d)) {
                const std::string name = entry.path().filename().string();
                EXPECT_FALSE(name.find(".part") != std::string::npos || name.starts_with("#$%"))
                    << what << ": " << name;
                if (d == root && (name.ends_with(".wav") || name.ends_with(".WAV"))) {
                    const auto size = std::filesystem::file_size(entry.path());
                    EXPECT_TRUE(size == 3000 || size == 9 || size == 8) << what << ": " << name;
                }
            }
        }
    }

    test::TempDir dir;
    std::string root;
    std::string pc;
    FaultyFileSystem fs;
    CardSide card{fs};
    test::RecordingPrompt prompt;
    BusyPointer observer;
};

// Where the copies go and how they are named is in the put cases under tests/cases/names.
TEST_F(Transfers, CopyToCardStopsWhenTheUserCancelsAndKeepsWhatWasCopied) {
    StopAfterOne stopAfterOne;
    EXPECT_FALSE(CopyToCard(card, prompt, sources(), stopAfterOne));
    EXPECT_EQ(cardList(),
              (std::vector<std::string>{"00.wav = Kick", "01.wav = snare", "02.WAV = Hat"}));
}

TEST_F(Transfers, EveryFailureDuringCopyToCardIsReportedAndNoNameIsLost) {
    forEveryFault([&](CardSide& side, FaultyFileSystem& faulty, const std::string& what) {
        test::RecordingPrompt told;
        const bool done = CopyToCard(side, told, sources(), observer);
        EXPECT_EQ(done, !faulty.failed()) << what;
        EXPECT_FALSE(observer.shown) << what;
        EXPECT_EQ(told.messages.empty(), !faulty.failed()) << what;
        const auto lines = cardList();
        EXPECT_EQ(lines[0], "00.wav = Kick") << what;
        for (const std::string& line : lines) {
            // A card that is gone cannot take the names, but a copy left without one is told.
            const std::string file = line.substr(0, line.find(' '));
            const bool told_of = std::any_of(told.messages.begin(), told.messages.end(),
                                             [&](const auto& m) { return m.find(file) != m.npos; });
            EXPECT_TRUE(!line.ends_with(" = ") || (faulty.pulled() && told_of))
                << what << ": a copy lost its name: " << line;
        }
        for (const auto& source : sources()) EXPECT_EQ(std::filesystem::file_size(source), 3000u);
    });
}

// Where copies from the card go and how they are named is in the get cases under
// tests/cases/names.
TEST_F(Transfers, EveryFailureDuringCopyFromCardKeepsTheExistingFileAndGoesOn) {
    forEveryFault(
        [&](CardSide& side, FaultyFileSystem&, const std::string& what) {
            WriteBytes(pc + "/Kick.wav", "mine");
            test::RecordingPrompt told;
            told.answers = {true};
            const bool done = CopyFromCard(side, told, side.table().entries(), pc, observer);
            EXPECT_FALSE(observer.shown) << what;
            const std::string kick = ReadBytes(pc + "/Kick.wav");
            EXPECT_TRUE(kick == "mine" || kick == "kick data") << what;
            EXPECT_EQ(done, told.messages.empty()) << what;
            if (!Exists(pc + "/Hat.wav")) {
                EXPECT_FALSE(done) << what;
            }
        },
        FileErrorKind::NoSpace);
}

TEST_F(Transfers, DeleteOnCardAsksOnceAndKeepsTheCatalogueInStep) {
    WriteBytes(root + "/01.wav", "snare");
    card.smFile_PathChange();
    const auto all = card.table().entries();
    prompt.answers = {false};
    EXPECT_TRUE(DeleteOnCard(card, prompt, {all[0], all[2]}));
    EXPECT_EQ(card.lines().size(), 3u);
    prompt.answers = {true};
    EXPECT_TRUE(DeleteOnCard(card, prompt, {all[0], all[2]}));
    EXPECT_EQ(prompt.questions, std::vector<std::string>(2, kDeleteOnCardQuestion));
    EXPECT_EQ(card.lines(), std::vector<std::string>{"01.wav = "});
}

TEST_F(Transfers, EveryFailureDuringDeleteOnCardKeepsTheNamesOfWhatIsLeft) {
    forEveryFault([&](CardSide& side, FaultyFileSystem& faulty, const std::string& what) {
        test::RecordingPrompt told;
        told.answers = {true};
        const bool done = DeleteOnCard(side, told, {side.table().entries()[0]});
        EXPECT_EQ(done, !faulty.failed()) << what;
        EXPECT_EQ(told.messages.empty(), !faulty.failed()) << what;
        const auto lines = cardList();
        EXPECT_EQ(lines.back(), "02.WAV = Hat") << what;
        if (Exists(root + "/00.wav")) {
            EXPECT_EQ(lines.front(), "00.wav = Kick") << what;
        }
    });
}

TEST_F(Transfers, ACardChangedSinceItWasListedIsLeftAlone) {
    const auto listed = card.table().entries();
    WriteBytes(root + "/names.txt", "[ES1 samples]\r\n00.wav=Other card\r\n02.WAV=Hat\r\n");
    prompt.answers = {true};
    EXPECT_FALSE(DeleteOnCard(card, prompt, listed));
    EXPECT_TRUE(Exists(root + "/00.wav"));
    EXPECT_FALSE(Exists(root + "/02.WAV"));
    EXPECT_EQ(prompt.messages, std::vector<std::string>{CardFileChanged("00.wav")});
}

// A card reader lists a FAT directory slowly: each action reads the card root and names.txt
// once to plan and once to show the result. Without a card each says so, once, and reads
// nothing.
struct Cost {
    const char* action;
    std::function<void(CardSide&, test::RecordingPrompt&)> run;
};

const Cost kCosts[] = {
    {"put of three files",
     [](CardSide& side, auto& prompt) {
         const std::string pc = side.cardRoot() + "/../pc/";
         RunObserver observer;
         CopyToCard(side, prompt, {pc + "snare.wav", pc + "tom.low.wav", pc + "clap.wav"},
                    observer);
     }},
    {"delete",
     [](CardSide& side, auto& prompt) {
         DeleteOnCard(side, prompt, {{"00.wav", "Kick"}});
     }},
    {"name", [](CardSide& side, auto& prompt) {
         NameOnCard(side, prompt, {{"00.wav", "Kick"}}, [](auto&) { return "Bass"; });
     }}};

TEST_F(Transfers, EachActionReadsTheCardOnceToPlanAndOnceToShowTheResult) {
    for (const Cost& cost : kCosts) {
        freshFolders();
        for (const bool chosen : {false, true}) {
            FaultyFileSystem counting;
            CardSide side(counting);
            if (chosen) side.pin(root);
            test::RecordingPrompt told;
            told.answers = {true};
            cost.run(side, told);
            EXPECT_EQ(counting.count(test::Op::List), chosen ? 2 : 0) << cost.action;
            EXPECT_EQ(counting.opened("names.txt"), chosen ? 2 : 0) << cost.action;
            EXPECT_EQ(told.messages,
                      chosen ? std::vector<std::string>{} : std::vector<std::string>{kNoCardChosen})
                << cost.action;
        }
        EXPECT_NE(cardList(), (std::vector<std::string>{"00.wav = Kick", "02.WAV = Hat"}))
            << cost.action;
    }
}

TEST_F(Transfers, ComputerFilesAreDeletedAfterOneQuestionAndRenamedWithoutReplacing) {
    prompt.answers = {true};
    EXPECT_TRUE(DeleteOnComputer(fs, prompt, pc, {"snare.wav", "clap.wav"}));
    EXPECT_EQ(prompt.questions, std::vector<std::string>{kDeleteOnComputerQuestion});
    EXPECT_FALSE(Exists(pc + "/snare.wav"));
    EXPECT_TRUE(Exists(pc + "/tom.low.wav"));

    WriteBytes(pc + "/a.wav", "a");
    WriteBytes(pc + "/b.wav", "b");
    int rereads = 0;
    const auto answer = [](const std::string& name) {
        return name == "a.wav" ? "b.wav" : (name == "b.wav" ? "B.wav" : name);
    };
    EXPECT_FALSE(RenameOnComputer(fs, prompt, pc, {"a.wav", "b.wav", "tom.low.wav"}, answer,
                                  [&] { ++rereads; }));
    EXPECT_EQ(ReadBytes(pc + "/a.wav"), "a");
    EXPECT_EQ(ReadBytes(pc + "/B.wav"), "b");
    EXPECT_EQ(rereads, 2);
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_NE(prompt.messages[0].find("could not be renamed"), std::string::npos);

#ifndef _WIN32
    // A link to a file, or a second name of it, is not that file under another spelling.
    std::filesystem::create_symlink("B.wav", pc + "/link.wav");
    std::filesystem::create_hard_link(pc + "/B.wav", pc + "/hard.wav");
    const auto ontoB = [](const std::string&) { return std::string("B.wav"); };
    EXPECT_FALSE(RenameOnComputer(fs, prompt, pc, {"link.wav", "hard.wav"}, ontoB, [] {}));
    EXPECT_EQ(ReadBytes(pc + "/B.wav"), "b");
    EXPECT_TRUE(std::filesystem::is_symlink(pc + "/link.wav"));
    EXPECT_TRUE(Exists(pc + "/hard.wav"));
#endif
}

}  // namespace
}  // namespace quodlin
