#include "ui/CommandTable.h"

namespace tessel {

namespace {
constexpr Cmd None = Cmd::Count;
constexpr unsigned Ed = cfEditorGroup;
constexpr unsigned EdOff = cfEditorGroup | cfOff;
} // namespace

// clang-format off
const CommandRow CommandRows[] = {
    {Row::Menu, None, "File1", "&File", "", "", 0, None},
    {Row::Item, Cmd::FileNew, "FileNewItem", "New &Con File", "Ctrl+N", "", 0, None},
    {Row::Item, Cmd::FileNewGrp, "FileNewGrpItem", "New &GRP Edit", "Ctrl+G", "", 0, None},
    {Row::Item, Cmd::FileOpen, "FileOpenItem", "&Open...", "Ctrl+O", "", 0, None},
    {Row::Item, Cmd::FileClose, "FileCloseItem", "&Close", "", "", 0, None},
    {Row::Item, Cmd::FileSave, "FileSaveItem", "&Save", "Ctrl+S", "", EdOff, None},
    {Row::Item, Cmd::FileSaveAs, "FileSaveAsItem", "Save &As...", "", "", EdOff, None},
    {Row::Item, Cmd::FileRecent1, "mnuFileRecent1", "", "", "", cfHidden, None},
    {Row::Item, Cmd::FileRecent2, "mnuFileRecent2", "", "", "", cfHidden, None},
    {Row::Item, Cmd::FileRecent3, "mnuFileRecent3", "", "", "", cfHidden, None},
    {Row::Item, Cmd::FileRecent4, "mnuFileRecent4", "", "", "", cfHidden, None},
    {Row::Separator, None, "mnuFileSep2", "", "", "", cfHidden, None},
    {Row::Item, Cmd::FileExit, "FileExitItem", "E&xit", "", "", 0, None},

    {Row::Menu, None, "Edit1", "&Edit", "", "", 0, None},
    {Row::Item, Cmd::EditUndo, "mnuEditUndo", "&Undo", "Ctrl+Z", "", Ed, None},
    {Row::Separator, None, "", "", "", "", 0, None},
    {Row::Item, Cmd::EditCut, "EditCutItem", "Cu&t", "Ctrl+X", "", 0, None},
    {Row::Item, Cmd::EditCopy, "EditCopyItem", "&Copy", "Ctrl+C", "", 0, None},
    {Row::Item, Cmd::EditPaste, "EditPasteItem", "&Paste", "Ctrl+V", "", 0, None},
    {Row::Separator, None, "", "", "", "", 0, None},
    {Row::Item, Cmd::EditSearch, "mnuEditSearch", "&Search...", "F4", "", EdOff, None},
    {Row::Item, Cmd::EditRepeatSearch, "mnuEditRepeatSearch", "R&epeat Search", "F3", "", EdOff, None},
    {Row::Item, Cmd::EditReplace, "mnuEditReplace", "&Replace...", "Ctrl+R", "", EdOff, None},
    {Row::Item, Cmd::EditRepeatReplace, "mnuEditRepeatRep", "Re&peat Replace", "F2", "", EdOff, None},
    {Row::Item, Cmd::EditGotoLine, "mnuEditGotoLine", "&Goto Line", "F5", "", EdOff | cfKeptForLauncher, None},
    {Row::Item, Cmd::EditSelectAll, "mnuEditSelAll", "Se&lect All", "Ctrl+A", "", EdOff, None},
    {Row::Item, Cmd::EditBlockIndent, "mnuEditBlockIndent", "Block &Indent", "Ctrl+I", "", EdOff | cfKeptForLauncher, None},
    {Row::Item, Cmd::EditBlockDeIndent, "mnuEditBlkDeIndent", "Block &DeIndent", "Ctrl+Alt+I", "", EdOff | cfKeptForLauncher, None},
    {Row::Separator, None, "", "", "", "", 0, None},
    {Row::Item, Cmd::EditDukeMode, "mnuEditDukeMode", "Change to Duke3D mode", "", "", 0, None},
    {Row::Item, Cmd::EditQuakeMode, "mnuEditQuakeMode", "Change to Quake mode", "", "", 0, None},
    {Row::Item, Cmd::EditVergeMode, "mnuEditVergeMode", "Change to Verge Mode", "", "", 0, None},

    {Row::Menu, None, "View1", "&View", "", "", 0, None},
    {Row::Item, Cmd::ViewHideLeftBar, "LeftToolBar1", "Hide Left Tool Bar", "", "", cfCheckable, None},
    {Row::Item, Cmd::ViewHideUpperBar, "HideUpperToolbar1", "Hide Upper Toolbar", "", "", cfCheckable, None},
    {Row::Item, Cmd::ViewHideStatusBar, "mnuViewHideStatusbar", "Hide Status Bar", "", "", cfCheckable, None},
    {Row::Item, Cmd::ViewHideMainBar, "mnuHideMainTool", "Hide Main Tool Bar", "", "", cfCheckable, None},
    {Row::Item, Cmd::ViewHideUtilsBar, "mnuViewHideUtils", "Hide Utilitys Tool Bar", "", "", cfCheckable, None},
    {Row::Separator, None, "", "", "", "", 0, None},
    {Row::Item, Cmd::ViewRecolor, "mnuViewRecolor", "&Recolor Coat Selected Text", "Ctrl+E", "", EdOff, None},
    {Row::Item, Cmd::ViewEditOptions, "mnuViewEditOpts", "&General Editor Options...", "", "", 0, None},
    {Row::Item, Cmd::ViewPicture, "mnuViewPicture", "Tessel &Picture Viewer...", "", "", 0, None},
    {Row::Separator, None, "", "", "", "", 0, None},
    {Row::Item, Cmd::ViewMessages, "mnuViewMessages", "&Messages", "", "", cfCheckable, None},
    {Row::Item, Cmd::ViewNextMessage, "mnuViewNextMessage", "&Next Message", "F6", "", 0, None},
    {Row::Item, Cmd::ViewPreviousMessage, "mnuViewPrevMessage", "Pre&vious Message", "Shift+F6", "", 0, None},

    {Row::Menu, None, "mnuDuke", "&Duke", "", "", 0, None},
    {Row::Item, Cmd::DukeLaunch, "mnuDukeLaunch", "Launch &Duke3D", "", "", 0, None},
    {Row::Item, Cmd::DukeBuild, "mnuDukeBuild", "Launch &Build", "", "", 0, None},
    {Row::Item, Cmd::DukeTestCon, "mnuDukeTstCon", "Test con file for errors", "", "", EdOff, None},

    {Row::Menu, None, "mnuQuake", "&Quake", "", "", 0, None},
    {Row::Item, Cmd::QuakeLaunch, "mnuQuakeLaunchQ", "Launch &Quake", "", "", 0, None},
    {Row::Item, Cmd::QuakeMapEditor, "mnuQuakeMapEd", "Launch &Map Editing Program", "", "", 0, None},
    {Row::Item, Cmd::QuakeCompile, "mnuQuakeCompile", "&Compile QuakeC Files", "F9", "", cfOff, None},
    {Row::Item, Cmd::QuakeStopCompile, "mnuQuakeStopCompile", "&Stop Compiling", "", "", cfOff, None},
    {Row::Item, Cmd::QuakeTestQC, "mnuQuakeTestQC", "&Test QC File for errors", "", "", EdOff, None},

    {Row::Menu, None, "mnuVerge", "&Verge", "", "", 0, None},
    {Row::Item, Cmd::VergeLaunch, "mnuVergeLaunch", "Launch &Verge", "", "", cfOff, None},
    {Row::Item, Cmd::VergeMapEditor, "mnuVergeMapEd", "Launch Verge &MapEd", "", "", cfOff, None},
    {Row::Item, Cmd::VergeCompile, "mnuVergeCompile", "&Compile VC Files", "", "", cfOff, None},

    {Row::Menu, None, "Window1", "&Window", "", "", 0, None},
    {Row::Item, Cmd::WindowCascade, "WindowCascadeItem", "&Cascade", "", "", 0, None},
    {Row::Item, Cmd::WindowTileHorizontally, "WindowTileItem", "Tile &Horizontally", "", "", 0, None},
    {Row::Item, Cmd::WindowTileVertically, "WindowTileItem2", "Tile &Vertically", "", "", 0, None},
    {Row::Item, Cmd::WindowMinimizeAll, "WindowMinimizeItem", "&Minimize All", "", "", 0, None},
    {Row::Item, Cmd::WindowArrangeAll, "WindowArrangeItem", "&Arrange All", "", "", 0, None},

    {Row::Menu, None, "Help1", "&Help", "", "", 0, None},
    {Row::Item, Cmd::HelpAbout, "HelpAboutItem", "&About...", "", "", 0, None},
    {Row::Item, Cmd::HelpConFaq, "mnuHelpConFaq", "View ConFAQ...", "F8", "", 0, None},
    {Row::Item, Cmd::HelpKeyStrokes, "mnuHelpKeyStrokes", "Common Key Strokes...", "", "", 0, None},

    {Row::Bar, None, "ToolBar2", "Main", "", "", 0, None},
    {Row::Tool, Cmd::ToolNew, "ToolButton1", "New", "", "document-new", 0, Cmd::FileNew},
    {Row::Tool, Cmd::ToolOpen, "tlOpen", "Open Game File", "", "document-open", 0, Cmd::FileOpen},
    {Row::Tool, Cmd::ToolSave, "ToolButton2", "Save", "", "document-save", EdOff, Cmd::FileSave},
    {Row::Separator, None, "", "", "", "", 0, None},
    {Row::Tool, Cmd::ToolCut, "ToolButton4", "Cut", "", "edit-cut", 0, Cmd::EditCut},
    {Row::Tool, Cmd::ToolCopy, "ToolButton5", "Copy", "", "edit-copy", 0, Cmd::EditCopy},
    {Row::Tool, Cmd::ToolPaste, "ToolButton6", "Paste", "", "edit-paste", 0, Cmd::EditPaste},
    {Row::Separator, None, "", "", "", "", 0, None},
    {Row::Tool, Cmd::ToolCascade, "ToolButton8", "Cascade", "", "tessel-cascade", 0, Cmd::WindowCascade},
    {Row::Tool, Cmd::ToolTileHorizontally, "ToolButton10", "Tile Horizontally", "", "tessel-tile-horizontal", 0, Cmd::WindowTileHorizontally},
    {Row::Tool, Cmd::ToolTileVertically, "ToolButton11", "Tile Vertically", "", "tessel-tile-vertical", 0, Cmd::WindowTileVertically},
    {Row::Separator, None, "", "", "", "", 0, None},
    {Row::Tool, Cmd::ToolFind, "tlbtnFind", "Find", "", "edit-find", EdOff, None},
    {Row::Tool, Cmd::ToolReplace, "tlbtnReplace", "Replace", "", "edit-find-replace", EdOff, None},

    {Row::Bar, None, "ToolBar1", "Utilities", "", "", 0, None},
    {Row::Tool, Cmd::ToolCalculator, "tlUtilsCalc", "Calculator", "", "accessories-calculator", 0, None},
    {Row::Tool, Cmd::ToolRecolor, "tlRecolor", "Recolor Coat Selected Text", "", "tessel-recolor", EdOff, Cmd::ViewRecolor},
    {Row::Tool, Cmd::ToolTestErrors, "tlTestErr", "Test for errors", "", "tessel-test-errors", EdOff, Cmd::DukeTestCon},
    {Row::Tool, Cmd::ToolDukeDialog, "tldukeDlg", "Duke Launcher / Options", "", "tessel-duke-options", 0, None},
    {Row::Tool, Cmd::ToolQuakeDialog, "tlQuakeDlg", "Quake Launcher / Options", "", "tessel-quake-options", 0, None},

    {Row::Bar, None, "ToolBar3", "Launch", "", "", 0, None},
    {Row::Tool, Cmd::ToolLaunchDuke, "tlLaunchDuke", "Launch Duke3D", "", "tessel-launch-duke", 0, Cmd::DukeLaunch},
    {Row::Tool, Cmd::ToolLaunchQuake, "tlLaunchQuake", "Launch Quake", "", "tessel-launch-quake", 0, Cmd::QuakeLaunch},
};
// clang-format on

const int CommandRowCount = static_cast<int>(sizeof CommandRows / sizeof CommandRows[0]);

} // namespace tessel
