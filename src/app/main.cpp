// The entry sequence: the application title, the application state and the
// prompter of the running program, the main window (whose creation reads the
// settings and loads the language files), the windows that live for the whole
// run in their order with the splash shown among them, then the event loop.
#include <QApplication>
#include <QIcon>

#include "app/ProgramWindows.h"
#include "platform/Files.h"
#include "platform/Paths.h"
#include "shell/Main.h"
#include "shell/QtPrompter.h"
#include "shell/Resources.h"
#include "shell/Workspace.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Tessel");
    tessel::UseResources();
    QApplication::setWindowIcon(QIcon(":/tessel.svg"));
    // Without a desktop session Qt knows no icon theme; use a common one if present.
    if (QIcon::themeName().isEmpty() || QIcon::themeName() == "hicolor")
        QIcon::setThemeName("Adwaita");

    tessel::Workspace state(tessel::ExecutableDir());
    if (argc > 1)
        state.CommandLineFile = argv[1][0] ? tessel::AbsolutePath(argv[1]) : std::string();
    tessel::QtPrompter prompter;
    tessel::TMainForm mainForm(state, prompter);
    tessel::BuildProgramWindows(mainForm);
    mainForm.show();
    return app.exec();
}
