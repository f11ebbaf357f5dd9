#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/card/card_side.h"
#include "core/transfers/run_observer.h"
#include "platform/file_system.h"

namespace quodlin {

// What a backup or restore run did: the files it finished, and one message for each thing that
// failed (none when all went well).
struct ArchiveResult {
    std::vector<std::string> files;
    std::vector<std::string> problems;
    int leftoversSkipped = 0;  // hidden files of unfinished writes, never backed up
    bool done() const { return problems.empty(); }
};

// Copies every file of the card in use, byte for byte and under its own name, into dir, which
// must be new or empty, holding the card's lock shared so that no run changes the card meanwhile.
// Each copy is read back and compared with what was read from the card. Only when every file
// was copied does dir get its SHA256SUMS, last: a folder without one is no whole backup. A file
// that fails is reported and the run goes on, so that a failing card gives up as much as it
// still can; a removed card ends it.
ArchiveResult BackUpCard(CardSide& card, const std::string& dir, RunObserver& observer);

// How one card file reaches the folder: copies from into the new file to and returns the
// SHA-256 of what it wrote, or throws FileError.
using CopyCardFile = std::function<std::string(const std::string& from, const std::string& to)>;

// Reads copy back and returns digest when its bytes still have it; otherwise removes the copy and
// throws FileError.
std::string ReadBack(FileSystem& fs, const std::string& copy, const std::string& digest);

// Runs what BackUpCard runs, with copyFile doing each file; runName ("backup") is what a cancel
// says was canceled.
ArchiveResult CopyCardFiles(CardSide& card, const std::string& dir, RunObserver& observer,
                            const std::string& runName, const CopyCardFile& copyFile);

// "Backed up 12 files to '/home/me/ES1 card'."
std::string BackupDoneText(const ArchiveResult& result, const std::string& dir);

}  // namespace quodlin
