#include "shell/ConFaq.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPointer>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <cstdio>
#include <cstdlib>
#include <functional>

#include "shell/Globals.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

namespace tessel {
namespace {

const char Faq[] =
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\fmodern Courier New;}}\n"
    "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}\n"
    "\\pard\\qc\\fs40\\b Title line\\b0\\par\n"
    "\\pard\\fs24 Plain words, {\\b bold words}, {\\i italic words}, {\\ul underlined words} and {\\cf1 red words}.\\par\n"
    "\\pard\\f1\\fs16 code line\\par\n"
    "\\pard\\f0\\fs24 See {\\field{\\*\\fldinst{HYPERLINK \"https://example.org/faq\"}}"
    "{\\fldrslt{\\ul\\cf2 the site}}}.\\par\n}";

class ConFaqTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetGlobals();
        SetProgramDir(dir.path());
    }
    void TearDown() override
    {
        delete viewer.data();
        ResetGlobals();
    }
    void open(const std::string& contents)
    {
        dir.write("confaq40.rtf", contents);
        viewer = new TfrmConFaq(prompter);
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

    TempDir dir;
    ScriptedPrompter prompter;
    QPointer<TfrmConFaq> viewer;
};

TEST_F(ConFaqTest, ShowsTheDocumentWithItsFormatting)
{
    open(Faq);
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_EQ(viewer->windowTitle(), "ConFaq4.0 Viewer");
    EXPECT_TRUE(text()->isReadOnly());
    EXPECT_EQ(panel(1), "Line: 1 ; Column: 1");
    EXPECT_EQ(text()->toPlainText(), "Title line\nPlain words, bold words, italic words, underlined words and red "
                                     "words.\ncode line\nSee the site.\n");

    const struct {
        const char* text;
        std::function<bool(const QTextCharFormat&, const QTextBlockFormat&)> shown;
    } cases[] = {
        {"Title line",
         [](auto& f, auto& b) {
             return b.alignment() == Qt::AlignHCenter && f.fontPointSize() == 20 && f.fontWeight() == QFont::Bold;
         }},
        {"Plain words",
         [](auto& f, auto& b) {
             return b.alignment() == Qt::AlignLeft && f.fontWeight() == QFont::Normal && !f.fontItalic() &&
                    !f.fontUnderline() && f.fontPointSize() == 12 &&
                    f.fontFamilies().toStringList() == QStringList{"Arial"};
         }},
        {"bold words", [](auto& f, auto&) { return f.fontWeight() == QFont::Bold && !f.fontItalic(); }},
        {"italic words", [](auto& f, auto&) { return f.fontItalic() && f.fontWeight() == QFont::Normal; }},
        {"underlined words", [](auto& f, auto&) { return f.fontUnderline() && !f.fontItalic(); }},
        {"red words", [](auto& f, auto&) { return f.foreground().color() == QColor(255, 0, 0); }},
        {"code line",
         [](auto& f, auto&) {
             return f.fontFamilies().toStringList() == QStringList{"Courier New"} && f.fontPointSize() == 8;
         }},
        {"the site",
         [](auto& f, auto&) {
             return f.isAnchor() && f.anchorHref() == "https://example.org/faq" &&
                    f.foreground().color() == QColor(0, 0, 255) && f.fontUnderline();
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const QTextCursor found = find(c.text);
        EXPECT_TRUE(c.shown(found.charFormat(), found.blockFormat()));
    }
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
    const std::string last = panel(1);
    // 1500 characters in a window 678 pixels wide wrap to well over three lines.
    int line = 0, column = 0;
    ASSERT_EQ(std::sscanf(last.c_str(), "Line: %d ; Column: %d", &line, &column), 2) << last;
    EXPECT_GT(line, 4);
    EXPECT_EQ(column, 5);
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

TEST_F(ConFaqTest, FileThatIsNoRtfShowsAsText)
{
    open("Questions and answers\nabout caf\xc3\xa9 scripts\n");
    EXPECT_EQ(text()->toPlainText(), "Questions and answers\nabout caf\xc3\xa9 scripts\n");
    delete viewer.data();
    open("caf\xe9 in Latin-1\n");
    EXPECT_EQ(text()->toPlainText(), QString::fromUtf8("caf\xc3\xa9 in Latin-1\n"));
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(ConFaqTest, FileGoneBeforeTheLoadShowsNoText)
{
    viewer = new TfrmConFaq(prompter);
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{"File not found"});
    EXPECT_EQ(prompter.shown[0].kind, ScriptedPrompter::Kind::Error);
    EXPECT_TRUE(text()->toPlainText().isEmpty());
    EXPECT_TRUE(viewer->isVisible());
}

TEST_F(ConFaqTest, ClosingClearsTheFlagAndDiscardsTheViewer)
{
    open(Faq);
    FaqOpen = true;
    viewer->close();
    EXPECT_FALSE(FaqOpen);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(viewer.isNull());
}

} // namespace
} // namespace tessel
