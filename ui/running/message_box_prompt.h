#pragma once

#include <QPointer>
#include <QWidget>
#include <string>
#include <vector>

#include "platform/prompt.h"
#include "platform/settings.h"

namespace quodlin {

// Tells and asks through the window's message boxes: the style sets the icon and buttons, and
// the title is "Quodlin" unless another is given. Every question defaults to the answer that loses
// nothing. Messages told before the main window is shown wait for it, and then open over it.
class MessageBoxPrompt : public Prompt {
public:
    using Prompt::message;
    using Prompt::question;
    void message(const std::string& text, MessageStyle style, const std::string& title) override;
    bool question(const std::string& text, const std::string& title) override;
    bool questionWithDetail(const std::string& text, const std::string& detail) override;
    EachAnswer questionForEach(const std::string& text, const std::string& subject) override;
    PrepareAnswer prepareQuestion(const PrepareQuestion& q) override;
    // Shows one box that names the files under the text.
    void messageForFiles(const std::string& text, const std::vector<std::string>& names,
                         MessageStyle style) override;

    // Remembers in settings the shaping chosen in the "Prepare for the ES1" dialog.
    void rememberShapingIn(Settings& settings) { settings_ = &settings; }

    // Once window is shown, shows the messages held for it, as its children.
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
