#pragma once

#include <string>

namespace quodlin {

// The message-box styles the program uses, with the platform's numbers.
enum class MessageStyle { Plain = 0, Question = 36, Exclamation = 48, Information = 64 };

inline constexpr const char* kApplicationTitle = "Quodlin";

// How the program asks the user and tells the user things; the window, the command line and the
// tests each bring their own.
class Prompt {
public:
    virtual ~Prompt() = default;
    virtual void message(const std::string& text, MessageStyle style, const std::string& title) = 0;
    // A Yes/No question; true for Yes.
    virtual bool question(const std::string& text, const std::string& title) = 0;

    // A Yes/No question with a line under it that tells what Yes will do.
    virtual bool questionWithDetail(const std::string& text, const std::string&) {
        return question(text);
    }

    void message(const std::string& text, MessageStyle style) {
        message(text, style, kApplicationTitle);
    }
    bool question(const std::string& text) { return question(text, kApplicationTitle); }
};

}  // namespace quodlin
