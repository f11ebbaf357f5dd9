#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quodlin {

// names.txt as it was found: UTF-8 (with or without its byte-order mark), UTF-16 with its
// byte-order mark, or else 8-bit Windows-1252 text. A save writes it back the same way.
enum class CatalogueEncoding { Windows1252, Utf8, Utf8WithBom, Utf16LE, Utf16BE };

struct CatalogueText {
    std::vector<std::string> lines;  // UTF-8, without line ends
    CatalogueEncoding encoding = CatalogueEncoding::Windows1252;
    // A Windows-1252 file holding bytes above 127: other 8-bit readers depend on its code page,
    // so it stays Windows-1252 whatever a new name needs.
    bool eightBit = false;
    // False when the last line has no line end, as in a file whose writing was cut short.
    bool lastLineEnded = true;
};

// Decodes the file and splits it at CR LF, LF alone or CR alone.
CatalogueText ParseCatalogue(std::string_view bytes);

// Every line ends with CR LF. A Windows-1252 file without bytes above 127 becomes UTF-8 when a
// line needs a character the code page lacks (its bytes stay as they were); in an 8-bit one such
// characters become "?". Text whose bytes would begin like a byte-order mark is written as UTF-8
// with its mark, so that it reads back as it was.
std::string SerializeCatalogue(const CatalogueText& text);

}  // namespace quodlin
