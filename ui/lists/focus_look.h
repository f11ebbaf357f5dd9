#pragma once

#include <QObject>

class QAbstractItemView;

namespace quodlin {

// Shows which of the two lists has the focus, since the keys act on that one: it gets a frame in
// the highlight colour and draws its selection in the highlight, while a list without the focus
// draws its selection in the palette's inactive colours, muted where the style gives none.
// Follows the application's palette, a dark one too.
class FocusLook : public QObject {
public:
    explicit FocusLook(QAbstractItemView* list);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void show(bool focused);

    QAbstractItemView* list_;
};

}  // namespace quodlin
