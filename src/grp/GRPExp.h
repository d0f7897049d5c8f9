#pragma once
// The group file explorer: the document window in which one archive is
// browsed and changed. It shows its GrpArchiveView (the live entries in a list
// and, grouped by extension, in a tree; caption and status panels), hands each
// command of its menus to the archive operations, and while it is the current
// document window its menus stand in the main window's menu bar.
#include <QPointer>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "grp/GrpArchive.h"
#include "platform/Prompter.h"
#include "shell/DocumentWindow.h"

class QLabel;
class QMenu;
class QMenuBar;
class QProgressBar;
class QStatusBar;
class QTableView;
class QTreeView;

namespace tessel {

class GrpListModel;
class GrpTreeModel;
class TMainForm;
class TfrmGRPOptions;
class TfrmNewGRP;
class TfrmResSpace;

class TfrmGRPExp : public QWidget, public DocumentWindow, public GrpWindowHooks {
    Q_OBJECT
public:
    TfrmGRPExp(Prompter& prompter, TMainForm& main, QWidget* parent = nullptr);
    ~TfrmGRPExp() override;

    // Shows this window's menus in the main window's bar, drops the requests
    // meant for an editor, and opens the archive the shell left pending.
    void FormActivate() override;

    const GrpArchiveView& archive() const { return view_; }
    QSize sizeHint() const override;

    // Kept between uses, as dialog components are.
    FileDialog OpenDialog;
    FileDialog SaveDialog;

    // GrpWindowHooks
    void BeginBusy() override;
    void EndBusy() override;
    void ProcessPaintEvents() override;
    int AskReservedSlots(std::int64_t archiveSize) override;
    void Progress(std::int64_t done, std::int64_t total) override;

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void createMenus();
    void createControls();
    // Runs a command through the exception boundary, then shows the model.
    void run(const std::function<void()>& command);
    void showModel();
    bool archiveOpen();

    // Commands.
    void mnuFileNewClick();
    void mnuFileOpenClick();
    void Close1Click();
    void NewGroupFileWindow1Click();
    void NewConWindow1Click();
    void mnuFileExitClick();
    void mnuItemsUpdateClick();
    void mnuItemsAddClick();
    void mnuItemsExtractClick();
    void mnuItemsDeleteClick();
    void mnuItemsCResClick();
    void mnuItemsEraseResClick();
    void mnuItemsDefragClick();
    void mnuViewOptionsClick();
    void mnuTreeDeleteClick();
    void mnuTreeExtractClick();
    void addFiles(const std::vector<std::string>& files);

    Prompter& prompter_;
    TMainForm& main_;
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
    bool slotsAsked_ = false;
    bool sized_ = false;
};

// The dialogs every explorer window uses, created once at start-up.
struct ExplorerDialogSet {
    QPointer<TfrmGRPOptions> options;
    QPointer<TfrmResSpace> resSpace;
    QPointer<TfrmNewGRP> newGrp;
};
ExplorerDialogSet& ExplorerDialogs();
// Creates them hidden, in the order of the entry sequence (options, reserved
// space, new group file), as windows that live as long as the main window.
void CreateExplorerDialogs(TMainForm& main);

} // namespace tessel
