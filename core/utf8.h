#pragma once

#include <string>
#include <string_view>

namespace quodlin {

// Text inside the program is UTF-8; these convert to code points where characters are counted.
std::u32string DecodeUtf8(std::string_view text);
std::string EncodeUtf8(std::u32string_view text);
bool IsValidUtf8(std::string_view bytes);
void AppendUtf8(std::string& out, char32_t c);

}  // namespace quodlin
