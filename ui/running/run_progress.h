#pragma once

#include <QElapsedTimer>
#include <QString>
#include <QTimer>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>

#include "core/transfers/run_observer.h"

class QProgressDialog;
class QWidget;

namespace quodlin {

// Shows a run that works on a worker. The run tells it where it is from its own thread; the
// window's thread shows that a few times a second: for a run that lasts longer than delayMs a
// progress box with its title in full, file n of m, the file's name, a bar over the bytes of the
// whole run, the speed and the time left, and a Cancel button that the run sees at its next
// block. The box never shows while a question is open, so that the question stays above it.
// Made and ended on the window's thread.
class RunProgress : public RunObserver {
public:
    RunProgress(QWidget* parent, const QString& title, int delayMs);
    ~RunProgress() override;

    void start(std::uint64_t totalBytes) override;
    bool next(int index, int count, const std::string& name) override;
    bool copied(std::uint64_t bytes) override;
    bool retrying(const std::string& file, std::uint64_t offset, int attempt) override;
    void fileDone() override { ++filesDone_; }
    void writing() override;

    int filesAsked() const { return filesAsked_; }
    int filesDone() const { return filesDone_; }
    // True when the run was canceled or ended before its last file (a card pulled, a copy that
    // failed).
    bool stopped() const;

private:
    void refresh();
    void buildDialog();

    QWidget* parent_;
    QString title_;
    int delayMs_;
    QElapsedTimer clock_;
    QTimer refresher_;
    std::unique_ptr<QProgressDialog> dialog_;
    std::atomic<bool> canceled_ = false;
    std::atomic<int> filesAsked_ = 0;
    std::atomic<int> filesReached_ = 0;
    std::atomic<int> filesDone_ = 0;
    // Guards what the run told last, which the window's thread reads.
    mutable std::mutex mutex_;
    std::uint64_t totalBytes_ = 0;
    std::uint64_t doneBytes_ = 0;
    std::int64_t startedMs_ = 0;
    bool writing_ = false;
    QString fileLine_;
    QString retryLine_;
};

}  // namespace quodlin
