#include "core/catalogue_file.h"

#include <algorithm>
#include <optional>

#include "core/file_io.h"
#include "core/natural_order.h"
#include "core/text_functions.h"

namespace quodlin {

CatalogueFiles FindCatalogueFiles(const std::vector<DirEntry>& rootEntries) {
    return {StoredName(rootEntries, kCatalogueName), StoredName(rootEntries, kLeftoverName),
            StoredName(rootEntries, kTemporaryName)};
}

namespace {

// The friendly name on the first line of [first, last) that names fileName.
template <typename Iterator>
std::optional<std::string> NameInLines(Iterator first, Iterator last, const std::string& fileName) {
    for (; first != last; ++first) {
        const std::size_t separator = first->find('=');
        if (separator == std::string::npos) continue;
        if (EqualsIgnoringCase(std::string_view(*first).substr(0, separator), fileName)) {
            return first->substr(separator + 1);
        }
    }
    return std::nullopt;
}

}  // namespace

std::string FindFriendlyName(const std::vector<std::string>& lines, const std::string& fileName,
                             Mode mode) {
    auto section = std::find(lines.begin(), lines.end(), SectionHeader(mode));
    if (section != lines.end()) {
        const auto end = std::find_if(section + 1, lines.end(), [](const std::string& line) {
            return line.starts_with('[');
        });
        if (auto name = NameInLines(section + 1, end, fileName)) return *name;
    }
    return NameInLines(lines.begin(), lines.end(), fileName).value_or("");
}

std::vector<std::string> EmptyCatalogueLines() {
    return {"[ES1 banks]", "", "[ES1 samples]"};
}

std::vector<std::string> RewriteSection(const std::vector<std::string>& oldLines, Mode mode,
                                        const NameTable& table) {
    const std::string header = SectionHeader(mode);
    std::vector<std::string> lines;
    std::size_t next = 0;
    bool headerFound = false;
    while (next < oldLines.size() && !headerFound) {
        lines.push_back(oldLines[next]);
        headerFound = oldLines[next++] == header;
    }
    if (!headerFound) lines.push_back(header);
    for (const CardEntry& entry : table.entries())
        lines.push_back(entry.fileName + "=" + entry.name);
    lines.emplace_back();
    while (next < oldLines.size() && !oldLines[next].starts_with('[')) ++next;
    if (next == oldLines.size()) {
        // The section was the last one: the file ends with two empty lines.
        lines.emplace_back();
    }
    lines.insert(lines.end(), oldLines.begin() + static_cast<std::ptrdiff_t>(next), oldLines.end());
    return lines;
}

CatalogueText ReadCatalogue(FileSystem& fs, const std::string& cardRoot,
                            const CatalogueFiles& files) {
    if (files.source().empty()) return {};
    return ParseCatalogue(ReadWholeFile(fs, JoinNative(cardRoot, files.source())));
}

void SortAndSaveNames(FileSystem& fs, const std::string& cardRoot, Mode mode, NameTable& table) {
    table.sort();
    const CatalogueFiles files = FindCatalogueFiles(fs.list(cardRoot));
    CatalogueText old = ReadCatalogue(fs, cardRoot, files);
    if (old.lines.empty()) old.lines = EmptyCatalogueLines();
    const std::string bytes =
        SerializeCatalogue(RewriteSection(old.lines, mode, table), old.encoding);

    const std::string temporary = JoinNative(cardRoot, kTemporaryName);
    // A temporary file left by an interrupted save never replaced anything: it may be partial.
    if (!files.temporary.empty()) fs.remove(JoinNative(cardRoot, files.temporary));
    WriteNewFile(fs, temporary, bytes);
    const std::string target =
        JoinNative(cardRoot, files.catalogue.empty() ? kCatalogueName : files.catalogue);
    try {
        fs.replace(temporary, target);
    } catch (const FileError&) {
        RemoveQuietly(fs, temporary);
        throw;
    }
    if (!files.leftover.empty()) fs.remove(JoinNative(cardRoot, files.leftover));
}

}  // namespace quodlin
