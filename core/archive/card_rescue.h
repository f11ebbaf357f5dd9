#pragma once

#include <string>

#include "core/archive/card_backup.h"

namespace quodlin {

inline constexpr const char* kDamagedListName = "DAMAGED.txt";

// A backup that never gives up on a file: each is read as RescueFile reads it, what stays
// unreadable is written as zeros, and every damaged file gets a line in DAMAGED.txt in dir. With
// nothing damaged the folder is a whole backup, SHA256SUMS and all; otherwise it has no
// SHA256SUMS, and the problems say how many files are damaged and where the list is.
ArchiveResult RescueCard(CardSide& card, const std::string& dir, RunObserver& observer);

// "Rescued 12 files to '/home/me/ES1 card'; nothing was damaged."
std::string RescueDoneText(const ArchiveResult& result, const std::string& dir);

}  // namespace quodlin
