#include "core/messages.h"

namespace quodlin {
namespace {

std::string Because(const FileError& error) {
    return " (" + error.path() + ": " + error.reason() + ")";
}

}  // namespace

std::string CatalogueNotSaved(const FileError& error) {
    return "The friendly names could not be saved to names.txt" + Because(error) +
           ". The catalogue on the card was left as it was.";
}

std::string CardNotRead(const FileError& error) {
    return "The card could not be read" + Because(error) + ".";
}

std::string OverwriteQuestion(const std::string& path) {
    return "Overwrite '" + path + "'?";
}

std::string CopyToCardFailed(const std::string& sourceName, const FileError& error) {
    return "'" + sourceName + "' could not be copied to the card" + Because(error) + ".";
}

std::string CopyFromCardFailed(const std::string& cardFile, const std::string& target,
                               const FileError& error) {
    return "'" + cardFile + "' could not be copied to '" + target + "'" + Because(error) + ".";
}

std::string DeleteFailed(const std::string& path, const FileError& error) {
    return "'" + path + "' could not be deleted" + Because(error) + ".";
}

std::string RenameFailed(const std::string& from, const std::string& to, const FileError& error) {
    return "'" + from + "' could not be renamed to '" + to + "'" + Because(error) + ".";
}

std::string CardFileChanged(const std::string& cardFile) {
    return "'" + cardFile + "' has changed on the card since it was listed and was left alone.";
}

std::string NotOfMode(const std::vector<std::string>& names, Mode mode) {
    std::string list;
    for (const std::string& name : names) list += (list.empty() ? "" : ", ") + name;
    const std::string kind = mode == Mode::Samples ? "samples (.wav)" : "banks (.es1)";
    return "Only " + kind + " can be copied to the card here; not copied: " + list + ".";
}

}  // namespace quodlin
