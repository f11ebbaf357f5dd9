#include <gtest/gtest.h>

#include <algorithm>

#include "platform/qt/qt_settings.h"
#include "platform/qt/qt_volumes.h"
#include "tests/support/fat_card.h"
#include "tests/support/temp_dir.h"

namespace quodlin::test {
namespace {

// Stored in the application's file under the section; a store that cannot be written throws.
TEST(QtSettings, StoresStringsInTheApplicationsFileUnderTheSection) {
    TempDir dir;
    QtSettings settings(QString::fromStdString(dir.path()));
    EXPECT_EQ(settings.read("Quodlin", "Default", "SampleDir", "/home/ann"), "/home/ann");
    settings.write("Quodlin", "Default", "SampleDir", "/home/ann/Drum & Bass");
    settings.write("Quodlin", "Default", "BankDir", "C:\\");
    EXPECT_EQ(settings.read("Quodlin", "Default", "SampleDir", ""), "/home/ann/Drum & Bass");
    EXPECT_EQ(ReadBytes(dir.file("Quodlin/Quodlin.conf")),
              "[Default]\nBankDir=C:\\\\\nSampleDir=/home/ann/Drum & Bass\n");
    TempDir full;
    WriteBytes(full.file("Quodlin"), "");
    QtSettings unwritable(QString::fromStdString(full.path()));
    EXPECT_THROW(unwritable.write("Quodlin", "Default", "SampleDir", "/a"), SettingsError);
}

TEST(QtVolumes, AMountedFatCardIsListedFirstAsRemovable) {
    TempDir dir;
    QtVolumes volumes;
    const auto find = [&](const std::string& root) {
        const std::vector<Volume>& all = volumes.list();
        return std::find_if(all.begin(), all.end(),
                            [&](const Volume& v) { return v.root == root; });
    };
    FatCard card(dir.path());
    REQUIRE_FAT_CARD(card);
    volumes.refresh();
    const auto found = find(card.root());
    ASSERT_NE(found, volumes.list().end());
    EXPECT_TRUE(found->removable);
    EXPECT_EQ(found->displayText, "card (" + card.root() + ")");
    const auto firstFixed = std::find_if(volumes.list().begin(), volumes.list().end(),
                                         [](const Volume& v) { return !v.removable; });
    EXPECT_LT(found, firstFixed);
    EXPECT_NE(find("/"), volumes.list().end());

    card.unmount();
    volumes.refresh();
    EXPECT_EQ(find(card.root()), volumes.list().end());
    EXPECT_TRUE(IsFatFileSystem("vfat"));
    EXPECT_FALSE(IsFatFileSystem("ext4"));
}

}  // namespace
}  // namespace quodlin::test
