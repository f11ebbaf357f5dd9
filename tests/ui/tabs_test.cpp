#include <QListWidget>
#include <QPushButton>
#include <QTextBrowser>
#include <filesystem>

#include "core/messages.h"
#include "core/shell_messages.h"
#include "tests/ui/window_fixture.h"
#include "ui/wav_player.h"

namespace quodlin::test {
namespace {

class TabsTest : public WindowTest {
protected:
    void SetUp() override {
        WriteBytes(samples.file("kick.wav"), "RIFF");
        WriteBytes(banks.file("kit.es1"), "x");
        WriteBytes(chosen.file("snare.WAV"), "RIFF");
        remember("SampleDir", samples.path());
        remember("BankDir", banks.path());
    }

    TempDir samples;
    TempDir banks;
    TempDir chosen;
};

TEST_F(TabsTest, TheDirectoriesAreHandedOverBetweenTheModes) {
    frmQuodlinMain& window = open();
    DirectoryState& dirs = window.directories();
    auto* wavPlayer = control<WavPlayer>("WavPlayer");
    EXPECT_EQ(rows("FileList"), std::vector<std::string>{"kick.wav"});
    EXPECT_FALSE(wavPlayer->isHidden());

    chooseDirectory(chosen.path());
    EXPECT_EQ(dirs.sCurrentDir, chosen.path());
    EXPECT_EQ(dirs.sSampleDir, samples.path());
    EXPECT_EQ(rows("FileList"), std::vector<std::string>{"snare.WAV"});

    clickTab(1);
    EXPECT_EQ(dirs.sCurrentDir, banks.path());
    EXPECT_EQ(dirs.sSampleDir, chosen.path());
    EXPECT_EQ(dirs.sFileExt(), ".es1");
    EXPECT_EQ(rows("FileList"), std::vector<std::string>{"kit.es1"});
    EXPECT_TRUE(wavPlayer->isHidden());

    clickTab(0);
    EXPECT_EQ(dirs.sCurrentDir, chosen.path());
    EXPECT_EQ(dirs.sBankDir, banks.path());
    EXPECT_FALSE(wavPlayer->isHidden());

    clickTab(2);
    EXPECT_EQ(dirs.sCurrentDir, "");
    EXPECT_EQ(dirs.sFileExt(), ".wav");
    EXPECT_TRUE(control<QWidget>("MainFrame")->isHidden());
    EXPECT_FALSE(control<QWidget>("HelpFrame")->isHidden());

    clickTab(1);
    EXPECT_EQ(dirs.sCurrentDir, banks.path());
    EXPECT_EQ(dirs.sSampleDir, chosen.path());
    window.close();
    EXPECT_EQ(stored("SampleDir"), chosen.path());
    EXPECT_EQ(stored("BankDir"), banks.path());
    EXPECT_TRUE(prompt.messages.empty());
}

TEST_F(TabsTest, ADirectoryChosenBeforeTheHelpTabIsKept) {
    frmQuodlinMain& window = open();
    chooseDirectory(chosen.path());
    clickTab(2);
    window.close();
    EXPECT_EQ(stored("SampleDir"), chosen.path());
    clickTab(0);
    EXPECT_EQ(window.directories().sCurrentDir, chosen.path());
}

TEST_F(TabsTest, TheCardListFollowsTheMode) {
    TempDir card;
    WriteBytes(card.file("00.wav"), "RIFF");
    WriteBytes(card.file("10.wav"), "RIFF");
    WriteBytes(card.file("2.wav"), "RIFF");
    WriteBytes(card.file("1.es1"), "x");
    WriteBytes(card.file("names.txt"),
               "[ES1 banks]\r\n1.es1=Bass kit\r\n\r\n"
               "[ES1 samples]\r\n00.wav=Kick\r\n\r\n\r\n");
    volumes.mounted.push_back({card.path(), "card", true});
    remember("SmartMedia", card.path());
    open();
    EXPECT_EQ(rows("lstSmartMedia"),
              (std::vector<std::string>{"00.wav = Kick", "2.wav = ", "10.wav = "}));
    EXPECT_EQ(rows("smFile"), (std::vector<std::string>{"00.wav", "2.wav", "10.wav"}));
    clickTab(1);
    EXPECT_EQ(rows("lstSmartMedia"), std::vector<std::string>{"1.es1 = Bass kit"});
    EXPECT_TRUE(prompt.messages.empty());
}

TEST_F(TabsTest, ACardOrDirectoryThatVanishedIsToldOnTheNextTabChange) {
    TempDir card;
    WriteBytes(card.file("00.wav"), "RIFF");
    volumes.mounted.push_back({card.path(), "card", true});
    remember("SmartMedia", card.path());
    open();
    std::filesystem::remove_all(card.path());
    std::filesystem::remove_all(banks.path());
    clickTab(1);
    ASSERT_EQ(prompt.messages.size(), 2u);
    EXPECT_EQ(prompt.messages[0].rfind("The directory could not be read (" + banks.path(), 0), 0u);
    EXPECT_EQ(prompt.messages[1], kCardRemoved);
    EXPECT_EQ(prompt.styles[1], MessageStyle::Exclamation);
    EXPECT_TRUE(rows("lstSmartMedia").empty());
    EXPECT_TRUE(rows("FileList").empty());
}

TEST_F(TabsTest, TheCaptionIsTheShortenedDirectoryWithItsAmpersandsShown) {
    const std::string longName = chosen.file("Drum & Bass/Kick set");
    std::filesystem::create_directories(longName);
    remember("SampleDir", longName);
    open();
    // The button's text doubles an ampersand so that it shows as one.
    const std::string shortened =
        longName.substr(0, 3) + " ... " + longName.substr(longName.size() - 15);
    EXPECT_EQ(control<QPushButton>("cmdPathSelect")->text(),
              QString::fromStdString(shortened).replace("&", "&&"));
}

TEST_F(TabsTest, TheHelpFileIsReadAgainEachTimeItsTabIsSelected) {
    const std::string help = programDir.file("readme.rtf");
    open();
    clickTab(2);
    auto* text = control<QTextBrowser>("rtfNames");
    EXPECT_EQ(text->toPlainText().toStdString(), HelpFileNotRead(help));
    EXPECT_TRUE(prompt.messages.empty());

    WriteBytes(help, "{\\rtf1\\ansi First help text\\par}");
    clickTab(0);
    clickTab(2);
    EXPECT_TRUE(text->toPlainText().contains("First help text"));
    WriteBytes(help, "{\\rtf1\\ansi Second help text\\par}");
    clickTab(1);
    clickTab(2);
    EXPECT_TRUE(text->toPlainText().contains("Second help text"));
    EXPECT_FALSE(text->toPlainText().contains("First"));
}

}  // namespace
}  // namespace quodlin::test
