#pragma once

#include <string>
#include <vector>

#include "core/card/card_side.h"
#include "platform/sample_formats.h"

namespace quodlin {

// A card file of the mode as the card list shows it, with what its header says.
struct CardFileInfo {
    CardEntry entry;
    std::string line;
    SampleFormat format;  // for a bank only its size
    std::string damaged;  // why some of its bytes are lost, as the card image tells; "" if none
};

// Why some of the card file's bytes are lost, as the card's last listing told; "" when none are.
std::string DamageOf(const CardSide& card, const CardEntry& entry);

// The card list's files with their formats, in the list's order. Throws FileError when a bank's
// size cannot be read.
std::vector<CardFileInfo> ReadCardFiles(CardSide& card, SampleFormats& formats);

// The line `info` prints for a card file: "00.wav = Kick · 32000 Hz · ... · ready", or with
// "not ready: 44100 Hz, 24-bit".
std::string CardFileInfoLine(const CardFileInfo& file, Mode mode);

}  // namespace quodlin
