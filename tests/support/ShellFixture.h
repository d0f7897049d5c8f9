#pragma once
// The main window for the window tests of the shell's commands: a temporary
// program folder with small language files, the start-up dialogs, and an
// editor factory that makes document windows recording every request the main
// window hands them. Tests drive it through menu entries, shortcuts and tool
// buttons.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Errors.h"
#include "shell/Commands.h"
#include "shell/DocumentWindow.h"
#include "shell/Globals.h"
#include "shell/Main.h"
#include "shell/QtPaths.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

namespace tessel {

// Takes up the requests as an editor window does, in its order, and notes each
// as a line: "load NAME", "save NAME", "replace FIND>WITH at POSITION [all]",
// "insert TEXT", "goto LINE", "find TEXT at POSITION", with " options N" when
// the option byte is not 0. A search or replacement looks in text, so that
// Position moves as the editor would move it.
class FakeDocument : public QWidget, public DocumentWindow {
public:
    explicit FakeDocument(TMainForm& main) : main_(main) {}

    void FormActivate() override
    {
        ++activations;
        if (onActivate)
            onActivate();
        main_.SetStatusText(0, "Ready");
        main_.SetEditorCommandsEnabled(true);
        main_.SetStatusText(1, modified ? "Modified" : "");
        EditorRequestsType& r = EditorRequests;
        const std::string options = r.SearchOptions ? " options " + std::to_string(r.SearchOptions) : "";
        if (r.LoadRequest) {
            r.LoadRequest = false;
            note("load " + PendingFileName);
            modified = false;
            main_.SetStatusText(1, "");
        }
        if (r.SaveRequest) {
            r.SaveRequest = false;
            note("save " + PendingFileName);
            if (failSave)
                throw IoError("Cannot create file " + PendingFileName, 13);
            modified = false;
            main_.SetStatusText(1, "");
        }
        UserReplaceTextType& replace = r.UserReplaceText;
        if (replace.Go) {
            replace.Go = false;
            note("replace " + replace.FindText + ">" + replace.ReplaceText + " at " +
                 std::to_string(replace.Position) + (replace.All ? " all" : "") + options);
            if (replace.All)
                replace.Position = -1;
        }
        if (!r.WizardInsertText.empty()) {
            note("insert " + r.WizardInsertText);
            r.WizardInsertText.clear();
        }
        if (r.GotoLineRequest >= 0) {
            note("goto " + std::to_string(r.GotoLineRequest));
            r.GotoLineRequest = -1;
        }
        UserFndTextType& find = r.UserFndText;
        if (find.Go) {
            find.Go = false;
            note("find " + find.Text + " at " + std::to_string(find.Position) + options);
            const std::size_t h = text.find(find.Text, static_cast<std::size_t>(std::max(find.Position, 0)));
            if (h != std::string::npos)
                find.Position = static_cast<int>(h);
        }
    }

    std::string caption() const { return FromQString(windowTitle()); }

    std::vector<std::string> requests;
    std::string text;
    int activations = 0;
    std::function<void()> onActivate;   // runs first, to look at the window around it
    bool modified = false;
    bool failSave = false;   // a write that fails leaves the window modified

private:
    void note(const std::string& line) { requests.push_back(line); }
    TMainForm& main_;
};

class ShellFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetGlobals();
        dir.write("CNFcs.qcf", "{actor,3}\r\n");
        dir.write("QCFcs.qcf", "{void,1}\r\n");
        dir.write("VGFcs.qcf", "{int,3}\r\n");
        dir.write("cnfcs.ccf", "/actor;<tile>\\\r\n/ifrnd;<chance>\\\r\n/move;\\\r\n");
    }
    void TearDown() override
    {
        form.reset();
        ResetGlobals();
    }

    void start(const std::string& ini = std::string())
    {
        if (!ini.empty())
            dir.write("QztMain.ini", ini);
        form = std::make_unique<TMainForm>(prompter, dir.path());
        CreateSearchDialogs(*form);
        form->setEditorFactory([](TMainForm& main) { return new FakeDocument(main); });
        form->show();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }
    // Exits as the user does, then starts again on the same program folder.
    void restart()
    {
        form.reset();
        ResetGlobals();
        start();
    }

    QAction* action(const char* name) { return form->findChild<QAction*>(name); }
    template <class T = QWidget> T* control(const char* name) { return form->findChild<T*>(name); }
    // Clicks the tool button of a tool bar action.
    void clickTool(const char* name)
    {
        QAction* a = action(name);
        ASSERT_NE(a, nullptr) << name;
        for (QToolBar* bar : form->findChildren<QToolBar*>())
            if (auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(a))) {
                QTest::mouseClick(button, Qt::LeftButton);
                return;
            }
        ADD_FAILURE() << "no tool button " << name;
    }
    void press(const QKeySequence& keys) { QTest::keySequence(QApplication::focusWidget() ? QApplication::focusWidget() : form.get(), keys); }

    // The document windows in window-list order.
    std::vector<FakeDocument*> documents() const
    {
        std::vector<FakeDocument*> out;
        for (QMdiSubWindow* w : form->MdiArea()->subWindowList())
            out.push_back(dynamic_cast<FakeDocument*>(w->widget()));
        return out;
    }
    std::vector<std::string> captions() const
    {
        std::vector<std::string> out;
        for (FakeDocument* d : documents())
            out.push_back(d ? d->caption() : "(not an editor)");
        return out;
    }
    FakeDocument* active() const { return dynamic_cast<FakeDocument*>(form->ActiveDocumentWidget()); }
    std::vector<std::string> recentMenu()
    {
        std::vector<std::string> out;
        for (const char* name : {"mnuFileRecent1", "mnuFileRecent2", "mnuFileRecent3", "mnuFileRecent4"})
            if (action(name)->isVisible())
                out.push_back(FromQString(action(name)->text()));
        return out;
    }

    TempDir dir;
    ScriptedPrompter prompter;
    std::unique_ptr<TMainForm> form;
};

} // namespace tessel
