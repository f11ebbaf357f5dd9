// The lists follow the disk: changes made outside the program, and F5, reload both lists once
// the action in progress has ended. The window's own place is remembered between runs.
#include <QApplication>
#include <QFileSystemWatcher>
#include <QShortcut>
#include <QTimer>

#include "core/startup.h"
#include "ui/file_list_box.h"
#include "ui/main_window.h"

namespace quodlin {
namespace {

constexpr const char* kWindowSection = "Window";
constexpr const char* kGeometryKey = "Geometry";

}  // namespace

void frmQuodlinMain::connectWatchers() {
    diskWatcher_ = new QFileSystemWatcher(this);
    reloadTimer_ = new QTimer(this);
    // Many changes in a row, as a copy makes, give one reload.
    reloadTimer_->setSingleShot(true);
    reloadTimer_->setInterval(200);
    connect(diskWatcher_, &QFileSystemWatcher::directoryChanged, reloadTimer_,
            qOverload<>(&QTimer::start));
    connect(reloadTimer_, &QTimer::timeout, this, &frmQuodlinMain::reloadWhenIdle);
    connect(new QShortcut(QKeySequence(Qt::Key_F5), this), &QShortcut::activated, this,
            &frmQuodlinMain::reloadLists);
    watchFolders();
}

void frmQuodlinMain::watchFolders() {
    if (diskWatcher_ == nullptr) return;
    QStringList wanted;
    for (const std::string& dir : {FileList->directory(), card_.cardRoot()}) {
        if (!dir.empty()) wanted << QString::fromStdString(dir);
    }
    if (diskWatcher_->directories() == wanted) return;
    if (!diskWatcher_->directories().isEmpty()) {
        diskWatcher_->removePaths(diskWatcher_->directories());
    }
    if (!wanted.isEmpty()) diskWatcher_->addPaths(wanted);
}

// A question or a progress box is open: an action is running, and the lists wait for its end.
void frmQuodlinMain::reloadWhenIdle() {
    if (QApplication::activeModalWidget() != nullptr) {
        reloadTimer_->start();
        return;
    }
    reloadLists();
}

void frmQuodlinMain::reloadLists() {
    if (SelectedTab() == Tab::Help) return;
    refreshFileList();
    try {
        card_.smFile_PathChange();
    } catch (const FileError&) {
        // A card that went away is dropped by the list itself; one that cannot be read shows
        // empty until it can.
    }
    showCardList();
}

void frmQuodlinMain::restoreWindowPlace() {
    const std::string saved =
        parts_.settings.read(kSettingsApplication, kWindowSection, kGeometryKey, "");
    if (!saved.empty()) restoreGeometry(QByteArray::fromBase64(QByteArray::fromStdString(saved)));
}

void frmQuodlinMain::saveWindowPlace() {
    parts_.settings.write(kSettingsApplication, kWindowSection, kGeometryKey,
                          saveGeometry().toBase64().toStdString());
}

}  // namespace quodlin
