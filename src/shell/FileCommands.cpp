// The File menu's commands: new windows, opening a file into the right kind of
// window (or back into the one that shows it), saving, the recent files, and
// files dropped on the main window.
#include <QAction>
#include <QDropEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

#include "platform/Files.h"
#include "shell/Commands.h"
#include "shell/DocumentNames.h"
#include "shell/Globals.h"
#include "shell/Main.h"
#include "shell/QtPaths.h"
#include "shell/misc.h"

namespace tessel {

namespace {

// Where the file dialogs were last used, across runs: our own section of the
// settings file.
const char* const OwnSection = "Tessel";
const char* const LastFolderKey = "LastFolder";

const char* const SaveFirstQuestion = "Do you want to save this file before opening another file?";

// The mode's directory when set; otherwise the dialog keeps its folder, which
// before its first use in this run is the one a dialog was last used in.
void PrepareDialogFolder(FileDialog& dialog)
{
    const std::string folder = ModeDialogFolder(GameMode, ConDir, QCDir);
    if (!folder.empty()) {
        dialog.initialDir = folder;
    } else if (dialog.initialDir.empty()) {
        const std::string last = Settings().ReadString(OwnSection, LastFolderKey, "");
        if (DirectoryExists(last))
            dialog.initialDir = last;
    }
}

void RememberDialogFolder(const FileDialog& dialog)
{
    // A convenience only: a settings file that cannot be written must not
    // stop the command.
    try {
        ProfileFile ini = Settings();
        ini.WriteString(OwnSection, LastFolderKey, dialog.initialDir);
    } catch (const AppError&) {
    }
}

// A main script directory that has gone is reported and forgotten for this
// run (the settings file keeps it), and so is the launcher's field for it.
void CheckDirectory(TMainForm& main, std::string& dir, const char* message, GameLauncher* launcher)
{
    if (dir.empty() || DirectoryExists(dir))
        return;
    main.prompter().ShowMessage(message);
    dir.clear();
    if (launcher)
        launcher->clearScriptDirectoryField();
}

std::string CaptionOf(const QWidget* window)
{
    return FromQString(window->windowTitle());
}

void NoteRecent(TMainForm& main, const std::string& name)
{
    NoteRecentFile(RecentList, name);
    main.RefreshRecentMenu();
}

// The window that shows name already: bring it to the front and offer to save
// it before it reads the file afresh.
void Reopen(TMainForm& main, QMdiSubWindow* window, const std::string& name)
{
    if (main.MdiArea()->currentSubWindow() == window)
        main.PostEditorRequest();   // its activation handler, once, with no request
    else
        main.MdiArea()->setActiveSubWindow(window);
    const MsgResult answer = main.prompter().MessageDlg(SaveFirstQuestion, MsgType::Information, MsgButtons::YesNoCancel);
    if (answer == MsgResult::Cancel)
        return;
    if (answer == MsgResult::Yes) {
        EditorRequests.SaveRequest = true;
        PendingFileName = name;
        main.PostEditorRequest();
        // A save that failed leaves the window modified: reading the file
        // afresh would throw away the very changes the user asked to keep.
        if (main.StatusText(1) == "Modified")
            return;
    }
    EditorRequests.LoadRequest = true;
    PendingFileName = name;
    NoteRecent(main, name);
    main.PostEditorRequest();
}

void Open(TMainForm& main)
{
    CheckDirectory(main, ConDir,
                   "Your main con directory does not exist, please choose a new one from the DukeNukem Options page.",
                   main.launchers.duke);
    CheckDirectory(main, QCDir,
                   "Your main QC directory does not exist, please choose a new one from the Quake Options page.",
                   main.launchers.quake);
    PrepareDialogFolder(main.OpenDialog);
    if (!main.prompter().ExecuteOpen(main.OpenDialog))
        return;
    RememberDialogFolder(main.OpenDialog);
    OpenDocument(main, main.OpenDialog.fileName);
}

// Save asks for a name only for a window never saved; Save As always does.
void Save(TMainForm& main, bool askName)
{
    QWidget* window = main.ActiveDocumentWidget();
    if (!window || main.IsExplorerWindow(window))
        return;   // an explorer takes no save request: none is left pending
    PrepareDialogFolder(main.SaveDialog1);
    std::string name = CaptionFileName(CaptionOf(window));
    if (askName || IsUnnamed(name)) {
        if (!main.prompter().ExecuteSave(main.SaveDialog1))
            return;
        RememberDialogFolder(main.SaveDialog1);
        name = SaveFileName(main.SaveDialog1.fileName, GameMode);
        window->setWindowTitle(ToQString(EditorCaption(name)));
    }
    EditorRequests.SaveRequest = true;
    PendingFileName = name;
    main.PostEditorRequest();
}

// Files dropped on the main window from a file manager open as Open opens
// them. They open after the drop has ended, so that a question or an error
// box never shows inside the drag.
class DropOpener : public QObject {
public:
    explicit DropOpener(TMainForm& main) : QObject(&main), main_(main)
    {
        main.setAcceptDrops(true);
        main.installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != &main_)
            return false;
        switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* drag = static_cast<QDragMoveEvent*>(event);
            if (!LocalFiles(drag->mimeData()).empty())
                drag->acceptProposedAction();
            return true;
        }
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            const std::vector<std::string> names = LocalFiles(drop->mimeData());
            if (names.empty())
                return false;
            drop->acceptProposedAction();
            QTimer::singleShot(0, this, [this, names] {
                for (const std::string& name : names)
                    RunGuarded(main_.prompter(), [&] { OpenDocument(main_, name); });
            });
            return true;
        }
        default:
            return false;
        }
    }

private:
    static std::vector<std::string> LocalFiles(const QMimeData* data)
    {
        std::vector<std::string> names;
        if (data && data->hasUrls())
            for (const QUrl& url : data->urls())
                if (url.isLocalFile())
                    names.push_back(FromQString(url.toLocalFile()));
        return names;
    }

    TMainForm& main_;
};

} // namespace

void OpenDocument(TMainForm& main, std::string name)
{
    for (QMdiSubWindow* window : main.MdiArea()->subWindowList()) {
        if (window->widget() && CaptionFileName(CaptionOf(window->widget())) == name) {
            Reopen(main, window, name);
            return;
        }
    }
    if (OpensInExplorer(name)) {
        PendingAction = 3;
        PendingFileName = name;
        if (!main.NewExplorerWindow(NewExplorerCaption))
            PendingAction = 0;   // no explorer window to take it
    } else if (main.NewEditorWindow(ToQString(EditorCaption(name)))) {
        EditorRequests.LoadRequest = true;
        PendingFileName = name;
        main.PostEditorRequest();
    }
    NoteRecent(main, name);
}

void RegisterFileCommands(TMainForm& main)
{
    main.OpenDialog.title = "Open";
    main.SaveDialog1.title = "Save As";

    main.onCommand(Cmd::FileNew, [&main] {
        main.NewEditorWindow(ToQString(UnnamedCaption(main.MdiArea()->subWindowList().size())));
    });
    main.onCommand(Cmd::FileNewGrp, [&main] {
        // Without PendingAction the window starts with no archive.
        PendingFileName.clear();
        main.NewExplorerWindow(NewExplorerCaption);
    });
    main.onCommand(Cmd::FileOpen, [&main] { Open(main); });
    const Cmd recent[RecentCount] = {Cmd::FileRecent1, Cmd::FileRecent2, Cmd::FileRecent3, Cmd::FileRecent4};
    for (int i = 0; i < RecentCount; ++i)
        main.onCommand(recent[i], [&main, i] {
            if (!RecentList[i].empty())
                OpenDocument(main, RecentList[i]);
        });
    main.onCommand(Cmd::FileSave, [&main] { Save(main, false); });
    main.onCommand(Cmd::FileSaveAs, [&main] { Save(main, true); });
    main.onCommand(Cmd::FileClose, [&main] {
        if (QMdiSubWindow* w = main.MdiArea()->currentSubWindow())
            w->close();
    });
    main.onCommand(Cmd::FileExit, [&main] { main.close(); });
    new DropOpener(main);
}

} // namespace tessel
