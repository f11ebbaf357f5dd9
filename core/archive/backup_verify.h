#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/transfers/run_observer.h"
#include "platform/file_system.h"

namespace quodlin {

struct BackupFile {
    std::string name;
    std::string digest;
    std::uint64_t size = 0;
};

// A backup folder whose every file matched its SHA256SUMS line when it was checked.
struct VerifiedBackup {
    std::string dir;
    std::vector<BackupFile> files;  // names.txt last, so that it is restored last
    std::string problem;            // "" when the backup can be restored
};

// Reads dir's SHA256SUMS and checks every file it names against it.
VerifiedBackup VerifyBackup(FileSystem& fs, const std::string& dir, RunObserver& observer);

}  // namespace quodlin
