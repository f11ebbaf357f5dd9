#include <QPushButton>
#include <QTest>

#include "core/messages.h"
#include "tests/support/fat_card.h"
#include "tests/ui/window_fixture.h"
#include "ui/card_list_box.h"
#include "ui/drive_list_box.h"

namespace quodlin::test {
namespace {

class DriveTest : public WindowTest {
protected:
    void SetUp() override {
        WriteBytes(folder.file("05.wav"), "RIFF");
        volumes.mounted = {{"/", "/", false}, {folder.path(), "folder", false}};
        remember("SmartMedia", folder.path());
    }

    TempDir folder;
    TempDir cardDir;
};

TEST_F(DriveTest, ChoosingACardListsItAndADriveWithoutACardKeepsTheCardInUse) {
    FatCard card(cardDir.path());
    REQUIRE_FAT_CARD(card);
    WriteBytes(card.root() + "/00.wav", "RIFF");
    WriteBytes(card.root() + "/01.wav", "RIFF");
    WriteBytes(card.root() + "/names.txt", "[ES1 banks]\r\n\r\n[ES1 samples]\r\n00.wav=Kick\r\n");
    volumes.mounted.push_back({card.root(), "card", true});
    frmQuodlinMain& window = open();
    auto* smDrive = control<DriveListBox>("smDrive");
    EXPECT_EQ(rows("lstSmartMedia"), std::vector<std::string>{"05.wav = "});

    ChooseDrive(*smDrive, card.root());
    EXPECT_EQ(rows("lstSmartMedia"), (std::vector<std::string>{"00.wav = Kick", "01.wav = "}));
    EXPECT_EQ(window.card().cardRoot(), card.root());

    // The card is pulled out and its mount point goes with it.
    const std::string gone = cardDir.file("gone");
    volumes.mounted.push_back({gone, "gone", true});
    smDrive->refresh();
    ChooseDrive(*smDrive, gone);
    EXPECT_EQ(prompt.messages, std::vector<std::string>{kDriveNotReady});
    EXPECT_EQ(prompt.titles, std::vector<std::string>{kErrorTitle});
    EXPECT_EQ(prompt.styles, std::vector<MessageStyle>{MessageStyle::Exclamation});
    EXPECT_EQ(rows("lstSmartMedia"), (std::vector<std::string>{"00.wav = Kick", "01.wav = "}));
    EXPECT_EQ(window.card().cardRoot(), card.root());
    EXPECT_EQ(smDrive->currentRoot(), gone);

    ChooseDrive(*smDrive, folder.path());
    EXPECT_EQ(rows("lstSmartMedia"), std::vector<std::string>{"05.wav = "});
    EXPECT_EQ(window.card().cardRoot(), folder.path());
    window.close();
    EXPECT_EQ(stored("SmartMedia"), folder.path());
}

TEST_F(DriveTest, OnlyCardVolumesAreListedShortWithTheirMountPointInTheToolTip) {
    open();
    auto* smDrive = control<DriveListBox>("smDrive");
    EXPECT_EQ(smDrive->roots(), std::vector<std::string>{folder.path()});
    const int before = volumes.refreshes;
    volumes.mounted = {{"/", "/", false}, {cardDir.path(), "card", true, "ES1 CARD", 16 << 20}};
    smDrive->showPopup();
    smDrive->hidePopup();
    EXPECT_EQ(volumes.refreshes, before + 1);
    EXPECT_EQ(smDrive->roots(), (std::vector<std::string>{cardDir.path(), folder.path()}));
    EXPECT_EQ(smDrive->itemText(0), "ES1 CARD");
    EXPECT_NE(smDrive->itemData(0, Qt::ToolTipRole).toString().indexOf(cardDir.path().c_str()), -1);
    EXPECT_EQ(smDrive->itemText(smDrive->count() - 1), "Other folder...");
    EXPECT_EQ(smDrive->currentRoot(), folder.path());
}

class FirstStart : public WindowTest {};

TEST_F(FirstStart, WithoutACardVolumeTheCardSideHasNoCardAndWritesNothing) {
    settings.values.clear();
    volumes.mounted = {{"/", "/", false}};
    WriteBytes(home.file("my song bounce.wav"), "precious");
    frmQuodlinMain& window = open();
    EXPECT_EQ(prompt.messages, std::vector<std::string>{kNoCardAtStart});
    EXPECT_EQ(window.card().cardRoot(), "");
    EXPECT_EQ(control<CardListBox>("lstSmartMedia")->placeholder(), "No card");
    prompt.messages.clear();
    prompt.answers = {true};
    control<QListWidget>("FileList")->selectAll();
    QTest::mouseClick(control<QPushButton>("cmdDelSM"), Qt::LeftButton);
    QTest::mouseClick(control<QPushButton>("cmdToSM"), Qt::LeftButton);
    EXPECT_EQ(prompt.messages, (std::vector<std::string>{kNoCardChosen, kNoCardChosen}));
    EXPECT_EQ(ReadBytes(home.file("my song bounce.wav")), "precious");
    EXPECT_FALSE(Exists(home.file("names.txt")));
}

}  // namespace
}  // namespace quodlin::test
