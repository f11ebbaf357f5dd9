#include "ui/main_window.h"

#include <QCloseEvent>
#include <QPainter>
#include <QStyleOptionTabWidgetFrame>
#include <QTabBar>

#include "core/shell_messages.h"
#include "ui/dir_dialog.h"
#include "ui/drive_list_box.h"
#include "ui/program_icon.h"
#include "ui/rename_dialog.h"

namespace quodlin {

frmQuodlinMain::frmQuodlinMain(MainWindowParts parts)
    : parts_(std::move(parts)), card_(parts_.fileSystem) {
    setObjectName("frmQuodlinMain");
    setWindowTitle("Korg Electribe ES1 - Velmark 0.8 beta");
    setWindowIcon(ProgramIcon());
    buildControls();
    addFormatHints();
    DirDialog = new quodlin::DirDialog(parts_.volumes, parts_.fileSystem, parts_.prompt, this);
    frmRename = new quodlin::frmRename(this);
    restoreWindowPlace();
    StartUp(directories_, *this, parts_.settings, parts_.prompt, parts_.fallbackDirectory);
    // Start-up selects the first tab itself; from here on the tab strip does.
    connectHandlers();
    connectWatchers();
}

frmQuodlinMain::~frmQuodlinMain() = default;

Tab frmQuodlinMain::SelectedTab() const {
    return static_cast<Tab>(TabStrip->currentIndex() + 1);
}

// Closing is never refused.
void frmQuodlinMain::closeEvent(QCloseEvent* event) {
    Form_Unload();
    event->accept();
}

void frmQuodlinMain::Form_Unload() {
    try {
        // Without a card the one remembered stays remembered, for when it is back.
        const std::string card =
            smDrive->currentRoot().empty()
                ? parts_.settings.read(kSettingsApplication, kSettingsSection, kSmartMediaKey, "")
                : smDrive->currentRoot();
        ShutDown(directories_, card, parts_.settings);
        saveWindowPlace();
    } catch (const SettingsError& error) {
        parts_.prompt.message(SettingsNotSaved(error.what()), MessageStyle::Exclamation);
    }
    parts_.player.command("Close");
}

// The tab strip's page area, under the tabs and behind both pages.
void frmQuodlinMain::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QStyleOptionTabWidgetFrame frame;
    frame.initFrom(this);
    const QRect tabs = TabStrip->geometry();
    frame.rect = QRect(tabs.left(), tabs.bottom() - 1, tabs.width(), height() - tabs.bottom() - 2);
    frame.shape = QTabBar::RoundedNorth;
    frame.tabBarSize = TabStrip->sizeHint();
    frame.tabBarRect = QRect(QPoint(0, 0), frame.tabBarSize);
    frame.selectedTabRect = TabStrip->tabRect(TabStrip->currentIndex());
    style()->drawPrimitive(QStyle::PE_FrameTabWidget, &frame, &painter, this);
}

}  // namespace quodlin
