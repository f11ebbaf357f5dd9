#include "core/card_check.h"

#include <algorithm>
#include <map>

#include "core/card_listing.h"
#include "core/card_temporary.h"
#include "core/catalogue_file.h"
#include "core/natural_order.h"
#include "core/sample_readiness.h"
#include "core/text_functions.h"

namespace quodlin {
namespace {

constexpr Mode kModes[] = {Mode::Samples, Mode::Banks};

std::string Quoted(const std::string& text) {
    return "'" + text + "'";
}

std::string LowerAscii(std::string text) {
    for (char& c : text) c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
    return text;
}

bool IsInstrumentName(const std::string& name, Mode mode) {
    for (int n = 0; n < kCardNameCount; ++n) {
        if (EqualsIgnoringCase(name, CardFileName(mode, n))) return true;
    }
    return false;
}

bool IsLeftover(const std::string& name) {
    return IsCardTemporaryName(name) || EqualsIgnoringCase(name, kLeftoverName) ||
           EqualsIgnoringCase(name, kTemporaryName);
}

class CardCheck {
public:
    CardCheck(FileSystem& fs, const std::string& cardRoot, SampleFormats& formats)
        : cardRoot_(cardRoot), formats_(formats) {
        const std::vector<DirEntry> entries = fs.list(cardRoot);
        for (const DirEntry& entry : entries) {
            if (!entry.isDirectory && !entry.isSpecial) files_.push_back(entry.name);
        }
        std::sort(files_.begin(), files_.end(),
                  [](const std::string& a, const std::string& b) { return NaturalLess(a, b); });
        lines_ = ReadCatalogue(fs, cardRoot, FindCatalogueFiles(entries)).lines;
    }

    std::vector<std::string> run() {
        const std::vector<Entry> entries = catalogueEntries();
        for (const Entry& entry : entries) {
            if (!onCard(entry.key)) {
                add("names.txt names " + Quoted(entry.key) + ", which is not on the card.");
            }
        }
        for (const Mode mode : kModes) unnamedAndUnusable(mode);
        duplicates(entries);
        for (const std::string& file : files_) {
            if (IsLeftover(file)) add(Quoted(file) + " is a leftover temporary file.");
        }
        return findings_;
    }

private:
    struct Entry {
        std::string key;
    };

    // The entry lines of both sections; every other line that is not empty is outside any
    // section and reported here.
    std::vector<Entry> catalogueEntries() {
        std::vector<Entry> entries;
        bool inSection = false;
        for (std::size_t i = 0; i < lines_.size(); ++i) {
            const std::string& line = lines_[i];
            const int number = static_cast<int>(i) + 1;
            if (line.starts_with('[')) {
                inSection =
                    line == SectionHeader(Mode::Samples) || line == SectionHeader(Mode::Banks);
                if (inSection) continue;
            }
            if (line.empty()) continue;
            const std::size_t separator = line.find('=');
            if (inSection && separator != std::string::npos) {
                entries.push_back({line.substr(0, separator)});
            } else {
                add("Line " + std::to_string(number) +
                    " of names.txt is outside any section: " + Quoted(line) + ".");
            }
        }
        return entries;
    }

    void unnamedAndUnusable(Mode mode) {
        const std::string kind = mode == Mode::Samples ? "samples" : "banks";
        int count = 0;
        for (const std::string& file : files_) {
            if (!IsCardFileOfMode({file, false}, mode)) continue;
            ++count;
            if (FindFriendlyName(lines_, file, mode).empty()) {
                add(Quoted(file) + " has no friendly name.");
            }
            if (!IsInstrumentName(file, mode)) {
                add(Quoted(file) + " has a name the instrument does not use (" +
                    CardFileName(mode, 0) + " to " + CardFileName(mode, kCardNameCount - 1) + ").");
            } else if (mode == Mode::Samples) {
                notReady(file);
            }
        }
        if (count > kCardNameCount) {
            add("The card holds " + std::to_string(count) + " " + kind +
                "; the instrument uses at most " + std::to_string(kCardNameCount) + ".");
        }
    }

    void notReady(const std::string& file) {
        const std::vector<std::string> problems =
            SampleProblems(formats_.read(JoinNative(cardRoot_, file)));
        if (problems.empty()) return;
        std::string text;
        for (const std::string& problem : problems) text += (text.empty() ? "" : ", ") + problem;
        add(Quoted(file) + " is not ready for the instrument: " + text + ".");
    }

    void duplicates(const std::vector<Entry>& entries) {
        std::map<std::string, int> seen;
        for (const Entry& entry : entries) {
            if (++seen[LowerAscii(entry.key)] == 2) {
                add("names.txt names " + Quoted(entry.key) + " more than once.");
            }
        }
    }

    bool onCard(const std::string& name) const {
        return std::any_of(files_.begin(), files_.end(),
                           [&](const std::string& file) { return EqualsIgnoringCase(file, name); });
    }

    void add(std::string finding) { findings_.push_back(std::move(finding)); }

    std::string cardRoot_;
    SampleFormats& formats_;
    std::vector<std::string> files_;
    std::vector<std::string> lines_;
    std::vector<std::string> findings_;
};

}  // namespace

std::vector<std::string> CheckCard(FileSystem& fs, const std::string& cardRoot,
                                   SampleFormats& formats) {
    return CardCheck(fs, cardRoot, formats).run();
}

}  // namespace quodlin
