#include "ui/pane/overview_cache.h"

namespace quodlin {
namespace {

// Enough for every sample of a large folder at a window's width, a few MB at most.
constexpr std::size_t kMostKept = 1000;

}  // namespace

OverviewCache::OverviewCache(SampleOverviews& overviews, QObject* parent)
    : QObject(parent), overviews_(overviews), cache_(kMostKept) {
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
        SampleOverview overview =
            cache_.get(path, columns, [&] { return overviews_.read(path, columns); });
        QMetaObject::invokeMethod(
            this,
            [this, path, overview = std::move(overview)] {
                emit overviewKnown(QString::fromStdString(path), overview);
            },
            Qt::QueuedConnection);
    });
}

}  // namespace quodlin
