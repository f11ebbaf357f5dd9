#pragma once

#include "platform/prompt.h"

namespace quodlin {

// The window's message boxes: icon and buttons by the style number, the title "Quodlin" unless
// another is given.
class MessageBoxPrompt : public Prompt {
public:
    using Prompt::message;
    using Prompt::question;
    void message(const std::string& text, MessageStyle style, const std::string& title) override;
    bool question(const std::string& text, const std::string& title) override;
    bool questionWithDetail(const std::string& text, const std::string& detail) override;
};

}  // namespace quodlin
