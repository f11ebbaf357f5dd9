#pragma once

#include <QElapsedTimer>
#include <QString>
#include <memory>

#include "core/transfers/run_observer.h"

class QProgressDialog;
class QWidget;

namespace quodlin {

// Shows a copy run: the busy pointer while a file is copied, and for a run that lasts longer
// than delayMs a progress box with its title in full, file n of m, the file's name, a bar over
// the bytes of the whole run and a Cancel button that ends the run at any moment. The box shows
// itself only from the run's own calls, never while a question of the run is open, so that the
// question stays above it.
class RunProgress : public RunObserver {
public:
    RunProgress(QWidget* parent, const QString& title, int delayMs);
    ~RunProgress() override;

    void busy(bool on) override;
    void start(std::uint64_t totalBytes) override;
    bool next(int index, int count, const std::string& name) override;
    bool copied(std::uint64_t bytes) override;
    bool retrying(const std::string& file, std::uint64_t offset, int attempt) override;
    void fileDone() override { ++filesDone_; }

    int filesAsked() const { return filesAsked_; }
    int filesDone() const { return filesDone_; }
    // Canceled, or ended before its last file (a card pulled, a copy that failed).
    bool stopped() const;

private:
    void ensureDialog();
    void showWhenDue();
    bool goOn();

    QWidget* parent_;
    QString title_;
    int delayMs_;
    QElapsedTimer clock_;
    std::unique_ptr<QProgressDialog> dialog_;
    bool busy_ = false;
    std::uint64_t totalBytes_ = 0;
    std::uint64_t doneBytes_ = 0;
    int filesAsked_ = 0;
    int filesReached_ = 0;
    int filesDone_ = 0;
    QString fileLine_;
};

}  // namespace quodlin
