#pragma once
// The group file explorer: the document window in which one archive is
// browsed and changed. It shows its GrpArchiveView (the live entries in a list
// and, grouped by extension, in a tree; caption and status panels), hands each
// command of its menus to the archive operations, and while it is the current
// document window its menus stand in the main window's menu bar. What each
// command checks and asks is GrpCommands'. It watches its archive, and reads
// it again when another program changed it. Beside the list its preview pane
// shows what the selected entry holds; a text entry opens in an editor window
// whose Save writes it back into the archive.
#include <QPointer>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "grp/GrpArchive.h"
#include "language/ColorDefinitions.h"
#include "platform/Prompter.h"
#include "ui/CommandTable.h"
#include "ui/DocumentWindow.h"

class QFileSystemWatcher;
class QLabel;
class QMenu;
class QMenuBar;
class QProgressBar;
class QSplitter;
class QTimer;
class QStatusBar;
class QTableView;
class QTreeView;

namespace tessel {

class GrpListModel;
class GrpTreeModel;
class Shell;
class TfrmGRPOptions;
class TfrmGrpPreview;
class TfrmNewGRP;
class TfrmResSpace;
struct ExplorerOptions;
struct GameDirectories;
struct SessionState;

// What an explorer window uses of the program's state.
struct ExplorerState {
    ExplorerOptions& options;              // the tree list; the preview pane's place, which it keeps
    const GameDirectories& directories;    // the open dialog starts in the Duke Nukem 3D folder
    const SessionState& session;           // the settings file, and where the colour files are
};

// The dialogs every explorer window uses, made once at start-up.
struct ExplorerDialogs {
    QPointer<TfrmGRPOptions> options;
    QPointer<TfrmResSpace> resSpace;
    QPointer<TfrmNewGRP> newGrp;
};

class TfrmGRPExp : public QWidget, public DocumentWindow, public GrpWindowHooks {
    Q_OBJECT
public:
    // archive: what to open at the first activation ("" for none).
    TfrmGRPExp(Shell& shell, const ExplorerDialogs& dialogs, const ExplorerState& state,
               const std::string& archive = std::string(), QWidget* parent = nullptr);
    ~TfrmGRPExp() override;

    // Opens the archive it was made for, or reads its archive again when
    // another program changed it. It takes none of an editor's requests.
    void FormActivate() override;
    std::string FileName() const override { return view_.archivePath; }
    QList<QAction*> DocumentMenus() const override;

    const GrpArchiveView& Archive() const { return view_; }
    TfrmGrpPreview* Preview() const { return preview_; }
    // The archive was written by one of its entries' editor windows: the list
    // is read again (its selection kept), and the status bar says so.
    void EntryWritten(const std::string& text);
    QSize sizeHint() const override;

    // Kept between uses, as dialog components are.
    FileDialog OpenDialog;
    FileDialog SaveDialog;

    // GrpWindowHooks
    void BeginBusy() override;
    void EndBusy() override;
    void ProcessPaintEvents() override;
    int AskReservedSlots(std::int64_t archiveSize) override;
    std::string AskSignature() override;
    void Progress(std::int64_t done, std::int64_t total) override;

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void CreateMenus();
    void CreateControls();
    // Runs a command through the exception boundary, then shows the model.
    void Run(const std::function<void()>& command);
    void ShowModel();
    // The list read again when another program changed the archive.
    void Refresh();
    void Watch();
    void RunCommand(Cmd id);
    // The tree's selected node, when there is one.
    std::optional<std::string> SelectedNode() const;
    // The preview follows the list's selection (a moment later, so that keys
    // held down do not read every entry on the way).
    void PreviewSelection();
    void ShowPreview(bool shown);
    void OpenInEditor(const std::string& name);
    void ReplaceTile(int tile);
    std::shared_ptr<const KeywordTableType> KeywordTable(int game);

    Shell& shell_;
    ExplorerOptions& options_;
    const GameDirectories& directories_;
    const SessionState& session_;
    Prompter& prompter_;
    ExplorerDialogs dialogs_;
    std::string pendingArchive_;
    GrpArchiveView view_;
    QMenuBar* mainMenu1_ = nullptr;
    QMenu* listPopMenu_ = nullptr;
    QMenu* treeListPop_ = nullptr;
    QTableView* listView1_ = nullptr;
    QTreeView* fileList_ = nullptr;
    GrpListModel* listModel_ = nullptr;
    GrpTreeModel* treeModel_ = nullptr;
    QStatusBar* statusBar_ = nullptr;
    QLabel* panels_[3] = {};
    QProgressBar* progress_ = nullptr;
    QFileSystemWatcher* watcher_ = nullptr;   // the archive: another program's change is read at once
    bool sized_ = false;
    QSplitter* split_ = nullptr;               // the list and the preview
    TfrmGrpPreview* preview_ = nullptr;
    QTimer* previewTimer_ = nullptr;
    QTimer* widthTimer_ = nullptr;              // the pane's width is written once the user stops dragging
    std::string previewed_;                     // what the preview shows: archive, entry and stamp
    std::map<int, std::shared_ptr<const KeywordTableType>> tables_;
};

} // namespace tessel
