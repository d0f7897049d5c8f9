// The explorer window driven as a user drives it: its menus, context menus,
// keys and dialogs, with the scripted prompter answering the file dialogs and
// message boxes, on archives put together byte by byte.
#include "windows/grp/GRPExp.h"

#include <sys/resource.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableView>
#include <QTimer>
#include <QTreeView>

#include "grp/GrpTestSupport.h"
#include "support/ProgramFixture.h"
#include "windows/grp/ModelText.h"

namespace tessel {
namespace {

using namespace test;
using Texts = std::vector<std::string>;

class GRPExpTest : public ProgramFixture {
protected:
    void SetUp() override
    {
        for (const char* name : {"CNFcs.qcf", "QCFcs.qcf", "VGFcs.qcf", "cnfcs.ccf"})
            dir.write(name, "");
        fakeEditors = true;
        Start();
        QApplication::setActiveWindow(form.get());
        prompter.clear();
    }

    TfrmGRPExp* newWindow(const std::string& archive = std::string())
    {
        auto* w = dynamic_cast<TfrmGRPExp*>(form->NewExplorerWindow("Tessel Group File Explorer - No File Loaded"));
        if (!archive.empty()) {
            prompter.files.push_back(archive);
            trigger(w, "mnuFileOpen");
        }
        return w;
    }
    static void trigger(QWidget* w, const char* action) { w->findChild<QAction*>(action)->trigger(); }
    // Answers the next modal dialog from inside its event loop.
    static void onDialog(std::function<void(QWidget*)> answer)
    {
        QTimer::singleShot(0, [answer] { answer(QApplication::activeModalWidget()); });
    }
    static void click(QWidget* dialog, const char* button) { dialog->findChild<QPushButton*>(button)->click(); }
    // In the middle of the screen, frame and all, wherever the main window is.
    static bool centred(QWidget* d)
    {
        return (d->frameGeometry().center() - d->screen()->availableGeometry().center()).manhattanLength() <= 1;
    }
    void moveMainWindowAside()
    {
        form->showNormal();
        form->setGeometry(20, 30, 500, 400);
    }
    static Texts listed(TfrmGRPExp* w) { return Shown(*w->findChild<QTableView*>("ListView1")->model()); }
    static Texts tree(TfrmGRPExp* w) { return Shown(*w->findChild<QTreeView*>("FileList")->model()); }
    static std::string panels(TfrmGRPExp* w)
    {
        std::string s;
        for (const char* p : {"StatusPanel0", "StatusPanel1", "StatusPanel2"})
            s += (s.empty() ? "" : "|") + w->findChild<QLabel*>(p)->text().toStdString();
        return s;
    }
    // A key on the main window, which has the focus back from any dialog (the
    // offscreen platform leaves it with the dialog).
    void key(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QApplication::setActiveWindow(form.get());
        QTest::keyClick(form.get(), k, modifiers);
    }
    static void selectRow(TfrmGRPExp* w, int row) { w->findChild<QTableView*>("ListView1")->selectRow(row); }
    static void selectNode(TfrmGRPExp* w, int group, int child)
    {
        auto* t = w->findChild<QTreeView*>("FileList");
        t->setCurrentIndex(t->model()->index(child, 0, t->model()->index(group, 0)));
    }
    std::vector<std::string> menuBar() const
    {
        Texts out;
        for (QAction* a : form->menuBar()->actions())
            if (a->isVisible())
                out.push_back(a->text().toStdString());
        return out;
    }

    TempDir files;   // the archives
};

const Entry A{"A.CON", 10}, B{"B.ART", 20}, Slot{Res, 0};

// Which names get ".GRP" is DocumentNamesTest's.
TEST_F(GRPExpTest, NewCreatesTheArchiveWithTheSignatureOfItsDialog)
{
    TfrmGRPExp* w = newWindow();
    moveMainWindowAside();
    prompter.files.push_back(files.file("NEWFILE"));
    onDialog([](QWidget* d) {
        EXPECT_TRUE(centred(d));
        d->findChild<QLineEdit*>("Edit1")->setText("abcdefghijklm");   // cut to 11
        click(d, "Button1");
    });
    trigger(w, "mnuFileNew");
    EXPECT_EQ(prompter.shown.at(0).caption, "New");
    EXPECT_EQ(files.read("NEWFILE.GRP"), std::string("abcdefghijk\0", 12) + Le32(0));
    EXPECT_EQ(w->windowTitle().toStdString(), "Tessel Group File Explorer - " + files.file("NEWFILE.GRP"));
    prompter.clear();
    // The dialog keeps its text; cancelling it creates nothing.
    prompter.files.push_back(files.file("NOSIG"));
    onDialog([](QWidget* d) {
        EXPECT_EQ(d->findChild<QLineEdit*>("Edit1")->text(), "abcdefghijk");
        click(d, "Button2");
    });
    trigger(w, "mnuFileNew");
    EXPECT_EQ(prompter.texts(), (Texts{"GRP File (*.GRP)|*.GRP", "The group file was not created"}));
    EXPECT_FALSE(FileExists(files.file("NOSIG.GRP")) || FileExists(files.file("NOSIG")));
}

TEST_F(GRPExpTest, OpenListsTheEntriesAndTheirGroupsAndCloseEmptiesTheWindow)
{
    state->launch.Duke3DDir = files.path();
    TfrmGRPExp* w = newWindow();
    prompter.files = {files.file("NONE.GRP"), files.write("T.GRP", Grp({A, {Del, 5}, B, {"C.CON", 1}, Slot}))};
    trigger(w, "mnuFileOpen");
    trigger(w, "mnuFileOpen");
    EXPECT_EQ(prompter.texts(), (Texts{"GRP File (*.GRP)|*.GRP",
                                       "The File " + files.file("NONE.GRP") + " does not exist.",
                                       "GRP File (*.GRP)|*.GRP"}));
    EXPECT_EQ(w->OpenDialog.title, "Open");
    EXPECT_EQ(listed(w), (Texts{"A.CON 10 96", "B.ART 20 111", "C.CON 1 131"}));
    EXPECT_EQ(tree(w), (Texts{"CON /A.CON /C.CON", "ART /B.ART"}));
    EXPECT_EQ(panels(w), "Finished|Signature: KenSilverman|Filecount: 3");
    EXPECT_EQ(w->windowTitle().toStdString(), "Tessel Group File Explorer - " + files.file("T.GRP"));
    // Close Group File resets the window (what the view becomes: GrpCommandsTest).
    trigger(w, "Close1");
    EXPECT_EQ(w->windowTitle(), "Veska' pl1 maker - (No File Loaded)");
    EXPECT_TRUE(listed(w).empty() && tree(w).empty() && prompter.shown.size() == 3);
}

TEST_F(GRPExpTest, TheShellsPendingArchiveOpensOnFirstActivation)
{
    const QString caption = "Tessel Group File Explorer - No File Loaded";
    auto* gone = dynamic_cast<TfrmGRPExp*>(form->NewExplorerWindow(caption, files.file("GONE.GRP")));
    EXPECT_EQ(prompter.texts(), Texts{"The file does not exist."});
    EXPECT_EQ(gone->windowTitle(), caption);
    auto* w = dynamic_cast<TfrmGRPExp*>(form->NewExplorerWindow(caption, files.write("T.GRP", Grp({A}))));
    EXPECT_EQ(listed(w), Texts{"A.CON 10 32"});
    // A new window of its own menu starts empty, captioned with parentheses.
    trigger(w, "NewGroupFileWindow1");
    auto* other = static_cast<TfrmGRPExp*>(Area()->activeSubWindow()->widget());
    EXPECT_EQ(other->windowTitle(), "Tessel Group File Explorer - (No File Loaded)");
    EXPECT_TRUE(listed(other).empty());
    trigger(other, "NewConWindow1");
    EXPECT_EQ(Area()->activeSubWindow()->widget()->windowTitle(), "VurAvozid - Unnamed");
}

TEST_F(GRPExpTest, AddFillsASlotOrAsksForReservedSpace)
{
    TfrmGRPExp* w = newWindow(files.write("T.GRP", Grp({A, Slot})));
    prompter.files = {files.write("NEW.CON", "new data")};
    trigger(w, "mnuItemsAdd");
    EXPECT_EQ(prompter.shown.back().caption, "File To Add");
    EXPECT_EQ(listed(w), (Texts{"A.CON 10 48", "NEW.CON 8 58"}));

    // No slot left: the dialog opens with the archive's size; the file stays out either way.
    prompter.clear();
    const std::string full = files.read("T.GRP");
    prompter.files = {files.write("X.CON", "x"), files.file("X.CON")};
    moveMainWindowAside();
    onDialog([&](QWidget* d) {
        EXPECT_TRUE(centred(d));
        EXPECT_NE(d->findChild<QLabel*>("Label4")->text().indexOf(QString(" %1 bytes").arg(full.size())), -1);
        EXPECT_EQ(d->findChild<QSpinBox*>("spnReservedSpaces")->value(), 25);
        click(d, "btnCancel");
    });
    trigger(w, "mnuAddItem");
    EXPECT_EQ(files.read("T.GRP"), full);
    onDialog([](QWidget* d) {
        d->findChild<QSpinBox*>("spnReservedSpaces")->setValue(2);
        click(d, "BitBtn1");
    });
    key(Qt::Key_F2);
    EXPECT_EQ(files.read("T.GRP"), Grp({A, {"NEW.CON", 8, "new data"}, Slot, Slot}));
    EXPECT_EQ(listed(w), (Texts{"A.CON 10 80", "NEW.CON 8 90"}));
    // The spin edit keeps the last number; a later showing is centred with its size as the first.
    onDialog([](QWidget* d) {
        EXPECT_TRUE(centred(d));
        EXPECT_EQ(d->findChild<QSpinBox*>("spnReservedSpaces")->value(), 2);
        d->close();   // the close box: nothing
    });
    trigger(w, "mnuItemsCRes");
}

TEST_F(GRPExpTest, ExtractAsksBeforeOverwriting)
{
    TfrmGRPExp* w = newWindow(files.write("T.GRP", Grp({A, B})));
    trigger(w, "mnuItemsExtract");
    EXPECT_EQ(prompter.texts().back(), "There is nothing selected in the list.");
    selectRow(w, 1);
    prompter.files.push_back(files.write("out", "mine"));
    prompter.answers.push_back(MsgResult::Yes);
    trigger(w, "popExtract");
    EXPECT_EQ(w->SaveDialog.title + "|" + w->SaveDialog.filter, "Extract to...|All Files (*.*)|*.*");
    EXPECT_EQ(files.read("out"), std::string(20, 'B'));
    selectNode(w, 0, 0);
    prompter.files.push_back(files.file("a"));
    trigger(w, "mnuTreeExtract");
    EXPECT_EQ(files.read("a"), std::string(10, 'A'));
}

TEST_F(GRPExpTest, DeleteFromTheListMarksEveryEntryOfTheNameFromTheTreeTheFirst)
{
    const Entry dup{"DUP.CON", 3};
    TfrmGRPExp* w = newWindow(files.write("T.GRP", Grp({A, dup, dup, B})));
    selectRow(w, 1);
    trigger(w, "popDelete");
    EXPECT_EQ(listed(w), (Texts{"A.CON 10 80", "DUP.CON 3 93", "B.ART 20 96"}));

    files.write("T.GRP", Grp({A, dup, dup, B}));
    trigger(w, "mnuItemsUpdate");
    selectNode(w, 0, 1);
    trigger(w, "mnuTreeDelete");
    selectNode(w, 1, 0);
    key(Qt::Key_Delete);   // the list has no selection
    EXPECT_EQ(prompter.texts(), (Texts{"GRP File (*.GRP)|*.GRP", "Nothing selected in the list."}));
    trigger(w, "mnuTreeDelete");
    EXPECT_EQ(tree(w), (Texts{"CON /A.CON /DUP.CON"}));
    // No other row takes the deleted one's place in the selection: a second Del does nothing.
    auto* list = w->findChild<QTableView*>("ListView1");
    list->setFocus();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(1, 0)).center());
    key(Qt::Key_Delete);
    QCoreApplication::processEvents();
    EXPECT_FALSE(list->selectionModel()->hasSelection());
}

TEST_F(GRPExpTest, TheTreeOptionIsWrittenInvertedAndTakesEffectAtTheNextLoad)
{
    TfrmGRPExp* w = newWindow(files.write("T.GRP", Grp({A, B})));
    for (const bool off : {true, false}) {
        SCOPED_TRACE(off ? "disabled" : "enabled");
        onDialog([off](QWidget* d) {
            d->findChild<QCheckBox*>("chkDisableTreeList")->setChecked(off);
            click(d, "btnDone");
        });
        trigger(w, "mnuViewOptions");
        EXPECT_EQ(state->explorer.TreeListDisabled, off);
        EXPECT_EQ(state->session.Settings().ReadString("GroupFileExplorer", "TreeListEnable", ""), off ? "1" : "0");
        EXPECT_EQ(tree(w).size(), off ? 2u : 0u);   // until the next load
        trigger(w, "mnuTreeUpdate");
        EXPECT_EQ(tree(w).size(), off ? 0u : 2u);
    }
    state->explorer.TreeListDisabled = true;
    prompter.clear();
    trigger(w, "mnuTreeDelete");
    trigger(w, "mnuTreeExtract");
    EXPECT_EQ(prompter.texts(), Texts(2, "You disabled the treelist, so you cannot operate it..."));
}

TEST_F(GRPExpTest, ItsMenusAndKeysReplaceTheMainOnesWhileItIsCurrent)
{
    const Texts main = menuBar();
    QSignalSpy copies(form->Action(Cmd::EditCopy), &QAction::triggered);
    QSignalSpy repeats(form->Action(Cmd::EditRepeatSearch), &QAction::triggered);
    form->Action(Cmd::EditRepeatSearch)->setEnabled(true);
    auto* editor = dynamic_cast<FakeDocument*>(form->NewEditorWindow("VurAvozid - Unnamed1"));
    TfrmGRPExp* w = newWindow();
    EXPECT_EQ(menuBar(), (Texts{"&File", "&Items", "&View"}));
    for (const auto k : {Qt::Key_F2, Qt::Key_F3, Qt::Key_Delete})
        key(k);
    key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(prompter.texts(), (Texts{"There is no archive open.", "There is no archive open.",
                                       "There is no archive open.", "No File Loaded"}));
    EXPECT_EQ(copies.count() + repeats.count(), 0);

    Area()->setActiveSubWindow(static_cast<QMdiSubWindow*>(editor->parentWidget()));
    EXPECT_EQ(menuBar(), main);
    key(Qt::Key_F3);   // the main window's Repeat Search again
    EXPECT_EQ(repeats.count(), 1);
    EXPECT_EQ(prompter.texts().back(), "No search string was entered before.");

    Area()->setActiveSubWindow(static_cast<QMdiSubWindow*>(w->parentWidget()));
    trigger(w, "mnuFileExit");
    QTest::qWait(0);
    EXPECT_EQ(menuBar(), main);
    EXPECT_EQ(Area()->subWindowList().size(), 1);
}

TEST_F(GRPExpTest, DroppedFilesAreAddedInTurnUntilTheSlotsRunOut)
{
    TfrmGRPExp* w = newWindow(files.write("T.GRP", Grp({A, Slot, Slot})));
    Texts dropped;
    for (const char* name : {"A.CON", "X.CON", "Y.CON", "Z.CON"})
        dropped.push_back(files.write(name, name));
    onDialog([](QWidget* d) { click(d, "btnCancel"); });
    ASSERT_TRUE(DropFiles(w, dropped));
    EXPECT_EQ(listed(w), (Texts{"A.CON 10 64", "X.CON 5 74", "Y.CON 5 79"}));
    EXPECT_EQ(prompter.texts(), (Texts{"GRP File (*.GRP)|*.GRP",
                                       "There is already a file with the same name in the archive",
                                       "There is no reserved space in the group file, please add some."}));
}

// Another program adds C.CON while the list is shown: the explorer's next
// write reads the archive again instead, says so, and then finds the name.
TEST_F(GRPExpTest, AListOlderThanTheArchiveIsReadAgainBeforeAnythingIsWritten)
{
    const std::string archive = files.write("T.GRP", Grp({A, Slot, Slot, Slot}));
    TfrmGRPExp* w = newWindow(archive);
    Area()->setActiveSubWindow(nullptr);   // not where the user looks: told at the write
    prompter.clear();
    ASSERT_EQ(QProcess::execute(TESSEL_BIN_DIR "/tessel-grp", {"add", QString::fromStdString(archive),
                                                               QString::fromStdString(files.write("C.CON", "one"))}),
              0);
    const std::string added = files.read("T.GRP");
    TempDir other;
    prompter.files = {other.write("C.CON", "two"), other.file("C.CON")};
    trigger(w, "mnuItemsAdd");
    trigger(w, "mnuItemsAdd");
    EXPECT_EQ(files.read("T.GRP"), added);
    EXPECT_EQ(listed(w), (Texts{"A.CON 10 80", "C.CON 3 90"}));
    EXPECT_EQ(prompter.texts(), (Texts{"All Files (*.*)|*.*",
                                       "The archive was changed by another program, so its list was read again. "
                                       "Nothing was changed; please check the list and try again.",
                                       "All Files (*.*)|*.*", "There is already a file with the same name in the archive"}));

    // Where the user looks, the list follows the archive at once.
    Area()->setActiveSubWindow(Area()->subWindowList()[0]);
    QApplication::setActiveWindow(form.get());
    ASSERT_EQ(QProcess::execute(TESSEL_BIN_DIR "/tessel-grp", {"rm", QString::fromStdString(archive), "A.CON"}), 0);
    QTRY_COMPARE(listed(w), Texts{"C.CON 3 90"});
    EXPECT_EQ(panels(w), "The archive was changed by another program; its list was read again.|Signature: "
                         "KenSilverman|Filecount: 1");
}

// The program ignores the signal of a file-size limit: the rebuild fails as on a full disk.
TEST_F(GRPExpTest, AFileSizeLimitFailsADefragmentWithoutLeavingItsCopy)
{
    const std::string bytes = Grp({A, {Del, 7}, B, Slot});
    TfrmGRPExp* w = newWindow(files.write("T.GRP", bytes));
    rlimit old{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    rlimit small = old;
    small.rlim_cur = 60;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    prompter.answers = {MsgResult::Yes};
    trigger(w, "mnuItemsDefrag");
    ::setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_EQ(prompter.texts().back(), "Disk full");
    EXPECT_EQ(files.read("T.GRP"), bytes);
    EXPECT_EQ(ListFiles(files.path()), Texts{"T.GRP"});
}

// Which bytes each rebuild writes is GrpCommandsTest's; here, that each menu
// command runs its own with the dialog's number, and the list shows the result.
TEST_F(GRPExpTest, EachRebuildCommandWritesItsArchiveAndListsItAgain)
{
    const bool asks = true, dialog = false;   // a question first, or the reserved-space dialog
    const struct { const char* action; bool asks; std::vector<Entry> after; Texts listed; } cases[] = {
        {"mnuItemsDefrag", asks, {A, B, Slot, Slot}, {"A.CON 10 80", "B.ART 20 90"}},
        {"mnuItemsCRes", dialog, {A, B, Slot, Slot, Slot, Slot, Slot}, {"A.CON 10 128", "B.ART 20 138"}},
        {"mnuItemsEraseRes", asks, {A, B}, {"A.CON 10 48", "B.ART 20 58"}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.action);
        TfrmGRPExp* w = newWindow(files.write("W.GRP", Grp({A, {Del, 7}, B, Slot, Slot})));
        if (c.asks)
            prompter.answers.push_back(MsgResult::Yes);
        else
            onDialog([](QWidget* d) {
                d->findChild<QSpinBox*>("spnReservedSpaces")->setValue(3);
                click(d, "BitBtn1");
            });
        trigger(w, c.action);
        EXPECT_EQ(files.read("W.GRP"), Grp(c.after));
        EXPECT_EQ(listed(w), c.listed);
        EXPECT_TRUE(w->findChild<QWidget*>("ProgressBar")->isHidden());
    }
}

} // namespace
} // namespace tessel
