// Stands in for the RTF reader until it is merged: every line of the file becomes a paragraph.
#include "ui/help_text.h"

namespace quodlin {

RtfDocument ReadHelpText(std::string_view fileText) {
    RtfDocument document;
    while (!fileText.empty()) {
        const std::size_t end = fileText.find('\n');
        RtfRun run;
        run.text = std::string(fileText.substr(0, end));
        if (run.text.ends_with('\r')) run.text.pop_back();
        document.paragraphs.push_back({{run}});
        if (end == std::string_view::npos) break;
        fileText.remove_prefix(end + 1);
    }
    return document;
}

}  // namespace quodlin
