#pragma once

#include <QObject>
#include <QThreadPool>
#include <atomic>
#include <functional>

namespace quodlin {

// One worker thread for reads the window waits for without stopping: the newest request replaces
// those before it, so that moving quickly through a list reads only what is still shown.
class LatestWork : public QObject {
public:
    // True while no newer request has come.
    using Wanted = std::function<bool()>;

    explicit LatestWork(QObject* parent);
    // Drops the requests still waiting and waits for the one running, which learns it is no
    // longer wanted.
    ~LatestWork() override;

    // Runs job on the worker after the requests before it are dropped.
    void start(std::function<void(const Wanted& wanted)> job);
    // Runs result on this object's thread; may be called from the worker.
    void deliver(std::function<void()> result);

private:
    QThreadPool worker_;
    std::atomic<int> generation_ = 0;
};

}  // namespace quodlin
