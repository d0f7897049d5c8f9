#include "windows/editor/Childwin.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QClipboard>
#include <QDialog>
#include <QFileSystemWatcher>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTimer>
#include <algorithm>
#include <csignal>
#include <filesystem>
#include <map>

#include "mainwindow/Commands.h"
#include "richtext/ProjectFile.h"
#include "support/NonRegular.h"
#include "support/ProgramFixture.h"
#include "windows/editor/ColorizeDlg.h"
#include "windows/editor/ScriptEdit.h"

namespace tessel {
namespace {

using namespace test;

class ChildwinTest : public ProgramFixture {
protected:
    void SetUp() override
    {
        WriteLanguageFiles("{if,3}\r\n{while,1}\r\n", "{void,1}\r\n", "{int,3}\r\n",
                           "/move;\\\r\n/ifaction;<action>\\\r\n/ifai;<ai>\\\r\n");
        Start();
    }

    TfrmConEdit* NewEditor(const std::string& caption = "VurAvozid - Unnamed1")
    {
        return dynamic_cast<TfrmConEdit*>(form->NewEditorWindow(QString::fromStdString(caption)));
    }
    // As File > Open opens it, once its dialog is answered.
    TfrmConEdit* Open(const std::string& path)
    {
        OpenDocument(*form, path);
        QCoreApplication::processEvents();   // the wait window gives the focus back
        return Active<TfrmConEdit>();
    }
    // The program folder's files (those beginning with prefix), the state folder aside.
    Lines Files(const std::string& prefix = std::string()) const
    {
        Lines out;
        for (const std::string& f : ListFiles(dir.path()))
            if (f.compare(0, prefix.size(), prefix) == 0)
                out.push_back(f);
        return out;
    }
    static void Key(ScriptEdit* e, Qt::Key key, Qt::KeyboardModifiers m = Qt::NoModifier) { QTest::keyClick(e, key, m); }
    // A mouse click on the offset's character.
    static void Click(ScriptEdit* e, int offset)
    {
        const QPoint at(static_cast<int>(e->SendScintilla(QsciScintillaBase::SCI_POINTXFROMPOSITION, 0UL, offset)) + 1,
                        static_cast<int>(e->SendScintilla(QsciScintillaBase::SCI_POINTYFROMPOSITION, 0UL, offset)) + 2);
        QTest::mouseClick(e->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    }
};

TEST_F(ChildwinTest, LoadsEachKindColoringOnlyWhatIsNoProjectFile)
{
    const std::string text = "if x // c";
    const std::string stored = WriteProjectFile(ControlText{text}, std::vector<TColor>(text.size(), clRed));
    // Each way a load colours once; which names take which way is LoadColoringOf's table.
    const bool colouring = false, noColoring = true;
    struct Row { const char* name; const char* file; const std::string& bytes; bool noColoring;
                 const char* paint; } rows[] = {
        {"game file", "game.con", text, colouring, "bb...gggg"},
        {"project file: its stored colours", "game.qzt", stored, colouring, "rrrrrrrrr"},
        {"project file, colouring off: black", "black.qzt", stored, noColoring, "........."},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        state->editor.NoColoring = r.noColoring;
        const std::string path = dir.write(r.file, r.bytes);
        TfrmConEdit* w = Open(path);
        EXPECT_EQ(Paint(w->MainRichEdit()->Colors()), r.paint);
        EXPECT_EQ(w->findChild<QLineEdit*>("txtFile")->text().toStdString(), path);
        EXPECT_FALSE(w->MainRichEdit()->Modified());
        EXPECT_EQ(form->StatusText(1), "");
        EXPECT_TRUE(w->MainRichEdit()->hasFocus());
    }
    EXPECT_TRUE(prompter.shown.empty());
}

// Read again from the recent list after another program removed it.
TEST_F(ChildwinTest, AFailedLoadKeepsTheText)
{
    const std::string path = dir.write("a.con", "x");
    TfrmConEdit* w = Open(path);
    ScriptEdit* edit = w->MainRichEdit();
    Key(edit, Qt::Key_Y);
    ::unlink(path.c_str());
    prompter.answers = {MsgResult::No};
    Trigger("mnuFileRecent1");
    EXPECT_EQ(prompter.texts(), (Lines{path + " is no longer on disk; saving writes it anew.",
                                       "Do you want to save this file before opening another file?",
                                       "Cannot open file " + path}));
    EXPECT_EQ(edit->Text(), "yx");
    EXPECT_TRUE(edit->Modified());
    EXPECT_EQ(w->FileName(), path);
}

// (Leaving it by a key: EachWindowKeepsTheStateOfItsOwnEditedLine.)
TEST_F(ChildwinTest, AnEditedLineIsBlackUntilLeftByAClickOrDeactivation)
{
    for (const char* how : {"click", "deactivation"}) {
        SCOPED_TRACE(how);
        TfrmConEdit* w = Open(dir.write(how + std::string(".con"), "x\r\nWHILE y\r\nif"));
        ScriptEdit* edit = w->MainRichEdit();
        edit->SetSelection(10, 0);
        Key(edit, Qt::Key_Exclam);
        EXPECT_EQ(Paint(edit->Colors()), ".............bb");
        if (how == std::string("click"))
            Click(edit, 13);
        else
            NewEditor("VurAvozid - Unnamed2");
        // A keyword in other case is coloured when its line is left.
        EXPECT_EQ(Paint(edit->Colors()), "...rrrrr.....bb");
    }
}

TEST_F(ChildwinTest, EachWindowKeepsTheStateOfItsOwnEditedLine)
{
    // Keys reach the two windows in turn, with no activation in between: each
    // blackens its own line, and leaving it recolours only that line.
    ScriptEdit* a = Open(dir.write("a.con", "if x\r\nif y"))->MainRichEdit();
    ScriptEdit* b = Open(dir.write("b.con", "if x\r\nif y"))->MainRichEdit();
    a->SetSelection(4, 0);
    Key(a, Qt::Key_Z);
    b->SetSelection(10, 0);
    Key(b, Qt::Key_Z);
    EXPECT_EQ(Paint(a->Colors()), ".......bb..");
    EXPECT_EQ(Paint(b->Colors()), "bb.........");
    Key(a, Qt::Key_Down);
    EXPECT_EQ(Paint(a->Colors()), "bb.....bb..");
    EXPECT_EQ(Paint(b->Colors()), "bb.........");
    Key(b, Qt::Key_Up);
    EXPECT_EQ(Paint(b->Colors()), "bb....bb...");
}

TEST_F(ChildwinTest, EnterIndentsBackspaceUnindentsAndUndoTakesOneStepPerRequest)
{
    ScriptEdit* edit = Open(dir.write("a.con", "\tif\r\n\t\tfoo bar"))->MainRichEdit();
    edit->SetSelection(10, 0);
    Key(edit, Qt::Key_Return);
    EXPECT_EQ(edit->Text(), "\tif\r\n\t\tfoo\r\n\t\t bar");
    EXPECT_EQ(edit->SelStart(), 14);
    edit->SetSelection(7, 0);
    Key(edit, Qt::Key_Backspace);
    EXPECT_EQ(edit->Text(), "\tif\r\n\tfoo\r\n\t\t bar");
    edit->SetSelection(0, 5);
    Key(edit, Qt::Key_I, Qt::ControlModifier);
    EXPECT_EQ(edit->Text(), "\t\tif\r\n\t\tfoo\r\n\t\t bar");
    Key(edit, Qt::Key_I, Qt::ControlModifier | Qt::AltModifier);
    Key(edit, Qt::Key_E, Qt::ControlModifier);   // recolouring enters no history
    // Each Ctrl+Z (the main window's, not the control's as well) one step back.
    const char* const steps[] = {"\t\tif\r\n\t\tfoo\r\n\t\t bar", "\tif\r\n\tfoo\r\n\t\t bar",
                                 "\tif\r\n\t\tfoo\r\n\t\t bar", "\tif\r\n\t\tfoo bar"};
    for (const char* step : steps) {
        Key(edit, Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(edit->Text(), step);
    }
    Key(edit, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(edit->SelLength(), edit->TextLength());
}

// Every Ctrl, Ctrl+Shift and Alt chord over the letters and digits, on a
// selection: Cut, Paste and Block Indent change the text; no chord types its
// letter or works a key of the control's own. (Alt chords open menus or
// press the wizard pane's buttons, with no entry selected here.)
TEST_F(ChildwinTest, OnlyTheChordsTheProgramNamesChangeTheText)
{
    prompter.answerEverything = false;   // Ctrl+O and Ctrl+S: their dialogs cancelled
    const std::map<QString, std::string> changed = {
        {"Ctrl+X", "a cd"}, {"Ctrl+V", "aP cd"}, {"Ctrl+I", "\tab cd"}};
    QPointer<TfrmConEdit> ours;
    for (const QString chord : {"Ctrl+", "Ctrl+Shift+", "Alt+"}) {
        for (const char key : std::string("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789")) {
            if (!ours)
                ours = NewEditor();   // Ctrl+W closes the window, as its window menu says
            ScriptEdit* edit = ours->MainRichEdit();
            edit->SetDocument(ControlText{"ab cd"});
            edit->SetSelection(1, 1);
            QApplication::clipboard()->setText("P");
            const QString keys = chord + key;
            QTest::keySequence(edit, QKeySequence(keys));
            EXPECT_EQ(edit->Text(), changed.count(keys) ? changed.at(keys) : "ab cd") << keys.toStdString();
            // What the chord opened goes: a menu, a dialog, a new window.
            while (QWidget* popup = QApplication::activePopupWidget())
                popup->close();
            for (QWidget* window : QApplication::topLevelWidgets())
                if (window != form.get() && window->isVisible())
                    window->hide();
            for (QMdiSubWindow* window : Area()->subWindowList())
                if (window->widget() != ours)
                    window->close();
            WindowCount();
            if (ours) {
                ours->MainRichEdit()->setFocus();
                ours->FormActivate();   // activated again: a closed window disabled the commands
            }
        }
    }
}

TEST_F(ChildwinTest, TestErrorsListsTheBracesAndADoubleClickSelectsOne)
{
    TfrmConEdit* w = Open(dir.write("a.con", "x\r\n}{"));
    auto* list = w->findChild<QListWidget*>("ErrorListBox");
    Action("tlTestErr")->trigger();
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{"There were some errors found in the Con File."});
    ASSERT_TRUE(list->isVisible());
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(1)->text(), "ERROR #2: Extra right brace \"{\", offset:4");
    const QPoint first = list->visualItemRect(list->item(0)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, first);   // a double-click's first half
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, first);
    EXPECT_EQ(w->MainRichEdit()->SelStart(), 3);
    EXPECT_EQ(w->MainRichEdit()->SelText(), "}");
    w->findChild<QAction*>("popClose")->trigger();
    EXPECT_FALSE(list->isVisible());
}

// One path through the window; the files of each name, option and mode are
// SaveTargets' table.
TEST_F(ChildwinTest, SavingFollowsTheOptionButtonsTheModeAndTheName)
{
    const std::string qzt = dir.write("game.qzt", WriteProjectFile(ControlText{"if x\n", LineEnds::Lf},
                                                                   std::vector<TColor>(6, clRed)));
    TfrmConEdit* w = Open(qzt);
    Action("mnuEditQuakeMode")->trigger();
    Control<QRadioButton>("rdiQzt")->click();
    Control<QRadioButton>("rdiQztCon")->click();   // changed, and back to both files
    Key(w->MainRichEdit(), Qt::Key_Z);
    ASSERT_EQ(form->StatusText(1), "Modified");
    Press("Ctrl+S");
    // Both forms, each with the file's own line ends.
    EXPECT_EQ(PlainTextOfRtf(dir.read("game.qzt")), "zif x\n");
    EXPECT_EQ(dir.read("game.qc"), "zif x\n");
    EXPECT_FALSE(w->MainRichEdit()->Modified());
    EXPECT_EQ(form->StatusText(1), "");
    EXPECT_TRUE(prompter.shown.empty());
}

// The program ignores the signal of a file-size limit, which would end it
// with every window's text: the save fails as on a full disk.
TEST_F(ChildwinTest, AFailedSaveKeepsTheTextTheFlagAndTheOldFile)
{
    const std::string original = "a line long enough to pass the file size limit\n";
    ScriptEdit* edit = Open(dir.write("notes.txt", original))->MainRichEdit();
    Key(edit, Qt::Key_Z);
    rlimit old{};
    ASSERT_EQ(0, getrlimit(RLIMIT_FSIZE, &old));
    rlimit small = old;
    small.rlim_cur = 16;
    ASSERT_EQ(0, setrlimit(RLIMIT_FSIZE, &small));
    Press("Ctrl+S");
    setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{"Disk full"});
    EXPECT_EQ(dir.read("notes.txt"), original);
    EXPECT_EQ(Files("."), Lines{}) << "no part file left";
    EXPECT_EQ(edit->Text(), "z" + original);
    EXPECT_TRUE(edit->Modified());
    EXPECT_EQ(form->StatusText(1), "Modified");
}

// Save As asks about the files it would really write (the mode's extension
// added), refuses a pipe unopened, and the close question saves where the
// last Save As did.
TEST_F(ChildwinTest, SaveAsAsksAboutTheFilesItWritesAndClosingSavesUnderTheNewName)
{
    ScriptEdit* edit = Open(dir.write("a.txt", "x"))->MainRichEdit();
    Key(edit, Qt::Key_Y);
    dir.write("game.qzt", "old qzt"), dir.write("game.con", "old con");
    const std::string replace = " already exists. Do you want to replace it?";
    prompter.files = {dir.file("game"), dir.file("game")};
    prompter.answers = {MsgResult::Yes, MsgResult::No, MsgResult::Yes, MsgResult::Yes};
    Action("FileSaveAsItem")->trigger();
    EXPECT_EQ(dir.read("game.con"), "old con");
    Action("FileSaveAsItem")->trigger();
    const std::string filter = form->SaveDialog1.filter;
    EXPECT_EQ(prompter.texts(), (Lines{filter, dir.file("game.qzt") + replace, dir.file("game.con") + replace, filter,
                                       dir.file("game.qzt") + replace, dir.file("game.con") + replace}));
    EXPECT_EQ(dir.read("game.con"), "yx");
    EXPECT_EQ(form->StatusText(0), "Saved game.qzt and game.con");

    const std::string pipe = MakeNonRegular(dir, "pipe.txt", NonRegular::Fifo);
    const int reader = ::open(pipe.c_str(), O_RDONLY | O_NONBLOCK);   // so that nothing could wait on it
    prompter.clear();
    prompter.files = {pipe};
    Action("FileSaveAsItem")->trigger();
    char byte;
    EXPECT_LE(::read(reader, &byte, 1), 0);
    ::close(reader);
    EXPECT_EQ(prompter.texts(), (Lines{filter, pipe + " is not a regular file"}));

    Key(edit, Qt::Key_W);
    prompter.answers = {MsgResult::Yes};
    Action("FileCloseItem")->trigger();
    EXPECT_EQ(WindowCount(), 0);
    EXPECT_EQ(dir.read("game.con"), "ywx");
    EXPECT_EQ(dir.read("a.txt"), "x");
}

// Another program writes the file: an unmodified window offers to read it
// again, a modified one says so once, and Save asks before it overwrites.
TEST_F(ChildwinTest, AnotherProgramsChangeIsToldAndNeverOverwrittenUnasked)
{
    const std::string path = dir.write("a.con", "one");
    TfrmConEdit* w = Open(path);
    QMdiSubWindow* window = Area()->currentSubWindow();
    NewEditor("VurAvozid - Unnamed2");
    const auto activate = [&] {
        Area()->activatePreviousSubWindow();
        Area()->setActiveSubWindow(window);
        QCoreApplication::processEvents();   // the wait window of a load gives the focus back
    };
    dir.write("a.con", "two!");
    prompter.answers = {MsgResult::Yes};
    activate();
    EXPECT_EQ(w->MainRichEdit()->Text(), "two!");
    Key(w->MainRichEdit(), Qt::Key_Z);
    dir.write("a.con", "three");
    activate();
    activate();   // told once
    prompter.answers = {MsgResult::No, MsgResult::Yes};
    Key(w->MainRichEdit(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(dir.read("a.con"), "three");
    EXPECT_TRUE(w->Modified());
    Key(w->MainRichEdit(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(dir.read("a.con"), "ztwo!");
    ::unlink(path.c_str());
    activate();
    Key(w->MainRichEdit(), Qt::Key_S, Qt::ControlModifier);   // gone: written anew without a question
    EXPECT_EQ(dir.read("a.con"), "ztwo!");
    EXPECT_EQ(prompter.texts(),
              (Lines{path + " was changed by another program. Do you want to read it again?",
                     path + " was changed by another program since it was opened.",
                     path + " was changed by another program since it was opened. Overwrite it?",
                     path + " was changed by another program since it was opened. Overwrite it?",
                     path + " is no longer on disk; saving writes it anew."}));
}

// Changed behind a modal dialog (as the Open dialog is): told when it closes.
// Deleted and made again: followed at once, the new file watched from then on.
TEST_F(ChildwinTest, AChangeBehindADialogOrAFileMadeAgainIsFollowed)
{
    const std::string path = dir.write("a.con", "one");
    TfrmConEdit* w = Open(path);
    auto* watcher = w->findChild<QFileSystemWatcher*>();
    ASSERT_TRUE(watcher);
    QDialog dialog(form.get());
    dialog.setModal(true);
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &dialog; }));
    QSignalSpy changed(watcher, &QFileSystemWatcher::fileChanged);
    dir.write("a.con", "two");
    ASSERT_TRUE(changed.wait());
    QCoreApplication::processEvents();
    EXPECT_EQ(prompter.texts(), Lines{}) << "not told behind the dialog";
    prompter.answers = {MsgResult::Yes};
    dialog.accept();
    form->activateWindow();   // as the window manager gives the focus back
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == form.get(); }));
    QCoreApplication::processEvents();
    EXPECT_EQ(w->MainRichEdit()->Text(), "two");

    const auto told = [this](std::size_t count) {
        return QTest::qWaitFor([&] { return prompter.shown.size() >= count; });
    };
    QSignalSpy folderChanged(watcher, &QFileSystemWatcher::directoryChanged);
    ASSERT_EQ(::unlink(path.c_str()), 0);
    ASSERT_TRUE(told(2));
    prompter.answers = {MsgResult::Yes};
    dir.write("a.con", "again");
    ASSERT_TRUE(!folderChanged.isEmpty() || folderChanged.wait()) << "the folder is watched while the file is gone";
    ASSERT_TRUE(told(3));
    EXPECT_EQ(w->MainRichEdit()->Text(), "again");
    EXPECT_EQ(watcher->files(), QStringList{ToQString(path)});
    prompter.answers = {MsgResult::Yes};
    dir.write("a.con", "third");
    ASSERT_TRUE(told(4));
    EXPECT_EQ(w->MainRichEdit()->Text(), "third");
    const std::string readAgain = path + " was changed by another program. Do you want to read it again?";
    EXPECT_EQ(prompter.texts(),
              (Lines{readAgain, path + " is no longer on disk; saving writes it anew.", readAgain, readAgain}));
}

// Dropped from a file manager: the name's own bytes, kept to the save.
TEST_F(ChildwinTest, ANameThatIsNoUtf8SavesIntoItsOwnFile)
{
    ASSERT_TRUE(DropFiles(form.get(), {dir.write("caf\xe9.txt", "x")}));
    auto* w = Active<TfrmConEdit>();
    ASSERT_TRUE(w);
    Key(w->MainRichEdit(), Qt::Key_Y);
    Action("FileSaveItem")->trigger();
    EXPECT_EQ(dir.read("caf\xe9.txt"), "yx");
    EXPECT_EQ(Files(), (Lines{"CNFcs.qcf", "QCFcs.qcf", "VGFcs.qcf", "caf\xe9.txt", "cnfcs.ccf"}));
}

TEST_F(ChildwinTest, AScriptOfAnotherGameGoesElsewhereOnlyWhenTheUserSaysSo)
{
    ScriptEdit* edit = Open(dir.write("prog.qc", "void x"))->MainRichEdit();
    const std::string question = dir.file("prog.qc") + " is a script of another game than the mode's, which saves "
                                                       "it as prog.qzt and prog.con. Save it so? (No: as prog.qzt "
                                                       "and prog.qc.)";
    const struct { MsgResult answer; Lines files; const char* status; } rows[] = {
        {MsgResult::Cancel, {"prog.qc"}, "Ready"},
        {MsgResult::No, {"prog.qc", "prog.qzt"}, "Saved prog.qzt and prog.qc"},
        {MsgResult::Yes, {"prog.con", "prog.qc", "prog.qzt"}, "Saved prog.qzt and prog.con"},
    };
    for (const auto& r : rows) {
        Key(edit, Qt::Key_Y);
        prompter.clear();
        prompter.answers = {r.answer};
        Press("Ctrl+S");
        EXPECT_EQ(prompter.texts(), Lines{question});
        EXPECT_EQ(Files("prog"), r.files);
        EXPECT_EQ(form->StatusText(0), r.status);
        EXPECT_EQ(edit->Modified(), r.answer == MsgResult::Cancel);
    }
    EXPECT_EQ(dir.read("prog.qc"), "yyvoid x");
}

// Its fonts and links would be lost: a new name is asked for, proposing a project file.
TEST_F(ChildwinTest, ARichDocumentIsNeverReplacedByItsPlainText)
{
    const std::string rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Times;}}\\b Dear\\b0  friend\\par}";
    TfrmConEdit* w = Open(dir.write("letter.rtf", rtf));
    Key(w->MainRichEdit(), Qt::Key_Y);
    const std::string notice = dir.file("letter.rtf") + " is a rich-text document and is not replaced by plain "
                                                        "text. Choose a name for a project file of it.";
    prompter.files = {std::nullopt, dir.file("letter.qzt")};
    Press("Ctrl+S");
    EXPECT_EQ(form->SaveDialog1.fileName, dir.file("letter.qzt"));
    EXPECT_TRUE(w->Modified());
    Press("Ctrl+S");
    EXPECT_EQ(dir.read("letter.rtf"), rtf);
    EXPECT_EQ(PlainTextOfRtf(dir.read("letter.qzt")).substr(0, 5), "yDear");
    EXPECT_EQ(w->FileName(), dir.file("letter.qzt"));
    EXPECT_EQ(w->windowTitle().toStdString(), "VurAvozid - " + dir.file("letter.qzt"));
    EXPECT_EQ(prompter.texts(), (Lines{notice, form->SaveDialog1.filter, notice, form->SaveDialog1.filter}));
}

// A log-out's SIGTERM keeps every window's unsaved text and the settings; the
// next start offers the texts back, each in a modified window of its name.
// The copy remembers the file it began from: another file put in its place
// since, even with the same size and time, is told and not overwritten unasked.
TEST_F(ChildwinTest, UnsavedTextsOutliveASigtermAndComeBackAtTheNextStart)
{
    const std::string path = dir.write("a.con", "x");
    Key(Open(path)->MainRichEdit(), Qt::Key_Y);
    Key(NewEditor("VurAvozid - Unnamed2")->MainRichEdit(), Qt::Key_Z);
    Action("mnuEditQuakeMode")->trigger();
    int ended = 0;
    form->EndProcess = [&](int sig) { ended = sig; };
    ::raise(SIGTERM);
    QTRY_COMPARE(ended, SIGTERM);
    EXPECT_NE(dir.read("QztMain.ini").find("GameUp=2"), std::string::npos);
    const std::string other = dir.write("other", "w");
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    const timespec times[2] = {st.st_atim, st.st_mtim};
    ASSERT_EQ(::utimensat(AT_FDCWD, other.c_str(), times, 0), 0);
    ASSERT_EQ(::rename(other.c_str(), path.c_str()), 0);

    prompter.answers = {MsgResult::Yes};
    RestartAfterKill();
    const std::string offer = "Tessel ended without saving these documents:\n\n" + path +
                              "\nUnnamed2\n\nRestore them? Discard deletes these copies.";
    EXPECT_EQ(prompter.texts(), (Lines{offer, path + " was changed by another program since it was opened."}));
    EXPECT_EQ(Captions(), (Lines{"VUVurevo - " + path, "VurAvozid - Unnamed2"}));
    const std::vector<TfrmConEdit*> restored = Documents<TfrmConEdit>();
    EXPECT_EQ(restored[0]->MainRichEdit()->Text(), "yx");
    EXPECT_EQ(restored[1]->MainRichEdit()->Text(), "z");
    EXPECT_TRUE(restored[0]->Modified() && restored[1]->Modified());
    EXPECT_EQ(restored[0]->FileName(), path);
    Area()->setActiveSubWindow(Area()->subWindowList()[0]);
    prompter.answers = {MsgResult::No, MsgResult::No};   // saved as a.qzt and a.con; not over the other file
    Key(restored[0]->MainRichEdit(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(dir.read("a.con"), "w");
    EXPECT_TRUE(restored[0]->Modified());
    EXPECT_EQ(prompter.texts().back(), path + " was changed by another program since it was opened. Overwrite it?");

    // The box closed: offered again; Discard: gone.
    for (const MsgResult answer : {MsgResult::Cancel, MsgResult::No, MsgResult::Ok}) {
        prompter.clear();
        prompter.answers = {answer};
        RestartAfterKill();
        EXPECT_EQ(prompter.shown.size(), answer == MsgResult::Ok ? 0u : 1u);
        EXPECT_TRUE(Captions().empty());
    }
}

// The copies cannot be kept (the state folder is a file, told at the start) nor
// the settings written (a folder stands at their name): said on standard error.
TEST_F(ChildwinTest, ASignalEndsTheProgramWithoutABoxWhateverCannotBeWritten)
{
    form.reset();
    std::filesystem::remove_all(dir.file("state"));
    dir.write("state", "");
    Start();
    Key(NewEditor()->MainRichEdit(), Qt::Key_Y);
    ::unlink(dir.file("QztMain.ini").c_str());
    ASSERT_EQ(::mkdir(dir.file("QztMain.ini").c_str(), 0700), 0);
    int ended = 0;
    form->EndProcess = [&](int sig) { ended = sig; };
    testing::internal::CaptureStderr();
    ::raise(SIGHUP);
    QTRY_COMPARE(ended, SIGHUP);
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(said.rfind("tessel: ", 0), 0u) << said;
    EXPECT_NE(said.find(dir.file("QztMain.ini")), std::string::npos) << said;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    EXPECT_EQ(prompter.texts(), Lines{});
    ::rmdir(dir.file("QztMain.ini").c_str());
}

TEST_F(ChildwinTest, ClosingAModifiedWindowOrTheProgramAsks)
{
    const bool named = true, unnamed = false, closes = true, stays = false;
    const char* const cancelled = "";   // the save dialog's answer
    struct Row { const char* name; bool named; MsgResult answer; const char* saveAs; bool closes; } rows[] = {
        {"No", named, MsgResult::No, nullptr, closes},
        {"Cancel", named, MsgResult::Cancel, nullptr, stays},
        {"Yes, unnamed", unnamed, MsgResult::Yes, "b.txt", closes},
        {"Yes, save dialog cancelled", unnamed, MsgResult::Yes, cancelled, stays},
        {"Yes, the save fails", unnamed, MsgResult::Yes, "nowhere/c.txt", stays},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        TempDir scripts;
        TfrmConEdit* w = r.named ? Open(scripts.write("a.txt", "x")) : NewEditor();
        Key(w->MainRichEdit(), Qt::Key_Y);
        prompter.clear();
        prompter.answers = {r.answer};
        if (r.saveAs)
            prompter.files.push_back(*r.saveAs ? std::optional<std::string>(scripts.file(r.saveAs)) : std::nullopt);
        Action("FileCloseItem")->trigger();
        EXPECT_EQ(prompter.shown[0].text, (r.named ? w->FileName() : "unnamed") + " is modified, do you want to save it?");
        EXPECT_EQ(prompter.shown[0].caption, "Information");
        EXPECT_EQ(WindowCount(), r.closes ? 0 : 1);
        if (r.saveAs && r.closes) {
            EXPECT_EQ(scripts.read(r.saveAs), "y");
        }
        if (!r.closes) {
            EXPECT_EQ(w->MainRichEdit()->Text(), r.named ? "yx" : "y");
            w->MainRichEdit()->SetModified(false);
            Action("FileCloseItem")->trigger();
            EXPECT_EQ(WindowCount(), 0);
        }
    }
    // The last window gone, the editor commands wait for the next one.
    EXPECT_FALSE(Action("FileSaveItem")->isEnabled());
    EXPECT_EQ(form->StatusText(0), "Ready");
    EXPECT_EQ(form->StatusText(1), "");
    // Cancel on any modified window keeps the program running.
    for (const char* caption : {"VurAvozid - Unnamed1", "VurAvozid - Unnamed2"})
        Key(NewEditor(caption)->MainRichEdit(), Qt::Key_Y);
    prompter.answers = {MsgResult::No, MsgResult::Cancel};
    EXPECT_FALSE(form->close());
    EXPECT_EQ(WindowCount(), 2);
    prompter.answers = {MsgResult::No, MsgResult::No};
    EXPECT_TRUE(form->close());
}

TEST_F(ChildwinTest, ANewWindowShowsEightyColumnsAndTwentyFiveLinesOrIsMaximised)
{
    form->showNormal();
    form->resize(1400, 1000);
    QApplication::processEvents();
    ScriptEdit* edit = NewEditor()->MainRichEdit();
    auto* sub = Area()->activeSubWindow();
    const long columns = edit->SendScintilla(QsciScintillaBase::SCI_TEXTWIDTH, 32UL, std::string(80, 'M').c_str());
    const long lines = 25 * edit->SendScintilla(QsciScintillaBase::SCI_TEXTHEIGHT, 0UL);
    ASSERT_FALSE(sub->isMaximized());
    EXPECT_GE(edit->viewport()->width(), columns);
    EXPECT_GE(edit->viewport()->height(), lines);
    form->resize(300, 200);
    QApplication::processEvents();
    NewEditor("VurAvozid - Unnamed2");
    EXPECT_TRUE(Area()->activeSubWindow()->isMaximized());
}

TEST_F(ChildwinTest, TheTypedWordSelectsAWizardEntryAndCtrlAltCCompletesIt)
{
    TfrmConEdit* w = NewEditor();
    ScriptEdit* edit = w->MainRichEdit();
    auto* timer = w->findChild<QTimer*>("Timer1");
    QTest::keyClicks(edit, "x ifa");
    EXPECT_TRUE(timer->isActive() && timer->isSingleShot());
    EXPECT_EQ(timer->interval(), 500);
    EXPECT_EQ(form->StatusText(2), "Line: 1 ; Column: 6");
    timer->start(0);
    QCoreApplication::processEvents();
    EXPECT_EQ(Control<QListWidget>("MainConWiz")->currentRow(), 1);   // ifaction, the first beginning with ifa
    Key(edit, Qt::Key_C, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(edit->Text(), "x ifaction");
    Key(edit, Qt::Key_Space);   // ends the match: the first entry again
    EXPECT_EQ(Control<QListWidget>("MainConWiz")->currentRow(), 0);
}

TEST_F(ChildwinTest, TheWaitWindowSaysWhatIsGoingOn)
{
    TfrmColorizeDlg wait;
    EXPECT_TRUE(wait.isVisible());
    EXPECT_EQ(wait.windowTitle(), "Colorizing");
    EXPECT_EQ(wait.findChild<QLabel*>()->text(), "Colorizing Text, Please  Wait...");
}

} // namespace
} // namespace tessel
