#include "windows/editor/ScriptEdit.h"

#include <QFontInfo>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

#include "language/Find.h"

namespace tessel {
namespace {

constexpr std::uint32_t Red = 0x0000FF, Green = 0x008000, Blue = 0xFF0000;

TEST(ScriptEditTest, OffsetsCountBytesWithTwoPerLineBreak)
{
    ScriptEdit edit;
    edit.SetDocument(ControlText{"ab\r\n\tcd\r\n\r\nlast"});
    EXPECT_EQ(edit.TextLength(), 15);
    const std::pair<int, int> lineOfOffset[] = {{0, 0}, {3, 0}, {4, 1}, {8, 1}, {9, 2}, {11, 3}, {15, 3}};
    for (const auto& [offset, line] : lineOfOffset) {
        SCOPED_TRACE(offset);
        EXPECT_EQ(edit.LineFromOffset(offset), line);
    }
    EXPECT_EQ(edit.OffsetOfLine(3), 11);
    EXPECT_EQ(edit.OffsetOfLine(4), -1);
    EXPECT_EQ(edit.LineLength(1), 3);
}

TEST(ScriptEditTest, KeepsEveryByteIncludingNulAndLatin1)
{
    std::string bytes("a\0b\r\n", 5);
    for (int c = 128; c < 256; ++c)
        bytes += static_cast<char>(c);
    ScriptEdit edit;
    edit.SetDocument(ControlText{bytes, LineEnds::CrLf, TextEncoding::Latin1});
    EXPECT_EQ(edit.Text(), bytes);
    EXPECT_TRUE(edit.text(1).endsWith(QString::fromUtf8("\u00fe\u00ff"))) << "shown as Latin-1";
    edit.SetSelection(1, 3);
    EXPECT_EQ(edit.SelText(), std::string("\0b\r", 3));
    edit.ReplaceSelection(std::string("\0\xe9", 2));
    EXPECT_EQ(edit.TextRange(0, 4), std::string("a\0\xe9\n", 4));
}

TEST(ScriptEditTest, SelectionReplaceUndoAndLoadingAfresh)
{
    ScriptEdit edit;
    edit.SetDocument(ControlText{"if x then y"});
    edit.SetSelection(5, 1000);   // clipped to the text
    EXPECT_EQ(edit.SelStart(), 5);
    EXPECT_EQ(edit.SelLength(), 6);
    edit.SetSelection(3, 1);
    edit.ReplaceSelection("count", Blue);
    EXPECT_EQ(edit.Text(), "if count then y");
    EXPECT_EQ(edit.SelStart(), 8);
    EXPECT_EQ(edit.Colors(), (std::vector<std::uint32_t>{0, 0, 0, Blue, Blue, Blue, Blue, Blue, 0, 0, 0, 0, 0, 0, 0}));
    ASSERT_TRUE(edit.Modified());
    edit.Undo();   // one step, although it deleted and inserted
    EXPECT_EQ(edit.Text(), "if x then y");
    // Loading starts clean and black, with the caret at zero.
    edit.SetSelection(0, 2);
    edit.ReplaceSelection("er", Red);
    edit.SetDocument(ControlText{"one\r\ntwo"});
    EXPECT_FALSE(edit.Modified());
    EXPECT_FALSE(edit.CanUndo());
    EXPECT_EQ(edit.SelStart() + edit.SelLength(), 0);
    EXPECT_EQ(edit.Colors(), std::vector<std::uint32_t>(8, 0));
    EXPECT_EQ(edit.eolMode(), QsciScintilla::EolWindows);
}

TEST(ScriptEditTest, PaintsFromAColorMapInCourierEightPointsAndReadsItBack)
{
    ScriptEdit edit;
    edit.SetDocument(ControlText{"define x // note\r\ny"});
    std::vector<std::uint32_t> colors(edit.TextLength(), 0);
    std::fill(colors.begin(), colors.begin() + 6, Red);
    std::fill(colors.begin() + 9, colors.begin() + 17, Green);
    edit.PaintColors(colors);
    EXPECT_EQ(edit.Colors(), colors);
    EXPECT_FALSE(edit.Modified()) << "colouring is not an edit";
    for (long style : {0L, edit.SendScintilla(QsciScintillaBase::SCI_GETSTYLEAT, 9)}) {
        EXPECT_EQ(edit.SendScintilla(QsciScintillaBase::SCI_STYLEGETSIZE, style), 8) << style;
        char family[128] = {};
        edit.SendScintilla(QsciScintillaBase::SCI_STYLEGETFONT, style, family);
        EXPECT_TRUE(QFontInfo(QFont(QString::fromUtf8(family), 8)).fixedPitch()) << family;
    }
    // Runs over what is painted: the later wins, the untouched bytes keep theirs.
    edit.PaintRuns({{0, 3, Blue}, {1, 2, Green}, {15, 9, Red}}, false);
    colors[0] = Blue;
    std::fill(colors.begin() + 1, colors.begin() + 3, Green);
    std::fill(colors.begin() + 15, colors.end(), Red);
    EXPECT_EQ(edit.Colors(), colors);
    edit.PaintColors(std::vector<std::uint32_t>(100, Blue));   // cut at the end of the text
    EXPECT_EQ(edit.Colors(), std::vector<std::uint32_t>(edit.TextLength(), Blue));
}

TEST(ScriptEditTest, MoreColorsThanStylesFallBackToTheNearest)
{
    ScriptEdit edit;
    edit.SetDocument(ControlText{std::string(300, 'x')});
    // Black and shades of red, then shades of red with a touch of blue.
    std::vector<std::uint32_t> colors(300);
    for (std::uint32_t i = 0; i < colors.size(); ++i)
        colors[i] = (i & 0xFF) | ((i >> 8) << 16);
    edit.PaintColors(colors);
    const std::vector<std::uint32_t> shown = edit.Colors();
    // Style 0 and 247 more (the predefined 32-39 excepted) take the first 248.
    EXPECT_TRUE(std::equal(colors.begin(), colors.begin() + 248, shown.begin()));
    EXPECT_EQ(shown[250], colors[247]);
    EXPECT_EQ(shown[256], 0u) << "red 0 blue 1 is nearest to black";
}

TEST(ScriptEditTest, TheTextViewFollowsEditsInTheMiddle)
{
    ScriptEdit edit;
    edit.SetDocument(ControlText{"ifdef If if_x if"});
    edit.SetSelection(6, 2);
    edit.ReplaceSelection("if");   // the control's gap now sits in the middle
    EXPECT_EQ(edit.TextTail(7), "f if_x if");
    EXPECT_EQ(edit.TextRange(4, 5), "f if ");
    EXPECT_EQ(edit.FindText("if", 7, 16, foWholeWord | foMatchCase), 14);
    EXPECT_EQ(edit.TextView(), "ifdef if if_x if");
    EXPECT_EQ(edit.FindText("if", 0, 16, foWholeWord | foMatchCase), 6);
    EXPECT_EQ(edit.SelText(), "");
    EXPECT_EQ(edit.SelStart(), 8);
}

TEST(ScriptEditTest, TypedTextIsBlackTabGoesIntoTheTextAndScrollBarsStay)
{
    ScriptEdit edit;
    edit.resize(300, 200);
    edit.show();
    std::string longText;
    for (int i = 0; i < 500; ++i)
        longText += std::string(400, 'x') + "\r\n";
    // Scintilla reconfigures its bars as the text, the wrap mode and the window change.
    for (const std::string& text : {longText, std::string("short")}) {
        edit.SetDocument(ControlText{text});
        edit.setWrapMode(QsciScintilla::WrapNone);
        edit.resize(edit.width() + 50, edit.height() + 50);
        QApplication::processEvents();
        EXPECT_TRUE(edit.horizontalScrollBar()->isVisible() && edit.verticalScrollBar()->isVisible());
    }
    edit.PaintRange(0, 5, Red);
    edit.SetSelection(1, 0);
    QTest::keyClick(&edit, Qt::Key_Tab);
    QTest::keyClick(&edit, Qt::Key_Return);
    QTest::keyClick(&edit, Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(edit.Text(), "s\t\r\n\r\nhort");
    EXPECT_EQ(edit.Colors(), (std::vector<std::uint32_t>{Red, 0, 0, 0, 0, 0, Red, Red, Red, Red}));
}

} // namespace
} // namespace tessel
