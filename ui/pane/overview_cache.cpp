#include "ui/pane/overview_cache.h"

namespace quodlin {
namespace {

// Enough for every sample of a large folder at a window's width, a few MB at most.
constexpr std::size_t kMostKept = 1000;

}  // namespace

OverviewCache::OverviewCache(SampleOverviews& overviews, FileSystem& fs, QObject* parent)
    : QObject(parent), overviews_(overviews), cache_(fs, kMostKept) {
    qRegisterMetaType<SampleOverview>();
    worker_.setMaxThreadCount(1);
}

OverviewCache::~OverviewCache() {
    ++generation_;
    worker_.clear();
    worker_.waitForDone();
}

void OverviewCache::request(const std::string& path, int columns) {
    const int generation = ++generation_;
    // Only the last request counts: those still waiting are of no use any more.
    worker_.clear();
    worker_.start([this, path, columns, generation] {
        if (generation_ != generation) return;
        const auto wanted = [this, generation] { return generation_ == generation; };
        SampleOverview overview =
            cache_.get(path, columns, [&] { return overviews_.read(path, columns, wanted); });
        // A read ended early is not kept; only what a request still waits for is told.
        if (overview.problem == kNoLongerWanted) cache_.forget(path);
        if (!wanted()) return;
        QMetaObject::invokeMethod(
            this,
            [this, path, overview = std::move(overview)] {
                emit overviewKnown(QString::fromStdString(path), overview);
            },
            Qt::QueuedConnection);
    });
}

}  // namespace quodlin
