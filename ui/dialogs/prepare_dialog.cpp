#include "ui/dialogs/prepare_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/samples/sample_readiness.h"
#include "core/samples/shaping_settings.h"

namespace quodlin {
namespace {

QCheckBox* Box(const char* name, const QString& text, bool checked, QWidget* parent) {
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(name);
    box->setChecked(checked);
    return box;
}

}  // namespace

PrepareDialog::PrepareDialog(const PrepareQuestion& question, QWidget* parent)
    : QDialog(parent), question_(question) {
    setObjectName("frmPrepare");
    setWindowTitle(QStringLiteral("Prepare for the ES1"));
    auto* text = new QLabel(QString::fromStdString(question.text), this);
    text->setWordWrap(true);
    auto* names = new QListWidget(this);
    names->setObjectName("lstPrepare");
    names->setAccessibleName(QStringLiteral("Samples to copy"));
    for (const std::string& name : question.names) names->addItem(QString::fromStdString(name));
    const SampleShaping& last = question.shaping;
    mono_ = Box("chkMono", QStringLiteral("&Mono"), last.mono, this);
    eightBit_ = Box("chk8Bit", QStringLiteral("&8-bit"), last.eightBit, this);
    normalize_ =
        Box("chkNormalize", QStringLiteral("&Normalize"), last.normalizeDb.has_value(), this);
    trim_ = Box("chkTrim", QStringLiteral("&Trim silence"), last.trimDb.has_value(), this);
    sizes_ = new QLabel(this);
    sizes_->setObjectName("lblPrepareSizes");
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

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(names, 1);
    auto* boxes = new QHBoxLayout;
    for (QCheckBox* box : {mono_, eightBit_, normalize_, trim_}) {
        boxes->addWidget(box);
        connect(box, &QCheckBox::toggled, this, &PrepareDialog::showSizes);
    }
    layout->addLayout(boxes);
    layout->addWidget(sizes_);
    layout->addWidget(buttons);
    showSizes();
    convert->setFocus();
}

SampleShaping PrepareDialog::shaping() const {
    SampleShaping shaping;
    shaping.mono = mono_->isChecked();
    shaping.eightBit = eightBit_->isChecked();
    if (normalize_->isChecked()) shaping.normalizeDb = kNormalizeDb;
    if (trim_->isChecked()) shaping.trimDb = kTrimDb;
    return shaping;
}

// "On the card: 5.2 MB as they are, 1.9 MB prepared"; trimming can only make it less.
void PrepareDialog::showSizes() {
    const SampleShaping chosen = shaping();
    const std::uint64_t after = question_.bytesAfter ? question_.bytesAfter(chosen) : 0;
    sizes_->setText(QStringLiteral("On the card: %1 as they are, %2%3 prepared")
                        .arg(QString::fromStdString(SizeText(question_.bytesBefore)),
                             chosen.trimDb ? QStringLiteral("at most ") : QString(),
                             QString::fromStdString(SizeText(after))));
}

PrepareAnswer PrepareDialog::ask() {
    choice_ = ConversionAnswer::Cancel;
    exec();
    return {choice_, shaping()};
}

}  // namespace quodlin
