#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "core/messages/messages.h"
#include "core/samples/sample_conversion.h"
#include "core/transfers/copy_to_card.h"
#include "tests/support/faulty_file_system.h"
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
        {"eight.wav", Format(true, 32000, 8)},  {"2hz.wav", Format(true, 2, 16)},
    };
};

// Writes "converted <name>"; a full card fails half-way through the file named in fullAt.
class MarkingConverter : public SampleConverter {
public:
    ConversionNotes convert(const std::string& source, const SampleShaping&,
                            OutputFile& out) override {
        const std::string name = std::filesystem::path(source).filename().string();
        const std::string text = "converted " + name;
        out.write(text.data(), text.size());
        if (name == fullAt) throw FileError(FileErrorKind::NoSpace, source, "No space left");
        if (name == outOfMemoryAt) throw std::bad_alloc();
        return {};
    }
    std::string fullAt;
    std::string outOfMemoryAt;
};

// PC/ stands for the run's computer folder.
std::string NotEnoughMemory(const std::string& name) {
    return CopyToCardFailed(
        name, FileError(FileErrorKind::Other, "PC/" + name, "there was not enough memory"));
}

// Copies the sources named to an empty card, answering the question with answer.
struct CopyRun {
    CopyRun(const std::vector<std::string>& names, bool answer, const std::string& fullAt,
            const std::string& outOfMemoryAt, Mode mode, std::optional<std::uint64_t> free) {
        fs.freeBytes = free;
        std::filesystem::create_directories(dir.file("card"));
        std::filesystem::create_directories(dir.file("pc"));
        std::vector<std::string> sources;
        for (const std::string& name : names) {
            sources.push_back(dir.file("pc/" + name));
            WriteBytes(sources.back(), name.substr(0, name.find('.')));
        }
        card.open(dir.file("card"));
        card.setMode(mode);
        prompt.answers = {answer};
        // Asked before the first file is started: the card is still empty.
        prompt.onQuestion = [&](const std::string&) {
            EXPECT_TRUE(std::filesystem::is_empty(dir.file("card")));
        };
        converter.fullAt = fullAt;
        converter.outOfMemoryAt = outOfMemoryAt;
        RunObserver observer;
        try {
            done = CopyToCard(card, prompt, sources, observer, {&formats, &converter, true});
        } catch (const std::bad_alloc&) {
            prompt.messages.push_back("out of memory");
        }
    }

    test::TempDir dir;
    test::FaultyFileSystem fs;
    CardSide card{fs};
    test::RecordingPrompt prompt;
    TableFormats formats;
    MarkingConverter converter;
    bool done = false;
};

struct Case {
    std::string what;
    std::vector<std::string> sources;
    bool answer;
    std::vector<std::string> questions;
    std::vector<std::string> cardAfter;  // 00.wav, 01.wav, ... as they end up; "" for missing
    std::vector<std::string> messages;
    std::string fullAt;
    Mode mode = Mode::Samples;
    std::string outOfMemoryAt;
    std::optional<std::uint64_t> freeBytes;
    std::size_t fitting = 4;  // of the samples asked about, as many as fit in freeBytes
};

const std::string kNotSound = std::string(kNotSoundNotCopied) + " Not copied: 'fake.wav'.";

const std::vector<std::string> kSources = {"ready.wav", "s24.wav", "loud.wav", "fake.wav",
                                           "eight.wav"};

const std::vector<Case> kCases = {
    {"yes converts the two that are not ready and leaves out the file that is not sound",
     kSources,
     true,
     {ConvertQuestion(2, 5)},
     {"ready", "converted s24.wav", "converted loud.wav", "eight"},
     {kNotSound}},
    {"no copies every file as it is",
     kSources,
     false,
     {ConvertQuestion(2, 5)},
     {"ready", "s24", "loud", "fake", "eight"},
     {}},
    {"a full card during a conversion stops the run",
     kSources,
     true,
     {ConvertQuestion(2, 5)},
     {"ready", "converted s24.wav", "", "", ""},
     {kNotSound, kCardIsFull},
     "loud.wav"},
    {"running out of memory during a conversion leaves no part of its file",
     kSources,
     true,
     {ConvertQuestion(2, 5)},
     {"ready", "converted s24.wav", "", "", ""},
     {kNotSound, NotEnoughMemory("loud.wav")},
     "",
     Mode::Samples,
     "loud.wav"},
    {"the question counts the samples that fit on the card, in order",
     {"ready.wav", "s24.wav", "eight.wav", "loud.wav"},
     false,
     {ConvertQuestion(2, 4)},
     {"ready", "s24", "eight", "loud"},
     {},
     "",
     Mode::Samples,
     "",
     6000,
     3},
    {"nothing is asked when every sample is ready", {"ready.wav"}, true, {}, {"ready"}, {}},
    {"nor for banks", {"s24.wav"}, true, {}, {"s24"}, {}, "", Mode::Banks},
    // Its wording is among the refusal cases of the command line.
    {"a source that cannot be converted refuses the run before anything is asked",
     {"ready.wav", "s24.wav", "2hz.wav"},
     true,
     {},
     {},
     {ConversionRefusal("2hz.wav", Format(true, 2, 16))}},
};

// The card ends with the files written and, when any was copied, their catalogue: nothing
// half-written stays behind.
TEST(ConvertOnCopy, AsksOnceBeforeTheFirstFileAndConvertsOnlyWhenTold) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.what);
        CopyRun run(c.sources, c.answer, c.fullAt, c.outOfMemoryAt, c.mode, c.freeBytes);
        EXPECT_EQ(run.done, c.messages.empty());
        EXPECT_EQ(run.prompt.questions, c.questions);
        if (!c.questions.empty()) {
            EXPECT_EQ(run.prompt.fitting, (std::vector<std::optional<std::size_t>>{c.fitting}));
            EXPECT_EQ(run.prompt.notReadyShown, (std::vector<std::string>{"s24.wav", "loud.wav"}));
        }
        std::vector<std::string> messages = c.messages;
        for (std::string& message : messages) {
            if (const auto at = message.find("PC/"); at != std::string::npos) {
                message.replace(at, 3, run.dir.file("pc/"));
            }
        }
        EXPECT_EQ(run.prompt.messages, messages);
        std::map<std::string, std::string> expected;
        for (std::size_t i = 0; i < c.cardAfter.size(); ++i) {
            if (!c.cardAfter[i].empty()) expected[CardFileName(c.mode, int(i))] = c.cardAfter[i];
        }
        std::map<std::string, std::string> card;
        for (const auto& entry : std::filesystem::directory_iterator(run.dir.file("card"))) {
            const std::string name = entry.path().filename().string();
            if (name != "names.txt") card[name] = ReadBytes(entry.path().string());
        }
        EXPECT_EQ(card, expected);
        EXPECT_EQ(test::Exists(run.dir.file("card/names.txt")), !expected.empty());
    }
}

}  // namespace
}  // namespace quodlin
