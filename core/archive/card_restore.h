#pragma once

#include <string>

#include "core/archive/backup_verify.h"
#include "core/archive/card_backup.h"
#include "core/card/card_side.h"
#include "core/transfers/run_observer.h"
#include "platform/file_system.h"

namespace quodlin {

// What a card holds that a restore with replacing would take away.
struct CardHoldings {
    int samples = 0;
    int banks = 0;
    bool catalogue = false;
    int others = 0;
    // Samples, banks or a catalogue: the card is in use, and restoring must be asked for.
    bool inUse() const { return samples > 0 || banks > 0 || catalogue; }
};

// Counts what the card root's entries hold.
CardHoldings HoldingsOf(const std::vector<DirEntry>& rootEntries);

// "3 samples, 1 bank, names.txt and 2 other files".
std::string HoldingsText(const CardHoldings& holdings);

// The window's question before a restore: "Replace all 3 samples and names.txt on SmartMedia
// with the backup in '…'?", or, on an empty card, "Restore the backup in '…' to SmartMedia?".
std::string RestoreQuestion(const CardHoldings& holdings, const std::string& dir);

// Writes the backup onto the card pinned in card, under the card's lock, checking before every
// file that the card is still the one pinned. Each file is written under its temporary
// name, synced, read back and then renamed into place; names.txt comes last, so that a run that
// stops never leaves a catalogue naming files that are not there. Without replace nothing on the
// card is replaced; with it, the card ends up holding exactly the backup's files.
ArchiveResult RestoreCard(CardSide& card, const VerifiedBackup& backup, bool replace,
                          RunObserver& observer);

// "Restored 12 files to the card."
std::string RestoreDoneText(const ArchiveResult& result);

}  // namespace quodlin
