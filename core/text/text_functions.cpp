#include "core/text/text_functions.h"

#include "core/text/utf8.h"

namespace quodlin {

std::string RemoveDouble(std::string& sLine, char doubleChar) {
    // The bound is fixed at the start; a character moved into position i is not examined again.
    const std::size_t n = sLine.size();
    for (std::size_t i = 1; i + 1 <= n; ++i) {
        if (i < sLine.size() && sLine[i - 1] == doubleChar && sLine[i] == doubleChar) {
            sLine.erase(i - 1, 1);
        }
    }
    return sLine;
}

std::string ShortenPath(const std::string& sPath, int maxLen) {
    std::u32string t = DecodeUtf8(NameText(sPath));
    const auto length = static_cast<int>(t.size());
    int scanLimit = length;
    if (length > maxLen) {
        const auto tailLength = static_cast<std::size_t>(maxLen > 6 ? maxLen - 6 : 0);
        t = t.substr(0, 3) + U" ... " + t.substr(t.size() - tailLength);
        scanLimit = maxLen;
    }
    for (int i = 0; i < scanLimit && i < static_cast<int>(t.size()); ++i) {
        if (t[i] < 32) t[i] = i == 0 ? U'\u00FE' : U'\u0090';
    }
    return EncodeUtf8(t);
}

std::string JoinPath(const std::string& dir, const std::string& name, char separator) {
    std::string joined = dir + separator + name;
    if (separator != '\\') return RemoveDouble(joined, separator);
    // Windows: only the joint is collapsed, so that "\\server\share" keeps its leading pair.
    if (dir.ends_with(separator)) joined.erase(dir.size(), 1);
    return joined;
}

std::string JoinNative(const std::string& dir, const std::string& name) {
    return JoinPath(dir, name, NativeSeparator());
}

std::string FileNameOf(const std::string& path) {
    const std::size_t cut = path.find_last_of(std::string("/") + NativeSeparator());
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

}  // namespace quodlin
