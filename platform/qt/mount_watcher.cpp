#include "platform/qt/mount_watcher.h"

#include <QSocketNotifier>
#include <QStorageInfo>
#include <QTimer>

#ifdef __linux__
#include <fcntl.h>
#include <unistd.h>
#endif

namespace quodlin {

MountWatcher::MountWatcher(QObject* parent) : QObject(parent) {
#ifdef __linux__
    mountInfo_ = ::open("/proc/self/mountinfo", O_RDONLY | O_CLOEXEC);
    if (mountInfo_ >= 0) {
        readMountTable();
        notifier_ = new QSocketNotifier(mountInfo_, QSocketNotifier::Exception, this);
        connect(notifier_, &QSocketNotifier::activated, this, [this] {
            readMountTable();
            emit mountsChanged();
        });
        return;
    }
#endif
    for (const QStorageInfo& storage : QStorageInfo::mountedVolumes()) roots_ << storage.rootPath();
    timer_ = new QTimer(this);
    connect(timer_, &QTimer::timeout, this, &MountWatcher::pollVolumes);
    timer_->start(2000);
}

MountWatcher::~MountWatcher() {
#ifdef __linux__
    if (mountInfo_ >= 0) ::close(mountInfo_);
#endif
}

// The kernel raises the event until the table is read again from its start.
void MountWatcher::readMountTable() {
#ifdef __linux__
    char buffer[4096];
    ::lseek(mountInfo_, 0, SEEK_SET);
    while (::read(mountInfo_, buffer, sizeof buffer) > 0) {
    }
#endif
}

void MountWatcher::pollVolumes() {
    QStringList roots;
    for (const QStorageInfo& storage : QStorageInfo::mountedVolumes()) roots << storage.rootPath();
    if (roots == roots_) return;
    roots_ = roots;
    emit mountsChanged();
}

}  // namespace quodlin
