#pragma once
// The main window: a multiple-document frame with the menus and tool bars of
// the command table, the wizard pane and the status bar. It reads the start-up
// settings at creation, switches game modes, hands requests to the active
// document window, and writes the mode and recent files when destroyed. The
// commands themselves live in the command files (Commands.h).
#include <QMainWindow>
#include <QMdiSubWindow>
#include <QPointer>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "platform/Prompter.h"
#include "shell/CommandTable.h"
#include "shell/Launchers.h"

class QAction;
class QDockWidget;
class QLabel;
class QListWidget;
class QMdiArea;
class QMenu;
class QMenuBar;
class QPushButton;
class QStatusBar;
class QToolBar;

namespace tessel {

class DocumentWindow;

// A command's picture: the desktop theme's icon of that name, or our own
// (resources/icons/<name>.svg) where the theme has none; no picture when
// neither has one.
QIcon ToolIcon(const char* name);

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    // programDir: where the settings and data files are; empty means the
    // executable's folder.
    explicit TMainForm(Prompter& prompter, const std::string& programDir = std::string(), QWidget* parent = nullptr);
    ~TMainForm() override;

    Prompter& prompter() const { return prompter_; }

    void SwitchGameMode(int mode);
    void PostEditorRequest();
    void RefreshRecentMenu();
    void RestoreChildWindows();

    DocumentWindow* ActiveDocument() const;
    // The active document window as a widget (its caption carries its file
    // name); nullptr when there is none.
    QWidget* ActiveDocumentWidget() const;
    // Whether a document window was made by the explorer factory: such a
    // window takes no load or save request.
    bool IsExplorerWindow(const QWidget* document) const;
    QMdiArea* MdiArea() const { return mdiArea_; }
    // Adds a document window (a widget that is also a DocumentWindow).
    QMdiSubWindow* AddDocument(QWidget* document);

    // How editor and explorer windows are made: their window files register a
    // factory that creates the (DocumentWindow) widget; the main window
    // captions it, adds it to the document area and activates it.
    using DocumentFactory = std::function<QWidget*(TMainForm& main)>;
    void setEditorFactory(DocumentFactory factory) { editorFactory_ = std::move(factory); }
    void setExplorerFactory(DocumentFactory factory) { explorerFactory_ = std::move(factory); }
    // A new document window with the caption, now the active one; nullptr
    // while no factory of that kind is registered.
    QWidget* NewEditorWindow(const QString& caption);
    QWidget* NewExplorerWindow(const QString& caption);

    // A window that lives for the whole run (a dialog, a launcher, a viewer):
    // destroyed, in the order of adding, before the main window writes its own
    // settings, so that the settings these windows write on destruction come first.
    void AddToolWindow(QWidget* window);
    // The tool window of that class added above; nullptr when there is none.
    template <class T> T* toolWindow() const
    {
        for (const QPointer<QWidget>& window : toolWindows_)
            if (auto* found = dynamic_cast<T*>(window.data()))
                return found;
        return nullptr;
    }


    // --- the wizard pane, for the editor window's typed-word match and Ctrl+Alt+C ---
    // Selects entry k of MainConWiz (from 1, as TypedWordMatch numbers them)
    // unless it is the selected one already; out of range, nothing changes.
    void selectWizardEntry(int k);
    // The selected entry (from 1; its name is Wizard.Names[k - 1]), or 0 when
    // none is selected.
    int selectedWizardEntry() const;

    // A document window with menus of its own (an explorer) shows them in
    // place of all the main menus while it is the current document window;
    // the main menus' shortcuts are off meanwhile, as the menus are out of the
    // bar. nullptr, another window becoming current, or the menus' owner
    // going away bring the main menus back. The tool bars stay.
    void ShowDocumentMenus(QMenuBar* menus);

    // The launchers and the directory chooser, as they enter themselves.
    LauncherWindows launchers;

    void SetStatusText(int panel, const QString& text);
    QString StatusText(int panel) const;

    // --- commands ---------------------------------------------------------------
    QAction* action(Cmd id) const { return actions_[static_cast<std::size_t>(id)]; }
    // Runs handler, through the one exception boundary, when the command's menu
    // entry or any tool button that stands for it is triggered.
    void onCommand(Cmd id, std::function<void()> handler);
    // The editor command group: an editor's activation enables it, its
    // destruction disables it; a launcher's activation disables all of it but
    // go-to-line and the block indents.
    void SetEditorCommandsEnabled(bool enabled);
    void DisableEditorCommandsForLauncher();

    // --- parts the command files work on ---------------------------------------------
    QMenu* gameMenu(int mode) const { return gameMenus_[static_cast<std::size_t>(mode - 1)]; }
    // ToolBar1 (utilities), ToolBar2 (main), ToolBar3 (launch).
    QToolBar* toolBar(int number) const { return toolBars_[static_cast<std::size_t>(number - 1)]; }
    QDockWidget* wizardPane() const { return controlBar1_; }
    QListWidget* wizardList() const { return mainConWiz_; }
    QPushButton* wizardInsertButton() const { return btnWizInsert_; }
    QPushButton* wizardParametersButton() const { return btnParameters_; }
    QStatusBar* statusPanels() const { return statusBar1_; }

    FileDialog OpenDialog;
    FileDialog SaveDialog1;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void FormDestroy();
    void CreateCommands();
    void CreateWizardPane();
    void CreateStatusBar();
    void LoadColorDefinitionsForMode(int mode);
    void OnSubWindowActivated(QMdiSubWindow* window);
    void FillMenuBar();

    Prompter& prompter_;
    std::array<QAction*, static_cast<std::size_t>(Cmd::Count)> actions_{};
    // The editor command group, and the part of it a launcher leaves enabled.
    std::vector<QObject*> editorGroup_;
    std::vector<QObject*> keptForLauncher_;
    QMdiArea* mdiArea_ = nullptr;
    std::array<QMenu*, 3> gameMenus_{};
    std::array<QToolBar*, 3> toolBars_{};
    QAction* mnuFileSep2_ = nullptr;
    QDockWidget* controlBar1_ = nullptr;
    QLabel* lblWizard_ = nullptr;
    QListWidget* mainConWiz_ = nullptr;
    QPushButton* btnWizInsert_ = nullptr;
    QPushButton* btnParameters_ = nullptr;
    QListWidget* movConWiz_ = nullptr;
    QStatusBar* statusBar1_ = nullptr;
    QLabel* panels_[4] = {};
    DocumentFactory editorFactory_, explorerFactory_;
    std::vector<QPointer<QWidget>> toolWindows_;
    QPointer<QMdiSubWindow> lastActive_;   // for its deactivation
    QMenuBar* shownMenus_ = nullptr;       // a document's menus in the bar; null: the main ones
    QList<QAction*> mainMenus_;            // the bar's own entries while a document's stand there
    unsigned long lastRightRelease_ = 0;
    bool destroyed_ = false;
};

} // namespace tessel
