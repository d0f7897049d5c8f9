#include "grp/GRPExp.h"

#include <QAction>
#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QProgressBar>
#include <QStatusBar>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTreeView>
#include <QUrl>
#include <QVBoxLayout>

#include "grp/GrpCommands.h"
#include "grp/GrpItemModels.h"
#include "grp/GrpOperations.h"
#include "grp/GrpOpts.h"
#include "grp/NewGRP.h"
#include "grp/ResSpace.h"
#include "platform/Files.h"
#include "shell/Commands.h"
#include "shell/Globals.h"
#include "shell/Main.h"
#include "shell/QtPaths.h"

namespace tessel {

namespace {

const char* const GrpFilter = "GRP File (*.GRP)|*.GRP";
const char* const AllFilesFilter = "All Files (*.*)|*.*";
const char* const NoArchive = "There is no archive open.";

// One entry of a menu: a command, or a separator when it has no caption.
struct MenuEntry {
    const char* name;
    const char* caption;
    const char* shortcut;
    const char* icon;   // a theme icon name, "" for none
    std::function<void()> command;
};

void AddEntries(QMenu* menu, const std::vector<MenuEntry>& entries)
{
    for (const MenuEntry& e : entries) {
        if (!e.caption) {
            QAction* separator = menu->addSeparator();
            separator->setObjectName(e.name);
            continue;
        }
        QAction* action = menu->addAction(e.caption);
        if (*e.icon)
            action->setIcon(ToolIcon(e.icon));
        action->setObjectName(e.name);
        action->setShortcut(QKeySequence(e.shortcut));
        if (e.command)
            QObject::connect(action, &QAction::triggered, menu, e.command);
    }
}

// Draws the cells of the list and the tree, and lights up the row under the mouse.
class HotTrackDelegate : public QStyledItemDelegate {
public:
    explicit HotTrackDelegate(QAbstractItemView* view) : QStyledItemDelegate(view), view_(view)
    {
        view->viewport()->setMouseTracking(true);
        view->viewport()->installEventFilter(this);
    }

    // One line of plain text a cell, drawn directly: a screenful of rows
    // costs little, however long the list.
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const bool selected = option.state & QStyle::State_Selected;
        const QPalette::ColorGroup group = option.state & QStyle::State_Active ? QPalette::Active : QPalette::Inactive;
        if (selected) {
            painter->fillRect(option.rect, option.palette.brush(group, QPalette::Highlight));
        } else if (hot_.isValid() && index.row() == hot_.row() && index.parent() == hot_.parent()) {
            QColor color = option.palette.color(group, QPalette::Highlight);
            color.setAlpha(48);
            painter->fillRect(option.rect, color);
        }
        const int margin = option.widget ? option.widget->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1 : 3;
        const QRect text = option.rect.adjusted(margin, 0, -margin, 0);
        painter->setPen(option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
        painter->drawText(text, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                          option.fontMetrics.elidedText(index.data().toString(), Qt::ElideRight, text.width()));
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::MouseMove)
            setHot(view_->indexAt(static_cast<QMouseEvent*>(event)->position().toPoint()));
        else if (event->type() == QEvent::Leave)
            setHot(QModelIndex());
        return false;   // only watched; the base class would take the viewport for an editor
    }

private:
    void setHot(const QModelIndex& index)
    {
        if (index.row() == hot_.row() && index.parent() == hot_.parent())
            return;
        hot_ = index;
        view_->viewport()->update();
    }

    QAbstractItemView* view_;
    QPersistentModelIndex hot_;
};

std::vector<std::string> LocalFiles(const QMimeData* data)
{
    std::vector<std::string> files;
    if (data && data->hasUrls())
        for (const QUrl& url : data->urls())
            if (url.isLocalFile())
                files.push_back(FromQString(url.toLocalFile()));
    return files;
}

} // namespace

// --- building the window --------------------------------------------------------

TfrmGRPExp::TfrmGRPExp(Prompter& prompter, TMainForm& main, QWidget* parent)
    : QWidget(parent), prompter_(prompter), main_(main)
{
    setObjectName("frmGRPExp");
    view_.hooks = this;
    OpenDialog.filter = GrpFilter;
    SaveDialog.filter = GrpFilter;
    createMenus();
    createControls();
    setAcceptDrops(true);
    setWindowIcon(ToolIcon("package-x-generic"));
    setWindowTitle(QString::fromStdString(view_.caption));
    showModel();
}

TfrmGRPExp::~TfrmGRPExp()
{
    view_.hooks = nullptr;
}

QSize TfrmGRPExp::sizeHint() const
{
    return QSize(825, 591);
}

void TfrmGRPExp::showEvent(QShowEvent* event)
{
    // The window's own size is that of its frame in the document area.
    if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget()); frame && !sized_) {
        sized_ = true;
        if (!frame->isMaximized())
            frame->resize(sizeHint());
    }
    QWidget::showEvent(event);
}

void TfrmGRPExp::createMenus()
{
    // Never shown itself: the main window shows its menus in its own bar.
    mainMenu1_ = new QMenuBar(this);
    mainMenu1_->setObjectName("MainMenu1");
    mainMenu1_->hide();
    const auto command = [this](void (TfrmGRPExp::*handler)()) {
        return [this, handler] { run([this, handler] { (this->*handler)(); }); };
    };
    const auto menu = [this](const char* name, const char* caption) {
        QMenu* m = mainMenu1_->addMenu(caption);
        m->setObjectName(name);
        return m;
    };
    AddEntries(menu("mnuFile", "&File"),
               {{"mnuFileNew", "&New &Group File...", "Ctrl+N", "document-new", command(&TfrmGRPExp::mnuFileNewClick)},
                {"mnuFileOpen", "&Open...", "Ctrl+O", "document-open", command(&TfrmGRPExp::mnuFileOpenClick)},
                {"mnuFileSaveAs", "Save &As...", "", "document-save-as", nullptr},
                {"Close1", "&Close Group File", "Ctrl+C", "", command(&TfrmGRPExp::Close1Click)},
                {"", nullptr, "", "", nullptr},
                {"NewGroupFileWindow1", "New G&roup File Window", "", "",
                 command(&TfrmGRPExp::NewGroupFileWindow1Click)},
                {"NewConWindow1", "New &Con Editor", "", "", command(&TfrmGRPExp::NewConWindow1Click)},
                {"", nullptr, "", "", nullptr},
                {"mnuFileExit", "Close GRP Explorer", "", "", command(&TfrmGRPExp::mnuFileExitClick)}});
    QMenu* items = menu("mnuItems", "&Items");
    AddEntries(items, {{"mnuItemsUpdate", "&Update", "", "", command(&TfrmGRPExp::mnuItemsUpdateClick)},
                       {"", nullptr, "", "", nullptr},
                       {"mnuItemsAdd", "&Add", "F2", "list-add", command(&TfrmGRPExp::mnuItemsAddClick)},
                       {"mnuItemsExtract", "&Extract", "F3", "document-save",
                        command(&TfrmGRPExp::mnuItemsExtractClick)},
                       {"mnuItemsDelete", "&Delete", "Del", "edit-delete", command(&TfrmGRPExp::mnuItemsDeleteClick)},
                       {"", nullptr, "", "", nullptr},
                       {"mnuItemsDuplicate", "Detect Duplicate Files", "", "", nullptr},
                       {"", nullptr, "", "", nullptr},
                       {"mnuItemsCRes", "&Create Reserved Space", "", "", command(&TfrmGRPExp::mnuItemsCResClick)},
                       {"mnuItemsEraseRes", "Erase All &Reserved Space", "", "",
                        command(&TfrmGRPExp::mnuItemsEraseResClick)},
                       {"mnuItemsDefrag", "De&fragment Archive", "", "", command(&TfrmGRPExp::mnuItemsDefragClick)}});
    // Duplicates are always looked for; the mark cannot be taken off.
    auto* duplicate = items->findChild<QAction*>("mnuItemsDuplicate");
    duplicate->setCheckable(true);
    duplicate->setChecked(true);
    connect(duplicate, &QAction::toggled, duplicate, [duplicate] { duplicate->setChecked(true); });
    AddEntries(menu("mnuView", "&View"),
               {{"mnuViewOptions", "&General Options...", "", "", command(&TfrmGRPExp::mnuViewOptionsClick)}});

    listPopMenu_ = new QMenu(this);
    listPopMenu_->setObjectName("ListPopMenu");
    AddEntries(listPopMenu_, {{"popUpdate", "&Update", "", "", command(&TfrmGRPExp::mnuItemsUpdateClick)},
                              {"", nullptr, "", "", nullptr},
                              {"popAdd", "Add File", "", "", command(&TfrmGRPExp::mnuItemsAddClick)},
                              {"popDelete", "Delete File", "", "", command(&TfrmGRPExp::mnuItemsDeleteClick)},
                              {"popExtract", "Extract File", "", "", command(&TfrmGRPExp::mnuItemsExtractClick)}});
    treeListPop_ = new QMenu(this);
    treeListPop_->setObjectName("TreeListPop");
    AddEntries(treeListPop_, {{"mnuTreeUpdate", "Update", "", "", command(&TfrmGRPExp::mnuItemsUpdateClick)},
                              {"N1", nullptr, "", "", nullptr},
                              {"mnuAddItem", "Add Item", "", "", command(&TfrmGRPExp::mnuItemsAddClick)},
                              {"mnuTreeDelete", "Delete Item", "", "", command(&TfrmGRPExp::mnuTreeDeleteClick)},
                              {"mnuTreeExtract", "Extract File", "", "", command(&TfrmGRPExp::mnuTreeExtractClick)}});
}

void TfrmGRPExp::createControls()
{
    listModel_ = new GrpListModel(this);
    listView1_ = new QTableView(this);
    listView1_->setObjectName("ListView1");
    listView1_->setModel(listModel_);
    listView1_->setShowGrid(true);
    listView1_->setSelectionBehavior(QAbstractItemView::SelectRows);
    listView1_->setSelectionMode(QAbstractItemView::SingleSelection);
    listView1_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    listView1_->setWordWrap(false);
    listView1_->setItemDelegate(new HotTrackDelegate(listView1_));
    listView1_->verticalHeader()->hide();
    // Every row the same height: a list of any length lays out at once.
    listView1_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    listView1_->verticalHeader()->setDefaultSectionSize(listView1_->fontMetrics().height() + 4);
    QHeaderView* header = listView1_->horizontalHeader();
    header->setHighlightSections(false);
    header->setStretchLastSection(false);
    header->setSectionResizeMode(0, QHeaderView::Stretch);
    header->setSectionResizeMode(1, QHeaderView::Fixed);
    header->setSectionResizeMode(2, QHeaderView::Fixed);
    header->resizeSection(1, 100);
    header->resizeSection(2, 100);
    listView1_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(listView1_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { listPopMenu_->popup(listView1_->viewport()->mapToGlobal(at)); });
    connect(listView1_->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        const QModelIndexList rows = listView1_->selectionModel()->selectedRows();
        view_.selectedRow = rows.isEmpty() ? -1 : rows.first().row();
    });

    treeModel_ = new GrpTreeModel(this);
    auto* panel1 = new QWidget(this);
    panel1->setObjectName("Panel1");
    panel1->setFixedWidth(242);
    fileList_ = new QTreeView(panel1);
    fileList_->setObjectName("FileList");
    fileList_->setModel(treeModel_);
    fileList_->setHeaderHidden(true);
    fileList_->setIndentation(19);
    fileList_->setUniformRowHeights(true);
    fileList_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    fileList_->setSelectionMode(QAbstractItemView::SingleSelection);
    fileList_->setItemDelegate(new HotTrackDelegate(fileList_));
    fileList_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(fileList_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { treeListPop_->popup(fileList_->viewport()->mapToGlobal(at)); });
    auto* panelLayout = new QVBoxLayout(panel1);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    panelLayout->addWidget(fileList_);

    statusBar_ = new QStatusBar(this);
    statusBar_->setObjectName("StatusBar");
    statusBar_->setSizeGripEnabled(false);
    const int widths[3] = {400, 150, 200};
    for (int i = 0; i < 3; ++i) {
        panels_[i] = new QLabel(statusBar_);
        panels_[i]->setObjectName(QString("StatusPanel%1").arg(i));
        // Wider when a text needs it: a signature of twelve letters, say.
        panels_[i]->setMinimumWidth(widths[i]);
        panels_[i]->setFrameShape(QFrame::Panel);
        panels_[i]->setFrameShadow(QFrame::Sunken);
        // Opaque: drawing a new text mid-operation leaves the widgets behind alone.
        panels_[i]->setAutoFillBackground(true);
        statusBar_->addWidget(panels_[i]);
    }
    progress_ = new QProgressBar(statusBar_);
    progress_->setObjectName("ProgressBar");
    progress_->setRange(0, 1000);
    progress_->setTextVisible(false);
    progress_->setFixedWidth(160);
    statusBar_->addPermanentWidget(progress_);
    progress_->hide();

    auto* body = new QHBoxLayout;
    body->setContentsMargins(0, 0, 0, 0);
    body->setSpacing(2);
    body->addWidget(listView1_, 1);
    body->addWidget(panel1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(body, 1);
    layout->addWidget(statusBar_);
}

// --- showing the model --------------------------------------------------------------

void TfrmGRPExp::run(const std::function<void()>& command)
{
    view_.treeListEnabled = !TreeListDisabled;
    RunGuarded(prompter_, command);
    showModel();
}

void TfrmGRPExp::showModel()
{
    progress_->hide();
    // The views report selection changes while rows go; the model's own choice counts.
    const int row = view_.selectedRow;
    listModel_->sync(view_.rows);
    treeModel_->sync(view_.groups);
    const bool selected = row >= 0 && row < listModel_->rowCount();
    if (selected)
        listView1_->selectionModel()->setCurrentIndex(
            listModel_->index(row, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    else
        listView1_->selectionModel()->clearSelection();
    view_.selectedRow = selected ? row : -1;
    for (int i = 0; i < 3; ++i)
        panels_[i]->setText(EntryText(view_.panels[i]));
    setWindowTitle(ToQString(view_.caption));
}

void TfrmGRPExp::changeEvent(QEvent* event)
{
    // The shell captions new windows itself; the model keeps whatever was set last.
    if (event->type() == QEvent::WindowTitleChange)
        view_.caption = FromQString(windowTitle());
    QWidget::changeEvent(event);
}

// --- window hooks ---------------------------------------------------------------------

void TfrmGRPExp::BeginBusy()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void TfrmGRPExp::EndBusy()
{
    QApplication::restoreOverrideCursor();
}

void TfrmGRPExp::ProcessPaintEvents()
{
    // Only the progress text is drawn now; no input is taken in the middle of an operation.
    panels_[0]->setText(EntryText(view_.panels[0]));
    panels_[0]->repaint();
}

int TfrmGRPExp::AskReservedSlots(std::int64_t archiveSize)
{
    slotsAsked_ = true;
    TfrmResSpace* dialog = ExplorerDialogs().resSpace;
    return dialog ? dialog->Execute(archiveSize) : 0;
}

void TfrmGRPExp::Progress(std::int64_t done, std::int64_t total)
{
    if (total <= 0)
        return;
    const int permille = static_cast<int>(done * 1000 / total);
    if (progress_->isHidden()) {
        panels_[0]->setText(EntryText(view_.panels[0]));
        progress_->setValue(0);
        progress_->show();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    }
    if (permille != progress_->value()) {
        progress_->setValue(permille);
        statusBar_->repaint();
    }
}

// --- activation and the shell's request -------------------------------------------------

void TfrmGRPExp::FormActivate()
{
    // Load and save requests and the like are meant for editor windows only.
    EditorRequests.DropPending();
    main_.ShowDocumentMenus(mainMenu1_);
    if (PendingFileName.empty() || PendingAction != 3)
        return;
    const std::string name = PendingFileName;
    PendingFileName.clear();
    PendingAction = 0;
    run([this, &name] {
        if (!FileExists(name)) {
            prompter_.ShowMessage("The file does not exist.");
            return;
        }
        view_.archivePath = name;
        LoadArchive(view_, name, prompter_);
    });
}

// --- commands ----------------------------------------------------------------------------

bool TfrmGRPExp::archiveOpen()
{
    if (!view_.archivePath.empty())
        return true;
    prompter_.ShowMessage(NoArchive);
    return false;
}

void TfrmGRPExp::mnuFileNewClick()
{
    OpenDialog.title = "New";
    OpenDialog.filter = GrpFilter;
    if (!prompter_.ExecuteOpen(OpenDialog))
        return;
    TfrmNewGRP* dialog = ExplorerDialogs().newGrp;
    const std::string signature = dialog ? dialog->Execute() : std::string();
    if (signature.empty()) {
        prompter_.ShowMessage("The group file was not created");
        return;
    }
    std::string path = OpenDialog.fileName;
    // Only the file's own name counts: a folder such as ~/.duke holds a "." too.
    if (ExtractFileName(path).find('.') == std::string::npos)
        path += ".GRP";
    CreateArchive(view_, path, signature, prompter_);
}

void TfrmGRPExp::mnuFileOpenClick()
{
    OpenDialog.title = "Open";
    OpenDialog.filter = GrpFilter;
    if (!Duke3DDir.empty())
        OpenDialog.initialDir = Duke3DDir;
    if (!prompter_.ExecuteOpen(OpenDialog))
        return;
    const std::string path = OpenDialog.fileName;
    if (!FileExists(path)) {
        prompter_.ShowMessage("The File " + path + " does not exist.");
        return;
    }
    view_.archivePath = path;
    LoadArchive(view_, path, prompter_);
}

void TfrmGRPExp::Close1Click()
{
    CloseArchive(view_, prompter_);
}

void TfrmGRPExp::NewGroupFileWindow1Click()
{
    main_.NewExplorerWindow("Tessel Group File Explorer - (No File Loaded)");
}

void TfrmGRPExp::NewConWindow1Click()
{
    main_.NewEditorWindow("VurAvozid - Unnamed");
}

void TfrmGRPExp::mnuFileExitClick()
{
    if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget()))
        frame->close();
    else
        close();
}

void TfrmGRPExp::mnuItemsUpdateClick()
{
    if (!archiveOpen())
        return;
    view_.rows.clear();
    view_.selectedRow = -1;
    LoadArchive(view_, view_.archivePath, prompter_);
}

void TfrmGRPExp::mnuItemsAddClick()
{
    if (!archiveOpen())
        return;
    OpenDialog.title = "File To Add";
    OpenDialog.filter = AllFilesFilter;
    if (prompter_.ExecuteOpen(OpenDialog))
        AddFile(view_, view_.archivePath, OpenDialog.fileName, prompter_);
}

void TfrmGRPExp::mnuItemsExtractClick()
{
    if (!archiveOpen())
        return;
    if (view_.selectedRow < 0 || view_.selectedRow >= static_cast<int>(view_.rows.size())) {
        prompter_.ShowMessage("There is nothing selected in the list.");
        return;
    }
    const std::string name = view_.rows[static_cast<std::size_t>(view_.selectedRow)].name;
    SaveDialog.title = "Extract to...";
    SaveDialog.filter = AllFilesFilter;
    SaveDialog.fileName = name;
    if (prompter_.ExecuteSave(SaveDialog))
        ExtractEntry(view_.archivePath, SaveDialog.fileName, name, prompter_);
}

void TfrmGRPExp::mnuItemsDeleteClick()
{
    if (archiveOpen())
        DeleteEntry(view_, view_.archivePath, prompter_);
}

void TfrmGRPExp::mnuItemsCResClick()
{
    CreateReservedSpaceCommand(view_, prompter_);
}

void TfrmGRPExp::mnuItemsEraseResClick()
{
    EraseAllReservedSpaceCommand(view_, prompter_);
}

void TfrmGRPExp::mnuItemsDefragClick()
{
    DefragmentArchiveCommand(view_, prompter_);
}

void TfrmGRPExp::mnuViewOptionsClick()
{
    if (TfrmGRPOptions* dialog = ExplorerDialogs().options)
        dialog->exec();
}

void TfrmGRPExp::mnuTreeDeleteClick()
{
    if (TreeListDisabled) {
        prompter_.ShowMessage("You disabled the treelist, so you cannot operate it...");
        return;
    }
    const QModelIndexList selected = fileList_->selectionModel()->selectedIndexes();
    if (treeModel_->rowCount() > 0 && !selected.isEmpty())
        DeleteTreeEntry(view_, view_.archivePath, treeModel_->nodeText(selected.first()), prompter_);
}

void TfrmGRPExp::mnuTreeExtractClick()
{
    if (TreeListDisabled) {
        prompter_.ShowMessage("You disabled the treelist, so you cannot operate it...");
        return;
    }
    const QModelIndexList selected = fileList_->selectionModel()->selectedIndexes();
    if (treeModel_->rowCount() == 0 || selected.isEmpty())
        return;
    const std::string name = treeModel_->nodeText(selected.first());
    SaveDialog.title = "Extract to...";
    SaveDialog.filter = AllFilesFilter;
    SaveDialog.fileName = name;
    if (prompter_.ExecuteSave(SaveDialog))
        ExtractEntry(view_.archivePath, SaveDialog.fileName, name, prompter_);
}

// --- files dropped from a file manager ------------------------------------------------------

void TfrmGRPExp::dragEnterEvent(QDragEnterEvent* event)
{
    if (!LocalFiles(event->mimeData()).empty())
        event->acceptProposedAction();
}

void TfrmGRPExp::dropEvent(QDropEvent* event)
{
    const std::vector<std::string> files = LocalFiles(event->mimeData());
    if (files.empty())
        return;
    event->acceptProposedAction();
    run([this, &files] { addFiles(files); });
}

void TfrmGRPExp::addFiles(const std::vector<std::string>& files)
{
    for (const std::string& file : files) {
        if (!archiveOpen())
            return;
        slotsAsked_ = false;
        AddFile(view_, view_.archivePath, file, prompter_);
        // Out of slots: that file was not added, as with Add; the rest wait
        // for the user to drop them again onto the space now made.
        if (slotsAsked_)
            return;
    }
}

// --- shared dialogs and the shell's factory ----------------------------------------------------

ExplorerDialogSet& ExplorerDialogs()
{
    static ExplorerDialogSet dialogs;
    return dialogs;
}

void CreateExplorerDialogs(TMainForm& main)
{
    ExplorerDialogSet& d = ExplorerDialogs();
    d.options = new TfrmGRPOptions(main.prompter(), &main);
    main.AddToolWindow(d.options);
    d.resSpace = new TfrmResSpace(&main);
    main.AddToolWindow(d.resSpace);
    d.newGrp = new TfrmNewGRP(&main);
    main.AddToolWindow(d.newGrp);
}

void RegisterExplorerWindows(TMainForm& main)
{
    main.setExplorerFactory([](TMainForm& m) -> QWidget* { return new TfrmGRPExp(m.prompter(), m); });
}

} // namespace tessel
