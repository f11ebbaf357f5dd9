#pragma once

#include <QObject>
#include <QString>
#include <QThreadPool>
#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "platform/local/file_stamp.h"
#include "platform/sample_formats.h"

namespace quodlin {

// Reads sample formats on a worker thread, so that a folder of many samples shows at once and
// its formats fill in after. A format is read again only when its file's size or time changed.
class SampleFormatCache : public QObject {
    Q_OBJECT
public:
    SampleFormatCache(SampleFormats& formats, QObject* parent);
    ~SampleFormatCache() override;

    // Reads the formats of these files in this order; a request made meanwhile replaces the
    // rest of the one before. Each format read arrives as formatKnown.
    void request(const std::vector<std::string>& paths);

signals:
    void formatKnown(const QString& path, const quodlin::SampleFormat& format);

private:
    struct Entry {
        FileStamp stamp;
        SampleFormat format;
    };
    SampleFormat formatOf(const std::string& path);

    SampleFormats& formats_;
    QThreadPool worker_;
    std::atomic<int> generation_ = 0;
    std::mutex mutex_;
    std::map<std::string, Entry> cache_;
};

}  // namespace quodlin

Q_DECLARE_METATYPE(quodlin::SampleFormat)
