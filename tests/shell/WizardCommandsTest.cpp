#include <QListWidget>
#include <QPushButton>

#include "support/ShellFixture.h"

namespace tessel {
namespace {

using Lines = std::vector<std::string>;

class WizardCommandsTest : public ShellFixture {
protected:
    QListWidget* list() { return control<QListWidget>("MainConWiz"); }
    void doubleClick(int row)
    {
        const QRect r = list()->visualItemRect(list()->item(row));
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
        QTest::mouseDClick(list()->viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
    }
};

TEST_F(WizardCommandsTest, InsertAndParametersActOnTheSelectedEntry)
{
    start();
    press(QKeySequence("Ctrl+N"));
    FakeDocument* doc = active();
    ASSERT_EQ(list()->count(), 3);
    QTest::mouseClick(control("btnWizInsert"), Qt::LeftButton);   // nothing selected: nothing inserted
    QTest::mouseClick(control("btnParameters"), Qt::LeftButton);
    EXPECT_EQ(form->StatusText(0), "Ready");

    doubleClick(1);
    EXPECT_EQ(form->selectedWizardEntry(), 2);
    QTest::mouseClick(control("btnParameters"), Qt::LeftButton);
    EXPECT_EQ(form->StatusText(0), "<chance>");
    form->selectWizardEntry(3);
    QTest::mouseClick(control("btnWizInsert"), Qt::LeftButton);
    QTest::mouseClick(control("btnParameters"), Qt::LeftButton);
    EXPECT_EQ(form->StatusText(0), "NO PARAMETERS");
    EXPECT_EQ(doc->requests, (Lines{"insert ifrnd", "insert move"}));
    EXPECT_TRUE(EditorRequests.WizardInsertText.empty());

    form->selectWizardEntry(4);   // past the list: the selection stays
    form->selectWizardEntry(0);
    EXPECT_EQ(form->selectedWizardEntry(), 3);
    form->selectWizardEntry(1);
    EXPECT_EQ(list()->currentItem()->text(), "actor");
}

} // namespace
} // namespace tessel
