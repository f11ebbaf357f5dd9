// Prints how long the computer list takes to reload a folder of N files with none and with all
// of them selected, and how often the selection changed on the way: the two times should be
// close, and the selection should change once.
#include <QApplication>
#include <QElapsedTimer>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/local/local_file_system.h"
#include "ui/lists/file_list_box.h"

namespace {

double ReloadSeconds(quodlin::FileListBox& list) {
    QElapsedTimer clock;
    clock.start();
    list.refresh(quodlin::Mode::Samples);
    return static_cast<double>(clock.nsecsElapsed()) / 1e9;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    for (const int count : {1000, 5000, 100000}) {
        const auto dir =
            std::filesystem::temp_directory_path() / ("quodlin-reload-" + std::to_string(count));
        std::filesystem::create_directories(dir);
        for (int n = 0; n < count; ++n) {
            std::ofstream(dir / ("loop" + std::to_string(n) + ".wav")) << 'x';
        }
        quodlin::LocalFileSystem fs;
        quodlin::FileListBox list(fs, nullptr);
        list.setDirectory(dir.string());
        list.refresh(quodlin::Mode::Samples);
        const double none = ReloadSeconds(list);
        list.selectAll();
        int changes = 0;
        QObject::connect(&list, &QListWidget::itemSelectionChanged, [&] { ++changes; });
        const double all = ReloadSeconds(list);
        std::printf(
            "%6d files: reload with none selected %.3f s, with all selected %.3f s "
            "(ratio %.2f), selection changed %d times\n",
            count, none, all, all / none, changes);
        std::filesystem::remove_all(dir);
    }
}
