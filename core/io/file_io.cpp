#include "core/io/file_io.h"

#include "core/io/whole_read.h"
#include "core/text/utf8.h"

namespace quodlin {

std::string ReadWholeFile(FileSystem& fs, const std::string& path, std::size_t maxBytes,
                          const std::string& reason) {
    auto input = fs.openForReading(path);
    WholeRead whole(*input, path);
    if (whole.promised() > maxBytes) throw FileError(FileErrorKind::Other, path, reason);
    std::string bytes;
    char buffer[64 * 1024];
    while (const std::size_t got = whole.read(buffer, sizeof buffer)) {
        bytes.append(buffer, got);
        if (bytes.size() > maxBytes) throw FileError(FileErrorKind::Other, path, reason);
    }
    return bytes;
}

void WriteNewFile(FileSystem& fs, const std::string& path, const std::string& bytes) {
    auto output = fs.createNew(path);
    try {
        output->write(bytes.data(), bytes.size());
        output->sync();
        output->close();
    } catch (const FileError&) {
        output.reset();
        RemoveQuietly(fs, path);
        throw;
    }
}

void RemoveQuietly(FileSystem& fs, const std::string& path) {
    try {
        fs.remove(path);
    } catch (const FileError&) {
        // Nothing more can be done here; the error that led here is the one reported.
    }
}

std::string StoredName(const std::vector<DirEntry>& entries, const std::string& name) {
    const auto found = FindName(entries.begin(), entries.end(), name, [](const DirEntry& entry) {
        return entry.isDirectory ? std::string() : entry.name;
    });
    return found == entries.end() ? "" : found->name;
}

}  // namespace quodlin
