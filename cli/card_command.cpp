#include "cli/card_command.h"

#include <functional>
#include <map>

#include "cli/console_prompt.h"
#include "core/card_naming.h"
#include "core/card_side.h"
#include "core/messages.h"
#include "core/natural_order.h"

namespace quodlin {
namespace {

constexpr const char* kUsage =
    "usage: quodlin-card list [--banks] CARD\n"
    "       quodlin-card name [--banks] CARD CARDFILE NAME [CARDFILE NAME]...\n"
    "CARD is the card's root directory (its mount point); samples unless --banks.\n";

struct CommandLine {
    std::string command;
    bool banks = false;
    bool overwrite = false;
    bool help = false;
    std::vector<std::string> operands;
    std::string badOption;
};

CommandLine Parse(const std::vector<std::string>& args) {
    CommandLine line;
    bool optionsEnded = false;
    for (const std::string& arg : args) {
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && arg.starts_with("--")) {
            if (arg == "--banks") {
                line.banks = true;
            } else if (arg == "--overwrite") {
                line.overwrite = true;
            } else if (arg == "--help") {
                line.help = true;
            } else if (line.badOption.empty()) {
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

// The row of the card list that shows cardFile; the name as typed first, then in any case.
int FindRow(const NameTable& table, const std::string& cardFile) {
    for (int i = 0; i <= table.smLastIndex(); ++i) {
        if (table.smFileName(i) == cardFile) return i;
    }
    for (int i = 0; i <= table.smLastIndex(); ++i) {
        if (EqualsIgnoringCase(table.smFileName(i), cardFile)) return i;
    }
    return -1;
}

class Session {
public:
    Session(const CommandLine& line, FileSystem& fs, std::ostream& out, std::ostream& err)
        : line_(line), card_(fs), out_(out), err_(err), prompt_(err, line.overwrite) {
        card_.setMode(line.banks ? Mode::Banks : Mode::Samples);
    }

    bool openCard(const std::string& root) {
        try {
            card_.open(root);
            return true;
        } catch (const FileError& error) {
            err_ << kDriveNotReady << ' ' << CardNotRead(error) << '\n';
            return false;
        }
    }

    void printList() {
        for (const std::string& text : card_.lines()) out_ << text << '\n';
    }

    int list() {
        if (line_.operands.size() != 1) return usageError("list takes one CARD");
        if (!openCard(line_.operands[0])) return kExitFailed;
        printList();
        return kExitDone;
    }

    int name() {
        const auto& ops = line_.operands;
        if (ops.size() < 3 || ops.size() % 2 != 1) {
            return usageError("name takes CARD and pairs of CARDFILE NAME");
        }
        if (!openCard(ops[0])) return kExitFailed;
        std::map<int, std::string> newNames;
        bool allFound = true;
        for (std::size_t i = 1; i + 1 < ops.size(); i += 2) {
            const int row = FindRow(card_.table(), ops[i]);
            if (row < 0) {
                err_ << "'" << ops[i] << "' is not on the card.\n";
                allFound = false;
            }
            newNames[row] = ops[i + 1];
        }
        if (!allFound) return kExitFailed;
        std::vector<int> rows;
        for (const auto& [row, text] : newNames) rows.push_back(row);
        SilentPlayer player;
        const bool done = NameOnCard(card_, player, prompt_, rows, [&](const std::string&) {
            return newNames[rows[nextRow_++]];
        });
        printList();
        return done ? kExitDone : kExitFailed;
    }

    int usageError(const std::string& problem) {
        err_ << "quodlin-card: " << problem << '\n' << kUsage;
        return kExitUsage;
    }

private:
    const CommandLine& line_;
    CardSide card_;
    std::ostream& out_;
    std::ostream& err_;
    ConsolePrompt prompt_;
    std::size_t nextRow_ = 0;
};

}  // namespace

int RunCardCommand(const std::vector<std::string>& args, FileSystem& fs, std::ostream& out,
                   std::ostream& err) {
    const CommandLine line = Parse(args);
    if (line.help) {
        out << kUsage;
        return kExitDone;
    }
    Session session(line, fs, out, err);
    if (!line.badOption.empty()) return session.usageError("unknown option " + line.badOption);
    const std::map<std::string, std::function<int()>> commands = {
        {"list", [&] { return session.list(); }},
        {"name", [&] { return session.name(); }},
    };
    const auto command = commands.find(line.command);
    if (command == commands.end()) {
        return session.usageError(line.command.empty() ? "no command given"
                                                       : "unknown command " + line.command);
    }
    return command->second();
}

}  // namespace quodlin
