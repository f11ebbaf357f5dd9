// The window's wiring: each control reaches its run with the right selection, and the lists show
// what the run left.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QProgressDialog>
#include <QPushButton>
#include <QStyleOptionComboBox>
#include <QTabBar>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QUrl>
#include <deque>
#include <filesystem>
#include <map>

#include "core/messages/messages.h"
#include "platform/local/no_sound.h"
#include "platform/qt/desktop_file_system.h"
#include "tests/support/fat_card.h"
#include "tests/support/faulty_file_system.h"
#include "tests/support/fixed_volumes.h"
#include "tests/support/memory_settings.h"
#include "tests/support/recording_player.h"
#include "tests/support/recording_prompt.h"
#include "tests/support/temp_dir.h"
#include "ui/lists/card_list_box.h"
#include "ui/lists/drive_list_box.h"
#include "ui/main_window.h"
#include "ui/pane/waveform_view.h"
#include "ui/widgets/elided_label.h"

namespace quodlin::test {
namespace {

using Rows = std::vector<std::string>;
const Rows kStopped = {"Stop", "Close"};
const Rows kHome = {"clap.wav", "snare.wav", "tom.low.wav"};
const Rows kCard = {"00.wav = Kick"};

// A main window on real directories, with settings, volumes, player and prompt of the test's
// own, and a card with one sample in its reader. The rename dialog's answers come from names.
class WindowTest : public ::testing::Test {
protected:
    WindowTest() {
        volumes.mounted = {{"/", "/", false}, {card.path(), "card", true}};
        settings.values["Quodlin/Default/SmartMedia"] = card.path();
        settings.values["Quodlin/Default/SampleDir"] = home.path();
        WriteBytes(card.file("00.wav"), "kick on card");
        WriteBytes(card.file("names.txt"), "[ES1 banks]\r\n\r\n[ES1 samples]\r\n00.wav=Kick\r\n");
        for (const char* name : {"clap.wav", "snare.wav", "tom.low.wav"}) {
            WriteBytes(home.file(name), std::string(4000, name[0]));
        }
    }
    frmQuodlinMain& open() {
        withImages = std::make_unique<WithCardImage>(countCalls ? static_cast<FileSystem&>(counting)
                                                                : fileSystem);
        MainWindowParts parts{*withImages, settings,    volumes,         player,
                              prompt,      home.path(), programDirectory};
        parts.cardImages = withImages.get();
        parts.progressDelayMs = progressDelayMs;
        parts.sampleOverviews = overviews;
        parts.sampleFormats = formats;
        parts.sampleConverter = formats ? &converter : nullptr;
        parts.askName = [this](const std::string& name) {
            namesAsked.push_back(name);
            const std::string answer = names.empty() ? name : names.front();
            if (!names.empty()) names.pop_front();
            return answer;
        };
        parts.askNumber = [this](const std::string&) { return numberAnswer; };
        window_ = std::make_unique<frmQuodlinMain>(parts);
        return *window_;
    }
    template <typename Control>
    Control* control(const char* name) const {
        return window_->findChild<Control*>(name);
    }
    QListWidget* list(const char* name) const { return control<QListWidget>(name); }
    Rows rows(const char* name) const {
        Rows all;
        for (int i = 0; i < list(name)->count(); ++i)
            all.push_back(list(name)->item(i)->text().toStdString());
        return all;
    }
    void select(const char* name, const std::vector<int>& rows) {
        list(name)->clearSelection();
        for (const int row : rows) list(name)->item(row)->setSelected(true);
    }
    // Acts on a list the way a user does: a button, a key on its current row, a double click.
    void act(const char* listName, const std::string& how) {
        QListWidget* target = list(listName);
        if (how.starts_with("cmd")) return click(how.c_str());
        target->setFocus();
        target->setCurrentRow(target->selectionModel()->selectedRows().front().row(),
                              QItemSelectionModel::NoUpdate);
        const QPoint at = target->visualItemRect(target->currentItem()).center();
        if (how == "DoubleClick") {
            QTest::mouseClick(target->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(target->viewport(), Qt::LeftButton, {}, at);
            return waitForRun();
        }
        const QKeyCombination key = QKeySequence(QString::fromStdString(how))[0];
        // A window's own keys reach only the active window.
        if (key.keyboardModifiers() != Qt::NoModifier) {
            window_->show();
            ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
        }
        QTest::keyClick(target, key.key(), key.keyboardModifiers());
        waitForRun();
    }
    void click(const char* button) {
        QTest::mouseClick(control<QPushButton>(button), Qt::LeftButton);
        waitForRun();
    }
    // The card's work runs on a worker; what it left shows once it ended.
    void waitForRun() const {
        ASSERT_TRUE(QTest::qWaitFor([this] { return !window_->working(); }, 10000));
    }

    int progressDelayMs = 500;
    QString programDirectory;
    SampleOverviews* overviews = nullptr;
    SampleFormats* formats = nullptr;
    NoSampleConverter converter;
    TempDir home;
    TempDir card;
    DesktopFileSystem fileSystem;
    // With countCalls the window works through counting, which counts what it reads.
    bool countCalls = false;
    FaultyFileSystem counting;
    std::unique_ptr<WithCardImage> withImages;
    MemorySettings settings;
    FixedVolumes volumes;
    RecordingPlayer player;
    RecordingPrompt prompt;
    std::deque<std::string> names;
    std::string numberAnswer;
    Rows namesAsked;
    std::unique_ptr<frmQuodlinMain> window_;
};

// A copy lists the card and reads names.txt once to plan and once to show what it left: the
// window knows the changes its watcher sees for its own and does not read the card a third time.
TEST_F(WindowTest, ACopyOfThreeSamplesReadsTheCardTwice) {
    countCalls = true;
    open();
    waitForRun();
    const int lists = counting.count(Op::List);
    const int reads = counting.opened("names.txt");
    select("FileList", {0, 1, 2});
    click("cmdToSM");
    // Longer than the watcher waits before it reloads.
    QTest::qWait(600);
    waitForRun();
    EXPECT_EQ(rows("lstSmartMedia"),
              (Rows{"00.wav = Kick", "01.wav = clap", "02.wav = snare", "03.wav = tom"}));
    EXPECT_EQ(counting.count(Op::List) - lists, 2);
    EXPECT_EQ(counting.opened("names.txt") - reads, 2);
}

struct Wiring {
    const char* list;
    std::vector<int> selected;
    const char* action;
    std::deque<std::string> names;
    Rows fileRows;
    Rows cardRows;
    const char* status;            // how the status line begins after it
    const char* played = nullptr;  // the file previewed in the list's folder; none: only stopped
};

void PrintTo(const Wiring& c, std::ostream* os) {
    *os << c.action << " on " << c.list;
}

class WiringTest : public WindowTest, public ::testing::WithParamInterface<Wiring> {};

TEST_P(WiringTest, TheActionRunsOnTheSelectionAndTheListsFollow) {
    const Wiring& c = GetParam();
    open();
    names = c.names;
    prompt.answers = {true};
    select(c.list, c.selected);
    act(c.list, c.action);
    EXPECT_EQ(rows("FileList"), c.fileRows);
    EXPECT_EQ(rows("lstSmartMedia"), c.cardRows);
    const std::string folder = std::string(c.list) == "FileList" ? home.path() : card.path();
    Rows calls = kStopped;
    if (c.played != nullptr) {
        calls.insert(calls.end(), {"FileName " + folder + "/" + c.played, "Open", "Play"});
    }
    EXPECT_EQ(player.calls, calls);
    const QString status = control<ElidedLabel>("lblStatus")->fullText();
    EXPECT_TRUE(status.startsWith(c.status)) << status.toStdString();
    EXPECT_TRUE(names.empty());
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Window, WiringTest, ::testing::Values(
    Wiring{"FileList", {1, 2}, "cmdToSM", {}, kHome, {"00.wav = Kick", "01.wav = snare", "02.wav = tom"}, "2 samples copied to the card"},
    Wiring{"FileList", {1, 2}, "F5", {}, kHome, {"00.wav = Kick", "01.wav = snare", "02.wav = tom"}, "2 samples copied to the card"},
    Wiring{"FileList", {1, 2}, "Ctrl+F5", {}, kHome, {"00.wav = Kick", "01.wav = snare", "02.wav = tom"}, "2 samples copied to the card"},
    Wiring{"lstSmartMedia", {0}, "cmdFromSM", {}, {"clap.wav", "Kick.wav", "snare.wav", "tom.low.wav"}, kCard, "1 sample copied to the computer"},
    Wiring{"lstSmartMedia", {0}, "F5", {}, {"clap.wav", "Kick.wav", "snare.wav", "tom.low.wav"}, kCard, "1 sample copied to the computer"},
    Wiring{"lstSmartMedia", {0}, "Ctrl+Shift+F5", {}, {"clap.wav", "Kick.wav", "snare.wav", "tom.low.wav"}, kCard, "1 sample copied to the computer"},
    Wiring{"lstSmartMedia", {0}, "cmdDelSM", {}, kHome, {}, "1 sample deleted from the card"},
    Wiring{"lstSmartMedia", {0}, "Delete", {}, kHome, {}, "1 sample deleted from the card"},
    Wiring{"lstSmartMedia", {0}, "Ctrl+Shift+F8", {}, kHome, {}, "1 sample deleted from the card"},
    Wiring{"FileList", {0, 2}, "F8", {}, {"snare.wav"}, kCard, "2 files deleted on the computer"},
    Wiring{"FileList", {0, 2}, "Ctrl+F8", {}, {"snare.wav"}, kCard, "2 files deleted on the computer"},
    Wiring{"lstSmartMedia", {0}, "cmdNameSM", {"Bass drum"}, kHome, {"00.wav = Bass drum"}, "1 sample renamed on the card"},
    Wiring{"lstSmartMedia", {0}, "F2", {"Snare roll"}, kHome, {"00.wav = Snare roll"}, "1 sample renamed on the card"},
    Wiring{"lstSmartMedia", {0}, "Ctrl+Shift+F2", {"Snare roll"}, kHome, {"00.wav = Snare roll"}, "1 sample renamed on the card"},
    Wiring{"FileList", {0}, "cmdNamePC", {"zap.wav"}, {"snare.wav", "tom.low.wav", "zap.wav"}, kCard, "1 file renamed on the computer"},
    Wiring{"FileList", {1}, "F2", {"zap.wav"}, {"clap.wav", "tom.low.wav", "zap.wav"}, kCard, "1 file renamed on the computer"},
    Wiring{"FileList", {1}, "Ctrl+F2", {"zap.wav"}, {"clap.wav", "tom.low.wav", "zap.wav"}, kCard, "1 file renamed on the computer"},
    Wiring{"FileList", {1}, "Return", {}, kHome, kCard, "Playing '", "snare.wav"},
    Wiring{"FileList", {2}, "DoubleClick", {}, kHome, kCard, "Playing '", "tom.low.wav"},
    Wiring{"lstSmartMedia", {0}, "Return", {}, kHome, kCard, "Playing '", "00.wav"},
    Wiring{"lstSmartMedia", {0}, "DoubleClick", {}, kHome, kCard, "Playing '", "00.wav"}));
// clang-format on

// Every sample on the computer is a second of 32 kHz 16-bit mono; none on the card is sound.
class FixedOverviews : public SampleOverviews, public SampleFormats {
public:
    explicit FixedOverviews(std::string cardRoot) : cardRoot_(std::move(cardRoot)) {}
    SampleFormat read(const std::string& path) override {
        if (path.starts_with(cardRoot_)) return {false, "", "", 0, 0, 0, 0, 12};
        return {true, "wav", "pcm", 32000, 16, 1, 32000, 4000};
    }
    SampleOverview read(const std::string& path, int columns, const StillWanted&) override {
        const SampleFormat format = read(path);
        if (!format.readable) return {format, {}, "Not sound."};
        return {format, {1, columns, std::vector<Peak>(std::size_t(columns), {-0.5f, 0.5f})}, ""};
    }

private:
    std::string cardRoot_;
};

TEST_F(WindowTest, ThePaneShowsTheSelectedSampleAndAClickInItPlaysFromThere) {
    FixedOverviews fixed(card.path());
    overviews = &fixed;
    formats = &fixed;
    open().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
    const auto line = [this](const char* name) {
        return control<ElidedLabel>(name)->fullText().toStdString();
    };
    const auto waitFor = [&](const std::string& text) {
        return QTest::qWaitFor([&] { return line("lblSampleSize").ends_with(text); });
    };
    select("FileList", {1});
    ASSERT_TRUE(waitFor("4 kB on the card as copied")) << line("lblSampleSize");
    EXPECT_EQ(line("lblSampleFormat"), "32000 Hz · 16-bit · mono · 1.00 s · 4 kB · ready");
    QWidget* wave = window_->findChild<QWidget*>("picWaveform");
    QTest::mouseClick(wave, Qt::LeftButton, {}, QPoint(wave->width() / 4, wave->height() / 2));
    EXPECT_EQ(player.calls.back(), "Play from 0.25");
    EXPECT_EQ(player.calls.at(player.calls.size() - 3), "FileName " + home.file("snare.wav"));
    select("lstSmartMedia", {0});
    ASSERT_TRUE(waitFor("12 bytes on the card"));
    EXPECT_EQ(line("lblSampleFormat"), "not a sound file · 12 bytes");
    select("FileList", {0, 1, 2});
    const std::string selection = "3 selected · 12 kB · 3.00 s · 192 kB in the ES1";
    EXPECT_TRUE(QTest::qWaitFor([&] { return line("lblSelection") == selection; }))
        << line("lblSelection");
}

TEST_F(WindowTest, TheHelpTabShowsTheHelpBesideTheProgramWithItsPicture) {
    WriteBytes(home.file("readme.rtf"),
               "{\\rtf1 Keys: F5 copies.\\par F5\\tab plays.\\line Ctrl+Shift+Delete\\tab wipes.}");
    programDirectory = QString::fromStdString(home.path());
    open().show();
    EXPECT_FALSE(window_->windowIcon().pixmap(48).isNull());
    control<QTabBar>("TabStrip")->setCurrentIndex(2);
    waitForRun();
    auto* help = control<QTextBrowser>("rtfNames");
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->toPlainText().startsWith("Keys: F5 copies.\n"))
        << help->toPlainText().toStdString();
    // What a key does starts at one place, however long the key.
    const auto start = [help](const char* word) {
        QTextCursor at = help->document()->find(word);
        at.setPosition(at.selectionStart());
        return help->cursorRect(at).left();
    };
    EXPECT_EQ(start("plays"), start("wipes"));
    EXPECT_FALSE(control<QLabel>("Picture1")->pixmap().isNull());
    // The lists show on the samples and banks tabs, the sample pane on the first alone.
    for (const int tab : {2, 1, 0}) {
        control<QTabBar>("TabStrip")->setCurrentIndex(tab);
        waitForRun();
        EXPECT_EQ(list("FileList")->isVisible(), tab != 2) << tab;
        EXPECT_EQ(control<QWidget>("fraSample")->isVisible(), tab == 0) << tab;
        EXPECT_EQ(help->isVisible(), tab == 2) << tab;
    }
}

TEST_F(WindowTest, TheShapingLastChosenIsOfferedForReadySamples) {
    FixedOverviews fixed(card.path());
    formats = &fixed;
    settings.values["Quodlin/Prepare/Mono"] = "1";
    open();
    select("FileList", {0});
    act("FileList", "F5");
    ASSERT_EQ(prompt.shapingsOffered.size(), 1u);
    EXPECT_TRUE(prompt.shapingsOffered[0].mono);
    EXPECT_FALSE(prompt.shapingsOffered[0].eightBit);
}

// What happens while a run on the worker waits for its question: the user cancels, pulls the
// card, or only answers Yes or No.
struct MidRun {
    const char* meanwhile;
    Rows copied;
    const char* status;
    Rows messages;
};

void PrintTo(const MidRun& c, std::ostream* os) {
    *os << c.meanwhile;
}

class MidRunTest : public WindowTest, public ::testing::WithParamInterface<MidRun> {};

// Three card samples to the computer, where the second is there already: the run asks, only once
// the player is stopped, on the window's thread and waits; its progress box shows where it is,
// and the window acts meanwhile.
TEST_P(MidRunTest, ARunOnTheWorkerWaitsForItsQuestionAndSeesWhatHappenedMeanwhile) {
    const MidRun& c = GetParam();
    WriteBytes(card.file("01.wav"), "snare on card");
    WriteBytes(card.file("02.wav"), "tom on card");
    WriteBytes(card.file("names.txt"),
               "[ES1 banks]\r\n\r\n[ES1 samples]\r\n00.wav=Kick\r\n01.wav=Snare\r\n02.wav=Tom\r\n");
    WriteBytes(home.file("Snare.wav"), "mine");
    progressDelayMs = 0;
    open().show();
    prompt.answers = {c.meanwhile != std::string("no")};
    std::string label;
    bool working = false;
    Rows callsAtQuestion;
    prompt.onQuestion = [&](const std::string&) {
        working = window_->working();
        callsAtQuestion = player.calls;
        auto* box = window_->findChild<QProgressDialog*>();
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return box->isVisible() && box->labelText().startsWith("File 2"); }));
        label = box->labelText().toStdString();
        if (c.meanwhile == std::string("cancel")) box->findChild<QPushButton*>()->click();
        if (c.meanwhile == std::string("pull")) {
            std::filesystem::rename(card.path(), card.path() + ".pulled");
        }
    };
    select("lstSmartMedia", {0, 1, 2});
    click("cmdFromSM");
    EXPECT_TRUE(working);
    EXPECT_EQ(callsAtQuestion, kStopped);
    EXPECT_EQ(prompt.questions, Rows{"Overwrite '" + home.file("Snare.wav") + "'?"});
    EXPECT_EQ(label, "File 2 of 3: 01.wav");
    Rows copied;
    for (const char* name : {"Kick.wav", "Snare.wav", "Tom.wav"}) {
        if (Exists(home.file(name)) && ReadBytes(home.file(name)).ends_with("on card")) {
            copied.push_back(name);
        }
    }
    EXPECT_EQ(copied, c.copied);
    EXPECT_TRUE(Exists(home.file("Snare.wav"))) << "the file there before is never lost";
    EXPECT_EQ(control<ElidedLabel>("lblStatus")->fullText().toStdString(), c.status);
    EXPECT_EQ(prompt.messages, c.messages);
    if (c.meanwhile == std::string("pull")) {
        std::filesystem::rename(card.path() + ".pulled", card.path());
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Window, MidRunTest, ::testing::Values(
    MidRun{"yes", {"Kick.wav", "Snare.wav", "Tom.wav"}, "3 samples copied to the computer", {}},
    MidRun{"no", {"Kick.wav", "Tom.wav"}, "2 samples copied to the computer, 1 skipped", {}},
    MidRun{"cancel", {"Kick.wav"}, "Copying to the computer stopped after 1 of 3 samples", {}},
    MidRun{"pull", {"Kick.wav"}, "Copying to the computer stopped after 1 of 3 samples", {"The card was removed."}}));
// clang-format on

void Drop(QAbstractItemView* target, QMimeData* mime) {
    const QPoint at = target->viewport()->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target->viewport(), &enter);
    QDropEvent drop(QPointF(at), Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target->viewport(), &drop);
    delete mime;
}

QMimeData* DragOutOf(QListWidget* list) {
    return list->model()->mimeData(list->selectionModel()->selectedIndexes());
}

// A name from an archive made on Windows is shown and copied as Windows-1252.
TEST_F(WindowTest, DroppedFilesGoToTheCardAndCardRowsToTheComputer) {
    WriteBytes(home.file("caf\xE9.wav"), "latin");
    WriteBytes(home.file("song.es1"), "bank");
    open();
    select("FileList", {0});
    Drop(list("lstSmartMedia"), DragOutOf(list("FileList")));
    waitForRun();
    EXPECT_EQ(rows("lstSmartMedia"), (Rows{"00.wav = Kick", "01.wav = caf\u00E9"}));
    // From the desktop's file manager: one of another kind among them.
    auto* desktop = new QMimeData;
    desktop->setUrls({QUrl::fromLocalFile(QString::fromStdString(home.file("song.es1"))),
                      QUrl::fromLocalFile(QString::fromStdString(home.file("clap.wav")))});
    Drop(list("lstSmartMedia"), desktop);
    waitForRun();
    EXPECT_EQ(prompt.messages, Rows{NotOfMode({"song.es1"}, Mode::Samples)});
    EXPECT_EQ(rows("lstSmartMedia").back(), "02.wav = clap");
    select("lstSmartMedia", {0});
    Drop(list("FileList"), DragOutOf(list("lstSmartMedia")));
    waitForRun();
    EXPECT_EQ(ReadBytes(home.file("Kick.wav")), "kick on card");
}

// The rename dialog is offered a name's own bytes; an answer that keeps them renames nothing.
TEST_F(WindowTest, AFileNameThatIsNotUtf8KeepsItsBytes) {
    WriteBytes(home.file("caf\xE9.wav"), "latin");
    open();
    select("FileList", {0});
    names = {"caf\xE9.wav", "Caf\u00E9 2.wav"};
    click("cmdNamePC");
    EXPECT_TRUE(Exists(home.file("caf\xE9.wav")));
    click("cmdNamePC");
    EXPECT_EQ(namesAsked, (Rows{"caf\xE9.wav", "caf\xE9.wav"}));
    EXPECT_EQ(ReadBytes(home.file("Caf\u00E9 2.wav")), "latin");
    EXPECT_TRUE(prompt.messages.empty());
}

// Changes made outside the program reach both lists; Ctrl+R reloads at once.
TEST_F(WindowTest, TheListsFollowTheDisk) {
    open().show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    WriteBytes(home.file("added.wav"), "x");
    WriteBytes(card.file("07.wav"), "y");
    EXPECT_TRUE(QTest::qWaitFor([&] { return rows("FileList").size() == 4; }, 5000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return rows("lstSmartMedia").size() == 2; }, 5000));
    std::filesystem::remove(home.file("added.wav"));
    QTest::keyClick(list("FileList"), Qt::Key_R, Qt::ControlModifier);
    waitForRun();
    EXPECT_EQ(rows("FileList"), kHome);
    // A key pressed while a reload reads the card waits for it, and a reload asked after the key
    // does not take its place.
    select("lstSmartMedia", {0});
    list("lstSmartMedia")->setFocus();
    names = {"Kick 2"};
    QTest::keyClick(list("FileList"), Qt::Key_R, Qt::ControlModifier);
    QTest::keyClick(list("lstSmartMedia"), Qt::Key_F2);
    QTest::keyClick(list("FileList"), Qt::Key_R, Qt::ControlModifier);
    waitForRun();
    EXPECT_EQ(namesAsked, Rows{"Kick"});
}

TEST_F(WindowTest, AReloadKeepsALargeSelectionWhole) {
    for (int n = 0; n < 5000; ++n) WriteBytes(home.file("loop" + std::to_string(n) + ".wav"), "x");
    open();
    QListWidget* files = list("FileList");
    files->selectAll();
    files->item(0)->setSelected(false);
    QTest::keyClick(files, Qt::Key_R, Qt::ControlModifier);
    waitForRun();
    ASSERT_EQ(files->count(), 5003);
    EXPECT_EQ(files->selectionModel()->selectedRows().size(), 5002);
    EXPECT_FALSE(files->item(0)->isSelected());
    EXPECT_TRUE(files->item(5002)->isSelected());
}

// The window lives on after a run that the card's pull ended: what the run left is offered for
// removal by the check, and goes when the user says yes.
TEST_F(WindowTest, TheCheckRemovesWhatEndedRunsLeft) {
    open();
    WriteBytes(card.file(".quodlin-1-999999r3-0.part"), std::string(2000, 'p'));
    prompt.answers = {true};
    for (QAction* action : control<QMenu>("cardMenu")->actions()) {
        if (action->text() == "Check card") action->trigger();
    }
    waitForRun();
    EXPECT_EQ(prompt.questions, Rows{"Remove 1 leftover file (2 kB)?"});
    EXPECT_FALSE(std::filesystem::exists(card.file(".quodlin-1-999999r3-0.part")));
}

TEST_F(WindowTest, ACopyTellsBeforeItStartsWhenNotEveryFileCanHaveANumber) {
    for (int n = 1; n < 99; ++n) WriteBytes(card.file(CardFileName(Mode::Samples, n)), "taken");
    open();
    list("FileList")->selectAll();
    prompt.answers = {false};
    click("cmdToSM");
    EXPECT_EQ(prompt.questions,
              Rows{"Only 2 numbers are free on the card: the first 2 samples will be copied."});
    EXPECT_FALSE(Exists(card.file("99.wav")));
}

TEST_F(WindowTest, F6MovesACardFileToTheNumberAskedAndKeepsItsName) {
    open().show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    numberAnswer = "12";
    select("lstSmartMedia", {0});
    list("lstSmartMedia")->setFocus();
    QTest::keyClick(list("lstSmartMedia"), Qt::Key_F6);
    waitForRun();
    EXPECT_EQ(rows("lstSmartMedia"), Rows{"12.wav = Kick"});
    EXPECT_TRUE(Exists(card.file("12.wav")));
}

// Space plays the selected sample and, while it sounds, stops it; Escape stops it too.
TEST_F(WindowTest, SpaceTogglesThePreviewAndEscapeStopsIt) {
    open();
    select("lstSmartMedia", {0});
    QListWidget* cardList = list("lstSmartMedia");
    cardList->setFocus();
    cardList->setCurrentRow(0, QItemSelectionModel::NoUpdate);
    std::vector<bool> sounding;
    for (const Qt::Key key : {Qt::Key_Space, Qt::Key_Space, Qt::Key_Space, Qt::Key_Escape}) {
        QTest::keyClick(cardList, key);
        sounding.push_back(player.playing);
    }
    EXPECT_EQ(sounding, (std::vector<bool>{true, false, true, false}));
}

// Tab walks the controls outside the lists in their order and then switches between the lists;
// every control outside them has a key of its own, named in its tool tip.
TEST_F(WindowTest, TheKeysReachEveryControl) {
    open().show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    control<QWidget>("cmdInvSelPC")->setFocus();
    Rows walked;
    for (int step = 0; step < 15; ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        walked.push_back(QApplication::focusWidget()->objectName().toStdString());
    }
    EXPECT_EQ(walked, (Rows{"cmdInvSelSM", "cmdNamePC", "cmdDelPC", "cmdToSM", "WavPlayerPlay",
                            "WavPlayerStop", "cmdFromSM", "cmdDelSM", "cmdNameSM", "TabStrip",
                            "cmdPathSelect", "smDrive", "FileList", "lstSmartMedia", "FileList"}));
    struct KeyRow {
        const char* key;
        const char* control;  // whose tool tip names the key
        std::function<bool()> done;
    };
    const std::vector<KeyRow> table = {
        {"Ctrl+I", "cmdInvSelPC", [&] { return list("FileList")->selectedItems().size() == 3; }},
        {"Ctrl+Shift+I", "cmdInvSelSM",
         [&] { return list("lstSmartMedia")->selectedItems().size() == 1; }},
        {"Ctrl+P", "WavPlayerPlay", [&] { return player.calls == Rows{"Play"}; }},
        {"Ctrl+.", "WavPlayerStop",
         [&] {
             return player.calls == Rows{"Play", "Stop"};
         }},
        {"Ctrl+2", "", [&] { return control<QTabBar>("TabStrip")->currentIndex() == 1; }},
        {"Alt+D", "smDrive", [&] { return control<DriveListBox>("smDrive")->view()->isVisible(); }},
    };
    for (const KeyRow& row : table) {
        SCOPED_TRACE(row.key);
        const QKeyCombination key = QKeySequence(row.key)[0];
        QTest::keyClick(QApplication::focusWidget(), key.key(), key.keyboardModifiers());
        EXPECT_TRUE(QTest::qWaitFor(row.done));
        if (*row.control == '\0') continue;
        const QString tip = control<QWidget>(row.control)->toolTip();
        EXPECT_TRUE(tip.endsWith(QStringLiteral(" (%1)").arg(row.key))) << tip.toStdString();
    }
    control<DriveListBox>("smDrive")->hidePopup();
}

// Off at first, the arrows only move; once chosen in the menu, each row the keys reach plays, and
// the choice is remembered.
TEST_F(WindowTest, PlayOnSelectAuditionsAsTheKeysMove) {
    open().show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    QListWidget* files = list("FileList");
    files->setFocus();
    files->setCurrentRow(0);
    QTest::keyClick(files, Qt::Key_Down);
    QTest::qWait(50);
    EXPECT_EQ(player.calls, Rows{});
    for (QAction* action : control<QMenu>("computerMenu")->actions()) {
        if (action->text() == "Play on select") action->trigger();
    }
    EXPECT_EQ(settings.values["Quodlin/Preview/PlayOnSelect"], "1");
    QTest::keyClick(files, Qt::Key_Down);
    EXPECT_TRUE(QTest::qWaitFor([&] {
        return player.calls.size() > 3 && player.calls[2] == "FileName " + home.file("tom.low.wav");
    })) << ::testing::PrintToString(player.calls);
}

// The list with the focus draws its selection in the highlight; the other one does not.
TEST_F(WindowTest, TheListWithTheFocusIsPlainToSee) {
    open().show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    select("FileList", {0});
    select("lstSmartMedia", {0});
    const auto selectionColour = [&](const char* name) {
        QListWidget* shown = list(name);
        const QRect row = shown->visualItemRect(shown->item(0));
        return shown->viewport()->grab().toImage().pixelColor(row.right() - 3, row.center().y());
    };
    const QColor highlight = QApplication::palette().color(QPalette::Active, QPalette::Highlight);
    for (const char* focused : {"FileList", "lstSmartMedia"}) {
        SCOPED_TRACE(focused);
        list(focused)->setFocus();
        const char* other = std::string(focused) == "FileList" ? "lstSmartMedia" : "FileList";
        const auto nearHighlight = [&](const QColor& colour) {
            return std::abs(colour.red() - highlight.red()) +
                       std::abs(colour.green() - highlight.green()) +
                       std::abs(colour.blue() - highlight.blue()) <
                   8;
        };
        EXPECT_TRUE(nearHighlight(selectionColour(focused)));
        EXPECT_FALSE(nearHighlight(selectionColour(other)));
    }
}

// At the smallest size, and under QT_SCALE_FACTOR=2 (a run of its own), every caption shows
// whole, and every status text whole or cut with the whole of it as tool tip.
TEST_F(WindowTest, EveryTextFitsAtTheMinimumSize) {
    open().show();
    // A selection of samples and a well filled card show whole.
    control<ElidedLabel>("lblSelection")
        ->setFullText(QString::fromUtf8("12 selected · 2.9 MB · 45.67 s · 2.9 MB in the ES1"));
    control<ElidedLabel>("lblCardUse")
        ->setFullText(QString::fromUtf8("100 samples · 64 banks · 10.2 MB free of 15.6 MB"));
    window_->resize(window_->minimumSize());
    QTest::qWait(50);
    for (const char* name : {"lblSelection", "lblCardUse"}) {
        const auto* label = control<ElidedLabel>(name);
        EXPECT_EQ(label->text(), label->fullText()) << name;
    }
    window_->showSelection({});
    window_->showStatus("Copying to the card stopped after 3 of 5 samples; " + card.path());
    window_->resize(window_->minimumSize());
    QTest::qWait(50);
    for (const QPushButton* button : window_->findChildren<QPushButton*>()) {
        if (!button->isVisible() || button->text().isEmpty()) continue;
        // Inside its bevel: the style centres the text and does not cut it at its margins.
        const int room = button->width() - 4;
        EXPECT_LE(button->fontMetrics().horizontalAdvance(button->text()), room)
            << button->objectName().toStdString();
    }
    for (const ElidedLabel* label : window_->findChildren<ElidedLabel*>()) {
        EXPECT_TRUE(label->text() == label->fullText() || label->toolTip() == label->fullText())
            << label->objectName().toStdString();
    }
    auto* smDrive = control<DriveListBox>("smDrive");
    // A card formatted without a label shows whole.
    QStyleOptionComboBox option;
    option.initFrom(smDrive);
    const QRect room = smDrive->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                        QStyle::SC_ComboBoxEditField, smDrive);
    EXPECT_GE(room.width(), smDrive->fontMetrics().horizontalAdvance(QStringLiteral("NO NAME")));
    EXPECT_LE(control<QLabel>("Label1")->geometry().right(), smDrive->geometry().left());
    smDrive->showPopup();
    EXPECT_GE(smDrive->view()->width(), smDrive->view()->sizeHintForColumn(0));
    smDrive->hidePopup();
}

TEST_F(WindowTest, TheWindowReopensWhereItWasLeft) {
    open().resize(800, 560);
    window_->close();
    EXPECT_EQ(open().size(), QSize(800, 560));
}

TEST_F(WindowTest, WithoutACardVolumeTheCardSideHasNoCardAndWritesNothing) {
    settings.values.clear();
    volumes.mounted = {{"/", "/", false}};
    WriteBytes(home.file("my song bounce.wav"), "precious");
    open();
    EXPECT_EQ(prompt.messages, Rows{});
    EXPECT_EQ(control<CardListBox>("lstSmartMedia")->placeholder(), kNoCardPlaceholder);
    prompt.answers = {true};
    list("FileList")->selectAll();
    click("cmdDelSM");
    click("cmdToSM");
    EXPECT_EQ(prompt.messages, (Rows{kNoCardChosen, kNoCardChosen}));
    EXPECT_EQ(ReadBytes(home.file("my song bounce.wav")), "precious");
    EXPECT_FALSE(Exists(home.file("names.txt")));
}

// The card is found without help: at the first start, and when it is mounted again.
struct Finding {
    const char* what;
    bool remembered;    // the settings name the card as the one last used
    int likelyCards;    // small FAT volumes mounted, the card first
    bool mountedLater;  // the volumes appear only after the window has opened
    bool opened;        // the card ends up open
    bool fat = true;    // false: the card is known by its names.txt alone
};

class CardFinding : public WindowTest, public ::testing::WithParamInterface<Finding> {};

TEST_P(CardFinding, OpensTheOneLikelyCardOrTheOneLastUsed) {
    const Finding row = GetParam();
    TempDir second;
    const std::vector<Volume> cards = {{card.path(), "CARD", true, "", 16u << 20, row.fat},
                                       {second.path(), "OTHER", true, "", 32u << 20, true}};
    if (!row.remembered) settings.values.erase("Quodlin/Default/SmartMedia");
    volumes.mounted = {{"/", "/", false}};
    const auto mount = [&] {
        for (int i = 0; i < row.likelyCards; ++i) volumes.mounted.push_back(cards[i]);
    };
    if (!row.mountedLater) mount();
    open();
    auto* cardList = control<CardListBox>("lstSmartMedia");
    if (row.mountedLater) {
        mount();
        // A real mount wakes the window's watch of the mount table.
        TempDir image;
        test::TestCard other(image.path(), 2048);
        REQUIRE_FAT_CARD(other);
        const bool shown =
            QTest::qWaitFor([&] { return cardList->count() > 0; }, row.opened ? 3000 : 500);
        EXPECT_EQ(shown, row.opened) << row.what;
    }
    EXPECT_EQ(rows("lstSmartMedia"), row.opened ? Rows{"00.wav = Kick"} : Rows{}) << row.what;
    if (row.likelyCards > 1) {
        EXPECT_EQ(cardList->placeholder(), kSeveralCardsPlaceholder);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CardFinding,
    ::testing::Values(Finding{"first_start_one_card", false, 1, false, true},
                      Finding{"first_start_two_cards", false, 2, false, false},
                      Finding{"remembered_card_mounted_again", true, 1, true, true},
                      Finding{"new_card_while_none_chosen", false, 1, true, true},
                      Finding{"two_cards_mounted_while_none_chosen", false, 2, true, false},
                      Finding{"a_card_known_by_its_catalogue", false, 1, false, true, false}),
    [](const auto& finding) { return std::string(finding.param.what); });

// A card image is the card, read only: listed with friendly names and damage its ddrescue map
// marks, copied from, and never written, whatever is tried.
TEST_F(WindowTest, ACardImageIsReadButNeverWritten) {
    TempDir dir;
    test::TestCard image(dir.path(), 8192, true, test::CardKind::Image);
    REQUIRE_FAT_CARD(image);
    WriteBytes(image.root() + "/00.wav", std::string(9000, 'k'));
    WriteBytes(image.root() + "/01.wav", "snare");
    WriteBytes(image.root() + "/names.txt",
               "[ES1 banks]\r\n\r\n[ES1 samples]\r\n00.wav=Kick\r\n01.wav=Snare drum\r\n");
    ASSERT_TRUE(image.writeMap("00.wav", 4096, image.image() + ".map"));
    const std::string before = ReadBytes(image.image());
    settings.values["Quodlin/Default/SmartMedia"] = image.image();
    open();
    EXPECT_EQ(rows("lstSmartMedia"), (Rows{"00.wav = Kick (damaged)", "01.wav = Snare drum"}));
    const std::string readOnly = "'card.img' is a card image, which Quodlin opens read only.";
    for (const char* button : {"cmdToSM", "cmdDelSM", "cmdNameSM"}) {
        EXPECT_FALSE(control<QPushButton>(button)->isEnabled()) << button;
        EXPECT_EQ(control<QPushButton>(button)->toolTip().toStdString(), readOnly) << button;
    }
    select("lstSmartMedia", {1});
    for (const char* key : {"F8", "F2"}) act("lstSmartMedia", key);
    EXPECT_EQ(prompt.messages, (Rows{readOnly, readOnly}));
    act("lstSmartMedia", "cmdFromSM");
    EXPECT_EQ(ReadBytes(home.file("Snare drum.wav")), "snare");
    EXPECT_TRUE(ReadBytes(image.image()) == before);
}

TEST_F(WindowTest, OnlyCardVolumesAreListedWithOtherFolderLast) {
    open();
    // Opening the list looks for volumes again.
    TempDir other;
    volumes.mounted.push_back({other.path(), "disk", false});
    volumes.mounted.push_back({home.path(), "card", true, "ES1 CARD", 16 << 20});
    auto* smDrive = control<DriveListBox>("smDrive");
    smDrive->showPopup();
    smDrive->hidePopup();
    EXPECT_EQ(smDrive->roots(), (Rows{card.path(), home.path()}));
    EXPECT_EQ(smDrive->itemText(1).toStdString(), "ES1 CARD \u2014 16.8 MB \u2014 " + home.path());
    // Volumes that come while the popup is open join the list once it has closed.
    smDrive->showPopup();
    volumes.mounted.push_back({other.file("late"), "late", true});
    smDrive->refresh();
    EXPECT_EQ(smDrive->roots(), (Rows{card.path(), home.path()}));
    smDrive->hidePopup();
    QTest::qWait(0);
    EXPECT_EQ(smDrive->roots().size(), 3u);
    EXPECT_EQ(smDrive->itemText(smDrive->count() - 2), "Card image...");
    EXPECT_EQ(smDrive->itemText(smDrive->count() - 1), "Other folder...");
    EXPECT_EQ(smDrive->currentRoot(), card.path());

    // A card volume that cannot be read leaves the card in use, and the list shows that one.
    volumes.mounted.push_back({home.file("gone"), "gone", true});
    smDrive->showPopup();
    smDrive->hidePopup();
    const int gone = smDrive->findData(QString::fromStdString(home.file("gone")));
    smDrive->setCurrentIndex(gone);
    emit smDrive->activated(gone);
    EXPECT_EQ(prompt.messages.back(), kDriveNotReady);
    EXPECT_EQ(smDrive->currentRoot(), card.path());
    EXPECT_EQ(window_->card().cardRoot(), card.path());
}

// The window in a palette, at the screen's scale (and in a run of its own at scale 2): every
// picture stands out from its button, the play mark has the highlight colour, and the waveform has
// the palette's colours and lines one device pixel thin. Each look leaves a screenshot beside the
// tests.
struct Look {
    const char* name;
    bool dark;
};

class LookTest : public WindowTest, public ::testing::WithParamInterface<Look> {};

QPalette Dark() {
    QPalette dark(QColor(53, 53, 53));
    dark.setColor(QPalette::Base, QColor(25, 25, 25));
    dark.setColor(QPalette::Highlight, QColor(42, 130, 218));
    return dark;
}

// How far in lightness the picture of a button strays from the button's colour at most.
int PictureContrast(QAbstractButton& button) {
    const QImage image = button.grab().toImage();
    QRect picture(QPoint(), button.iconSize() * image.devicePixelRatio());
    picture.moveCenter(image.rect().center());
    const int background = button.palette().color(QPalette::Button).lightness();
    int most = 0;
    for (int y = picture.top(); y <= picture.bottom(); ++y) {
        for (int x = picture.left(); x <= picture.right(); ++x)
            most = std::max(most, std::abs(image.pixelColor(x, y).lightness() - background));
    }
    return most;
}

TEST_P(LookTest, PicturesStandOutAndTheWaveIsDrawnInThePalettePixelByPixel) {
    open();
    if (GetParam().dark) window_->setPalette(Dark());
    window_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
    select("lstSmartMedia", {0});
    act("lstSmartMedia", "Return");
    const QImage mark = list("lstSmartMedia")->item(0)->icon().pixmap(16).toImage();
    EXPECT_EQ(mark.pixel(mark.rect().center()),
              list("lstSmartMedia")->palette().color(QPalette::Highlight).rgb());
    auto* wave = control<WaveformView>("picWaveform");
    // Silent in its first half, loud in its second.
    wave->setWave({1, 2, {{0.f, 0.f}, {-0.8f, 0.8f}}}, 1.0);
    const QImage shot = window_->grab().toImage();
    const qreal ratio = window_->devicePixelRatioF();
    EXPECT_EQ(shot.size(), window_->size() * ratio);
    QDir().mkpath(QUODLIN_SCREENSHOT_DIR);
    shot.save(QString("%1/%2-x%3.png").arg(QUODLIN_SCREENSHOT_DIR, GetParam().name).arg(ratio));
    for (const char* name : {"cmdToSM", "cmdFromSM", "WavPlayerPlay", "WavPlayerStop"})
        EXPECT_GT(PictureContrast(*control<QAbstractButton>(name)), 100) << name;

    const QImage pane = wave->grab().toImage();
    const QRgb base = wave->palette().color(QPalette::Base).rgb();
    EXPECT_EQ(pane.pixel(1, 1), base);
    // The silent half is a single line in the highlight colour, one device pixel thin.
    std::vector<QRgb> silence;
    for (int y = 0; y < pane.height(); ++y) {
        if (pane.pixel(pane.width() / 4, y) != base)
            silence.push_back(pane.pixel(pane.width() / 4, y));
    }
    EXPECT_EQ(silence, std::vector<QRgb>{wave->palette().color(QPalette::Highlight).rgb()});
}

INSTANTIATE_TEST_SUITE_P(Window, LookTest,
                         ::testing::Values(Look{"light", false}, Look{"dark", true}),
                         [](const auto& look) { return std::string(look.param.name); });

}  // namespace
}  // namespace quodlin::test
