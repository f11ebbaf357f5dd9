#include <QApplication>
#include <memory>

#include "core/startup.h"
#include "platform/audio/sndfile_sample_formats.h"
#include "platform/audio/soxr_sample_converter.h"
#include "platform/local_file_system.h"
#include "platform/player/sample_player.h"
#include "platform/qt/qt_settings.h"
#include "platform/qt/qt_volumes.h"
#include "ui/first_paint.h"
#include "ui/main_window.h"
#include "ui/message_box_prompt.h"

namespace {

std::unique_ptr<quodlin::Player> CreatePlayer() {
    return std::make_unique<quodlin::SamplePlayer>();
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    quodlin::LocalFileSystem fileSystem;
    quodlin::QtSettings settings;
    quodlin::QtVolumes volumes;
    quodlin::MessageBoxPrompt prompt;
    const std::unique_ptr<quodlin::Player> player = CreatePlayer();
    quodlin::SndfileSampleFormats sampleFormats;
    quodlin::SoxrSampleConverter sampleConverter;
    quodlin::MainWindowParts parts{fileSystem, settings, volumes, *player, prompt,
                                   quodlin::FallbackDirectory(),
                                   QCoreApplication::applicationDirPath()};
    parts.sampleFormats = &sampleFormats;
    parts.sampleConverter = &sampleConverter;
    quodlin::frmQuodlinMain window(parts);
    quodlin::QuitWhenShownIfAsked(window);
    window.show();
    return app.exec();
}
