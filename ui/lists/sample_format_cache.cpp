#include "ui/lists/sample_format_cache.h"

#include "platform/local/file_stamp.h"

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
            const SampleFormat format = formatOf(path);
            QMetaObject::invokeMethod(
                this,
                [this, path, format] { emit formatKnown(QString::fromStdString(path), format); },
                Qt::QueuedConnection);
        }
    });
}

SampleFormat SampleFormatCache::formatOf(const std::string& path) {
    Entry entry{StampOf(path), {}};
    {
        const std::lock_guard lock(mutex_);
        const auto found = cache_.find(path);
        if (found != cache_.end() && found->second.stamp == entry.stamp) {
            return found->second.format;
        }
    }
    entry.format = formats_.read(path);
    const std::lock_guard lock(mutex_);
    cache_[path] = entry;
    return entry.format;
}

}  // namespace quodlin
