#include <gtest/gtest.h>

#include "platform/qt/qt_settings.h"
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

}  // namespace
}  // namespace quodlin::test
