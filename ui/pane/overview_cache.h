#pragma once

#include <QObject>
#include <QString>
#include <string>

#include "core/io/stamped_cache.h"
#include "platform/sample_overviews.h"
#include "ui/running/latest_work.h"

namespace quodlin {

// Reads waveforms on a worker thread, so that the window goes on while a long sample is read,
// and keeps them by path: one is read again only when its file's size or time changed, or
// another width is asked for.
class OverviewCache : public QObject {
    Q_OBJECT
public:
    OverviewCache(SampleOverviews& overviews, FileSystem& fs, QObject* parent);

    // The overview arrives as overviewKnown; a request made meanwhile replaces this one.
    void request(const std::string& path, int columns);

signals:
    void overviewKnown(const QString& path, const quodlin::SampleOverview& overview);

private:
    SampleOverviews& overviews_;
    StampedCache<SampleOverview> cache_;
    // Last, so that it is gone, with its work, before what that work uses.
    LatestWork work_{this};
};

}  // namespace quodlin

Q_DECLARE_METATYPE(quodlin::SampleOverview)
