#pragma once

#include <QDialog>

#include "platform/prompt.h"

class QCheckBox;
class QLabel;

namespace quodlin {

// "Prepare for the ES1": the samples of a run, how to shape them, and their size on the card
// before and after, which follows the boxes. Convert is the default (Enter); Escape cancels.
class PrepareDialog : public QDialog {
    Q_OBJECT
public:
    PrepareDialog(const PrepareQuestion& question, QWidget* parent);

    // Shows the dialog until the user answers.
    PrepareAnswer ask();
    SampleShaping shaping() const;

private:
    void showSizes();

    const PrepareQuestion& question_;
    QCheckBox* mono_;
    QCheckBox* eightBit_;
    QCheckBox* normalize_;
    QCheckBox* trim_;
    QLabel* sizes_;
    ConversionAnswer choice_ = ConversionAnswer::Cancel;
};

}  // namespace quodlin
