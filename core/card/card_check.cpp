#include "core/card/card_check.h"

#include <algorithm>
#include <iterator>
#include <unordered_map>
#include <unordered_set>

#include "core/card/card_listing.h"
#include "core/card/card_temporary.h"
#include "core/catalogue_file.h"
#include "core/io/whole_read.h"
#include "core/messages/messages.h"
#include "core/samples/sample_readiness.h"
#include "core/text/natural_order.h"
#include "core/text/text_functions.h"
#include "core/text/utf8.h"

namespace quodlin {
namespace {

constexpr Mode kModes[] = {Mode::Samples, Mode::Banks};

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
        : fs_(fs), cardRoot_(cardRoot), volume_(fs.volumeIdentity(cardRoot)), formats_(formats) {
        const std::vector<DirEntry> entries = fs.list(cardRoot);
        for (const DirEntry& entry : entries) {
            if (entry.isDirectory) continue;
            onCard_.insert(entry.name);
            if (!entry.unreadable.empty()) {
                add(Quoted(entry.name) + " could not be read (" + entry.unreadable + ").");
                unreadable_.insert(entry.name);
            }
            if (!entry.damaged.empty())
                add(Quoted(entry.name) + " is damaged: " + entry.damaged + ".");
            if (!entry.isSpecial) files_.push_back(entry.name);
        }
        SortNaturally(files_);
        for (const std::string& problem : fs.structureProblems(cardRoot)) add(problem);
        lines_ = ReadCatalogue(fs, cardRoot, FindCatalogueFiles(entries)).lines;
    }

    std::vector<std::string> run(bool readEvery) {
        if (readEvery) readEveryFile();
        const std::vector<std::string> keys = catalogueEntries();
        for (const std::string& key : keys) {
            if (!onCard_.contains(key)) {
                add("names.txt names " + Quoted(key) + ", which is not on the card.");
            }
        }
        for (const Mode mode : kModes) unnamedAndUnusable(mode);
        duplicates(keys);
        for (const std::string& file : files_) {
            if (IsLeftover(file)) add(Quoted(file) + " is a leftover temporary file.");
        }
        ensurePresent();
        return findings_;
    }

private:
    // The files the entry lines of both sections name. A line outside them that is not blank
    // is reported here.
    std::vector<std::string> catalogueEntries() {
        std::vector<std::string> keys;
        bool inSection = false;
        for (std::size_t i = 0; i < lines_.size(); ++i) {
            const std::string& line = lines_[i];
            if (IsSectionHeader(line)) {
                inSection =
                    line == SectionHeader(Mode::Samples) || line == SectionHeader(Mode::Banks);
                if (inSection) continue;
            }
            if (line.find_first_not_of(" \t") == std::string::npos) continue;
            if (!inSection) {
                add("Line " + std::to_string(i + 1) +
                    " of names.txt is outside any section: " + Quoted(line) + ".");
            } else if (auto key = EntryKey(line)) {
                keys.push_back(std::move(*key));
            }
        }
        return keys;
    }

    void unnamedAndUnusable(Mode mode) {
        const std::string kind = mode == Mode::Samples ? "samples" : "banks";
        std::vector<std::string> files;
        std::copy_if(files_.begin(), files_.end(), std::back_inserter(files),
                     [mode](const std::string& file) {
                         DirEntry entry;
                         entry.name = file;
                         return IsCardFileOfMode(entry, mode);
                     });
        const std::vector<std::string> names = FriendlyNames(lines_, files, mode);
        for (std::size_t i = 0; i < files.size(); ++i) {
            const std::string& file = files[i];
            if (!NameableInCatalogue(file)) {
                add(Quoted(file) +
                    " cannot have a friendly name: names.txt cannot tell a file name that begins "
                    "or ends with a blank or holds \"=\" or a control character.");
            } else if (names[i].empty()) {
                add(Quoted(file) + " has no friendly name.");
            }
            if (!IsInstrumentName(file, mode)) {
                add(Quoted(file) + " has a name the instrument does not use (" +
                    CardFileName(mode, 0) + " to " + CardFileName(mode, kCardNameCount - 1) + ").");
            } else if (mode == Mode::Samples) {
                notReady(file);
            }
        }
        if (files.size() > static_cast<std::size_t>(kCardNameCount)) {
            add("The card holds " + std::to_string(files.size()) + " " + kind +
                "; the instrument uses at most " + std::to_string(kCardNameCount) + ".");
        }
    }

    // A pulled card fails every read, which must not be blamed on its files.
    void ensurePresent() {
        try {
            if (fs_.volumeIdentity(cardRoot_) == volume_) return;
        } catch (const FileError&) {
        }
        throw FileError(FileErrorKind::CardRemoved, cardRoot_, kCardRemoved);
    }

    void readEveryFile() {
        std::vector<char> buffer(std::size_t{1} << 20);
        for (const std::string& file : files_) {
            if (unreadable_.contains(file)) continue;
            try {
                const auto input = fs_.openForReading(JoinNative(cardRoot_, file));
                WholeRead whole(*input, JoinNative(cardRoot_, file));
                while (whole.read(buffer.data(), buffer.size()) > 0) {
                }
            } catch (const FileError& error) {
                ensurePresent();
                add(error.kind() == FileErrorKind::Incomplete
                        ? error.reason()
                        : Quoted(file) + " could not be read (" + error.reason() + ").");
                unreadable_.insert(file);
            }
        }
    }

    void notReady(const std::string& file) {
        if (unreadable_.contains(file)) return;
        const std::vector<std::string> problems =
            SampleProblems(formats_.read(fs_, JoinNative(cardRoot_, file)));
        if (problems.empty()) return;
        add(Quoted(file) + " is not ready for the instrument: " + Joined(problems) + ".");
    }

    // Each file named twice or more is told once, at its second entry.
    void duplicates(const std::vector<std::string>& keys) {
        std::unordered_map<std::string_view, int, IgnoringCaseHash, IgnoringCaseEqual> seen;
        seen.reserve(keys.size());
        for (const std::string& key : keys) {
            if (++seen[key] == 2) add("names.txt names " + Quoted(key) + " more than once.");
        }
    }

    void add(std::string finding) { findings_.push_back(std::move(finding)); }

    FileSystem& fs_;
    std::string cardRoot_;
    std::string volume_;
    SampleFormats& formats_;
    std::vector<std::string> files_;
    std::unordered_set<std::string> unreadable_;
    std::unordered_set<std::string, IgnoringCaseHash, IgnoringCaseEqual> onCard_;
    std::vector<std::string> lines_;
    std::vector<std::string> findings_;
};

}  // namespace

std::vector<std::string> CheckCard(FileSystem& fs, const std::string& cardRoot,
                                   SampleFormats& formats, bool readEvery) {
    return CardCheck(fs, cardRoot, formats).run(readEvery);
}

}  // namespace quodlin
