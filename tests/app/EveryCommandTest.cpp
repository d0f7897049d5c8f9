// Every command of the main window in every state a user can leave it in (no
// document, an editor, an explorer), and random input over them: nothing may
// crash or throw past the event loop, whatever the answers to the questions.
#include <QMenu>
#include <QTimer>
#include <cstdlib>
#include <random>
#include <set>

#include "grp/GrpFormat.h"
#include "grp/GrpOperations.h"
#include "mainwindow/Commands.h"
#include "platform/Files.h"
#include "support/ProgramFixture.h"

namespace tessel {
namespace {

// Blocking dialogs that a command opens are closed as soon as they show.
class EveryCommandTest : public ProgramFixture {
protected:
    void SetUp() override
    {
        const std::string keyword = "{define,3}\r\n";
        WriteLanguageFiles(keyword, keyword, keyword, "/define;<name>\\\r\n");
        QObject::connect(&closer, &QTimer::timeout, [] {
            if (QWidget* modal = QApplication::activeModalWidget())
                modal->close();
        });
        closer.start(5);
    }

    QTimer closer;
};

TEST_F(EveryCommandTest, EveryCommandInEveryStateKeepsTheProgramRunningWhateverTheAnswers)
{
    for (const bool yes : {false, true}) {
        SCOPED_TRACE(yes ? "every answer Yes" : "every answer No");
        form.reset();
        prompter.answerEverything = yes;
        prompter.answerFile = dir.file("chosen.con");
        Start();
        const std::string script = dir.write("a.con", "define X 1\r\n{ } }\r\n");
        const std::string archive = dir.write("a.grp", std::string("KenSilverman\x01\0\0\0", 16) +
                                                           std::string("A.TXT\0\0\0\0\0\0\0\x02\0\0\0", 16) + "hi");
        for (int state = 0; state < 3; ++state) {
            SCOPED_TRACE(state == 0 ? "no document" : state == 1 ? "an editor" : "an explorer");
            if (state > 0)
                OpenDocument(*form, state == 1 ? script : archive);
            for (int id = 0; id < static_cast<int>(Cmd::Count); ++id) {
                QAction* action = form->Action(static_cast<Cmd>(id));
                if (id == static_cast<int>(Cmd::FileExit) || !action->isEnabled())
                    continue;
                action->trigger();
                QCoreApplication::processEvents();
            }
        }
        EXPECT_FALSE(prompter.shown.empty());
        prompter.clear();
    }
}

// A few thousand random keys, clicks and menu picks over an editor and an
// explorer on throwaway files, seeded (TESSEL_SEED replays another run):
// nothing may crash or hang, and the archive stays whole, each name once.
TEST_F(EveryCommandTest, RandomInputKeepsTheProgramRunningAndTheArchiveWhole)
{
    const char* seedText = std::getenv("TESSEL_SEED");
    const unsigned seed = seedText ? static_cast<unsigned>(std::strtoul(seedText, nullptr, 10)) : 2024;
    SCOPED_TRACE("TESSEL_SEED=" + std::to_string(seed));
    std::mt19937 random(seed);
    const auto pick = [&random](std::size_t n) { return static_cast<std::size_t>(random() % n); };

    TempDir files;
    const std::vector<std::string> names = {files.write("A.CON", "define A 1\r\n{ }\r\n"),
                                            files.write("b.qc", "void() b = {};\n"), files.write("C.TXT", ""),
                                            files.file("new.con"), files.file("D")};
    const std::string archive = files.file("T.GRP");
    PackArchive(archive, "RANDOM", {{"A.CON", names[0]}, {"B.QC", names[1]}}, 40);
    Start();
    const std::set<QString> excluded = {"FileExitItem", "mnuDukeLaunch", "mnuDukeBuild", "mnuQuakeLaunch",
                                        "mnuQuakeCompile", "mnuQuakeMapEd", "tlLaunchDuke", "tlLaunchQuake"};
    const std::vector<QKeyCombination> keys = {
        Qt::Key_A, Qt::Key_Z, Qt::Key_BraceLeft, Qt::Key_BraceRight, Qt::Key_Space, Qt::Key_Return,
        Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Tab, Qt::Key_Left, Qt::Key_Down, Qt::Key_End, Qt::Key_Escape,
        Qt::Key_F2, Qt::Key_F3, Qt::CTRL | Qt::Key_Z, Qt::CTRL | Qt::Key_A, Qt::CTRL | Qt::Key_I,
        Qt::CTRL | Qt::Key_S, Qt::CTRL | Qt::Key_N, Qt::CTRL | Qt::Key_O, Qt::CTRL | Qt::Key_V,
        Qt::CTRL | Qt::Key_X, Qt::CTRL | Qt::ALT | Qt::Key_C};
    for (int event = 0; event < 3000; ++event) {
        if (event % 250 == 0) {
            OpenDocument(*form, names[0]);
            OpenDocument(*form, archive);
        }
        prompter.answerEverything = pick(2) == 0;
        prompter.answerFile = names[pick(names.size())];
        prompter.answers.clear();
        prompter.files.clear();
        QWidget* target = ActiveWidget() ? ActiveWidget() : form.get();
        switch (pick(3)) {
        case 0: {
            QWidget* focus = QApplication::focusWidget();
            const QKeyCombination key = keys[pick(keys.size())];
            QTest::keyClick(focus ? focus : form.get(), key.key(), key.keyboardModifiers());
            break;
        }
        case 1: {
            const QPoint at(static_cast<int>(pick(static_cast<std::size_t>(std::max(1, target->width())))),
                            static_cast<int>(pick(static_cast<std::size_t>(std::max(1, target->height())))));
            QWidget* under = target->childAt(at) ? target->childAt(at) : target;
            QTest::mouseClick(under, pick(4) == 0 ? Qt::RightButton : Qt::LeftButton, Qt::NoModifier,
                              under->mapFrom(target, at));
            break;
        }
        default: {
            std::vector<QAction*> actions;
            for (QAction* a : form->findChildren<QAction*>())
                if (!a->menu() && !a->isSeparator() && a->isEnabled() && !excluded.count(a->objectName()))
                    actions.push_back(a);
            actions[pick(actions.size())]->trigger();
            break;
        }
        }
        QCoreApplication::processEvents();
        // Outside a running loop, closed windows go only when asked to, as the loop would do now.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    prompter.answerEverything = false;   // the close questions: No
    form.reset();
    File grp(archive, File::Mode::Read);
    const GrpHeader header = ReadGrpHeader(grp);
    std::int64_t end = GrpDataStart(header.count);
    std::set<std::string> live;
    for (const GrpDirEntry& e : ReadCheckedGrpDirectory(grp, grp.Size(), header.count)) {
        end += e.size;
        if (!e.IsDeleted() && !e.IsReservedSlot()) {
            EXPECT_TRUE(live.insert(GrpNameText(e.name)).second) << GrpNameText(e.name) << " twice";
        }
    }
    EXPECT_EQ(end, grp.Size());
}

} // namespace
} // namespace tessel
