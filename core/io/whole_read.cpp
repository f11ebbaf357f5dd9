#include "core/io/whole_read.h"

#include "core/text/text_functions.h"
#include "core/text/wording.h"

namespace quodlin {

WholeRead::WholeRead(InputFile& input, std::string path)
    : input_(input), path_(std::move(path)), opened_(input.stamp()) {}

std::size_t WholeRead::read(char* buffer, std::size_t size) {
    const std::size_t got = input_.read(buffer, size);
    counted(got);
    return got;
}

void WholeRead::counted(std::size_t bytes) {
    got_ += bytes;
    if (bytes == 0 || got_ > opened_.size) checkEnd();
}

void WholeRead::checkEnd() {
    if (input_.stamp() != opened_ || got_ > opened_.size) throw ChangedWhileRead(path_);
    if (got_ < opened_.size) throw ReadOnlyInPart(path_, got_, opened_.size);
}

FileError ReadOnlyInPart(const std::string& path, std::uint64_t got, std::uint64_t promised,
                         const std::string& unit) {
    return FileError(FileErrorKind::Incomplete, path,
                     Quoted(FileNameOf(path)) + " could be read only in part (" + Grouped(got) +
                         " of " + Grouped(promised) + " " + unit + "): the card may be failing.");
}

FileError ChangedWhileRead(const std::string& path) {
    return FileError(FileErrorKind::Incomplete, path,
                     Quoted(FileNameOf(path)) + " changed while it was copied; it was not copied.");
}

}  // namespace quodlin
