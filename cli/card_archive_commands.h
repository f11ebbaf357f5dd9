#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/sample_formats.h"

namespace quodlin {

// What backup, restore and check work with. usageError tells what is wrong with the command
// line and returns the usage exit status.
struct ArchiveArgs {
    const std::vector<std::string>& operands;
    bool replace;
    bool readEvery;
    bool fix;
    FileSystem& card;      // the card's: the computer's own, or a card image's
    FileSystem& computer;  // where backups are written and read
    SampleFormats& formats;
    std::ostream& out;
    std::ostream& err;
    std::function<int(const std::string&)> usageError;
};

// backup CARD DIR
int BackupCommand(const ArchiveArgs& args);
// rescue CARD DIR
int RescueCommand(const ArchiveArgs& args);
// restore [--replace] DIR CARD
int RestoreCommand(const ArchiveArgs& args);
// check [--read] [--fix] CARD
int CheckCommand(const ArchiveArgs& args);

}  // namespace quodlin
