#pragma once

#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/sample_formats.h"

namespace quodlin {

inline constexpr const char* kCardInOrder = "The card is in order.";

// What is wrong with the card, one line each: catalogue entries without their file, card files
// without a friendly name, files the instrument cannot use, duplicate entries, lines outside any
// section, leftover temporary files and files that cannot be read; with readEvery, every byte of
// every file is read, and each file that cannot be read whole is named. Empty when the card is
// in order. Changes nothing; throws FileError when the card root or its catalogue cannot be
// read, and of kind CardRemoved when the card went while it was checked.
std::vector<std::string> CheckCard(FileSystem& fs, const std::string& cardRoot,
                                   SampleFormats& formats, bool readEvery = false);

}  // namespace quodlin
