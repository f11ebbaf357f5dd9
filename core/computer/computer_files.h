#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/prompt.h"

namespace quodlin {

// Deletes the named files of dir after one confirmation; a failure is reported and the run goes
// on. True when everything asked for was done (also when the user answered No).
bool DeleteOnComputer(FileSystem& fs, Prompt& prompt, const std::string& dir,
                      const std::vector<std::string>& names);

// Asked once per file with its name; returns the new name (the same name to leave it).
using AskFileName = std::function<std::string(const std::string& name)>;
// Told after each rename, so the file list can be re-read before the next question.
using AfterRename = std::function<void()>;

// Renames the named files of dir one by one. A rename never replaces an existing file; each
// refused rename is reported and the others still asked for.
bool RenameOnComputer(FileSystem& fs, Prompt& prompt, const std::string& dir,
                      const std::vector<std::string>& names, const AskFileName& ask,
                      const AfterRename& afterRename);

}  // namespace quodlin
