// The commands that bring up the tool windows. A window that lives for the
// whole run was made at start (or is made at the first command and kept);
// one made on demand exists at most once, guarded by its open flag, and an
// open one is brought to the front and restored instead.
#include <QPointer>

#include "calc/Calculator.h"
#include "platform/Files.h"
#include "shell/About.h"
#include "shell/Commands.h"
#include "shell/ConFaq.h"
#include "shell/Globals.h"
#include "shell/Keystroke.h"
#include "shell/Main.h"
#include "shell/Picture.h"

namespace tessel {

namespace {

// Gives the window the focus, restoring it from minimised.
void BringToFront(QWidget& window)
{
    window.setWindowState((window.windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    window.show();
    window.raise();
    window.activateWindow();
}

// A window of the main window that lives for the whole run.
template <class Window>
Window& LastingWindow(TMainForm& main)
{
    if (auto* window = main.toolWindow<Window>())
        return *window;
    auto* window = new Window(main.prompter(), &main);
    main.AddToolWindow(window);
    return *window;
}

// Shown modally: the window keeps the input of the program's other windows
// until it closes (it is application-modal), while the command returns.
template <class Window>
void ShowModal(TMainForm& main)
{
    BringToFront(LastingWindow<Window>(main));
}

// The open window of a kind made on demand; null when there is none.
template <class Window>
Window* OpenWindow(TMainForm& main)
{
    return main.findChild<Window*>(QString(), Qt::FindDirectChildrenOnly);
}

} // namespace

void RegisterToolWindowCommands(TMainForm& main)
{
    // Calculator: made on demand, one at a time; the state it works on is the
    // program's and outlives it.
    main.onCommand(Cmd::ToolCalculator, [&main] {
        if (auto* open = CalculatorOpen ? OpenWindow<TfrmCalculator>(main) : nullptr) {
            BringToFront(*open);
            return;
        }
        auto* calculator = new TfrmCalculator(main.prompter(), CalculatorState, &main);
        calculator->show();
        CalculatorOpen = true;
    });

    // FAQ viewer: made on demand, one at a time, while its file is there.
    main.onCommand(Cmd::HelpConFaq, [&main] {
        if (!FileExists(ProgramDir + "confaq40.rtf")) {
            main.prompter().MessageDlg("There is no ConFaq in the Main Program Directory: \"" + ProgramDir +
                                           "\". If you want to view it, put the file: confaq40.rtf in the main "
                                           "program directory.",
                                       MsgType::Information, MsgButtons::Ok);
            FaqOpen = false;
            return;
        }
        if (auto* open = FaqOpen ? OpenWindow<TfrmConFaq>(main) : nullptr) {
            BringToFront(*open);
            return;
        }
        new TfrmConFaq(main.prompter(), &main);   // shows itself
        FaqOpen = true;
    });

    main.onCommand(Cmd::ViewPicture, [&main] { ShowModal<TfrmPicture>(main); });
    main.onCommand(Cmd::HelpKeyStrokes, [&main] { ShowModal<TfrmKeyStrokes>(main); });
    main.onCommand(Cmd::HelpAbout, [&main] { ShowModal<TAboutBox>(main); });

    // General options: made at start; asked again while it shows, it comes to the front.
    main.onCommand(Cmd::ViewEditOptions, [] {
        if (!GeneralOptions)
            return;
        if (GeneralOptionsOpen) {
            GeneralOptions->BringToFront();
            return;
        }
        GeneralOptions->ShowWindow();
        GeneralOptionsOpen = true;
    });
}

} // namespace tessel
