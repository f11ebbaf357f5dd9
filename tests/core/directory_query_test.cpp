#include "core/directory_query.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/file_listing.h"
#include "core/path_roots.h"
#include "platform/local_file_system.h"
#include "tests/support/faulty_file_system.h"
#include "tests/support/temp_dir.h"

namespace quodlin {
namespace {

using test::TempDir;
using test::WriteBytes;

TEST(DirectoryExists, AnswersForDirectoriesFilesAndMissingPaths) {
    TempDir dir;
    WriteBytes(dir.file("kick.wav"), "RIFF");
    EXPECT_TRUE(DirectoryExists(dir.path()));
    EXPECT_TRUE(DirectoryExists(dir.path() + "/"));
    // A file is not a directory to work in; a path through a file is simply missing.
    EXPECT_FALSE(DirectoryExists(dir.file("kick.wav")));
    EXPECT_FALSE(DirectoryExists(dir.file("kick.wav/inner")));
    EXPECT_FALSE(DirectoryExists(dir.file("gone")));
    EXPECT_FALSE(DirectoryExists(dir.file("gone/deeper")));
}

TEST(DirectoryExists, FailsWhenThePathCannotBeExamined) {
    TempDir dir;
    // A Windows path names a drive this computer does not have.
    EXPECT_THROW(DirectoryExists("C:\\Samples"), FileError);
    EXPECT_THROW(DirectoryExists(""), FileError);
    // A loop of links cannot be followed.
    std::filesystem::create_directory_symlink(dir.file("b"), dir.file("a"));
    std::filesystem::create_directory_symlink(dir.file("a"), dir.file("b"));
    EXPECT_THROW(DirectoryExists(dir.file("a")), FileError);
    // A name longer than the file system allows.
    EXPECT_THROW(DirectoryExists(dir.file(std::string(300, 'x'))), FileError);
    EXPECT_FALSE(IsUsableDirectory("C:\\Samples"));
    EXPECT_TRUE(IsUsableDirectory(dir.path()));
}

TEST(PathRoots, FindTheDriveHoldingAPathAndTheChainDownToIt) {
    EXPECT_EQ(NormalPath("/home/ann/"), "/home/ann");
    EXPECT_EQ(NormalPath("/home//ann/./x/.."), "/home/ann");
    EXPECT_EQ(NormalPath("/"), "/");
    const std::vector<std::string> roots = {"/", "/media/card", "/media/cardboard"};
    EXPECT_EQ(RootHolding("/media/card/sub", roots), 1u);
    EXPECT_EQ(RootHolding("/media/card", roots), 1u);
    EXPECT_EQ(RootHolding("/media/cardboard", roots), 2u);
    EXPECT_EQ(RootHolding("/home/ann", roots), 0u);
    EXPECT_EQ(RootHolding("relative/path", roots), std::nullopt);
    EXPECT_EQ(PathChain("/", "/home/ann"), (std::vector<std::string>{"/", "/home", "/home/ann"}));
    EXPECT_EQ(PathChain("/media/card", "/media/card/Kits/"),
              (std::vector<std::string>{"/media/card", "/media/card/Kits"}));
    EXPECT_EQ(PathChain("/media/card", "/home"), (std::vector<std::string>{"/media/card"}));
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
