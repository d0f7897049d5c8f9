#include "shell/Main.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDockWidget>
#include <QFile>
#include <QIcon>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>
#include <cstring>

#include "language/ColorDefinitions.h"
#include "language/WizardFile.h"
#include "shell/Commands.h"
#include "shell/DocumentWindow.h"
#include "shell/Globals.h"
#include "shell/QtPaths.h"
#include "shell/Resources.h"
#include "shell/Session.h"

namespace tessel {

namespace {

// The menus of the three game modes, in mode order.
const std::array<const char*, 3> GameMenuNames = {"mnuDuke", "mnuQuake", "mnuVerge"};

void SetEnabled(QObject* control, bool enabled)
{
    if (auto* action = qobject_cast<QAction*>(control))
        action->setEnabled(enabled);
    else if (auto* widget = qobject_cast<QWidget*>(control))
        widget->setEnabled(enabled);
}

} // namespace

QIcon ToolIcon(const char* name)
{
    if (QIcon::hasThemeIcon(name))
        return QIcon::fromTheme(name);
    const QString ours = QStringLiteral(":/icons/%1.svg").arg(QLatin1String(name));
    return QFile::exists(ours) ? QIcon(ours) : QIcon();
}

TMainForm::TMainForm(Prompter& prompter, const std::string& programDir, QWidget* parent)
    : QMainWindow(parent), prompter_(prompter)
{
    UseResources();
    setObjectName("MainForm");
    setWindowTitle("Tessel / Launcher");
    mdiArea_ = new QMdiArea(this);
    mdiArea_->setObjectName("MdiArea");
    mdiArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mdiArea_);
    connect(mdiArea_, &QMdiArea::subWindowActivated, this, &TMainForm::OnSubWindowActivated);

    // No menu of Qt's own on the bars: it could hide a bar behind the View
    // menu's marks, or the launch bar, which has no toggle.
    setContextMenuPolicy(Qt::NoContextMenu);

    CreateCommands();
    CreateWizardPane();
    CreateStatusBar();
    RegisterFileCommands(*this);
    RegisterEditCommands(*this);
    RegisterViewCommands(*this);
    RegisterSearchCommands(*this);
    RegisterWizardCommands(*this);
    RegisterClipboardCommands(*this);
    RegisterToolWindowCommands(*this);
    RegisterExplorerWindows(*this);
    RegisterLaunchCommands(*this);
    RegisterDocumentWindows(*this);
    OpenDialog.filter = StartupOpenFilter;
    SaveDialog1.filter = StartupSaveFilter;

    SetProgramDir(programDir.empty() ? ExecutableDir() : programDir);
    FormCreate();
}

TMainForm::~TMainForm()
{
    // The document area outlives this body and reports its windows going away.
    disconnect(mdiArea_, nullptr, this, nullptr);
    if (shownMenus_)
        disconnect(shownMenus_, nullptr, this, nullptr);
    qApp->removeEventFilter(this);
    for (QPointer<QWidget>& window : toolWindows_)
        delete window.data();
    FormDestroy();
}

void TMainForm::AddToolWindow(QWidget* window)
{
    toolWindows_.emplace_back(window);
}

// --- building the window ------------------------------------------------------

void TMainForm::CreateCommands()
{
    QMenu* menu = nullptr;
    QToolBar* bar = nullptr;
    for (int i = 0; i < CommandRowCount; ++i) {
        const CommandRow& row = CommandRows[i];
        switch (row.kind) {
        case Row::Menu:
            menu = menuBar()->addMenu(row.caption);
            menu->setObjectName(row.name);
            menu->menuAction()->setObjectName(QString(row.name) + "Menu");
            for (std::size_t mode = 0; mode < GameMenuNames.size(); ++mode)
                if (std::strcmp(row.name, GameMenuNames[mode]) == 0)
                    gameMenus_[mode] = menu;
            break;
        case Row::Bar:
            menu = nullptr;
            bar = new QToolBar(row.caption, this);
            bar->setObjectName(row.name);
            // Bands that move within the top area: a floating or side bar
            // could cover the wizard pane's buttons.
            bar->setMovable(true);
            bar->setFloatable(false);
            bar->setAllowedAreas(Qt::TopToolBarArea);
            bar->setIconSize(QSize(24, 24));
            addToolBar(Qt::TopToolBarArea, bar);
            // "ToolBar1".."ToolBar3": kept under their own numbers.
            toolBars_[static_cast<std::size_t>(row.name[std::strlen(row.name) - 1] - '1')] = bar;
            break;
        case Row::Separator: {
            QAction* separator = menu ? menu->addSeparator() : bar->addSeparator();
            if (*row.name)
                separator->setObjectName(row.name);
            separator->setVisible(!(row.flags & cfHidden));
            if (QLatin1String(row.name) == QLatin1String("mnuFileSep2"))
                mnuFileSep2_ = separator;
            break;
        }
        case Row::Item:
        case Row::Tool: {
            QAction* action = row.kind == Row::Item ? menu->addAction(row.caption)
                                                    : bar->addAction(ToolIcon(row.icon), row.caption);
            action->setObjectName(row.name);
            if (row.kind == Row::Tool)
                action->setToolTip(row.caption);
            action->setShortcut(QKeySequence(row.shortcut));
            action->setEnabled(!(row.flags & cfOff));
            action->setCheckable(row.flags & cfCheckable);
            action->setVisible(!(row.flags & cfHidden));
            actions_[static_cast<std::size_t>(row.id)] = action;
            if (row.flags & cfEditorGroup)
                ((row.flags & cfKeptForLauncher) ? keptForLauncher_ : editorGroup_).push_back(action);
            break;
        }
        }
    }
}

void TMainForm::onCommand(Cmd id, std::function<void()> handler)
{
    auto run = [this, handler] { RunGuarded(prompter_, handler); };
    connect(action(id), &QAction::triggered, this, run);
    for (int i = 0; i < CommandRowCount; ++i)
        if (CommandRows[i].kind == Row::Tool && CommandRows[i].same == id)
            connect(action(CommandRows[i].id), &QAction::triggered, this, run);
}

void TMainForm::CreateWizardPane()
{
    controlBar1_ = new QDockWidget(this);
    controlBar1_->setObjectName("ControlBar1");
    controlBar1_->setFeatures(QDockWidget::NoDockWidgetFeatures);
    controlBar1_->setTitleBarWidget(new QWidget(controlBar1_));
    auto* pane = new QWidget(controlBar1_);
    pane->setFixedWidth(125);
    auto* layout = new QVBoxLayout(pane);
    layout->setContentsMargins(4, 4, 4, 4);
    lblWizard_ = new QLabel("Con Wizard", pane);
    lblWizard_->setObjectName("lblWizard");
    mainConWiz_ = new QListWidget(pane);
    mainConWiz_->setObjectName("MainConWiz");
    auto* insert = btnWizInsert_ = new QPushButton("&Insert", pane);
    insert->setObjectName("btnWizInsert");
    insert->setToolTip("Alt + C");
    auto* parameters = btnParameters_ = new QPushButton("&Parameters", pane);
    parameters->setObjectName("btnParameters");
    parameters->setToolTip("Shows parameters for selected function in the status bar");
    for (QWidget* w : std::initializer_list<QWidget*>{mainConWiz_, insert, parameters}) {
        w->setEnabled(false);
        editorGroup_.push_back(w);
    }
    // Never shown: the wizard loader fills the second list alongside the first.
    auto* staticText1 = new QLabel(pane);
    staticText1->setObjectName("StaticText1");
    staticText1->hide();
    movConWiz_ = new QListWidget(pane);
    movConWiz_->setObjectName("MovConWiz");
    movConWiz_->hide();
    layout->addWidget(lblWizard_);
    layout->addWidget(mainConWiz_, 1);
    layout->addWidget(insert);
    layout->addWidget(parameters);
    controlBar1_->setWidget(pane);
    addDockWidget(Qt::LeftDockWidgetArea, controlBar1_);
}

void TMainForm::CreateStatusBar()
{
    statusBar1_ = new QStatusBar(this);
    statusBar1_->setObjectName("StatusBar1");
    setStatusBar(statusBar1_);
    const int widths[4] = {500, 60, 150, 50};
    const char* texts[4] = {"Ready", "", "Line: 0 ; Column: 0", ""};
    for (int i = 0; i < 4; ++i) {
        panels_[i] = new QLabel(texts[i], statusBar1_);
        panels_[i]->setObjectName(QString("StatusPanel%1").arg(i));
        panels_[i]->setFixedWidth(widths[i]);
        panels_[i]->setFrameShape(QFrame::Panel);
        panels_[i]->setFrameShadow(QFrame::Sunken);
        statusBar1_->addWidget(panels_[i]);
    }
    panels_[1]->setAlignment(Qt::AlignCenter);
}

// --- creation and destruction -----------------------------------------------

void TMainForm::FormCreate()
{
    AutoIndent = true;
    qApp->installEventFilter(this);
    setWindowState(windowState() | Qt::WindowMaximized);
    EditorRequests.UserFndText.Position = 0;

    const StartupSettings settings = ReadStartupSettings(Settings(), RecentCount);
    std::copy(settings.recent.begin(), settings.recent.end(), RecentList.begin());
    if (!RecentList[0].empty())
        RefreshRecentMenu();
    TreeListDisabled = settings.treeListDisabled;

    GameMode = settings.gameUp;
    if (GameModeOf(settings.gameUp))
        SwitchGameMode(settings.gameUp);

    RunGuarded(prompter_, [this] { LoadWizardFile(ProgramDir, Wizard, prompter_); });
    for (const std::string& name : Wizard.Names) {
        mainConWiz_->addItem(QString::fromStdString(name));
        movConWiz_->addItem(QString::fromStdString(name));
    }
}

void TMainForm::FormDestroy()
{
    if (destroyed_)
        return;
    destroyed_ = true;
    RunGuarded(prompter_, [] {
        ProfileFile ini = Settings();
        WriteSessionSettings(ini, GameMode, RecentList);
    });
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    // A question that fails (a save that cannot be written) keeps the program running.
    bool mayClose = false;
    RunGuarded(prompter_, [&] {
        for (QMdiSubWindow* w : mdiArea_->subWindowList())
            if (auto* doc = dynamic_cast<DocumentWindow*>(w->widget()); doc && !doc->FormCloseQuery())
                return;
        mayClose = true;
    });
    event->setAccepted(mayClose);
}

// --- game modes ---------------------------------------------------------------

void TMainForm::SwitchGameMode(int mode)
{
    const GameModeInfo* m = GameModeOf(mode);
    if (!m)
        return;
    lblWizard_->setText(m->wizardCaption);
    RestoreChildWindows();
    for (int other = 1; other <= 3; ++other)
        gameMenu(other)->menuAction()->setVisible(other == mode);
    GameMode = mode;
    LoadColorDefinitionsForMode(mode);
    OpenDialog.filter = m->openFilter;
    SaveDialog1.filter = m->saveFilter;
}

void TMainForm::LoadColorDefinitionsForMode(int mode)
{
    // A faulty colour number ends the load, not the mode switch.
    RunGuarded(prompter_, [&] {
        if (!LoadColorDefinitions(mode, ProgramDir, KeywordTable, prompter_))
            NoColoring = false;
    });
}

void TMainForm::RestoreChildWindows()
{
    const QList<QMdiSubWindow*> windows = mdiArea_->subWindowList();
    for (auto it = windows.rbegin(); it != windows.rend(); ++it)
        (*it)->showNormal();
}

// --- recent files ---------------------------------------------------------------

void TMainForm::RefreshRecentMenu()
{
    const Cmd items[RecentCount] = {Cmd::FileRecent1, Cmd::FileRecent2, Cmd::FileRecent3, Cmd::FileRecent4};
    for (const Cmd item : items)
        action(item)->setVisible(false);
    mnuFileSep2_->setVisible(false);
    for (int i = 0; i < RecentCount && !RecentList[i].empty(); ++i) {
        mnuFileSep2_->setVisible(true);
        // A "&" of the name is shown, not taken for a shortcut mark.
        action(items[i])->setText(ToQString(RecentList[i]).replace('&', QLatin1String("&&")));
        action(items[i])->setVisible(true);
    }
}

// --- the wizard pane -----------------------------------------------------------------

void TMainForm::selectWizardEntry(int k)
{
    if (k < 1 || k > mainConWiz_->count() || selectedWizardEntry() == k)
        return;
    mainConWiz_->setUpdatesEnabled(false);
    mainConWiz_->setCurrentRow(k - 1);
    mainConWiz_->setUpdatesEnabled(true);
}

int TMainForm::selectedWizardEntry() const
{
    const QList<QListWidgetItem*> selected = mainConWiz_->selectedItems();
    return selected.isEmpty() ? 0 : mainConWiz_->row(selected.front()) + 1;
}

// --- document windows -------------------------------------------------------------

DocumentWindow* TMainForm::ActiveDocument() const
{
    return dynamic_cast<DocumentWindow*>(ActiveDocumentWidget());
}

QWidget* TMainForm::ActiveDocumentWidget() const
{
    // The current one, also while a dialog of this program has the focus.
    QMdiSubWindow* w = mdiArea_->currentSubWindow();
    return w ? w->widget() : nullptr;
}

namespace {
const char* const ExplorerProperty = "tesselExplorer";
}

bool TMainForm::IsExplorerWindow(const QWidget* document) const
{
    return document && document->property(ExplorerProperty).toBool();
}

QMdiSubWindow* TMainForm::AddDocument(QWidget* document)
{
    QMdiSubWindow* w = mdiArea_->addSubWindow(document);
    w->setAttribute(Qt::WA_DeleteOnClose);
    // At the size the window asks for, or maximised when the area is smaller.
    const QSize wanted = w->sizeHint();
    const QSize room = mdiArea_->viewport()->size();
    if (wanted.width() > room.width() || wanted.height() > room.height()) {
        w->showMaximized();
    } else {
        w->resize(wanted);
        w->show();
    }
    return w;
}

namespace {
QWidget* NewDocumentWindow(TMainForm& main, const TMainForm::DocumentFactory& factory, const QString& caption)
{
    if (!factory)
        return nullptr;
    QWidget* window = factory(main);
    window->setWindowTitle(caption);
    main.AddDocument(window);
    main.MdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(window->parentWidget()));
    return window;
}
} // namespace

QWidget* TMainForm::NewEditorWindow(const QString& caption)
{
    return NewDocumentWindow(*this, editorFactory_, caption);
}

QWidget* TMainForm::NewExplorerWindow(const QString& caption)
{
    if (!explorerFactory_)
        return nullptr;
    return NewDocumentWindow(*this, [this](TMainForm& main) {
        QWidget* window = explorerFactory_(main);
        window->setProperty(ExplorerProperty, true);
        return window;
    }, caption);
}

void TMainForm::PostEditorRequest()
{
    if (DocumentWindow* doc = ActiveDocument())
        RunGuarded(prompter_, [doc] { doc->FormActivate(); });
    // What the window did not take up (an explorer takes no load or save; an
    // editor whose load failed skips the rest) must not wait for the next one.
    EditorRequests.DropPending();
}

void TMainForm::OnSubWindowActivated(QMdiSubWindow* window)
{
    // The area reports no window also when only the program lost the focus (to
    // a dialog, say): the current document's menus stay then.
    QMdiSubWindow* current = window ? window : mdiArea_->currentSubWindow();
    if (shownMenus_ && !(current && current->isAncestorOf(shownMenus_)))
        ShowDocumentMenus(nullptr);
    RunGuarded(prompter_, [&] {
        if (lastActive_ && lastActive_ != window)
            if (auto* doc = dynamic_cast<DocumentWindow*>(lastActive_->widget()))
                doc->FormDeactivate();
        lastActive_ = window;
        if (window)
            if (auto* doc = dynamic_cast<DocumentWindow*>(window->widget()))
                doc->FormActivate();
    });
}

void TMainForm::ShowDocumentMenus(QMenuBar* menus)
{
    if (menus == shownMenus_)
        return;
    if (shownMenus_)
        disconnect(shownMenus_, nullptr, this, nullptr);
    else
        mainMenus_ = menuBar()->actions();
    shownMenus_ = menus;
    if (menus)
        connect(menus, &QObject::destroyed, this, [this] {
            shownMenus_ = nullptr;
            FillMenuBar();
        });
    FillMenuBar();
}

void TMainForm::FillMenuBar()
{
    QMenuBar* bar = menuBar();
    for (QAction* entry : bar->actions())
        bar->removeAction(entry);
    bar->addActions(shownMenus_ ? shownMenus_->actions() : mainMenus_);
}

// --- command group and status bar ----------------------------------------------------

void TMainForm::SetEditorCommandsEnabled(bool enabled)
{
    for (QObject* control : editorGroup_)
        SetEnabled(control, enabled);
    for (QObject* control : keptForLauncher_)
        SetEnabled(control, enabled);
}

void TMainForm::DisableEditorCommandsForLauncher()
{
    for (QObject* control : editorGroup_)
        SetEnabled(control, false);
}

void TMainForm::SetStatusText(int panel, const QString& text)
{
    panels_[panel]->setText(text);
}

QString TMainForm::StatusText(int panel) const
{
    return panels_[panel]->text();
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event)
{
    // Every right-button release anywhere refreshes the active document window;
    // the release still reaches its own widget, so context menus keep working.
    if (event->type() == QEvent::MouseButtonRelease && watched->isWidgetType()) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        // A release that bubbles up to parent widgets is seen once per widget.
        if (mouse->button() == Qt::RightButton && mouse->timestamp() != lastRightRelease_) {
            lastRightRelease_ = mouse->timestamp();
            EditorRequests.RightClickRequest = true;
            PostEditorRequest();
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace tessel
