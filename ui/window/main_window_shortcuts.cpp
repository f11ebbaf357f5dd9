// Every control outside the two lists has a key of its own, shown in its tool tip; the captions
// stay as they are. The computer side's buttons take Ctrl with the list key of their action, the
// card side's Ctrl+Shift.
#include <QAbstractButton>
#include <QPushButton>
#include <QShortcut>
#include <QTabBar>
#include <QToolButton>

#include "ui/lists/drive_list_box.h"
#include "ui/main_window.h"
#include "ui/running/wav_player.h"

namespace quodlin {
namespace {

QString KeyHint(const QKeySequence& key) {
    return " (" + key.toString(QKeySequence::NativeText) + ")";
}

QString WithKey(const QString& tip, const QKeySequence& key) {
    return tip + KeyHint(key);
}

// The key clicks the button at once, with no pressed look first, so that it acts as soon as it
// is pressed. A hidden or disabled button's key does nothing.
void GiveKey(QAbstractButton* button, const QKeySequence& key, const QString& tip) {
    QObject::connect(new QShortcut(key, button), &QShortcut::activated, button,
                     &QAbstractButton::click);
    button->setToolTip(WithKey(tip, key));
}

}  // namespace

void frmQuodlinMain::connectShortcuts() {
    const auto ctrl = [](Qt::Key key) { return QKeySequence(Qt::CTRL | key); };
    const auto ctrlShift = [](Qt::Key key) { return QKeySequence(Qt::CTRL | Qt::SHIFT | key); };
    GiveKey(cmdPathSelect, ctrl(Qt::Key_O), cmdPathSelect->toolTip());
    GiveKey(cmdInvSelPC, ctrl(Qt::Key_I), cmdInvSelPC->accessibleName());
    GiveKey(cmdInvSelSM, ctrlShift(Qt::Key_I), cmdInvSelSM->accessibleName());
    GiveKey(cmdNamePC, ctrl(Qt::Key_F2), cmdNamePC->toolTip());
    GiveKey(cmdDelPC, ctrl(Qt::Key_F8), cmdDelPC->toolTip());
    GiveKey(cmdToSM, ctrl(Qt::Key_F5), cmdToSM->toolTip());
    GiveKey(cmdFromSM, ctrlShift(Qt::Key_F5), cmdFromSM->toolTip());
    GiveKey(cmdDelSM, ctrlShift(Qt::Key_F8), cmdDelSM->toolTip());
    GiveKey(cmdNameSM, ctrlShift(Qt::Key_F2), cmdNameSM->toolTip());
    GiveKey(WavPlayer->playButton(), ctrl(Qt::Key_P), WavPlayer->playButton()->toolTip());
    GiveKey(WavPlayer->stopButton(), ctrl(Qt::Key_Period), WavPlayer->stopButton()->toolTip());

    const QKeySequence drive(Qt::ALT | Qt::Key_D);
    smDrive->setBaseToolTip(smDrive->accessibleName(), KeyHint(drive));
    connect(new QShortcut(drive, this), &QShortcut::activated, smDrive, [this] {
        if (!smDrive->isEnabled() || !smDrive->isVisible()) return;
        smDrive->setFocus(Qt::ShortcutFocusReason);
        smDrive->showPopup();
    });
    for (int tab = 0; tab < TabStrip->count(); ++tab) {
        const QKeySequence key(Qt::CTRL | (Qt::Key_1 + tab));
        TabStrip->setTabToolTip(tab, WithKey(TabStrip->tabText(tab).replace("&&", "&"), key));
        connect(new QShortcut(key, this), &QShortcut::activated, TabStrip, [this, tab] {
            if (TabStrip->isEnabled()) TabStrip->setCurrentIndex(tab);
        });
    }
}

}  // namespace quodlin
