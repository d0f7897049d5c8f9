#include <QLineEdit>
#include <QTimer>

#include "shell/Replace.h"
#include "shell/Search.h"
#include "shell/gotoline.h"
#include "support/ShellFixture.h"

namespace tessel {
namespace {

class SearchCommandsTest : public ShellFixture {
protected:
    void SetUp() override
    {
        ShellFixture::SetUp();
        start();
        press("Ctrl+N");
        doc = active();
        search = form->toolWindow<TfrmSearch>();
        replace = form->toolWindow<TfrmReplace>();
    }
    void type(QDialog* dialog, const char* field, const char* text)
    {
        auto* edit = dialog->findChild<QLineEdit*>(field);
        edit->clear();
        QTest::keyClicks(edit, text);
    }
    void click(QDialog* dialog, const char* name) { QTest::mouseClick(dialog->findChild<QWidget*>(name), Qt::LeftButton); }

    FakeDocument* doc = nullptr;
    TfrmSearch* search = nullptr;
    TfrmReplace* replace = nullptr;
};

TEST_F(SearchCommandsTest, SearchFromTheTopThenRepeatTwiceVisitsTheNextMatches)
{
    press("F3");
    press("F2");
    EXPECT_EQ(prompter.texts(), (Lines{"No search string was entered before.", "Not enough input to replace words."}));
    press("F4");
    EXPECT_TRUE(search->isVisible() && !search->isModal());
    click(search, "btnSearch");   // nothing typed
    EXPECT_EQ(form->StatusText(0), "Invalid input into Search Box");

    doc->text = "actor x actors Actor actor";
    press("F4");
    type(search, "txtSearch", "actor");
    click(search, "btnSearch");
    press("F3");
    press("F3");
    // The fields stay; the boxes give the option byte.
    press("F4");
    click(search, "chkCase");
    click(search, "chkWord");
    click(search, "chkStartTop");
    click(search, "btnSearch");
    EXPECT_EQ(doc->requests, (Lines{"find actor at 0", "find actor at 1", "find actor at 9", "find actor at -2 options 3"}));
    EXPECT_FALSE(search->isVisible());
}

TEST_F(SearchCommandsTest, ReplaceAllRunsUnderTheDialogAndRepeatReplaceDoesItAgain)
{
    press("Ctrl+R");
    type(replace, "txtFind", "a");
    click(replace, "btnReplaceAll");   // no replacement: refused
    EXPECT_EQ(form->StatusText(0), "Invalid input into Replace Box");
    press("Ctrl+R");
    type(replace, "txtReplace", "ba");
    click(replace, "rdiSelectedTxt");
    bool shown = false;
    doc->onActivate = [&] { shown = replace->isVisible(); };
    click(replace, "btnReplaceAll");
    EXPECT_TRUE(shown);
    press("F2");
    // One replacement closes the dialog first; the options are shared with search.
    press("Ctrl+R");
    click(replace, "rdiCursor");
    click(replace, "chkCase");
    click(replace, "btnReplace");
    EXPECT_FALSE(shown);
    EXPECT_EQ(doc->requests, (Lines{"replace a>ba at -3 all", "replace a>ba at 0 all", "replace a>ba at -2 options 2"}));
}

TEST_F(SearchCommandsTest, ToolButtonsShowTheDialogsModally)
{
    press("F4");   // showing without blocking: the button blocks all the same
    QTimer::singleShot(0, [&] {
        EXPECT_EQ(QApplication::activeModalWidget(), search);
        type(search, "txtSearch", "ifrnd");
        click(search, "btnSearch");
    });
    clickTool("tlbtnFind");
    QTimer::singleShot(0, [&] {
        EXPECT_EQ(QApplication::activeModalWidget(), replace);
        type(replace, "txtFind", "move");
        type(replace, "txtReplace", "spawn");
        click(replace, "btnReplace");
    });
    clickTool("tlbtnReplace");
    EXPECT_EQ(doc->requests, (Lines{"find ifrnd at 0", "replace move>spawn at 0"}));
}

TEST_F(SearchCommandsTest, GoToLineTakesNumbersFromOne)
{
    auto* gotoLine = form->toolWindow<TfrmGotoLine>();
    const struct {
        const char* typed;
        Lines requests;
        Lines errors;
    } cases[] = {{"1", {"goto 0"}, {}},
                 {"0", {}, {}},
                 {"5000", {"goto 4999"}, {}},   // past the end: the editor's to report
                 {"12a", {}, {"'12a' is not a valid integer value"}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        doc->requests.clear();
        prompter.clear();
        press("F5");
        type(gotoLine, "Edit1", c.typed);
        QTest::keyClick(gotoLine->findChild<QLineEdit*>("Edit1"), Qt::Key_Return);   // presses btnGoto
        EXPECT_EQ(doc->requests, c.requests);
        EXPECT_EQ(prompter.texts(), c.errors);
        EXPECT_EQ(gotoLine->isVisible(), !c.errors.empty());   // a wrong number stays to be mended
    }
    gotoLine->showMinimized();
    press("F5");
    EXPECT_FALSE(gotoLine->isMinimized());
    click(gotoLine, "btnCancel");
    EXPECT_FALSE(gotoLine->isVisible());
}

} // namespace
} // namespace tessel
