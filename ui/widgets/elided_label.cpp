#include "ui/widgets/elided_label.h"

#include <QEvent>
#include <QFontMetrics>

namespace quodlin {

ElidedLabel::ElidedLabel(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
}

void ElidedLabel::setFullText(const QString& text) {
    fullText_ = text;
    setAccessibleName(text);
    elide();
    updateGeometry();
}

QSize ElidedLabel::sizeHint() const {
    const QFontMetrics metrics(font());
    return {metrics.horizontalAdvance(fullText_) + 2 * margin() + 2, metrics.height()};
}

// Any width will do: the text is cut to fit.
QSize ElidedLabel::minimumSizeHint() const {
    return {0, QFontMetrics(font()).height()};
}

void ElidedLabel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    elide();
}

void ElidedLabel::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange) elide();
}

void ElidedLabel::elide() {
    const int room = contentsRect().width();
    const QString shown = fontMetrics().elidedText(fullText_, Qt::ElideMiddle, room);
    setText(shown);
    setToolTip(shown == fullText_ ? QString() : fullText_);
}

}  // namespace quodlin
