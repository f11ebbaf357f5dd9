#include "ui/help_page.h"

#include <QTextBlock>
#include <QTextDocument>

#include "tests/ui/window_fixture.h"

namespace quodlin::test {
namespace {

RtfRun MakeRun(const std::string& text, bool bold, bool italic, bool underline, int halfPoints) {
    RtfRun run;
    run.text = text;
    run.bold = bold;
    run.italic = italic;
    run.underline = underline;
    run.halfPoints = halfPoints;
    return run;
}

TEST(FillDocument, KeepsParagraphsLineBreaksAndTheRunsFormatting) {
    RtfDocument rtf;
    rtf.paragraphs.push_back(
        {{MakeRun("Quodlin", true, false, false, 32), MakeRun(" help", false, true, true, 20)}});
    rtf.paragraphs.push_back({{MakeRun("Tab\tkey\nnext line", false, false, false, 24)}});
    rtf.paragraphs.push_back({});
    QTextDocument document;
    document.setPlainText("old text");
    FillDocument(document, rtf);

    ASSERT_EQ(document.blockCount(), 3);
    const QTextBlock first = document.firstBlock();
    EXPECT_EQ(first.text(), "Quodlin help");
    auto fragment = first.begin();
    EXPECT_EQ(fragment.fragment().text(), "Quodlin");
    EXPECT_EQ(fragment.fragment().charFormat().fontWeight(), QFont::Bold);
    EXPECT_EQ(fragment.fragment().charFormat().fontPointSize(), 16.0);
    ++fragment;
    EXPECT_EQ(fragment.fragment().text(), " help");
    EXPECT_TRUE(fragment.fragment().charFormat().fontItalic());
    EXPECT_TRUE(fragment.fragment().charFormat().fontUnderline());
    EXPECT_EQ(fragment.fragment().charFormat().fontWeight(), QFont::Normal);
    EXPECT_EQ(fragment.fragment().charFormat().fontPointSize(), 10.0);
    EXPECT_EQ(first.next().text(), QString("Tab\tkey") + QChar::LineSeparator + "next line");
    EXPECT_EQ(document.lastBlock().text(), "");
}

}  // namespace
}  // namespace quodlin::test
