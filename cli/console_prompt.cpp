#include "cli/console_prompt.h"

#include "core/text/wording.h"

namespace quodlin {

void ConsolePrompt::message(const std::string& text, MessageStyle style, const std::string&) {
    err_ << text << '\n';
    // A notice (such as names saved with "?") is no failure; a run that was cut short by one
    // (no free card name) reports that itself.
    if (style != MessageStyle::Information) ++messages_;
}

bool ConsolePrompt::question(const std::string& text, const std::string&) {
    err_ << text << ' ' << (answerYes_ ? "yes" : "no");
    if (!answerYes_ && !declineReason_.empty()) {
        err_ << ": " << declineReason_;
        ++declined_;
    }
    err_ << '\n';
    return answerYes_;
}

EachAnswer ConsolePrompt::questionForEach(const std::string& text, const std::string& subject) {
    if (answerYes_ || declineReason_.empty()) {
        return question(text, {}) ? EachAnswer::Yes : EachAnswer::No;
    }
    err_ << Quoted(subject) << " " << declineReason_ << '\n';
    ++declined_;
    return EachAnswer::No;
}

}  // namespace quodlin
