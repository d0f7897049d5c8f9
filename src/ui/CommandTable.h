#pragma once
// Every command of the main window once: its menu entry or tool button (the
// object name, caption, shortcut and icon), where it stands and which command
// group it belongs to. The main window builds its menus and tool bars from
// this table and keeps one action per entry; command files connect handlers
// to the actions by Cmd. A document window with menus of its own (the group
// file explorer) describes them in rows of the same kind, which the same
// builder (Menus.h) makes.
namespace tessel {

enum class Cmd {
    // File
    FileNew, FileNewGrp, FileOpen, FileClose, FileSave, FileSaveAs,
    FileRecent1, FileRecent2, FileRecent3, FileRecent4, FileExit,
    // Edit
    EditUndo, EditCut, EditCopy, EditPaste, EditSearch, EditRepeatSearch, EditReplace, EditRepeatReplace,
    EditGotoLine, EditSelectAll, EditBlockIndent, EditBlockDeIndent, EditDukeMode, EditQuakeMode, EditVergeMode,
    // View
    ViewHideLeftBar, ViewHideUpperBar, ViewHideStatusBar, ViewHideMainBar, ViewHideUtilsBar, ViewRecolor,
    ViewEditOptions, ViewPicture, ViewMessages, ViewNextMessage, ViewPreviousMessage,
    // Duke, Quake, Verge
    DukeLaunch, DukeBuild, DukeTestCon, QuakeLaunch, QuakeMapEditor, QuakeCompile, QuakeStopCompile, QuakeTestQC,
    VergeLaunch, VergeMapEditor, VergeCompile,
    // Window, Help
    WindowCascade, WindowTileHorizontally, WindowTileVertically, WindowMinimizeAll, WindowArrangeAll,
    HelpAbout, HelpConFaq, HelpKeyStrokes,
    // Tool buttons
    ToolNew, ToolOpen, ToolSave, ToolCut, ToolCopy, ToolPaste, ToolCascade, ToolTileHorizontally,
    ToolTileVertically, ToolFind, ToolReplace, ToolCalculator, ToolRecolor, ToolTestErrors, ToolDukeDialog,
    ToolQuakeDialog, ToolLaunchDuke, ToolLaunchQuake,
    Count,   // the main window's commands end here; the explorer's follow
    // Group file explorer: File, Items, View, the tree's own
    GrpNew, GrpOpen, GrpSaveAs, GrpClose, GrpNewWindow, GrpNewConEditor, GrpExit, GrpUpdate, GrpAdd, GrpExtract,
    GrpDelete, GrpDuplicates, GrpCreateReserved, GrpEraseReserved, GrpDefragment, GrpOptions, GrpTreeDelete,
    GrpTreeExtract, GrpPreview, GrpOpenInEditor, GrpNone
};

// Command flags.
enum : unsigned {
    cfOff = 1,              // starts disabled
    cfCheckable = 2,        // a toggle with a check mark
    cfHidden = 4,           // starts hidden
    cfEditorGroup = 8,      // enabled while an editor window is active
    cfKeptForLauncher = 16, // of the editor group, stays enabled while a launcher is active
    cfChecked = 32,         // a toggle that starts checked
};

// What a row of the table is: a menu or tool bar that the following rows go
// into, an entry or tool button, or a separator.
enum class Row { Menu, Item, Separator, Bar, Tool };

struct CommandRow {
    Row kind;
    Cmd id;                 // Cmd::Count for menus, bars and separators
    const char* name;       // object name (of the menu, bar or action)
    const char* caption;    // menu caption, bar title, or the tool button's hint
    const char* shortcut;   // "" for none
    const char* icon;       // tool buttons: a theme icon name, also the name of our own picture
                            // (resources/icons), which stands in where the theme has none;
                            // "tessel-" names are ours alone
    unsigned flags;
    Cmd same;               // a tool button that runs a menu entry's command; Cmd::Count otherwise
};

// The main window's rows.
extern const CommandRow CommandRows[];
extern const int CommandRowCount;

} // namespace tessel
