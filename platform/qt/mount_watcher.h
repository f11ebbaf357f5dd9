#pragma once

#include <QObject>
#include <QStringList>

class QSocketNotifier;
class QTimer;

namespace quodlin {

// Tells when volumes are mounted or unmounted: on Linux woken by the kernel through
// /proc/self/mountinfo, elsewhere by looking at the mounted volumes every two seconds.
class MountWatcher : public QObject {
    Q_OBJECT
public:
    explicit MountWatcher(QObject* parent);
    ~MountWatcher() override;

signals:
    void mountsChanged();

private:
    void readMountTable();
    void pollVolumes();

    int mountInfo_ = -1;
    QSocketNotifier* notifier_ = nullptr;
    QTimer* timer_ = nullptr;
    QStringList roots_;
};

}  // namespace quodlin
