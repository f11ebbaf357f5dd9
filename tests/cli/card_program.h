#pragma once

#include <string>
#include <vector>

#include "tests/support/fat_card.h"

namespace quodlin::test {

// Runs the quodlin-card program built with these tests.
inline ProcessResult Card(std::vector<std::string> args) {
    args.insert(args.begin(), QUODLIN_CARD_PROGRAM);
    return RunProgram(args);
}

}  // namespace quodlin::test
