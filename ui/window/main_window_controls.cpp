// The main window's controls: names, captions, tool tips, places and tab order.
#include <QFontDatabase>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStatusBar>
#include <QTabBar>
#include <QTextBrowser>
#include <QToolButton>

#include "ui/lists/card_list_box.h"
#include "ui/lists/drive_list_box.h"
#include "ui/lists/file_list_box.h"
#include "ui/lists/focus_look.h"
#include "ui/lists/play_mark.h"
#include "ui/main_window.h"
#include "ui/pane/sample_pane.h"
#include "ui/running/wav_player.h"
#include "ui/widgets/drawn_icons.h"
#include "ui/widgets/elided_label.h"
#include "ui/widgets/program_icon.h"
#include "ui/widgets/twips_layout.h"

namespace quodlin {
namespace {

// The grow rules of the work page: the two lists share the extra room, the card side's controls
// keep to the right edge, the bottom rows to the bottom.
constexpr Grow kLeftList{0, 0, 0.5, 1};
constexpr Grow kRightList{0.5, 0, 0.5, 1};
constexpr Grow kTopMiddle{0.5, 0, 0, 0};
constexpr Grow kTopRightGrowing{0.5, 0, 0.5, 0};
constexpr Grow kBottomLeft{0, 1, 0, 0};
constexpr Grow kBottomMiddle{0.5, 1, 0, 0};
constexpr Grow kBottomRight{1, 1, 0, 0};
constexpr Grow kAll{0, 0, 1, 1};
// The sample pane's height: a waveform and two lines of text.
constexpr int kPaneTwips = 1500;

template <typename Control>
Control* Named(Control* control, const char* name, const QString& tip = QString()) {
    control->setObjectName(name);
    if (!tip.isEmpty()) {
        control->setToolTip(tip);
        control->setAccessibleName(tip);
    }
    return control;
}

QPushButton* Button(QWidget* parent, const char* name, const QString& caption,
                    const QString& tip = QString()) {
    return Named(new QPushButton(caption, parent), name, tip);
}

QPushButton* ArrowButton(QWidget* parent, const char* name, const QIcon& arrow,
                         const QString& tip) {
    QPushButton* button = Button(parent, name, QString(), tip);
    button->setIcon(arrow);
    button->setIconSize(QSize(20, 20));
    return button;
}

// Uses bold "MS Sans Serif" where the machine has it, the window's own face otherwise. Asking for a
// face the machine lacks makes the font system look for a stand-in, which start-up would wait for.
QFont BoldFont(const QFont& base) {
    QFont font = base;
    if (QFontDatabase::hasFamily(QStringLiteral("MS Sans Serif"))) {
        font.setFamilies({QStringLiteral("MS Sans Serif"), base.family()});
    }
    font.setBold(true);
    return font;
}

QFrame* Frame(QWidget* parent, const char* name) {
    auto* frame = Named(new QFrame(parent), name);
    frame->setFrameShape(QFrame::NoFrame);
    return frame;
}

}  // namespace

void frmQuodlinMain::buildControls() {
    QFont small = font();
    small.setPointSizeF(8.25);
    setFont(small);

    TabStrip = Named(new QTabBar(this), "TabStrip");
    TabStrip->addTab("Samples");
    TabStrip->addTab("Banks");
    TabStrip->addTab("Help && About");
    TabStrip->setDrawBase(false);
    TabStrip->setExpanding(false);
    TabStrip->setAccessibleName(QStringLiteral("Mode"));
    HelpFrame = Frame(this, "HelpFrame");
    MainFrame = Frame(this, "MainFrame");
    buildStatusBar();
    fraSample = new SamplePane(parts_.sampleOverviews, parts_.fileSystem, player(), this);

    // The pages are placed as drawn, with the sample pane and then the status bar under them.
    const int barTwips = stbStatus->sizeHint().height() * 15;
    auto* layout = new TwipsLayout(this, 7425, 5370 + kPaneTwips + barTwips);
    layout->place(TabStrip, 45, 90, 7350, -1, {0, 0, 1, 0});
    layout->place(HelpFrame, 135, 405, 7170, 4845, kAll);
    layout->place(MainFrame, 135, 450, 7170, 4800, kAll);
    layout->place(fraSample, 45, 5370, 7335, kPaneTwips, {0, 1, 1, 0});
    layout->place(stbStatus, 0, 5370 + kPaneTwips, 7425, barTwips, {0, 1, 1, 0});
    buildWorkPage();
    buildHelpPage();
    TabStrip->raise();
    setTabOrder();
}

// The status bar has two lines, so that the texts show whole: what the last run did or what plays,
// and the card's use, which keeps to the right, above; what the selection holds below, across the
// window.
void frmQuodlinMain::buildStatusBar() {
    stbStatus = Named(new QStatusBar(this), "stbStatus");
    stbStatus->setSizeGripEnabled(false);
    stbStatus->setAccessibleName(QStringLiteral("Status"));
    auto* lines = new QWidget(stbStatus);
    lblStatus = Named(new ElidedLabel(lines), "lblStatus");
    lblSelection = Named(new ElidedLabel(lines), "lblSelection");
    lblCardUse = Named(new ElidedLabel(lines), "lblCardUse");
    auto* grid = new QGridLayout(lines);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setVerticalSpacing(0);
    grid->addWidget(lblStatus, 0, 0);
    grid->addWidget(lblCardUse, 0, 1, Qt::AlignRight);
    grid->addWidget(lblSelection, 1, 0, 1, 2);
    grid->setColumnStretch(0, 1);
    stbStatus->addWidget(lines, 1);
    playMark_ = new PlayMark(player(), lblStatus, this);
}

void frmQuodlinMain::buildWorkPage() {
    QWidget* page = MainFrame;
    cmdPathSelect = Button(page, "cmdPathSelect", QString(), "(Choose) directory on your computer");
    const QFont bold = BoldFont(font());
    cmdPathSelect->setFont(bold);
    smDrive = Named(new DriveListBox(parts_.volumes, DriveKinds::Cards, page), "smDrive",
                    "(Choose) SmartMedia disk");
    smDrive->setFont(bold);
    Label1 = Named(new QLabel("Smart Media:", page), "Label1");
    Label1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label1->setFont(bold);
    FileList = Named(new FileListBox(parts_.fileSystem, page), "FileList");
    FileList->setAccessibleName(QStringLiteral("Files on your computer"));
    lstSmartMedia = Named(new CardListBox(page), "lstSmartMedia");
    lstSmartMedia->setAccessibleName(QStringLiteral("Files on SmartMedia"));
    lstSmartMedia->setSelectionMode(QAbstractItemView::ExtendedSelection);
    new FocusLook(FileList);
    new FocusLook(lstSmartMedia);
    cmdInvSelPC = Button(page, "cmdInvSelPC", "Invert Selection");
    cmdInvSelPC->setAccessibleName(QStringLiteral("Invert selection on your computer"));
    cmdInvSelSM = Button(page, "cmdInvSelSM", "Invert Selection");
    cmdInvSelSM->setAccessibleName(QStringLiteral("Invert selection on SmartMedia"));
    cmdNamePC = Button(page, "cmdNamePC", "Rename", "Rename file(s) on your computer");
    cmdDelPC = Button(page, "cmdDelPC", "Delete", "Delete file(s) on your computer");
    cmdToSM =
        ArrowButton(page, "cmdToSM", RightArrowIcon(), "Copy file(s) from computer to SmartMedia");
    WavPlayer = Named(new quodlin::WavPlayer(player(), page), "WavPlayer");
    cmdFromSM = ArrowButton(page, "cmdFromSM", LeftArrowIcon(),
                            "Copy file(s) from SmartMedia to your computer");
    cmdDelSM = Button(page, "cmdDelSM", "Delete", "Delete file(s) on SmartMedia");
    cmdNameSM = Button(page, "cmdNameSM", "Rename", "Rename file(s) on SmartMedia");

    auto* layout = new TwipsLayout(page, 7170, 4800);
    layout->place(cmdPathSelect, 90, 180, 3465, 375);
    // The drive list reaches left to the label and grows with the card list under it, so that a
    // card's label shows whole; the label keeps to the card list's left edge.
    layout->place(smDrive, 5130, 180, 1950, 315, kTopRightGrowing);
    layout->place(Label1, 3675, 270, 1395, 240, kTopMiddle);
    layout->place(FileList, 90, 585, 3480, 3405, kLeftList);
    layout->place(lstSmartMedia, 3675, 585, 3375, 3375, kRightList);
    layout->place(cmdInvSelPC, 90, 4020, 2130, 285, kBottomLeft);
    layout->place(cmdInvSelSM, 4950, 4020, 2130, 285, kBottomRight);
    layout->place(cmdNamePC, 90, 4335, 780, 375, kBottomLeft);
    layout->place(cmdDelPC, 900, 4335, 690, 375, kBottomLeft);
    layout->place(cmdToSM, 1620, 4335, 600, 375, kBottomLeft);
    layout->place(WavPlayer, 3255, 4200, 480, 375, kBottomMiddle);
    layout->place(cmdFromSM, 4950, 4335, 600, 375, kBottomRight);
    layout->place(cmdDelSM, 5580, 4335, 690, 375, kBottomRight);
    layout->place(cmdNameSM, 6300, 4335, 780, 375, kBottomRight);
}

void frmQuodlinMain::buildHelpPage() {
    QWidget* page = HelpFrame;
    Picture1 = Named(new QLabel(page), "Picture1");
    Picture1->setPixmap(ProgramPixmap());
    Picture1->setAccessibleName(QStringLiteral("Quodlin"));
    rtfNames = Named(new QTextBrowser(page), "rtfNames");
    rtfNames->setAccessibleName(QStringLiteral("Help"));
    rtfNames->setPlainText("RichText");
    auto* layout = new TwipsLayout(page, 7170, 4845);
    layout->place(Picture1, 45, 180, 465, 510);
    layout->place(rtfNames, 675, 180, 6405, 4575, kAll);
    HelpFrame->setVisible(false);
}

// Tab goes through the work page from the top left, the bottom row from left to right, then the
// tabs and the help text.
void frmQuodlinMain::setTabOrder() {
    const QList<QWidget*> order = {cmdPathSelect,
                                   smDrive,
                                   FileList,
                                   lstSmartMedia,
                                   cmdInvSelPC,
                                   cmdInvSelSM,
                                   cmdNamePC,
                                   cmdDelPC,
                                   cmdToSM,
                                   WavPlayer->playButton(),
                                   WavPlayer->stopButton(),
                                   cmdFromSM,
                                   cmdDelSM,
                                   cmdNameSM,
                                   TabStrip,
                                   rtfNames};
    for (qsizetype i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
}

}  // namespace quodlin
