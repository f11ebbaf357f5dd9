#include "ui/lists/format_worker.h"

namespace quodlin {

FormatWorker::FormatWorker(SampleFormats& formats, QObject* parent)
    : QObject(parent), formats_(formats) {
    qRegisterMetaType<SampleFormat>();
    worker_.setMaxThreadCount(1);
}

FormatWorker::~FormatWorker() {
    ++generation_;
    worker_.waitForDone();
}

void FormatWorker::request(const std::vector<std::string>& paths) {
    const int generation = ++generation_;
    worker_.start([this, paths, generation] {
        for (const std::string& path : paths) {
            if (generation_ != generation) return;
            const SampleFormat format = formats_.read(path);
            QMetaObject::invokeMethod(
                this,
                [this, path, format] { emit formatKnown(QString::fromStdString(path), format); },
                Qt::QueuedConnection);
        }
    });
}

}  // namespace quodlin
