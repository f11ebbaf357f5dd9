#pragma once

#include <string>

#include "core/card_numbering.h"

namespace quodlin {

// The tabs of the window, numbered as the tab strip counts them.
enum class Tab { Samples = 1, Banks = 2, Help = 3 };

// The computer directories: one remembered per mode, and the one in use on the work page.
struct DirectoryState {
    std::string sSampleDir;
    std::string sBankDir;
    std::string sCurrentDir;    // empty while the help tab is shown
    Mode mode = Mode::Samples;  // the work page's mode; kept while the help tab is shown

    std::string& remembered(Mode of) { return of == Mode::Samples ? sSampleDir : sBankDir; }
    std::string sFileExt() const { return ModeExtension(mode); }

    // Hands over on a tab change: the directory in use goes back to the mode it was used in,
    // and a mode tab takes its own remembered directory into use.
    void selectTab(Tab tab);
    // Keeps the directory in use as its mode's remembered one.
    void handBack();
};

}  // namespace quodlin
