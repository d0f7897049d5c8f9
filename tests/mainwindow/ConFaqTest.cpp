#include "mainwindow/ConFaq.h"

#include <QLabel>
#include <QPointer>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <cstdio>
#include <cstdlib>

#include "support/ProgramFixture.h"

namespace tessel {
namespace {

const char Faq[] =
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\fmodern Courier New;}}\n"
    "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}\n"
    "\\pard\\qc\\fs40\\b Title line\\b0\\par\n"
    "\\pard\\fs24 Plain words, {\\b bold words}, {\\i italic words}, {\\ul underlined words} and "
    "{\\cf1 red words}.\\par\n"
    "\\pard\\f1\\fs16 code line\\par\n"
    "\\pard\\f0\\fs24 See {\\field{\\*\\fldinst{HYPERLINK \"https://example.org/faq\"}}"
    "{\\fldrslt{\\ul\\cf2 the site}}}.\\par\n}";

class ConFaqTest : public ProgramFixture {
protected:
    void TearDown() override { delete viewer.data(); }
    void open(const std::string& contents)
    {
        dir.write("confaq40.rtf", contents);
        viewer = new TfrmConFaq(prompter, dir.file("confaq40.rtf"));
    }
    QTextBrowser* text() const { return viewer->findChild<QTextBrowser*>("rchConFaq"); }
    std::string panel(int i) const
    {
        return viewer->findChild<QLabel*>(QString("StatusPanel%1").arg(i))->text().toStdString();
    }
    // The text as shown, selected.
    QTextCursor find(const char* what) const
    {
        const QTextCursor found = text()->document()->find(what);
        EXPECT_FALSE(found.isNull()) << what;
        return found;
    }
    QPoint pointOf(const char* what) const
    {
        QTextCursor at = find(what);
        at.setPosition(at.selectionStart() + 2);
        return text()->cursorRect(at).center();
    }

    QPointer<TfrmConFaq> viewer;
};

TEST_F(ConFaqTest, ShowsTheDocumentWithItsFormatting)
{
    open(Faq);
    EXPECT_EQ(viewer->windowTitle(), "ConFaq4.0 Viewer");
    EXPECT_TRUE(text()->isReadOnly());
    EXPECT_EQ(panel(1), "Line: 1 ; Column: 1");
    EXPECT_EQ(text()->toPlainText().toStdString(),
              "Title line\nPlain words, bold words, italic words, underlined words and red words.\ncode line\n"
              "See the site.\n");

    const QTextCharFormat title = find("Title line").charFormat(), plain = find("Plain words").charFormat(),
                          code = find("code line").charFormat(), link = find("the site").charFormat();
    EXPECT_EQ(find("Title line").blockFormat().alignment(), Qt::AlignHCenter);
    EXPECT_EQ(find("Plain words").blockFormat().alignment(), Qt::AlignLeft);
    EXPECT_TRUE(title.fontPointSize() == 20 && title.fontWeight() == QFont::Bold);
    EXPECT_TRUE(plain.fontPointSize() == 12 && plain.fontWeight() == QFont::Normal && !plain.fontItalic() &&
                !plain.fontUnderline() && plain.fontFamilies().toStringList() == QStringList{"Arial"});
    EXPECT_EQ(find("bold words").charFormat().fontWeight(), QFont::Bold);
    EXPECT_TRUE(find("italic words").charFormat().fontItalic());
    EXPECT_TRUE(find("underlined words").charFormat().fontUnderline());
    EXPECT_EQ(find("red words").charFormat().foreground().color(), QColor(255, 0, 0));
    EXPECT_TRUE(code.fontPointSize() == 8 && code.fontFamilies().toStringList() == QStringList{"Courier New"});
    EXPECT_TRUE(link.isAnchor() && link.fontUnderline() && link.foreground().color() == QColor(0, 0, 255));
    EXPECT_EQ(link.anchorHref().toStdString(), "https://example.org/faq");
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(ConFaqTest, CaretPositionAfterKeysAndClicks)
{
    open(Faq);
    // The last paragraph mark leaves an empty line at the end, as in the control.
    QTest::keyClick(text(), Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(panel(1), "Line: 5 ; Column: 1");
    QTest::keyPress(text(), Qt::Key_Up);
    EXPECT_EQ(panel(1), "Line: 4 ; Column: 1");
    QTest::keyRelease(text(), Qt::Key_Up);
    QTest::keyPress(text(), Qt::Key_End);
    EXPECT_EQ(panel(1), "Line: 4 ; Column: 14");
    QTest::mouseClick(text()->viewport(), Qt::LeftButton, Qt::NoModifier, pointOf("italic words"));
    EXPECT_EQ(panel(1), "Line: 2 ; Column: 28");
}

TEST_F(ConFaqTest, WrappedLinesCountAsTheyShow)
{
    std::string words;
    for (int i = 0; i < 300; ++i)
        words += "word ";
    open("{\\rtf1\\ansi " + words + "\\par last}");
    QTest::keyClick(text(), Qt::Key_End, Qt::ControlModifier);
    int line = 0, column = 0;   // 1500 characters wrap to well over three lines
    EXPECT_EQ(std::sscanf(panel(1).c_str(), "Line: %d ; Column: %d", &line, &column), 2);
    EXPECT_TRUE(line > 4 && column == 5) << panel(1);
}

TEST_F(ConFaqTest, LinksOpenInTheBrowserOrSaySoWhenNoneStarts)
{
    open(Faq);
    // No program at all can be found: the browser cannot be started.
    const std::string path = std::getenv("PATH");
    TempDir empty;
    setenv("PATH", empty.path().c_str(), 1);
    QTest::mouseClick(text()->viewport(), Qt::LeftButton, Qt::NoModifier, pointOf("the site"));
    setenv("PATH", path.c_str(), 1);
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].caption, "Error");
    EXPECT_EQ(prompter.shown[0].text, "Unable to Start Browser for Link to Website:  https://example.org/faq");
}

TEST_F(ConFaqTest, FileGoneBeforeTheLoadShowsNoText)
{
    viewer = new TfrmConFaq(prompter, dir.file("confaq40.rtf"));
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{"File not found"});
    EXPECT_EQ(prompter.shown[0].kind, ScriptedPrompter::Kind::Error);
    EXPECT_TRUE(text()->toPlainText().isEmpty());
    EXPECT_TRUE(viewer->isVisible());
}

} // namespace
} // namespace tessel
