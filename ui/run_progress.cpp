#include "ui/run_progress.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QProgressDialog>

namespace quodlin {

RunProgress::RunProgress(QWidget* parent, const QString& title, int delayMs)
    : parent_(parent), title_(title), delayMs_(delayMs) {}

RunProgress::~RunProgress() {
    busy(false);
}

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
        dialog_->setMinimumDuration(delayMs_);
        dialog_->setAutoClose(false);
        dialog_->setAutoReset(false);
    }
    // A click on Cancel waits while a file is copied; it is handled here, between two files.
    if (dialog_->isVisible()) QCoreApplication::processEvents();
    if (dialog_->wasCanceled()) return false;
    dialog_->setLabelText(QStringLiteral("File %1 of %2: %3")
                              .arg(index + 1)
                              .arg(count)
                              .arg(QString::fromStdString(name)));
    dialog_->setValue(index);
    return true;
}

}  // namespace quodlin
