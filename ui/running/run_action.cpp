#include "ui/running/run_action.h"

#include <exception>
#include <string>

namespace quodlin {

void RunAction(Prompt& prompt, const std::function<void()>& action) {
    std::string problem;
    try {
        action();
        return;
    } catch (const std::exception& error) {
        problem = error.what();
    } catch (...) {
        problem = "an unknown error";
    }
    prompt.message("The action stopped because of an unexpected error (" + problem +
                       "). Nothing more was done; the program goes on.",
                   MessageStyle::Exclamation);
}

}  // namespace quodlin
