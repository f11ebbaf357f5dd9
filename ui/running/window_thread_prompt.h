#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/prompt.h"

namespace quodlin {

// A prompt for a run on a worker: each question is carried to the window's thread and asked
// there through the window's own prompt, and the run waits for the answer. When the window
// closes before a question is asked, the answer is the one that loses nothing.
class WindowThreadPrompt : public Prompt {
public:
    using OnWindowThread = std::function<void(const std::function<void()>&)>;
    WindowThreadPrompt(Prompt& windowPrompt, OnWindowThread onWindowThread)
        : prompt_(windowPrompt), onWindowThread_(std::move(onWindowThread)) {}

    using Prompt::message;
    using Prompt::question;
    void message(const std::string& text, MessageStyle style, const std::string& title) override;
    bool question(const std::string& text, const std::string& title) override;
    bool questionWithDetail(const std::string& text, const std::string& detail) override;
    EachAnswer questionForEach(const std::string& text, const std::string& subject) override;
    PrepareAnswer prepareQuestion(const PrepareQuestion& q) override;
    void messageForFiles(const std::string& text, const std::vector<std::string>& names,
                         MessageStyle style) override;

private:
    Prompt& prompt_;
    OnWindowThread onWindowThread_;
};

}  // namespace quodlin
