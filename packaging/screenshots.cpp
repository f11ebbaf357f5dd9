// Pictures of the window with a filled card and of the rename dialog, for the docs. Made by
// the target "screenshots", outside the test run: cmake --build <dir> --target screenshots
#include <QApplication>

#include "platform/qt/desktop_file_system.h"
#include "tests/support/fixed_volumes.h"
#include "tests/support/memory_settings.h"
#include "tests/support/recording_player.h"
#include "tests/support/recording_prompt.h"
#include "tests/support/temp_dir.h"
#include "ui/main_window.h"
#include "ui/rename_dialog.h"

int main(int argc, char** argv) {
    using namespace quodlin;
    QApplication app(argc, argv);
    const QString out = argc > 1 ? argv[1] : ".";
    test::TempDir home, card;
    for (const char* name : {"00.wav", "01.wav", "02.wav"}) test::WriteBytes(card.file(name), "");
    test::WriteBytes(card.file("names.txt"), "[ES1 samples]\r\n00.wav=Bass drum\r\n01.wav=Hat\r\n");
    DesktopFileSystem fileSystem;
    test::MemorySettings settings;
    settings.values = {{"Quodlin/Default/SmartMedia", card.path()}};
    test::FixedVolumes volumes;
    volumes.mounted = {{card.path(), "card", true}};
    test::RecordingPlayer player;
    test::RecordingPrompt prompt;
    frmQuodlinMain window({fileSystem, settings, volumes, player, prompt, home.path(), out});
    window.grab().save(out + "/window-filled-card.png");
    frmRename dialog(&window);
    dialog.start("Bass drum");
    dialog.grab().save(out + "/rename-dialog.png");
}
