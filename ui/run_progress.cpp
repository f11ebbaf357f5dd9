#include "ui/run_progress.h"

#include <QGuiApplication>
#include <QProgressDialog>

namespace quodlin {

constexpr int kShowAfterMilliseconds = 500;

RunProgress::RunProgress(QWidget* parent, const QString& title) : parent_(parent), title_(title) {}

RunProgress::~RunProgress() { busy(false); }

void RunProgress::busy(bool on) {
    if (on == busy_) return;
    busy_ = on;
    if (on) {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QGuiApplication::restoreOverrideCursor();
    }
}

bool RunProgress::next(int index, int count, const std::string& name) {
    if (count < 2) return true;
    if (!dialog_) {
        dialog_ = std::make_unique<QProgressDialog>(QString(), QStringLiteral("Cancel"), 0, count,
                                                    parent_);
        dialog_->setObjectName(QStringLiteral("progressDialog"));
        dialog_->setWindowTitle(title_);
        dialog_->setWindowModality(Qt::WindowModal);
        dialog_->setMinimumDuration(kShowAfterMilliseconds);
        dialog_->setAutoClose(false);
        dialog_->setAutoReset(false);
    }
    if (dialog_->wasCanceled()) return false;
    dialog_->setLabelText(QStringLiteral("File %1 of %2: %3")
                              .arg(index + 1)
                              .arg(count)
                              .arg(QString::fromStdString(name)));
    // A window-modal dialog handles its events, Cancel among them, as its value changes.
    dialog_->setValue(index);
    return !dialog_->wasCanceled();
}

}  // namespace quodlin
