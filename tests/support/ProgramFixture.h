#pragma once
// The ground of every window test: a program folder of the test's own, a
// scripted prompter, and the program as main() makes it (the application
// state, the main window and its windows, built by the same function), driven
// through menus, keys and buttons. Editor windows may be replaced by a
// document that carries out the requests with the real editing behaviour over
// a plain buffer, recording what it loads and saves.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QTest>
#include <QToolBar>
#include <QUrl>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/ProgramState.h"
#include "app/ProgramWindows.h"
#include "editor/EditOps.h"
#include "mainwindow/Main.h"
#include "support/FakeEditBuffer.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"
#include "ui/DocumentWindow.h"
#include "ui/QtPaths.h"

namespace tessel {

using Lines = std::vector<std::string>;

// A document window over a FakeEditBuffer: it carries out the requests it is
// handed as an editor does; it notes "load N" and "save N".
class FakeDocument : public QWidget, public DocumentWindow, public EditorHooks {
public:
    FakeDocument(Shell& shell, const ProgramState& state) : shell_(shell), state_(state) {}

    void FormActivate() override
    {
        EditorRequests none;
        TakeRequests(none);
    }
    void TakeRequests(EditorRequests& requests) override
    {
        if (onActivate)
            onActivate();
        shell_.SetEditorCommandsEnabled(true);
        shell_.SetStatusText(1, buffer.Modified() ? "Modified" : "");
        const EditContext context{state_.language.KeywordTable, state_.editor.NoColoring, state_.editor.AutoIndent};
        CarryOutRequests(buffer, requests, context, *this, shell_.Prompts());
    }
    std::string FileName() const override { return fileName; }
    bool Modified() const override { return buffer.Modified(); }
    bool TakesEditorRequests() const override { return true; }

    bool LoadDocument(const std::string& name) override
    {
        requests.push_back("load " + name);
        fileName = name;
        return true;
    }
    bool SaveDocument(const std::string& name) override
    {
        requests.push_back("save " + name);
        if (failSave) {
            shell_.Prompts().ShowError("Cannot create file " + name);
            return false;
        }
        fileName = name;
        buffer.SetModified(false);
        shell_.SetStatusText(1, "");
        return true;
    }

    FakeEditBuffer buffer;
    std::string fileName;
    Lines requests;
    bool failSave = false;               // a failed write leaves the window modified
    std::function<void()> onActivate;    // looks at the screen as a request arrives

private:
    Shell& shell_;
    const ProgramState& state_;
};

class ProgramFixture : public ::testing::Test {
protected:
    // Small language files: the Duke, Quake and Verge keyword tables (one
    // keyword each unless given) and the wizard's entries.
    void WriteLanguageFiles(const std::string& duke = "{actor,3}\r\n", const std::string& quake = "{actor,3}\r\n",
                            const std::string& verge = "{actor,3}\r\n",
                            const std::string& wizard = "/actor;<tile>\\\r\n/ifrnd;<chance>\\\r\n/move;\\\r\n")
    {
        dir.write("CNFcs.qcf", duke);
        dir.write("QCFcs.qcf", quake);
        dir.write("VGFcs.qcf", verge);
        dir.write("cnfcs.ccf", wizard);
    }
    // Starts the program on the program folder (its settings file written
    // first when ini is given), with FakeDocument editors when fakeEditors;
    // bare, the main window alone, with none of the program's other windows.
    void Start(const std::string& ini = std::string(), bool bare = false)
    {
        if (!ini.empty())
            dir.write("QztMain.ini", ini);
        // The copies of unsaved texts stay in the test's folder.
        qputenv("XDG_STATE_HOME", QByteArray::fromStdString(dir.file("state")));
        state = std::make_unique<ProgramState>(dir.path());
        form = std::make_unique<TMainForm>(state->ForMainWindow(), prompter);
        if (bare) {
            form->show();
            return;
        }
        ProgramWindowOptions options;
        options.splash = false;
        options.files = commandLineFiles;
        options.instanceProblem = instanceProblem;
        if (fakeEditors)
            options.newEditor = [this]() -> QWidget* { return new FakeDocument(*form, *state); };
        BuildProgramWindows(*form, *state, options);
        form->show();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }
    void StartBare(const std::string& ini = std::string()) { Start(ini, true); }
    // The start of most shell tests: the small language files, FakeDocument editors.
    void StartWithFakeEditors(const std::string& ini = std::string())
    {
        fakeEditors = true;
        WriteLanguageFiles();
        Start(ini);
    }
    // Closes the main window as File > Exit does (the settings are written
    // then), and ends the program.
    void Exit()
    {
        ASSERT_TRUE(form->close());
        form.reset();
    }
    // Exits and starts again on the same folder.
    void Restart()
    {
        Exit();
        Start();
    }
    // Starts again on the same folder after the program ended without closing
    // (a kill): nothing was asked and nothing written.
    void RestartAfterKill()
    {
        form.reset();
        Start();
    }

    QAction* Action(const char* name) { return form->findChild<QAction*>(name); }
    template <class T = QWidget> T* Control(const char* name) { return form->findChild<T*>(name); }
    void Trigger(const char* name)
    {
        Action(name)->trigger();
        QCoreApplication::processEvents();
    }
    void ClickTool(const char* name)
    {
        for (QToolBar* bar : form->findChildren<QToolBar*>())
            if (QWidget* button = bar->widgetForAction(Action(name)))
                return QTest::mouseClick(button, Qt::LeftButton);
        ADD_FAILURE() << "no tool button " << name;
    }
    void Press(const char* keys)
    {
        QWidget* focus = QApplication::focusWidget();
        QTest::keySequence(focus ? focus : form.get(), QKeySequence(keys));
    }
    // Ctrl+O, the file dialog answered with path.
    void OpenFile(const std::string& path)
    {
        prompter.files.push_back(path);
        Press("Ctrl+O");
        QCoreApplication::processEvents();
    }
    // Drags the files onto target and drops them, as a file manager does (the
    // names' own bytes, whatever their encoding); whether both events were taken.
    static bool DropFiles(QWidget* target, const Lines& paths)
    {
        QMimeData data;
        QList<QUrl> urls;
        for (const std::string& path : paths)
            urls << QUrl::fromEncoded("file://" + QByteArray::fromStdString(path).toPercentEncoding("/"));
        data.setUrls(urls);
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        QDropEvent drop(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &drop);
        QCoreApplication::processEvents();
        return enter.isAccepted() && drop.isAccepted();
    }
    QMdiArea* Area() const { return qobject_cast<QMdiArea*>(form->centralWidget()); }
    QWidget* ActiveWidget() const
    {
        QMdiSubWindow* w = Area()->currentSubWindow();
        return w ? w->widget() : nullptr;
    }
    template <class T = FakeDocument> T* Active() const { return dynamic_cast<T*>(ActiveWidget()); }
    template <class T = FakeDocument> std::vector<T*> Documents() const
    {
        std::vector<T*> out;
        for (QMdiSubWindow* w : Area()->subWindowList())
            out.push_back(dynamic_cast<T*>(w->widget()));
        return out;
    }
    Lines Captions() const
    {
        Lines out;
        for (QMdiSubWindow* w : Area()->subWindowList())
            out.push_back(FromQString(w->widget()->windowTitle()));
        return out;
    }
    Lines RecentMenu()
    {
        Lines out;
        for (const char* name : {"mnuFileRecent1", "mnuFileRecent2", "mnuFileRecent3", "mnuFileRecent4"})
            if (Action(name)->isVisible())
                out.push_back(FromQString(Action(name)->text()));
        return out;
    }
    // The windows closed so far are gone.
    int WindowCount()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return static_cast<int>(Area()->subWindowList().size());
    }

    TempDir dir;   // the program folder
    ScriptedPrompter prompter;
    bool fakeEditors = false;      // set before Start
    Lines commandLineFiles;        // set before Start
    std::string instanceProblem;   // set before Start
    std::unique_ptr<ProgramState> state;
    std::unique_ptr<TMainForm> form;   // last: it ends before what it uses
};

} // namespace tessel
