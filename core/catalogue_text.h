#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quodlin {

// names.txt is 8-bit Windows-1252 text; a file that is already UTF-8 stays UTF-8.
enum class CatalogueEncoding { Windows1252, Utf8, Utf8WithBom };

struct CatalogueText {
    std::vector<std::string> lines;  // UTF-8, without line ends
    CatalogueEncoding encoding = CatalogueEncoding::Windows1252;
};

// Decodes the file and splits it at CR LF, LF alone or CR alone.
CatalogueText ParseCatalogue(std::string_view bytes);

// Every line ends with CR LF. Windows-1252 is kept while it can hold every character; otherwise
// the whole file becomes UTF-8, so that no character is lost.
std::string SerializeCatalogue(const std::vector<std::string>& lines, CatalogueEncoding encoding);

std::vector<std::string> SplitLines(std::string_view text);
std::string DecodeWindows1252(std::string_view bytes);
// False when a character has no Windows-1252 byte.
bool EncodeWindows1252(std::string_view utf8, std::string& out);

}  // namespace quodlin
