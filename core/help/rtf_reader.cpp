#include "core/help/rtf_reader.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>

#include "core/text/utf8.h"

namespace quodlin {
namespace {

constexpr char32_t kReplacement = 0xFFFD;
constexpr std::size_t kMaxDepth = 100;  // deeper groups are dropped, not remembered
constexpr std::int64_t kMaxParameter = 0x7FFFFFFF;
constexpr int kDefaultHalfPoints = 24;
constexpr int kMaxHalfPoints = 3276;  // 1638 pt, the largest size word processors offer

// A Windows-1252 byte as the help shows it: the bytes the code page leaves undefined are shown
// as unreadable rather than as invisible controls.
char32_t ShownWindows1252(unsigned char byte) {
    const char32_t c = FromWindows1252(byte);
    return c >= 0x80 && c < 0xA0 ? kReplacement : c;
}

// Destinations whose text is never shown.
constexpr std::array<std::string_view, 19> kSkippedDestinations = {
    "fonttbl",          "colortbl", "stylesheet", "info",    "pict",    "header",
    "headerl",          "headerr",  "headerf",    "footer",  "footerl", "footerr",
    "footerf",          "footnote", "object",     "filetbl", "revtbl",  "listtable",
    "listoverridetable"};

struct Symbol {
    std::string_view word;
    char32_t character;
};

constexpr std::array<Symbol, 9> kCharacterWords = {{{"emdash", 0x2014},
                                                    {"endash", 0x2013},
                                                    {"bullet", 0x2022},
                                                    {"lquote", 0x2018},
                                                    {"rquote", 0x2019},
                                                    {"ldblquote", 0x201C},
                                                    {"rdblquote", 0x201D},
                                                    {"line", U'\n'},
                                                    {"tab", U'\t'}}};

struct Format {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int halfPoints = kDefaultHalfPoints;
    bool operator==(const Format&) const = default;
};

// What a group restores when it closes.
struct GroupState {
    Format format;
    std::int64_t fallbackLength = 1;  // \uc: characters that stand in for each \u
    bool skipped = false;             // inside a destination that is not shown
};

struct ControlWord {
    std::string_view name;
    bool hasParameter = false;
    std::int64_t parameter = 0;
    std::int64_t ParameterOr(std::int64_t fallback) const {
        return hasParameter ? parameter : fallback;
    }
};

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

int HexValue(char c) {
    if (IsDigit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool IsAsciiControl(char32_t c) {
    return c < 0x20 || c == 0x7F;
}
bool IsHighSurrogate(char32_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLowSurrogate(char32_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

// One pass over the text; every byte is looked at a bounded number of times.
class RtfParser {
public:
    explicit RtfParser(std::string_view rtf) : rtf_(rtf) {}

    RtfDocument Parse() {
        while (pos_ < rtf_.size() && !finished_) Step(rtf_[pos_++]);
        EndParagraph(false);
        return std::move(document_);
    }

private:
    void Step(char c) {
        switch (c) {
            case '{':
                OpenGroup();
                break;
            case '}':
                CloseGroup();
                break;
            case '\\':
                ReadControl();
                break;
            case '\r':
            case '\n':
                break;
            default:
                Text(static_cast<unsigned char>(c));
        }
    }

    bool Skipped() const { return state_.skipped || droppedDepth_ > 0; }

    // A \u is followed by stand-in characters for readers without Unicode; they are passed over.
    bool TakeFallback() {
        if (fallbackLeft_ == 0) return false;
        --fallbackLeft_;
        return true;
    }

    void OpenGroup() {
        fallbackLeft_ = 0;
        if (droppedDepth_ > 0 || groups_.size() >= kMaxDepth) {
            ++droppedDepth_;
        } else {
            groups_.push_back(state_);
        }
    }

    void CloseGroup() {
        fallbackLeft_ = 0;
        if (droppedDepth_ > 0) {
            --droppedDepth_;
            return;
        }
        if (!groups_.empty()) {
            state_ = groups_.back();
            groups_.pop_back();
        }
        // The document's own group has closed: whatever follows it is not part of the text.
        finished_ = groups_.empty();
    }

    void Text(unsigned char byte) {
        if (TakeFallback() || Skipped()) return;
        if (byte == '\t' || !IsAsciiControl(byte)) Emit(ShownWindows1252(byte));
    }

    void ReadControl() {
        if (pos_ >= rtf_.size()) return;
        if (IsLetter(rtf_[pos_])) {
            ApplyWord(ReadControlWord());
        } else {
            ApplySymbol(rtf_[pos_++]);
        }
    }

    ControlWord ReadControlWord() {
        ControlWord word;
        const std::size_t start = pos_;
        while (pos_ < rtf_.size() && IsLetter(rtf_[pos_])) ++pos_;
        word.name = rtf_.substr(start, pos_ - start);
        const bool negative =
            pos_ + 1 < rtf_.size() && rtf_[pos_] == '-' && IsDigit(rtf_[pos_ + 1]);
        if (negative) ++pos_;
        while (pos_ < rtf_.size() && IsDigit(rtf_[pos_])) {
            word.hasParameter = true;
            word.parameter = std::min(word.parameter * 10 + (rtf_[pos_++] - '0'), kMaxParameter);
        }
        if (negative) word.parameter = -word.parameter;
        if (pos_ < rtf_.size() && rtf_[pos_] == ' ') ++pos_;
        return word;
    }

    void ApplySymbol(char c) {
        if (c == '\'') return HexCharacter();
        if (TakeFallback()) return;
        switch (c) {
            case '*':
                state_.skipped = true;
                break;
            case '\r':
            case '\n':
                Paragraph();
                break;
            case '\\':
            case '{':
            case '}':
                Character(static_cast<char32_t>(c));
                break;
            case '~':
                Character(0x00A0);
                break;
            case '_':
                Character(0x2011);
                break;
            default:
                break;  // \- is an optional hyphen: nothing to show
        }
    }

    void HexCharacter() {
        int value = 0;
        int digits = 0;
        while (digits < 2 && pos_ < rtf_.size() && HexValue(rtf_[pos_]) >= 0) {
            value = value * 16 + HexValue(rtf_[pos_++]);
            ++digits;
        }
        if (TakeFallback() || digits < 2) return;
        Character(ShownWindows1252(static_cast<unsigned char>(value)));
    }

    void ApplyWord(const ControlWord& word) {
        if (word.name == "bin") return SkipBinary(word.ParameterOr(0));
        if (TakeFallback()) return;
        if (IsSkippedDestination(word.name)) {
            state_.skipped = true;
        } else if (word.name == "u") {
            Unicode(word);
        } else if (word.name == "uc") {
            state_.fallbackLength = std::max<std::int64_t>(word.ParameterOr(1), 0);
        } else if (word.name == "par") {
            Paragraph();
        } else if (!ApplyFormat(word)) {
            ApplyCharacterWord(word.name);
        }
    }

    static bool IsSkippedDestination(std::string_view name) {
        return std::find(kSkippedDestinations.begin(), kSkippedDestinations.end(), name) !=
               kSkippedDestinations.end();
    }

    // \pard resets paragraph properties only, none of which are kept, so it needs no case.
    bool ApplyFormat(const ControlWord& word) {
        Format& format = state_.format;
        const bool on = word.ParameterOr(1) != 0;
        if (word.name == "b") {
            format.bold = on;
        } else if (word.name == "i") {
            format.italic = on;
        } else if (word.name == "ul") {
            format.underline = on;
        } else if (word.name == "ulnone") {
            format.underline = false;
        } else if (word.name == "fs") {
            format.halfPoints = FontSize(word.ParameterOr(kDefaultHalfPoints));
        } else if (word.name == "plain") {
            format = Format{};
        } else {
            return false;
        }
        return true;
    }

    static int FontSize(std::int64_t halfPoints) {
        if (halfPoints <= 0) return kDefaultHalfPoints;
        return static_cast<int>(std::min<std::int64_t>(halfPoints, kMaxHalfPoints));
    }

    void ApplyCharacterWord(std::string_view name) {
        for (const Symbol& symbol : kCharacterWords) {
            if (symbol.word == name) return Character(symbol.character);
        }
    }

    void Unicode(const ControlWord& word) {
        if (!word.hasParameter) return;
        std::int64_t value = word.parameter;
        if (value < 0) value += 0x10000;  // writers give the upper half as signed 16-bit numbers
        const char32_t c =
            value < 0 || value > 0x10FFFF ? kReplacement : static_cast<char32_t>(value);
        if (!IsAsciiControl(c)) Character(c);
        fallbackLeft_ = state_.fallbackLength;
    }

    void SkipBinary(std::int64_t length) {
        const auto left = static_cast<std::int64_t>(rtf_.size() - pos_);
        pos_ += static_cast<std::size_t>(std::clamp<std::int64_t>(length, 0, left));
        TakeFallback();
    }

    void Character(char32_t c) {
        if (!Skipped()) Emit(c);
    }

    void Paragraph() {
        if (!Skipped()) EndParagraph(true);
    }

    // Surrogate pairs arrive as two \u words; a half without its partner becomes U+FFFD.
    void Emit(char32_t c) {
        if (IsLowSurrogate(c) && highSurrogate_ != 0) {
            c = 0x10000 + ((highSurrogate_ - 0xD800) << 10) + (c - 0xDC00);
            highSurrogate_ = 0;
        }
        FlushSurrogate();
        if (IsHighSurrogate(c)) {
            highSurrogate_ = c;
            return;
        }
        Append(IsLowSurrogate(c) ? kReplacement : c);
    }

    void FlushSurrogate() {
        if (highSurrogate_ == 0) return;
        highSurrogate_ = 0;
        Append(kReplacement);
    }

    void Append(char32_t c) {
        std::vector<RtfRun>& runs = paragraph_.runs;
        if (runs.empty() || !HasFormat(runs.back(), state_.format)) runs.push_back(NewRun());
        AppendUtf8(runs.back().text, c);
    }

    static bool HasFormat(const RtfRun& run, const Format& format) {
        return Format{run.bold, run.italic, run.underline, run.halfPoints} == format;
    }

    RtfRun NewRun() const {
        const Format& format = state_.format;
        return RtfRun{{}, format.bold, format.italic, format.underline, format.halfPoints};
    }

    // An ended paragraph always counts; the last one only when it holds text.
    void EndParagraph(bool ended) {
        FlushSurrogate();
        if (!ended && paragraph_.runs.empty()) return;
        document_.paragraphs.push_back(std::move(paragraph_));
        paragraph_ = RtfParagraph{};
    }

    std::string_view rtf_;
    std::size_t pos_ = 0;
    bool finished_ = false;
    GroupState state_;
    std::vector<GroupState> groups_;
    std::size_t droppedDepth_ = 0;
    std::int64_t fallbackLeft_ = 0;
    char32_t highSurrogate_ = 0;
    RtfParagraph paragraph_;
    RtfDocument document_;
};

// Plain text is expected in UTF-8; a file that is not valid UTF-8 was most likely saved in the
// Windows code page.
std::string PlainTextAsUtf8(std::string_view text) {
    if (IsValidUtf8(text)) return std::string(text);
    std::string out;
    out.reserve(text.size() + text.size() / 2);
    for (const char c : text) AppendUtf8(out, ShownWindows1252(static_cast<unsigned char>(c)));
    return out;
}

RtfDocument PlainParagraphs(std::string_view text) {
    RtfDocument document;
    for (std::string& line : SplitLines(PlainTextAsUtf8(text))) {
        RtfParagraph paragraph;
        if (!line.empty()) paragraph.runs.push_back(RtfRun{std::move(line)});
        document.paragraphs.push_back(std::move(paragraph));
    }
    return document;
}

}  // namespace

RtfDocument ParseRtf(std::string_view rtf) {
    if (rtf.starts_with(kUtf8Bom)) rtf.remove_prefix(kUtf8Bom.size());
    if (!rtf.starts_with("{\\rtf")) return PlainParagraphs(rtf);
    return RtfParser(rtf).Parse();
}

}  // namespace quodlin
