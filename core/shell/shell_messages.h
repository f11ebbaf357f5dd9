#pragma once

#include <string>

#include "platform/file_system.h"

namespace quodlin {

// The texts of start-up, shut-down and the computer side. fallback is the directory that stands
// in for one that cannot be used (the home directory; "C:\" on Windows).
std::string DirectoryNotPresent(const std::string& fallback);
std::string DriveNotFound(const std::string& drive);
std::string DirectoryNotFound(const std::string& path, const std::string& inUse);
std::string DirectoryNotRead(const FileError& error);
std::string SettingsNotSaved(const std::string& reason);
std::string HelpFileNotRead(const std::string& path);

}  // namespace quodlin
