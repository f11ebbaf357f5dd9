#include "ui/help/help_page.h"

#include <QFile>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextTable>
#include <algorithm>
#include <vector>

#include "core/shell/shell_messages.h"

namespace quodlin {
namespace {

QTextCharFormat FormatOf(const RtfRun& run) {
    QTextCharFormat format;
    format.setFontWeight(run.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(run.italic);
    format.setFontUnderline(run.underline);
    if (run.halfPoints > 0) format.setFontPointSize(run.halfPoints / 2.0);
    return format;
}

// A line break inside a paragraph is the document's line separator, not a new block.
QString TextOf(const RtfRun& run) {
    QString text = QString::fromStdString(run.text);
    text.replace(QChar('\n'), QChar::LineSeparator);
    return text;
}

// Between a key and what it does, in pixels.
constexpr int kColumnGap = 12;

using Cell = std::vector<RtfRun>;
using Row = std::vector<Cell>;

bool HasTabs(const RtfParagraph& paragraph) {
    return std::ranges::any_of(
        paragraph.runs, [](const RtfRun& run) { return run.text.find('\t') != std::string::npos; });
}

// A paragraph's runs cut at its line breaks into rows and at its tabs into cells.
std::vector<Row> RowsOf(const RtfParagraph& paragraph) {
    std::vector<Row> rows(1, Row(1));
    for (const RtfRun& run : paragraph.runs) {
        RtfRun piece = run;
        piece.text.clear();
        for (const char c : run.text) {
            if (c != '\n' && c != '\t') {
                piece.text += c;
                continue;
            }
            if (!piece.text.empty()) rows.back().back().push_back(piece);
            piece.text.clear();
            if (c == '\n') rows.emplace_back(1);
            if (c == '\t') rows.back().emplace_back();
        }
        if (!piece.text.empty()) rows.back().back().push_back(piece);
    }
    return rows;
}

// Tab stops at fixed distances leave a key table ragged wherever a key is longer than one
// stop, so lines with tabs become a borderless table whose columns fit what they hold.
void InsertTable(QTextCursor& cursor, const RtfParagraph& paragraph) {
    const std::vector<Row> rows = RowsOf(paragraph);
    std::size_t columns = 1;
    for (const Row& row : rows) columns = std::max(columns, row.size());
    QTextTableFormat format;
    format.setBorderStyle(QTextFrameFormat::BorderStyle_None);
    format.setCellPadding(0);
    format.setCellSpacing(0);
    format.setMargin(0);
    format.setBorder(0);
    QTextTable* table = cursor.insertTable(int(rows.size()), int(columns), format);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (std::size_t c = 0; c < rows[r].size(); ++c) {
            QTextCursor cell = table->cellAt(int(r), int(c)).firstCursorPosition();
            // A key is not broken over two lines and keeps a gap to what it does; only the
            // last column wraps.
            if (c + 1 < columns) {
                QTextBlockFormat block;
                block.setNonBreakableLines(true);
                cell.setBlockFormat(block);
                QTextTableCellFormat gap;
                gap.setRightPadding(kColumnGap);
                table->cellAt(int(r), int(c)).setFormat(gap);
            }
            for (const RtfRun& run : rows[r][c]) cell.insertText(TextOf(run), FormatOf(run));
        }
    }
    // The document fills from the front: its end is the empty block after the table.
    cursor.movePosition(QTextCursor::End);
}

}  // namespace

void FillDocument(QTextDocument& document, const RtfDocument& rtf) {
    document.clear();
    QTextCursor cursor(&document);
    for (std::size_t i = 0; i < rtf.paragraphs.size(); ++i) {
        // A table makes blocks of its own after the one the cursor is in.
        if (HasTabs(rtf.paragraphs[i])) {
            InsertTable(cursor, rtf.paragraphs[i]);
            continue;
        }
        if (i > 0) cursor.insertBlock();
        for (const RtfRun& run : rtf.paragraphs[i].runs)
            cursor.insertText(TextOf(run), FormatOf(run));
    }
}

bool ShowHelpFile(QTextEdit& view, const QString& path) {
    QFile file(path);
    QByteArray text;
    if (file.open(QIODevice::ReadOnly)) text = file.readAll();
    if (!file.isOpen() || file.error() != QFileDevice::NoError) {
        view.setPlainText(QString::fromStdString(HelpFileNotRead(path.toStdString())));
        return false;
    }
    FillDocument(*view.document(), ParseRtf(std::string_view(text.constData(), text.size())));
    return true;
}

}  // namespace quodlin
