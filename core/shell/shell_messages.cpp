#include "core/shell/shell_messages.h"

#include "core/messages/messages.h"
#include "core/text/wording.h"

namespace quodlin {

std::string DirectoryNotPresent(const std::string& fallback) {
    return "Sample or Bank directory not present, set to " + Quoted(fallback);
}

std::string DriveNotFound(const std::string& drive) {
    return "There is no drive " + Quoted(drive) + " on this computer.";
}

std::string DirectoryNotFound(const std::string& path, const std::string& inUse) {
    return "The directory " + Quoted(path) + " does not exist. Still using " + Quoted(inUse) + ".";
}

std::string DirectoryNotRead(const FileError& error) {
    return "The directory could not be read" + BecauseOf(error) + ".";
}

std::string SettingsNotSaved(const std::string& reason) {
    return "The settings could not be saved (" + reason +
           "). The directories and the card drive of this session are not remembered.";
}

std::string HelpFileNotRead(const std::string& path) {
    return "The help text could not be read from " + path + ".";
}

}  // namespace quodlin
