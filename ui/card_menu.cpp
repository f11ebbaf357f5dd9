#include "ui/card_menu.h"

#include <QKeyEvent>
#include <QListWidget>
#include <QMenu>

namespace quodlin {

CardMenu::CardMenu(QListWidget* list, Actions actions)
    : QObject(list), list_(list), menu_(new QMenu(list)) {
    menu_->setObjectName(QStringLiteral("cardMenu"));
    menu_->addAction(QStringLiteral("Back up card…"), list, std::move(actions.backUp));
    menu_->addAction(QStringLiteral("Restore card…"), list, std::move(actions.restore));
    menu_->addAction(QStringLiteral("Check card"), list, std::move(actions.check));
    menu_->addSeparator();
    menu_->addAction(QStringLiteral("Show in file manager"), list,
                     std::move(actions.showInFileManager));
    list->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(list, &QWidget::customContextMenuRequested, this, &CardMenu::open);
    list->installEventFilter(this);
}

// The Menu key (and Shift+F10) opens the menu at the current row, as the desktop does it.
bool CardMenu::eventFilter(QObject* watched, QEvent* event) {
    if (watched != list_ || event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool menuKey = key->key() == Qt::Key_Menu ||
                         (key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier);
    if (!menuKey) return false;
    const QListWidgetItem* row = list_->currentItem();
    open(row != nullptr ? list_->visualItemRect(row).center() : QPoint(0, 0));
    return true;
}

void CardMenu::open(const QPoint& pos) {
    menu_->popup(list_->viewport()->mapToGlobal(pos));
}

}  // namespace quodlin
