#include "tests/support/case_files.h"

#include <algorithm>
#include <fstream>

#include "tests/support/temp_dir.h"

namespace quodlin::test {

namespace fs = std::filesystem;

std::string Unescape(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, 2, "\\x") == 0 && i + 3 < text.size() &&
            std::isxdigit(static_cast<unsigned char>(text[i + 2])) &&
            std::isxdigit(static_cast<unsigned char>(text[i + 3]))) {
            out += static_cast<char>(std::stoi(text.substr(i + 2, 2), nullptr, 16));
            i += 3;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::vector<std::string> CaseLines(const fs::path& file) {
    std::vector<std::string> lines;
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line[0] != '#') lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> CaseNames(const fs::path& dir) {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(dir)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

Files FilesIn(const fs::path& dir) {
    Files files;
    // An empty drive root cannot even be opened on Windows: nothing to find.
    std::error_code none;
    for (const fs::directory_entry& entry : fs::directory_iterator(dir, none)) {
        if (entry.is_regular_file()) {
            files[entry.path().filename().string()] = ReadBytes(entry.path().string());
        }
    }
    return files;
}

Files FilesUnder(const fs::path& dir) {
    Files files;
    std::error_code none;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(dir, none)) {
        if (entry.is_regular_file()) {
            files[entry.path().lexically_relative(dir).generic_string()] =
                ReadBytes(entry.path().string());
        }
    }
    return files;
}

}  // namespace quodlin::test
