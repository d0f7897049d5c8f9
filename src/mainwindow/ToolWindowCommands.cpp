// The commands that bring up the tool windows. A window that lives for the
// whole run was made at start; one made on demand exists at most once: while
// it shows, it is brought to the front and restored instead.
#include <QPointer>
#include <QWidget>

#include "mainwindow/Commands.h"
#include "mainwindow/ConFaq.h"
#include "mainwindow/Main.h"
#include "platform/Files.h"
#include "session/Session.h"

namespace tessel {

void BringToFront(QWidget& window)
{
    window.setWindowState((window.windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    window.show();
    window.raise();
    window.activateWindow();
}

namespace {

// Shown modally: the window keeps the input of the program's other windows
// until it closes (it is application-modal), while the command returns.
void ShowModal(QWidget* window)
{
    if (window)
        BringToFront(*window);
}

// A window made on demand that may exist once: the one showing comes to the
// front, otherwise a new one is made (and shows itself or is shown). A closed
// one is discarded.
void ShowOnce(QPointer<QWidget>& window, const std::function<QWidget*()>& make)
{
    if (window && window->isVisible()) {
        BringToFront(*window);
        return;
    }
    if (!make)
        return;
    window = make();
    if (window)
        window->show();
}

} // namespace

void RegisterToolWindowCommands(TMainForm& main)
{
    const SessionState& session = main.Program().session;
    ToolWindows& tools = main.Tools();
    // Calculator: made on demand, one at a time; the state it works on is the
    // program's and outlives it.
    auto calculator = std::make_shared<QPointer<QWidget>>();
    main.OnCommand(Cmd::ToolCalculator, [&tools, calculator] { ShowOnce(*calculator, tools.newCalculator); });

    // FAQ viewer: made on demand, one at a time, while its file is there.
    auto faq = std::make_shared<QPointer<QWidget>>();
    main.OnCommand(Cmd::HelpConFaq, [&main, &session, &tools, faq] {
        // Missing everywhere: the first folder looked in is where the user may put one.
        if (!FileExists(session.Locations.DataFile(FaqFileName))) {
            main.Prompts().MessageDlg("There is no ConFaq in the Main Program Directory: \"" +
                                          session.Locations.DataDirs.front() +
                                          "\". If you want to view it, put the file: confaq40.rtf in the main "
                                          "program directory.",
                                      MsgType::Information, MsgButtons::Ok);
            return;
        }
        ShowOnce(*faq, tools.newFaq);
    });

    main.OnCommand(Cmd::ViewPicture, [&tools] { ShowModal(tools.picture); });
    main.OnCommand(Cmd::HelpKeyStrokes, [&tools] { ShowModal(tools.keyStrokes); });
    main.OnCommand(Cmd::HelpAbout, [&tools] { ShowModal(tools.about); });

    // General options: made at start; asked again while it shows, it comes to the front.
    main.OnCommand(Cmd::ViewEditOptions, [&tools] {
        if (tools.generalOptions)
            tools.generalOptions->ShowWindow();
    });
}

} // namespace tessel
