#include "ui/lists/format_hints.h"

#include <QApplication>
#include <QPixmap>
#include <QStyle>
#include <QTimer>

#include "core/samples/instrument_format.h"
#include "core/samples/sample_readiness.h"

namespace quodlin {
namespace {

constexpr int kIconSize = 16;

// Keeps the text of a row without a warning where the others have theirs.
const QIcon& BlankIcon() {
    static const QIcon blank = [] {
        QPixmap pixmap(kIconSize, kIconSize);
        pixmap.fill(Qt::transparent);
        return QIcon(pixmap);
    }();
    return blank;
}

}  // namespace

FormatHints::FormatHints(QListWidget* list, SampleFormats& formats,
                         std::function<std::string(int row)> pathOfRow,
                         std::function<bool()> active, bool onComputer)
    : QObject(list),
      list_(list),
      worker_(new FormatWorker(formats, this)),
      pathOfRow_(std::move(pathOfRow)),
      active_(std::move(active)),
      onComputer_(onComputer) {
    // The list's own row height holds a small icon.
    list->setIconSize(QSize(kIconSize, kIconSize));
    QAbstractItemModel* model = list->model();
    connect(model, &QAbstractItemModel::rowsInserted, this, &FormatHints::rowsChanged);
    connect(model, &QAbstractItemModel::rowsRemoved, this, &FormatHints::rowsChanged);
    connect(model, &QAbstractItemModel::modelReset, this, &FormatHints::rowsChanged);
    connect(worker_, &FormatWorker::formatKnown, this, &FormatHints::show);
}

// A refill adds its rows one by one; they are asked for once, after the refill.
void FormatHints::rowsChanged() {
    if (pending_) return;
    pending_ = true;
    QTimer::singleShot(0, this, [this] {
        pending_ = false;
        rowOfPath_.clear();
        if (!active_()) return;
        std::vector<std::string> paths;
        for (int row = 0; row < list_->count(); ++row) {
            if (list_->item(row)->icon().isNull()) list_->item(row)->setIcon(BlankIcon());
            paths.push_back(pathOfRow_(row));
            rowOfPath_.insert(QString::fromStdString(paths.back()), row);
        }
        worker_->request(paths);
    });
}

void FormatHints::show(const QString& path, const SampleFormat& format) {
    const auto found = rowOfPath_.constFind(path);
    if (found == rowOfPath_.constEnd() || *found >= list_->count()) return;
    QListWidgetItem* item = list_->item(*found);
    const QString formatText = QString::fromStdString(SampleFormatText(format));
    if (IsReadyForInstrument(format)) {
        item->setToolTip(formatText);
        item->setIcon(BlankIcon());
        return;
    }
    QString problem = QString::fromStdString(SampleProblemText(format));
    if (onComputer_ && format.readable)
        problem += QString::fromStdString(" Copying converts it to " + ConvertedFormatText() + ".");
    item->setToolTip(problem + "\n" + formatText);
    item->setIcon(QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning));
}

}  // namespace quodlin
