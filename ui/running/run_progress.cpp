#include "ui/running/run_progress.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLocale>
#include <QProgressDialog>

#include "core/text/wording.h"

namespace quodlin {
namespace {

constexpr int kBarSteps = 1000;
constexpr int kHour = 3600 * 1000;
constexpr int kRefreshMs = 50;

}  // namespace

RunProgress::RunProgress(QWidget* parent, const QString& title, int delayMs)
    : parent_(parent), title_(title), delayMs_(delayMs) {
    clock_.start();
    buildDialog();
    refresher_.setInterval(kRefreshMs);
    QObject::connect(&refresher_, &QTimer::timeout, [this] { refresh(); });
    refresher_.start();
}

RunProgress::~RunProgress() {
    refresher_.stop();
    if (!dialog_->isVisible()) return;
    dialog_->hide();
    // The window the run was started from has the focus again, whatever the desktop picks.
    parent_->activateWindow();
}

void RunProgress::buildDialog() {
    dialog_ = std::make_unique<QProgressDialog>(QString(), QStringLiteral("Cancel"), 0, kBarSteps,
                                                parent_);
    dialog_->setObjectName(QStringLiteral("progressDialog"));
    dialog_->setWindowTitle(title_);
    // The lists stay in reach while the run works; what would change them waits for its end.
    dialog_->setWindowModality(Qt::NonModal);
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
    QObject::connect(dialog_.get(), &QProgressDialog::canceled, [this] { canceled_ = true; });
}

// Until the run reaches its first file, and after Cancel, the bar only moves: the box shows that
// the run works, not how far it is.
void RunProgress::refresh() {
    const std::lock_guard lock(mutex_);
    const std::int64_t now = clock_.elapsed();
    QString label;
    if (writing_) {
        label = QStringLiteral("Writing to the card…");
    } else if (canceled_) {
        label = QStringLiteral("Stopping…");
    } else if (fileLine_.isEmpty()) {
        label = QStringLiteral("Getting ready…");
    } else {
        label = fileLine_;
        if (!retryLine_.isEmpty()) label += '\n' + retryLine_;
        const std::string speed = SpeedAndTimeLeft(doneBytes_, totalBytes_,
                                                   static_cast<double>(now - startedMs_) / 1000.0);
        if (!speed.empty()) label += '\n' + QString::fromStdString(speed);
    }
    dialog_->setLabelText(label);
    if (writing_ || canceled_ || totalBytes_ == 0) {
        dialog_->setRange(0, 0);
    } else {
        const auto step = std::min<std::uint64_t>(kBarSteps, doneBytes_ * kBarSteps / totalBytes_);
        dialog_->setRange(0, kBarSteps);
        dialog_->setValue(static_cast<int>(step));
    }
    const QWidget* modal = QApplication::activeModalWidget();
    if (dialog_->isVisible() || now < delayMs_ || (modal != nullptr && modal != dialog_.get())) {
        return;
    }
    dialog_->show();
    dialog_->raise();
    dialog_->activateWindow();
}

void RunProgress::start(std::uint64_t totalBytes) {
    const std::lock_guard lock(mutex_);
    totalBytes_ = totalBytes;
    startedMs_ = clock_.elapsed();
}

bool RunProgress::next(int index, int count, const std::string& name) {
    filesAsked_ = count;
    filesReached_ = index + 1;
    const std::lock_guard lock(mutex_);
    fileLine_ = QStringLiteral("File %1 of %2: %3")
                    .arg(index + 1)
                    .arg(count)
                    .arg(QString::fromStdString(name));
    retryLine_.clear();
    return !canceled_;
}

bool RunProgress::retrying(const std::string&, std::uint64_t offset, int attempt) {
    const std::lock_guard lock(mutex_);
    retryLine_ = QStringLiteral("Reading again at byte %1 (try %2)")
                     .arg(QLocale().toString(static_cast<qulonglong>(offset)))
                     .arg(attempt);
    return !canceled_;
}

bool RunProgress::copied(std::uint64_t bytes) {
    const std::lock_guard lock(mutex_);
    doneBytes_ += bytes;
    return !canceled_;
}

void RunProgress::writing() {
    const std::lock_guard lock(mutex_);
    writing_ = true;
}

bool RunProgress::stopped() const {
    return filesReached_ < filesAsked_ || canceled_;
}

}  // namespace quodlin
