#include "ui/lists/play_mark.h"

#include <QListWidget>
#include <QTimer>

#include "ui/widgets/drawn_icons.h"
#include "ui/widgets/elided_label.h"

namespace quodlin {

PlayMark::PlayMark(Player& player, ElidedLabel* status, QObject* parent)
    : QObject(parent), player_(player), status_(status), timer_(new QTimer(this)) {
    // The player tells no end of its own: it is looked at while a sample plays.
    timer_->setInterval(100);
    connect(timer_, &QTimer::timeout, this, &PlayMark::check);
}

void PlayMark::playing(QListWidget* list, int row, const QString& name, double seconds) {
    clear();
    if (!player_.isPlaying()) return;
    QListWidgetItem* item = list->item(row);
    if (item == nullptr) return;
    list_ = list;
    row_ = row;
    rowText_ = item->text();
    rowIcon_ = item->icon();
    item->setIcon(PlayMarkIcon(list->palette()));
    statusText_ = QStringLiteral("Playing '%1' (%2 s)").arg(name).arg(seconds, 0, 'f', 2);
    status_->setFullText(statusText_);
    timer_->start();
}

void PlayMark::check() {
    if (!player_.isPlaying()) clear();
}

// The row keeps its own icon again, if the list still shows it; a refill has no mark anyway.
void PlayMark::clear() {
    timer_->stop();
    if (list_ && row_ < list_->count() && list_->item(row_)->text() == rowText_) {
        list_->item(row_)->setIcon(rowIcon_);
    }
    list_ = nullptr;
    if (!statusText_.isEmpty() && status_->fullText() == statusText_) status_->setFullText({});
    statusText_.clear();
}

}  // namespace quodlin
