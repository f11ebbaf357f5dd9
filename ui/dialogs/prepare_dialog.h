#pragma once

#include <QDialog>

#include "platform/prompt.h"

class QCheckBox;
class QDoubleSpinBox;
class QLabel;

namespace quodlin {

// "Prepare for the ES1" lists the samples of a run, each marked ready or needing conversion,
// offers to shape them with the levels of Normalize and Trim, and holds their size on the card
// before and after against the card's free space; all of it follows the boxes. Convert is the
// default (Enter); Escape cancels.
class PrepareDialog : public QDialog {
    Q_OBJECT
public:
    PrepareDialog(const PrepareQuestion& question, QWidget* parent);

    // Shows the dialog until the user answers.
    PrepareAnswer ask();
    SampleShaping shaping() const;

private:
    void addNames(QLayout* layout);
    QLayout* shapingRow();
    void showSizes();

    const PrepareQuestion& question_;
    QCheckBox* mono_ = nullptr;
    QCheckBox* eightBit_ = nullptr;
    QCheckBox* normalize_ = nullptr;
    QCheckBox* trim_ = nullptr;
    QDoubleSpinBox* normalizeLevel_ = nullptr;
    QDoubleSpinBox* trimLevel_ = nullptr;
    QLabel* sizes_ = nullptr;
    QLabel* fit_ = nullptr;
    ConversionAnswer choice_ = ConversionAnswer::Cancel;
};

}  // namespace quodlin
