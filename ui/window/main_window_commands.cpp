// Each command of the window is one action: its button, its list key and its menu entry all
// trigger it, so that they cannot drift apart.
#include <QAction>
#include <QPushButton>

#include "ui/lists/card_list_box.h"
#include "ui/lists/file_list_box.h"
#include "ui/lists/list_keys.h"
#include "ui/lists/list_menu.h"
#include "ui/main_window.h"

namespace quodlin {

// The key is shown beside the menu entry; the list handles it itself.
QAction* frmQuodlinMain::command(const QString& text, const QString& key,
                                 std::function<void()> handler) {
    auto* action = new QAction(text, this);
    if (!key.isEmpty()) action->setShortcut(QKeySequence(key));
    action->setShortcutContext(Qt::WidgetShortcut);
    connect(action, &QAction::triggered, this, std::move(handler));
    return action;
}

QAction* frmQuodlinMain::command(const QString& text, const QString& key,
                                 void (frmQuodlinMain::*handler)()) {
    return command(text, key, guarded(handler));
}

void frmQuodlinMain::createCommands() {
    Commands& c = commands_;
    c.copyToCard = command("Copy to SmartMedia", "F5", &frmQuodlinMain::cmdToSM_Click);
    c.deleteOnComputer = command("Delete", "Del", &frmQuodlinMain::cmdDelPC_Click);
    c.renameOnComputer = command("Rename", "F2", &frmQuodlinMain::cmdNamePC_Click);
    c.playOnComputer = command("Play", "Space", &frmQuodlinMain::FileList_DblClick);
    c.invertOnComputer = command("Invert Selection", "", &frmQuodlinMain::cmdInvSelPC_Click);
    c.copyFromCard = command("Copy to computer", "F5", &frmQuodlinMain::cmdFromSM_Click);
    c.deleteOnCard = command("Delete", "Del", &frmQuodlinMain::cmdDelSM_Click);
    c.renameOnCard = command("Rename", "F2", &frmQuodlinMain::cmdNameSM_Click);
    c.moveOnCard = command("Move to number…", "F6", &frmQuodlinMain::cardMove_Click);
    c.playOnCard = command("Play", "Space", &frmQuodlinMain::lstSmartMedia_DblClick);
    c.invertOnCard = command("Invert Selection", "", &frmQuodlinMain::cmdInvSelSM_Click);
    c.backUp = command("Back up card…", "", &frmQuodlinMain::cardBackUp_Click);
    c.restore = command("Restore card…", "", &frmQuodlinMain::cardRestore_Click);
    c.rescue = command("Rescue card…", "", &frmQuodlinMain::cardRescue_Click);
    c.check = command("Check card", "", &frmQuodlinMain::cardCheck_Click);
    c.checkReading =
        command("Check card, reading every file", "", &frmQuodlinMain::cardCheckReading_Click);
    c.showInFileManager =
        command("Show in file manager", "", &frmQuodlinMain::cardShowInFileManager_Click);
    c.stop = command("Stop", "", [this] { StopAndClose(player()); });
    c.playOnSelect = command("Play on select", "", [this] { togglePlayOnSelect(); });
    c.playOnSelect->setCheckable(true);
    c.playOnSelect->setChecked(playOnSelect_);
    c.reload = command("Reload", "Ctrl+R", &frmQuodlinMain::reloadLists);
    c.reload->setShortcutContext(Qt::WindowShortcut);
    addAction(c.reload);
    // F6 works wherever the card list has the focus, as the other list keys do.
    lstSmartMedia->addAction(c.moveOnCard);

    const std::pair<QPushButton*, QAction*> buttons[] = {
        {cmdToSM, c.copyToCard},           {cmdFromSM, c.copyFromCard},
        {cmdDelPC, c.deleteOnComputer},    {cmdDelSM, c.deleteOnCard},
        {cmdNamePC, c.renameOnComputer},   {cmdNameSM, c.renameOnCard},
        {cmdInvSelPC, c.invertOnComputer}, {cmdInvSelSM, c.invertOnCard}};
    for (const auto& [button, action] : buttons) {
        connect(button, &QPushButton::clicked, action, &QAction::trigger);
    }
}

// Every command on a list's selection is on its keys and in its menu.
void frmQuodlinMain::connectKeysAndMenus() {
    const Commands& c = commands_;
    const auto stop = [this] { StopAndClose(player()); };
    const auto playing = [this] { return player().isPlaying(); };
    // With "Play on select", moving through a list with the keys auditions each sample.
    const auto audition = [this](QAction* play) {
        return [this, play] {
            if (playOnSelect_) play->trigger();
        };
    };
    new ListKeys(FileList, {c.copyToCard, c.deleteOnComputer, c.renameOnComputer, c.playOnComputer,
                            lstSmartMedia, playing, stop, audition(c.playOnComputer)});
    new ListKeys(lstSmartMedia, {c.copyFromCard, c.deleteOnCard, c.renameOnCard, c.playOnCard,
                                 FileList, playing, stop, audition(c.playOnCard)});
    new ListMenu(FileList, QStringLiteral("computerMenu"),
                 {c.copyToCard, c.deleteOnComputer, c.renameOnComputer, c.playOnComputer, c.stop,
                  c.playOnSelect, c.invertOnComputer, nullptr, c.reload});
    new ListMenu(lstSmartMedia, QStringLiteral("cardMenu"),
                 {c.copyFromCard, c.deleteOnCard, c.renameOnCard, c.moveOnCard, c.playOnCard,
                  c.stop, c.playOnSelect, c.invertOnCard, nullptr, c.backUp, c.restore, c.rescue,
                  c.check, c.checkReading, c.showInFileManager, nullptr, c.reload});
}

}  // namespace quodlin
