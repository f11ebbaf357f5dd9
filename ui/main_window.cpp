#include "ui/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileSystemWatcher>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QProgressDialog>
#include <QPushButton>
#include <QStyleOptionTabWidgetFrame>
#include <QTabBar>
#include <QTextBrowser>
#include <QTimer>
#include <utility>

#include "core/card/card_use.h"
#include "core/messages/messages.h"
#include "core/shell/shaping_settings.h"
#include "core/shell/shell_messages.h"
#include "core/text/text_functions.h"
#include "platform/qt/mount_watcher.h"
#include "ui/dir_dialog.h"
#include "ui/help/help_file.h"
#include "ui/help/help_page.h"
#include "ui/lists/cached_sample_formats.h"
#include "ui/lists/card_list_box.h"
#include "ui/lists/drive_list_box.h"
#include "ui/lists/file_list_box.h"
#include "ui/lists/format_hints.h"
#include "ui/lists/selection_summary.h"
#include "ui/pane/sample_pane.h"
#include "ui/rename_dialog.h"
#include "ui/running/card_work.h"
#include "ui/running/run_action.h"
#include "ui/running/wav_player.h"
#include "ui/widgets/elided_label.h"
#include "ui/widgets/program_icon.h"

namespace quodlin {
namespace {

constexpr const char* kWindowSection = "Window";
constexpr const char* kGeometryKey = "Geometry";
constexpr const char* kPreviewSection = "Preview";
constexpr const char* kPlayOnSelectKey = "PlayOnSelect";

}  // namespace

frmQuodlinMain::frmQuodlinMain(MainWindowParts parts)
    : parts_(std::move(parts)),
      cachedFormats_(parts_.sampleFormats != nullptr ? std::make_unique<CachedSampleFormats>(
                                                           *parts_.sampleFormats, parts_.fileSystem)
                                                     : nullptr),
      card_(parts_.fileSystem) {
    parts_.sampleFormats = cachedFormats_.get();
    work_ = new CardWork(parts_.prompt, this);
    setObjectName("frmQuodlinMain");
    setWindowTitle("Korg Electribe ES1 - Velmark 0.8 beta");
    setWindowIcon(ProgramIcon());
    buildControls();
    restoreWindowPlace();
    playOnSelect_ =
        parts_.settings.read(kSettingsApplication, kPreviewSection, kPlayOnSelectKey, "0") == "1";
    // Start-up fills the lists: their format hints are in place before.
    connectHandlers();
    connectWatchers();
    StartUp(directories_, *this, parts_.settings, prompt(), parts_.fallbackDirectory);
    // Without a remembered card, the one card in the reader is found without help.
    lastCardRoot_ =
        parts_.settings.read(kSettingsApplication, kSettingsSection, kSmartMediaKey, "");
    if (card_.cardRoot().empty() && !WasChosenCard(lastCardRoot_, parts_.fallbackDirectory)) {
        RunAction(prompt(), [&] { openLikelyCard(); });
    }
    if (!card_.cardRoot().empty()) lastCardRoot_ = card_.cardRoot();
}

// The worker goes first: a run still reading the card uses the card side and the parts, which
// go before the window's children would.
frmQuodlinMain::~frmQuodlinMain() {
    delete work_;
}

void frmQuodlinMain::connectHandlers() {
    connect(TabStrip, &QTabBar::currentChanged, this, guarded(&frmQuodlinMain::TabStrip_Click));
    connect(smDrive, &DriveListBox::driveChosen, this, guarded(&frmQuodlinMain::smDrive_Change));
    connect(smDrive, &DriveListBox::otherFolderWanted, this,
            guarded(&frmQuodlinMain::smDrive_OtherFolder));
    connect(smDrive, &DriveListBox::cardImageWanted, this,
            guarded(&frmQuodlinMain::smDrive_CardImage));
    if (parts_.cardImages) smDrive->offerCardImages();
    // Noticed during a run too: the handler waits for the run's end by itself.
    connect(new MountWatcher(this), &MountWatcher::mountsChanged, this,
            [this] { RunAction(prompt(), [this] { mountsChanged(); }); });
    connect(work_, &CardWork::busyChanged, this, &frmQuodlinMain::enableWhileWorking);
    connect(cmdPathSelect, &QPushButton::clicked, this,
            guarded(&frmQuodlinMain::cmdPathSelect_Click));

    createCommands();
    connect(lstSmartMedia, &QListWidget::itemDoubleClicked, this,
            guarded(&frmQuodlinMain::lstSmartMedia_DblClick));
    connect(FileList, &QListWidget::itemDoubleClicked, this,
            guarded(&frmQuodlinMain::FileList_DblClick));
    connect(lstSmartMedia, &CardListBox::filesDropped, this,
            [this](const std::vector<std::string>& paths) {
                if (!working()) RunAction(prompt(), [&] { filesDroppedOnCard(paths); });
            });
    connect(FileList, &FileListBox::cardRowsDropped, this,
            guarded(&frmQuodlinMain::cmdFromSM_Click));
    connectKeysAndMenus();
    connectShortcuts();

    connect(FileList, &QListWidget::itemSelectionChanged, this, [this] {
        showSelection(selectedComputerPaths());
        showInPane(FileList);
    });
    // While a run works the card's table may change under the list: the lines under it follow
    // when the run has shown its result.
    connect(lstSmartMedia, &QListWidget::itemSelectionChanged, this, [this] {
        if (working()) return;
        std::vector<std::string> paths;
        for (const CardEntry& entry : selectedCardEntries()) {
            paths.push_back(JoinNative(card_.cardRoot(), entry.fileName));
        }
        showSelection(paths);
        showInPane(lstSmartMedia);
    });
    connect(fraSample, &SamplePane::playFromWanted, this, [this](double seconds) {
        if (!working()) RunAction(prompt(), [&] { paneClicked(seconds); });
    });
    fraSample->setShaping(ReadShaping(parts_.settings));
    // Both lists show each sample's format in its tool tip once it has been read.
    if (parts_.sampleFormats == nullptr) return;
    selectionSummary_ = new SelectionSummary(
        *parts_.sampleFormats,
        [this](const std::string& text) {
            lblSelection->setFullText(QString::fromStdString(text));
        },
        this);
    const auto samplesShown = [this] { return SelectedTab() == Tab::Samples && !working(); };
    new FormatHints(
        FileList, *parts_.sampleFormats,
        [this](int row) { return JoinNative(FileList->directory(), FileList->name(row)); },
        samplesShown, true);
    new FormatHints(
        lstSmartMedia, *parts_.sampleFormats, [this](int row) { return cardPathOfRow(row); },
        samplesShown, false);
}

// An action asked for during a reload runs once the reload is done; during a run the user
// started, the controls are disabled and a key does nothing.
std::function<void()> frmQuodlinMain::guarded(void (frmQuodlinMain::*handler)()) {
    return [this, handler] {
        work_->whenIdle([this, handler] { RunAction(prompt(), [&] { (this->*handler)(); }); });
    };
}

// Playing on select is off at first and remembered between runs.
void frmQuodlinMain::togglePlayOnSelect() {
    playOnSelect_ = commands_.playOnSelect->isChecked();
    try {
        parts_.settings.write(kSettingsApplication, kPreviewSection, kPlayOnSelectKey,
                              playOnSelect_ ? "1" : "0");
    } catch (const SettingsError&) {
        // Then it holds for this session only.
    }
}

// The lists follow the disk: changes made outside the program, and Ctrl+R, reload both lists once
// the action in progress has ended.
void frmQuodlinMain::connectWatchers() {
    diskWatcher_ = new QFileSystemWatcher(this);
    reloadTimer_ = new QTimer(this);
    // Many changes in a row, as a copy makes, give one reload.
    reloadTimer_->setSingleShot(true);
    reloadTimer_->setInterval(200);
    connect(diskWatcher_, &QFileSystemWatcher::directoryChanged, this, [this](const QString& dir) {
        changedFolders_.insert(dir);
        reloadTimer_->start();
    });
    connect(reloadTimer_, &QTimer::timeout, this, guarded(&frmQuodlinMain::reloadWhenIdle));
    watchFolders();
}

Tab frmQuodlinMain::SelectedTab() const {
    return static_cast<Tab>(TabStrip->currentIndex() + 1);
}

void frmQuodlinMain::selectFirstTab() {
    TabStrip->setCurrentIndex(0);
    selectTab();
    reloadCard();
}

// The other mode's list is read on the worker; until it is there the list shows nothing.
void frmQuodlinMain::TabStrip_Click() {
    if (!selectTab()) return;
    lstSmartMedia->clear();
    rereadCard(true);
}

// The help page leaves the work page as it was: it is hidden, and the next mode tab refills it.
bool frmQuodlinMain::selectTab() {
    const Tab tab = SelectedTab();
    directories_.selectTab(tab);
    const bool help = tab == Tab::Help;
    MainFrame->setVisible(!help);
    HelpFrame->setVisible(help);
    // Only samples have a sound to show.
    fraSample->setVisible(tab == Tab::Samples);
    if (help) {
        fraSample->showNothing();
        const QString helpFile = HelpFilePath(parts_.programDirectory);
        ReportHelpFileIfAsked(helpFile, ShowHelpFile(*rtfNames, helpFile));
        return false;
    }
    WavPlayer->setVisible(tab == Tab::Samples);
    if (tab != Tab::Samples) fraSample->showNothing();
    showDirectory();
    card_.setMode(directories_.mode);
    return true;
}

void frmQuodlinMain::watchFolders() {
    if (diskWatcher_ == nullptr) return;
    QStringList wanted;
    for (const std::string& dir : {FileList->directory(), card_.cardRoot()}) {
        if (!dir.empty()) wanted << QString::fromStdString(dir);
    }
    if (diskWatcher_->directories() == wanted) return;
    stopWatching();
    if (!wanted.isEmpty()) diskWatcher_->addPaths(wanted);
}

void frmQuodlinMain::stopWatching() {
    if (diskWatcher_ != nullptr && !diskWatcher_->directories().isEmpty()) {
        diskWatcher_->removePaths(diskWatcher_->directories());
    }
}

// A question or a progress box is open: an action is running, and the lists wait for its end.
// Only the side that changed is read again: a slow card is not read for a change on the computer.
void frmQuodlinMain::reloadWhenIdle() {
    if (QApplication::activeModalWidget() != nullptr || working()) {
        reloadTimer_->start();
        return;
    }
    const QSet<QString> changed = std::exchange(changedFolders_, {});
    if (SelectedTab() == Tab::Help) return;
    if (changed.contains(QString::fromStdString(FileList->directory()))) refreshFileList();
    if (changed.contains(QString::fromStdString(card_.cardRoot()))) rereadCard(false);
}

void frmQuodlinMain::reloadLists() {
    if (SelectedTab() == Tab::Help) return;
    refreshFileList();
    // A card that went away is dropped by the list itself; one that cannot be read shows empty
    // until it can.
    rereadCard(false);
}

void frmQuodlinMain::showStatus(const std::string& text) {
    lblStatus->setFullText(QString::fromStdString(text));
}

// Shows what the files selected in a list hold.
void frmQuodlinMain::showSelection(const std::vector<std::string>& paths) {
    if (selectionSummary_ != nullptr) selectionSummary_->summarize(paths);
}

// The window's own place is remembered between runs.
void frmQuodlinMain::restoreWindowPlace() {
    const std::string saved =
        parts_.settings.read(kSettingsApplication, kWindowSection, kGeometryKey, "");
    if (!saved.empty()) restoreGeometry(QByteArray::fromBase64(QByteArray::fromStdString(saved)));
}

SettingsValue frmQuodlinMain::windowPlace() const {
    return {kWindowSection, kGeometryKey, saveGeometry().toBase64().toStdString()};
}

// Closing is never refused: a run that works is canceled first, and the window closes when
// the run has ended, with the card as the run left it.
void frmQuodlinMain::closeEvent(QCloseEvent* event) {
    if (working()) {
        closeWhenDone_ = true;
        for (QProgressDialog* progress : findChildren<QProgressDialog*>()) progress->cancel();
        event->ignore();
        return;
    }
    Form_Unload();
    event->accept();
}

void frmQuodlinMain::enableWhileWorking(bool working) {
    for (QWidget* control : std::initializer_list<QWidget*>{
             TabStrip, cmdPathSelect, smDrive, cmdToSM, cmdFromSM, cmdDelPC, cmdDelSM, cmdNamePC,
             cmdNameSM, cmdInvSelPC, cmdInvSelSM}) {
        control->setEnabled(!working);
    }
    showWhetherWritable();
    if (!working && closeWhenDone_) close();
}

void frmQuodlinMain::Form_Unload() {
    // The kernel lets go of a watch some time after it is removed, and closing the watcher
    // waits for that: removed first, they go while the settings are stored.
    stopWatching();
    try {
        // Without a card the one remembered stays remembered, for when it is back.
        const std::string card =
            smDrive->currentRoot().empty()
                ? parts_.settings.read(kSettingsApplication, kSettingsSection, kSmartMediaKey, "")
                : smDrive->currentRoot();
        ShutDown(directories_, card, parts_.settings, {windowPlace()});
    } catch (const SettingsError& error) {
        prompt().message(SettingsNotSaved(error.what()), MessageStyle::Exclamation);
    }
    player().command("Close");
}

// Draws the tab strip's page frame under the tabs, behind both pages.
void frmQuodlinMain::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QStyleOptionTabWidgetFrame frame;
    frame.initFrom(this);
    const QRect tabs = TabStrip->geometry();
    const int bottom = fraSample->geometry().top();
    frame.rect = QRect(tabs.left(), tabs.bottom() - 1, tabs.width(), bottom - tabs.bottom() - 1);
    frame.shape = QTabBar::RoundedNorth;
    frame.tabBarSize = TabStrip->sizeHint();
    frame.tabBarRect = QRect(QPoint(0, 0), frame.tabBarSize);
    frame.selectedTabRect = TabStrip->tabRect(TabStrip->currentIndex());
    style()->drawPrimitive(QStyle::PE_FrameTabWidget, &frame, &painter, this);
}

}  // namespace quodlin
