#include "windows/launch/StartQuake.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <utility>


namespace tessel {

namespace {

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
    : LauncherDialog(shell, launch, std::move(settingsFile), {"Quake Launcher / Options", "Quake Launcher", "The Quake Launcher", false})
{
    const auto [regular, testing] = CreateLauncherPage();
    const auto [settings, misc] = CreateOptionsPage();
    SetGroups(regular, testing, settings, misc);
    RunGuarded(prompter_, [this] { FormCreate(); });
}

std::pair<QGroupBox*, QGroupBox*> TfrmQuakeStart::CreateLauncherPage()
{
    QWidget* page = SinglePlayerPage();
    auto* topRow = new QWidget(page);
    auto* top = new QHBoxLayout(topRow);
    chkLaunchReg = NewCheck(topRow, "chkLaunchReg", "Start Quake regularly, without any extra options.");
    btnRun = NewButton(topRow, "btnRun", "&Run Quake");
    btnRun->setDefault(true);
    top->addWidget(chkLaunchReg, 1);
    top->addWidget(btnRun);
    OnControl(chkLaunchReg, &QCheckBox::toggled, [this] { chkLaunchRegClick(); });
    OnControl(btnRun, &QPushButton::clicked, [this] { btnRunClick(); });

    auto* regular = new QGroupBox("Regular Map Options", page);
    auto* grid = new QGridLayout(regular);
    Compact(grid);
    grid->addWidget(NewLabel(regular, "Skill Levels:"), 0, 0, 1, 2);
    rdiEasy = NewRadio(regular, "rdiEasy", "Easy");
    rdiMedium = NewRadio(regular, "rdiMedium", "Medium");
    rdiHard = NewRadio(regular, "rdiHard", "Hard");
    rdiNightMare = NewRadio(regular, "rdiNightMare", "NightMare");
    rdiHard->setChecked(true);
    grid->addWidget(rdiEasy, 1, 0);
    grid->addWidget(rdiMedium, 1, 1);
    grid->addWidget(rdiHard, 2, 0);
    grid->addWidget(rdiNightMare, 2, 1);
    cmbLevel = NewList(regular, "cmbLevel", QuakeLevelItems, QuakeLevelCount);
    cmbLevel->setCurrentIndex(0);
    auto* level = new QHBoxLayout;
    level->addWidget(NewLabel(regular, "Level:"));
    level->addWidget(cmbLevel, 1);
    grid->addLayout(level, 3, 0, 1, 2);
    grid->addWidget(NewLabel(regular, "User Map:"), 4, 0, 1, 2);
    txtUserMap = NewReadOnlyText(regular, "txtUserMap");
    grid->addWidget(txtUserMap, 5, 0, 1, 2);
    btnUserBrowse = NewButton(regular, "btnUserBrowse", "&Browse");
    btnUserClear = NewButton(regular, "btnUserClear", "&Clear");
    grid->addWidget(btnUserBrowse, 6, 0);
    grid->addWidget(btnUserClear, 6, 1);
    grid->addWidget(NewLabel(regular, "Maps must be in Quake directory"), 7, 0, 1, 2);
    grid->setRowStretch(8, 1);
    OnControl(btnUserBrowse, &QPushButton::clicked, [this] { btnUserBrowseClick(); });
    connect(btnUserClear, &QPushButton::clicked, txtUserMap, &QLineEdit::clear);

    auto* testing = new QGroupBox("Testing Map/Misc Options", page);
    auto* column = new QVBoxLayout(testing);
    Compact(column);
    chkRecord = NewCheck(testing, "chkRecord", "Record a demo (Not working)");
    chkUseTC = NewCheck(testing, "chkUseTC", "Use alternate TC Executable.");
    column->addWidget(chkRecord);
    column->addWidget(chkUseTC);
    column->addStretch();

    auto* bottomRow = new QWidget(page);
    auto* bottom = new QHBoxLayout(bottomRow);
    chkUseAltExe = NewCheck(bottomRow, "chkUseAltExe", "Use alternate Quake executable:");
    cmbAltExe = NewList(bottomRow, "cmbAltExe", QuakeAltExeItems, 3);
    cmbAltExe->setCurrentIndex(0);
    bottom->addWidget(chkUseAltExe);
    bottom->addWidget(cmbAltExe);
    bottom->addStretch();
    connect(chkUseAltExe, &QCheckBox::toggled, cmbAltExe, &QWidget::setEnabled);

    SetLauncherRows(topRow, bottomRow);
    return {regular, testing};
}

std::pair<QGroupBox*, QGroupBox*> TfrmQuakeStart::CreateOptionsPage()
{
    QWidget* page = OptionsPage();
    using Click = void (TfrmQuakeStart::*)();
    // A caption over a read-only field with its Browse button beside it.
    auto field = [this](QGroupBox* group, QGridLayout* grid, int row, const char* caption, const char* name,
                        const char* button, Click click) {
        grid->addWidget(NewLabel(group, caption), row, 0, 1, 2);
        QLineEdit* text = NewReadOnlyText(group, name);
        grid->addWidget(text, row + 1, 0);
        QPushButton* browse = NewButton(group, button, "Browse");
        grid->addWidget(browse, row + 1, 1);
        OnControl(browse, &QPushButton::clicked, [this, click] { (this->*click)(); });
        return text;
    };

    auto* settings = new QGroupBox("Main Quake Settings", page);
    auto* grid = new QGridLayout(settings);
    Compact(grid);
    txtQuakeDir = field(settings, grid, 0, "Quake Directory:", "txtQuakeDir", "btnQuakeDir",
                        &TfrmQuakeStart::btnQuakeDirClick);
    txtQCFileDir = field(settings, grid, 2, "QC File Directory:", "txtQCFileDir", "btnQCDir",
                         &TfrmQuakeStart::btnQCDirClick);
    chkCopy = NewCheck(settings, "chkCopy", "Copy progs.dat from the Progs.dat directory to the ");
    Label10 = NewLabel(settings, "Specified TC directory when Launched.", "Label10");
    AlignUnderCheckText(Label10);
    grid->addWidget(chkCopy, 4, 0, 1, 2);
    grid->addWidget(Label10, 5, 0, 1, 2);
    txtMapEdProg = field(settings, grid, 6, "Quake Map Editing Program", "txtMapEdProg", "btnMapEdBrowse",
                         &TfrmQuakeStart::btnMapEdBrowseClick);
    txtQCComp = field(settings, grid, 8, "QC Compilation tool: (must be in QC File Directory)", "txtQCComp",
                      "btnCompileTls", &TfrmQuakeStart::btnCompileTlsClick);
    grid->setRowStretch(10, 1);

    auto* misc = new QGroupBox("Misc. Options", page);
    auto* miscGrid = new QGridLayout(misc);
    Compact(miscGrid);
    miscGrid->addWidget(NewLabel(misc, "Launch TC (Select the Directory the Tc is in):"), 0, 0, 1, 2);
    txtTCApp = NewReadOnlyText(misc, "txtTCApp");
    miscGrid->addWidget(txtTCApp, 1, 0, 1, 2);
    auto* tcButtons = new QHBoxLayout;
    QPushButton* browse = NewButton(misc, "btnTCBrowse", "Browse");
    QPushButton* clear = NewButton(misc, "btnTCClear", "Clear");
    tcButtons->addWidget(browse);
    tcButtons->addWidget(clear);
    tcButtons->addStretch();
    miscGrid->addLayout(tcButtons, 2, 0, 1, 2);
    OnControl(browse, &QPushButton::clicked, [this] { btnTCBrowseClick(); });
    OnControl(clear, &QPushButton::clicked, [this] { btnTCClearClick(); });
    QLabel* note = NewLabel(misc, "Note: for this Alternate exe to launch when you press run, you must check the "
                                  "check box on first tab.");
    note->setWordWrap(true);
    miscGrid->addWidget(note, 3, 0, 1, 2);
    txtProgsDir = field(misc, miscGrid, 4, "Progs.dat Directory:", "txtProgsDir", "btnProgsBrowse",
                        &TfrmQuakeStart::btnProgsBrowseClick);
    txtSpefTC = field(misc, miscGrid, 6, "Specified TC directory:", "txtSpefTC", "btnSpefTC",
                      &TfrmQuakeStart::btnSpefTCClick);
    miscGrid->setRowStretch(8, 1);
    return {settings, misc};
}

// --- creation and destruction ------------------------------------------------

void TfrmQuakeStart::FormCreate()
{
    FitToGroups();
    const ProfileFile ini = settings_;
    ReadQuakeDirectories(ini, launch_);
    if (!launch_.QuakeDir.empty()) {
        txtQuakeDir->setText(Shown(launch_.QuakeDir));
    } else {
        btnRun->setEnabled(false);
        SetMainItemsEnabled({Cmd::QuakeLaunch, Cmd::ToolLaunchQuake}, false);
    }
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

// --- the controls and the options ------------------------------------------------

QuakeOptions TfrmQuakeStart::Options() const
{
    QuakeOptions o;
    o.launchReg = chkLaunchReg->isChecked();
    const QRadioButton* skills[] = {rdiEasy, rdiMedium, rdiHard, rdiNightMare};
    o.skill = 0;
    for (int i = 3; i >= 0; --i)
        if (skills[i]->isChecked())
            o.skill = i + 1;
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
    o.engine = engine_;
    return o;
}

void TfrmQuakeStart::ShowOptions(const QuakeOptions& o)
{
    engine_ = o.engine;
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
    QRadioButton* skills[] = {rdiEasy, rdiMedium, rdiHard, rdiNightMare};
    if (o.skill >= 1 && o.skill <= 4)
        skills[o.skill - 1]->setChecked(true);
}

void TfrmQuakeStart::ShowCopy(const QuakeOptions& o)
{
    chkCopy->setEnabled(o.copyEnabled);
    Label10->setEnabled(o.copyEnabled);
}

// --- change rules --------------------------------------------------------------

void TfrmQuakeStart::chkLaunchRegClick()
{
    QuakeOptions o = Options();
    ChangeQuakeLaunchReg(o, chkLaunchReg->isChecked());
    for (QWidget* w : std::initializer_list<QWidget*>{rdiEasy, rdiMedium, rdiHard, rdiNightMare, cmbLevel, txtUserMap,
                                                      btnUserBrowse, btnUserClear, chkRecord})
        w->setEnabled(!o.launchReg);
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
    if (!Chooser())
        return;
    ProfileFile ini = settings_;
    const bool accepted = BrowseQuakeDirectory(launch_, ini, *Chooser());
    txtQuakeDir->setText(Shown(launch_.QuakeDir));
    if (!accepted)
        return;
    btnRun->setEnabled(true);
    SetMainItemsEnabled({Cmd::QuakeLaunch, Cmd::ToolLaunchQuake}, true);
}

void TfrmQuakeStart::btnQCDirClick()
{
    if (!Chooser())
        return;
    ProfileFile ini = settings_;
    BrowseQCDirectory(launch_, ini, *Chooser());
    txtQCFileDir->setText(Shown(launch_.QCDir));
}

void TfrmQuakeStart::btnTCBrowseClick()
{
    if (!Chooser())
        return;
    QuakeOptions o = Options();
    const bool chosen = BrowseQuakeTc(o, launch_.QuakeDir, *Chooser());
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
    QuakeOptions o = Options();
    if (!Chooser() || !BrowseProgsDirectory(o, *Chooser()))
        return;
    txtProgsDir->setText(Shown(o.progsDir));
    ShowCopy(o);
}

void TfrmQuakeStart::btnSpefTCClick()
{
    QuakeOptions o = Options();
    if (!Chooser() || !BrowseSpecifiedTcDirectory(o, *Chooser()))
        return;
    txtSpefTC->setText(Shown(o.spefTCDir));
    ShowCopy(o);
}

void TfrmQuakeStart::btnMapEdBrowseClick()
{
    ProfileFile ini = settings_;
    if (!BrowseMapEditor(launch_, ini, OpenDialog1, prompter_))
        return;
    txtMapEdProg->setText(Shown(launch_.MainQMapEdProg));
    SetMainItemsEnabled({Cmd::QuakeMapEditor}, true);
}

void TfrmQuakeStart::btnCompileTlsClick()
{
    ProfileFile ini = settings_;
    if (!BrowseCompileTool(launch_, ini, OpenDialog1, prompter_))
        return;
    txtQCComp->setText(Shown(launch_.MainQCToolDir));
    SetMainItemsEnabled({Cmd::QuakeCompile}, true);
}

void TfrmQuakeStart::btnUserBrowseClick()
{
    QuakeOptions o = Options();
    if (BrowseQuakeUserMap(o, OpenDialog1, launch_.QuakeDir, prompter_))
        txtUserMap->setText(Shown(o.userMap));
}

void TfrmQuakeStart::ClearScriptDirectoryField()
{
    txtQCFileDir->clear();
}

} // namespace tessel
