#pragma once

#include <QString>
#include <memory>

#include "core/run_observer.h"

class QProgressDialog;
class QWidget;

namespace quodlin {

// Shows a copy run: the busy pointer while a file is copied, and for a run of more than one
// file that lasts longer than delayMs a progress dialog with file n of m, its name and a Cancel
// button. Cancel ends the run after the file being copied.
class RunProgress : public RunObserver {
public:
    RunProgress(QWidget* parent, const QString& title, int delayMs);
    ~RunProgress() override;

    void busy(bool on) override;
    bool next(int index, int count, const std::string& name) override;

private:
    QWidget* parent_;
    QString title_;
    int delayMs_;
    std::unique_ptr<QProgressDialog> dialog_;
    bool busy_ = false;
};

}  // namespace quodlin
