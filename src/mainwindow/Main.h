#pragma once
// The main window: a multiple-document frame with the menus and tool bars of
// the command table, the wizard pane and the status bar. It reads the start-up
// settings at creation, switches game modes, hands requests to the active
// document window, and writes the mode and recent files when it closes. The
// commands themselves live in the command files (Commands.h); the windows
// reach it through Shell, and the program's builder (app/ProgramWindows)
// gives it the windows it shows (ToolWindows).
#include <QMainWindow>
#include <QMdiSubWindow>
#include <QPointer>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "language/ColorDefinitions.h"
#include "mainwindow/MainState.h"
#include "session/SearchRequests.h"
#include "ui/CommandTable.h"
#include "ui/Shell.h"
#include "ui/ToolWindows.h"

class QAction;
class QDockWidget;
class QLabel;
class QListWidget;
class QMdiArea;
class QPushButton;
class QStatusBar;
class QToolBar;

namespace tessel {

class DocumentWindow;
class ProgramRuns;
class TMessagesPane;
// The main window's parts that its command files act on.
struct MainParts {
    QMdiArea* area = nullptr;
    QDockWidget* wizardPane = nullptr;
    QListWidget* wizardList = nullptr;
    QPushButton* wizardInsert = nullptr;
    QPushButton* wizardParameters = nullptr;
    QStatusBar* statusBar = nullptr;
    TMessagesPane* messages = nullptr;     // under the documents
    std::array<QToolBar*, 3> toolBars{};   // ToolBar1 (utilities), ToolBar2 (main), ToolBar3 (launch)
    std::array<QMenu*, 3> gameMenus{};     // mnuDuke, mnuQuake, mnuVerge
    QAction* recentSeparator = nullptr;    // mnuFileSep2
};

class TMainForm : public QMainWindow, public Shell {
    Q_OBJECT
public:
    TMainForm(const MainState& state, Prompter& prompter, QWidget* parent = nullptr);
    ~TMainForm() override;

    // --- Shell ----------------------------------------------------------------------
    Prompter& Prompts() override { return prompter_; }
    QWidget* Window() override { return this; }
    void SetStatusText(int panel, const QString& text) override;
    void SetCommandEnabled(Cmd id, bool enabled) override;
    void SetEditorCommandsEnabled(bool enabled) override;
    void DisableEditorCommandsForLauncher() override;
    DocumentWindow* ActiveDocument() const override;
    DocumentWindow* NewEditorWindow(const QString& caption) override;
    DocumentWindow* NewExplorerWindow(const QString& caption, const std::string& archive = std::string()) override;
    void PostRequests(EditorRequests& requests) override;
    void OpenFiles(const std::vector<std::string>& names) override;
    DocumentWindow* OpenStoredDocument(std::shared_ptr<DocumentStore> store) override;
    void SelectWizardEntry(int k) override;
    int SelectedWizardEntry() const override;
    bool& WizardTypedWordMatch() override { return typedWordMatch_; }
    DocumentWindow* DocumentOf(const std::string& name) const override;
    std::string AskSaveName(const std::string& proposed = std::string()) override;
    DirectoryChooser* Chooser() const override { return tools_.chooser; }
    bool RunInMessages(const LaunchPlan& plan, const std::string& name) override;

    // --- for the program's builder ------------------------------------------------------
    ToolWindows& Tools() { return tools_; }
    // Offers the copies of unsaved documents an earlier run left ("Restore",
    // "Discard"); each restored one is a modified window under its own name.
    // Returns what to tell in the status bar: why no copies are kept, or a
    // copy not offered ("" for nothing).
    std::string OfferRecovery();
    // The end of the session or of the process (a signal, sig 0 for none)
    // without the close questions and without any box: copies of the unsaved
    // documents and the settings are written, what fails is said on standard
    // error (and, at the session's end, in the status bar), then EndProcess(sig)
    // ends the process.
    void EndSession(int sig);
    std::function<void(int sig)> EndProcess;
    // A window that lives for the whole run: destroyed, in the order of
    // adding, after the program's settings were written. Returns the window.
    template <class W> W* Keep(W* window)
    {
        lasting_.emplace_back(window);
        return window;
    }

    // --- for the command files --------------------------------------------------------
    const MainState& Program() const { return state_; }
    // What the search commands asked last; each search request is made from it.
    SearchMemory& Search() { return search_; }
    QAction* Action(Cmd id) const { return actions_[static_cast<std::size_t>(id)]; }
    // Runs handler, through the one exception boundary, when the command's menu
    // entry or any tool button that stands for it is triggered.
    void OnCommand(Cmd id, std::function<void()> handler);
    void SwitchGameMode(int mode);
    // The general options' CON language: Duke mode's colours (when Duke mode
    // is on) and the wizard's list are read again from that language's files;
    // text already coloured keeps its colours.
    void ChooseConLanguage(ConLanguage con);
    void RefreshRecentMenu();
    // Every document window, from the last to the first (or those that are not
    // minimised), in its normal state.
    void RestoreChildWindows(bool minimizedToo = true);
    QString StatusText(int panel) const;
    // Every document window of the area, in the area's order.
    std::vector<DocumentWindow*> Documents() const;
    // The programs whose output the Messages pane shows.
    ProgramRuns& Runs() { return *runs_; }

    FileDialog OpenDialog;
    FileDialog SaveDialog1;

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void FormCreate();
    void WriteSettings(Prompter& prompts);
    void CreateCommands();
    void CreateWizardPane();
    void CreateStatusBar();
    void CreateMessagesPane();
    void LoadColorDefinitionsForMode(int mode);
    void LoadWizardList();
    void OnSubWindowActivated(QMdiSubWindow* window);
    DocumentWindow* AddDocument(QWidget* window, const QString& caption);
    // A document window's menus in the bar in place of the main ones, or
    // (null) the main ones back; owner is the window they belong to.
    void ShowDocumentMenus(QWidget* owner, const QList<QAction*>& menus);

    MainState state_;
    Prompter& prompter_;
    SearchMemory search_;
    bool typedWordMatch_ = false;
    MainParts parts_;
    ProgramRuns* runs_ = nullptr;
    ToolWindows tools_;
    std::array<QAction*, static_cast<std::size_t>(Cmd::Count)> actions_{};
    // The editor command group, and the part of it a launcher leaves enabled.
    std::vector<QObject*> editorGroup_;
    std::vector<QObject*> keptForLauncher_;
    QLabel* lblWizard_ = nullptr;
    QListWidget* movConWiz_ = nullptr;
    QLabel* panels_[4] = {};
    std::vector<QPointer<QWidget>> lasting_;
    QPointer<QMdiSubWindow> lastActive_;   // for its deactivation
    QPointer<QWidget> menusOwner_;         // whose menus stand in the bar; null: the main ones
    QList<QAction*> mainMenus_;            // the bar's own entries while a document's stand there
    unsigned long lastRightRelease_ = 0;
};

} // namespace tessel
