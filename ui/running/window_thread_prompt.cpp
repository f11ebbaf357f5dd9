#include "ui/running/window_thread_prompt.h"

namespace quodlin {

void WindowThreadPrompt::message(const std::string& text, MessageStyle style,
                                 const std::string& title) {
    onWindowThread_([&] { prompt_.message(text, style, title); });
}

bool WindowThreadPrompt::question(const std::string& text, const std::string& title) {
    bool yes = false;
    onWindowThread_([&] { yes = prompt_.question(text, title); });
    return yes;
}

bool WindowThreadPrompt::questionWithDetail(const std::string& text, const std::string& detail) {
    bool yes = false;
    onWindowThread_([&] { yes = prompt_.questionWithDetail(text, detail); });
    return yes;
}

EachAnswer WindowThreadPrompt::questionForEach(const std::string& text,
                                               const std::string& subject) {
    EachAnswer answer = EachAnswer::Cancel;
    onWindowThread_([&] { answer = prompt_.questionForEach(text, subject); });
    return answer;
}

PrepareAnswer WindowThreadPrompt::prepareQuestion(const PrepareQuestion& q) {
    PrepareAnswer answer{ConversionAnswer::Cancel, q.shaping};
    onWindowThread_([&] { answer = prompt_.prepareQuestion(q); });
    return answer;
}

void WindowThreadPrompt::messageForFiles(const std::string& text,
                                         const std::vector<std::string>& names,
                                         MessageStyle style) {
    onWindowThread_([&] { prompt_.messageForFiles(text, names, style); });
}

}  // namespace quodlin
