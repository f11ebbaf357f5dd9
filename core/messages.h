#pragma once

#include <string>

#include "platform/file_system.h"

namespace quodlin {

// The texts the program shows; the window and the command line use the same.
inline constexpr const char* kDriveNotReady = "Drive not ready...";
inline constexpr const char* kErrorTitle = "Error";
inline constexpr const char* kCardIsFull = "Smart Media is full.";
inline constexpr const char* kNoFreeCardName = "More files now than the ES-1 can recognise...";

std::string CatalogueNotSaved(const FileError& error);
std::string CardNotRead(const FileError& error);

}  // namespace quodlin
