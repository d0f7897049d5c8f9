#include "shell/Globals.h"

namespace tessel {

std::string ProgramDir;
std::string SettingsFileName;
std::string CommandLineFile;
int GameMode = 0;
std::vector<std::string> RecentList(RecentCount);
EditorRequestsType EditorRequests;
std::string PendingFileName;
int PendingAction = 0;
bool CalculatorOpen = false, FaqOpen = false, DukeLauncherOpen = false, QuakeLauncherOpen = false,
     GeneralOptionsOpen = false;
bool AutoIndent = false;
GeneralOptionsWindow* GeneralOptions = nullptr;
bool LineClean = false, LineBlackened = false;
int LastLineStart = 0, LastLineEnd = 0;
bool NoColoring = false;
bool TreeListDisabled = false;
std::string Duke3DDir, ConDir, BuildDir;
std::string QuakeDir, QCDir, MainQMapEdProg, MainQCToolDir;
KeywordTableType KeywordTable;
WizardTable Wizard;
CalcState CalculatorState;

void EditorRequestsType::DropPending()
{
    LoadRequest = SaveRequest = RecolorRequest = TestErrorsRequest = false;
    SelectAllRequest = UndoRequest = BlockIndentRequest = BlockDeIndentRequest = false;
    GotoLineRequest = -1;
    UserFndText.Go = false;
    UserReplaceText.Go = false;
    WizardInsertText.clear();
    RightClickRequest = false;
}

void ResetGlobals()
{
    ProgramDir.clear();
    SettingsFileName.clear();
    CommandLineFile.clear();
    GameMode = 0;
    RecentList.assign(RecentCount, std::string());
    EditorRequests = EditorRequestsType();
    PendingFileName.clear();
    PendingAction = 0;
    CalculatorOpen = FaqOpen = DukeLauncherOpen = QuakeLauncherOpen = GeneralOptionsOpen = false;
    AutoIndent = false;
    LineClean = LineBlackened = false;
    LastLineStart = LastLineEnd = 0;
    NoColoring = false;
    TreeListDisabled = false;
    Duke3DDir.clear(); ConDir.clear(); BuildDir.clear();
    QuakeDir.clear(); QCDir.clear(); MainQMapEdProg.clear(); MainQCToolDir.clear();
    KeywordTable.clear();
    Wizard = WizardTable();
    CalculatorState = CalcState();
}

SavingOption CurrentSavingOption()
{
    return GeneralOptions ? GeneralOptions->CurrentSavingOption() : SavingOption::Both;
}

void SetProgramDir(const std::string& dir)
{
    ProgramDir = dir.empty() ? std::string("./") : IncludeTrailingPathDelimiter(dir);
    SettingsFileName = ProgramDir + "QztMain.ini";
}

} // namespace tessel
