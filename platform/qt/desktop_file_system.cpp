#include "platform/qt/desktop_file_system.h"

#include <QFile>

namespace quodlin {

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

}  // namespace quodlin
