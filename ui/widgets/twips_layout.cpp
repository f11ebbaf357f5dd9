#include "ui/widgets/twips_layout.h"

#include <QWidget>
#include <QWidgetItem>
#include <cmath>

namespace quodlin {

TwipsLayout::TwipsLayout(QWidget* container, int widthTwips, int heightTwips)
    : QLayout(container), design_(Pixels(widthTwips), Pixels(heightTwips)) {
    setContentsMargins(0, 0, 0, 0);
    setSizeConstraint(QLayout::SetMinimumSize);
}

TwipsLayout::~TwipsLayout() {
    for (const Placed& placed : items_) delete placed.item;
}

void TwipsLayout::place(QWidget* widget, int left, int top, int width, int height, Grow grow) {
    addChildWidget(widget);
    const int pixelHeight = height < 0 ? -1 : Pixels(height);
    items_.append({new QWidgetItem(widget),
                   QRect(Pixels(left), Pixels(top), Pixels(width), pixelHeight), grow});
    invalidate();
}

void TwipsLayout::addItem(QLayoutItem* item) {
    items_.append({item, item->geometry(), {}});
}

QLayoutItem* TwipsLayout::itemAt(int index) const {
    return index >= 0 && index < items_.size() ? items_[index].item : nullptr;
}

QLayoutItem* TwipsLayout::takeAt(int index) {
    if (index < 0 || index >= items_.size()) return nullptr;
    return items_.takeAt(index).item;
}

void TwipsLayout::setGeometry(const QRect& rect) {
    QLayout::setGeometry(rect);
    const double extraWidth = std::max(0, rect.width() - design_.width());
    const double extraHeight = std::max(0, rect.height() - design_.height());
    const auto share = [](double part, double extra) {
        return static_cast<int>(std::lround(part * extra));
    };
    for (const Placed& placed : items_) {
        QWidget* widget = placed.item->widget();
        if (widget == nullptr) continue;
        const QRect& r = placed.rect;
        const Grow& g = placed.grow;
        const int height = r.height() < 0 ? widget->sizeHint().height() : r.height();
        // The widget gets exactly its place, whatever its own size policy would make of it.
        widget->setGeometry(QRect(rect.x() + r.x() + share(g.left, extraWidth),
                                  rect.y() + r.y() + share(g.top, extraHeight),
                                  r.width() + share(g.width, extraWidth),
                                  height + share(g.height, extraHeight)));
    }
}

}  // namespace quodlin
