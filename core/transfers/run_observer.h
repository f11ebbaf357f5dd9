#pragma once

#include <cstdint>
#include <string>

namespace quodlin {

// What a copy run tells the window while it works: the busy pointer, the file it is about to
// handle and the bytes as they are copied, so that a progress dialog can follow and the user can
// end the run at any moment.
class RunObserver {
public:
    virtual ~RunObserver() = default;
    virtual void busy(bool) {}
    // The bytes the whole run is to copy, told before the first file.
    virtual void start(std::uint64_t) {}
    // Called before file index (from 0) of count; false ends the run after the files done.
    virtual bool next(int, int, const std::string&) { return true; }
    // Called as bytes are copied; false drops the file being copied and ends the run.
    virtual bool copied(std::uint64_t) { return true; }
    // A rescue reads the part of file at offset again, for the attempt-th time; false ends the
    // run, keeping the files rescued before this one.
    virtual bool retrying(const std::string&, std::uint64_t, int) { return true; }
    // A file of the run reached its place.
    virtual void fileDone() {}
    // Every byte is copied; what is left is the card writing out the last copies.
    virtual void writing() {}
};

}  // namespace quodlin
