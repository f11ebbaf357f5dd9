#include "ui/format_hints.h"

#include <QApplication>
#include <QStyle>
#include <QTimer>

#include "core/sample_readiness.h"

namespace quodlin {

FormatHints::FormatHints(QListWidget* list, SampleFormats& formats,
                         std::function<std::string(int row)> pathOfRow,
                         std::function<bool()> active)
    : QObject(list),
      list_(list),
      cache_(new SampleFormatCache(formats, this)),
      pathOfRow_(std::move(pathOfRow)),
      active_(std::move(active)) {
    QAbstractItemModel* model = list->model();
    connect(model, &QAbstractItemModel::rowsInserted, this, &FormatHints::rowsChanged);
    connect(model, &QAbstractItemModel::rowsRemoved, this, &FormatHints::rowsChanged);
    connect(model, &QAbstractItemModel::modelReset, this, &FormatHints::rowsChanged);
    connect(cache_, &SampleFormatCache::formatKnown, this, &FormatHints::show);
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
            paths.push_back(pathOfRow_(row));
            rowOfPath_.insert(QString::fromStdString(paths.back()), row);
        }
        cache_->request(paths);
    });
}

void FormatHints::show(const QString& path, const SampleFormat& format) {
    const auto found = rowOfPath_.constFind(path);
    if (found == rowOfPath_.constEnd() || *found >= list_->count()) return;
    QListWidgetItem* item = list_->item(*found);
    item->setToolTip(QString::fromStdString(SampleFormatText(format)));
    item->setIcon(IsReadyForInstrument(format)
                      ? QIcon()
                      : QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning));
}

}  // namespace quodlin
