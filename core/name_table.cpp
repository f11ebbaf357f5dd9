#include "core/name_table.h"

#include <algorithm>
#include <stdexcept>

#include "core/text/utf8.h"

namespace quodlin {

std::string CatalogueName(const std::string& name) {
    // CR, LF, VT, FF, NEL, LINE SEPARATOR and PARAGRAPH SEPARATOR all end a line somewhere.
    static const std::string kBreaks[] = {"\r",       "\n",           "\v",          "\f",
                                          "\xC2\x85", "\xE2\x80\xA8", "\xE2\x80\xA9"};
    std::string text = NameText(name);
    // A name holds none of their bytes as a rule: it is kept as it is.
    if (text.find_first_of("\r\n\v\f\xC2\xE2") == std::string::npos) return text;
    std::string out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        const auto brk =
            std::find_if(std::begin(kBreaks), std::end(kBreaks),
                         [&](const std::string& b) { return text.compare(pos, b.size(), b) == 0; });
        if (brk == std::end(kBreaks)) {
            out += text[pos++];
        } else {
            out += ' ';
            pos += brk->size();
        }
    }
    return out;
}

const CardEntry& NameTable::at(int i) const {
    if (i < 0 || i >= static_cast<int>(entries_.size())) {
        throw std::out_of_range("name table index out of range");
    }
    return entries_[static_cast<std::size_t>(i)];
}

CardEntry& NameTable::at(int i) {
    return const_cast<CardEntry&>(static_cast<const NameTable&>(*this).at(i));
}

void NameTable::setSmName(int i, const std::string& name) {
    at(i).name = CatalogueName(name);
}

void NameTable::append(const std::string& fileName, const std::string& name) {
    entries_.push_back({fileName, CatalogueName(name)});
}

void NameTable::markDeleted(int i) {
    at(i) = CardEntry{};
}

void NameTable::removeMarked() {
    std::erase_if(entries_, [](const CardEntry& e) { return e.fileName.empty(); });
}

void NameTable::sort() {
    std::stable_sort(entries_.begin(), entries_.end(), [](const CardEntry& a, const CardEntry& b) {
        return a.fileName < b.fileName;
    });
}

}  // namespace quodlin
