#pragma once

#include <QString>

#include "core/help/rtf_reader.h"

class QTextDocument;
class QTextEdit;

namespace quodlin {

// Replaces what document holds by the help text: a block per paragraph, the runs' bold, italic,
// underline and size kept, line breaks inside a paragraph kept. A paragraph with tabs becomes a
// table, a row per line and a column per tab.
void FillDocument(QTextDocument& document, const RtfDocument& rtf);

// Shows the help file in view, read afresh; a file that cannot be read leaves a short notice.
// Returns whether the file was read.
bool ShowHelpFile(QTextEdit& view, const QString& path);

}  // namespace quodlin
