#pragma once

namespace quodlin {

// Every name the program gives a file for the time being. Each is hidden or unlike the
// instrument's names, so that neither the instrument nor a list takes it for a sample or a bank,
// and every reader of a card knows it for a leftover, never for the user's own file.

// A copy on its way to its name: ".quodlin-OWNER-N.part".
inline constexpr const char* kTemporaryPrefix = ".quodlin-";
inline constexpr const char* kTemporarySuffix = ".part";
// The hidden middle name of a rename between two spellings of one name, and the record beside
// it that names the target (FileSystem::finishInterruptedRenames).
inline constexpr const char* kRenamePrefix = ".quodlin-rename-";
inline constexpr const char* kRenameRecordSuffix = ".to";
// Where a save writes the new catalogue before moving it over names.txt.
inline constexpr const char* kTemporaryName = "#$%names.tmp";

}  // namespace quodlin
