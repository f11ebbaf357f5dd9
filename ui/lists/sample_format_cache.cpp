#include "ui/lists/sample_format_cache.h"

namespace quodlin {

SampleFormatCache::SampleFormatCache(SampleFormats& formats, QObject* parent)
    : QObject(parent), formats_(formats) {
    qRegisterMetaType<SampleFormat>();
    worker_.setMaxThreadCount(1);
}

SampleFormatCache::~SampleFormatCache() {
    ++generation_;
    worker_.waitForDone();
}

void SampleFormatCache::request(const std::vector<std::string>& paths) {
    const int generation = ++generation_;
    worker_.start([this, paths, generation] {
        for (const std::string& path : paths) {
            if (generation_ != generation) return;
            const SampleFormat format = cache_.get(path, 0, [&] { return formats_.read(path); });
            QMetaObject::invokeMethod(
                this,
                [this, path, format] { emit formatKnown(QString::fromStdString(path), format); },
                Qt::QueuedConnection);
        }
    });
}

}  // namespace quodlin
