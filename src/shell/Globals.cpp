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
bool NoColoring = false;
bool TreeListDisabled = false;
std::string Duke3DDir, ConDir, BuildDir;
std::string QuakeDir, QCDir, MainQMapEdProg, MainQCToolDir;
KeywordTableType KeywordTable;
WizardTable Wizard;

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
    NoColoring = false;
    TreeListDisabled = false;
    Duke3DDir.clear(); ConDir.clear(); BuildDir.clear();
    QuakeDir.clear(); QCDir.clear(); MainQMapEdProg.clear(); MainQCToolDir.clear();
    KeywordTable.clear();
    Wizard = WizardTable();
}

void SetProgramDir(const std::string& dir)
{
    ProgramDir = dir;
    if (ProgramDir.empty() || ProgramDir.back() != '/')
        ProgramDir += '/';
    SettingsFileName = ProgramDir + "QztMain.ini";
}

namespace {
bool IsSeparator(char c)
{
    return c == '/' || c == '\\';
}
} // namespace

std::string FileNamePart(const std::string& path)
{
    std::size_t end = path.size();
    while (end > 0 && IsSeparator(path[end - 1]))
        --end;
    std::size_t start = end;
    while (start > 0 && !IsSeparator(path[start - 1]))
        --start;
    return path.substr(start, end - start);
}

std::string FileExtPart(const std::string& path)
{
    const auto dot = path.find('.');
    return dot == std::string::npos ? path : path.substr(dot + 1);
}

std::string FileStemPart(const std::string& path)
{
    const auto dot = path.find('.');
    return dot == std::string::npos ? std::string() : path.substr(0, dot);
}

} // namespace tessel
