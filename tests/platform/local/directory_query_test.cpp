#include "core/computer/directory_query.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/computer/file_listing.h"
#include "platform/local/local_file_system.h"
#include "platform/local/local_file_system_paths.h"
#include "tests/support/temp_dir.h"

namespace quodlin {
namespace {

using test::TempDir;
using test::WriteBytes;

TEST(IsDirectory, AnswersForDirectoriesFilesAndMissingPathsAndFailsForTheRest) {
    TempDir dir;
    WriteBytes(dir.file("kick.wav"), "RIFF");
    // A Windows path names no root elsewhere, nor a path without a drive on Windows; here also
    // a name longer than allowed and a loop of links, which Windows gives users none of.
    std::vector<std::string> unexaminable = {NativeSeparator() == '/' ? "C:\\Samples" : "Samples",
                                             ""};
#ifndef _WIN32
    unexaminable.push_back(dir.file(std::string(300, 'x')));
    std::filesystem::create_directory_symlink(dir.file("b"), dir.file("a"));
    std::filesystem::create_directory_symlink(dir.file("a"), dir.file("b"));
    unexaminable.push_back(dir.file("a"));
#endif
    LocalFileSystem fs;
    EXPECT_TRUE(fs.isDirectory(dir.path()));
    EXPECT_TRUE(fs.isDirectory(dir.path() + "/"));
    // A file is not a directory to work in; a path through a file is simply missing.
    for (const char* missing : {"kick.wav", "kick.wav/inner", "gone", "gone/deeper"}) {
        EXPECT_FALSE(fs.isDirectory(dir.file(missing))) << missing;
    }
    for (const std::string& unexamined : unexaminable) {
        EXPECT_THROW(fs.isDirectory(unexamined), FileError) << unexamined;
        EXPECT_FALSE(IsUsableDirectory(fs, unexamined)) << unexamined;
    }
    EXPECT_TRUE(IsUsableDirectory(fs, dir.path()));
}

TEST(ListComputerFiles, ListsTheModesFilesInAnyCaseInNaturalOrder) {
    TempDir dir;
    for (const char* name : {"10.WAV", "2.wav", "a.Wav", "b.es1", ".hidden.wav", "notes.txt"}) {
        WriteBytes(dir.file(name), "x");
    }
    std::filesystem::create_directory(dir.file("folder.wav"));
    LocalFileSystem fs;
    EXPECT_EQ(ListComputerFiles(fs, dir.path(), Mode::Samples),
              (std::vector<std::string>{"2.wav", "10.WAV", "a.Wav"}));
    EXPECT_EQ(ListComputerFiles(fs, dir.path(), Mode::Banks), (std::vector<std::string>{"b.es1"}));
    EXPECT_THROW(ListComputerFiles(fs, dir.file("gone"), Mode::Samples), FileError);
}

}  // namespace
}  // namespace quodlin
