// The File menu's commands: new windows, opening a file into the right kind of
// window (or back into the one that shows it), saving, the recent files, and
// files dropped on the main window.
#include <QAction>
#include <QDropEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QProgressDialog>
#include <QTimer>
#include <memory>

#include "editor/DocumentKinds.h"
#include "editor/EditorOptions.h"
#include "launch/GameDirectories.h"
#include "mainwindow/Commands.h"
#include "mainwindow/Main.h"
#include "platform/Files.h"
#include "session/CommandLine.h"
#include "session/DocumentNames.h"
#include "session/OpenMany.h"
#include "session/Session.h"
#include "session/misc.h"
#include "ui/DocumentWindow.h"
#include "ui/Guarded.h"
#include "ui/QtPaths.h"

namespace tessel {

namespace {

// Where the file dialogs were last used, across runs: our own section of the
// settings file.
const char* const OwnSection = "Tessel";
const char* const LastFolderKey = "LastFolder";

const char* const SaveFirstQuestion = "Do you want to save this file before opening another file?";

// The mode's directory when set; otherwise the dialog keeps its folder, which
// before its first use in this run is the one a dialog was last used in.
void PrepareDialogFolder(const MainState& state, FileDialog& dialog)
{
    const std::string folder = ModeDialogFolder(state.session.GameMode, state.launch.ConDir, state.launch.QCDir);
    if (!folder.empty()) {
        dialog.initialDir = folder;
    } else if (dialog.initialDir.empty()) {
        const std::string last = state.session.Settings().ReadString(OwnSection, LastFolderKey, "");
        if (DirectoryExists(last))
            dialog.initialDir = last;
    }
}

void RememberDialogFolder(const MainState& state, const FileDialog& dialog)
{
    // A convenience only: a settings file that cannot be written must not
    // stop the command.
    try {
        ProfileFile ini = state.session.Settings();
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
    main.Prompts().ShowMessage(message);
    dir.clear();
    if (launcher)
        launcher->ClearScriptDirectoryField();
}

void NoteRecent(TMainForm& main, const std::string& name)
{
    NoteRecentFile(main.Program().session.RecentList, name);
    main.RefreshRecentMenu();
}

// The window that shows name already: bring it to the front and offer to save
// it before it reads the file afresh.
void Reopen(TMainForm& main, QMdiArea* area, QMdiSubWindow* window, const std::string& name)
{
    if (area->currentSubWindow() == window) {
        EditorRequests none;
        main.PostRequests(none);   // its activation handler, once, with no request
    } else {
        area->setActiveSubWindow(window);
    }
    const MsgResult answer = main.Prompts().MessageDlg(SaveFirstQuestion, MsgType::Information, MsgButtons::YesNoCancel);
    if (answer == MsgResult::Cancel)
        return;
    if (answer == MsgResult::Yes) {
        EditorRequests save = SaveRequestFor(name);
        main.PostRequests(save);
        // A save that failed leaves the window modified: reading the file
        // afresh would throw away the very changes the user asked to keep.
        if (auto* doc = dynamic_cast<DocumentWindow*>(window->widget()); doc && doc->Modified())
            return;
    }
    EditorRequests load = LoadRequestFor(name);
    NoteRecent(main, name);
    main.PostRequests(load);
}

void Open(TMainForm& main)
{
    const MainState& state = main.Program();
    CheckDirectory(main, state.launch.ConDir,
                   "Your main con directory does not exist, please choose a new one from the DukeNukem Options page.",
                   main.Tools().duke);
    CheckDirectory(main, state.launch.QCDir,
                   "Your main QC directory does not exist, please choose a new one from the Quake Options page.",
                   main.Tools().quake);
    PrepareDialogFolder(state, main.OpenDialog);
    if (!main.Prompts().ExecuteOpen(main.OpenDialog))
        return;
    RememberDialogFolder(state, main.OpenDialog);
    OpenDocument(main, main.OpenDialog.fileName);
}

// Save asks for a name only for a window never saved; Save As always does.
void Save(TMainForm& main, QMdiArea* area, bool askName)
{
    DocumentWindow* doc = main.ActiveDocument();
    if (!doc || !doc->TakesEditorRequests())
        return;   // an explorer takes no save request: none is left pending
    std::string name = doc->FileName();
    if (askName || name.empty()) {
        name = AskDocumentName(main, std::string());
        if (name.empty())
            return;
        area->currentSubWindow()->widget()->setWindowTitle(ToQString(EditorCaption(name)));
    }
    EditorRequests save = SaveRequestFor(name);
    main.PostRequests(save);
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
            if (!LocalFileNames(drag->mimeData()).empty())
                drag->acceptProposedAction();
            return true;
        }
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            const std::vector<std::string> names = LocalFileNames(drop->mimeData());
            if (names.empty())
                return false;
            drop->acceptProposedAction();
            QTimer::singleShot(0, this, [this, names] { OpenDocuments(main_, names); });
            return true;
        }
        default:
            return false;
        }
    }

private:
    TMainForm& main_;
};

} // namespace

void OpenDocument(TMainForm& main, std::string name)
{
    // The current folder at this moment, not at the next save, gives a relative name its place.
    name = AbsolutePath(name);
    auto* area = qobject_cast<QMdiArea*>(main.centralWidget());
    if (DocumentWindow* doc = main.DocumentOf(name))
        if (auto* window = qobject_cast<QMdiSubWindow*>(dynamic_cast<QWidget*>(doc)->parentWidget()))
            return Reopen(main, area, window, doc->FileName());
    if (OpensInExplorer(name)) {
        main.NewExplorerWindow(NewExplorerCaption, name);
    } else if (main.NewEditorWindow(ToQString(EditorCaption(name)))) {
        EditorRequests load = LoadRequestFor(name);
        main.PostRequests(load);
    }
    NoteRecent(main, name);
}

void OpenDocuments(TMainForm& main, const std::vector<std::string>& names)
{
    // Thousands of windows are asked for first, and opened with a way to stop.
    std::unique_ptr<QProgressDialog> progress;
    if (const std::string question = OpenManyQuestion(names.size()); !question.empty()) {
        if (main.Prompts().MessageDlg(question, MsgType::Confirm, MsgButtons::YesNo) != MsgResult::Yes)
            return;
        progress = std::make_unique<QProgressDialog>("Opening files...", "Cancel", 0, static_cast<int>(names.size()),
                                                     &main);
        progress->setObjectName("dlgOpenProgress");
        progress->setWindowModality(Qt::WindowModal);   // its updates let the window repaint meanwhile
        progress->setMinimumDuration(0);
    }
    // Each on its own: one that cannot be read leaves the next to open. One
    // open already (Game.con named again, a restored copy, a second start)
    // only comes to the front: asking to save and reading it again would put
    // its unsaved text at the mercy of one answer.
    auto* area = qobject_cast<QMdiArea*>(main.centralWidget());
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (progress) {
            // A Cancel stops after the file it came during.
            if (progress->wasCanceled())
                break;
            progress->setValue(static_cast<int>(i));
            if (progress->wasCanceled())
                break;
        }
        RunGuarded(main.Prompts(), [&] {
            if (DocumentWindow* doc = main.DocumentOf(AbsolutePath(names[i])))
                area->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(dynamic_cast<QWidget*>(doc)->parentWidget()));
            else
                OpenDocument(main, names[i]);
        });
    }
}

void OpenNamedFiles(TMainForm& main, const std::vector<std::string>& names)
{
    // Only regular files: a pipe or a device would show an empty window (and
    // enter the recent list); a folder, or a name gone since it was given, is
    // no file to open.
    std::vector<std::string> files;
    std::string problems;
    for (const std::string& name : names) {
        if (const std::string problem = StartFileProblem(name); problem.empty())
            files.push_back(name);
        else
            problems += (problems.empty() ? "" : "; ") + problem;
    }
    OpenDocuments(main, files);
    // After the opened windows' own texts, so that it stays readable.
    if (!problems.empty())
        main.SetStatusText(0, ToQString(problems));
}

std::string AskDocumentName(TMainForm& main, const std::string& proposed)
{
    const MainState& state = main.Program();
    FileDialog& dialog = main.SaveDialog1;
    PrepareDialogFolder(state, dialog);
    if (!proposed.empty()) {
        dialog.fileName = proposed;
        dialog.initialDir = FolderPrefix(proposed);
    }
    if (!main.Prompts().ExecuteSave(dialog))
        return std::string();
    RememberDialogFolder(state, dialog);
    // The extension is added here, so that the question below is asked of
    // the names really written, not only of the one typed.
    const int mode = state.session.GameMode;
    const std::string name = AbsolutePath(SaveFileName(dialog.fileName, mode));
    for (const SaveTarget& target : SaveTargets(name, mode, state.editor.Saving)) {
        const FileStamp there = StampOf(target.path);
        if (!there.exists)
            continue;
        if (!there.regular) {
            // A pipe would hold every window until something read it.
            main.Prompts().ShowMessage(target.path +
                                       (DirectoryExists(target.path) ? " is a folder" : " is not a regular file"));
            return std::string();
        }
        if (main.Prompts().MessageDlg(target.path + " already exists. Do you want to replace it?", MsgType::Confirm,
                                      MsgButtons::YesNo) != MsgResult::Yes)
            return std::string();
    }
    return name;
}

void RegisterFileCommands(TMainForm& main, const MainParts& parts)
{
    main.OpenDialog.title = "Open";
    main.SaveDialog1.title = "Save As";
    QMdiArea* area = parts.area;

    main.OnCommand(Cmd::FileNew, [&main, area] {
        main.NewEditorWindow(ToQString(UnnamedCaption(area->subWindowList().size())));
    });
    // Without an archive's name the window starts with none.
    main.OnCommand(Cmd::FileNewGrp, [&main] { main.NewExplorerWindow(NewExplorerCaption); });
    main.OnCommand(Cmd::FileOpen, [&main] { Open(main); });
    const Cmd recent[RecentCount] = {Cmd::FileRecent1, Cmd::FileRecent2, Cmd::FileRecent3, Cmd::FileRecent4};
    for (int i = 0; i < RecentCount; ++i)
        main.OnCommand(recent[i], [&main, i] {
            const std::string name = main.Program().session.RecentList[static_cast<std::size_t>(i)];
            if (!name.empty())
                OpenDocument(main, name);
        });
    main.OnCommand(Cmd::FileSave, [&main, area] { Save(main, area, false); });
    main.OnCommand(Cmd::FileSaveAs, [&main, area] { Save(main, area, true); });
    main.OnCommand(Cmd::FileClose, [area] {
        if (QMdiSubWindow* w = area->currentSubWindow())
            w->close();
    });
    main.OnCommand(Cmd::FileExit, [&main] { main.close(); });
    new DropOpener(main);
}

} // namespace tessel
