#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "shell/Replace.h"
#include "shell/Search.h"
#include "shell/gotoline.h"
#include "support/ShellFixture.h"

namespace tessel {
namespace {

using Lines = std::vector<std::string>;

class SearchCommandsTest : public ShellFixture {
protected:
    void SetUp() override
    {
        ShellFixture::SetUp();
        start();
        press(QKeySequence("Ctrl+N"));
        doc = active();
        ASSERT_NE(doc, nullptr);
    }
    template <class T = QWidget> T* field(QDialog* dialog, const char* name) { return dialog->findChild<T*>(name); }
    void type(QDialog* dialog, const char* name, const QString& text)
    {
        auto* edit = field<QLineEdit>(dialog, name);
        edit->clear();
        QTest::keyClicks(edit, text);
    }
    void click(QDialog* dialog, const char* name) { QTest::mouseClick(field(dialog, name), Qt::LeftButton); }
    // Runs what a modal dialog's user does once it has come up.
    void whenModal(QDialog* dialog, std::function<void()> user)
    {
        QTimer::singleShot(0, dialog, [dialog, user] {
            EXPECT_EQ(QApplication::activeModalWidget(), dialog);
            user();
        });
    }

    FakeDocument* doc = nullptr;
};

TEST_F(SearchCommandsTest, SearchFromTheTopThenRepeatTwiceVisitsTheNextMatches)
{
    auto* search = form->toolWindow<TfrmSearch>();
    press(QKeySequence("F3"));
    EXPECT_EQ(prompter.texts(), Lines{"No search string was entered before."});
    press(QKeySequence("F4"));
    ASSERT_TRUE(search->isVisible());
    EXPECT_FALSE(search->isModal());
    click(search, "btnSearch");   // nothing typed
    EXPECT_FALSE(search->isVisible());
    EXPECT_EQ(form->StatusText(0), "Invalid input into Search Box");

    doc->text = "actor x actors Actor actor";
    press(QKeySequence("F4"));
    type(search, "txtSearch", "actor");
    click(search, "btnSearch");
    press(QKeySequence("F3"));
    press(QKeySequence("F3"));
    EXPECT_EQ(doc->requests, (Lines{"find actor at 0", "find actor at 1", "find actor at 9"}));

    // The fields keep their contents; the boxes give the option byte.
    press(QKeySequence("F4"));
    EXPECT_EQ(field<QLineEdit>(search, "txtSearch")->text(), "actor");
    click(search, "chkCase");
    click(search, "chkWord");
    click(search, "chkStartTop");
    click(search, "btnSearch");
    EXPECT_EQ(doc->requests.back(), "find actor at -2 options 3");
    EXPECT_FALSE(EditorRequests.UserFndText.Go);
}

TEST_F(SearchCommandsTest, ReplaceAllRunsUnderTheDialogAndRepeatReplaceDoesItAgain)
{
    auto* replace = form->toolWindow<TfrmReplace>();
    press(QKeySequence("F2"));
    EXPECT_EQ(prompter.texts(), Lines{"Not enough input to replace words."});
    press(QKeySequence("Ctrl+R"));
    type(replace, "txtFind", "a");
    click(replace, "btnReplaceAll");   // no replacement: refused
    EXPECT_EQ(form->StatusText(0), "Invalid input into Replace Box");
    EXPECT_TRUE(doc->requests.empty());

    press(QKeySequence("Ctrl+R"));
    type(replace, "txtReplace", "ba");
    click(replace, "rdiSelectedTxt");
    bool shownMeanwhile = false;
    doc->onActivate = [&] { shownMeanwhile = replace->isVisible(); };
    click(replace, "btnReplaceAll");
    EXPECT_TRUE(shownMeanwhile);
    EXPECT_FALSE(replace->isVisible());
    press(QKeySequence("F2"));
    EXPECT_EQ(doc->requests, (Lines{"replace a>ba at -3 all", "replace a>ba at 0 all"}));

    // One replacement closes the dialog first; the options are shared with search.
    press(QKeySequence("Ctrl+R"));
    click(replace, "rdiCursor");
    click(replace, "chkCase");
    click(replace, "btnReplace");
    EXPECT_FALSE(shownMeanwhile);
    EXPECT_EQ(doc->requests.back(), "replace a>ba at -2 options 2");
    EditorRequests.UserFndText.Text = "x";
    press(QKeySequence("F3"));
    EXPECT_EQ(doc->requests.back(), "find x at 1 options 2");
}

TEST_F(SearchCommandsTest, ToolButtonsShowTheDialogsModally)
{
    auto* search = form->toolWindow<TfrmSearch>();
    auto* replace = form->toolWindow<TfrmReplace>();
    press(QKeySequence("F4"));   // showing without blocking: the button blocks all the same
    whenModal(search, [&] {
        type(search, "txtSearch", "ifrnd");
        click(search, "btnSearch");
    });
    clickTool("tlbtnFind");
    whenModal(replace, [&] {
        type(replace, "txtFind", "move");
        type(replace, "txtReplace", "spawn");
        click(replace, "btnReplace");
    });
    clickTool("tlbtnReplace");
    EXPECT_EQ(doc->requests, (Lines{"find ifrnd at 0", "replace move>spawn at 0"}));
    EXPECT_FALSE(search->isVisible() || replace->isVisible());
}

TEST_F(SearchCommandsTest, GoToLineTakesNumbersFromOne)
{
    auto* gotoLine = form->toolWindow<TfrmGotoLine>();
    const struct {
        const char* row;
        const char* typed;
        Lines requests;
        Lines messages;
    } cases[] = {
        {"first line", "1", {"goto 0"}, {}},
        {"line 0 does nothing", "0", {}, {}},
        {"negative does nothing", "-3", {}, {}},
        {"past the end is the editor's to report", "5000", {"goto 4999"}, {}},
        {"not a number", "12a", {}, {"'12a' is not a valid integer value"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row);
        doc->requests.clear();
        prompter.clear();
        press(QKeySequence("F5"));
        type(gotoLine, "Edit1", c.typed);
        QTest::keyClick(field(gotoLine, "Edit1"), Qt::Key_Return);   // presses btnGoto
        EXPECT_EQ(doc->requests, c.requests);
        EXPECT_EQ(prompter.texts(), c.messages);
        EXPECT_EQ(gotoLine->isVisible(), !c.messages.empty());
        EXPECT_EQ(EditorRequests.GotoLineRequest, -1);
    }
    EXPECT_EQ(field<QLineEdit>(gotoLine, "Edit1")->text(), "12a");
    EXPECT_EQ(prompter.shown.at(0).kind, ScriptedPrompter::Kind::Error);
    gotoLine->showMinimized();
    press(QKeySequence("F5"));
    EXPECT_FALSE(gotoLine->isMinimized());
    click(gotoLine, "btnCancel");
    EXPECT_FALSE(gotoLine->isVisible());
}

} // namespace
} // namespace tessel
