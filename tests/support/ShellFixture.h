#pragma once
// The main window for the window tests of the shell's commands: a temporary
// program folder with small language files, the start-up dialogs, and editor
// windows that record every request handed to them. Tests drive it through
// menu entries, shortcuts and tool buttons.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>
#include <QToolBar>
#include <functional>
#include <utility>

#include "platform/Errors.h"
#include "shell/Commands.h"
#include "shell/DocumentWindow.h"
#include "shell/QtPaths.h"
#include "support/ProgramFixture.h"

namespace tessel {

using Lines = std::vector<std::string>;

// Takes up the requests in an editor window's order and notes each: "load N",
// "save N", "replace F>R at P [all]", "insert T", "goto L", "find T at P", with
// " options N" for a non-zero option byte. A search moves Position to the next
// occurrence in text, as the editor would.
class FakeDocument : public QWidget, public DocumentWindow {
public:
    explicit FakeDocument(TMainForm& main) : main_(main) {}

    void FormActivate() override
    {
        if (onActivate)
            onActivate();
        main_.SetEditorCommandsEnabled(true);
        main_.SetStatusText(1, modified ? "Modified" : "");
        EditorRequestsType& r = EditorRequests;
        const std::string options = r.SearchOptions ? " options " + std::to_string(r.SearchOptions) : "";
        for (const bool save : {false, true}) {
            if (std::exchange(save ? r.SaveRequest : r.LoadRequest, false)) {
                requests.push_back((save ? "save " : "load ") + PendingFileName);
                if (save && failSave)
                    throw IoError("Cannot create file " + PendingFileName, 13);
                modified = false;
                main_.SetStatusText(1, "");
            }
        }
        UserReplaceTextType& replace = r.UserReplaceText;
        if (std::exchange(replace.Go, false))
            requests.push_back("replace " + replace.FindText + ">" + replace.ReplaceText + " at " +
                               std::to_string(replace.Position) + (replace.All ? " all" : "") + options);
        if (replace.All)
            replace.Position = -1;
        if (!r.WizardInsertText.empty())
            requests.push_back("insert " + std::exchange(r.WizardInsertText, std::string()));
        if (r.GotoLineRequest >= 0)
            requests.push_back("goto " + std::to_string(std::exchange(r.GotoLineRequest, -1)));
        UserFndTextType& find = r.UserFndText;
        if (std::exchange(find.Go, false)) {
            requests.push_back("find " + find.Text + " at " + std::to_string(find.Position) + options);
            find.Position = static_cast<int>(text.find(find.Text, static_cast<std::size_t>(find.Position)));
        }
    }

    Lines requests;
    std::string text;
    bool modified = false;
    bool failSave = false;               // a failed write leaves the window modified
    std::function<void()> onActivate;    // looks at the screen as a request arrives

private:
    TMainForm& main_;
};

class ShellFixture : public ProgramFixture {
protected:
    void SetUp() override
    {
        for (const char* name : {"CNFcs.qcf", "QCFcs.qcf", "VGFcs.qcf"})
            dir.write(name, "{actor,3}\r\n");
        dir.write("cnfcs.ccf", "/actor;<tile>\\\r\n/ifrnd;<chance>\\\r\n/move;\\\r\n");
    }
    void start()
    {
        form = std::make_unique<TMainForm>(prompter, dir.path());
        CreateSearchDialogs(*form);
        form->setEditorFactory([](TMainForm& main) { return new FakeDocument(main); });
        form->show();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }
    // Exits and starts again on the same program folder.
    void restart()
    {
        form.reset();
        ResetGlobals();
        start();
    }

    QAction* action(const char* name) { return form->findChild<QAction*>(name); }
    template <class T = QWidget> T* control(const char* name) { return form->findChild<T*>(name); }
    void clickTool(const char* name)
    {
        for (QToolBar* bar : form->findChildren<QToolBar*>())
            if (QWidget* button = bar->widgetForAction(action(name)))
                return QTest::mouseClick(button, Qt::LeftButton);
        ADD_FAILURE() << "no tool button " << name;
    }
    void press(const char* keys)
    {
        QWidget* focus = QApplication::focusWidget();
        QTest::keySequence(focus ? focus : form.get(), QKeySequence(keys));
    }

    std::vector<FakeDocument*> documents() const
    {
        std::vector<FakeDocument*> out;
        for (QMdiSubWindow* w : form->MdiArea()->subWindowList())
            out.push_back(dynamic_cast<FakeDocument*>(w->widget()));
        return out;
    }
    Lines captions() const
    {
        Lines out;
        for (QMdiSubWindow* w : form->MdiArea()->subWindowList())
            out.push_back(FromQString(w->widget()->windowTitle()));
        return out;
    }
    FakeDocument* active() const { return dynamic_cast<FakeDocument*>(form->ActiveDocumentWidget()); }
    Lines recentMenu()
    {
        Lines out;
        for (const char* name : {"mnuFileRecent1", "mnuFileRecent2", "mnuFileRecent3", "mnuFileRecent4"})
            if (action(name)->isVisible())
                out.push_back(FromQString(action(name)->text()));
        return out;
    }
};

} // namespace tessel
