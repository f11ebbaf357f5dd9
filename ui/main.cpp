#include <QApplication>
#include <QStringList>
#include <QTimer>
#include <memory>

#include "core/image/with_card_image.h"
#include "core/shell/startup.h"
#include "platform/qt/desktop_file_system.h"
#include "platform/qt/lazy_sound.h"
#include "platform/qt/qt_settings.h"
#include "platform/qt/qt_volumes.h"
#include "quodlin_version.h"
#include "ui/main_window.h"
#include "ui/running/command_line.h"
#include "ui/running/first_paint.h"
#include "ui/running/message_box_prompt.h"

namespace {

// Beside the program in a build, in the library folder once installed.
QStringList SoundModuleFolders() {
    const QString programDir = QCoreApplication::applicationDirPath();
    return {programDir, programDir + "/" + QUODLIN_SOUND_MODULE_DIR};
}

QStringList Arguments(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication::setApplicationName("quodlin");
    QCoreApplication::setApplicationVersion(quodlin::kVersion);
    if (const auto status = quodlin::AnswerCommandLine(Arguments(argc, argv))) return *status;
    QApplication app(argc, argv);
    // Desktops match the window to its desktop entry, and so to the installed icon, by this.
    QGuiApplication::setDesktopFileName("org.quodlin.Quodlin");
    quodlin::DesktopFileSystem desktop;
    // A card image the user opens is read inside the computer's files, by the window and the
    // sound module alike.
    quodlin::WithCardImage fileSystem(desktop);
    quodlin::QtSettings settings;
    quodlin::QtVolumes volumes;
    quodlin::MessageBoxPrompt prompt;
    prompt.rememberShapingIn(settings);
    quodlin::LazySound sound(SoundModuleFolders(), fileSystem);
    const std::unique_ptr<quodlin::Player> player = sound.newPlayer();
    quodlin::MainWindowParts parts{fileSystem,
                                   settings,
                                   volumes,
                                   *player,
                                   prompt,
                                   quodlin::FallbackDirectory(),
                                   QCoreApplication::applicationDirPath()};
    // Lets a desktop test see the progress box of a short run.
    bool delayGiven = false;
    const int delay = qEnvironmentVariableIntValue("QUODLIN_PROGRESS_DELAY_MS", &delayGiven);
    if (delayGiven) parts.progressDelayMs = delay;
    parts.sampleFormats = &sound;
    parts.sampleConverter = &sound;
    parts.sampleOverviews = &sound;
    parts.cardImages = &fileSystem;
    quodlin::frmQuodlinMain window(parts);
    quodlin::QuitWhenShownIfAsked(window);
    window.show();
    // What start-up had to tell opens over the window, once it is on the screen.
    QTimer::singleShot(0, &window, [&] { prompt.showHeldOver(&window); });
    return app.exec();
}
