#pragma once

#include <string>

#include "core/io/stamped_cache.h"
#include "platform/sample_formats.h"

namespace quodlin {

// Reads each file's format once for every list, line and run of the window, and again only when
// the file changed. Safe to use from the window's workers at once.
class CachedSampleFormats : public SampleFormats {
public:
    CachedSampleFormats(SampleFormats& formats, FileSystem& fs) : formats_(formats), cache_(fs) {}

    SampleFormat read(const std::string& path) override {
        return cache_.get(path, 0, [&] { return formats_.read(path); });
    }
    SampleFormat read(FileSystem& fs, const std::string& path) override {
        return cache_.get(path, 0, [&] { return formats_.read(fs, path); });
    }
    bool readsSound() const override { return formats_.readsSound(); }

private:
    SampleFormats& formats_;
    StampedCache<SampleFormat> cache_;
};

}  // namespace quodlin
