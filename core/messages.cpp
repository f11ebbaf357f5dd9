#include "core/messages.h"

namespace quodlin {

std::string CatalogueNotSaved(const FileError& error) {
    return "The friendly names could not be saved to names.txt (" + error.path() + ": " +
           error.reason() + "). The catalogue on the card was left as it was.";
}

std::string CardNotRead(const FileError& error) {
    return "The card could not be read (" + error.path() + ": " + error.reason() + ").";
}

}  // namespace quodlin
