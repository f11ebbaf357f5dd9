#pragma once

#include <cstdint>
#include <string>

#include "platform/file_system.h"

namespace quodlin {

// One read of a whole file, held against what the file promised when it was opened. A failing
// card often ends a read early without an error, and a source may change while it is copied:
// either is a failure of that file, never a shorter file passed on as whole.
class WholeRead {
public:
    // Takes the file's size and last change as they are now.
    WholeRead(InputFile& input, std::string path);

    // Reads the next bytes, as InputFile::read does; the end of the file is checked.
    std::size_t read(char* buffer, std::size_t size);
    // Counts bytes read past this object (a copy in the kernel, say); 0 marks the end.
    void counted(std::size_t bytes);
    std::uint64_t promised() const { return opened_.size; }

private:
    void checkEnd();

    InputFile& input_;
    std::string path_;
    FileStamp opened_;
    std::uint64_t got_ = 0;
};

// "'01.wav' could be read only in part (81,920 of 256,044 bytes): the card may be failing."
FileError ReadOnlyInPart(const std::string& path, std::uint64_t got, std::uint64_t promised,
                         const std::string& unit = "bytes");
// "'x.wav' changed while it was copied; it was not copied."
FileError ChangedWhileRead(const std::string& path);

}  // namespace quodlin
