// A whole session as a user has it, through the main window's menus and keys
// with the real editor windows: open, type, save, exit.

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "richtext/ProjectFile.h"
#include "support/ProgramFixture.h"
#include "windows/editor/Childwin.h"
#include "windows/editor/ScriptEdit.h"

namespace tessel {
namespace {

class SessionEndToEndTest : public ProgramFixture {
protected:
    void SetUp() override
    {
        WriteLanguageFiles("{define,3}\r\n", "", "", "/define;<name> <value>\\\r\n");
        Start();
    }
};

TEST_F(SessionEndToEndTest, OpenTypeSaveAndExitKeepEveryOtherByte)
{
    // LF line ends and an 8-bit character, as scripts from elsewhere have them.
    const std::string original = "// ammo\n\tdefine AMMO 50 // \xe9t\xe9\n";
    OpenFile(dir.write("game.con", original));
    ScriptEdit* edit = dynamic_cast<TfrmConEdit&>(*ActiveWidget()).MainRichEdit();
    QTest::keyClicks(edit, "define X 1");
    QTest::keyClick(edit, Qt::Key_Return);
    QTest::keySequence(form.get(), QKeySequence("Ctrl+S"));
    QCoreApplication::processEvents();
    EXPECT_EQ(dir.read("game.con"), "define X 1\n" + original);

    Trigger("FileExitItem");
    form.reset();
    EXPECT_EQ(prompter.texts().size(), 1u);   // nothing but the open dialog was shown
}

// Lines ended by LF, CR LF, a lone CR and LF, the CR LF split across the
// read's 64 KiB blocks: each shows once, Goto Line and the status bar count
// the file's lines, and a save writes back every line end as it was read.
TEST_F(SessionEndToEndTest, MixedLineEndsShowEachLineOnceAndComeBackAsRead)
{
    const std::string lines[] = {std::string(65531, 'x'), "two", "three", "four", "five"};
    const std::string ends[] = {"\n", "\r\n", "\r", "\n", ""};
    std::string original, marked;
    for (int i = 0; i < 5; ++i) {
        original += lines[i] + ends[i];
        marked += "#" + lines[i] + ends[i];
    }
    ASSERT_EQ(original.substr(65535, 2), "\r\n");
    OpenFile(dir.write("mixed.con", original));
    ScriptEdit* edit = dynamic_cast<TfrmConEdit&>(*ActiveWidget()).MainRichEdit();
    EXPECT_EQ(edit->LineCount(), 5);
    auto* number = form->Tools().gotoLine->findChild<QLineEdit*>("Edit1");
    for (int line = 1; line <= 5; ++line) {
        Press("F5");
        number->setText(QString::number(line));
        QTest::keyClick(number, Qt::Key_Return);
        EXPECT_TRUE(edit->SelText() == lines[line - 1]) << "line " << line;
        QTest::keyClick(edit, Qt::Key_Home);
        QTest::keyClick(edit, Qt::Key_NumberSign);
        EXPECT_EQ(form->StatusText(2).toStdString(), "Line: " + std::to_string(line) + " ; Column: 2");
    }
    Trigger("FileSaveItem");
    EXPECT_TRUE(dir.read("mixed.con") == marked);
    EXPECT_TRUE(PlainTextOfRtf(dir.read("mixed.qzt")) == marked);
}

// The dialogs' text is typed as characters; a file of 8-bit characters holds them as bytes.
TEST_F(SessionEndToEndTest, ReplaceAllFindsAndWritesEightBitTextAsTyped)
{
    OpenFile(dir.write("menu.con", "caf\xe9 cafe caf\xe9\n"));
    ScriptEdit* edit = dynamic_cast<TfrmConEdit&>(*ActiveWidget()).MainRichEdit();
    Trigger("mnuEditReplace");
    auto* dialog = form->findChild<QWidget*>("frmReplace");
    ASSERT_NE(dialog, nullptr);
    dialog->findChild<QLineEdit*>("txtFind")->setText(QString::fromUtf8("caf\u00e9"));
    dialog->findChild<QLineEdit*>("txtReplace")->setText(QString::fromUtf8("th\u00e9"));
    dialog->findChild<QRadioButton*>("chkStartTop")->setChecked(true);
    QTest::mouseClick(dialog->findChild<QPushButton*>("btnReplaceAll"), Qt::LeftButton);
    EXPECT_EQ(edit->Text(), "th\xe9 cafe th\xe9\n");
}

TEST_F(SessionEndToEndTest, AFileDroppedOnTheTextOpensInsteadOfPastingItsName)
{
    OpenFile(dir.write("a.con", "define A 1\r\n"));
    ScriptEdit* edit = dynamic_cast<TfrmConEdit&>(*ActiveWidget()).MainRichEdit();
    DropFiles(edit->viewport(), {dir.write("b.con", "define B 2\r\n")});
    EXPECT_EQ(edit->Text(), "define A 1\r\n");
    ASSERT_EQ(Area()->subWindowList().size(), 2);
    EXPECT_EQ(ActiveWidget()->windowTitle().toStdString(), "VurAvozid - " + dir.file("b.con"));
}

// Files named with lines of a settings file, one in a folder named so (as
// the dialogs' last folder): they open and save as any name, and neither the
// settings file nor the next start has a setting of theirs.
TEST_F(SessionEndToEndTest, AFileNameWritesNoSettingOfItsOwn)
{
    const std::string key = "DosProgram=sh -c \"cd;id>PWNED;exit\"";
    for (const std::string& name : {"mods\n" + key + "\n/e1.con", "mods/level1\n[Tessel]\n" + key + "\n.con"}) {
        ::mkdir(dir.file(name.substr(0, name.rfind('/'))).c_str(), 0755);
        OpenFile(dir.write(name, "define A 1\n"));
        QTest::keyClicks(dynamic_cast<TfrmConEdit&>(*ActiveWidget()).MainRichEdit(), "// ");
        Press("Ctrl+S");
        EXPECT_EQ(dir.read(name), "// define A 1\n");
    }
    Exit();
    EXPECT_EQ(dir.read("QztMain.ini").find("DosProgram"), std::string::npos);
    EXPECT_EQ(prompter.texts().size(), 2u);   // the open dialogs: names left out are not worth a word
    Start();
    EXPECT_EQ(state->launch.DosProgram, DefaultDosProgram);
    EXPECT_EQ(RecentMenu(), Lines{});
}

} // namespace
} // namespace tessel
