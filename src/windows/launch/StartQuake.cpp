#include "windows/launch/StartQuake.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <utility>


namespace tessel {

namespace {

const LauncherDialog::Frame QuakeFrame = {
    "Quake Launcher / Options", "Quake Launcher", "The Quake Launcher", false,
    "Start Quake regularly, without any extra options.", "&Run Quake", {Cmd::QuakeLaunch, Cmd::ToolLaunchQuake}};

QComboBox* NewList(QWidget* parent, const char* name, const char* const* items, int count)
{
    auto* list = new QComboBox(parent);
    list->setObjectName(name);
    for (int i = 0; i < count; ++i)
        list->addItem(QString::fromUtf8(items[i]));
    // The closed list fits its group; the open one shows the items whole.
    list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    list->setMinimumContentsLength(8);
    list->view()->setMinimumWidth(list->view()->sizeHintForColumn(0) + 24);
    return list;
}

} // namespace

TfrmQuakeStart::TfrmQuakeStart(Shell& shell, LaunchSettings& launch, ProfileFile settingsFile)
    : LauncherDialog(shell, launch, std::move(settingsFile), QuakeFrame)
{
    Build();
}

void TfrmQuakeStart::ChooseProgram(QLineEdit* field, const std::string& program, Cmd item,
                                   bool (*browse)(GameDirectories&, ProfileFile&, FileDialog&, Prompter&))
{
    ProfileFile ini = settings_;
    if (!browse(launch_, ini, OpenDialog1, prompter_))
        return;
    field->setText(Shown(program));
    SetMainItemsEnabled({item}, true);
}

void TfrmQuakeStart::ChooseCopyFolder(QLineEdit* field, std::string QuakeOptions::*folder,
                                      bool (*browse)(QuakeOptions&, DirectoryChooser&, Prompter&))
{
    QuakeOptions o = Options();
    if (!Chooser() || !browse(o, *Chooser(), prompter_))
        return;
    field->setText(Shown(o.*folder));
    ShowCopy(o);
}

void TfrmQuakeStart::CreateLauncherPage()
{
    QGridLayout* grid = AddRegularGroup(
        {{"rdiEasy", "Easy"}, {"rdiMedium", "Medium"}, {"rdiHard", "Hard"}, {"rdiNightMare", "NightMare"}}, 2);
    QWidget* regular = grid->parentWidget();
    cmbLevel = NewList(regular, "cmbLevel", QuakeLevelItems, QuakeLevelCount);
    cmbLevel->setCurrentIndex(0);
    auto* level = new QHBoxLayout;
    level->addWidget(NewLabel(regular, "Level:"));
    level->addWidget(cmbLevel, 1);
    grid->addLayout(level, 3, 0, 1, 2);
    AddUserMapRows(grid, "Maps must be in Quake directory");

    QVBoxLayout* column = AddTestingGroup();
    QWidget* testing = column->parentWidget();
    chkRecord = NewCheck(testing, "chkRecord", "Record a demo (Not working)");
    chkUseTC = NewCheck(testing, "chkUseTC", "Use alternate TC Executable.");
    column->addWidget(chkRecord);
    column->addWidget(chkUseTC);
    column->addStretch();

    auto* bottomRow = new QWidget(SinglePlayerPage());
    auto* bottom = new QHBoxLayout(bottomRow);
    chkUseAltExe = NewCheck(bottomRow, "chkUseAltExe", "Use alternate Quake executable:");
    cmbAltExe = NewList(bottomRow, "cmbAltExe", QuakeAltExeItems, 3);
    cmbAltExe->setCurrentIndex(0);
    bottom->addWidget(chkUseAltExe);
    bottom->addWidget(cmbAltExe);
    bottom->addStretch();
    connect(chkUseAltExe, &QCheckBox::toggled, cmbAltExe, &QWidget::setEnabled);
    SetBottomRow(bottomRow);
}

void TfrmQuakeStart::CreateOptionsPage()
{
    const MainFolders main = AddSettingsGroup(
        {"Main Quake Settings",
         {"Quake Directory:", "txtQuakeDir", "btnQuakeDir", [this] { btnQuakeDirClick(); }},
         {"QC File Directory:", "txtQCFileDir", "btnQCDir", [this] { btnQCDirClick(); }},
         "Copy progs.dat from the Progs.dat directory to the ", "Specified TC directory when Launched.", false});
    txtQuakeDir = main.game;
    txtQCFileDir = main.scripts;
    txtMapEdProg = AddFolderRow(main.grid, 6,
                                {"Quake Map Editing Program", "txtMapEdProg", "btnMapEdBrowse",
                                 [this] { btnMapEdBrowseClick(); }});
    txtQCComp = AddFolderRow(main.grid, 8,
                             {"QC Compilation tool: (must be in QC File Directory)", "txtQCComp", "btnCompileTls",
                              [this] { btnCompileTlsClick(); }});
    main.grid->setRowStretch(10, 1);

    const MiscGroup tc = AddMiscGroup("Launch TC (Select the Directory the Tc is in):", 2);
    auto* tcButtons = new QHBoxLayout;
    tcButtons->addWidget(tc.browse);
    tcButtons->addWidget(tc.clear);
    tcButtons->addStretch();
    QGridLayout* miscGrid = tc.grid;
    QWidget* misc = miscGrid->parentWidget();
    miscGrid->addLayout(tcButtons, 2, 0, 1, 2);
    miscGrid->addWidget(NewAlternateNote(misc), 3, 0, 1, 2);
    txtProgsDir = AddFolderRow(
        miscGrid, 4, {"Progs.dat Directory:", "txtProgsDir", "btnProgsBrowse", [this] { btnProgsBrowseClick(); }});
    txtSpefTC = AddFolderRow(miscGrid, 6,
                             {"Specified TC directory:", "txtSpefTC", "btnSpefTC", [this] { btnSpefTCClick(); }});
    AddEngineRows(miscGrid, 8, 2,
                  {"Quake.exe (in the game folder)", "QuakeStartup", QuakeEnginesOnPath(), &launch_.QuakeDir});
    miscGrid->setRowStretch(11, 1);
}

// --- the controls and the options ------------------------------------------------

QuakeOptions TfrmQuakeStart::Options() const
{
    QuakeOptions o;
    o.launchReg = chkLaunchReg->isChecked();
    o.skill = Skill();
    o.level = cmbLevel->currentIndex();
    o.userMap = Taken(txtUserMap);
    o.recordDemo = chkRecord->isChecked();
    o.useTC = chkUseTC->isChecked();
    o.useTCEnabled = chkUseTC->isEnabledTo(this);
    o.tc = Taken(txtTCApp);
    o.useAltExe = chkUseAltExe->isChecked();
    o.altExe = cmbAltExe->currentIndex();
    o.copy = chkCopy->isChecked();
    o.copyEnabled = chkCopy->isEnabledTo(this);
    o.progsDir = Taken(txtProgsDir);
    o.spefTCDir = Taken(txtSpefTC);
    o.engine = Engine();
    return o;
}

void TfrmQuakeStart::ShowOptions(const QuakeOptions& o)
{
    ShowEngine(o.engine);
    chkUseAltExe->setChecked(o.useAltExe);
    cmbAltExe->setEnabled(o.useAltExe);
    txtSpefTC->setText(Shown(o.spefTCDir));
    cmbAltExe->setCurrentIndex(o.altExe);
    chkLaunchReg->setChecked(o.launchReg);
    chkCopy->setChecked(o.copy);
    chkRecord->setChecked(o.recordDemo);
    txtUserMap->setText(Shown(o.userMap));
    txtTCApp->setText(Shown(o.tc));
    chkUseTC->setChecked(o.useTC);
    chkUseTC->setEnabled(o.useTCEnabled);
    cmbLevel->setCurrentIndex(o.level);
    txtProgsDir->setText(Shown(o.progsDir));
    ShowCopy(o);
    ShowSkill(o.skill);
}

void TfrmQuakeStart::ShowCopy(const QuakeOptions& o)
{
    chkCopy->setEnabled(o.copyEnabled);
    Label10->setEnabled(o.copyEnabled);
}

// --- creation and destruction ------------------------------------------------

void TfrmQuakeStart::FormCreate()
{
    const ProfileFile ini = settings_;
    ReadQuakeDirectories(ini, launch_);
    ShowGameFolder(txtQuakeDir, launch_.QuakeDir);
    txtQCFileDir->setText(Shown(launch_.QCDir));
    txtMapEdProg->setText(Shown(launch_.MainQMapEdProg));
    SetMainItemsEnabled({Cmd::QuakeMapEditor}, !launch_.MainQMapEdProg.empty());
    txtQCComp->setText(Shown(launch_.MainQCToolDir));
    SetMainItemsEnabled({Cmd::QuakeCompile}, !launch_.MainQCToolDir.empty());
    ShowOptions(ReadQuakeOptions(ini));
}

void TfrmQuakeStart::WriteExitSettings(ProfileEdit& edit) const
{
    WriteQuakeOptions(edit, Options());
}

// --- change rules --------------------------------------------------------------

void TfrmQuakeStart::chkLaunchRegClick()
{
    QuakeOptions o = Options();
    ChangeQuakeLaunchReg(o, chkLaunchReg->isChecked());
    EnableMapChoice(!o.launchReg);
    cmbLevel->setEnabled(!o.launchReg);
    chkUseTC->setEnabled(o.useTCEnabled);
}

// --- commands ------------------------------------------------------------------

void TfrmQuakeStart::btnRunClick()
{
    QuakeOptions options = Options();
    const GameLaunch plan = PlanQuakeLaunch(options, launch_.QuakeDir, prompter_);
    // A missing TC directory was forgotten on the way.
    txtSpefTC->setText(Shown(options.spefTCDir));
    ShowCopy(options);
    CarryOutLaunch(shell_, launch_, plan);
}

void TfrmQuakeStart::btnQuakeDirClick()
{
    if (BrowseFolder(txtQuakeDir, launch_.QuakeDir, [this](ProfileFile& ini, DirectoryChooser& chooser) {
            return BrowseQuakeDirectory(launch_, ini, chooser, prompter_);
        }))
        EnableRun(true);
}

void TfrmQuakeStart::btnQCDirClick()
{
    BrowseFolder(txtQCFileDir, launch_.QCDir, [this](ProfileFile& ini, DirectoryChooser& chooser) {
        return BrowseQCDirectory(launch_, ini, chooser, prompter_);
    });
}

void TfrmQuakeStart::btnTCBrowseClick()
{
    if (!Chooser())
        return;
    QuakeOptions o = Options();
    const bool chosen = BrowseQuakeTc(o, launch_.QuakeDir, *Chooser(), prompter_);
    txtQuakeDir->setText(Shown(launch_.QuakeDir));   // emptied when it no longer exists
    if (!chosen)
        return;
    txtTCApp->setText(Shown(o.tc));
    chkUseTC->setEnabled(o.useTCEnabled);
}

void TfrmQuakeStart::btnTCClearClick()
{
    QuakeOptions o = Options();
    ClearQuakeTc(o);
    txtTCApp->setText(Shown(o.tc));
    chkUseTC->setEnabled(o.useTCEnabled);
}

void TfrmQuakeStart::btnProgsBrowseClick()
{
    ChooseCopyFolder(txtProgsDir, &QuakeOptions::progsDir, BrowseProgsDirectory);
}

void TfrmQuakeStart::btnSpefTCClick()
{
    ChooseCopyFolder(txtSpefTC, &QuakeOptions::spefTCDir, BrowseSpecifiedTcDirectory);
}

void TfrmQuakeStart::btnMapEdBrowseClick()
{
    ChooseProgram(txtMapEdProg, launch_.MainQMapEdProg, Cmd::QuakeMapEditor, BrowseMapEditor);
}

void TfrmQuakeStart::btnCompileTlsClick()
{
    ChooseProgram(txtQCComp, launch_.MainQCToolDir, Cmd::QuakeCompile, BrowseCompileTool);
}

void TfrmQuakeStart::btnUserBrowseClick()
{
    QuakeOptions o = Options();
    if (BrowseQuakeUserMap(o, OpenDialog1, launch_.QuakeDir, prompter_))
        txtUserMap->setText(Shown(o.userMap));
}

} // namespace tessel
