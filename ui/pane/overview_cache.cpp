#include "ui/pane/overview_cache.h"

namespace quodlin {
namespace {

// Enough for every sample of a large folder at a window's width, a few MB at most.
constexpr std::size_t kMostKept = 1000;

}  // namespace

OverviewCache::OverviewCache(SampleOverviews& overviews, FileSystem& fs, QObject* parent)
    : QObject(parent), overviews_(overviews), cache_(fs, kMostKept) {
    qRegisterMetaType<SampleOverview>();
}

void OverviewCache::request(const std::string& path, int columns) {
    work_.start([this, path, columns](const LatestWork::Wanted& wanted) {
        SampleOverview overview =
            cache_.get(path, columns, [&] { return overviews_.read(path, columns, wanted); });
        // A read ended early is not kept; only what a request still waits for is told.
        if (overview.problem == kNoLongerWanted) cache_.forget(path);
        if (!wanted()) return;
        work_.deliver([this, path, overview = std::move(overview)] {
            emit overviewKnown(QString::fromStdString(path), overview);
        });
    });
}

}  // namespace quodlin
