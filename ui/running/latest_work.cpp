#include "ui/running/latest_work.h"

namespace quodlin {

LatestWork::LatestWork(QObject* parent) : QObject(parent) {
    worker_.setMaxThreadCount(1);
}

LatestWork::~LatestWork() {
    ++generation_;
    worker_.clear();
    worker_.waitForDone();
}

void LatestWork::start(std::function<void(const Wanted& wanted)> job) {
    const int generation = ++generation_;
    worker_.clear();
    worker_.start([this, job = std::move(job), generation] {
        const Wanted wanted = [this, generation] { return generation_ == generation; };
        if (wanted()) job(wanted);
    });
}

void LatestWork::deliver(std::function<void()> result) {
    QMetaObject::invokeMethod(this, std::move(result), Qt::QueuedConnection);
}

}  // namespace quodlin
