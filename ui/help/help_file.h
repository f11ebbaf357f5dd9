#pragma once

#include <QString>

namespace quodlin {

// Finds where the help page reads readme.rtf: beside the program (a build folder, Windows), else
// in ../share/quodlin from the program's folder (installed on Linux). When neither holds it, it
// returns the one beside the program, so that the notice names the place the window looked first.
QString HelpFilePath(const QString& programDirectory);

// When QUODLIN_REPORT_HELP_FILE is set, prints whether the help page read path and ends the
// program; the package check learns this way that the installed program finds its help file.
void ReportHelpFileIfAsked(const QString& path, bool read);

}  // namespace quodlin
