#include <QDialog>
#include <QLineEdit>
#include <QTimer>

#include "support/ProgramFixture.h"

namespace tessel {
namespace {

class SearchCommandsTest : public ProgramFixture {
protected:
    void SetUp() override
    {
        StartWithFakeEditors();
        Press("Ctrl+N");
        doc = Active();
        search = form->Tools().search;
        replace = form->Tools().replace;
    }
    void type(QDialog* dialog, const char* field, const char* text)
    {
        auto* edit = dialog->findChild<QLineEdit*>(field);
        edit->clear();
        QTest::keyClicks(edit, text);
    }
    void click(QDialog* dialog, const char* name) { QTest::mouseClick(dialog->findChild<QWidget*>(name), Qt::LeftButton); }
    // The document's selection as "start+length".
    std::string selected() const
    {
        return std::to_string(doc->buffer.SelStart()) + "+" + std::to_string(doc->buffer.SelLength());
    }

    FakeDocument* doc = nullptr;
    QDialog* search = nullptr;
    QDialog* replace = nullptr;
};

// What each request finds and replaces is SearchRequestsTest's; here, that
// each field, box, button and key makes its part of the request.
TEST_F(SearchCommandsTest, TheSearchDialogsFieldsBoxesAndRepeatKey)
{
    Press("F3");
    Press("F2");
    EXPECT_EQ(prompter.texts(), (Lines{"No search string was entered before.", "Not enough input to replace words."}));
    Press("F4");
    EXPECT_TRUE(search->isVisible() && !search->isModal());
    click(search, "btnSearch");   // nothing typed
    EXPECT_EQ(form->StatusText(0), "Invalid input into Search Box");

    doc->buffer = FakeEditBuffer("Actor actors actor");
    Lines found;
    Press("F4");
    type(search, "txtSearch", "actor");
    click(search, "chkWord");   // whole words in any case, from the top
    click(search, "btnSearch");
    found.push_back(selected());
    Press("F3");
    found.push_back(selected());
    Press("F4");   // the fields stay
    click(search, "chkWord");
    click(search, "chkCase");
    click(search, "btnSearch");
    found.push_back(selected());
    doc->buffer.SetSelection(7, 0);
    Press("F4");
    click(search, "chkStartTop");   // from the caret
    click(search, "btnSearch");
    found.push_back(selected());
    EXPECT_EQ(found, (Lines{"0+5", "13+5", "6+5", "13+5"}));
    EXPECT_FALSE(search->isVisible());
}

TEST_F(SearchCommandsTest, ReplaceAllRunsUnderTheDialogAndOneReplacementAfterIt)
{
    doc->buffer = FakeEditBuffer("a xa a");
    doc->buffer.SetSelection(0, 4);
    Press("Ctrl+R");
    type(replace, "txtFind", "a");
    click(replace, "btnReplaceAll");   // no replacement: refused
    EXPECT_EQ(form->StatusText(0), "Invalid input into Replace Box");
    Press("Ctrl+R");
    type(replace, "txtReplace", "o");
    click(replace, "rdiSelectedTxt");
    bool shown = false;
    doc->onActivate = [&] { shown = replace->isVisible(); };
    click(replace, "btnReplaceAll");
    EXPECT_TRUE(shown);
    EXPECT_EQ(doc->buffer.Text(), "o xo a");
    doc->buffer.SetSelection(2, 0);
    Press("Ctrl+R");
    type(replace, "txtFind", "o");
    type(replace, "txtReplace", "X");
    click(replace, "rdiCursor");
    click(replace, "btnReplace");
    EXPECT_FALSE(shown);
    EXPECT_EQ(doc->buffer.Text(), "o xX a");
}

// (The replace button goes the same way with its own dialog.)
TEST_F(SearchCommandsTest, ToolButtonsShowTheDialogsModally)
{
    doc->buffer = FakeEditBuffer("move ifrnd");
    Press("F4");   // showing without blocking: the button blocks all the same
    QTimer::singleShot(0, [&] {
        EXPECT_EQ(QApplication::activeModalWidget(), static_cast<QWidget*>(search));
        type(search, "txtSearch", "ifrnd");
        click(search, "btnSearch");
    });
    ClickTool("tlbtnFind");
    EXPECT_EQ(selected(), "5+5");
}

// Which lines exist is GoToLine's (EditOpsTest), the number's line SearchRequestsTest's; here, the typed text.
TEST_F(SearchCommandsTest, GoToLineTakesNumbersFromOne)
{
    QDialog* gotoLine = form->Tools().gotoLine;
    // A wrong number stays to be mended.
    const struct { const char *typed, *selected; Lines messages; bool staysOpen; } cases[] = {
        {"2", "4+3", {}, false}, {"12a", "0+0", {"'12a' is not a valid integer value"}, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        doc->buffer = FakeEditBuffer("ab\r\ncde\r\nf");
        prompter.clear();
        Press("F5");
        type(gotoLine, "Edit1", c.typed);
        QTest::keyClick(gotoLine->findChild<QLineEdit*>("Edit1"), Qt::Key_Return);   // presses btnGoto
        EXPECT_EQ(selected(), c.selected);
        EXPECT_EQ(prompter.texts(), c.messages);
        EXPECT_EQ(gotoLine->isVisible(), c.staysOpen);
    }
    EXPECT_NE(gotoLine->frameGeometry().center(), form->frameGeometry().center()) << "not centred";
    gotoLine->showMinimized();
    Press("F5");
    EXPECT_FALSE(gotoLine->isMinimized());
    click(gotoLine, "btnCancel");
    EXPECT_FALSE(gotoLine->isVisible());
}

} // namespace
} // namespace tessel
