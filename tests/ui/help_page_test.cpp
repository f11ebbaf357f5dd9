#include "ui/help_page.h"

#include <gtest/gtest.h>

#include <QTextBlock>
#include <QTextDocument>

namespace quodlin::test {
namespace {

TEST(FillDocument, KeepsParagraphsLineBreaksAndTheRunsFormatting) {
    RtfDocument rtf;
    rtf.paragraphs = {{{{"Quodlin", true, false, false, 32}, {" help", false, true, true, 20}}},
                      {{{"Tab\tkey\nnext line", false, false, false, 24}}},
                      {}};
    QTextDocument document;
    document.setPlainText("old text");
    FillDocument(document, rtf);
    ASSERT_EQ(document.blockCount(), 3);
    const QTextBlock first = document.firstBlock();
    const QTextCharFormat bold = first.begin().fragment().charFormat();
    const QTextCharFormat italic = (++first.begin()).fragment().charFormat();
    EXPECT_EQ(first.text(), "Quodlin help");
    EXPECT_EQ(bold.fontWeight(), QFont::Bold);
    EXPECT_EQ(bold.fontPointSize(), 16.0);
    EXPECT_TRUE(italic.fontItalic() && italic.fontUnderline());
    EXPECT_EQ(italic.fontWeight(), QFont::Normal);
    EXPECT_EQ(italic.fontPointSize(), 10.0);
    EXPECT_EQ(first.next().text(), QString("Tab\tkey") + QChar::LineSeparator + "next line");
    EXPECT_EQ(document.lastBlock().text(), "");
}

}  // namespace
}  // namespace quodlin::test
