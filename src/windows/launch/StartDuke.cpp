#include "windows/launch/StartDuke.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>
#include <utility>

#include "platform/Files.h"

namespace tessel {

namespace {

QSpinBox* NewSpin(QWidget* parent, const char* name, int low, int high)
{
    auto* spin = new QSpinBox(parent);
    spin->setObjectName(name);
    spin->setRange(low, high);
    return spin;
}

} // namespace

TfrmDukeStart::TfrmDukeStart(Shell& shell, LaunchSettings& launch, ProfileFile settingsFile)
    : LauncherDialog(shell, launch, std::move(settingsFile), {"Duke Launcher / Options", "Duke Launcher", "The Duke Nukem Launcher", true})
{
    const auto [regular, testing] = CreateLauncherPage();
    const auto [settings, misc] = CreateOptionsPage();
    SetGroups(regular, testing, settings, misc);
    RunGuarded(prompter_, [this] { FormCreate(); });
}

std::pair<QGroupBox*, QGroupBox*> TfrmDukeStart::CreateLauncherPage()
{
    QWidget* page = SinglePlayerPage();
    chkLaunchReg = NewCheck(page, "chkLaunchReg", "Start Duke3D regularly, without any extra options.");
    btnRun = NewButton(page, "btnRun", "&Run Duke");
    btnRun->setDefault(true);
    auto* top = new QHBoxLayout;
    top->addWidget(chkLaunchReg, 1);
    top->addWidget(btnRun);
    auto* topRow = new QWidget(page);
    topRow->setLayout(top);
    SetLauncherRows(topRow, nullptr);
    OnControl(chkLaunchReg, &QCheckBox::toggled, [this] { chkLaunchRegClick(); });
    OnControl(btnRun, &QPushButton::clicked, [this] { btnRunClick(); });

    auto* regular = new QGroupBox("Regular Map Options", page);
    auto* grid = new QGridLayout(regular);
    Compact(grid);
    grid->addWidget(NewLabel(regular, "Skill Levels:"), 0, 0, 1, 4);
    rdiCake = NewRadio(regular, "rdiCake", "Piece of Cake");
    rdiRock = NewRadio(regular, "rdiRock", "Lets Rock");
    rdiGetSome = NewRadio(regular, "rdiGetSome", "Come get Some");
    rdiDGood = NewRadio(regular, "rdiDGood", "Damn I'm Good");
    rdiGetSome->setChecked(true);
    grid->addWidget(rdiCake, 1, 0, 1, 2);
    grid->addWidget(rdiRock, 1, 2, 1, 2);
    grid->addWidget(rdiGetSome, 2, 0, 1, 2);
    grid->addWidget(rdiDGood, 2, 2, 1, 2);
    SpinEpisode = NewSpin(regular, "SpinEpisode", 1, 3);
    SpinMap = NewSpin(regular, "SpinMap", 1, 12);
    grid->addWidget(NewLabel(regular, "Episode:"), 3, 0);
    grid->addWidget(SpinEpisode, 3, 1);
    grid->addWidget(NewLabel(regular, "Map:"), 3, 2);
    grid->addWidget(SpinMap, 3, 3);
    grid->addWidget(NewLabel(regular, "User Map:"), 4, 0, 1, 4);
    txtUserMap = NewReadOnlyText(regular, "txtUserMap");
    grid->addWidget(txtUserMap, 5, 0, 1, 4);
    btnUserBrowse = NewButton(regular, "btnUserBrowse", "&Browse");
    btnUserClear = NewButton(regular, "btnUserClear", "&Clear");
    grid->addWidget(btnUserBrowse, 6, 0, 1, 2);
    grid->addWidget(btnUserClear, 6, 2, 1, 2);
    grid->addWidget(NewLabel(regular, "Maps must be in duke directory"), 7, 0, 1, 4);
    grid->setRowStretch(8, 1);
    OnControl(SpinEpisode, &QSpinBox::valueChanged, [this] { SpinEpisodeChange(); });
    OnControl(SpinMap, &QSpinBox::valueChanged, [this] { SpinMapChange(); });
    OnControl(btnUserBrowse, &QPushButton::clicked, [this] { btnUserBrowseClick(); });
    connect(btnUserClear, &QPushButton::clicked, txtUserMap, &QLineEdit::clear);

    auto* testing = new QGroupBox("Testing Map/Misc Options", page);
    auto* column = new QVBoxLayout(testing);
    Compact(column);
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
    return {regular, testing};
}

std::pair<QGroupBox*, QGroupBox*> TfrmDukeStart::CreateOptionsPage()
{
    QWidget* page = OptionsPage();
    auto* settings = new QGroupBox("Main Duke3D Settings", page);
    auto* grid = new QGridLayout(settings);
    Compact(grid);
    using Click = void (TfrmDukeStart::*)();
    // A caption over a read-only field with its Browse button beside it.
    auto directory = [&](int row, const char* caption, const char* field, const char* button, Click click) {
        grid->addWidget(NewLabel(settings, caption), row, 0, 1, 2);
        QLineEdit* text = NewReadOnlyText(settings, field);
        grid->addWidget(text, row + 1, 0);
        QPushButton* browse = NewButton(settings, button, "Browse");
        grid->addWidget(browse, row + 1, 1);
        OnControl(browse, &QPushButton::clicked, [this, click] { (this->*click)(); });
        return text;
    };
    txtDuke3dDir = directory(0, "Duke3D Directory:", "txtDuke3dDir", "btnDukeDir", &TfrmDukeStart::btnDukeDirClick);
    txtConFileDir = directory(2, "Con File Directory:", "txtConFileDir", "btnConDir", &TfrmDukeStart::btnConDirClick);
    chkCopy = NewCheck(settings, "chkCopy", "Copy edited con files from Con directory to Duke3D");
    Label10 = NewLabel(settings,
                       "directory on Duke3D launch. (You don't need this on if your editing from the main duke "
                       "directory).",
                       "Label10");
    Label10->setWordWrap(true);
    AlignUnderCheckText(Label10);
    grid->addWidget(chkCopy, 4, 0, 1, 2);
    grid->addWidget(Label10, 5, 0, 1, 2);
    txtBuildDir = directory(6, "Build Executable directory:", "txtBuildDir", "btnBuildBrowse",
                            &TfrmDukeStart::btnBuildBrowseClick);
    grid->setRowStretch(8, 1);

    auto* misc = new QGroupBox("Misc. Options", page);
    auto* miscGrid = new QGridLayout(misc);
    Compact(miscGrid);
    miscGrid->addWidget(NewLabel(misc, "Launch TC executable, select either *.bat or *.exe:"), 0, 0, 1, 3);
    txtTCApp = NewReadOnlyText(misc, "txtTCApp");
    miscGrid->addWidget(txtTCApp, 1, 0, 1, 3);
    QPushButton* browse = NewButton(misc, "btnTCBrowse", "Browse");
    QPushButton* clear = NewButton(misc, "btnTCClear", "Clear");
    miscGrid->addWidget(browse, 2, 0);
    miscGrid->addWidget(clear, 2, 1);
    OnControl(browse, &QPushButton::clicked, [this] { btnTCBrowseClick(); });
    OnControl(clear, &QPushButton::clicked, [this] { btnTCClearClick(); });
    miscGrid->addWidget(NewLabel(misc, "Doesn't have to be in Duke3D directory"), 3, 0, 1, 3);
    QLabel* note = NewLabel(misc, "Note: for this Alternate exe to launch when you press run, you must check the "
                                  "check box on first tab.");
    note->setWordWrap(true);
    miscGrid->addWidget(note, 4, 0, 1, 3);
    chkLoadGameCon = NewCheck(misc, "chkLoadGameCon", "Load Game.con file on startup (Uses con file dir)");
    miscGrid->addWidget(chkLoadGameCon, 5, 0, 1, 3);
    miscGrid->setColumnStretch(2, 1);
    miscGrid->setRowStretch(6, 1);

    return {settings, misc};
}

// --- creation and destruction ------------------------------------------------

void TfrmDukeStart::FormCreate()
{
    FitToGroups();
    const ProfileFile ini = settings_;
    ReadDukeDirectories(ini, launch_);
    if (!launch_.Duke3DDir.empty()) {
        txtDuke3dDir->setText(Shown(launch_.Duke3DDir));
    } else {
        btnRun->setEnabled(false);
        SetMainItemsEnabled({Cmd::DukeLaunch, Cmd::ToolLaunchDuke}, false);
    }
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
    const QRadioButton* skills[] = {rdiCake, rdiRock, rdiGetSome, rdiDGood};
    o.skill = 0;
    for (int i = 3; i >= 0; --i)
        if (skills[i]->isChecked())
            o.skill = i + 1;
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
    o.engine = engine_;
    return o;
}

void TfrmDukeStart::ShowOptions(const DukeOptions& o)
{
    engine_ = o.engine;
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
    QRadioButton* skills[] = {rdiCake, rdiRock, rdiGetSome, rdiDGood};
    if (o.skill >= 1 && o.skill <= 4)
        skills[o.skill - 1]->setChecked(true);
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
    for (QWidget* w : std::initializer_list<QWidget*>{chkFakeMulti, chkNoMon, rdiCake, rdiRock, rdiGetSome, rdiDGood,
                                                      SpinEpisode, SpinMap, txtUserMap, btnUserBrowse, btnUserClear,
                                                      chkRecord, spnNumFakePlayers, chkAutoCopy})
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
    if (!Chooser())
        return;
    ProfileFile ini = settings_;
    const bool accepted = BrowseDukeDirectory(launch_, ini, *Chooser(), prompter_);
    txtDuke3dDir->setText(Shown(launch_.Duke3DDir));
    if (!accepted)
        return;
    btnRun->setEnabled(true);
    SetMainItemsEnabled({Cmd::DukeLaunch, Cmd::ToolLaunchDuke}, true);
}

void TfrmDukeStart::btnConDirClick()
{
    if (!Chooser())
        return;
    ProfileFile ini = settings_;
    const bool accepted = BrowseConDirectory(launch_, ini, *Chooser());
    txtConFileDir->setText(Shown(launch_.ConDir));
    if (!accepted)
        return;
    chkCopy->setEnabled(true);
    Label10->setEnabled(true);
}

void TfrmDukeStart::btnBuildBrowseClick()
{
    if (!Chooser())
        return;
    ProfileFile ini = settings_;
    BrowseBuildDirectory(launch_, ini, *Chooser());
    txtBuildDir->setText(Shown(launch_.BuildDir));   // mnuDukeBuild follows BuildDir only at creation
}

void TfrmDukeStart::ClearScriptDirectoryField()
{
    txtConFileDir->clear();
}

} // namespace tessel
