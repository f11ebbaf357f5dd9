// The yardstick of bench/startup.sh: an empty Qt Widgets window of the main window's size that
// quits once it has painted itself, as quodlin does with QUODLIN_QUIT_WHEN_SHOWN. With --label
// it shows one word.
#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QWidget>
#include <cstdio>

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

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle("Minimal");
    window.resize(495, 358);
    if (argc > 1 && QByteArray(argv[1]) == "--label") new QLabel("Samples", &window);
    window.installEventFilter(new QuitOnFirstPaint(&window));
    window.show();
    return app.exec();
}
