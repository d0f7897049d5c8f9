#pragma once
// The launcher windows as the program makes them at start-up, for window
// tests: a main window in a program folder of the test's own (its settings
// file written first when asked), the Quake and Duke launchers in their order,
// a directory chooser that answers from a queue, and editor windows that only
// record the files they are asked to load.
#include <unistd.h>

#include <QAbstractButton>
#include <QAction>
#include <QLineEdit>
#include <QWidget>
#include <string>
#include <vector>

#include "launch/LaunchTestSupport.h"
#include "launch/StartDuke.h"
#include "launch/StartQuake.h"
#include "shell/DocumentWindow.h"
#include "shell/QtPaths.h"
#include "support/ProgramFixture.h"

namespace tessel::test {

// What an editor window was asked to do: its caption with each file it loaded,
// and how many brace tests it ran.
struct EditorLog {
    std::vector<std::string> loads;   // "caption: file"
    int braceTests = 0;
};

class FakeEditor : public QWidget, public DocumentWindow {
public:
    explicit FakeEditor(EditorLog& log) : log_(log) {}
    void FormActivate() override
    {
        if (EditorRequests.LoadRequest)
            log_.loads.push_back(FromQString(windowTitle()) + ": " + PendingFileName);
        log_.braceTests += EditorRequests.TestErrorsRequest;
        EditorRequests.LoadRequest = EditorRequests.TestErrorsRequest = false;
    }

private:
    EditorLog& log_;
};

class LauncherWindowsTest : public ProgramFixture {
protected:
    ~LauncherWindowsTest() override { form.reset(); }   // before the chooser and the log it uses

    // Starts the program with this settings file (none when empty).
    void start(const std::string& ini = std::string())
    {
        if (!ini.empty())
            dir.write("QztMain.ini", ini);
        // The language files of the program folder, so that the start says nothing.
        for (const char* name : {"CNFcs.qcf", "QCFcs.qcf", "VGFcs.qcf"})
            dir.write(name, "{actor,3}\r\n");
        dir.write("cnfcs.ccf", "/actor;<tile>\\\r\n");
        form = std::make_unique<TMainForm>(prompter, dir.path());
        form->setEditorFactory([this](TMainForm&) -> QWidget* { return new FakeEditor(editors); });
        quake = new TfrmQuakeStart(*form, prompter);
        form->AddToolWindow(quake);
        duke = new TfrmDukeStart(*form, prompter);
        form->AddToolWindow(duke);
        form->launchers.chooser = &chooser;
    }
    // A first start with this settings file (none when empty).
    void startAfresh(const std::string& ini)
    {
        form.reset();
        ::unlink(dir.file("QztMain.ini").c_str());
        ResetGlobals();
        start(ini);
    }
    // Ends the program (the launchers write their options) and starts it again.
    void restart()
    {
        form.reset();
        ResetGlobals();
        start();
    }

    template <class T = QWidget> T* control(QWidget* window, const char* name)
    {
        T* found = window->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    void click(QWidget* window, const char* name) { control<QAbstractButton>(window, name)->click(); }
    std::string text(QWidget* window, const char* name)
    {
        return FromQString(control<QLineEdit>(window, name)->text());
    }
    bool enabled(QWidget* window, const char* name) { return control(window, name)->isEnabledTo(window); }
    QAction* action(Cmd id) { return form->action(id); }

    CurrentFolderGuard folder;
    FakeChooser chooser;
    EditorLog editors;
    TfrmQuakeStart* quake = nullptr;
    TfrmDukeStart* duke = nullptr;
};

} // namespace tessel::test
