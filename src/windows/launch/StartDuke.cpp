#include "windows/launch/StartDuke.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>
#include <utility>

#include "platform/Files.h"

namespace tessel {

namespace {

const LauncherDialog::Frame DukeFrame = {
    "Duke Launcher / Options", "Duke Launcher", "The Duke Nukem Launcher", true,
    "Start Duke3D regularly, without any extra options.", "&Run Duke", {Cmd::DukeLaunch, Cmd::ToolLaunchDuke}};

QSpinBox* NewSpin(QWidget* parent, const char* name, int low, int high)
{
    auto* spin = new QSpinBox(parent);
    spin->setObjectName(name);
    spin->setRange(low, high);
    return spin;
}

} // namespace

TfrmDukeStart::TfrmDukeStart(Shell& shell, LaunchSettings& launch, ProfileFile settingsFile)
    : LauncherDialog(shell, launch, std::move(settingsFile), DukeFrame)
{
    Build();
}

void TfrmDukeStart::CreateLauncherPage()
{
    QGridLayout* grid = AddRegularGroup({{"rdiCake", "Piece of Cake"},
                                         {"rdiRock", "Lets Rock"},
                                         {"rdiGetSome", "Come get Some"},
                                         {"rdiDGood", "Damn I'm Good"}},
                                        4);
    QWidget* regular = grid->parentWidget();
    SpinEpisode = NewSpin(regular, "SpinEpisode", 1, 3);
    SpinMap = NewSpin(regular, "SpinMap", 1, 12);
    grid->addWidget(NewLabel(regular, "Episode:"), 3, 0);
    grid->addWidget(SpinEpisode, 3, 1);
    grid->addWidget(NewLabel(regular, "Map:"), 3, 2);
    grid->addWidget(SpinMap, 3, 3);
    OnControl(SpinEpisode, &QSpinBox::valueChanged, [this] { SpinEpisodeChange(); });
    OnControl(SpinMap, &QSpinBox::valueChanged, [this] { SpinMapChange(); });
    AddUserMapRows(grid, "Maps must be in duke directory");

    QVBoxLayout* column = AddTestingGroup();
    QWidget* testing = column->parentWidget();
    chkFakeMulti = NewCheck(testing, "chkFakeMulti", "Fake Multiplayer(Use to test maps for Multiplayer)");
    spnNumFakePlayers = NewSpin(testing, "spnNumFakePlayers", 1, 8);
    auto* players = new QHBoxLayout;
    players->addWidget(NewLabel(testing, "Number of fake players:"));
    players->addWidget(spnNumFakePlayers);
    players->addStretch();
    chkNoMon = NewCheck(testing, "chkNoMon", "No Monsters");
    chkRecord = NewCheck(testing, "chkRecord", "Record a demo");
    chkAutoCopy = NewCheck(testing, "chkAutoCopy", "Copy usermaps that are not in the Duke directory");
    chkUseTC = NewCheck(testing, "chkUseTC", "Use alternate TC Executable.");
    column->addWidget(chkFakeMulti);
    column->addLayout(players);
    column->addWidget(NewCaptionLine(testing, "Misc Options"));
    for (QWidget* w : std::initializer_list<QWidget*>{chkNoMon, chkRecord, chkAutoCopy, chkUseTC})
        column->addWidget(w);
    column->addStretch();
}

void TfrmDukeStart::CreateOptionsPage()
{
    const MainFolders main = AddSettingsGroup(
        {"Main Duke3D Settings",
         {"Duke3D Directory:", "txtDuke3dDir", "btnDukeDir", [this] { btnDukeDirClick(); }},
         {"Con File Directory:", "txtConFileDir", "btnConDir", [this] { btnConDirClick(); }},
         "Copy edited con files from Con directory to Duke3D",
         "directory on Duke3D launch. (You don't need this on if your editing from the main duke directory).",
         true});
    txtDuke3dDir = main.game;
    txtConFileDir = main.scripts;
    txtBuildDir = AddFolderRow(main.grid, 6,
                               {"Build Executable directory:", "txtBuildDir", "btnBuildBrowse",
                                [this] { btnBuildBrowseClick(); }});
    main.grid->setRowStretch(8, 1);

    const MiscGroup tc = AddMiscGroup("Launch TC executable, select either *.bat or *.exe:", 3);
    QGridLayout* miscGrid = tc.grid;
    QWidget* misc = miscGrid->parentWidget();
    miscGrid->addWidget(tc.browse, 2, 0);
    miscGrid->addWidget(tc.clear, 2, 1);
    miscGrid->addWidget(NewLabel(misc, "Doesn't have to be in Duke3D directory"), 3, 0, 1, 3);
    miscGrid->addWidget(NewAlternateNote(misc), 4, 0, 1, 3);
    chkLoadGameCon = NewCheck(misc, "chkLoadGameCon", "Load Game.con file on startup (Uses con file dir)");
    miscGrid->addWidget(chkLoadGameCon, 5, 0, 1, 3);
    AddEngineRows(miscGrid, 6, 3, {"Duke3D.exe (in the game folder)", "DukeStartup", {}, &launch_.Duke3DDir});
    miscGrid->setColumnStretch(2, 1);
    miscGrid->setRowStretch(9, 1);
}

// --- creation and destruction ------------------------------------------------

void TfrmDukeStart::FormCreate()
{
    const ProfileFile ini = settings_;
    ReadDukeDirectories(ini, launch_);
    ShowGameFolder(txtDuke3dDir, launch_.Duke3DDir);
    if (!launch_.ConDir.empty()) {
        txtConFileDir->setText(Shown(launch_.ConDir));
    } else {
        chkCopy->setEnabled(false);
        Label10->setEnabled(false);
    }
    txtBuildDir->setText(Shown(launch_.BuildDir));
    SetMainItemsEnabled({Cmd::DukeBuild}, !launch_.BuildDir.empty());

    const DukeOptions options = ReadDukeOptions(ini);
    ShowOptions(options);
    shell_.OpenFiles(DukeStartupFiles(options, launch_.ConDir, prompter_));
}

void TfrmDukeStart::WriteExitSettings(ProfileEdit& edit) const
{
    WriteDukeOptions(edit, Options());
}

// --- the controls and the options ------------------------------------------------

DukeOptions TfrmDukeStart::Options() const
{
    DukeOptions o;
    o.launchReg = chkLaunchReg->isChecked();
    o.skill = Skill();
    o.episode = SpinEpisode->value();
    o.map = SpinMap->value();
    o.mapMax = SpinMap->maximum();
    o.userMap = Taken(txtUserMap);
    o.fakeMulti = chkFakeMulti->isChecked();
    o.fakePlayers = spnNumFakePlayers->value();
    o.noMon = chkNoMon->isChecked();
    o.recordDemo = chkRecord->isChecked();
    o.autoCopy = chkAutoCopy->isChecked();
    o.useTC = chkUseTC->isChecked();
    o.alternateExe = Taken(txtTCApp);
    o.copy = chkCopy->isChecked();
    o.loadGameCon = chkLoadGameCon->isChecked();
    o.engine = Engine();
    return o;
}

void TfrmDukeStart::ShowOptions(const DukeOptions& o)
{
    ShowEngine(o.engine);
    chkLaunchReg->setChecked(o.launchReg);
    chkFakeMulti->setChecked(o.fakeMulti);
    chkNoMon->setChecked(o.noMon);
    chkCopy->setChecked(o.copy);
    chkRecord->setChecked(o.recordDemo);
    chkAutoCopy->setChecked(o.autoCopy);
    spnNumFakePlayers->setValue(o.fakePlayers);
    {
        // The episode and map rules have run on the options already.
        const QSignalBlocker blocker(SpinEpisode);
        SpinEpisode->setValue(o.episode);
    }
    ShowMap(o);
    txtUserMap->setText(Shown(o.userMap));
    txtTCApp->setText(Shown(o.alternateExe));
    chkUseTC->setChecked(o.useTC);
    chkLoadGameCon->setChecked(o.loadGameCon);
    chkUseTC->setEnabled(o.UseTCEnabled());
    ShowSkill(o.skill);
}

void TfrmDukeStart::ShowMap(const DukeOptions& o)
{
    const QSignalBlocker blocker(SpinMap);
    SpinMap->setMaximum(o.mapMax);
    SpinMap->setValue(o.map);
}

// --- change rules --------------------------------------------------------------

void TfrmDukeStart::chkLaunchRegClick()
{
    // chkUseTC is not among them: a regular start wins over it anyway.
    const bool enabled = !chkLaunchReg->isChecked();
    EnableMapChoice(enabled);
    for (QWidget* w : std::initializer_list<QWidget*>{chkFakeMulti, chkNoMon, SpinEpisode, SpinMap, spnNumFakePlayers,
                                                      chkAutoCopy})
        w->setEnabled(enabled);
}

void TfrmDukeStart::SpinEpisodeChange()
{
    DukeOptions o = Options();
    ChangeDukeEpisode(o, SpinEpisode->value());
    ShowMap(o);
}

void TfrmDukeStart::SpinMapChange()
{
    DukeOptions o = Options();
    ChangeDukeMap(o, SpinMap->value());
    ShowMap(o);
}

// --- commands ------------------------------------------------------------------

void TfrmDukeStart::btnRunClick()
{
    DukeOptions options = Options();
    // A failed copy throws: the user map is not looked at then.
    CarryOutLaunch(shell_, launch_, PlanDukeConCopy(options, launch_.Duke3DDir, launch_.ConDir));
    const GameLaunch plan = PlanDukeStart(options, launch_.Duke3DDir, launch_.ConDir, prompter_);
    txtUserMap->setText(Shown(options.userMap));   // emptied when the map was not found
    CarryOutLaunch(shell_, launch_, plan);
}

void TfrmDukeStart::btnUserBrowseClick()
{
    DukeOptions o = Options();
    if (BrowseDukeUserMap(o, OpenDialog1, launch_.Duke3DDir, prompter_))
        txtUserMap->setText(Shown(o.userMap));
}

void TfrmDukeStart::btnTCBrowseClick()
{
    DukeOptions o = Options();
    if (!BrowseDukeAlternateExe(o, OpenDialog1, launch_.Duke3DDir, prompter_))
        return;
    txtTCApp->setText(Shown(o.alternateExe));
    chkUseTC->setEnabled(o.UseTCEnabled());
}

void TfrmDukeStart::btnTCClearClick()
{
    txtTCApp->clear();
    chkUseTC->setEnabled(false);
}

void TfrmDukeStart::btnDukeDirClick()
{
    if (BrowseFolder(txtDuke3dDir, launch_.Duke3DDir, [this](ProfileFile& ini, DirectoryChooser& chooser) {
            return BrowseDukeDirectory(launch_, ini, chooser, prompter_, !Engine().empty());
        }))
        EnableRun(true);
}

void TfrmDukeStart::btnConDirClick()
{
    if (!BrowseFolder(txtConFileDir, launch_.ConDir, [this](ProfileFile& ini, DirectoryChooser& chooser) {
            return BrowseConDirectory(launch_, ini, chooser, prompter_);
        }))
        return;
    chkCopy->setEnabled(true);
    Label10->setEnabled(true);
}

void TfrmDukeStart::btnBuildBrowseClick()
{
    // mnuDukeBuild follows BuildDir only at creation.
    BrowseFolder(txtBuildDir, launch_.BuildDir, [this](ProfileFile& ini, DirectoryChooser& chooser) {
        return BrowseBuildDirectory(launch_, ini, chooser, prompter_);
    });
}

} // namespace tessel
