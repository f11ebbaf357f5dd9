#pragma once

#include <functional>

#include "platform/prompt.h"

namespace quodlin {

// Runs one user action to its end. An error that no part of the action expected is told as a
// message and the program goes on, so that a fault in one action never ends the program, and
// with it the user's session.
void RunAction(Prompt& prompt, const std::function<void()>& action);

}  // namespace quodlin
