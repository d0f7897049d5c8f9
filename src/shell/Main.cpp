#include "shell/Main.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDockWidget>
#include <QIcon>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

#include "language/ColorDefinitions.h"
#include "language/WizardFile.h"
#include "platform/Errors.h"
#include "shell/DocumentWindow.h"
#include "shell/Globals.h"

namespace tessel {

namespace {

const char* const StartupOpenFilter =
    "Qzt Files (*.qzt)|*.qzt|Con Files (*.con)|*.con|Function File (*.qcf)|*.qcf|GRP File (*.grp)|*.grp";
const char* const StartupSaveFilter = "Con Files (*.con)|*.con|Function File (*.qcf)|*.qcf";

struct ModeSettings {
    const char* wizardCaption;
    const char* open;
    const char* save;
};

const ModeSettings ModeTable[3] = {
    {"Con Wizard",
     "Qzt Files (*.qzt)|*.qzt|Con Files (*.con)|*.con|GRP File (*.grp)|*.grp|Function File (*.qcf)|*.qcf",
     "Con Files (*.con)|*.con"},
    {"QC Wizard", "Qzt Files (*.qzt)|*.qzt|QuakeC Files (*.qc)|*.qc|Function File (*.qcf)|*.qcf",
     "QuakeC Files (*.qc)|*.qc"},
    {"VC Wizard", "Qzt Files (*.qzt)|*.qzt|VC Files (*.vc)|*.vc|Function File (*.qcf)|*.qcf", "VC Files (*.vc)|*.vc"},
};

// A tool button picture: the desktop theme's icon, or a small lettered tile
// when the theme has none.
QIcon ToolIcon(const char* themeName, const QString& glyph)
{
    if (QIcon::hasThemeIcon(themeName))
        return QIcon::fromTheme(themeName);
    QPixmap pix(24, 24);
    pix.fill(Qt::transparent);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(0x30, 0x40, 0x60));
    p.setBrush(QColor(0xdd, 0xe6, 0xf2));
    p.drawRoundedRect(QRectF(1.5, 1.5, 21, 21), 4, 4);
    QFont f = p.font();
    f.setBold(true);
    f.setPixelSize(glyph.size() > 1 ? 10 : 13);
    p.setFont(f);
    p.drawText(pix.rect(), Qt::AlignCenter, glyph);
    return QIcon(pix);
}

const char* const EditorGroup[] = {
    "FileSaveItem", "FileSaveAsItem", "ToolButton2", "mnuEditSearch", "mnuEditRepeatSearch",
    "mnuEditReplace", "mnuEditRepeatRep", "mnuDukeTstCon", "mnuViewRecolor", "mnuEditSelAll",
    "tlRecolor", "tlTestErr", "btnWizInsert", "tlbtnFind", "tlbtnReplace", "MainConWiz",
    "btnParameters", "mnuEditUndo", "mnuEditGotoLine", "mnuEditBlockIndent", "mnuEditBlkDeIndent",
};

void SetEnabled(QObject* control, bool enabled)
{
    if (auto* action = qobject_cast<QAction*>(control))
        action->setEnabled(enabled);
    else if (auto* widget = qobject_cast<QWidget*>(control))
        widget->setEnabled(enabled);
}

} // namespace

TMainForm::TMainForm(const std::string& programDir, QWidget* parent) : QMainWindow(parent)
{
    setObjectName("MainForm");
    setWindowTitle("Tessel / Launcher");
    mdiArea_ = new QMdiArea(this);
    mdiArea_->setObjectName("MdiArea");
    mdiArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mdiArea_);
    connect(mdiArea_, &QMdiArea::subWindowActivated, this, &TMainForm::OnSubWindowActivated);

    CreateMenus();
    CreateToolBars();
    CreateWizardPane();
    CreateStatusBar();
    OpenDialog.filter = StartupOpenFilter;
    SaveDialog1.filter = StartupSaveFilter;

    SetProgramDir(programDir.empty() ? QCoreApplication::applicationDirPath().toStdString() : programDir);
    FormCreate();
}

TMainForm::~TMainForm()
{
    // The document area outlives this body and reports its windows going away.
    disconnect(mdiArea_, nullptr, this, nullptr);
    qApp->removeEventFilter(this);
    FormDestroy();
}

// --- building the window ------------------------------------------------------

QAction* TMainForm::AddItem(QMenu* menu, const char* name, const QString& caption,
                            const QKeySequence& shortcut, bool enabled)
{
    auto* action = menu->addAction(caption);
    action->setObjectName(name);
    action->setShortcut(shortcut);
    action->setEnabled(enabled);
    return action;
}

QAction* TMainForm::AddTool(QToolBar* bar, const char* name, const QString& hint, const char* iconName,
                            const QString& glyph)
{
    auto* action = bar->addAction(ToolIcon(iconName, glyph), hint);
    action->setObjectName(name);
    action->setToolTip(hint);
    return action;
}

void TMainForm::CreateMenus()
{
    QMenuBar* bar = menuBar();
    auto menu = [&](const char* name, const QString& caption) {
        QMenu* m = bar->addMenu(caption);
        m->setObjectName(name);
        m->menuAction()->setObjectName(QString(name) + "Menu");
        return m;
    };

    QMenu* file = menu("File1", "&File");
    AddItem(file, "FileNewItem", "New &Con File", QKeySequence("Ctrl+N"));
    AddItem(file, "FileNewGrpItem", "New &GRP Edit", QKeySequence("Ctrl+G"));
    AddItem(file, "FileOpenItem", "&Open...", QKeySequence("Ctrl+O"));
    auto* closeItem = AddItem(file, "FileCloseItem", "&Close");
    AddItem(file, "FileSaveItem", "&Save", QKeySequence("Ctrl+S"), false);
    AddItem(file, "FileSaveAsItem", "Save &As...", QKeySequence(), false);
    for (int i = 0; i < 4; ++i) {
        recentItems_[i] = AddItem(file, qPrintable(QString("mnuFileRecent%1").arg(i + 1)), QString());
        recentItems_[i]->setVisible(false);
    }
    mnuFileSep2_ = file->addSeparator();
    mnuFileSep2_->setObjectName("mnuFileSep2");
    mnuFileSep2_->setVisible(false);
    auto* exitItem = AddItem(file, "FileExitItem", "E&xit");
    connect(exitItem, &QAction::triggered, this, &QWidget::close);
    connect(closeItem, &QAction::triggered, this, [this] {
        if (QMdiSubWindow* w = mdiArea_->activeSubWindow())
            w->close();
    });

    QMenu* edit = menu("Edit1", "&Edit");
    AddItem(edit, "mnuEditUndo", "&Undo", QKeySequence("Ctrl+Z"));
    edit->addSeparator();
    auto* cut = AddItem(edit, "EditCutItem", "Cu&t", QKeySequence("Ctrl+X"));
    auto* copy = AddItem(edit, "EditCopyItem", "&Copy", QKeySequence("Ctrl+C"));
    auto* paste = AddItem(edit, "EditPasteItem", "&Paste", QKeySequence("Ctrl+V"));
    edit->addSeparator();
    AddItem(edit, "mnuEditSearch", "&Search...", QKeySequence("F4"), false);
    AddItem(edit, "mnuEditRepeatSearch", "R&epeat Search", QKeySequence("F3"), false);
    AddItem(edit, "mnuEditReplace", "&Replace...", QKeySequence("Ctrl+R"), false);
    AddItem(edit, "mnuEditRepeatRep", "Re&peat Replace", QKeySequence("F2"), false);
    AddItem(edit, "mnuEditGotoLine", "&Goto Line", QKeySequence("F5"), false);
    AddItem(edit, "mnuEditSelAll", "Se&lect All", QKeySequence("Ctrl+A"), false);
    AddItem(edit, "mnuEditBlockIndent", "Block &Indent", QKeySequence("Ctrl+I"), false);
    AddItem(edit, "mnuEditBlkDeIndent", "Block &DeIndent", QKeySequence("Ctrl+Alt+I"), false);
    edit->addSeparator();
    const char* modeItems[3] = {"mnuEditDukeMode", "mnuEditQuakeMode", "mnuEditVergeMode"};
    const char* modeCaptions[3] = {"Change to Duke3D mode", "Change to Quake mode", "Change to Verge Mode"};
    for (int mode = 1; mode <= 3; ++mode) {
        auto* item = AddItem(edit, modeItems[mode - 1], modeCaptions[mode - 1]);
        connect(item, &QAction::triggered, this, [this, mode] { SwitchGameMode(mode); });
    }

    // The clipboard commands act on whichever control has the keyboard focus.
    auto clipboard = [](const char* slot) {
        return [slot] {
            if (QWidget* w = QApplication::focusWidget())
                QMetaObject::invokeMethod(w, slot);
        };
    };
    connect(cut, &QAction::triggered, this, clipboard("cut"));
    connect(copy, &QAction::triggered, this, clipboard("copy"));
    connect(paste, &QAction::triggered, this, clipboard("paste"));

    QMenu* view = menu("View1", "&View");
    for (const auto& [name, caption] : {std::pair{"LeftToolBar1", "Hide Left Tool Bar"},
                                        {"HideUpperToolbar1", "Hide Upper Toolbar"},
                                        {"mnuViewHideStatusbar", "Hide Status Bar"},
                                        {"mnuHideMainTool", "Hide Main Tool Bar"},
                                        {"mnuViewHideUtils", "Hide Utilitys Tool Bar"}})
        AddItem(view, name, caption)->setCheckable(true);
    view->addSeparator();
    AddItem(view, "mnuViewRecolor", "&Recolor Coat Selected Text", QKeySequence("Ctrl+E"), false);
    AddItem(view, "mnuViewEditOpts", "&General Editor Options...");
    AddItem(view, "mnuViewPicture", "Tessel &Picture Viewer...");

    mnuDuke_ = menu("mnuDuke", "&Duke");
    AddItem(mnuDuke_, "mnuDukeLaunch", "Launch &Duke3D");
    AddItem(mnuDuke_, "mnuDukeBuild", "Launch &Build");
    AddItem(mnuDuke_, "mnuDukeTstCon", "Test con file for errors", QKeySequence(), false);

    mnuQuake_ = menu("mnuQuake", "&Quake");
    AddItem(mnuQuake_, "mnuQuakeLaunchQ", "Launch &Quake");
    AddItem(mnuQuake_, "mnuQuakeMapEd", "Launch &Map Editing Program");
    AddItem(mnuQuake_, "mnuQuakeCompile", "&Compile QuakeC Files", QKeySequence("F9"), false);
    AddItem(mnuQuake_, "mnuQuakeTestQC", "&Test QC File for errors", QKeySequence(), false);

    mnuVerge_ = menu("mnuVerge", "&Verge");
    AddItem(mnuVerge_, "mnuVergeLaunch", "Launch &Verge");
    AddItem(mnuVerge_, "mnuVergeMapEd", "Launch Verge &MapEd");
    AddItem(mnuVerge_, "mnuVergeCompile", "&Compile VC Files");

    QMenu* window = menu("Window1", "&Window");
    connect(AddItem(window, "WindowCascadeItem", "&Cascade"), &QAction::triggered, mdiArea_,
            &QMdiArea::cascadeSubWindows);
    connect(AddItem(window, "WindowTileItem", "Tile &Horizontally"), &QAction::triggered, this,
            [this] { TileDocuments(Qt::Vertical); });
    connect(AddItem(window, "WindowTileItem2", "Tile &Vertically"), &QAction::triggered, this,
            [this] { TileDocuments(Qt::Horizontal); });
    connect(AddItem(window, "WindowMinimizeItem", "&Minimize All"), &QAction::triggered, this, [this] {
        for (QMdiSubWindow* w : mdiArea_->subWindowList())
            w->showMinimized();
        ArrangeMinimized();
    });
    connect(AddItem(window, "WindowArrangeItem", "&Arrange All"), &QAction::triggered, this,
            &TMainForm::ArrangeMinimized);

    QMenu* help = menu("Help1", "&Help");
    AddItem(help, "HelpAboutItem", "&About...");
    AddItem(help, "mnuHelpConFaq", "View ConFAQ...", QKeySequence("F8"));
    AddItem(help, "mnuHelpKeyStrokes", "Common Key Strokes...");
}

void TMainForm::CreateToolBars()
{
    auto makeBar = [this](const char* name, const QString& title) {
        auto* bar = new QToolBar(title, this);
        bar->setObjectName(name);
        bar->setMovable(true);
        bar->setIconSize(QSize(24, 24));
        addToolBar(Qt::TopToolBarArea, bar);
        return bar;
    };
    auto sameAs = [this](QAction* tool, const char* item) {
        connect(tool, &QAction::triggered, findChild<QAction*>(item), &QAction::trigger);
    };

    toolBar2_ = makeBar("ToolBar2", "Main");
    sameAs(AddTool(toolBar2_, "ToolButton1", "New", "document-new", "N"), "FileNewItem");
    sameAs(AddTool(toolBar2_, "tlOpen", "Open Game File", "document-open", "O"), "FileOpenItem");
    AddTool(toolBar2_, "ToolButton2", "Save", "document-save", "S")->setEnabled(false);
    toolBar2_->addSeparator();
    sameAs(AddTool(toolBar2_, "ToolButton4", "Cut", "edit-cut", "Cu"), "EditCutItem");
    sameAs(AddTool(toolBar2_, "ToolButton5", "Copy", "edit-copy", "Co"), "EditCopyItem");
    sameAs(AddTool(toolBar2_, "ToolButton6", "Paste", "edit-paste", "Pa"), "EditPasteItem");
    toolBar2_->addSeparator();
    sameAs(AddTool(toolBar2_, "ToolButton8", "Cascade", "window-cascade", "Ca"), "WindowCascadeItem");
    sameAs(AddTool(toolBar2_, "ToolButton10", "Tile Horizontally", "view-split-top-bottom", "TH"), "WindowTileItem");
    sameAs(AddTool(toolBar2_, "ToolButton11", "Tile Vertically", "view-split-left-right", "TV"), "WindowTileItem2");
    toolBar2_->addSeparator();
    AddTool(toolBar2_, "tlbtnFind", "Find", "edit-find", "F")->setEnabled(false);
    AddTool(toolBar2_, "tlbtnReplace", "Replace", "edit-find-replace", "R")->setEnabled(false);

    toolBar1_ = makeBar("ToolBar1", "Utilities");
    AddTool(toolBar1_, "tlUtilsCalc", "Calculator", "accessories-calculator", "+=");
    AddTool(toolBar1_, "tlRecolor", "Recolor Coat Selected Text", "format-text-color", "Rc")->setEnabled(false);
    AddTool(toolBar1_, "tlTestErr", "Test for errors", "dialog-warning", "{}")->setEnabled(false);
    AddTool(toolBar1_, "tldukeDlg", "Duke Launcher / Options", "preferences-system", "D");
    AddTool(toolBar1_, "tlQuakeDlg", "Quake Launcher / Options", "preferences-other", "Q");

    toolBar3_ = makeBar("ToolBar3", "Launch");
    AddTool(toolBar3_, "tlLaunchDuke", "Launch Duke3D", "media-playback-start", "\u25B6D");
    AddTool(toolBar3_, "tlLaunchQuake", "Launch Quake", "applications-games", "\u25B6Q");
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
    mainConWiz_->setEnabled(false);
    auto* insert = new QPushButton("&Insert", pane);
    insert->setObjectName("btnWizInsert");
    insert->setToolTip("Alt + C");
    insert->setEnabled(false);
    auto* parameters = new QPushButton("&Parameters", pane);
    parameters->setObjectName("btnParameters");
    parameters->setToolTip("Shows parameters for selected function in the status bar");
    parameters->setEnabled(false);
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

    // Bar toggles of the View menu: each marks its entry while its bar is hidden.
    auto entry = [this](const char* name) { return findChild<QAction*>(name); };
    connect(entry("LeftToolBar1"), &QAction::triggered, this,
            [this, entry] { ToggleBar(controlBar1_, entry("LeftToolBar1")); });
    connect(entry("mnuViewHideStatusbar"), &QAction::triggered, this,
            [this, entry] { ToggleBar(statusBar1_, entry("mnuViewHideStatusbar")); });
    connect(entry("mnuHideMainTool"), &QAction::triggered, this,
            [this, entry] { ToggleBar(toolBar2_, entry("mnuHideMainTool")); });
    connect(entry("mnuViewHideUtils"), &QAction::triggered, this,
            [this, entry] { ToggleBar(toolBar1_, entry("mnuViewHideUtils")); });
    // This one decides by the bar's visibility rather than by its own mark.
    connect(entry("HideUpperToolbar1"), &QAction::triggered, this, [this, entry] {
        const bool hidden = toolBar2_->isHidden();
        toolBar2_->setVisible(hidden);
        entry("HideUpperToolbar1")->setChecked(!hidden);
    });
}

void TMainForm::ToggleBar(QWidget* bar, QAction* entry)
{
    // The action has already flipped its mark: marked means hidden.
    bar->setVisible(!entry->isChecked());
}

// --- creation and destruction -----------------------------------------------

void TMainForm::FormCreate()
{
    AutoIndent = true;
    qApp->installEventFilter(this);
    setWindowState(windowState() | Qt::WindowMaximized);
    EditorRequests.UserFndText.Position = 0;

    const ProfileFile ini = Settings();
    const int gameUp = ini.ReadInteger("ProgStartup", "GameUp", 1);
    for (int i = 0; i < RecentCount; ++i) {
        const std::string name = ini.ReadString("RecentFiles", "Recent" + std::to_string(i + 1), "");
        if (name.empty())
            break;
        RecentList[i] = name;
    }
    if (!RecentList[0].empty())
        RefreshRecentMenu();
    TreeListDisabled = ini.ReadBool("GroupFileExplorer", "TreeListEnable", false);

    GameMode = gameUp;
    if (gameUp >= 1 && gameUp <= 3)
        SwitchGameMode(gameUp);

    try {
        LoadWizardFile(ProgramDir, Wizard, AppPrompter());
    } catch (const AppError& e) {
        AppPrompter().ShowError(e.what());
    }
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
    try {
        ProfileFile ini = Settings();
        ini.WriteInteger("ProgStartup", "GameUp", GameMode);
        for (int i = 0; i < RecentCount && !RecentList[i].empty(); ++i)
            ini.WriteString("RecentFiles", "Recent" + std::to_string(i + 1), RecentList[i]);
    } catch (const AppError& e) {
        AppPrompter().ShowError(e.what());
    }
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    for (QMdiSubWindow* w : mdiArea_->subWindowList()) {
        if (auto* doc = dynamic_cast<DocumentWindow*>(w->widget()); doc && !doc->FormCloseQuery()) {
            event->ignore();
            return;
        }
    }
    event->accept();
}

// --- game modes ---------------------------------------------------------------

void TMainForm::SwitchGameMode(int mode)
{
    if (mode < 1 || mode > 3)
        return;
    const ModeSettings& m = ModeTable[mode - 1];
    lblWizard_->setText(m.wizardCaption);
    RestoreChildWindows();
    mnuDuke_->menuAction()->setVisible(mode == 1);
    mnuQuake_->menuAction()->setVisible(mode == 2);
    mnuVerge_->menuAction()->setVisible(mode == 3);
    GameMode = mode;
    LoadColorDefinitionsForMode(mode);
    OpenDialog.filter = m.open;
    SaveDialog1.filter = m.save;
}

void TMainForm::LoadColorDefinitionsForMode(int mode)
{
    // A faulty colour number ends the load, not the mode switch.
    try {
        if (!LoadColorDefinitions(mode, ProgramDir, KeywordTable, AppPrompter()))
            NoColoring = false;
    } catch (const AppError& e) {
        AppPrompter().ShowError(e.what());
    }
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
    for (QAction* item : recentItems_)
        item->setVisible(false);
    mnuFileSep2_->setVisible(false);
    for (int i = 0; i < RecentCount && !RecentList[i].empty(); ++i) {
        mnuFileSep2_->setVisible(true);
        recentItems_[i]->setText(QString::fromStdString(RecentList[i]));
        recentItems_[i]->setVisible(true);
    }
}

// --- document windows -------------------------------------------------------------

DocumentWindow* TMainForm::ActiveDocument() const
{
    QMdiSubWindow* w = mdiArea_->activeSubWindow();
    return w ? dynamic_cast<DocumentWindow*>(w->widget()) : nullptr;
}

QMdiSubWindow* TMainForm::AddDocument(QWidget* document)
{
    QMdiSubWindow* w = mdiArea_->addSubWindow(document);
    w->setAttribute(Qt::WA_DeleteOnClose);
    w->show();
    return w;
}

void TMainForm::PostEditorRequest()
{
    if (DocumentWindow* doc = ActiveDocument())
        doc->FormActivate();
    else
        EditorRequests.DropPending();
}

void TMainForm::OnSubWindowActivated(QMdiSubWindow* window)
{
    if (lastActive_ && lastActive_ != window)
        if (auto* doc = dynamic_cast<DocumentWindow*>(lastActive_->widget()))
            doc->FormDeactivate();
    lastActive_ = window;
    if (window)
        if (auto* doc = dynamic_cast<DocumentWindow*>(window->widget()))
            doc->FormActivate();
}

void TMainForm::TileDocuments(Qt::Orientation orientation)
{
    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* w : mdiArea_->subWindowList())
        if (!w->isMinimized())
            windows << w;
    if (windows.isEmpty())
        return;
    const QRect area = mdiArea_->viewport()->rect();
    const int n = windows.size();
    for (int i = 0; i < n; ++i) {
        windows[i]->showNormal();
        if (orientation == Qt::Vertical) {   // one above the other
            const int top = area.height() * i / n;
            windows[i]->setGeometry(0, top, area.width(), area.height() * (i + 1) / n - top);
        } else {                             // side by side
            const int left = area.width() * i / n;
            windows[i]->setGeometry(left, 0, area.width() * (i + 1) / n - left, area.height());
        }
    }
}

void TMainForm::ArrangeMinimized()
{
    const QRect area = mdiArea_->viewport()->rect();
    int x = 0;
    int y = area.bottom();
    for (QMdiSubWindow* w : mdiArea_->subWindowList()) {
        if (!w->isMinimized())
            continue;
        const QSize s = w->size();
        if (x > 0 && x + s.width() > area.width()) {
            x = 0;
            y -= s.height();
        }
        w->move(x, y - s.height() + 1);
        x += s.width();
    }
}

// --- shared controls ----------------------------------------------------------------

const QStringList& TMainForm::EditorCommandNames()
{
    static const QStringList names = [] {
        QStringList n;
        for (const char* name : EditorGroup)
            n << name;
        return n;
    }();
    return names;
}

QObject* TMainForm::Control(const QString& name) const
{
    return findChild<QObject*>(name);
}

void TMainForm::SetEditorCommandsEnabled(bool enabled)
{
    for (const QString& name : EditorCommandNames())
        SetEnabled(Control(name), enabled);
}

void TMainForm::DisableEditorCommandsForLauncher()
{
    const QStringList& names = EditorCommandNames();
    for (int i = 0; i + 3 < names.size(); ++i)
        SetEnabled(Control(names[i]), false);
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
