#pragma once
// The main window: a multiple-document frame with the menus, tool bars, the
// wizard pane and the status bar; it reads the settings at creation, switches
// game modes and writes the mode and recent files when it is destroyed.
#include <QMainWindow>
#include <QMdiSubWindow>
#include <QPointer>
#include <QStringList>
#include <string>

#include "platform/Prompter.h"

class QAction;
class QDockWidget;
class QLabel;
class QListWidget;
class QMdiArea;
class QMenu;
class QPushButton;
class QStatusBar;
class QToolBar;

namespace tessel {

class DocumentWindow;

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    // programDir: where the settings and data files are; empty means the
    // executable's folder.
    explicit TMainForm(const std::string& programDir = std::string(), QWidget* parent = nullptr);
    ~TMainForm() override;

    void SwitchGameMode(int mode);
    void PostEditorRequest();
    void RefreshRecentMenu();
    void RestoreChildWindows();

    DocumentWindow* ActiveDocument() const;
    QMdiArea* MdiArea() const { return mdiArea_; }
    // Adds a document window (a widget that is also a DocumentWindow).
    QMdiSubWindow* AddDocument(QWidget* document);

    void SetStatusText(int panel, const QString& text);
    QString StatusText(int panel) const;

    // The editor command group: an editor's activation enables it, its
    // destruction disables it; a launcher's activation disables all of it but
    // go-to-line and the block indents.
    static const QStringList& EditorCommandNames();
    void SetEditorCommandsEnabled(bool enabled);
    void DisableEditorCommandsForLauncher();
    // A named menu entry, tool button action or pane control.
    QObject* Control(const QString& name) const;

    FileDialog OpenDialog;
    FileDialog SaveDialog1;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void FormDestroy();
    void CreateMenus();
    void CreateToolBars();
    void CreateWizardPane();
    void CreateStatusBar();
    QAction* AddItem(QMenu* menu, const char* name, const QString& caption,
                     const QKeySequence& shortcut = QKeySequence(), bool enabled = true);
    QAction* AddTool(QToolBar* bar, const char* name, const QString& hint,
                     const char* iconName, const QString& glyph);
    void LoadColorDefinitionsForMode(int mode);
    void ToggleBar(QWidget* bar, QAction* entry);
    void TileDocuments(Qt::Orientation orientation);
    void ArrangeMinimized();
    void OnSubWindowActivated(QMdiSubWindow* window);

    QMdiArea* mdiArea_ = nullptr;
    QMenu* mnuDuke_ = nullptr;
    QMenu* mnuQuake_ = nullptr;
    QMenu* mnuVerge_ = nullptr;
    QToolBar* toolBar1_ = nullptr;
    QToolBar* toolBar2_ = nullptr;
    QToolBar* toolBar3_ = nullptr;
    QDockWidget* controlBar1_ = nullptr;
    QLabel* lblWizard_ = nullptr;
    QListWidget* mainConWiz_ = nullptr;
    QListWidget* movConWiz_ = nullptr;
    QStatusBar* statusBar1_ = nullptr;
    QLabel* panels_[4] = {};
    QAction* recentItems_[4] = {};
    QAction* mnuFileSep2_ = nullptr;
    QPointer<QMdiSubWindow> lastActive_;   // for its deactivation
    unsigned long lastRightRelease_ = 0;
    bool destroyed_ = false;
};

} // namespace tessel
