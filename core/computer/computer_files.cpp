#include "core/computer/computer_files.h"

#include "core/messages/messages.h"
#include "core/text/text_functions.h"

namespace quodlin {

bool DeleteOnComputer(FileSystem& fs, Prompt& prompt, const std::string& dir,
                      const std::vector<std::string>& names) {
    if (names.empty()) return true;
    const bool toTrash = fs.hasTrash(dir);
    if (!prompt.questionWithDetail(kDeleteOnComputerQuestion,
                                   WhereDeletedFilesGo(names.size(), toTrash))) {
        return true;
    }
    bool allDone = true;
    for (const std::string& name : names) {
        const std::string path = JoinNative(dir, name);
        try {
            if (toTrash) {
                fs.moveToTrash(path);
            } else {
                fs.remove(path);
            }
        } catch (const FileError& error) {
            prompt.message(DeleteFailed(path, error), MessageStyle::Exclamation);
            allDone = false;
        }
    }
    return allDone;
}

bool RenameOnComputer(FileSystem& fs, Prompt& prompt, const std::string& dir,
                      const std::vector<std::string>& names, const AskFileName& ask,
                      const AfterRename& afterRename) {
    bool allDone = true;
    for (const std::string& oldName : names) {
        const std::string newName = ask(oldName);
        if (newName == oldName) continue;
        const std::string from = JoinNative(dir, oldName);
        const std::string to = JoinNative(dir, newName);
        try {
            if (newName.empty()) throw FileError(FileErrorKind::Other, to, "the name is empty");
            fs.renameNoReplace(from, to);
        } catch (const FileError& error) {
            prompt.message(RenameFailed(from, to, error), MessageStyle::Exclamation);
            allDone = false;
        }
        afterRename();
    }
    return allDone;
}

}  // namespace quodlin
