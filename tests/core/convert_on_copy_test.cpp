#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "core/copy_to_card.h"
#include "core/messages.h"
#include "tests/support/faulty_file_system.h"
#include "tests/support/recording_player.h"
#include "tests/support/recording_prompt.h"
#include "tests/support/temp_dir.h"

namespace quodlin {
namespace {

using test::ReadBytes;
using test::WriteBytes;

SampleFormat Format(bool readable, int rate, int bits) {
    return {readable, "wav", "pcm", rate, bits, 1, 3200, 0};
}

// The formats of the computer files by name, as a header reader would tell them.
class TableFormats : public SampleFormats {
public:
    SampleFormat read(const std::string& path) override {
        return kFormats.at(std::filesystem::path(path).filename().string());
    }
    const std::map<std::string, SampleFormat> kFormats = {
        {"ready.wav", Format(true, 32000, 16)}, {"s24.wav", Format(true, 44100, 24)},
        {"loud.wav", Format(true, 48000, 16)},  {"fake.wav", Format(false, 0, 0)},
        {"eight.wav", Format(true, 32000, 8)},
    };
};

// Writes "converted <name>"; a full card fails half-way through the file named in fullAt.
class MarkingConverter : public SampleConverter {
public:
    void convert(const std::string& source, OutputFile& out) override {
        const std::string name = std::filesystem::path(source).filename().string();
        const std::string text = "converted " + name;
        out.write(text.data(), text.size());
        if (name == fullAt) throw FileError(FileErrorKind::NoSpace, source, "No space left");
    }
    std::string fullAt;
};

struct Case {
    std::string what;
    bool answer;
    std::string fullAt;
    std::vector<std::string> cardAfter;  // 00.wav, 01.wav, ... as they end up; "" for missing
    std::vector<std::string> messages;
};

const std::vector<std::string> kSources = {"ready.wav", "s24.wav", "loud.wav", "fake.wav",
                                           "eight.wav"};

const std::vector<Case> kCases = {
    {"yes converts the two that are not ready", true, "",
     {"ready", "converted s24.wav", "converted loud.wav", "fake", "eight"}, {}},
    {"no copies every file as it is", false, "", {"ready", "s24", "loud", "fake", "eight"}, {}},
    {"a full card during a conversion stops the run", true, "loud.wav",
     {"ready", "converted s24.wav", "", "", ""}, {kCardIsFull}},
};

TEST(ConvertOnCopy, AsksOnceBeforeTheFirstFileAndConvertsOnlyWhenTold) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.what);
        test::TempDir dir;
        std::filesystem::create_directories(dir.file("card"));
        std::filesystem::create_directories(dir.file("pc"));
        std::vector<std::string> sources;
        for (const std::string& name : kSources) {
            sources.push_back(dir.file("pc/" + name));
            WriteBytes(sources.back(), name.substr(0, name.find('.')));
        }
        test::FaultyFileSystem fs;
        CardSide card(fs);
        card.open(dir.file("card"));
        test::RecordingPlayer player;
        test::RecordingPrompt prompt;
        prompt.answers = {c.answer};
        int filesStarted = 0;
        class Counting : public RunObserver {
        public:
            explicit Counting(int& started) : started_(started) {}
            bool next(int, int, const std::string&) override { return ++started_ > 0; }
            int& started_;
        } observer(filesStarted);
        prompt.onQuestion = [&](const std::string&) { EXPECT_EQ(filesStarted, 0); };
        TableFormats formats;
        MarkingConverter converter;
        converter.fullAt = c.fullAt;

        CopyToCard(card, player, prompt, sources, observer, {&formats, &converter, true});

        EXPECT_EQ(prompt.questions,
                  std::vector<std::string>{
                      "2 of the 5 selected samples are not in the ES1's format (32 kHz, 8 or 16 "
                      "bit) and would play wrongly. Convert them while copying?"});
        EXPECT_EQ(prompt.messages, c.messages);
        for (std::size_t i = 0; i < c.cardAfter.size(); ++i) {
            const std::string path = dir.file("card/" + CardFileName(Mode::Samples, int(i)));
            EXPECT_EQ(test::Exists(path) ? ReadBytes(path) : "", c.cardAfter[i]) << path;
        }
        for (const auto& entry : std::filesystem::directory_iterator(dir.file("card"))) {
            EXPECT_FALSE(entry.path().filename().string().ends_with(".part")) << entry.path();
        }
    }
}

TEST(ConvertOnCopy, NothingIsAskedWhenEverySampleIsReadyOrForBanks) {
    test::TempDir dir;
    std::filesystem::create_directories(dir.file("card"));
    WriteBytes(dir.file("ready.wav"), "ready");
    WriteBytes(dir.file("s24.wav"), "s24");
    test::FaultyFileSystem fs;
    CardSide card(fs);
    card.open(dir.file("card"));
    test::RecordingPlayer player;
    test::RecordingPrompt prompt;
    RunObserver observer;
    TableFormats formats;
    MarkingConverter converter;
    EXPECT_TRUE(CopyToCard(card, player, prompt, {dir.file("ready.wav")}, observer,
                           {&formats, &converter, true}));
    card.setMode(Mode::Banks);
    EXPECT_TRUE(CopyToCard(card, player, prompt, {dir.file("s24.wav")}, observer,
                           {&formats, &converter, true}));
    EXPECT_TRUE(prompt.questions.empty());
    EXPECT_EQ(ReadBytes(dir.file("card/00.wav")), "ready");
    EXPECT_EQ(ReadBytes(dir.file("card/1.es1")), "s24");
}

}  // namespace
}  // namespace quodlin
