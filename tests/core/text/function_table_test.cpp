// The table of tests/cases/functions/table.txt: small functions called with the arguments of a
// line, their results compared as text.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <limits>
#include <map>

#include "core/archive/card_backup.h"
#include "core/archive/card_rescue.h"
#include "core/archive/card_restore.h"
#include "core/archive/sha256_sums.h"
#include "core/card/card_moving.h"
#include "core/card/card_temporary.h"
#include "core/card/card_use.h"
#include "core/card/likely_cards.h"
#include "core/card_numbering.h"
#include "core/catalogue/catalogue_text.h"
#include "core/computer/directory_query.h"
#include "core/computer/file_listing.h"
#include "core/computer/path_roots.h"
#include "core/computer/safe_file_name.h"
#include "core/image/ddrescue_map.h"
#include "core/image/fat_layout.h"
#include "core/messages/messages.h"
#include "core/name_table.h"
#include "core/samples/sample_conversion.h"
#include "core/samples/sample_readiness.h"
#include "core/shell/shaping_settings.h"
#include "core/shell/shell_messages.h"
#include "core/shell/startup.h"
#include "core/text/natural_order.h"
#include "core/text/text_functions.h"
#include "core/text/wording.h"
#include "platform/local/local_file_system.h"
#include "platform/local/local_file_system_paths.h"
#include "tests/support/case_files.h"
#include "tests/support/memory_settings.h"
#include "tests/support/temp_dir.h"

namespace quodlin {
namespace {

using Args = std::vector<std::string>;

// A list result's items, and a line's fields, as the table parts them.
std::string Listed(const std::vector<std::string>& items) {
    return Joined(items, " , ");
}

std::vector<std::string> Parted(const std::string& list, const std::string& separator = " , ") {
    std::vector<std::string> items;
    for (std::size_t at = 0; at <= list.size();) {
        const std::size_t end = std::min(list.find(separator, at), list.size());
        items.push_back(list.substr(at, end - at));
        at = end + separator.size();
    }
    return items;
}

SampleFormat FormatOf(const Args& a) {
    return {true, a[0], a[1], std::stoi(a[2]), std::stoi(a[3]), std::stoi(a[4]), 0, 0};
}

SampleFormat SizedFormatOf(const Args& a) {
    SampleFormat format = FormatOf(a);
    format.frames = std::stoull(a[5]);
    format.bytes = std::stoull(a[6]);
    return format;
}

std::string Bool(bool value) {
    return value ? "true" : "false";
}

// A file made with the computer's file system, `depth` folders of 100 characters down and
// read-only when asked: what the folder lists, the file's size and bytes read back, and whether
// it is gone after a replace onto it, a rename and a remove.
std::string LocalFile(int depth, const std::string& name, bool readOnly) {
    const test::TempDir dir;
    LocalFileSystem fs;
    std::string folder = dir.path();
    for (int i = 0; i < depth; ++i) {
        fs.createDirectory(folder += NativeSeparator() + std::string(100, 'd'));
    }
    const std::string path = folder + NativeSeparator() + name;
    const auto out = fs.createNew(path);
    out->write("RIFF", 4);
    out->close();
    std::string bytes(8, '\0');
    bytes.resize(fs.openForReading(path)->read(bytes.data(), bytes.size()));
    std::string listed = std::to_string(fs.fileSize(path)) + " " + bytes;
    for (const DirEntry& entry : fs.list(folder)) listed = entry.name + " " + listed;
    const auto protect = [&] {
        namespace sfs = std::filesystem;
        if (readOnly) sfs::permissions(PathOf(path), sfs::perms::all, sfs::perm_options::remove);
    };
    protect();
    fs.createNew(path + "2")->close();
    fs.replace(path + "2", path);
    protect();
    fs.renameNoReplace(path, path + "2");
    fs.remove(path + "2");
    return listed + (fs.list(folder).empty() ? " gone" : " left");
}

// A call on a folder holding the files named (a folder when a name ends in "/") and two links
// to each other, a and b; "DIR" at the start of path stands for the folder.
std::string InFolder(const std::string& files, const std::string& path,
                     const std::function<std::string(LocalFileSystem&, const std::string&)>& call) {
    const test::TempDir dir;
    for (const std::string& name : Parted(files)) {
        if (name.ends_with('/')) std::filesystem::create_directory(dir.file(name));
        if (!name.empty() && !name.ends_with('/')) test::WriteBytes(dir.file(name), "x");
    }
    std::error_code unsupported;  // Windows gives users no links
    std::filesystem::create_directory_symlink(dir.file("b"), dir.file("a"), unsupported);
    std::filesystem::create_directory_symlink(dir.file("a"), dir.file("b"), unsupported);
    LocalFileSystem fs;
    return call(fs, path.starts_with("DIR") ? dir.path() + path.substr(3) : path);
}

Mode ModeOf(const std::string& word) {
    return word == "banks" ? Mode::Banks : Mode::Samples;
}

const std::map<std::string, std::function<std::string(const Args&)>> kFunctions = {
    {"LocalFile", [](const Args& a) { return LocalFile(std::stoi(a[0]), a[1], a.size() > 2); }},
    {"IsDirectory",
     [](const Args& a) {
         return InFolder(a[0], a[1],
                         [](auto& fs, auto& path) { return Bool(fs.isDirectory(path)); });
     }},
    {"IsUsableDirectory",
     [](const Args& a) {
         return InFolder(a[0], a[1],
                         [](auto& fs, auto& path) { return Bool(IsUsableDirectory(fs, path)); });
     }},
    {"ListComputerFiles",
     [](const Args& a) {
         const Mode mode = a[1] == "banks" ? Mode::Banks : Mode::Samples;
         return InFolder(a[0], a[2], [&](auto& fs, auto& path) {
             return Listed(ListComputerFiles(fs, path, mode));
         });
     }},
    {"RemoveDouble",
     [](const Args& a) {
         std::string t = a[0];
         return RemoveDouble(t, a[1][0]);
     }},
    {"JoinPath", [](const Args& a) { return JoinPath(a[0], a[1], a[2][0]); }},
    {"ShortenPath", [](const Args& a) { return ShortenPath(a[0], std::stoi(a[1])); }},
    {"NaturalLess", [](const Args& a) { return Bool(NaturalLess(a[0], a[1])); }},
    {"NaturalOrder",
     [](const Args& a) {
         std::vector<std::string> names = a;
         std::sort(names.begin(), names.end(), [](auto& x, auto& y) { return NaturalLess(x, y); });
         return Listed(names);
     }},
    {"CardFileName",
     [](const Args& a) {
         return CardFileName(a[0] == "banks" ? Mode::Banks : Mode::Samples, std::stoi(a[1]));
     }},
    {"NormalPath", [](const Args& a) { return NormalPath(a[0]); }},
    {"RootHolding",
     [](const Args& a) {
         const auto root = RootHolding(a[0], Args(a.begin() + 1, a.end()));
         return root ? std::to_string(*root) : "none";
     }},
    {"PathChain", [](const Args& a) { return Listed(PathChain(a[0], a[1])); }},
    {"IsFileSystemRoot", [](const Args& a) { return Bool(IsFileSystemRoot(a[0])); }},
    {"SafeFileStem", [](const Args& a) { return SafeFileStem(a[0]); }},
    {"ComputerFileName", [](const Args& a) { return ComputerFileName(a[0], a[1], a[2]); }},
    {"CatalogueName", [](const Args& a) { return CatalogueName(a[0]); }},
    {"SplitLines", [](const Args& a) { return Listed(SplitLines(a[0])); }},
    {"EqualsIgnoringCase", [](const Args& a) { return Bool(EqualsIgnoringCase(a[0], a[1])); }},
    {"FindName",
     [](const Args& a) {
         const std::vector<std::string> names = Parted(a[1]);
         const auto found =
             FindName(names.begin(), names.end(), a[0], [](const std::string& n) { return n; });
         return found == names.end() ? std::string("none") : *found;
     }},
    {"VisibleText", [](const Args& a) { return VisibleText(a[0]); }},
    {"CopyToCardFailed",
     [](const Args& a) {
         return CopyToCardFailed(a[0], FileError(FileErrorKind::Other, a[1], a[2]));
     }},
    {"CardFileChanged", [](const Args& a) { return CardFileChanged(a[0]); }},
    {"DirectoryNotPresent", [](const Args& a) { return DirectoryNotPresent(a[0]); }},
    {"CardUseText",
     [](const Args& a) {
         return CardUseText(
             {std::stoi(a[0]), std::stoi(a[1]), std::stoull(a[2]), std::stoull(a[3])});
     }},
    {"SampleProblems", [](const Args& a) { return Listed(SampleProblems(FormatOf(a))); }},
    {"SampleProblemText", [](const Args& a) { return SampleProblemText(FormatOf(a)); }},
    {"SampleFormatText", [](const Args& a) { return SampleFormatText(SizedFormatOf(a)); }},
    {"SelectionText", [](const Args& a) { return SelectionText({SizedFormatOf(a)}); }},
    {"ConversionRefusal",
     [](const Args& a) { return ConversionRefusal("x", SizedFormatOf(a), {}); }},
    {"IsSoundFileToConvert", [](const Args& a) { return Bool(IsSoundFileToConvert(a[0])); }},
    {"FormatSums",
     [](const Args& a) {
         return FormatSums({{a[1], a[0]}});
     }},
    {"ParseSums",
     [](const Args& a) {
         const ParsedSums parsed = ParseSums(a[0]);
         std::vector<std::string> sums;
         for (const FileSum& sum : parsed.sums) sums.push_back(sum.digest + " " + sum.name);
         return parsed.problem.empty() ? Listed(sums) : parsed.problem;
     }},
    {"BackupDoesNotFit",
     [](const Args& a) { return BackupDoesNotFit(std::stoull(a[0]), std::stoull(a[1])); }},
    {"ConvertQuestion",
     [](const Args& a) { return ConvertQuestion(std::stoi(a[0]), std::stoi(a[1])); }},
    {"WhereDeletedFilesGo",
     [](const Args& a) { return WhereDeletedFilesGo(std::stoul(a[0]), a[1] == "trash"); }},
    {"Grouped", [](const Args& a) { return Grouped(std::stoull(a[0])); }},
    {"NotOfMode",
     [](const Args& a) {
         return NotOfMode({a.begin() + 1, a.end()}, ModeOf(a[0]));
     }},
    {"OnlySomeNamesFree",
     [](const Args& a) { return OnlySomeNamesFree(std::stoi(a[0]), ModeOf(a[1])); }},
    {"NotACardNumber", [](const Args& a) { return NotACardNumber(a[0], ModeOf(a[1])); }},
    {"CardNameAskedFor",
     [](const Args& a) { return CardNameAskedFor(a[0], ModeOf(a[1])).value_or("none"); }},
    {"CardRemovedBefore",
     [](const Args& a) {
         return CardRemovedBefore({a.begin(), a.end()});
     }},
    {"CopiesStayUnnamed",
     [](const Args& a) {
         return CopiesStayUnnamed({a.begin(), a.end()});
     }},
    {"CopyRunSummary",
     [](const Args& a) {
         return CopyRunSummary(std::stoi(a[0]), std::stoi(a[1]),
                               a[2] == "banks" ? Mode::Banks : Mode::Samples, a[3] == "card",
                               a[4] == "stopped");
     }},
    {"DoneText",
     [](const Args& a) {
         ArchiveResult result{std::vector<std::string>(std::stoul(a[1])), {}, std::stoi(a[2])};
         if (a[0] == "backup") return BackupDoneText(result, a[3]);
         return a[0] == "rescue" ? RescueDoneText(result, a[3]) : RestoreDoneText(result);
     }},
    {"SpeedAndTimeLeft",
     [](const Args& a) {
         return SpeedAndTimeLeft(std::stoull(a[0]), std::stoull(a[1]), std::stod(a[2]));
     }},
    {"DdrescueMap",
     [](const Args& a) {
         std::vector<std::string> ranges;
         DdrescueMap map;
         try {
             map = DdrescueMap::Parse(a[0]);
         } catch (const ImageDamage& damage) {
             return std::string(damage.what());
         }
         for (const ByteRange& bad : map.unreadable()) {
             const bool toTheEnd = bad.end() == std::numeric_limits<std::uint64_t>::max();
             ranges.push_back(std::to_string(bad.start) + "+" +
                              (toTheEnd ? "" : std::to_string(bad.size)));
         }
         return Listed(ranges);
     }},
    {"BootSector",
     [](const Args& a) {
         std::string boot = a[0];
         boot.resize(kBootSectorBytes, '\0');  // the row gives the fields it needs
         try {
             return std::to_string(ReadFatLayout(boot, 1 << 26).clusterBytes);
         } catch (const ImageDamage& damage) {
             return std::string(damage.what());
         }
     }},
    {"RestoreQuestion",
     [](const Args& a) {
         return RestoreQuestion(
             {std::stoi(a[0]), std::stoi(a[1]), a[2] == "names.txt", std::stoi(a[3])}, "/b");
     }},
    {"ParseCatalogue", [](const Args& a) { return Listed(ParseCatalogue(a[0]).lines); }},
    {"LikelyCards",
     [](const Args& a) {
         std::vector<Volume> volumes;
         for (const std::string& root : a) volumes.push_back({root, root, true, "", 8000000, true});
         LocalFileSystem fs;
         return Listed(LikelyCards(fs, volumes));
     }},
    {"NameTableName",
     [](const Args& a) {
         NameTable table;
         for (const std::string& entry : Parted(a[0])) {
             table.append(entry.substr(0, entry.find('=')), entry.substr(entry.find('=') + 1));
         }
         return table.smName(std::stoi(a[1]));
     }},
    {"ReadShaping",
     [](const Args& a) {
         test::MemorySettings settings;
         for (const std::string& value : a) {
             settings.values[value.substr(0, value.find('='))] = value.substr(value.find('=') + 1);
         }
         const SampleShaping shaping = ReadShaping(settings);
         std::vector<std::string> parts = {shaping.mono ? "mono" : "stereo",
                                           shaping.eightBit ? "8-bit" : "16-bit"};
         const auto db = [](double level) {
             return std::to_string(static_cast<int>(level)) + " dB";
         };
         if (shaping.normalizeDb) parts.push_back("normalize to " + db(*shaping.normalizeDb));
         if (shaping.trimDb) parts.push_back("trim below " + db(*shaping.trimDb));
         return Listed(parts);
     }},
    {"TemporaryOwnerGone",
     [](const Args& a) {
         // BOOT stands for this computer's start, SELF for this process.
         LocalFileSystem fs;
         const std::string self = fs.ownerTag();
         std::string owner = a[0];
         if (owner.starts_with("BOOT")) owner.replace(0, 4, self.substr(0, self.find('-')));
         if (owner.starts_with("SELF")) owner.replace(0, 4, self);
         return Bool(TemporaryOwnerGone(fs, owner));
     }},
    {"LevelDb",
     [](const Args& a) {
         const std::optional<double> level = LevelDb(a[0]);
         return level ? std::to_string(*level) : std::string("none");
     }},
};

struct Call {
    std::string line;
    std::string function;
    Args args;
    std::string result;
};

std::vector<Call> Calls() {
    std::vector<Call> calls;
    const std::string system = NativeSeparator() == '\\' ? "windows: " : "posix: ";
    for (std::string line : test::CaseLines(QUODLIN_CASES_DIR "/functions/table.txt")) {
        if (line.starts_with("windows: ") || line.starts_with("posix: ")) {
            if (!line.starts_with(system)) continue;
            line.erase(0, system.size());
        }
        std::vector<std::string> fields = Parted(line, " | ");
        for (std::string& field : fields) field = test::Unescape(field);
        calls.push_back(
            {line, fields.front(), Args(fields.begin() + 1, fields.end() - 1), fields.back()});
    }
    return calls;
}

void PrintTo(const Call& call, std::ostream* out) {
    *out << call.line;
}

class FunctionTable : public ::testing::TestWithParam<Call> {};

TEST_P(FunctionTable, GivesTheResultWritten) {
    const Call& call = GetParam();
    ASSERT_TRUE(kFunctions.contains(call.function)) << call.line;
    std::string result;
    try {
        result = kFunctions.at(call.function)(call.args);
    } catch (const std::exception&) {
        result = "throws";
    }
    EXPECT_EQ(result, call.result) << call.line;
}

INSTANTIATE_TEST_SUITE_P(Lines, FunctionTable, ::testing::ValuesIn(Calls()));

}  // namespace
}  // namespace quodlin
