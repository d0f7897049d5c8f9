#include "mainwindow/Main.h"

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
#include <QSocketNotifier>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>
#include <cstdio>
#include <cstring>

#include "editor/DocumentStore.h"
#include "editor/EditorOptions.h"
#include "editor/EditorRequests.h"
#include "editor/Recovery.h"
#include "grp/ExplorerOptions.h"
#include "language/ColorDefinitions.h"
#include "language/LanguageTables.h"
#include "language/WizardFile.h"
#include "launch/GameDirectories.h"
#include "mainwindow/Commands.h"
#include "mainwindow/MessagesPane.h"
#include "mainwindow/ProgramRuns.h"
#include "platform/Files.h"
#include "platform/Paths.h"
#include "platform/SignalCleanup.h"
#include "session/DocumentNames.h"
#include "session/Session.h"
#include "ui/DocumentWindow.h"
#include "ui/Guarded.h"
#include "ui/Menus.h"
#include "ui/QtPaths.h"
#include "ui/Resources.h"

namespace tessel {

namespace {

constexpr int WizardPaneWidth = 125;

// The menus of the three game modes, in mode order.
const std::array<const char*, 3> GameMenuNames = {"mnuDuke", "mnuQuake", "mnuVerge"};

// Nobody is asked while the program ends by a signal or with the desktop
// session, and no box may hold the exit up: what fails is said on standard
// error, and the questions are answered No.
class ExitPrompter : public Prompter {
public:
    void ShowMessage(const std::string& text) override { Tell(text); }
    MsgResult MessageDlg(const std::string& text, MsgType, MsgButtons buttons) override
    {
        Tell(text);
        return buttons == MsgButtons::Ok ? MsgResult::Ok : buttons == MsgButtons::YesNo ? MsgResult::No
                                                                                          : MsgResult::Cancel;
    }
    void ShowError(const std::string& text) override { Tell(text); }
    bool ExecuteOpen(FileDialog&) override { return false; }
    bool ExecuteSave(FileDialog&) override { return false; }

    std::string last;   // the last text told

private:
    void Tell(const std::string& text)
    {
        std::fprintf(stderr, "tessel: %s\n", text.c_str());
        last = text;
    }
};

void SetEnabled(QObject* control, bool enabled)
{
    if (auto* action = qobject_cast<QAction*>(control))
        action->setEnabled(enabled);
    else if (auto* widget = qobject_cast<QWidget*>(control))
        widget->setEnabled(enabled);
}

} // namespace

TMainForm::TMainForm(const MainState& state, Prompter& prompter, QWidget* parent)
    : QMainWindow(parent), EndProcess(EndBySignal), state_(state), prompter_(prompter)
{
    UseResources();
    setObjectName("MainForm");
    setWindowTitle("Tessel / Launcher");
    parts_.area = new QMdiArea(this);
    parts_.area->setObjectName("MdiArea");
    parts_.area->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    parts_.area->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(parts_.area);
    OnSignal(prompter_, parts_.area, &QMdiArea::subWindowActivated, this,
             [this](QMdiSubWindow* window) { OnSubWindowActivated(window); });

    // No menu of Qt's own on the bars: it could hide a bar behind the View
    // menu's marks, or the launch bar, which has no toggle.
    setContextMenuPolicy(Qt::NoContextMenu);

    CreateCommands();
    CreateWizardPane();
    CreateStatusBar();
    CreateMessagesPane();
    RegisterFileCommands(*this, parts_);
    RegisterEditCommands(*this);
    RegisterViewCommands(*this, parts_);
    RegisterSearchCommands(*this);
    RegisterWizardCommands(*this, parts_);
    RegisterClipboardCommands(*this);
    RegisterToolWindowCommands(*this);
    RegisterLaunchCommands(*this);
    RegisterMessageCommands(*this, parts_);
    OpenDialog.filter = StartupOpenFilter;
    SaveDialog1.filter = StartupSaveFilter;
    FormCreate();
}

TMainForm::~TMainForm()
{
    // The programs still running end before the pane they write to.
    delete runs_;
    runs_ = nullptr;
    // The document area outlives this body and reports its windows going away.
    disconnect(parts_.area, nullptr, this, nullptr);
    if (menusOwner_)
        disconnect(menusOwner_, nullptr, this, nullptr);
    qApp->removeEventFilter(this);
    for (QPointer<QWidget>& window : lasting_)
        delete window.data();
}

// --- building the window ------------------------------------------------------

void TMainForm::CreateCommands()
{
    BuildCommandRows(CommandRows, CommandRowCount, menuBar(), nullptr, this, [this](const CommandRow& row, QAction* action) {
        switch (row.kind) {
        case Row::Menu:
            for (std::size_t mode = 0; mode < GameMenuNames.size(); ++mode)
                if (std::strcmp(row.name, GameMenuNames[mode]) == 0)
                    parts_.gameMenus[mode] = qobject_cast<QMenu*>(action->parent());
            break;
        case Row::Bar:
            // "ToolBar1".."ToolBar3": kept under their own numbers.
            parts_.toolBars[static_cast<std::size_t>(row.name[std::strlen(row.name) - 1] - '1')] =
                qobject_cast<QToolBar*>(action->parent());
            break;
        case Row::Separator:
            if (QLatin1String(row.name) == QLatin1String("mnuFileSep2"))
                parts_.recentSeparator = action;
            break;
        case Row::Item:
        case Row::Tool:
            actions_[static_cast<std::size_t>(row.id)] = action;
            if (row.flags & cfEditorGroup)
                ((row.flags & cfKeptForLauncher) ? keptForLauncher_ : editorGroup_).push_back(action);
            break;
        }
    });
}

void TMainForm::OnCommand(Cmd id, std::function<void()> handler)
{
    OnSignal(prompter_, Action(id), &QAction::triggered, this, handler);
    for (int i = 0; i < CommandRowCount; ++i)
        if (CommandRows[i].kind == Row::Tool && CommandRows[i].same == id)
            OnSignal(prompter_, Action(CommandRows[i].id), &QAction::triggered, this, handler);
}

void TMainForm::CreateWizardPane()
{
    parts_.wizardPane = new QDockWidget(this);
    parts_.wizardPane->setObjectName("ControlBar1");
    parts_.wizardPane->setFeatures(QDockWidget::NoDockWidgetFeatures);
    parts_.wizardPane->setTitleBarWidget(new QWidget(parts_.wizardPane));
    auto* pane = new QWidget(parts_.wizardPane);
    auto* layout = new QVBoxLayout(pane);
    layout->setContentsMargins(4, 4, 4, 4);
    lblWizard_ = new QLabel("Con Wizard", pane);
    lblWizard_->setObjectName("lblWizard");
    parts_.wizardList = new QListWidget(pane);
    parts_.wizardList->setObjectName("MainConWiz");
    auto* insert = parts_.wizardInsert = new QPushButton("&Insert", pane);
    insert->setObjectName("btnWizInsert");
    insert->setToolTip("Alt + C");
    auto* parameters = parts_.wizardParameters = new QPushButton("&Parameters", pane);
    parameters->setObjectName("btnParameters");
    parameters->setToolTip("Shows parameters for selected function in the status bar");
    for (QWidget* w : std::initializer_list<QWidget*>{parts_.wizardList, insert, parameters}) {
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
    layout->addWidget(parts_.wizardList, 1);
    layout->addWidget(insert);
    layout->addWidget(parameters);
    parts_.wizardPane->setWidget(pane);
    addDockWidget(Qt::LeftDockWidgetArea, parts_.wizardPane);
    // 125 pixels wide at first; the splitter at its edge widens it for long names.
    resizeDocks({parts_.wizardPane}, {WizardPaneWidth}, Qt::Horizontal);
}

void TMainForm::CreateStatusBar()
{
    parts_.statusBar = new QStatusBar(this);
    parts_.statusBar->setObjectName("StatusBar1");
    setStatusBar(parts_.statusBar);
    const int widths[4] = {500, 60, 150, 50};
    const char* texts[4] = {"Ready", "", "Line: 0 ; Column: 0", ""};
    for (int i = 0; i < 4; ++i) {
        panels_[i] = new QLabel(texts[i], parts_.statusBar);
        panels_[i]->setObjectName(QString("StatusPanel%1").arg(i));
        panels_[i]->setTextFormat(Qt::PlainText);   // file names and program output are never markup
        panels_[i]->setFixedWidth(widths[i]);
        panels_[i]->setFrameShape(QFrame::Panel);
        panels_[i]->setFrameShadow(QFrame::Sunken);
        parts_.statusBar->addWidget(panels_[i]);
    }
    panels_[1]->setAlignment(Qt::AlignCenter);
}

void TMainForm::CreateMessagesPane()
{
    parts_.messages = new TMessagesPane(this);
    addDockWidget(Qt::BottomDockWidgetArea, parts_.messages);
    parts_.messages->hide();   // until the first output, or the View menu
    runs_ = new ProgramRuns(*this, *parts_.messages);
}

// --- creation and destruction -----------------------------------------------

void TMainForm::FormCreate()
{
    state_.editor.AutoIndent = true;
    qApp->installEventFilter(this);
    setWindowState(windowState() | Qt::WindowMaximized);

    SessionState& session = state_.session;
    const StartupSettings settings = ReadStartupSettings(session.Settings(), RecentCount);
    if (const std::string refusal = session.Settings().Refusal(); !refusal.empty())
        prompter_.MessageDlg(refusal + " Tessel starts with its default settings.", MsgType::Warning, MsgButtons::Ok);
    std::copy(settings.recent.begin(), settings.recent.end(), session.RecentList.begin());
    if (!session.RecentList[0].empty())
        RefreshRecentMenu();
    state_.explorer.TreeListDisabled = settings.treeListDisabled;
    state_.explorer.PreviewHidden = settings.previewHidden;
    state_.explorer.PreviewWidth = settings.previewWidth;
    state_.launch.DosProgram = settings.dosProgram;
    // The general options' language choice, which the colours and the wizard follow from the start.
    RunGuarded(prompter_, [&] { state_.language.Con = ReadGeneralSetup(session.Settings()).Con(); });

    session.GameMode = settings.gameUp;
    if (GameModeOf(settings.gameUp))
        SwitchGameMode(settings.gameUp);
    LoadWizardList();
}

void TMainForm::LoadWizardList()
{
    WizardTable& wizard = state_.language.Wizard;
    const char* const file = WizardFileNameFor(state_.language.Con);
    RunGuarded(prompter_, [&] {
        LoadWizardFile(state_.session.Locations.DataFolder(file), wizard, prompter_, state_.language.Con);
    });
    parts_.wizardList->clear();
    movConWiz_->clear();
    for (const std::string& name : wizard.Names) {
        parts_.wizardList->addItem(QString::fromStdString(name));
        movConWiz_->addItem(QString::fromStdString(name));
    }
}

void TMainForm::ChooseConLanguage(ConLanguage con)
{
    if (con == state_.language.Con)
        return;
    state_.language.Con = con;
    if (state_.session.GameMode == 1)
        LoadColorDefinitionsForMode(1);
    LoadWizardList();
}

void TMainForm::WriteSettings(Prompter& prompts)
{
    // The options of every window and the session in one replacement: a
    // crash while the program ends leaves all old or all new.
    RunGuarded(prompts, [this] {
        ProfileEdit edit(state_.session.SettingsFileName);
        for (const auto& write : tools_.exitSettings)
            write(edit);
        WriteSessionSettings(edit, state_.session.GameMode, state_.session.RecentList);
        edit.Commit();
    });
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    // A program of the Messages pane ends with the program; the user says so first.
    if (const std::vector<std::string> running = runs_->Running(); !running.empty()) {
        std::string names;
        for (const std::string& name : running)
            names += (names.empty() ? "" : ", ") + name;
        if (prompter_.MessageDlg(names + (running.size() == 1 ? " is" : " are") + " still running. Stop " +
                                     (running.size() == 1 ? "it" : "them") + " and exit?",
                                 MsgType::Confirm, MsgButtons::YesNo) != MsgResult::Yes) {
            event->ignore();
            return;
        }
    }
    // A question that fails (a save that cannot be written) keeps the program running.
    bool mayClose = false;
    RunGuarded(prompter_, [&] {
        for (QMdiSubWindow* w : parts_.area->subWindowList())
            if (auto* doc = dynamic_cast<DocumentWindow*>(w->widget()); doc && !doc->FormCloseQuery())
                return;
        mayClose = true;
    });
    // A clean exit: every document was saved or given up, so nothing is left
    // to recover; what the windows keep goes to the settings file now, while
    // they are all there and an error box can still show.
    if (mayClose) {
        state_.recovery.RemoveAll();
        WriteSettings(prompter_);
    }
    event->setAccepted(mayClose);
}

void TMainForm::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    // The title names the maximised document. One loaded before this window
    // first showed (the start-up files) changed its caption while Qt could not
    // yet carry it here: the caption is given once more now.
    if (QMdiSubWindow* sub = parts_.area->currentSubWindow(); sub && sub->isMaximized()) {
        const QString caption = sub->windowTitle();
        sub->setWindowTitle(QString());
        sub->setWindowTitle(caption);
    }
}

void TMainForm::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    // Enabled again after the splash: the first keys go to the document that
    // start-up opened, not to the first control of the window (the wizard's list).
    if (event->type() == QEvent::EnabledChange && isEnabled())
        if (QMdiSubWindow* w = parts_.area->currentSubWindow())
            w->widget()->setFocus();
}

// --- the end of a session, and what it leaves for the next ------------------------------

void TMainForm::EndSession(int sig)
{
    // What can be written is written, each part whatever became of the others.
    ExitPrompter quiet;
    for (QMdiSubWindow* w : parts_.area->subWindowList())
        if (auto* doc = dynamic_cast<DocumentWindow*>(w->widget()))
            RunGuarded(quiet, [doc] {
                try {
                    doc->KeepRecoveryCopy();
                } catch (const AppError& e) {
                    throw AppError(std::string("No copy of the unsaved text: ") + e.what());
                }
            });
    WriteSettings(quiet);
    if (sig != 0 && EndProcess)
        EndProcess(sig);
    else if (!quiet.last.empty())
        SetStatusText(0, ToQString(quiet.last));   // the session's end may yet be cancelled
}

std::string TMainForm::OfferRecovery()
{
    std::vector<RecoveryCopy> copies;
    std::vector<std::string> refused;
    std::string problem;
    RunGuarded(prompter_, [&] { copies = state_.recovery.Claim(refused, problem); });
    std::string note;
    if (!problem.empty())
        note = "No copies of unsaved texts are kept: " + problem;
    else if (!refused.empty())
        note = "Not offered: " + refused.front() +
               (refused.size() > 1 ? " (and " + std::to_string(refused.size() - 1) + " more)" : std::string());
    if (copies.empty())
        return note;
    std::string text = "Tessel ended without saving these documents:\n";
    for (const RecoveryCopy& copy : copies)
        text += "\n" + PrintableName(copy.fileName.empty() ? CaptionFileName(copy.caption) : copy.fileName);
    text += "\n\nRestore them? Discard deletes these copies.";
    switch (prompter_.MessageDlg(text, MsgType::Information, MsgButtons::RestoreDiscard)) {
    case MsgResult::Yes: {
        // A copy that cannot be read stays for the next start.
        std::vector<RecoveryCopy> restored;
        for (RecoveryCopy& copy : copies)
            RunGuarded(prompter_, [&] {
                state_.recovery.ReadText(copy);
                if (DocumentWindow* doc = NewEditorWindow(ToQString(copy.caption))) {
                    doc->RestoreRecoveryCopy(copy);
                    doc->KeepRecoveryCopy();   // this run's own copy, before the old one goes
                    copy.bytes = std::string();
                    restored.push_back(copy);
                }
            });
        RunGuarded(prompter_, [&] { state_.recovery.Forget(restored); });
        break;
    }
    case MsgResult::No:
        RunGuarded(prompter_, [&] { state_.recovery.Forget(copies); });
        break;
    default:
        state_.recovery.Unclaim();   // asked again at the next start
        break;
    }
    return note;
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
        parts_.gameMenus[static_cast<std::size_t>(other - 1)]->menuAction()->setVisible(other == mode);
    state_.session.GameMode = mode;
    LoadColorDefinitionsForMode(mode);
    OpenDialog.filter = m->openFilter;
    SaveDialog1.filter = m->saveFilter;
}

void TMainForm::LoadColorDefinitionsForMode(int mode)
{
    // A faulty colour number ends the load, not the mode switch.
    RunGuarded(prompter_, [&] {
        const ConLanguage con = state_.language.Con;
        const std::string folder = state_.session.Locations.DataFolder(ColorDefinitionFileName(mode, con));
        if (!LoadColorDefinitions(mode, folder, state_.language.KeywordTable, prompter_, con))
            state_.editor.NoColoring = false;
    });
}

void TMainForm::RestoreChildWindows(bool minimizedToo)
{
    // Restoring a window activates it, and the area maximises a window it
    // activates while another is still maximised (two opened at start-up).
    QMdiArea* area = parts_.area;
    const bool maximizing = !area->testOption(QMdiArea::DontMaximizeSubWindowOnActivation);
    area->setOption(QMdiArea::DontMaximizeSubWindowOnActivation, true);
    const QList<QMdiSubWindow*> windows = area->subWindowList();
    for (auto it = windows.rbegin(); it != windows.rend(); ++it)
        if (minimizedToo || !(*it)->isMinimized())
            (*it)->showNormal();
    area->setOption(QMdiArea::DontMaximizeSubWindowOnActivation, !maximizing);
}

// --- recent files ---------------------------------------------------------------

void TMainForm::RefreshRecentMenu()
{
    const Cmd items[RecentCount] = {Cmd::FileRecent1, Cmd::FileRecent2, Cmd::FileRecent3, Cmd::FileRecent4};
    for (const Cmd item : items)
        Action(item)->setVisible(false);
    parts_.recentSeparator->setVisible(false);
    const std::vector<std::string>& recent = state_.session.RecentList;
    for (int i = 0; i < RecentCount && !recent[i].empty(); ++i) {
        parts_.recentSeparator->setVisible(true);
        // A "&" of the name is shown, not taken for a shortcut mark.
        Action(items[i])->setText(ToQString(recent[i]).replace('&', QLatin1String("&&")));
        Action(items[i])->setVisible(true);
    }
}

// --- the wizard pane -----------------------------------------------------------------

void TMainForm::SelectWizardEntry(int k)
{
    if (k < 1 || k > parts_.wizardList->count() || SelectedWizardEntry() == k)
        return;
    parts_.wizardList->setUpdatesEnabled(false);
    parts_.wizardList->setCurrentRow(k - 1);
    parts_.wizardList->setUpdatesEnabled(true);
}

int TMainForm::SelectedWizardEntry() const
{
    const QList<QListWidgetItem*> selected = parts_.wizardList->selectedItems();
    return selected.isEmpty() ? 0 : parts_.wizardList->row(selected.front()) + 1;
}

// --- document windows -------------------------------------------------------------

DocumentWindow* TMainForm::ActiveDocument() const
{
    // The current one, also while a dialog of this program has the focus.
    QMdiSubWindow* w = parts_.area->currentSubWindow();
    return w ? dynamic_cast<DocumentWindow*>(w->widget()) : nullptr;
}

DocumentWindow* TMainForm::DocumentOf(const std::string& name) const
{
    for (QMdiSubWindow* w : parts_.area->subWindowList())
        if (auto* doc = dynamic_cast<DocumentWindow*>(w->widget()))
            if (const std::string shown = doc->FileName(); !shown.empty() && (shown == name || SameFile(shown, name)))
                return doc;
    return nullptr;
}

std::string TMainForm::AskSaveName(const std::string& proposed)
{
    return AskDocumentName(*this, proposed);
}

DocumentWindow* TMainForm::AddDocument(QWidget* window, const QString& caption)
{
    if (!window)
        return nullptr;
    window->setWindowTitle(caption);
    QMdiSubWindow* w = parts_.area->addSubWindow(window);
    w->setAttribute(Qt::WA_DeleteOnClose);
    // At the size the window asks for, or maximised when the area is smaller.
    const QSize wanted = w->sizeHint();
    const QSize room = parts_.area->viewport()->size();
    if (wanted.width() > room.width() || wanted.height() > room.height()) {
        w->showMaximized();
    } else {
        w->resize(wanted);
        w->show();
    }
    parts_.area->setActiveSubWindow(w);
    return dynamic_cast<DocumentWindow*>(window);
}

DocumentWindow* TMainForm::NewEditorWindow(const QString& caption)
{
    return tools_.newEditor ? AddDocument(tools_.newEditor(), caption) : nullptr;
}

DocumentWindow* TMainForm::NewExplorerWindow(const QString& caption, const std::string& archive)
{
    return tools_.newExplorer ? AddDocument(tools_.newExplorer(archive), caption) : nullptr;
}

void TMainForm::PostRequests(EditorRequests& requests)
{
    if (DocumentWindow* doc = ActiveDocument())
        RunGuarded(prompter_, [&] { doc->TakeRequests(requests); });
}

void TMainForm::OpenFiles(const std::vector<std::string>& names)
{
    OpenDocuments(*this, names);
}

DocumentWindow* TMainForm::OpenStoredDocument(std::shared_ptr<DocumentStore> store)
{
    const std::string name = store->Name();
    if (DocumentWindow* doc = DocumentOf(name)) {
        parts_.area->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(dynamic_cast<QWidget*>(doc)->parentWidget()));
        return doc;
    }
    DocumentWindow* doc = NewEditorWindow(ToQString(EditorCaption(name)));
    if (!doc)
        return nullptr;
    if (!doc->AttachStore(std::move(store))) {
        dynamic_cast<QWidget*>(doc)->parentWidget()->close();
        return nullptr;
    }
    EditorRequests load = LoadRequestFor(name);
    PostRequests(load);
    return doc;
}

void TMainForm::OnSubWindowActivated(QMdiSubWindow* window)
{
    // The area reports no window also when only the program lost the focus (to
    // a dialog, say): the current document's menus stay then.
    QMdiSubWindow* current = window ? window : parts_.area->currentSubWindow();
    if (menusOwner_ && !(current && current->widget() == menusOwner_))
        ShowDocumentMenus(nullptr, {});
    RunGuarded(prompter_, [&] {
        if (lastActive_ && lastActive_ != window)
            if (auto* doc = dynamic_cast<DocumentWindow*>(lastActive_->widget()))
                doc->FormDeactivate();
        lastActive_ = window;
        if (!window)
            return;
        if (auto* doc = dynamic_cast<DocumentWindow*>(window->widget())) {
            if (const QList<QAction*> menus = doc->DocumentMenus(); !menus.isEmpty())
                ShowDocumentMenus(window->widget(), menus);
            doc->FormActivate();
        }
    });
}

void TMainForm::ShowDocumentMenus(QWidget* owner, const QList<QAction*>& menus)
{
    if (owner == menusOwner_)
        return;
    if (menusOwner_)
        disconnect(menusOwner_, nullptr, this, nullptr);
    else
        mainMenus_ = menuBar()->actions();
    menusOwner_ = owner;
    if (owner)
        OnSignal(prompter_, owner, &QObject::destroyed, this, [this] { ShowDocumentMenus(nullptr, {}); });
    QMenuBar* bar = menuBar();
    for (QAction* entry : bar->actions())
        bar->removeAction(entry);
    bar->addActions(owner ? menus : mainMenus_);
}

// --- command group and status bar ----------------------------------------------------

void TMainForm::SetCommandEnabled(Cmd id, bool enabled)
{
    Action(id)->setEnabled(enabled);
}

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

std::vector<DocumentWindow*> TMainForm::Documents() const
{
    std::vector<DocumentWindow*> out;
    for (QMdiSubWindow* w : parts_.area->subWindowList())
        if (auto* doc = dynamic_cast<DocumentWindow*>(w->widget()))
            out.push_back(doc);
    return out;
}

bool TMainForm::RunInMessages(const LaunchPlan& plan, const std::string& name)
{
    return runs_->Start(plan, name, ProgramRuns::Kind::Program);
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
            EditorRequests requests;
            requests.RightClickRequest = true;
            PostRequests(requests);
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace tessel
