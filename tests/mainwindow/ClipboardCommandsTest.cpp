#include <QClipboard>
#include <QLineEdit>
#include <Qsci/qsciscintilla.h>

#include "support/ProgramFixture.h"

namespace tessel {
namespace {

class ClipboardCommandsTest : public ProgramFixture {
protected:
    // Cut, copy and paste as "xcv", '-' for a disabled one; the tool buttons agree.
    std::string enabled()
    {
        std::string s;
        for (const auto& [entry, tool, mark] : {std::tuple("EditCutItem", "ToolButton4", 'x'),
                                                std::tuple("EditCopyItem", "ToolButton5", 'c'),
                                                std::tuple("EditPasteItem", "ToolButton6", 'v')}) {
            EXPECT_EQ(Action(entry)->isEnabled(), Action(tool)->isEnabled()) << entry;
            s += Action(entry)->isEnabled() ? mark : '-';
        }
        return s;
    }
};

TEST_F(ClipboardCommandsTest, CommandsFollowTheFocusedControlsSelectionAndTheClipboard)
{
    QApplication::clipboard()->clear();
    StartWithFakeEditors();
    EXPECT_EQ(enabled(), "---");
    Press("Ctrl+N");
    auto* text = new QsciScintilla(Active());   // the editor's control
    auto* field = new QLineEdit(Active());       // and any edit field
    text->setText("actor");
    text->show();
    text->setFocus();
    EXPECT_EQ(enabled(), "---");
    text->selectAll();
    Action("EditCopyItem")->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), "actor");
    EXPECT_EQ(enabled(), "xcv");
    text->setReadOnly(true);
    field->show();
    field->setFocus();
    EXPECT_EQ(enabled(), "--v");
    text->setFocus();
    EXPECT_EQ(enabled(), "-c-");
    QApplication::clipboard()->clear();
    Control("MainConWiz")->setEnabled(true);
    Control("MainConWiz")->setFocus();   // no text to act on
    EXPECT_EQ(enabled(), "---");
}

} // namespace
} // namespace tessel
