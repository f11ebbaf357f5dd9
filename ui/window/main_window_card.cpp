// The card side: the drive chosen in smDrive is opened as the card side's root and dropped when it
// goes away, and the card list shows the card side's lines.
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QPushButton>
#include <QSet>
#include <QTimer>
#include <utility>

#include "core/card/card_info.h"
#include "core/card/card_write.h"
#include "core/card/likely_cards.h"
#include "core/computer/directory_query.h"
#include "core/image/card_image.h"
#include "core/messages/messages.h"
#include "core/shell/shell_messages.h"
#include "core/text/text_functions.h"
#include "ui/lists/card_list_box.h"
#include "ui/lists/drive_list_box.h"
#include "ui/main_window.h"
#include "ui/running/busy_pointer.h"
#include "ui/running/card_work.h"
#include "ui/widgets/elided_label.h"

namespace quodlin {
namespace {

// Each row of the card list keeps the name of its file.
constexpr int kFileNameRole = Qt::UserRole;
// The folder last chosen with "Other folder...": only it is taken as the card without being a
// card volume, never a bare mount point left by a card that is not in its reader.
constexpr const char* kCardSection = "Card";
constexpr const char* kChosenFolderKey = "ChosenFolder";

}  // namespace

void frmQuodlinMain::setCardDrive(const std::string& drive) {
    if (parts_.cardImages && IsFile(parts_.cardImages->computer(), drive)) {
        openCardImage(drive);
    } else if (!smDrive->select(drive)) {
        const std::string chosen =
            parts_.settings.read(kSettingsApplication, kCardSection, kChosenFolderKey, "");
        if (drive != chosen || !fileSystem().isDirectory(drive)) throw NoSuchDrive(drive);
        smDrive->addChosenFolder(drive);
    }
    smDrive_Change();
}

void frmQuodlinMain::showNoCard() {
    dropCard();
    showCardList();
}

void frmQuodlinMain::dropCard() {
    card_.close();
    smDrive->selectNone();
}

// A card that cannot be read leaves the card in use as it was: its list stays, and the catalogue
// is still written to the card the list was read from, not to the drive that failed.
void frmQuodlinMain::smDrive_Change() {
    try {
        const BusyPointer busy;
        const std::string root = smDrive->currentRoot();
        // An image listed earlier is opened again when chosen again.
        if (parts_.cardImages && !parts_.cardImages->inImage(root) &&
            IsFile(parts_.cardImages->computer(), root)) {
            openCardImage(root);
        }
        card_.open(root);
        lastCardRoot_ = card_.cardRoot();
        TidyEndedRuns(card_);
    } catch (const FileError&) {
        prompt().message(kDriveNotReady, MessageStyle::Exclamation, kErrorTitle);
        // The list shows the card that is still in use, so that no write goes elsewhere than
        // where the user sees it going.
        if (!smDrive->select(card_.cardRoot())) smDrive->selectNone();
    }
    showCardList();
}

void frmQuodlinMain::smDrive_OtherFolder() {
    const QString folder = QFileDialog::getExistingDirectory(
        this, QStringLiteral("Choose the folder that stands for the card"),
        QString::fromStdString(card_.cardRoot().empty() ? parts_.fallbackDirectory
                                                        : card_.cardRoot()));
    if (folder.isEmpty()) return;
    const std::string path = QDir::toNativeSeparators(folder).toStdString();
    try {
        parts_.settings.write(kSettingsApplication, kCardSection, kChosenFolderKey, path);
    } catch (const SettingsError&) {
        // Then it is the card for this session only.
    }
    smDrive->addChosenFolder(path);
    smDrive_Change();
}

void frmQuodlinMain::smDrive_CardImage() {
    const QString file = QFileDialog::getOpenFileName(
        this, QStringLiteral("Open a card image, read only"),
        QString::fromStdString(card_.cardRoot().empty() ? parts_.fallbackDirectory
                                                        : card_.cardRoot()),
        QStringLiteral("Card images (*.img *.ima *.bin *.dd *.raw);;All files (*)"));
    if (file.isEmpty()) return;
    const std::string path = QDir::toNativeSeparators(file).toStdString();
    try {
        openCardImage(path);
    } catch (const FileError& error) {
        prompt().message(CardNotRead(error), MessageStyle::Exclamation, kErrorTitle);
        return;
    }
    smDrive_Change();
}

void frmQuodlinMain::openCardImage(const std::string& path) {
    FileSystem& computer = parts_.cardImages->computer();
    // A ddrescue map kept beside the image marks its damage without being asked for.
    std::shared_ptr<ImageFileSystem> image =
        OpenCardImage(computer, path, MapBeside(computer, path));
    // A file that is no card image leaves the card in use as it was.
    image->list(path);
    // The player may still read a sample of the image it replaces.
    StopAndClose(player());
    parts_.cardImages->open(std::move(image));
    if (!smDrive->select(path)) smDrive->addChosenFolder(path);
}

bool frmQuodlinMain::cardIsImage() const {
    return parts_.cardImages && !card_.cardRoot().empty() &&
           parts_.cardImages->inImage(card_.cardRoot());
}

bool frmQuodlinMain::refusedAsImage() {
    if (!cardIsImage()) return false;
    prompt().message(ImageIsReadOnly(card_.cardRoot()), MessageStyle::Information);
    return true;
}

void frmQuodlinMain::showWhetherWritable() {
    const bool image = cardIsImage();
    for (QPushButton* button : {cmdToSM, cmdDelSM, cmdNameSM}) {
        const QString tip = button->property("writableTip").toString();
        if (tip.isEmpty()) button->setProperty("writableTip", button->toolTip());
        button->setEnabled(!image && !working());
        button->setToolTip(image ? QString::fromStdString(ImageIsReadOnly(card_.cardRoot()))
                                 : button->property("writableTip").toString());
    }
}

// Volumes came or went: the list follows, and a card that went away is no longer the card.
void frmQuodlinMain::mountsChanged() {
    // Never in the middle of an action: its own checks stop it, and the list follows after.
    if (QApplication::activeModalWidget() != nullptr || working()) {
        QTimer::singleShot(500, this, &frmQuodlinMain::mountsChanged);
        return;
    }
    smDrive->refresh();
    if (dropCardIfRemoved()) showCardList();
    if (card_.cardRoot().empty()) openLikelyCard();
}

void frmQuodlinMain::openLikelyCard() {
    parts_.volumes.refresh();
    const std::vector<Volume>& volumes = parts_.volumes.list();
    const std::string root = CardToOpen(fileSystem(), volumes, lastCardRoot_);
    severalCards_ = root.empty() && LikelyCards(fileSystem(), volumes).size() > 1;
    if (root.empty() || !smDrive->select(root)) return showCardList();
    smDrive_Change();
}

bool frmQuodlinMain::dropCardIfRemoved() {
    if (card_.cardRoot().empty()) return false;
    try {
        card_.ensureCardPresent();
        return false;
    } catch (const FileError&) {
        dropCard();
        return true;
    }
}

frmQuodlinMain::CardSurvey frmQuodlinMain::surveyCard() {
    CardSurvey survey;
    if (card_.cardRoot().empty()) return survey;
    try {
        card_.ensureCardPresent();
    } catch (const FileError&) {
        survey.removed = true;
        return survey;
    }
    if (card_.loaded()) survey.use = CardUseOf(card_);
    return survey;
}

// However work ends, the card is surveyed on the worker after it, for the list shown next.
std::function<void()> frmQuodlinMain::surveyedAfter(std::function<void()> work) {
    return [this, work = std::move(work)] {
        try {
            work();
        } catch (...) {
            survey_ = surveyCard();
            throw;
        }
        survey_ = surveyCard();
    };
}

void frmQuodlinMain::rereadCard(bool tellFailure) {
    auto failure = std::make_shared<std::string>();
    work_->start(
        surveyedAfter([this, failure] { *failure = card_.reread(); }),
        [this, failure, tellFailure] {
            showCardList();
            if (tellFailure && !failure->empty()) {
                prompt().message(*failure, MessageStyle::Exclamation);
            }
        },
        true);
}

// The list shows what the card side holds, also after a failed reload (then nothing).
void frmQuodlinMain::reloadCard() {
    try {
        card_.smFile_PathChange();
    } catch (const FileError&) {
        showCardList();
        throw;
    }
    showCardList();
}

// The files selected before stay selected when the same card is shown again after an action.
void frmQuodlinMain::showCardList() {
    const CardSurvey survey = survey_ ? *std::exchange(survey_, std::nullopt) : surveyCard();
    if (survey.removed) dropCard();
    lstSmartMedia->setPlaceholder(!card_.cardRoot().empty() ? QString()
                                  : severalCards_           ? QString(kSeveralCardsPlaceholder)
                                                            : QString(kNoCardPlaceholder));
    QSet<QString> selected;
    if (shownCardRoot_ == card_.cardRoot()) {
        for (const QListWidgetItem* row : lstSmartMedia->selectedItems()) {
            selected.insert(row->data(kFileNameRole).toString());
        }
    }
    shownCardRoot_ = card_.cardRoot();
    lstSmartMedia->clear();
    const std::vector<CardEntry>& entries = card_.table().entries();
    const std::vector<std::string> lines = card_.lines();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        auto* row = new QListWidgetItem(QString::fromStdString(lines[i]), lstSmartMedia);
        if (i >= entries.size()) continue;
        const QString fileName = QString::fromStdString(entries[i].fileName);
        row->setData(kFileNameRole, fileName);
        if (const std::string damage = DamageOf(card_, entries[i]); !damage.empty()) {
            row->setText(row->text() + QStringLiteral(" (damaged)"));
            row->setToolTip(QString::fromStdString("Damaged: " + damage + "."));
        }
        row->setSelected(selected.contains(fileName));
    }
    showSelection({});
    lblCardUse->setFullText(survey.use ? QString::fromStdString(CardUseText(*survey.use))
                                       : QString());
    showWhetherWritable();
    watchFolders();
}

std::vector<CardEntry> frmQuodlinMain::selectedCardEntries() const {
    std::vector<CardEntry> entries;
    for (int row = 0; row < lstSmartMedia->count(); ++row) {
        if (!lstSmartMedia->item(row)->isSelected()) continue;
        if (const std::optional<CardEntry> entry = card_.entryAt(row)) entries.push_back(*entry);
    }
    return entries;
}

std::string frmQuodlinMain::cardPathOfRow(int row) const {
    return card_.pathAt(row);
}

}  // namespace quodlin
