#pragma once

#include <vector>

#include "platform/volumes.h"

namespace quodlin::test {

// Volumes a test chooses: a refresh takes what mounted holds at that moment.
class FixedVolumes : public Volumes {
public:
    void refresh() override {
        ++refreshes;
        seen_ = mounted;
    }
    const std::vector<Volume>& list() const override { return seen_; }

    std::vector<Volume> mounted;
    int refreshes = 0;

private:
    std::vector<Volume> seen_;
};

}  // namespace quodlin::test
