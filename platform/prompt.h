#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/sample_shaping.h"

namespace quodlin {

// The message-box styles the program uses, with the platform's numbers.
enum class MessageStyle { Plain = 0, Question = 36, Exclamation = 48, Information = 64 };

inline constexpr const char* kApplicationTitle = "Quodlin";

// The answers to a question asked for one file of several: its own answer, one for the rest of
// the run, or the end of the run.
enum class EachAnswer { Yes, No, YesToAll, NoToAll, Cancel };
// The answers to the conversion question.
enum class ConversionAnswer { Convert, CopyAsTheyAre, Cancel };

// Whether and how to prepare a run's samples for the instrument: converted when they would play
// wrongly, and shaped as chosen.
struct PrepareQuestion {
    std::string text;
    std::vector<std::string> names;  // the file names of the run's samples
    SampleShaping shaping;           // as last chosen
    std::uint64_t bytesBefore = 0;   // their total size as they are
    // Their total size on the card, converted and shaped so.
    std::function<std::uint64_t(const SampleShaping&)> bytesAfter;
    // Beside each name: "" when it is ready, else what keeps the instrument from playing it.
    std::vector<std::string> problems;
    // The names that are converted however the user answers, since the card takes WAV only.
    std::vector<std::string> convertedAnyway;
    // How many of them, in order, fit in the card's free space when shaped so; none when the
    // free space is not known.
    std::function<std::optional<std::size_t>(const SampleShaping&)> fitting;
};
struct PrepareAnswer {
    ConversionAnswer choice = ConversionAnswer::Cancel;
    SampleShaping shaping;
};

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

    // A question about subject, one of several files; No unless the user chooses otherwise.
    virtual EachAnswer questionForEach(const std::string& text, const std::string&) {
        return question(text) ? EachAnswer::Yes : EachAnswer::No;
    }

    // Whether to prepare samples for the instrument, and with which shaping; Convert is the
    // default. Here a Yes/No question that keeps the shaping asked with.
    virtual PrepareAnswer prepareQuestion(const PrepareQuestion& q) {
        return {question(q.text) ? ConversionAnswer::Convert : ConversionAnswer::CopyAsTheyAre,
                q.shaping};
    }

    // One message about several files; here one line for each.
    virtual void messageForFiles(const std::string& text, const std::vector<std::string>& names,
                                 MessageStyle style) {
        for (const std::string& name : names) {
            message(text + " Not copied: '" + name + "'.", style, kApplicationTitle);
        }
    }

    void message(const std::string& text, MessageStyle style) {
        message(text, style, kApplicationTitle);
    }
    bool question(const std::string& text) { return question(text, kApplicationTitle); }
};

}  // namespace quodlin
