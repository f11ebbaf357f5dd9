#include "ui/dialogs/prepare_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/shell/shaping_settings.h"
#include "core/text/wording.h"

namespace quodlin {
namespace {

QCheckBox* Box(const char* name, const QString& text, bool checked, QWidget* parent) {
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(name);
    box->setChecked(checked);
    return box;
}

// The level a box shapes to, in the command line's range, offered as last chosen.
QDoubleSpinBox* Level(const char* name, std::optional<double> last, double byDefault,
                      QCheckBox* box) {
    auto* level = new QDoubleSpinBox(box->parentWidget());
    level->setObjectName(name);
    level->setRange(kLowestLevelDb, 0.0);
    level->setDecimals(1);
    level->setSuffix(QStringLiteral(" dBFS"));
    level->setValue(last.value_or(byDefault));
    level->setAccessibleName(box->text().remove('&') + QStringLiteral(" level"));
    level->setEnabled(box->isChecked());
    QObject::connect(box, &QCheckBox::toggled, level, &QWidget::setEnabled);
    return level;
}

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

PrepareDialog::PrepareDialog(const PrepareQuestion& question, QWidget* parent)
    : QDialog(parent), question_(question) {
    setObjectName("frmPrepare");
    setWindowTitle(QStringLiteral("Prepare for the ES1"));
    auto* layout = new QVBoxLayout(this);
    auto* text = new QLabel(Text(question.text), this);
    text->setWordWrap(true);
    layout->addWidget(text);
    addNames(layout);
    layout->addLayout(shapingRow());
    sizes_ = new QLabel(this);
    sizes_->setObjectName("lblPrepareSizes");
    layout->addWidget(sizes_);
    fit_ = new QLabel(this);
    fit_->setObjectName("lblPrepareFit");
    fit_->setWordWrap(true);
    layout->addWidget(fit_);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* convert =
        buttons->addButton(QStringLiteral("&Convert"), QDialogButtonBox::AcceptRole);
    QPushButton* asTheyAre =
        buttons->addButton(QStringLiteral("Copy &as they are"), QDialogButtonBox::ActionRole);
    buttons->addButton(QDialogButtonBox::Cancel);
    convert->setDefault(true);
    connect(convert, &QPushButton::clicked, this, [this] {
        choice_ = ConversionAnswer::Convert;
        accept();
    });
    connect(asTheyAre, &QPushButton::clicked, this, [this] {
        choice_ = ConversionAnswer::CopyAsTheyAre;
        accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    showSizes();
    convert->setFocus();
}

// Each sample marked ready or not, the reason in its tool tip; and what copying as they are
// still converts.
void PrepareDialog::addNames(QLayout* layout) {
    auto* names = new QListWidget(this);
    names->setObjectName("lstPrepare");
    names->setAccessibleName(QStringLiteral("Samples to copy"));
    for (std::size_t i = 0; i < question_.names.size(); ++i) {
        const std::string problem = i < question_.problems.size() ? question_.problems[i] : "";
        auto* row = new QListWidgetItem(
            Text(question_.names[i]) + (problem.empty() ? QStringLiteral(" — ready")
                                                        : QStringLiteral(" — needs converting")),
            names);
        row->setToolTip(problem.empty() ? QStringLiteral("Ready for the ES1.") : Text(problem));
    }
    layout->addWidget(names);
    if (question_.convertedAnyway.empty()) return;
    auto* anyway =
        new QLabel(Text("Copy as they are still converts " +
                        Counted(static_cast<long long>(question_.convertedAnyway.size()), "file") +
                        " that are not WAV (" + Joined(question_.convertedAnyway) +
                        "): the card takes WAV only."),
                   this);
    anyway->setObjectName("lblPrepareAnyway");
    anyway->setWordWrap(true);
    layout->addWidget(anyway);
}

QLayout* PrepareDialog::shapingRow() {
    const SampleShaping& last = question_.shaping;
    mono_ = Box("chkMono", QStringLiteral("&Mono"), last.mono, this);
    eightBit_ = Box("chk8Bit", QStringLiteral("&8-bit"), last.eightBit, this);
    normalize_ =
        Box("chkNormalize", QStringLiteral("&Normalize"), last.normalizeDb.has_value(), this);
    trim_ = Box("chkTrim", QStringLiteral("&Trim silence"), last.trimDb.has_value(), this);
    normalizeLevel_ = Level("spnNormalize", last.normalizeDb, kNormalizeDb, normalize_);
    trimLevel_ = Level("spnTrim", last.trimDb, kTrimDb, trim_);
    auto* row = new QHBoxLayout;
    for (QWidget* control : std::initializer_list<QWidget*>{mono_, eightBit_, normalize_,
                                                            normalizeLevel_, trim_, trimLevel_}) {
        row->addWidget(control);
    }
    for (QCheckBox* box : {mono_, eightBit_, normalize_, trim_}) {
        connect(box, &QCheckBox::toggled, this, &PrepareDialog::showSizes);
    }
    return row;
}

SampleShaping PrepareDialog::shaping() const {
    SampleShaping shaping;
    shaping.mono = mono_->isChecked();
    shaping.eightBit = eightBit_->isChecked();
    if (normalize_->isChecked()) shaping.normalizeDb = normalizeLevel_->value();
    if (trim_->isChecked()) shaping.trimDb = trimLevel_->value();
    return shaping;
}

// "On the card: 5.2 MB as they are, 1.9 MB prepared"; trimming can only make it less. Under it,
// how many fit when not all of them do.
void PrepareDialog::showSizes() {
    const SampleShaping chosen = shaping();
    const std::uint64_t after = question_.bytesAfter ? question_.bytesAfter(chosen) : 0;
    sizes_->setText(QStringLiteral("On the card: %1 as they are, %2%3 prepared")
                        .arg(Text(SizeText(question_.bytesBefore)),
                             chosen.trimDb ? QStringLiteral("at most ") : QString(),
                             Text(SizeText(after))));
    const std::optional<std::size_t> fitting =
        question_.fitting ? question_.fitting(chosen) : std::nullopt;
    const bool allFit = !fitting || *fitting >= question_.names.size();
    fit_->setVisible(!allFit);
    if (allFit) return;
    fit_->setText(QStringLiteral("Only %1 of the %2 samples fit on the card prepared so; the "
                                 "copy stops when the card is full.")
                      .arg(*fitting)
                      .arg(question_.names.size()));
}

PrepareAnswer PrepareDialog::ask() {
    choice_ = ConversionAnswer::Cancel;
    exec();
    return {choice_, shaping()};
}

}  // namespace quodlin
