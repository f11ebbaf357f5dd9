#include "ui/help/help_page.h"

#include <QFile>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

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

}  // namespace

void FillDocument(QTextDocument& document, const RtfDocument& rtf) {
    document.clear();
    QTextCursor cursor(&document);
    for (std::size_t i = 0; i < rtf.paragraphs.size(); ++i) {
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
