#pragma once

#include <QSet>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/archive/backup_verify.h"
#include "core/archive/card_backup.h"
#include "core/card/card_session.h"
#include "core/card/card_use.h"
#include "core/card/card_write.h"
#include "core/computer/directory_state.h"
#include "core/image/with_card_image.h"
#include "core/shell/startup.h"
#include "platform/file_system.h"
#include "platform/player.h"
#include "platform/prompt.h"
#include "platform/sample_converter.h"
#include "platform/sample_formats.h"
#include "platform/sample_overviews.h"
#include "platform/settings.h"
#include "platform/volumes.h"

class QAction;
class QFileSystemWatcher;
class QFrame;
class QTimer;
class QLabel;
class QListWidget;
class QPushButton;
class QStatusBar;
class QTabBar;
class QTextBrowser;

namespace quodlin {

class CardListBox;
class CardWork;
class DirDialog;
class DriveListBox;
class ElidedLabel;
class FileListBox;
class PlayMark;
class SelectionSummary;
class CachedSampleFormats;
class RunProgress;
class SamplePane;
class WavPlayer;
class frmRename;

// What the window works with; main() brings the real ones, tests their own.
struct MainWindowParts {
    FileSystem& fileSystem;
    Settings& settings;
    Volumes& volumes;
    Player& player;
    Prompt& prompt;
    std::string fallbackDirectory;  // stands in for a directory or card drive that cannot be used
    QString programDirectory;       // the help file is looked for from here
    int progressDelayMs = 350;      // how long a copy run goes on before it shows its progress
    SampleFormats* sampleFormats = nullptr;      // none: no formats in the lists' tool tips
    SampleConverter* sampleConverter = nullptr;  // none: copies to the card never convert
    SampleOverviews* sampleOverviews = nullptr;  // none: the sample pane draws no waveform
    // Where a card image is opened among the computer's files, which fileSystem must read
    // through; none: "Card image..." is not offered.
    WithCardImage* cardImages = nullptr;
    // Asks for a new name, offering the old one; none: the rename dialog asks the user.
    std::function<std::string(const std::string& name)> askName;
    // Asks the number a card file moves to, "" for Cancel; a box of Qt's when not given.
    std::function<std::string(const std::string& cardFile)> askNumber;
};

// The main window: the computer folder on the left, the card on the right, a tab per mode and
// one for help. Constructing it is the program's start-up; closing it stores the settings.
// The handlers of the controls are members: main_window.cpp connects them all, and the
// ui/window/main_window_*.cpp files keep them by theme.
class frmQuodlinMain : public QWidget, private StartupWindow {
    Q_OBJECT
public:
    explicit frmQuodlinMain(MainWindowParts parts);
    ~frmQuodlinMain() override;

    CardSide& card() { return card_; }
    // A run of the card's work is on its worker; what would change the card or the lists waits.
    bool working() const;
    FileSystem& fileSystem() override { return parts_.fileSystem; }
    Player& player() { return parts_.player; }
    Prompt& prompt() { return parts_.prompt; }
    // The mode is the selected tab, read from the tab strip whenever it is needed.
    Tab SelectedTab() const;

    // Reads the computer directory again; a failure is told to the user.
    void refreshFileList();
    // Refills the card list from the card side's lines.
    void showCardList();
    // Shows in the status bar what the last run did; the text stays until the next one.
    void showStatus(const std::string& text);
    void showSelection(const std::vector<std::string>& paths);

protected:
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // main_window_controls.cpp: the controls, their places and tab order.
    void buildControls();
    void buildStatusBar();
    void buildWorkPage();
    void buildHelpPage();
    void setTabOrder();

    // main_window.cpp: every connection, the tabs, the lists following the disk, start and end.
    void connectHandlers();
    void connectWatchers();
    void selectFirstTab() override;
    // Wraps handler so that it runs through RunAction, after the reload that works now.
    std::function<void()> guarded(void (frmQuodlinMain::*handler)());
    void TabStrip_Click();
    // Shows the tab chosen; false for the help page, which reads nothing of the card.
    bool selectTab();
    void watchFolders();
    void stopWatching();
    void reloadWhenIdle();
    void reloadLists();
    void togglePlayOnSelect();
    void restoreWindowPlace();
    SettingsValue windowPlace() const;
    void Form_Unload();
    void enableWhileWorking(bool working);

    // main_window_commands.cpp: one action per command, for its button, its key and its menu.
    QAction* command(const QString& text, const QString& key, std::function<void()> handler);
    QAction* command(const QString& text, const QString& key, void (frmQuodlinMain::*handler)());
    void createCommands();
    void connectKeysAndMenus();
    // main_window_shortcuts.cpp: a key for every control outside the lists.
    void connectShortcuts();

    // main_window_card.cpp: the card drive and the card list.
    void setCardDrive(const std::string& drive) override;
    void showNoCard() override;
    void reloadCard();
    // Reads the card again on the worker, as a slow reader takes its time; the preview plays on.
    // A card that cannot be read shows empty, and tellFailure says why.
    void rereadCard(bool tellFailure);
    // What the card list shows beside the table: whether the card is still there and its use.
    // Read on the worker at the end of each run, else by the list itself.
    struct CardSurvey {
        bool removed = false;
        // The card's use as it was last read; a card that could not be read has none.
        std::optional<CardUse> use;
    };
    CardSurvey surveyCard();
    std::function<void()> surveyedAfter(std::function<void()> work);
    void smDrive_Change();
    void smDrive_OtherFolder();
    void smDrive_CardImage();
    // Reads the card image at path as the card from now on; throws FileError when its map
    // cannot be read.
    void openCardImage(const std::string& path);
    // True when the card is a card image: what would change it is refused, saying why.
    bool cardIsImage() const;
    bool refusedAsImage();
    // Shows the card side's writing controls disabled, with why, while the card is an image.
    void showWhetherWritable();
    void mountsChanged();
    // Opens the card that CardToOpen finds among the mounted volumes, when there is one; with
    // several likely cards the card side says to choose.
    void openLikelyCard();
    // A card that went away is no longer the card; true when it was dropped. The caller shows
    // the list.
    bool dropCardIfRemoved();
    void dropCard();
    std::vector<CardEntry> selectedCardEntries() const;
    std::string cardPathOfRow(int row) const;

    // main_window_computer.cpp: the computer directory and its list.
    void showDirectory();
    void cmdPathSelect_Click();
    std::vector<std::string> selectedComputerPaths() const;

    // main_window_runs.cpp: the buttons' actions, drops and previews.
    // Stops the player and runs work on the worker, then done on the window's thread.
    void startRun(std::function<void()> work, std::function<void()> done);
    // A run on the worker asks its questions through this prompt.
    Prompt& runPrompt();
    // Asks for a new name in the middle of a run, on the window's thread.
    std::string askNameForRun(const std::string& name, const std::string& file);
    void cmdToSM_Click();
    void cmdFromSM_Click();
    void cmdDelPC_Click();
    void cmdDelSM_Click();
    void cmdNameSM_Click();
    void cmdNamePC_Click();
    void cmdInvSelPC_Click();
    void cmdInvSelSM_Click();
    void lstSmartMedia_DblClick();
    void FileList_DblClick();
    void copyToCard(const std::vector<std::string>& paths);
    void filesDroppedOnCard(const std::vector<std::string>& paths);
    void preview(const std::string& path, QListWidget* list, int row, const QString& name,
                 double fromSeconds = 0.0);
    // The pane shows the sample the list's selection points at: its current row when that is
    // selected, else its first selected row.
    void showInPane(QListWidget* list);
    void paneClicked(double seconds);
    // file says which file is renamed, in a line of the dialog's own.
    std::string askName(const std::string& name, const std::string& file);
    void cardMove_Click();
    void tellCardChange(
        const std::vector<CardEntry>& entries, const std::string& what,
        const std::function<bool(const CardEntry& before, const CardEntry* now)>& changed);
    // Sums up a copy run in the status bar.
    void summarize(const RunProgress& progress, bool toCard);

    // main_window_archive.cpp: the card list's context menu on the whole card.
    bool cardChosen();
    void cardBackUp_Click();
    void cardRestore_Click();
    void cardRescue_Click();
    using CardCopyRun = ArchiveResult (*)(CardSide&, const std::string&, RunObserver&);
    using CardCopyDoneText = std::string (*)(const ArchiveResult&, const std::string&);
    void copyCardInto(const char* question, const char* title, CardCopyRun run,
                      CardCopyDoneText doneText);
    void cardCheck_Click();
    void cardCheckReading_Click();
    void restoreFrom(const VerifiedBackup& backup);
    void checkCard(bool readEvery);
    void tellFindings(const std::vector<std::string>& findings);
    void offerToRemoveLeftovers(const Leftovers& leftovers);
    void cardShowInFileManager_Click();
    void finishArchiveRun(const ArchiveResult& result, const std::string& doneText);

    MainWindowParts parts_;
    // Every run on the card goes through this worker, one at a time; startRun stops the player
    // before it.
    CardWork* work_ = nullptr;
    // Every format the window reads goes through this, so that each file's is read once.
    std::unique_ptr<CachedSampleFormats> cachedFormats_;
    CardSession card_;
    std::string shownCardRoot_;
    std::optional<CardSurvey> survey_;
    // The card last opened, to be opened again by itself when it is mounted again.
    std::string lastCardRoot_;
    bool severalCards_ = false;
    bool closeWhenDone_ = false;
    bool playOnSelect_ = false;  // moving through a list with the keys plays each sample
    struct Commands {
        QAction* copyToCard = nullptr;
        QAction* deleteOnComputer = nullptr;
        QAction* renameOnComputer = nullptr;
        QAction* playOnComputer = nullptr;
        QAction* invertOnComputer = nullptr;
        QAction* copyFromCard = nullptr;
        QAction* deleteOnCard = nullptr;
        QAction* renameOnCard = nullptr;
        QAction* moveOnCard = nullptr;
        QAction* playOnCard = nullptr;
        QAction* invertOnCard = nullptr;
        QAction* backUp = nullptr;
        QAction* restore = nullptr;
        QAction* rescue = nullptr;
        QAction* check = nullptr;
        QAction* checkReading = nullptr;
        QAction* showInFileManager = nullptr;
        QAction* stop = nullptr;
        QAction* playOnSelect = nullptr;
        QAction* reload = nullptr;
    } commands_;
    DirectoryState directories_;

    // The controls, named as their objectName; the handlers reach them here.
    QTabBar* TabStrip = nullptr;
    QFrame* HelpFrame = nullptr;
    QLabel* Picture1 = nullptr;
    QStatusBar* stbStatus = nullptr;
    ElidedLabel* lblStatus = nullptr;
    ElidedLabel* lblSelection = nullptr;
    ElidedLabel* lblCardUse = nullptr;
    PlayMark* playMark_ = nullptr;
    SelectionSummary* selectionSummary_ = nullptr;  // none without sample formats
    SamplePane* fraSample = nullptr;
    QListWidget* paneList_ = nullptr;  // the list and row whose sample the pane shows
    int paneRow_ = -1;
    QFileSystemWatcher* diskWatcher_ = nullptr;
    QTimer* reloadTimer_ = nullptr;
    QSet<QString> changedFolders_;  // the watched folders changed since the last reload
    QTextBrowser* rtfNames = nullptr;
    QFrame* MainFrame = nullptr;
    QPushButton* cmdPathSelect = nullptr;
    DriveListBox* smDrive = nullptr;
    QLabel* Label1 = nullptr;
    FileListBox* FileList = nullptr;
    CardListBox* lstSmartMedia = nullptr;
    QPushButton* cmdInvSelPC = nullptr;
    QPushButton* cmdInvSelSM = nullptr;
    QPushButton* cmdNamePC = nullptr;
    QPushButton* cmdDelPC = nullptr;
    QPushButton* cmdToSM = nullptr;
    quodlin::WavPlayer* WavPlayer = nullptr;
    QPushButton* cmdFromSM = nullptr;
    QPushButton* cmdDelSM = nullptr;
    QPushButton* cmdNameSM = nullptr;
    quodlin::DirDialog* DirDialog = nullptr;
    quodlin::frmRename* frmRename = nullptr;
};

}  // namespace quodlin
