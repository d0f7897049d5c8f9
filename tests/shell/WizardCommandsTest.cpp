#include <QListWidget>

#include "support/ShellFixture.h"

namespace tessel {
namespace {

class WizardCommandsTest : public ShellFixture {};

TEST_F(WizardCommandsTest, InsertAndParametersActOnTheSelectedEntry)
{
    start();
    press("Ctrl+N");
    auto* list = control<QListWidget>("MainConWiz");
    auto button = [this](const char* name) { QTest::mouseClick(control(name), Qt::LeftButton); };
    button("btnWizInsert");   // nothing selected: nothing to insert or show
    button("btnParameters");
    EXPECT_EQ(form->StatusText(0), "Ready");

    const QPoint second = list->visualItemRect(list->item(1)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, second);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, second);
    button("btnParameters");
    EXPECT_EQ(form->StatusText(0), "<chance>");
    form->selectWizardEntry(3);
    form->selectWizardEntry(4);   // past the list: the selection stays
    button("btnWizInsert");
    button("btnParameters");
    EXPECT_EQ(form->StatusText(0), "NO PARAMETERS");
    EXPECT_EQ(active()->requests, (Lines{"insert ifrnd", "insert move"}));
    EXPECT_EQ(form->selectedWizardEntry(), 3);
}

} // namespace
} // namespace tessel
