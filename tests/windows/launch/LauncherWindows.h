#pragma once
// The launcher windows as the program makes them, for window tests: the
// program in a folder of the test's own (its settings file written first when
// asked), a directory chooser that answers from a queue, and fake editor windows.
#include <unistd.h>

#include <QAbstractButton>
#include <QLineEdit>

#include "launch/LaunchTestSupport.h"
#include "support/ProgramFixture.h"
#include "windows/launch/StartDuke.h"
#include "windows/launch/StartQuake.h"

namespace tessel::test {

class LauncherWindowsTest : public ProgramFixture {
protected:
    LauncherWindowsTest()
    {
        fakeEditors = true;
        // The language files of the program folder, so that the start says nothing.
        WriteLanguageFiles();
    }
    ~LauncherWindowsTest() override { form.reset(); }   // before the chooser it uses

    // Starts the program with this settings file (none when empty).
    void start(const std::string& ini = std::string())
    {
        Start(ini);
        Bind();
    }
    // A first start with this settings file (none when empty).
    void startAfresh(const std::string& ini)
    {
        form.reset();
        ::unlink(dir.file("QztMain.ini").c_str());
        start(ini);
    }
    // Ends the program (the launchers write their options) and starts it again.
    void restart()
    {
        Restart();
        Bind();
    }

    template <class T = QWidget> T* control(QWidget* window, const char* name)
    {
        T* found = window->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    void click(QWidget* window, const char* name) { control<QAbstractButton>(window, name)->click(); }
    void run(QWidget* launcher) { QTest::mouseClick(control(launcher, "btnRun"), Qt::LeftButton); }
    std::string text(QWidget* window, const char* name)
    {
        return FromQString(control<QLineEdit>(window, name)->text());
    }
    bool enabled(QWidget* window, const char* name) { return control(window, name)->isEnabledTo(window); }
    QAction* action(Cmd id) { return form->Action(id); }

    FakeChooser chooser;
    TfrmQuakeStart* quake = nullptr;
    TfrmDukeStart* duke = nullptr;

private:
    void Bind()
    {
        quake = dynamic_cast<TfrmQuakeStart*>(form->Tools().quake);
        duke = dynamic_cast<TfrmDukeStart*>(form->Tools().duke);
        form->Tools().chooser = &chooser;
    }
};

} // namespace tessel::test
