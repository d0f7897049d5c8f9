#include "windows/grp/GRPExp.h"

#include <QAction>
#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileSystemWatcher>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QImageReader>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QProgressBar>
#include <QSplitter>
#include <QStatusBar>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

#include "editor/DocumentStore.h"
#include "grp/ExplorerOptions.h"
#include "grp/GrpCommands.h"
#include "grp/GrpContents.h"
#include "grp/GrpOperations.h"
#include "launch/GameDirectories.h"
#include "platform/Files.h"
#include "session/DocumentNames.h"
#include "session/Session.h"
#include "ui/Guarded.h"
#include "ui/Menus.h"
#include "ui/QtPaths.h"
#include "ui/Shell.h"
#include "windows/grp/GrpItemModels.h"
#include "windows/grp/GrpOpts.h"
#include "windows/grp/GrpPreview.h"
#include "windows/grp/NewGRP.h"
#include "windows/grp/ResSpace.h"

namespace tessel {

namespace {

// The explorer's menus, which stand in the main window's bar while it is the
// current document window, and its two context menus.
constexpr Cmd None = Cmd::Count;
// clang-format off
const CommandRow MenuRows[] = {
    {Row::Menu, None, "mnuFile", "&File", "", "", 0, None},
    {Row::Item, Cmd::GrpNew, "mnuFileNew", "&New &Group File...", "Ctrl+N", "document-new", 0, None},
    {Row::Item, Cmd::GrpOpen, "mnuFileOpen", "&Open...", "Ctrl+O", "document-open", 0, None},
    {Row::Item, Cmd::GrpSaveAs, "mnuFileSaveAs", "Save &As...", "", "document-save-as", 0, None},
    {Row::Item, Cmd::GrpClose, "Close1", "&Close Group File", "Ctrl+C", "", 0, None},
    {Row::Separator, None, "", "", "", "", 0, None},
    {Row::Item, Cmd::GrpNewWindow, "NewGroupFileWindow1", "New G&roup File Window", "", "", 0, None},
    {Row::Item, Cmd::GrpNewConEditor, "NewConWindow1", "New &Con Editor", "", "", 0, None},
    {Row::Separator, None, "", "", "", "", 0, None},
    {Row::Item, Cmd::GrpExit, "mnuFileExit", "Close GRP Explorer", "", "", 0, None},
    {Row::Menu, None, "mnuItems", "&Items", "", "", 0, None},
    {Row::Item, Cmd::GrpUpdate, "mnuItemsUpdate", "&Update", "", "", 0, None},
    {Row::Separator, None, "", "", "", "", 0, None},
    {Row::Item, Cmd::GrpAdd, "mnuItemsAdd", "&Add", "F2", "list-add", 0, None},
    {Row::Item, Cmd::GrpExtract, "mnuItemsExtract", "&Extract", "F3", "document-save", 0, None},
    {Row::Item, Cmd::GrpDelete, "mnuItemsDelete", "&Delete", "Del", "edit-delete", 0, None},
    {Row::Item, Cmd::GrpOpenInEditor, "mnuItemsOpenInEditor", "&Open in Editor", "", "accessories-text-editor", 0, None},
    {Row::Separator, None, "", "", "", "", 0, None},
    // Duplicates are always looked for; the mark cannot be taken off.
    {Row::Item, Cmd::GrpDuplicates, "mnuItemsDuplicate", "Detect Duplicate Files", "", "", cfChecked, None},
    {Row::Separator, None, "", "", "", "", 0, None},
    {Row::Item, Cmd::GrpCreateReserved, "mnuItemsCRes", "&Create Reserved Space", "", "", 0, None},
    {Row::Item, Cmd::GrpEraseReserved, "mnuItemsEraseRes", "Erase All &Reserved Space", "", "", 0, None},
    {Row::Item, Cmd::GrpDefragment, "mnuItemsDefrag", "De&fragment Archive", "", "", 0, None},
    {Row::Menu, None, "mnuView", "&View", "", "", 0, None},
    {Row::Item, Cmd::GrpOptions, "mnuViewOptions", "&General Options...", "", "", 0, None},
    {Row::Item, Cmd::GrpPreview, "mnuViewPreview", "&Preview Pane", "", "", cfCheckable, None},
};
const CommandRow ListPopRows[] = {
    {Row::Item, Cmd::GrpUpdate, "popUpdate", "&Update", "", "", 0, None},
    {Row::Separator, None, "", "", "", "", 0, None},
    {Row::Item, Cmd::GrpAdd, "popAdd", "Add File", "", "", 0, None},
    {Row::Item, Cmd::GrpDelete, "popDelete", "Delete File", "", "", 0, None},
    {Row::Item, Cmd::GrpExtract, "popExtract", "Extract File", "", "", 0, None},
    {Row::Item, Cmd::GrpOpenInEditor, "popOpenInEditor", "Open in Editor", "", "", 0, None},
};
const CommandRow TreePopRows[] = {
    {Row::Item, Cmd::GrpUpdate, "mnuTreeUpdate", "Update", "", "", 0, None},
    {Row::Separator, None, "N1", "", "", "", 0, None},
    {Row::Item, Cmd::GrpAdd, "mnuAddItem", "Add Item", "", "", 0, None},
    {Row::Item, Cmd::GrpTreeDelete, "mnuTreeDelete", "Delete Item", "", "", 0, None},
    {Row::Item, Cmd::GrpTreeExtract, "mnuTreeExtract", "Extract File", "", "", 0, None},
};
// clang-format on

template <std::size_t N>
constexpr int Count(const CommandRow (&)[N])
{
    return static_cast<int>(N);
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

// Every explorer window: the others' archives lend their palette to tiles.
std::vector<TfrmGRPExp*>& Explorers()
{
    static std::vector<TfrmGRPExp*> explorers;
    return explorers;
}

// An entry opened in an editor window: its text comes from the archive and
// its Save goes back there; the explorer that opened it reads its list again.
class ArchiveEntryStore : public DocumentStore {
public:
    ArchiveEntryStore(const std::string& archive, const std::string& entry, TfrmGRPExp* explorer)
        : document_(archive, entry), explorer_(explorer)
    {
    }
    std::string Name() const override { return document_.Name(); }
    std::string Read() override { return document_.Read(); }
    bool Write(std::string_view bytes, Prompter& prompter) override
    {
        if (!document_.Write(bytes, prompter))
            return false;
        if (explorer_ && explorer_->FileName() == document_.ArchivePath())
            explorer_->EntryWritten(document_.SavedText() + " (from its editor window)");
        return true;
    }
    std::string SavedText() const override { return document_.SavedText(); }

private:
    GrpEntryDocument document_;
    QPointer<TfrmGRPExp> explorer_;
};

} // namespace

// --- building the window --------------------------------------------------------

TfrmGRPExp::TfrmGRPExp(Shell& shell, const ExplorerDialogs& dialogs, const ExplorerState& state,
                       const std::string& archive, QWidget* parent)
    : QWidget(parent), shell_(shell), options_(state.options), directories_(state.directories),
      session_(state.session), prompter_(shell.Prompts()), dialogs_(dialogs), pendingArchive_(archive)
{
    setObjectName("frmGRPExp");
    Explorers().push_back(this);
    view_.hooks = this;
    CreateMenus();
    CreateControls();
    setAcceptDrops(true);
    setWindowIcon(ToolIcon("package-x-generic"));
    setWindowTitle(QString::fromStdString(view_.caption));
    watcher_ = new QFileSystemWatcher(this);
    OnSignal(prompter_, watcher_, &QFileSystemWatcher::fileChanged, this, [this] {
        // Read again now only where the user looks; otherwise at the next activation.
        if (shell_.ActiveDocument() == this && isActiveWindow())
            Refresh();
        else
            Watch();
    });
    ShowModel();
}

TfrmGRPExp::~TfrmGRPExp()
{
    view_.hooks = nullptr;
    auto& explorers = Explorers();
    explorers.erase(std::remove(explorers.begin(), explorers.end(), this), explorers.end());
}

QSize TfrmGRPExp::sizeHint() const
{
    // Room for the preview beside the list, when it is shown.
    return QSize(825 + (options_.PreviewHidden ? 0 : options_.PreviewWidth), 591);
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
    if (!options_.PreviewHidden && split_->width() > 0)
        split_->setSizes({std::max(100, split_->width() - options_.PreviewWidth), options_.PreviewWidth});
}

void TfrmGRPExp::CreateMenus()
{
    // Never shown itself: the main window shows its menus in its own bar.
    mainMenu1_ = new QMenuBar(this);
    mainMenu1_->setObjectName("MainMenu1");
    mainMenu1_->hide();
    listPopMenu_ = new QMenu(this);
    listPopMenu_->setObjectName("ListPopMenu");
    treeListPop_ = new QMenu(this);
    treeListPop_->setObjectName("TreeListPop");
    const RowBuilt connectRow = [this](const CommandRow& row, QAction* action) {
        if (row.kind != Row::Item)
            return;
        if (row.id == Cmd::GrpDuplicates)
            OnSignal(prompter_, action, &QAction::toggled, action, [action] { action->setChecked(true); });
        else if (row.id != Cmd::GrpSaveAs)
            OnSignal(prompter_, action, &QAction::triggered, this, [this, id = row.id] { RunCommand(id); });
    };
    BuildCommandRows(MenuRows, Count(MenuRows), mainMenu1_, nullptr, nullptr, connectRow);
    BuildCommandRows(ListPopRows, Count(ListPopRows), nullptr, listPopMenu_, nullptr, connectRow);
    BuildCommandRows(TreePopRows, Count(TreePopRows), nullptr, treeListPop_, nullptr, connectRow);
    mainMenu1_->findChild<QAction*>("mnuViewPreview")->setChecked(!options_.PreviewHidden);
}

QList<QAction*> TfrmGRPExp::DocumentMenus() const
{
    return mainMenu1_->actions();
}

void TfrmGRPExp::CreateControls()
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
    OnSignal(prompter_, listView1_, &QWidget::customContextMenuRequested, this,
             [this](const QPoint& at) { listPopMenu_->popup(listView1_->viewport()->mapToGlobal(at)); });
    OnSignal(prompter_, listView1_->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        const QModelIndexList rows = listView1_->selectionModel()->selectedRows();
        view_.selectedRow = rows.isEmpty() ? -1 : rows.first().row();
        previewTimer_->start();
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
    OnSignal(prompter_, fileList_, &QWidget::customContextMenuRequested, this,
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
        panels_[i]->setTextFormat(Qt::PlainText);   // names and signatures from the archive are never markup
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

    preview_ = new TfrmGrpPreview([this](int game) { return KeywordTable(game); }, this);
    preview_->setVisible(!options_.PreviewHidden);
    preview_->setMinimumWidth(120);   // narrower than its buttons, if the user wants
    OnSignal(prompter_, preview_, &TfrmGrpPreview::status, this, [this](const QString& text) {
        view_.panels[0] = FromQString(text);
        panels_[0]->setText(text);
    });
    OnSignal(prompter_, preview_, &TfrmGrpPreview::openInEditor, this,
             [this](const QString& name) { OpenInEditor(FromQString(name)); });
    OnSignal(prompter_, preview_, &TfrmGrpPreview::exportTile, this, [this](int tile) {
        Run([this, tile] { ExportTileCommand(view_, tile, preview_->TileColors(), SaveDialog, prompter_); });
    });
    OnSignal(prompter_, preview_, &TfrmGrpPreview::replaceTile, this, [this](int tile) { ReplaceTile(tile); });
    previewTimer_ = new QTimer(this);
    previewTimer_->setSingleShot(true);
    previewTimer_->setInterval(40);
    OnSignal(prompter_, previewTimer_, &QTimer::timeout, this, [this] { PreviewSelection(); });
    widthTimer_ = new QTimer(this);
    widthTimer_->setSingleShot(true);
    widthTimer_->setInterval(500);
    OnSignal(prompter_, widthTimer_, &QTimer::timeout, this, [this] {
        session_.Settings().WriteInteger("GroupFileExplorer", "PreviewWidth", options_.PreviewWidth);
    });
    split_ = new QSplitter(Qt::Horizontal, this);
    split_->setObjectName("PreviewSplitter");
    split_->setChildrenCollapsible(false);
    split_->addWidget(listView1_);
    split_->addWidget(preview_);
    split_->setStretchFactor(0, 1);
    split_->setStretchFactor(1, 0);
    OnSignal(prompter_, split_, &QSplitter::splitterMoved, this, [this] {
        if (!preview_->isVisible())
            return;
        options_.PreviewWidth = std::max(120, split_->sizes().value(1));
        widthTimer_->start();
    });

    auto* body = new QHBoxLayout;
    body->setContentsMargins(0, 0, 0, 0);
    body->setSpacing(2);
    body->addWidget(split_, 1);
    body->addWidget(panel1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(body, 1);
    layout->addWidget(statusBar_);
}

// --- showing the model --------------------------------------------------------------

void TfrmGRPExp::Run(const std::function<void()>& command)
{
    view_.treeListEnabled = !options_.TreeListDisabled;
    RunGuarded(prompter_, command);
    ShowModel();
}

void TfrmGRPExp::Refresh()
{
    view_.treeListEnabled = !options_.TreeListDisabled;
    bool changed = false;
    RunGuarded(prompter_, [this, &changed] { changed = RereadWhenChanged(view_, prompter_); });
    if (changed)
        ShowModel();
}

void TfrmGRPExp::Watch()
{
    if (!watcher_->files().isEmpty())
        watcher_->removePaths(watcher_->files());
    if (FileExists(view_.archivePath))
        watcher_->addPath(ToQString(view_.archivePath));   // anew: a rebuild replaces the file
}

void TfrmGRPExp::ShowModel()
{
    Watch();
    progress_->hide();
    // The views report selection changes while rows go; the model's own choice counts.
    const int row = view_.selectedRow;
    listModel_->Sync(view_.rows);
    treeModel_->Sync(view_.groups);
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
    previewTimer_->start();
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
    return dialogs_.resSpace ? dialogs_.resSpace->Execute(archiveSize) : 0;
}

std::string TfrmGRPExp::AskSignature()
{
    return dialogs_.newGrp ? dialogs_.newGrp->Execute() : std::string();
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
    if (pendingArchive_.empty()) {
        Refresh();
        return;
    }
    const std::string name = std::exchange(pendingArchive_, std::string());
    Run([this, &name] { OpenPendingArchive(view_, name, prompter_); });
}

// --- commands ----------------------------------------------------------------------------

std::optional<std::string> TfrmGRPExp::SelectedNode() const
{
    const QModelIndexList selected = fileList_->selectionModel()->selectedIndexes();
    if (treeModel_->rowCount() == 0 || selected.isEmpty())
        return std::nullopt;
    return treeModel_->NodeText(selected.first());
}

void TfrmGRPExp::RunCommand(Cmd id)
{
    switch (id) {
    case Cmd::GrpNewWindow:
        shell_.NewExplorerWindow(NoArchiveCaption);
        return;
    case Cmd::GrpNewConEditor:
        shell_.NewEditorWindow(ToQString(EditorCaption(UnnamedName)));
        return;
    case Cmd::GrpExit:
        if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget()))
            frame->close();
        else
            close();
        return;
    case Cmd::GrpOptions:
        if (dialogs_.options)
            dialogs_.options->exec();
        return;
    case Cmd::GrpPreview:
        ShowPreview(mainMenu1_->findChild<QAction*>("mnuViewPreview")->isChecked());
        return;
    case Cmd::GrpOpenInEditor:
        if (view_.selectedRow >= 0 && view_.selectedRow < static_cast<int>(view_.rows.size()))
            OpenInEditor(view_.rows[static_cast<std::size_t>(view_.selectedRow)].name);
        else
            prompter_.ShowMessage(view_.archivePath.empty() ? "There is no archive open."
                                                            : "There is nothing selected in the list.");
        return;
    default:
        break;
    }
    Run([this, id] {
        switch (id) {
        case Cmd::GrpNew: NewArchiveCommand(view_, OpenDialog, prompter_); break;
        case Cmd::GrpOpen: OpenArchiveCommand(view_, OpenDialog, directories_.Duke3DDir, prompter_); break;
        case Cmd::GrpClose: CloseArchive(view_, prompter_); break;
        case Cmd::GrpUpdate: UpdateCommand(view_, prompter_); break;
        case Cmd::GrpAdd: AddCommand(view_, OpenDialog, prompter_); break;
        case Cmd::GrpExtract: ExtractCommand(view_, SaveDialog, prompter_); break;
        case Cmd::GrpDelete: DeleteCommand(view_, prompter_); break;
        case Cmd::GrpCreateReserved: CreateReservedSpaceCommand(view_, prompter_); break;
        case Cmd::GrpEraseReserved: EraseAllReservedSpaceCommand(view_, prompter_); break;
        case Cmd::GrpDefragment: DefragmentArchiveCommand(view_, prompter_); break;
        case Cmd::GrpTreeDelete: TreeDeleteCommand(view_, SelectedNode(), options_.TreeListDisabled, prompter_); break;
        case Cmd::GrpTreeExtract:
            TreeExtractCommand(view_, SelectedNode(), options_.TreeListDisabled, SaveDialog, prompter_);
            break;
        default: break;
        }
    });
}

// --- the preview and the entries opened elsewhere --------------------------------------------

void TfrmGRPExp::PreviewSelection()
{
    if (!preview_->isVisible())
        return;
    const int row = view_.selectedRow;
    if (view_.archivePath.empty() || row < 0 || row >= static_cast<int>(view_.rows.size())) {
        if (!previewed_.empty())
            preview_->Clear();
        previewed_.clear();
        return;
    }
    const GrpRow& entry = view_.rows[static_cast<std::size_t>(row)];
    // Read again only when another entry is selected or the archive changed.
    const std::string key = view_.archivePath + '\n' + entry.name + '\n' + std::to_string(entry.offset) + '\n' +
                            std::to_string(view_.stamp.modified) + '\n' + std::to_string(view_.stamp.size);
    if (key == previewed_)
        return;
    previewed_ = key;
    std::vector<std::string> others;
    for (const TfrmGRPExp* e : Explorers())
        if (e != this && !e->view_.archivePath.empty() && e->view_.archivePath != view_.archivePath)
            others.push_back(e->view_.archivePath);
    preview_->ShowEntry(view_.archivePath, entry, others);
}

void TfrmGRPExp::ShowPreview(bool shown)
{
    options_.PreviewHidden = !shown;
    preview_->setVisible(shown);
    if (shown) {
        split_->setSizes({std::max(100, split_->width() - options_.PreviewWidth), options_.PreviewWidth});
        previewed_.clear();
        PreviewSelection();
    } else {
        preview_->Clear();
        previewed_.clear();
    }
    RunGuarded(prompter_, [this] { session_.Settings().WriteBool("GroupFileExplorer", "PreviewHidden", options_.PreviewHidden); });
}

std::shared_ptr<const KeywordTableType> TfrmGRPExp::KeywordTable(int game)
{
    auto& table = tables_[game];
    if (!table) {
        // Faulty lines of a colour file are the editor's to report, not a preview's.
        class Quiet : public Prompter {
        public:
            void ShowMessage(const std::string&) override {}
            MsgResult MessageDlg(const std::string&, MsgType, MsgButtons) override { return MsgResult::No; }
            void ShowError(const std::string&) override {}
            bool ExecuteOpen(FileDialog&) override { return false; }
            bool ExecuteSave(FileDialog&) override { return false; }
        } quiet;
        auto loaded = std::make_shared<KeywordTableType>();
        try {
            LoadColorDefinitions(game, session_.Locations.DataFolder(ColorDefinitionFileName(game)), *loaded, quiet);
        } catch (const AppError&) {
            // the keywords read before a fault colour what they can
        }
        table = std::move(loaded);
    }
    return table;
}

void TfrmGRPExp::OpenInEditor(const std::string& name)
{
    if (view_.archivePath.empty()) {
        prompter_.ShowMessage("There is no archive open.");
        return;
    }
    RunGuarded(prompter_, [&] {
        if (!shell_.OpenStoredDocument(std::make_shared<ArchiveEntryStore>(view_.archivePath, name, this)))
            prompter_.ShowMessage(name + " cannot be opened in an editor window.");
    });
}

void TfrmGRPExp::EntryWritten(const std::string& text)
{
    Run([this, &text] {
        const int row = view_.selectedRow;
        UpdateCommand(view_, prompter_);
        view_.selectedRow = row < static_cast<int>(view_.rows.size()) ? row : -1;
        view_.panels[0] = text;
    });
}

void TfrmGRPExp::ReplaceTile(int tile)
{
    FileDialog& dialog = OpenDialog;
    dialog.title = "Replace tile " + std::to_string(tile) + " with...";
    dialog.filter = "Pictures (*.png;*.bmp;*.gif)|*.png;*.bmp;*.gif|All Files (*.*)|*.*";
    if (!prompter_.ExecuteOpenPicture(dialog))
        return;
    QImageReader reader(ToQString(dialog.fileName));
    const QSize size = reader.size();
    if (size.width() > 4096 || size.height() > 4096 || qint64(size.width()) * size.height() > MaxPicturePixels) {
        prompter_.ShowMessage(dialog.fileName + " is larger than a tile may be (4096 x 4096 pixels).");
        return;
    }
    const QImage image = reader.read().convertToFormat(QImage::Format_RGBA8888);
    if (image.isNull()) {
        prompter_.ShowMessage(dialog.fileName + " is not a picture Tessel can read (PNG, BMP, GIF): " +
                              FromQString(reader.errorString()));
        return;
    }
    RgbaImage picture;
    picture.width = image.width();
    picture.height = image.height();
    for (int y = 0; y < image.height(); ++y)
        picture.rgba.append(reinterpret_cast<const char*>(image.constScanLine(y)), std::size_t(image.width()) * 4);
    Run([this, tile, &picture] { ReplaceTileCommand(view_, tile, picture, prompter_); });
}

// --- files dropped from a file manager ------------------------------------------------------

void TfrmGRPExp::dragEnterEvent(QDragEnterEvent* event)
{
    if (!LocalFileNames(event->mimeData()).empty())
        event->acceptProposedAction();
}

void TfrmGRPExp::dropEvent(QDropEvent* event)
{
    const std::vector<std::string> files = LocalFileNames(event->mimeData());
    if (files.empty())
        return;
    event->acceptProposedAction();
    Run([this, &files] { AddDroppedFiles(view_, files, prompter_); });
}

} // namespace tessel
