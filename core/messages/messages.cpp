#include "core/messages/messages.h"

#include "core/text/text_functions.h"
#include "core/text/utf8.h"
#include "core/text/wording.h"

namespace quodlin {
namespace {

// The failures that say all there is to say themselves, whatever the action.
bool CardWasRemoved(const FileError& error) {
    return error.kind() == FileErrorKind::CardRemoved ||
           error.kind() == FileErrorKind::WriteProtected ||
           error.kind() == FileErrorKind::CardInUse || error.kind() == FileErrorKind::Incomplete;
}

std::string StandAlone(const FileError& error) {
    if (error.kind() == FileErrorKind::CardRemoved) return kCardRemoved;
    if (error.kind() == FileErrorKind::WriteProtected) return kWriteProtected;
    return error.reason();
}

}  // namespace

std::string BecauseOf(const FileError& error) {
    return " (" + error.path() + ": " + error.reason() + ")";
}

std::string BackupDoesNotFit(std::uint64_t needed, std::uint64_t free) {
    return "The backup needs " + SizeText(needed) + "; the card has " + SizeText(free) + " free.";
}

std::string ImageIsReadOnly(const std::string& image) {
    return Quoted(FileNameOf(image)) + " is a card image, which Quodlin opens read only.";
}

std::string NoCardAt(const std::string& root) {
    return "No card at " + Quoted(root) + ".";
}

std::string CatalogueNotSaved(const FileError& error) {
    if (CardWasRemoved(error)) return StandAlone(error);
    return "The friendly names could not be saved to names.txt" + BecauseOf(error) +
           ". The catalogue on the card was left as it was.";
}

std::string CardNotRead(const FileError& error) {
    if (CardWasRemoved(error)) return StandAlone(error);
    return "The card could not be read" + BecauseOf(error) + ".";
}

std::string OverwriteQuestion(const std::string& path) {
    return "Overwrite " + Quoted(path) + "?";
}

std::string CopyToCardFailed(const std::string& sourceName, const FileError& error) {
    if (CardWasRemoved(error)) return StandAlone(error);
    return Quoted(sourceName) + " could not be copied to the card" + BecauseOf(error) + ".";
}

std::string CopyFromCardFailed(const std::string& cardFile, const std::string& target,
                               const FileError& error) {
    if (CardWasRemoved(error)) return StandAlone(error);
    return Quoted(cardFile) + " could not be copied to " + Quoted(target) + BecauseOf(error) + ".";
}

std::string DeleteFailed(const std::string& path, const FileError& error) {
    if (CardWasRemoved(error)) return StandAlone(error);
    return Quoted(path) + " could not be deleted" + BecauseOf(error) + ".";
}

std::string RenameFailed(const std::string& from, const std::string& to, const FileError& error) {
    if (CardWasRemoved(error)) return StandAlone(error);
    return Quoted(from) + " could not be renamed to " + Quoted(to) + BecauseOf(error) + ".";
}

std::string NotNameable(const std::string& cardFile) {
    return Quoted(cardFile) +
           " cannot be given a friendly name: names.txt cannot tell a file name that begins or "
           "ends with a blank or holds \"=\" or a control character.";
}

std::string NameTooLong(const std::string& name, std::size_t longest) {
    return "The name " + Quoted(EncodeUtf8(DecodeUtf8(name).substr(0, 40)) + "...") +
           " is longer than " + std::to_string(longest) +
           " characters; the friendly name was left as it was.";
}

std::string CopiesStayUnnamed(const std::vector<std::string>& cardFiles) {
    const bool one = cardFiles.size() == 1;
    return " " + Joined(cardFiles, ", ", " and ") +
           (one ? " stays on the card without a friendly name: it"
                : " stay on the card without friendly names: they") +
           " could not be taken off again.";
}

std::string NotACardNumber(const std::string& asked, Mode mode) {
    const std::string first = CardFileName(mode, 0);
    const std::string last = CardFileName(mode, kCardNameCount - 1);
    return Quoted(asked) + " is not a number the instrument uses (" +
           first.substr(0, first.find('.')) + " to " + last.substr(0, last.find('.')) + ").";
}

std::string NumberTaken(const std::string& cardFile) {
    return Quoted(cardFile) + " is already on the card; nothing was changed.";
}

std::string OnlySomeNamesFree(int free, Mode mode) {
    const std::string kind = mode == Mode::Samples ? "sample" : "bank";
    return "Only " + Counted(free, "number is", "numbers are") + " free on the card: the first " +
           (free == 1 ? kind + " will" : std::to_string(free) + " " + kind + "s will") +
           " be copied.";
}

std::string CardRemovedBefore(const std::vector<std::string>& notCopied) {
    if (notCopied.empty()) return kCardRemoved;
    return std::string(kCardRemoved) + " Not copied: " + Joined(notCopied, ", ", " and ") + ".";
}

std::string NotOnCard(const std::string& cardFile) {
    return Quoted(cardFile) + " is not on the card.";
}

std::string CardFileChanged(const std::string& cardFile) {
    return Quoted(cardFile) + " has changed on the card since it was listed and was left alone.";
}

namespace {

std::string FilesWillBe(std::size_t count) {
    return Counted(static_cast<long long>(count), "file will be ", "files will be ");
}

}  // namespace

std::string WhereDeletedFilesGo(std::size_t count, bool toTrash) {
    return FilesWillBe(count) + (toTrash ? "moved to the trash." : "deleted for good.");
}

std::string DeletedFromCardForGood(std::size_t count) {
    return FilesWillBe(count) + "deleted from the card for good.";
}

std::string CopyRunSummary(int done, int asked, Mode mode, bool toCard, bool stopped) {
    const bool samples = mode == Mode::Samples;
    const auto counted = [samples](int n) { return Counted(n, samples ? "sample" : "bank"); };
    const std::string side = toCard ? "card" : "computer";
    if (stopped) {
        return "Copying to the " + side + " stopped after " + std::to_string(done) + " of " +
               counted(asked);
    }
    std::string text = counted(done) + " copied to the " + side;
    if (asked > done) text += ", " + std::to_string(asked - done) + " skipped";
    return text;
}

std::string NotOfMode(const std::vector<std::string>& names, Mode mode) {
    const std::string list = Joined(names);
    const std::string kind = mode == Mode::Samples ? "samples (.wav)" : "banks (.es1)";
    return "Only " + kind + " can be copied to the card here; not copied: " + list + ".";
}

std::string NotSoundToConvert(const std::vector<std::string>& names, const std::string& kinds) {
    return "Only samples (.wav) and sound files to convert (" + kinds +
           ") can be copied to the card here; not copied: " + Joined(names) + ".";
}

std::string NamesChangedToFit(const std::vector<std::string>& names) {
    std::string text =
        "names.txt holds Windows-1252 text, so characters it cannot hold were saved as \"?\" in:";
    for (const std::string& name : names) text += " \"" + name + "\"";
    return text;
}

}  // namespace quodlin
