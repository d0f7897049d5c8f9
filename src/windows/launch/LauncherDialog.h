#pragma once
// The frame the Duke Nukem 3D and Quake launchers share: the window itself
// (fixed border, minimise box, centred), the tab strip MainTabs over the
// notebook MainNoteBook with the launcher and options pages, the strip
// LauncherTabs over LaunchNote with the single and multi player pages, the
// resize rule, activation's effect on the main window's editor commands, and
// closing that only hides; and the builders of what both launchers' pages
// hold (the top row, the skill buttons, the user map, the folder rows, the
// alternate program), with which TfrmDukeStart and TfrmQuakeStart fill the
// pages, each adding only what is its own.
#include <QDialog>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "launch/GameDirectories.h"
#include "platform/ProfileFile.h"
#include "platform/Prompter.h"
#include "ui/CommandTable.h"
#include "ui/Guarded.h"
#include "ui/Shell.h"
#include "ui/ToolWindows.h"

class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLayout;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QTabBar;
class QVBoxLayout;

namespace tessel {

struct GameLaunch;

// Carries a launch plan out (DOS programs in DOSBox as launch names it) and,
// when its program could not be started at all, says so in panel 0. Throws
// AppError as CarryOut does. A native engine's plan checks its folder and
// copies its files the same way, then runs with its output in the Messages
// pane (Shell::RunInMessages).
void CarryOutLaunch(Shell& shell, const LaunchSettings& launch, const GameLaunch& plan);

class LauncherDialog : public QDialog, public GameLauncher {
    Q_OBJECT
public:
    QWidget& LauncherWindow() override { return *this; }
    void ClearScriptDirectoryField() override;
    // Its options, written when the program ends.
    virtual void WriteExitSettings(ProfileEdit& edit) const = 0;

    // What a launcher's frame shows and enables.
    struct Frame {
        const char* caption;         // "Duke Launcher / Options"
        const char* launcherPage;    // MainTabs' first tab and its page: "Duke Launcher"
        const char* title;           // the launcher page's title
        bool multiPlayerShows;       // whether LauncherTabs switches LaunchNote
        const char* launchReg;       // chkLaunchReg's caption, at the top of the single player page
        const char* run;             // btnRun's beside it: "&Run Duke"
        Cmd launchItems[2];          // the main window's items that launch the game, enabled with btnRun
    };

protected:
    // launch: the folders and programs it shows and keeps; settings: where it
    // reads and writes them. The single player page starts with its top row:
    // chkLaunchReg, then btnRun, the default button; they call
    // chkLaunchRegClick and btnRunClick.
    LauncherDialog(Shell& shell, LaunchSettings& launch, ProfileFile settings, const Frame& frame);
    // What a launcher's constructor does once its own members are there: it
    // makes the launcher page and the options page, sizes the window to them,
    // then FormCreate reads the settings into the controls.
    void Build();
    virtual void CreateLauncherPage() = 0;
    virtual void CreateOptionsPage() = 0;
    virtual void FormCreate() = 0;

    // --- the pages ---------------------------------------------------------------
    // A launcher builds its pages with these, in the order of its controls (the
    // order of making is the tab order); what only one launcher has, it makes
    // itself between them. The top of the single player page down to
    // launcherGroupsTop holds the top row.
    static constexpr int launcherGroupsTop = 38;
    // The single player page, and a row of it below its groups, across it.
    QWidget* SinglePlayerPage() const { return singlePlayer_; }
    void SetBottomRow(QWidget* bottom);
    // "Regular Map Options": "Skill Levels:" over the four skill buttons
    // (the third checked), two to a row, in a grid of columns columns (a
    // button spans half of them), rows 0 to 2. The launcher fills row 3.
    struct NamedControl {
        const char* name;
        const char* caption;
    };
    QGridLayout* AddRegularGroup(const NamedControl (&skills)[4], int columns);
    // Rows 4 to 7 of that grid: "User Map:", txtUserMap, btnUserBrowse
    // (calling btnUserBrowseClick) and btnUserClear, and the note where maps
    // must be; row 8 takes the room left.
    void AddUserMapRows(QGridLayout* grid, const char* mapsNote);
    // "Testing Map/Misc Options", for the launcher to fill.
    QVBoxLayout* AddTestingGroup();
    // The options page's main group: the game's folder and the folder of its
    // scripts (rows 0 to 3, each a folder row as AddFolderRow makes it; the
    // latter is the field ClearScriptDirectoryField empties), then chkCopy and
    // Label10 (rows 4 and 5), Label10 continuing chkCopy's caption, its lines
    // starting under that caption's text. The launcher fills the rows after.
    struct FolderRow {
        const char* caption;
        const char* field;
        const char* button;
        std::function<void()> click;
    };
    struct SettingsGroup {
        const char* title;   // "Main Duke3D Settings"
        FolderRow game, scripts;
        const char* copyCaption;
        const char* label10Caption;
        bool label10Wraps;
    };
    struct MainFolders {
        QGridLayout* grid;
        QLineEdit* game;
        QLineEdit* scripts;
    };
    MainFolders AddSettingsGroup(const SettingsGroup& settings);
    // "Misc. Options", in a grid of columns columns: it opens with the
    // alternate program, its caption in row 0 and txtTCApp in row 1 across
    // the grid, and btnTCBrowse and btnTCClear (calling btnTCBrowseClick and
    // btnTCClearClick) for the launcher to place in row 2 and the rows after.
    struct MiscGroup {
        QGridLayout* grid;
        QPushButton* browse;
        QPushButton* clear;
    };
    MiscGroup AddMiscGroup(const char* tcCaption, int columns);
    // The note in it that the first page's check box starts the alternate program.
    QLabel* NewAlternateNote(QWidget* misc);
    // The engine that Run starts, kept in section's Engine key: at row of a
    // group's grid (columns wide) the caption, cmbEngine below it, and
    // btnEngineBrowse and btnEngineClear below that. Its items: ownProgram
    // (the game's own, ""), the engines found (full paths), then the one
    // chosen by Browse or read from the settings. Browse starts in
    // gameFolder when it is set.
    struct EngineChoice {
        const char* ownProgram;   // "Duke3D.exe (in the game folder)"
        const char* section;      // "DukeStartup"
        std::vector<std::string> found;
        const std::string* gameFolder;
    };
    void AddEngineRows(QGridLayout* grid, int row, int columns, const EngineChoice& choice);
    // The engine chosen ("": the game's own program), and the choice shown.
    std::string Engine() const;
    void ShowEngine(const std::string& engine);
    // In a group's grid: a caption over a read-only field at row, the field
    // with its Browse button (calling click) beside it at row + 1.
    QLineEdit* AddFolderRow(QGridLayout* grid, int row, const FolderRow& folder);
    // The handlers of the controls made above.
    virtual void chkLaunchRegClick() = 0;
    virtual void btnUserBrowseClick() = 0;
    virtual void btnTCBrowseClick() = 0;
    virtual void btnTCClearClick() = 0;
    void btnEngineBrowseClick();

    // --- the controls' state -----------------------------------------------------
    // The checked skill button, 1 to 4 (the first of them when several are); 0 for none.
    int Skill() const;
    // Checks the skill button of 1 to 4; leaves them for any other value.
    void ShowSkill(int skill);
    // The skill buttons, txtUserMap and its two buttons, and chkRecord
    // enabled or not.
    void EnableMapChoice(bool enabled);
    // btnRun and the main window's items of Frame::launchItems enabled or not.
    void EnableRun(bool enabled);
    // Creation: the game's folder in its field, or, without one, no launch.
    void ShowGameFolder(QLineEdit* field, const std::string& folder);
    // A Browse button of a folder the launcher keeps (nothing without a
    // chooser): browse chooses it with the chooser and stores it in the
    // settings; field shows setting afterwards, whatever was chosen. Returns
    // browse's answer.
    bool BrowseFolder(QLineEdit* field, const std::string& setting,
                      const std::function<bool(ProfileFile&, DirectoryChooser&)>& browse);

    void SetMainItemsEnabled(std::initializer_list<Cmd> items, bool enabled);
    // The directory chooser of the Browse buttons; null until it is made.
    DirectoryChooser* Chooser() const { return shell_.Chooser(); }
    // A path as a field shows it, and the path a field holds.
    static QString Shown(const std::string& path);
    static std::string Taken(const QLineEdit* field);

    // Controls under their object names.
    QCheckBox* NewCheck(QWidget* parent, const char* name, const char* caption);
    QRadioButton* NewRadio(QWidget* parent, const char* name, const char* caption);
    QPushButton* NewButton(QWidget* parent, const char* name, const char* caption);
    QLineEdit* NewReadOnlyText(QWidget* parent, const char* name);
    static QLabel* NewLabel(QWidget* parent, const char* caption, const char* name = "");
    // A caption line across a group, as "Misc Options".
    static QWidget* NewCaptionLine(QWidget* parent, const char* caption);
    // A group's layout, spaced as tightly as the design's groups.
    static void Compact(QLayout* layout);

    // A control's signal to one of our handlers, through the one exception boundary.
    template <class Sender, class Signal, class Handler>
    void OnControl(Sender* sender, Signal signal, Handler handler)
    {
        OnSignal(prompter_, sender, signal, this, handler);
    }

    Shell& shell_;
    LaunchSettings& launch_;
    ProfileFile settings_;
    Prompter& prompter_;
    FileDialog OpenDialog1;

    // The controls both launchers have, made by the builders above; chkRecord
    // and chkUseTC where each launcher's testing group has them.
    QCheckBox* chkLaunchReg = nullptr;
    QPushButton* btnRun = nullptr;
    QLineEdit* txtUserMap = nullptr;
    QPushButton* btnUserBrowse = nullptr;
    QPushButton* btnUserClear = nullptr;
    QCheckBox* chkRecord = nullptr;
    QCheckBox* chkUseTC = nullptr;
    QCheckBox* chkCopy = nullptr;
    QLabel* Label10 = nullptr;
    QLineEdit* txtTCApp = nullptr;
    QComboBox* cmbEngine = nullptr;

    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void reject() override;

private:
    void FormActivate();
    // The design size, or larger where the groups' contents need more room
    // (the system's fonts decide that); then the resize rule.
    void FitToGroups();
    void FormResize();

    QTabBar* MainTabs = nullptr;
    QStackedWidget* MainNoteBook = nullptr;
    QLabel* title_ = nullptr;
    QTabBar* LauncherTabs = nullptr;
    QStackedWidget* LaunchNote = nullptr;
    Frame frame_;
    QWidget* singlePlayer_ = nullptr;
    QWidget* options_ = nullptr;
    QRadioButton* skills_[4] = {};
    QLineEdit* scriptFolder_ = nullptr;
    QGroupBox* groups_[4] = {};
    int regularWidth_, mainSettingsWidth_;   // the left groups' widths
    QWidget* topRow_ = nullptr;
    QWidget* bottomRow_ = nullptr;
    EngineChoice engines_{};
};

} // namespace tessel
