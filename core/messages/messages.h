#pragma once

#include <string>
#include <vector>

#include "core/card_numbering.h"
#include "core/text/wording.h"
#include "platform/file_system.h"

namespace quodlin {

// The texts the program shows; the window and the command line use the same.
inline constexpr const char* kDriveNotReady = "Drive not ready...";
inline constexpr const char* kErrorTitle = "Error";
inline constexpr const char* kCardRemoved = "The card was removed.";
inline constexpr const char* kWriteProtected =
    "The card is write-protected: slide the tab on the card or the switch on the reader.";
inline constexpr const char* kNoCardChosen = "Choose the card under Smart Media: first.";
inline constexpr const char* kNotSoundNotCopied =
    "These files cannot be read as sound, so they cannot be converted for the ES1.";
inline constexpr const char* kNoCardPlaceholder =
    "No card. Insert the card, or choose Other folder... under Smart Media:";
inline constexpr const char* kSeveralCardsPlaceholder =
    "Several cards are inserted: choose the one to use under Smart Media:";
inline constexpr const char* kNoCardAtStart = "SmartMedia not ready/not found; no card chosen.";
inline constexpr const char* kCardIsFull = "Smart Media is full.";
inline constexpr const char* kNoFreeCardName = "More files now than the ES-1 can recognise...";
inline constexpr const char* kDeleteOnComputerQuestion = "Delete all selected files on computer?";
inline constexpr const char* kCopiesRemoved =
    " The files just copied were taken off the card again.";
inline constexpr const char* kDeleteOnCardQuestion = "Delete all selected files on SmartMedia?";

// What failed and why, for the end of a sentence: " (/media/card/02.wav: input/output error)".
std::string BecauseOf(const FileError& error);
// "The backup needs 7.9 MB; the card has 3.1 MB free."
std::string BackupDoesNotFit(std::uint64_t needed, std::uint64_t free);
// "'card.img' is a card image, which Quodlin opens read only."
std::string ImageIsReadOnly(const std::string& image);
// "No card at 'PATH'."
std::string NoCardAt(const std::string& root);
std::string CatalogueNotSaved(const FileError& error);
std::string CardNotRead(const FileError& error);
std::string OverwriteQuestion(const std::string& path);
std::string CopyToCardFailed(const std::string& sourceName, const FileError& error);
std::string CopyFromCardFailed(const std::string& cardFile, const std::string& target,
                               const FileError& error);
std::string DeleteFailed(const std::string& path, const FileError& error);
std::string RenameFailed(const std::string& from, const std::string& to, const FileError& error);
std::string CardFileChanged(const std::string& cardFile);
// "'55.wav' is not on the card."
std::string NotOnCard(const std::string& cardFile);
// "'200' is not a number the instrument uses (00 to 100)."
std::string NotACardNumber(const std::string& asked, Mode mode);
// "'12.wav' is already on the card; nothing was changed."
std::string NumberTaken(const std::string& cardFile);
// "Only 81 numbers are free on the card: the first 81 samples will be copied."
std::string OnlySomeNamesFree(int free, Mode mode);
// "The card was removed. Not copied: a.wav and b.wav."
std::string CardRemovedBefore(const std::vector<std::string>& notCopied);
// " 03.wav and 04.wav stay on the card without friendly names: they could not be taken off again."
std::string CopiesStayUnnamed(const std::vector<std::string>& cardFiles);
std::string NotNameable(const std::string& cardFile);
std::string NameTooLong(const std::string& name, std::size_t longest);
// "3 files will be moved to the trash." or "1 file will be deleted for good."
std::string WhereDeletedFilesGo(std::size_t count, bool toTrash);
// "3 files will be deleted from the card for good."
std::string DeletedFromCardForGood(std::size_t count);
// "3 samples copied to the card, 1 skipped"; for a run that was stopped (canceled, or ended by
// a failure), "Copying to the card stopped after 3 of 5 samples".
std::string CopyRunSummary(int done, int asked, Mode mode, bool toCard, bool stopped);
std::string NotOfMode(const std::vector<std::string>& names, Mode mode);
// "Only samples (.wav) and sound files to convert (AIFF, FLAC, Ogg) can be copied to the card
// here; not copied: a.mp3."
std::string NotSoundToConvert(const std::vector<std::string>& names, const std::string& kinds);
std::string NamesChangedToFit(const std::vector<std::string>& names);

}  // namespace quodlin
