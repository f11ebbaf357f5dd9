#include "core/catalogue_file.h"

#include <algorithm>
#include <map>
#include <optional>
#include <unordered_map>
#include <unordered_set>

#include "core/io/file_io.h"
#include "core/text/text_functions.h"
#include "core/text/utf8.h"

namespace quodlin {

CatalogueFiles FindCatalogueFiles(const std::vector<DirEntry>& rootEntries) {
    return {StoredName(rootEntries, kCatalogueName), StoredName(rootEntries, kLeftoverName),
            StoredName(rootEntries, kTemporaryName)};
}

bool IsSectionHeader(std::string_view line) {
    return line.size() >= 2 && line.front() == '[' && line.back() == ']' &&
           line.find('=') == std::string_view::npos;
}

namespace {

using Lines = std::vector<std::string>;

struct Entry {
    std::string_view key;
    std::string_view name;
};

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

std::optional<Entry> ReadEntry(std::string_view line) {
    const std::size_t separator = line.find('=');
    if (separator == std::string_view::npos) return std::nullopt;
    std::string_view name = line.substr(separator + 1);
    if (separator > 0 && IsBlank(line[separator - 1])) {
        while (!name.empty() && IsBlank(name.front())) name.remove_prefix(1);
    }
    return Entry{TrimBlanks(line.substr(0, separator)), name};
}

bool IsEntryOfMode(std::string_view line, Mode mode) {
    const auto entry = ReadEntry(line);
    return entry && HasModeExtension(entry->key, mode);
}

// The first line past from that starts the next section, or end.
Lines::const_iterator SectionEnd(Lines::const_iterator from, Lines::const_iterator end) {
    return std::find_if(from, end, [](const std::string& line) { return IsSectionHeader(line); });
}

// Where the lines a merge adds to a section go: at its end, before its closing empty lines.
Lines::size_type SectionInsertPoint(const Lines& lines, Lines::size_type start) {
    auto end = SectionEnd(lines.begin() + static_cast<std::ptrdiff_t>(start), lines.cend());
    const auto first = lines.begin() + static_cast<std::ptrdiff_t>(start);
    while (end != first && TrimBlanks(*(end - 1)).empty()) --end;
    return static_cast<Lines::size_type>(end - lines.cbegin());
}

CatalogueText ReadCatalogueFile(FileSystem& fs, const std::string& path) {
    // A real catalogue is a few kilobytes; anything this large is not one.
    return ParseCatalogue(
        ReadWholeFile(fs, path, kLargestCatalogue, "larger than 1 MiB, so not a catalogue"));
}

}  // namespace

std::optional<std::string> EntryKey(std::string_view line) {
    const auto entry = ReadEntry(line);
    if (!entry) return std::nullopt;
    return std::string(entry->key);
}

std::vector<std::string> FriendlyNames(const Lines& lines,
                                       const std::vector<std::string>& fileNames, Mode mode) {
    // The lines that may name a file, in the order they are searched: the mode's section first.
    std::vector<std::size_t> order;
    const auto section = std::find(lines.begin(), lines.end(), SectionHeader(mode));
    if (section != lines.end()) {
        const auto end = SectionEnd(section + 1, lines.end());
        for (auto line = section + 1; line != end; ++line) order.push_back(line - lines.begin());
    }
    for (std::size_t i = 0; i < lines.size(); ++i) order.push_back(i);
    std::unordered_map<std::string, std::vector<std::size_t>> byKey;
    for (const std::size_t i : order) {
        if (const auto entry = ReadEntry(lines[i]))
            byKey[LowerAscii(std::string(entry->key))].push_back(i);
    }
    std::vector<bool> used(lines.size(), false);
    std::vector<std::string> names(fileNames.size());
    std::vector<bool> named(fileNames.size(), false);
    // Lines spelt as their file are handed out first, then the others in any letter case.
    for (const bool exact : {true, false}) {
        for (std::size_t f = 0; f < fileNames.size(); ++f) {
            const auto candidates = byKey.find(LowerAscii(fileNames[f]));
            if (named[f] || !NameableInCatalogue(fileNames[f]) || candidates == byKey.end()) {
                continue;
            }
            const auto& list = candidates->second;
            const auto chosen = std::find_if(list.begin(), list.end(), [&](std::size_t i) {
                return !used[i] && (!exact || ReadEntry(lines[i])->key == fileNames[f]);
            });
            if (chosen == list.end()) continue;
            used[*chosen] = true;
            named[f] = true;
            names[f] = std::string(ReadEntry(lines[*chosen])->name);
        }
    }
    return names;
}

bool NameableInCatalogue(const std::string& fileName) {
    // A line end or other control character would break the line the entry is written on.
    const bool control = std::any_of(fileName.begin(), fileName.end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x20 || c == '\x7F';
    });
    return !fileName.empty() && !IsBlank(fileName.front()) && !IsBlank(fileName.back()) &&
           fileName.find('=') == std::string::npos && !control;
}

Lines EmptyCatalogueLines() {
    return {"[ES1 banks]", "", "[ES1 samples]"};
}

Lines RewriteSection(const Lines& oldLines, Mode mode, const NameTable& table,
                     const std::vector<std::string>& kept) {
    const auto replaced = [&](const std::string& line) {
        const auto entry = ReadEntry(line);
        return entry && HasModeExtension(entry->key, mode) &&
               std::none_of(kept.begin(), kept.end(), [&](const std::string& name) {
                   return EqualsIgnoringCase(name, entry->key);
               });
    };
    const std::string header = SectionHeader(mode);
    const auto head = std::find(oldLines.begin(), oldLines.end(), header);
    Lines lines(oldLines.begin(), head == oldLines.end() ? head : head + 1);
    if (head == oldLines.end()) lines.push_back(header);
    const auto first = head == oldLines.end() ? head : head + 1;
    const auto end = SectionEnd(first, oldLines.end());
    // The table takes the place of the first entry of the mode's kind.
    auto place =
        std::find_if(first, end, [mode](const std::string& l) { return IsEntryOfMode(l, mode); });
    if (place == end) place = first;
    for (auto line = first; line <= end; ++line) {
        if (line == place) {
            for (const CardEntry& entry : table.entries()) {
                if (NameableInCatalogue(entry.fileName))
                    lines.push_back(entry.fileName + "=" + entry.name);
            }
        }
        if (line == end) break;
        // Empty lines only close the section; the writer makes its own.
        if (!replaced(*line) && !TrimBlanks(*line).empty()) lines.push_back(*line);
    }
    lines.emplace_back();
    // The section was the last one: the file ends with two empty lines.
    if (end == oldLines.end()) lines.emplace_back();
    lines.insert(lines.end(), end, oldLines.end());
    return lines;
}

void MergeLeftover(CatalogueText& catalogue, const CatalogueText& leftover) {
    Lines& lines = catalogue.lines;
    if (!catalogue.lastLineEnded && !lines.empty()) lines.pop_back();
    if (lines.empty()) {
        catalogue.encoding = leftover.encoding;
        catalogue.eightBit = leftover.eightBit;
    }
    // Views into the lines, which stay in place until the merged lines are built.
    std::unordered_set<std::string_view, IgnoringCaseHash, IgnoringCaseEqual> named;
    named.reserve(lines.size() + leftover.lines.size());
    for (const std::string& line : lines) {
        if (const auto entry = ReadEntry(line)) named.insert(entry->key);
    }
    // The lines to add by the header of their section ("" before the first), headers in the
    // order they first need one.
    std::map<std::string, Lines> added;
    Lines headers;
    std::string header;
    for (const std::string& line : leftover.lines) {
        if (IsSectionHeader(line)) header = line;
        const auto entry = ReadEntry(line);
        if (!entry || !named.insert(entry->key).second) continue;
        auto [place, isNew] = added.try_emplace(header);
        if (isNew) headers.push_back(header);
        place->second.push_back(line);
    }
    // Each section's additions by the line they go before; sections the catalogue lacks follow
    // at its end, each under its header.
    std::map<Lines::size_type, const Lines*> at;
    Lines missing;
    for (const std::string& h : headers) {
        const auto start = h.empty() ? lines.begin() : std::find(lines.begin(), lines.end(), h);
        if (start == lines.end() && !h.empty()) {
            missing.push_back(h);
            missing.insert(missing.end(), added[h].begin(), added[h].end());
            continue;
        }
        const auto first = static_cast<Lines::size_type>(start - lines.begin());
        at[SectionInsertPoint(lines, h.empty() ? first : first + 1)] = &added[h];
    }
    Lines merged;
    merged.reserve(lines.size() + leftover.lines.size());
    for (Lines::size_type i = 0; i <= lines.size(); ++i) {
        if (const auto found = at.find(i); found != at.end()) {
            merged.insert(merged.end(), found->second->begin(), found->second->end());
        }
        if (i < lines.size()) merged.push_back(std::move(lines[i]));
    }
    merged.insert(merged.end(), missing.begin(), missing.end());
    lines = std::move(merged);
    catalogue.lastLineEnded = true;
}

CatalogueText ReadCatalogue(FileSystem& fs, const std::string& cardRoot,
                            const CatalogueFiles& files) {
    if (files.catalogue.empty() && files.leftover.empty()) return {};
    if (files.leftover.empty()) return ReadCatalogueFile(fs, JoinNative(cardRoot, files.catalogue));
    CatalogueText leftover = ReadCatalogueFile(fs, JoinNative(cardRoot, files.leftover));
    if (files.catalogue.empty()) return leftover;
    CatalogueText catalogue = ReadCatalogueFile(fs, JoinNative(cardRoot, files.catalogue));
    MergeLeftover(catalogue, leftover);
    return catalogue;
}

std::vector<std::string> RewriteCatalogue(CatalogueText& text, Mode mode, NameTable& table,
                                          const std::vector<std::string>& kept) {
    table.sort();
    if (text.lines.empty()) text.lines = EmptyCatalogueLines();
    text.lines = RewriteSection(text.lines, mode, table, kept);
    std::vector<std::string> changed;
    if (text.encoding == CatalogueEncoding::Windows1252 && text.eightBit) {
        for (const CardEntry& entry : table.entries()) {
            if (!FitsWindows1252(entry.name)) changed.push_back(entry.name);
        }
    }
    return changed;
}

void WriteCatalogue(FileSystem& fs, const std::string& cardRoot, const CatalogueFiles& files,
                    const CatalogueText& text) {
    const std::string bytes = SerializeCatalogue(text);
    const std::string target =
        JoinNative(cardRoot, files.catalogue.empty() ? kCatalogueName : files.catalogue);
    if (bytes.size() > kLargestCatalogue) {
        throw FileError(FileErrorKind::Other, target,
                        "it would grow past 1 MiB, more than a catalogue may hold");
    }
    const std::string temporary = JoinNative(cardRoot, kTemporaryName);
    // A temporary file left by an interrupted save never replaced anything: it may be partial.
    if (!files.temporary.empty()) fs.remove(JoinNative(cardRoot, files.temporary));
    WriteNewFile(fs, temporary, bytes);
    try {
        fs.replace(temporary, target);
    } catch (const FileError&) {
        RemoveQuietly(fs, temporary);
        throw;
    }
    if (!files.leftover.empty()) fs.remove(JoinNative(cardRoot, files.leftover));
}

}  // namespace quodlin
