#pragma once

#include <QObject>
#include <atomic>
#include <functional>
#include <memory>
#include <vector>

#include "platform/prompt.h"

class QThread;

namespace quodlin {

// Runs the card's work on a thread of its own, so that the window keeps drawing and answering
// while a slow card reader works. One run at a time. The window's thread only shows, asks and
// answers: a question of the run is asked there, modal and on top, and the run waits for it.
class CardWork : public QObject {
    Q_OBJECT
public:
    // Questions of the runs are asked through windowPrompt, on the window's thread.
    CardWork(Prompt& windowPrompt, QObject* parent);
    // A run still working is ended: its questions get the answer that loses nothing.
    ~CardWork() override;

    bool busy() const { return thread_ != nullptr; }
    // Runs work on the worker and then done on the window's thread, however work ended. An error
    // work did not expect is told and the program goes on. A quiet run (a reload) changes nothing
    // the user sees until it is done: busyChanged stays silent.
    void start(std::function<void()> work, std::function<void()> done, bool quiet = false);
    // Runs action now, or once the quiet run that works now has ended, in the order asked. False
    // while a run the user started works: its actions wait, disabled.
    bool whenIdle(std::function<void()> action);
    // A run asks its questions through this prompt.
    Prompt& prompt() { return *prompt_; }
    // Calls f on the window's thread and waits for it to return; at once when already there.
    void call(const std::function<void()>& f);

signals:
    void busyChanged(bool busy);

private:
    void ended();
    // The actions asked for during a quiet run, until one of them starts a run the user waits
    // for: those after it would have come during that run, and do nothing.
    void runWaiting();

    std::unique_ptr<Prompt> prompt_;
    QThread* thread_ = nullptr;
    std::function<void()> done_;
    std::vector<std::function<void()>> waiting_;
    bool quiet_ = false;
    std::atomic<bool> closing_ = false;
};

}  // namespace quodlin
