#pragma once

#include <QPointer>
#include <QWidget>
#include <string>
#include <vector>

#include "platform/prompt.h"
#include "platform/settings.h"

namespace quodlin {

// The window's message boxes: icon and buttons by the style number, the title "Quodlin" unless
// another is given. Every question defaults to the answer that loses nothing. Messages told
// before the main window is shown wait for it, and then open over it.
class MessageBoxPrompt : public Prompt {
public:
    using Prompt::message;
    using Prompt::question;
    void message(const std::string& text, MessageStyle style, const std::string& title) override;
    bool question(const std::string& text, const std::string& title) override;
    bool questionWithDetail(const std::string& text, const std::string& detail) override;
    EachAnswer questionForEach(const std::string& text, const std::string& subject) override;
    PrepareAnswer prepareQuestion(const PrepareQuestion& q) override;
    // One box, naming the files under the text.
    void messageForFiles(const std::string& text, const std::vector<std::string>& names,
                         MessageStyle style) override;

    // Where the shaping chosen in the "Prepare for the ES1" dialog is remembered.
    void rememberShapingIn(Settings& settings) { settings_ = &settings; }

    // The window shown: the messages held for it are shown now, as its children.
    void showHeldOver(QWidget* window);

private:
    struct Held {
        std::string text;
        MessageStyle style;
        std::string title;
    };
    QWidget* owner() const;

    Settings* settings_ = nullptr;
    bool holding_ = true;
    QPointer<QWidget> window_;
    std::vector<Held> held_;
};

}  // namespace quodlin
