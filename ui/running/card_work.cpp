#include "ui/running/card_work.h"

#include <QCursor>
#include <QGuiApplication>
#include <QThread>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <utility>

#include "ui/running/run_action.h"
#include "ui/running/window_thread_prompt.h"

namespace quodlin {
namespace {

// One call carried to the window's thread: posted, then running, then done; or abandoned while
// still posted, when the window closes before it got to it.
struct Hop {
    enum class State { Posted, Running, Done, Abandoned };
    std::mutex mutex;
    std::condition_variable changed;
    State state = State::Posted;
    std::exception_ptr error;
};

constexpr auto kClosingCheck = std::chrono::milliseconds(50);

}  // namespace

CardWork::CardWork(Prompt& windowPrompt, QObject* parent)
    : QObject(parent),
      prompt_(std::make_unique<WindowThreadPrompt>(
          windowPrompt, [this](const std::function<void()>& f) { call(f); })) {}

CardWork::~CardWork() {
    if (thread_ == nullptr) return;
    closing_ = true;
    thread_->wait();
    delete thread_;
}

void CardWork::start(std::function<void()> work, std::function<void()> done, bool quiet) {
    done_ = std::move(done);
    quiet_ = quiet;
    thread_ = QThread::create([this, work = std::move(work)] { RunAction(*prompt_, work); });
    connect(thread_, &QThread::finished, this, &CardWork::ended);
    if (!quiet_) {
        QGuiApplication::setOverrideCursor(QCursor(Qt::BusyCursor));
        emit busyChanged(true);
    }
    thread_->start();
}

bool CardWork::whenIdle(std::function<void()> action) {
    if (!busy()) {
        action();
        return true;
    }
    if (!quiet_) return false;
    waiting_.push_back(std::move(action));
    return true;
}

void CardWork::ended() {
    thread_->wait();
    delete thread_;
    thread_ = nullptr;
    const bool quiet = quiet_;
    if (!quiet) QGuiApplication::restoreOverrideCursor();
    const std::function<void()> done = std::move(done_);
    done_ = nullptr;
    RunAction(*prompt_, done);
    // What follows a run may start the next one.
    if (busy()) return;
    if (!quiet) emit busyChanged(false);
    runWaiting();
}

void CardWork::runWaiting() {
    while (!waiting_.empty() && !busy()) {
        const std::function<void()> action = std::move(waiting_.front());
        waiting_.erase(waiting_.begin());
        action();
    }
    if (busy() && !quiet_) waiting_.clear();
}

void CardWork::call(const std::function<void()>& f) {
    if (QThread::currentThread() == thread()) return f();
    if (closing_) return;
    auto hop = std::make_shared<Hop>();
    QMetaObject::invokeMethod(
        this,
        [hop, &f] {
            {
                const std::lock_guard lock(hop->mutex);
                if (hop->state == Hop::State::Abandoned) return;
                hop->state = Hop::State::Running;
            }
            // The busy pointer is the run's, not the question's.
            QGuiApplication::setOverrideCursor(QCursor(Qt::ArrowCursor));
            try {
                f();
            } catch (...) {
                hop->error = std::current_exception();
            }
            QGuiApplication::restoreOverrideCursor();
            const std::lock_guard lock(hop->mutex);
            hop->state = Hop::State::Done;
            hop->changed.notify_all();
        },
        Qt::QueuedConnection);
    std::unique_lock lock(hop->mutex);
    while (hop->state != Hop::State::Done) {
        if (hop->state == Hop::State::Posted && closing_) {
            hop->state = Hop::State::Abandoned;
            return;
        }
        hop->changed.wait_for(lock, kClosingCheck);
    }
    if (hop->error) std::rethrow_exception(hop->error);
}

}  // namespace quodlin
