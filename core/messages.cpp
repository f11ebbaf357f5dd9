#include "core/messages.h"

#include "core/utf8.h"

namespace quodlin {
namespace {

// The failures that say all there is to say themselves, whatever the action.
bool CardWasRemoved(const FileError& error) {
    return error.kind() == FileErrorKind::CardRemoved ||
           error.kind() == FileErrorKind::WriteProtected ||
           error.kind() == FileErrorKind::CardInUse;
}

std::string StandAlone(const FileError& error) {
    if (error.kind() == FileErrorKind::CardRemoved) return kCardRemoved;
    if (error.kind() == FileErrorKind::WriteProtected) return kWriteProtected;
    return error.reason();
}

std::string Because(const FileError& error) {
    return " (" + error.path() + ": " + error.reason() + ")";
}

}  // namespace

std::string CatalogueNotSaved(const FileError& error) {
    if (CardWasRemoved(error)) return StandAlone(error);
    return "The friendly names could not be saved to names.txt" + Because(error) +
           ". The catalogue on the card was left as it was.";
}

std::string CardNotRead(const FileError& error) {
    if (CardWasRemoved(error)) return StandAlone(error);
    return "The card could not be read" + Because(error) + ".";
}

std::string OverwriteQuestion(const std::string& path) {
    return "Overwrite '" + path + "'?";
}

std::string CopyToCardFailed(const std::string& sourceName, const FileError& error) {
    if (CardWasRemoved(error)) return StandAlone(error);
    return "'" + sourceName + "' could not be copied to the card" + Because(error) + ".";
}

std::string CopyFromCardFailed(const std::string& cardFile, const std::string& target,
                               const FileError& error) {
    if (CardWasRemoved(error)) return StandAlone(error);
    return "'" + cardFile + "' could not be copied to '" + target + "'" + Because(error) + ".";
}

std::string DeleteFailed(const std::string& path, const FileError& error) {
    if (CardWasRemoved(error)) return StandAlone(error);
    return "'" + path + "' could not be deleted" + Because(error) + ".";
}

std::string RenameFailed(const std::string& from, const std::string& to, const FileError& error) {
    if (CardWasRemoved(error)) return StandAlone(error);
    return "'" + from + "' could not be renamed to '" + to + "'" + Because(error) + ".";
}

std::string NotNameable(const std::string& cardFile) {
    return Quoted(cardFile) +
           " cannot be given a friendly name: names.txt cannot tell a file name that begins or "
           "ends with a blank or holds \"=\".";
}

std::string NameTooLong(const std::string& name, std::size_t longest) {
    return "The name " + Quoted(EncodeUtf8(DecodeUtf8(name).substr(0, 40)) + "...") +
           " is longer than " + std::to_string(longest) +
           " characters; the friendly name was left as it was.";
}

std::string CardFileChanged(const std::string& cardFile) {
    return "'" + cardFile + "' has changed on the card since it was listed and was left alone.";
}

std::string WhereDeletedFilesGo(std::size_t count, bool toTrash) {
    return std::to_string(count) + (count == 1 ? " file will be " : " files will be ") +
           (toTrash ? "moved to the trash." : "deleted for good.");
}

std::string CopyRunSummary(int done, int asked, Mode mode, bool toCard) {
    const bool samples = mode == Mode::Samples;
    const std::string kind =
        done == 1 ? (samples ? " sample" : " bank") : (samples ? " samples" : " banks");
    std::string text =
        std::to_string(done) + kind + " copied to the " + (toCard ? "card" : "computer");
    if (asked > done) text += ", " + std::to_string(asked - done) + " skipped";
    return text;
}

std::string NotOfMode(const std::vector<std::string>& names, Mode mode) {
    std::string list;
    for (const std::string& name : names) list += (list.empty() ? "" : ", ") + name;
    const std::string kind = mode == Mode::Samples ? "samples (.wav)" : "banks (.es1)";
    return "Only " + kind + " can be copied to the card here; not copied: " + list + ".";
}

std::string NamesChangedToFit(const std::vector<std::string>& names) {
    std::string text =
        "names.txt holds Windows-1252 text, so characters it cannot hold were saved as \"?\" in:";
    for (const std::string& name : names) text += " \"" + name + "\"";
    return text;
}

}  // namespace quodlin
