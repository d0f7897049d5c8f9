#include <QClipboard>
#include <QLineEdit>
#include <Qsci/qsciscintilla.h>

#include "support/ShellFixture.h"

namespace tessel {
namespace {

class ClipboardCommandsTest : public ShellFixture {
protected:
    // Cut, copy and paste as "xcv", '-' for a disabled one; the tool buttons agree.
    std::string enabled()
    {
        std::string s;
        for (const auto& [entry, tool, mark] : {std::tuple("EditCutItem", "ToolButton4", 'x'),
                                                std::tuple("EditCopyItem", "ToolButton5", 'c'),
                                                std::tuple("EditPasteItem", "ToolButton6", 'v')}) {
            EXPECT_EQ(action(entry)->isEnabled(), action(tool)->isEnabled()) << entry;
            s += action(entry)->isEnabled() ? mark : '-';
        }
        return s;
    }
};

TEST_F(ClipboardCommandsTest, CommandsFollowTheFocusedControlsSelectionAndTheClipboard)
{
    QApplication::clipboard()->clear();
    start();
    EXPECT_EQ(enabled(), "---");
    press("Ctrl+N");
    auto* text = new QsciScintilla(active());   // the editor's control
    auto* field = new QLineEdit(active());       // and any edit field
    text->setText("actor");
    text->show();
    text->setFocus();
    EXPECT_EQ(enabled(), "---");
    text->selectAll();
    action("EditCopyItem")->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), "actor");
    EXPECT_EQ(enabled(), "xcv");
    text->setReadOnly(true);
    field->show();
    field->setFocus();
    EXPECT_EQ(enabled(), "--v");
    text->setFocus();
    EXPECT_EQ(enabled(), "-c-");
    QApplication::clipboard()->clear();
    control("MainConWiz")->setEnabled(true);
    control("MainConWiz")->setFocus();   // no text to act on
    EXPECT_EQ(enabled(), "---");
}

} // namespace
} // namespace tessel
