#include "ui/lists/list_menu.h"

#include <QKeyEvent>
#include <QListWidget>
#include <QMenu>

namespace quodlin {

ListMenu::ListMenu(QListWidget* list, const QString& name, const std::vector<QAction*>& actions)
    : QObject(list), list_(list), menu_(new QMenu(list)) {
    menu_->setObjectName(name);
    for (QAction* action : actions) {
        if (action == nullptr) {
            menu_->addSeparator();
        } else {
            menu_->addAction(action);
        }
    }
    list->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(list, &QWidget::customContextMenuRequested, this, &ListMenu::open);
    list->installEventFilter(this);
}

// The Menu key (and Shift+F10) opens the menu at the current row, as the desktop does it.
bool ListMenu::eventFilter(QObject* watched, QEvent* event) {
    if (watched != list_ || event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool menuKey = key->key() == Qt::Key_Menu ||
                         (key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier);
    if (!menuKey) return false;
    const QListWidgetItem* row = list_->currentItem();
    open(row != nullptr ? list_->visualItemRect(row).center() : QPoint(0, 0));
    return true;
}

void ListMenu::open(const QPoint& pos) {
    menu_->popup(list_->viewport()->mapToGlobal(pos));
}

}  // namespace quodlin
