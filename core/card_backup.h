#pragma once

#include <string>
#include <vector>

#include "core/run_observer.h"
#include "platform/file_system.h"

namespace quodlin {

// What a backup or restore run did: the files it finished, and one message for each thing that
// failed (none when all went well).
struct ArchiveResult {
    std::vector<std::string> files;
    std::vector<std::string> problems;
    bool done() const { return problems.empty(); }
};

// Copies every file of the card root, byte for byte and under its own name, into dir, which must
// be new or empty. Each copy is read back and compared with what was read from the card; dir
// then gets a SHA256SUMS of the copies that passed. A file that fails is reported and the run
// goes on, so that a failing card gives up as much as it still can.
ArchiveResult BackUpCard(FileSystem& fs, const std::string& cardRoot, const std::string& dir,
                         RunObserver& observer);

// "Backed up 12 files to '/home/me/ES1 card'."
std::string BackupDoneText(const ArchiveResult& result, const std::string& dir);

}  // namespace quodlin
