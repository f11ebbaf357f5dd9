#include "core/archive/sha256_sums.h"

#include <cctype>

#include "core/text/utf8.h"

namespace quodlin {
namespace {

// sha256sum marks a line whose name holds a backslash or a line break with a leading
// backslash, and writes those characters as escapes.
std::string Escaped(const std::string& name, bool& escaped) {
    std::string out;
    for (const char c : name) {
        if (c == '\\') {
            out += "\\\\";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else {
            out += c;
            continue;
        }
        escaped = true;
    }
    return out;
}

bool Unescape(std::string_view text, std::string& name) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            name += text[i];
            continue;
        }
        if (++i == text.size()) return false;
        const char c = text[i];
        if (c != '\\' && c != 'n' && c != 'r') return false;
        name += c == 'n' ? '\n' : c == 'r' ? '\r' : '\\';
    }
    return true;
}

bool IsDigest(std::string_view text) {
    return text.size() == 64 && text.find_first_not_of("0123456789abcdefABCDEF") == text.npos;
}

}  // namespace

std::string FormatSums(const std::vector<FileSum>& sums) {
    std::string text;
    for (const FileSum& sum : sums) {
        bool escaped = false;
        const std::string name = Escaped(sum.name, escaped);
        text += (escaped ? "\\" : "") + sum.digest + "  " + name + "\n";
    }
    return text;
}

ParsedSums ParseSums(std::string_view text) {
    ParsedSums parsed;
    int number = 0;
    for (std::string_view line : SplitLines(text)) {
        ++number;
        if (line.empty()) continue;
        const bool escaped = line.starts_with('\\');
        if (escaped) line.remove_prefix(1);
        // "digest  name" for text mode, "digest *name" for binary mode.
        FileSum sum;
        const bool wellFormed = line.size() > 66 && IsDigest(line.substr(0, 64)) &&
                                line[64] == ' ' && (line[65] == ' ' || line[65] == '*');
        if (wellFormed && !escaped) sum.name = line.substr(66);
        if (!wellFormed || (escaped && !Unescape(line.substr(66), sum.name))) {
            parsed.problem = "line " + std::to_string(number) + " cannot be read";
            return parsed;
        }
        for (const char c : line.substr(0, 64)) sum.digest += static_cast<char>(std::tolower(c));
        parsed.sums.push_back(std::move(sum));
    }
    return parsed;
}

}  // namespace quodlin
