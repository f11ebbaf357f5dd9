#include "ui/lists/list_keys.h"

#include <QAbstractItemView>
#include <QAction>
#include <QKeyEvent>

namespace quodlin {

ListKeys::ListKeys(QAbstractItemView* list, Actions actions)
    : QObject(list), list_(list), actions_(std::move(actions)) {
    list->installEventFilter(this);
}

bool ListKeys::eventFilter(QObject* watched, QEvent* event) {
    if (watched != list_ || event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->matches(QKeySequence::SelectAll)) {
        list_->selectAll();
        return true;
    }
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    switch (key->key()) {
        case Qt::Key_F5:
            actions_.copy->trigger();
            return true;
        case Qt::Key_Delete:
        case Qt::Key_F8:
            actions_.remove->trigger();
            return true;
        case Qt::Key_F2:
            actions_.rename->trigger();
            return true;
        case Qt::Key_Space:
            if (actions_.playing && actions_.playing()) {
                actions_.stop();
                return true;
            }
            actions_.preview->trigger();
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            actions_.preview->trigger();
            return true;
        case Qt::Key_Escape:
            if (!actions_.playing || !actions_.playing()) return false;
            actions_.stop();
            return true;
        case Qt::Key_Tab:
            if (key->modifiers() & Qt::ShiftModifier) return false;
            actions_.otherList->setFocus(Qt::TabFocusReason);
            return true;
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_Home:
        case Qt::Key_End:
            // The list moves its current row first.
            if (actions_.moved)
                QMetaObject::invokeMethod(this, actions_.moved, Qt::QueuedConnection);
            return false;
        default:
            return false;
    }
}

}  // namespace quodlin
