#include <QListWidget>

#include "support/ProgramFixture.h"

namespace tessel {
namespace {

class WizardCommandsTest : public ProgramFixture {};

TEST_F(WizardCommandsTest, InsertAndParametersActOnTheSelectedEntry)
{
    StartWithFakeEditors();
    Press("Ctrl+N");
    auto* list = Control<QListWidget>("MainConWiz");
    auto button = [this](const char* name) { QTest::mouseClick(Control(name), Qt::LeftButton); };
    button("btnWizInsert");   // nothing selected: nothing to insert or show
    button("btnParameters");
    EXPECT_EQ(form->StatusText(0), "Ready");

    const QPoint second = list->visualItemRect(list->item(1)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, second);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, second);
    button("btnParameters");
    EXPECT_EQ(form->StatusText(0), "<chance>");
    form->SelectWizardEntry(3);
    form->SelectWizardEntry(4);   // past the list: the selection stays
    button("btnWizInsert");
    button("btnParameters");
    EXPECT_EQ(form->StatusText(0), "NO PARAMETERS");
    EXPECT_EQ(Active()->buffer.Text(), "ifrndmove");
    EXPECT_EQ(form->SelectedWizardEntry(), 3);
}

} // namespace
} // namespace tessel
