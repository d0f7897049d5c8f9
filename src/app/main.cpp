// The entry sequence: the command line; a hand-over of its files to the Tessel
// that runs already on the same settings file; else the application title,
// the application state and the prompter of the running program, the main
// window (whose creation reads the settings and loads the language files), the
// windows that live for the whole run in their order with the splash shown
// among them, the command line's files, then the event loop.
#include <QApplication>
#include <QIcon>
#include <cstdio>

#include "app/ProgramState.h"
#include "app/ProgramWindows.h"
#include "app/SingleInstance.h"
#include "mainwindow/Main.h"
#include "platform/Errors.h"
#include "platform/Files.h"
#include "platform/Locations.h"
#include "session/CommandLine.h"
#include "ui/QtPrompter.h"
#include "ui/Resources.h"

int main(int argc, char** argv)
{
    using namespace tessel;
    const CommandLine line = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    switch (line.action) {
    case CommandLine::Action::Help: std::fputs(CommandLineUsage, stdout); return 0;
    case CommandLine::Action::Version: std::puts("tessel " TESSEL_VERSION); return 0;
    case CommandLine::Action::BadUsage:
        std::fprintf(stderr, "tessel: %s\n%s", line.error.c_str(), CommandLineUsage);
        return 2;
    case CommandLine::Action::Run: break;
    }
    // As Open takes them: existing files only, by absolute name, which a
    // program running in another folder can open too.
    std::vector<std::string> files;
    for (const std::string& name : line.files) {
        const std::string problem = StartFileProblem(name);
        if (problem.empty())
            files.push_back(AbsolutePath(name));
        else
            std::fprintf(stderr, "tessel: %s\n", problem.c_str());
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName("Tessel");
    QApplication::setDesktopFileName(TESSEL_APP_ID);
    const FileLocations locations = LocateProgramFiles(ExecutableDir());
    // One program per settings file: the first start holds the lock for its
    // whole run (and no program it starts inherits it).
    std::string instanceProblem;
    std::string socket =
        line.newInstance ? std::string() : InstanceSocketPath(locations, RealSystem(), instanceProblem);
    FileLock instanceLock;
    if (!socket.empty()) {
        switch (JoinRunningProgram(socket, files, instanceLock, instanceProblem)) {
        case Joined::HandedOver: return 0;
        case Joined::NoAnswer:
            // Running on would make two writers of the settings file.
            std::fprintf(stderr, "tessel: the running Tessel does not answer (%s is held); no second one is started\n",
                         (socket + ".lock").c_str());
            return 1;
        case Joined::Alone: socket.clear(); break;
        case Joined::First: break;
        }
    }
    try {
        CreateSettingsDir(locations);
    } catch (const AppError& e) {
        // Settings cannot be kept; writing them at exit says so in the error box.
        std::fprintf(stderr, "tessel: %s: %s\n", locations.SettingsDir.c_str(), e.what());
    }

    UseResources();
    QApplication::setWindowIcon(QIcon(":/tessel.svg"));
    // Without a desktop session Qt knows no icon theme; use a common one if present.
    if (QIcon::themeName().isEmpty() || QIcon::themeName() == "hicolor")
        QIcon::setThemeName("Adwaita");

    ProgramState state(locations);
    QtPrompter prompter;
    TMainForm mainForm(state.ForMainWindow(), prompter);
    ProgramWindowOptions options;
    options.files = files;
    if (!instanceProblem.empty())
        options.instanceProblem = "Later starts run a Tessel of their own: " + instanceProblem;
    else if (!socket.empty() && !(new InstanceServer(mainForm))->Listen(socket))
        options.instanceProblem = "Later starts cannot hand their files over: no socket can be made at " + socket;
    BuildProgramWindows(mainForm, state, options);
    mainForm.show();
    return app.exec();
}
