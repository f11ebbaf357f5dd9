#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/fat_card.h"
#include "tests/support/temp_dir.h"

namespace quodlin::test {
namespace {

bool CanRunX() {
    return std::filesystem::exists("/usr/bin/xvfb-run") &&
           std::filesystem::exists("/usr/bin/python3") &&
           RunProgram({"/usr/bin/python3", "-c", "import Xlib"}).status == 0;
}

TEST(Program, ShowsItsWindowUnderXAndStoresTheSettingsWhenClosed) {
    if (!CanRunX()) {
        if (InCi()) FAIL() << "xvfb-run and python3-xlib are needed";
        GTEST_SKIP() << "xvfb-run and python3-xlib are needed";
    }
    TempDir dir;
    const std::string home = dir.file("home");
    std::filesystem::create_directory(home);
    const ProcessResult run = RunProgram(
        {"env", "HOME=" + home, "XDG_CONFIG_HOME=" + dir.file("config"), "QT_QPA_PLATFORM=xcb",
         "xvfb-run", "-a", "/usr/bin/python3", QUODLIN_CLOSE_SCRIPT, QUODLIN_PROGRAM,
         "Korg Electribe ES1 - Velmark 0.8 beta"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "shown\n");
    const std::string settings = ReadBytes(dir.file("config/Quodlin/Quodlin.conf"));
    EXPECT_EQ(settings,
              "[Default]\nBankDir=" + home + "\nSampleDir=" + home + "\nSmartMedia=" + home + "\n");
}

}  // namespace
}  // namespace quodlin::test
