#include "ui/lists/format_worker.h"

namespace quodlin {

FormatWorker::FormatWorker(SampleFormats& formats, QObject* parent)
    : QObject(parent), formats_(formats) {
    qRegisterMetaType<SampleFormat>();
}

void FormatWorker::request(const std::vector<std::string>& paths) {
    work_.start([this, paths](const LatestWork::Wanted& wanted) {
        for (const std::string& path : paths) {
            if (!wanted()) return;
            const SampleFormat format = formats_.read(path);
            work_.deliver(
                [this, path, format] { emit formatKnown(QString::fromStdString(path), format); });
        }
    });
}

}  // namespace quodlin
