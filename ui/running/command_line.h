#pragma once

#include <QStringList>
#include <optional>

namespace quodlin {

// Answers --help (-h) and --version, or a command line the window does not take, with the exit
// status to end with; nothing when the window is to open. It runs before the application object
// exists, so that these answers need no display.
std::optional<int> AnswerCommandLine(const QStringList& arguments);

}  // namespace quodlin
