#pragma once

#include <string>

namespace quodlin {

// What a copy run tells the window while it works: the busy pointer, and the file it is about to
// handle, so that a progress dialog can follow and the user can end the run between files.
class RunObserver {
public:
    virtual ~RunObserver() = default;
    virtual void busy(bool) {}
    // Called before file index (from 0) of count; false ends the run after the files done.
    virtual bool next(int, int, const std::string&) { return true; }
};

}  // namespace quodlin
