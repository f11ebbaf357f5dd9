#include "ui/window/run_progress.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLocale>
#include <QProgressDialog>

namespace quodlin {
namespace {

constexpr int kBarSteps = 1000;
constexpr int kHour = 3600 * 1000;

}  // namespace

RunProgress::RunProgress(QWidget* parent, const QString& title, int delayMs)
    : parent_(parent), title_(title), delayMs_(delayMs) {
    clock_.start();
}

RunProgress::~RunProgress() {
    busy(false);
    if (!dialog_ || !dialog_->isVisible()) return;
    dialog_->hide();
    // The window the run was started from has the focus again, whatever the desktop picks.
    parent_->activateWindow();
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

void RunProgress::start(std::uint64_t totalBytes) {
    totalBytes_ = totalBytes;
}

void RunProgress::ensureDialog() {
    if (dialog_) return;
    dialog_ = std::make_unique<QProgressDialog>(QString(), QStringLiteral("Cancel"), 0, kBarSteps,
                                                parent_);
    dialog_->setObjectName(QStringLiteral("progressDialog"));
    dialog_->setWindowTitle(title_);
    dialog_->setWindowModality(Qt::WindowModal);
    // Never shown by its own timer, which would raise it over an open question: the timer runs
    // from construction, and only a value at the minimum restarts it with the new duration.
    dialog_->setMinimumDuration(kHour);
    dialog_->setValue(0);
    dialog_->setAutoClose(false);
    dialog_->setAutoReset(false);
    // Wide enough for the title bar to show the whole title.
    const int titleWidth = QFontMetrics(dialog_->font()).horizontalAdvance(title_);
    dialog_->setMinimumWidth(std::max(360, titleWidth + 160));
    QObject::connect(dialog_.get(), &QDialog::rejected, dialog_.get(), &QProgressDialog::cancel);
}

void RunProgress::showWhenDue() {
    if (dialog_->isVisible() || clock_.elapsed() < delayMs_) return;
    dialog_->show();
    dialog_->raise();
    dialog_->activateWindow();
}

bool RunProgress::goOn() {
    showWhenDue();
    if (dialog_->isVisible()) QCoreApplication::processEvents();
    return !dialog_->wasCanceled();
}

bool RunProgress::next(int index, int count, const std::string& name) {
    ensureDialog();
    filesAsked_ = count;
    filesReached_ = index + 1;
    fileLine_ = QStringLiteral("File %1 of %2: %3")
                    .arg(index + 1)
                    .arg(count)
                    .arg(QString::fromStdString(name));
    dialog_->setLabelText(fileLine_);
    return goOn();
}

bool RunProgress::retrying(const std::string&, std::uint64_t offset, int attempt) {
    ensureDialog();
    dialog_->setLabelText(fileLine_ + QStringLiteral("\nReading again at byte %1 (try %2)")
                                          .arg(QLocale().toString(static_cast<qulonglong>(offset)))
                                          .arg(attempt));
    return goOn();
}

bool RunProgress::copied(std::uint64_t bytes) {
    ensureDialog();
    doneBytes_ += bytes;
    if (totalBytes_ > 0) {
        const auto step = std::min<std::uint64_t>(kBarSteps, doneBytes_ * kBarSteps / totalBytes_);
        dialog_->setValue(static_cast<int>(step));
    }
    return goOn();
}

bool RunProgress::stopped() const {
    return filesReached_ < filesAsked_ || (dialog_ && dialog_->wasCanceled());
}

}  // namespace quodlin
