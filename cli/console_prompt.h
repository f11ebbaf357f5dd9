#pragma once

#include <ostream>

#include "platform/prompt.h"

namespace quodlin {

// Messages go to stderr, one line each; questions are answered by a fixed choice made on the
// command line, printed after the question.
class ConsolePrompt : public Prompt {
public:
    ConsolePrompt(std::ostream& err, bool answerYes) : err_(err), answerYes_(answerYes) {}

    using Prompt::message;
    using Prompt::question;
    void message(const std::string& text, MessageStyle style, const std::string& title) override;
    bool question(const std::string& text, const std::string& title) override;
    // Declined with a reason, it tells what stands in the way rather than asking.
    EachAnswer questionForEach(const std::string& text, const std::string& subject) override;

    // Every message but a notice reports something that was not done.
    bool reportedFailure() const { return messages_ > 0 || declined_ > 0; }
    // Makes every No an unfinished part of the run, told with this reason after the question.
    void countDeclinesAsFailures(std::string reason) { declineReason_ = std::move(reason); }

private:
    std::ostream& err_;
    bool answerYes_;
    int messages_ = 0;
    int declined_ = 0;
    std::string declineReason_;
};

}  // namespace quodlin
