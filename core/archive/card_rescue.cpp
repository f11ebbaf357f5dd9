#include "core/archive/card_rescue.h"

#include "core/archive/sector_rescue.h"
#include "core/card/card_listing.h"
#include "core/io/file_io.h"
#include "core/messages/messages.h"
#include "core/text/text_functions.h"
#include "core/text/wording.h"

namespace quodlin {
namespace {

struct Damage {
    std::string name;
    std::string friendlyName;
    std::string line;
};

// The friendly name of a card file, or "" when the catalogue cannot tell it: a damaged card may
// not give its catalogue up either.
std::string FriendlyNameOf(CardSide& card, const std::string& name) {
    for (const Mode mode : {Mode::Samples, Mode::Banks}) {
        if (!HasModeExtension(name, mode)) continue;
        try {
            return FriendlyNames(card.catalogue().lines, {name}, mode).front();
        } catch (const FileError&) {
            return "";
        }
    }
    return "";
}

std::string RangesText(const LostBytes& lost) {
    std::vector<std::string> ranges;
    for (const auto& [first, last] : lost.ranges) {
        ranges.push_back(Grouped(first) + "-" + Grouped(last));
    }
    return Joined(ranges);
}

// "01.wav (Kick drum): 174,124 of 256,044 bytes lost, at bytes 81,920-256,043"
std::string DamageLine(const std::string& name, const std::string& friendlyName,
                       const RescuedFile& file) {
    const std::string named = friendlyName.empty() ? name : name + " (" + friendlyName + ")";
    if (!file.unopened.empty()) return named + ": could not be opened (" + file.unopened + ")";
    return named + ": " + Grouped(file.lost.count()) + " of " + Grouped(file.size) +
           " bytes lost, at bytes " + RangesText(file.lost);
}

void WriteDamagedList(FileSystem& fs, const std::string& dir, const std::vector<Damage>& damage,
                      ArchiveResult& result) {
    std::string text;
    for (const Damage& file : damage) text += file.line + "\r\n";
    const std::string path = JoinNative(dir, kDamagedListName);
    try {
        WriteNewFile(fs, path, text);
        result.problems.push_back(
            Counted(static_cast<long long>(damage.size()), "file is damaged", "files are damaged") +
            ": the list is in " + Quoted(path) + ".");
    } catch (const FileError& error) {
        result.problems.push_back(
            Counted(static_cast<long long>(damage.size()), "file is damaged", "files are damaged") +
            ", and " + Quoted(path) + " could not be written" + BecauseOf(error) + ":");
        for (const Damage& file : damage) result.problems.push_back(file.line);
    }
}

}  // namespace

ArchiveResult RescueCard(CardSide& card, const std::string& dir, RunObserver& observer) {
    FileSystem& fs = card.computer();
    try {
        card.smFile_PathChange();
    } catch (const FileError&) {
        // The damage list then goes without friendly names; the files are what counts.
    }
    std::vector<Damage> damage;
    ArchiveResult result = CopyCardFiles(
        card, dir, observer, "rescue", [&](const std::string& from, const std::string& to) {
            const RescuedFile file = RescueFile(card.fileSystem(), from, fs, to, observer);
            if (file.lost.empty() && file.unopened.empty()) return ReadBack(fs, to, file.digest);
            // A card pulled out fails every read: that is no damage, and its zeros no rescue.
            try {
                card.ensureCardPresent();
            } catch (const FileError&) {
                RemoveQuietly(fs, to);
                throw;
            }
            const std::string name = FileNameOf(from);
            const std::string friendlyName = FriendlyNameOf(card, name);
            damage.push_back({name, friendlyName, DamageLine(name, friendlyName, file)});
            throw FileError(
                FileErrorKind::Incomplete, from,
                Quoted(name) + (file.unopened.empty()
                                    ? " is damaged: " + Grouped(file.lost.count()) + " of " +
                                          Grouped(file.size) +
                                          " bytes could not be read and are zeros in its copy."
                                    : " could not be opened (" + file.unopened + ")."));
        });
    if (!damage.empty()) WriteDamagedList(fs, dir, damage, result);
    return result;
}

std::string RescueDoneText(const ArchiveResult& result, const std::string& dir) {
    return "Rescued " + Counted(static_cast<long long>(result.files.size()), "file") + " to " +
           Quoted(dir) + "; nothing was damaged.";
}

}  // namespace quodlin
