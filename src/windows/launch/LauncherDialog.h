#pragma once
// The frame the Duke Nukem 3D and Quake launchers share: the window itself
// (fixed border, minimise box, centred), the tab strip MainTabs over the
// notebook MainNoteBook with the launcher and options pages, the strip
// LauncherTabs over LaunchNote with the single and multi player pages, the
// resize rule, activation's effect on the main window's editor commands, and
// closing that only hides. TfrmDukeStart and TfrmQuakeStart fill the pages.
#include <QDialog>
#include <initializer_list>
#include <string>

#include "launch/GameDirectories.h"
#include "platform/ProfileFile.h"
#include "platform/Prompter.h"
#include "ui/CommandTable.h"
#include "ui/Guarded.h"
#include "ui/Shell.h"
#include "ui/ToolWindows.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLayout;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QTabBar;

namespace tessel {

struct GameLaunch;

// Carries a launch plan out (DOS programs in DOSBox as launch names it) and,
// when its program could not be started at all, says so in panel 0. Throws
// AppError as CarryOut does.
void CarryOutLaunch(Shell& shell, const LaunchSettings& launch, const GameLaunch& plan);

class LauncherDialog : public QDialog, public GameLauncher {
    Q_OBJECT
public:
    QWidget& LauncherWindow() override { return *this; }
    // Its options, written when the program ends.
    virtual void WriteExitSettings(ProfileEdit& edit) const = 0;

protected:
    struct Frame {
        const char* caption;         // "Duke Launcher / Options"
        const char* launcherPage;    // MainTabs' first tab and its page: "Duke Launcher"
        const char* title;           // the launcher page's title
        bool multiPlayerShows;       // whether LauncherTabs switches LaunchNote
    };
    // launch: the folders and programs it shows and keeps; settings: where it
    // reads and writes them.
    LauncherDialog(Shell& shell, LaunchSettings& launch, ProfileFile settings, const Frame& frame);

    // The pages the launchers fill: the single player page of LaunchNote and
    // MainNoteBook's options page. The top of the single player page down to
    // launcherGroupsTop holds the start-regularly switch and the run button.
    QWidget* SinglePlayerPage() const { return singlePlayer_; }
    QWidget* OptionsPage() const { return options_; }
    static constexpr int launcherGroupsTop = 38;
    // The groups the resize rule sizes: on the launcher page "Regular Map
    // Options" and "Testing Map/Misc Options", on the options page the main
    // settings and "Misc. Options". The dialog places them.
    void SetGroups(QGroupBox* regular, QGroupBox* testing, QGroupBox* mainSettings, QGroupBox* misc);
    // The rows above and below the launcher page's groups, across the page.
    void SetLauncherRows(QWidget* top, QWidget* bottom);
    // The design size, or larger where the groups' contents need more room
    // (the system's fonts decide that); then the resize rule.
    void FitToGroups();

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
    // Label10 continues chkCopy's caption: its lines start under that caption's text.
    void AlignUnderCheckText(QLabel* label) const;

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

    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void reject() override;

private:
    void FormActivate();
    void FormResize();

    Frame frame_;
    QTabBar* MainTabs = nullptr;
    QStackedWidget* MainNoteBook = nullptr;
    QLabel* title_ = nullptr;
    QTabBar* LauncherTabs = nullptr;
    QStackedWidget* LaunchNote = nullptr;
    QWidget* singlePlayer_ = nullptr;
    QWidget* options_ = nullptr;
    QGroupBox* groups_[4] = {};
    int regularWidth_, mainSettingsWidth_;   // the left groups' widths
    QWidget* topRow_ = nullptr;
    QWidget* bottomRow_ = nullptr;
};

} // namespace tessel
