#include <QClipboard>
#include <QLineEdit>
#include <QListWidget>
#include <Qsci/qsciscintilla.h>

#include "support/ShellFixture.h"

namespace tessel {
namespace {

class ClipboardCommandsTest : public ShellFixture {
protected:
    // Cut, copy and paste as "xcv" with '-' for a disabled one; the tool
    // buttons must agree with the menu entries.
    std::string enabled()
    {
        std::string s;
        const char* pairs[3][3] = {
            {"EditCutItem", "ToolButton4", "x"}, {"EditCopyItem", "ToolButton5", "c"}, {"EditPasteItem", "ToolButton6", "v"}};
        for (const auto& p : pairs) {
            EXPECT_EQ(action(p[0])->isEnabled(), action(p[1])->isEnabled()) << p[0];
            s += action(p[0])->isEnabled() ? p[2] : "-";
        }
        return s;
    }
};

TEST_F(ClipboardCommandsTest, CommandsFollowTheFocusedControlsSelectionAndTheClipboard)
{
    QApplication::clipboard()->clear();
    start();
    EXPECT_EQ(enabled(), "---");

    // The editor's control.
    press(QKeySequence("Ctrl+N"));
    auto* text = new QsciScintilla(active());
    text->setText("actor");
    text->show();
    text->setFocus();
    EXPECT_EQ(enabled(), "---");
    text->selectAll();
    EXPECT_EQ(enabled(), "xc-");
    action("EditCopyItem")->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), "actor");
    EXPECT_EQ(enabled(), "xcv");
    text->setReadOnly(true);
    control("MainConWiz")->setEnabled(true);
    control("MainConWiz")->setFocus();   // no text control: nothing to act on
    EXPECT_EQ(enabled(), "---");
    text->setFocus();
    EXPECT_EQ(enabled(), "-c-");

    // Any edit field.
    auto* field = new QLineEdit(active());
    field->move(0, 40);
    field->show();
    field->setFocus();
    EXPECT_EQ(enabled(), "--v");
    QTest::keyClicks(field, "ifrnd");
    field->setSelection(0, 2);
    EXPECT_EQ(enabled(), "xcv");
    QApplication::clipboard()->clear();
    EXPECT_EQ(enabled(), "xc-");
}

} // namespace
} // namespace tessel
