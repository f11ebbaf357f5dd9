#include "cli/card_command.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <set>

#include "cli/card_archive_commands.h"
#include "cli/console_prompt.h"
#include "cli/info_command.h"
#include "cli/shaping_options.h"
#include "core/card/card_delete.h"
#include "core/card/card_listing.h"
#include "core/card/card_moving.h"
#include "core/card/card_naming.h"
#include "core/card/card_session.h"
#include "core/computer/directory_query.h"
#include "core/computer/file_listing.h"
#include "core/computer/path_roots.h"
#include "core/image/card_image.h"
#include "core/messages/messages.h"
#include "core/samples/instrument_format.h"
#include "core/samples/sample_readiness.h"
#include "core/text/native_paths.h"
#include "core/text/utf8.h"
#include "core/transfers/copy_from_card.h"
#include "core/transfers/copy_to_card.h"
#include "platform/local/no_sound.h"
#include "quodlin_version.h"

namespace quodlin {
namespace {

constexpr const char* kUsage =
    "usage: quodlin-card list [--banks] CARD\n"
    "       quodlin-card info [--banks] [--json] CARD\n"
    "       quodlin-card name [--banks] CARD CARDFILE NAME [CARDFILE NAME]...\n"
    "       quodlin-card put [--banks] [--convert [--mono] [--8bit] [--normalize[=DB]]\n"
    "                        [--trim[=DB]]] CARD FILE...\n"
    "       quodlin-card get [--banks] [--overwrite] CARD DIR CARDFILE...\n"
    "       quodlin-card rm [--banks] CARD CARDFILE...\n"
    "       quodlin-card mv [--banks] CARD CARDFILE NUMBER\n"
    "       quodlin-card backup CARD DIR\n"
    "       quodlin-card rescue CARD DIR\n"
    "       quodlin-card restore [--replace] DIR CARD\n"
    "       quodlin-card check [--read] [--fix] CARD\n"
    "       quodlin-card -h | --help | --version\n"
    "CARD is the card's root directory (its mount point); samples unless --banks.\n"
    "CARD may also be a FAT image of a card, which is only read: list, info, get, backup,\n"
    "rescue and check take one, with --map MAPFILE, GNU ddrescue's map of its unreadable\n"
    "sectors (card.img.map or card.map beside card.img unless given).\n"
    "put --convert shapes every sample, ready ones too, when asked: --mono mixes the channels\n"
    "to one, --8bit writes 8-bit PCM, --normalize sets the peak to DB dBFS (-1 unless given),\n"
    "--trim removes the start and end below DB dBFS (-60 unless given).\n"
    "rescue copies what a failing card still gives, zeros where it gives nothing, and lists the\n"
    "damage in DAMAGED.txt; check --read reads every byte of every card file, and check --fix\n"
    "first removes what ended runs left.\n";

struct CommandLine {
    std::string command;
    bool banks = false;
    bool overwrite = false;
    bool replace = false;
    bool readEvery = false;
    bool fix = false;
    bool json = false;
    bool convert = false;
    SampleShaping shaping;
    bool help = false;
    bool version = false;
    std::string map;
    std::vector<std::string> operands;
    std::string badOption;
    std::string badLevel;
};

CommandLine Parse(const std::vector<std::string>& args) {
    CommandLine line;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && arg == "-h") {
            line.help = true;
        } else if (!optionsEnded && arg.starts_with("--")) {
            if (arg == "--banks") {
                line.banks = true;
            } else if (arg == "--overwrite") {
                line.overwrite = true;
            } else if (arg == "--replace") {
                line.replace = true;
            } else if (arg == "--read") {
                line.readEvery = true;
            } else if (arg == "--fix") {
                line.fix = true;
            } else if (arg == "--json") {
                line.json = true;
            } else if (arg == "--convert") {
                line.convert = true;
            } else if (arg == "--map" && i + 1 < args.size()) {
                line.map = args[++i];
            } else if (arg.starts_with("--map=")) {
                line.map = arg.substr(6);
            } else if (arg == "--help") {
                line.help = true;
            } else if (arg == "--version") {
                line.version = true;
            } else if (!TakeShapingOption(arg, line.shaping, line.badLevel) &&
                       line.badOption.empty()) {
                line.badOption = arg;
            }
        } else if (line.command.empty()) {
            line.command = arg;
        } else {
            line.operands.push_back(arg);
        }
    }
    return line;
}

// Every folder and file named on the command line may be relative to the current directory;
// the runs work with full paths. Which operands are paths depends on the command.
void MakePathsFull(CommandLine& line) {
    static const std::map<std::string, std::pair<std::size_t, std::size_t>> kPathOperands = {
        {"list", {0, 1}},  {"info", {0, 1}},  {"name", {0, 1}},   {"put", {0, SIZE_MAX}},
        {"get", {0, 2}},   {"rm", {0, 1}},    {"backup", {0, 2}}, {"restore", {0, 2}},
        {"check", {0, 1}}, {"rescue", {0, 2}}};
    const auto paths = kPathOperands.find(line.command);
    if (paths == kPathOperands.end()) return;
    for (std::size_t i = paths->second.first;
         i < std::min(paths->second.second, line.operands.size()); ++i) {
        std::error_code error;
        const std::filesystem::path full =
            std::filesystem::absolute(PathOf(line.operands[i]), error);
        if (!error) line.operands[i] = NormalPath(Utf8Of(full));
    }
    std::error_code error;
    const std::filesystem::path map = std::filesystem::absolute(PathOf(line.map), error);
    if (!line.map.empty() && !error) line.map = NormalPath(Utf8Of(map));
}

// Where the command names the card: restore names it last.
std::size_t CardOperand(const CommandLine& line) {
    return line.command == "restore" ? 1 : 0;
}

bool WritesCard(const CommandLine& line) {
    static const std::set<std::string> kWriting = {"name", "put", "rm", "mv", "restore"};
    return kWriting.contains(line.command) || (line.command == "check" && line.fix);
}

class Session {
public:
    Session(const CommandLine& line, FileSystem& cardFs, FileSystem& computer, SampleTools tools,
            std::ostream& out, std::ostream& err)
        : line_(line),
          card_(cardFs, computer, true),
          tools_(tools),
          out_(out),
          err_(err),
          // The rm command line is itself the confirmation.
          prompt_(err, line.overwrite || line.command == "rm") {
        card_.setMode(line.banks ? Mode::Banks : Mode::Samples);
    }

    // A run that writes reads the card itself, under its lock: it only pins the card here.
    bool openCard(const std::string& root, bool read = true) {
        const std::string failure = card_.use(root, read);
        if (!failure.empty()) err_ << failure << '\n';
        return failure.empty();
    }

    void printList() {
        // A control character in a name must not reach the terminal as one.
        for (const std::string& text : card_.lines()) out_ << VisibleText(text) << '\n';
    }

    int list() {
        if (line_.operands.size() != 1) return usageError("list takes one CARD");
        if (!openCard(line_.operands[0])) return kExitFailed;
        printList();
        // Listed, but a failing card may not give it up: said now, not at the next copy.
        bool allReadable = true;
        for (const DirEntry& entry : card_.rootEntries()) {
            if (entry.unreadable.empty() || !IsCardFileOfMode(entry, card_.mode())) continue;
            err_ << VisibleText(Quoted(entry.name) + " could not be read (" + entry.unreadable +
                                ").")
                 << '\n';
            allReadable = false;
        }
        return allReadable ? kExitDone : kExitFailed;
    }

    int info() {
        if (line_.operands.size() != 1) return usageError("info takes one CARD");
        if (!openCard(line_.operands[0])) return kExitFailed;
        return PrintCardInfo(card_, tools_.formats, line_.json, out_, err_);
    }

    int name() {
        const auto& ops = line_.operands;
        if (ops.size() < 3 || ops.size() % 2 != 1) {
            return usageError("name takes CARD and pairs of CARDFILE NAME");
        }
        if (!openCard(ops[0])) return kExitFailed;
        std::map<std::string, std::string> newNames;
        std::vector<std::string> cardFiles;
        for (std::size_t i = 1; i + 1 < ops.size(); i += 2) {
            cardFiles.push_back(ops[i]);
            newNames[ops[i]] = ops[i + 1];
        }
        const auto [selected, allFound] = findEntries(cardFiles);
        if (!allFound) return kExitFailed;
        const bool done = NameOnCard(card_, prompt_, selected, [&](const CardEntry& e) {
            return newNames[cardFileAsTyped_[e.fileName]];
        });
        printList();
        return done ? kExitDone : kExitFailed;
    }

    int put() {
        const auto& ops = line_.operands;
        if (ops.size() < 2) return usageError("put takes CARD and at least one FILE");
        const std::vector<std::string> files(ops.begin() + 1, ops.end());
        // Banks are never converted.
        const bool convert = line_.convert && card_.mode() == Mode::Samples;
        if (convert && !tools_.formats.readsSound()) {
            err_ << kNoSoundBuild << '\n';
            return kExitFailed;
        }
        if (!(convert ? allToConvert(files) && allReadableSamples(files) : allOfMode(files))) {
            return kExitFailed;
        }
        if (!openCard(ops[0], false)) return kExitFailed;
        SampleConversion conversion;
        if (convert) conversion = {&tools_.formats, &tools_.converter, false, line_.shaping, {}};
        const bool done = CopyToCard(card_, prompt_, files, observer_, conversion);
        if (done && !convert) warnOfSamplesNotReady(files);
        printList();
        return finish(done);
    }

    int get() {
        const auto& ops = line_.operands;
        if (ops.size() < 3) return usageError("get takes CARD, DIR and at least one CARDFILE");
        if (!openCard(ops[0])) return kExitFailed;
        prompt_.countDeclinesAsFailures("exists; --overwrite replaces it");
        const auto [selected, allFound] = findEntries({ops.begin() + 2, ops.end()});
        const bool done = CopyFromCard(card_, prompt_, selected, ops[1], observer_);
        return finish(done && allFound);
    }

    int rm() {
        const auto& ops = line_.operands;
        if (ops.size() < 2) return usageError("rm takes CARD and at least one CARDFILE");
        if (!openCard(ops[0])) return kExitFailed;
        const auto [selected, allFound] = findEntries({ops.begin() + 1, ops.end()});
        const bool done = DeleteOnCard(card_, prompt_, selected);
        printList();
        return finish(done && allFound);
    }

    int mv() {
        const auto& ops = line_.operands;
        if (ops.size() != 3) return usageError("mv takes CARD, CARDFILE and NUMBER");
        if (!openCard(ops[0])) return kExitFailed;
        const auto [selected, allFound] = findEntries({ops[1]});
        const bool done = allFound && MoveOnCard(card_, prompt_, selected.front(), ops[2]);
        printList();
        return finish(done);
    }

    int usageError(const std::string& problem) {
        err_ << "quodlin-card: " << problem << '\n' << kUsage;
        return kExitUsage;
    }

private:
    // A run that names a file of another kind is refused before anything is copied.
    bool allOfMode(const std::vector<std::string>& files) {
        std::vector<std::string> others;
        for (const std::string& file : files) {
            if (!HasModeExtension(file, card_.mode())) others.push_back(file);
        }
        if (others.empty()) return true;
        err_ << NotOfMode(others, card_.mode()) << '\n';
        if (card_.mode() == Mode::Samples &&
            std::any_of(others.begin(), others.end(), IsSoundFileToConvert)) {
            err_ << "Add --convert to copy sound files of other kinds (" << SoundKindsToConvert()
                 << "), converted for the ES1.\n";
        }
        return false;
    }

    // --convert takes the sound files the window lists too, and refuses others before copying.
    bool allToConvert(const std::vector<std::string>& files) {
        std::vector<std::string> others;
        for (const std::string& file : files) {
            if (!HasModeExtension(file, Mode::Samples) && !IsSoundFileToConvert(file)) {
                others.push_back(file);
            }
        }
        if (others.empty()) return true;
        err_ << NotSoundToConvert(others, SoundKindsToConvert()) << '\n';
        return false;
    }

    // Copied as they are, they are on the card, but the instrument plays them wrongly.
    void warnOfSamplesNotReady(const std::vector<std::string>& files) {
        if (card_.mode() != Mode::Samples) return;
        for (const std::string& file : files) {
            const SampleFormat format = tools_.formats.read(file);
            if (!format.readable || IsReadyForInstrument(format)) continue;
            err_ << "warning: " << Quoted(file) << " " << SampleProblemText(format)
                 << " --convert converts it to " << ConvertedFormatText() << ".\n";
        }
    }

    // With --convert any sound file is taken, but only sound files that can be converted. A
    // file that is not sound at all is left out by the copy itself, which names it.
    bool allReadableSamples(const std::vector<std::string>& files) {
        bool all = true;
        for (const std::string& file : files) {
            const SampleFormat format = tools_.formats.read(file);
            const std::string refusal = ConversionRefusal(file, format, line_.shaping);
            if (refusal.empty() && (format.readable || format.regular)) continue;
            err_ << (refusal.empty() ? Quoted(file) + " is not a sample that can be read."
                                     : refusal)
                 << '\n';
            all = false;
        }
        return all;
    }

    // The card list's entries for the card files named; each one it does not hold is reported.
    std::pair<std::vector<CardEntry>, bool> findEntries(const std::vector<std::string>& cardFiles) {
        const CardSession::Found found = card_.find(cardFiles);
        for (const std::string& missing : found.missing) err_ << missing << '\n';
        for (std::size_t i = 0; i < found.entries.size(); ++i) {
            cardFileAsTyped_[found.entries[i].fileName] = found.givenNames[i];
        }
        return {found.entries, found.missing.empty()};
    }

    int finish(bool done) const {
        return done && !prompt_.reportedFailure() ? kExitDone : kExitFailed;
    }

    const CommandLine& line_;
    CardSession card_;
    SampleTools tools_;
    std::ostream& out_;
    std::ostream& err_;
    ConsolePrompt prompt_;
    RunObserver observer_;
    std::map<std::string, std::string> cardFileAsTyped_;
};

}  // namespace

int RunCardCommand(const std::vector<std::string>& args, FileSystem& fs, SampleTools tools,
                   std::ostream& out, std::ostream& err) {
    CommandLine line = Parse(args);
    MakePathsFull(line);
    if (line.help) {
        out << kUsage;
        return kExitDone;
    }
    if (line.version) {
        out << "quodlin-card " << kVersion << '\n';
        return kExitDone;
    }
    // A card image is the card's own file system inside one of the computer's files; a ddrescue
    // map kept beside it marks its damage unless another is named.
    std::unique_ptr<ImageFileSystem> image;
    const std::size_t cardAt = CardOperand(line);
    if (cardAt < line.operands.size() && IsFile(fs, line.operands[cardAt])) {
        const std::string& path = line.operands[cardAt];
        try {
            image = OpenCardImage(fs, path, line.map.empty() ? MapBeside(fs, path) : line.map);
            // A command that would write is told what the file is; one that reads finds out when
            // it reads the card.
            if (WritesCard(line)) image->list(path);
        } catch (const FileError& error) {
            err << (WritesCard(line) ? NoCardAt(path) : CardNotRead(error)) << '\n';
            return kExitFailed;
        }
        if (WritesCard(line)) {
            err << ImageIsReadOnly(path) << '\n';
            return kExitFailed;
        }
    }
    FileSystem& cardFs = image ? *image : fs;
    Session session(line, cardFs, fs, tools, out, err);
    if (!line.map.empty() && !image) return session.usageError("--map goes with a card image");
    if (!line.badOption.empty()) return session.usageError("unknown option " + line.badOption);
    if (!line.badLevel.empty()) return session.usageError(line.badLevel);
    if (line.shaping.any() && !line.convert) return session.usageError(kShapingNeedsConvert);
    const ArchiveArgs archive{
        line.operands,
        line.replace,
        line.readEvery,
        line.fix,
        cardFs,
        fs,
        tools.formats,
        out,
        err,
        [&](const std::string& problem) { return session.usageError(problem); }};
    const std::map<std::string, std::function<int()>> commands = {
        {"list", [&] { return session.list(); }},
        {"name", [&] { return session.name(); }},
        {"put", [&] { return session.put(); }},
        {"get", [&] { return session.get(); }},
        {"rm", [&] { return session.rm(); }},
        {"mv", [&] { return session.mv(); }},
        {"info", [&] { return session.info(); }},
        {"backup", [&] { return BackupCommand(archive); }},
        {"rescue", [&] { return RescueCommand(archive); }},
        {"restore", [&] { return RestoreCommand(archive); }},
        {"check", [&] { return CheckCommand(archive); }},
    };
    const auto command = commands.find(line.command);
    if (command == commands.end()) {
        return session.usageError(line.command.empty() ? "no command given"
                                                       : "unknown command " + line.command);
    }
    return command->second();
}

}  // namespace quodlin
