#include "ui/lists/focus_look.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QEvent>

namespace quodlin {
namespace {

constexpr int kFrameWidth = 2;

QColor Mixed(const QColor& a, const QColor& b, double share) {
    return QColor::fromRgbF(static_cast<float>(a.redF() * share + b.redF() * (1 - share)),
                            static_cast<float>(a.greenF() * share + b.greenF() * (1 - share)),
                            static_cast<float>(a.blueF() * share + b.blueF() * (1 - share)));
}

}  // namespace

FocusLook::FocusLook(QAbstractItemView* list) : QObject(list), list_(list) {
    list->setFrameShape(QFrame::Box);
    list->setFrameShadow(QFrame::Plain);
    list->setLineWidth(kFrameWidth);
    list->installEventFilter(this);
    show(false);
}

bool FocusLook::eventFilter(QObject* watched, QEvent* event) {
    if (watched != list_) return false;
    switch (event->type()) {
        case QEvent::FocusIn:
        case QEvent::FocusOut:
        case QEvent::ApplicationPaletteChange:
            show(list_->hasFocus());
            break;
        default:
            break;
    }
    return false;
}

// Made from the application's palette each time, never from the list's own, which this sets.
void FocusLook::show(bool focused) {
    const QPalette base = QApplication::palette(list_);
    QPalette look = base;
    const QColor highlight = base.color(QPalette::Active, QPalette::Highlight);
    look.setColor(QPalette::WindowText, focused ? highlight : base.color(QPalette::Mid));
    if (!focused) {
        QColor inactive = base.color(QPalette::Inactive, QPalette::Highlight);
        if (inactive == highlight) {
            inactive = Mixed(highlight, base.color(QPalette::Active, QPalette::Base), 0.3);
        }
        for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
            look.setColor(group, QPalette::Highlight, inactive);
            look.setColor(group, QPalette::HighlightedText, base.color(group, QPalette::Text));
        }
    }
    list_->setPalette(look);
}

}  // namespace quodlin
