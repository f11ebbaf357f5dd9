#include "platform/qt/desktop_file_system.h"

#include <QFile>

#include "platform/qt/freedesktop_trash.h"

namespace quodlin {

#if defined(__unix__) && !defined(__APPLE__)

// Only a trash that is there, or can be made as its rules say, takes files: never a folder of
// the program's making.
bool DesktopFileSystem::hasTrash(const std::string& dir) {
    return FreedesktopTrash::For(dir).has_value();
}

void DesktopFileSystem::moveToTrash(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    const std::string dir = slash == 0 ? "/" : path.substr(0, slash);
    const std::optional<FreedesktopTrash> trash = FreedesktopTrash::For(dir);
    if (!trash) throw FileError(FileErrorKind::Other, path, "there is no trash to move it to");
    trash->move(path);
}

#else

// The recycle bin, or the Finder's trash.
bool DesktopFileSystem::hasTrash(const std::string&) {
    return true;
}

void DesktopFileSystem::moveToTrash(const std::string& path) {
    const QString name = QFile::decodeName(QByteArray::fromStdString(path));
    // A name that does not survive the trip through text is left where it is, never deleted.
    if (QFile::encodeName(name).toStdString() != path || !QFile::moveToTrash(name)) {
        throw FileError(FileErrorKind::Other, path, "it could not be moved to the trash");
    }
}

#endif

}  // namespace quodlin
