#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/prompt.h"

namespace quodlin::test {

// Remembers what the program said and answers its questions from a script (No when the script
// has run out).
class RecordingPrompt : public Prompt {
public:
    using Prompt::message;
    using Prompt::question;
    void message(const std::string& text, MessageStyle style, const std::string& title) override {
        messages.push_back(text);
        styles.push_back(style);
        titles.push_back(title);
    }
    bool questionWithDetail(const std::string& text, const std::string& detail) override {
        details.push_back(detail);
        return question(text);
    }
    bool question(const std::string& text, const std::string&) override {
        questions.push_back(text);
        if (onQuestion) onQuestion(text);
        if (answers.empty()) return false;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }

    // Records the shaping it was offered, then answers as a Yes/No question.
    PrepareAnswer prepareQuestion(const PrepareQuestion& q) override {
        shapingsOffered.push_back(q.shaping);
        notReadyShown.clear();
        for (std::size_t i = 0; i < q.problems.size(); ++i) {
            if (!q.problems[i].empty()) notReadyShown.push_back(q.names[i]);
        }
        if (q.fitting) fitting.push_back(q.fitting(q.shaping));
        return Prompt::prepareQuestion(q);
    }

    std::vector<SampleShaping> shapingsOffered;
    // The samples the last question marked as not ready, and how many fit on the card.
    std::vector<std::string> notReadyShown;
    std::vector<std::optional<std::size_t>> fitting;
    std::vector<std::string> messages;
    std::vector<MessageStyle> styles;
    std::vector<std::string> titles;
    std::vector<std::string> questions;
    std::vector<std::string> details;
    std::deque<bool> answers;
    // Runs when a question is asked, before it is answered.
    std::function<void(const std::string&)> onQuestion;
};

}  // namespace quodlin::test
