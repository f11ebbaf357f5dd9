#include "ui/running/first_paint.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>
#include <cstdio>

namespace quodlin {
namespace {

class QuitOnFirstPaint : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            // The moment the bench takes as the end of start-up.
            std::fputs("painted\n", stdout);
            std::fflush(stdout);
            QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit,
                                      Qt::QueuedConnection);
        }
        return false;
    }
};

}  // namespace

void QuitWhenShownIfAsked(QWidget& window) {
    if (qEnvironmentVariableIsEmpty("QUODLIN_QUIT_WHEN_SHOWN")) return;
    window.installEventFilter(new QuitOnFirstPaint(&window));
}

}  // namespace quodlin
