#pragma once

#include <cstddef>
#include <limits>
#include <map>
#include <mutex>
#include <string>

#include "core/io/file_stamp.h"

namespace quodlin {

// Keeps what was read from files by path, and reads it again when the file's size or time changed
// or another variant (a width, say) is asked for. Safe to use from several threads.
template <typename Value>
class StampedCache {
public:
    explicit StampedCache(FileSystem& fs,
                          std::size_t mostKept = std::numeric_limits<std::size_t>::max())
        : fs_(fs), mostKept_(mostKept) {}

    // Returns the value kept for path; when there is none, calls read() and keeps what it gives.
    template <typename Read>
    Value get(const std::string& path, int variant, Read read) {
        Entry entry{StampOf(fs_, path), variant, {}};
        {
            const std::lock_guard lock(mutex_);
            const auto found = entries_.find(path);
            if (found != entries_.end() && found->second.stamp == entry.stamp &&
                found->second.variant == variant) {
                return found->second.value;
            }
        }
        entry.value = read();
        const std::lock_guard lock(mutex_);
        if (entries_.size() >= mostKept_ && !entries_.contains(path)) entries_.clear();
        entries_[path] = entry;
        return entry.value;
    }

    void forget(const std::string& path) {
        const std::lock_guard lock(mutex_);
        entries_.erase(path);
    }

private:
    struct Entry {
        FileStamp stamp;
        int variant = 0;
        Value value;
    };

    FileSystem& fs_;
    std::size_t mostKept_;
    std::mutex mutex_;
    std::map<std::string, Entry> entries_;
};

}  // namespace quodlin
