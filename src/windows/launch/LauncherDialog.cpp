#include "windows/launch/LauncherDialog.h"

#include <QAbstractItemView>
#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSocketNotifier>
#include <QStackedWidget>
#include <QStyle>
#include <QTabBar>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "launch/GameLaunch.h"
#include "platform/Paths.h"
#include "ui/QtPaths.h"

namespace tessel {

namespace {

// The window's client size as designed; it is also its smallest.
constexpr int DesignWidth = 587;
constexpr int DesignHeight = 367;

// Where the frame's pieces sit. The resize rule gives their sizes; these
// offsets are what the rule leaves over around them.
constexpr int NoteBookTop = 42;          // MainNoteBook: W - 8 by H - 46, 4 from the left and bottom
constexpr int LaunchNoteLeft = 4;        // LauncherTabs and LaunchNote: W - 18 by H - 95
constexpr int RegularWidth = 224;        // "Regular Map Options": the launcher page's width less the other group
constexpr int MainSettingsWidth = 290;   // the options page's main group, likewise
constexpr int OptionsGroupsTop = 8;

enum Group { Regular, Testing, MainSettings, Misc };

QString Text(const char* text)
{
    return QString::fromUtf8(text);
}

// An engine's path as a list item keeps it: its bytes, whatever they are.
QVariant PathData(const std::string& path)
{
    return QByteArray(path.data(), static_cast<qsizetype>(path.size()));
}

std::string DataPath(const QVariant& data)
{
    const QByteArray bytes = data.toByteArray();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

} // namespace

LauncherDialog::LauncherDialog(Shell& shell, LaunchSettings& launch, ProfileFile settings, const Frame& frame)
    : QDialog(shell.Window()), shell_(shell), launch_(launch), settings_(std::move(settings)), prompter_(shell.Prompts()),
      frame_(frame),
      regularWidth_(RegularWidth),
      mainSettingsWidth_(MainSettingsWidth)
{
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowTitle(Text(frame.caption));
    // The design's 8 points: at that size the groups hold their controls in
    // about the design's room.
    QFont designFont = font();
    designFont.setPointSize(8);
    setFont(designFont);
    OpenDialog1.title = LauncherOpenTitle;

    MainTabs = new QTabBar(this);
    MainTabs->setObjectName("MainTabs");
    MainTabs->addTab(Text(frame.launcherPage));
    MainTabs->addTab("Options");
    MainTabs->setDrawBase(false);
    MainTabs->setExpanding(false);
    MainNoteBook = new QStackedWidget(this);
    MainNoteBook->setObjectName("MainNoteBook");
    MainNoteBook->setFrameShape(QFrame::StyledPanel);
    auto* launcher = new QWidget;
    launcher->setObjectName(Text(frame.launcherPage));
    options_ = new QWidget;
    options_->setObjectName("Options");
    MainNoteBook->addWidget(launcher);
    MainNoteBook->addWidget(options_);
    connect(MainTabs, &QTabBar::currentChanged, MainNoteBook, &QStackedWidget::setCurrentIndex);

    title_ = new QLabel(Text(frame.title), launcher);
    QFont titleFont = title_->font();
    titleFont.setBold(true);
    title_->setFont(titleFont);
    LauncherTabs = new QTabBar(launcher);
    LauncherTabs->setObjectName("LauncherTabs");
    LauncherTabs->addTab("Single Player");
    LauncherTabs->addTab("Multi Player");
    LauncherTabs->setDocumentMode(true);
    LauncherTabs->setDrawBase(false);
    LauncherTabs->setExpanding(false);
    LaunchNote = new QStackedWidget(launcher);
    LaunchNote->setObjectName("LaunchNote");
    singlePlayer_ = new QWidget;
    singlePlayer_->setObjectName("SinglePlayer");
    auto* multiPlayer = new QWidget;
    multiPlayer->setObjectName("MultiPlayer");
    LaunchNote->addWidget(singlePlayer_);
    LaunchNote->addWidget(multiPlayer);
    if (frame.multiPlayerShows)
        connect(LauncherTabs, &QTabBar::currentChanged, LaunchNote, &QStackedWidget::setCurrentIndex);

    auto* multi = new QVBoxLayout(multiPlayer);
    QLabel* multiTitle = NewLabel(multiPlayer, "Multi Player");
    multiTitle->setFont(titleFont);
    multi->addWidget(multiTitle);
    multi->addWidget(NewLabel(multiPlayer, "Multiplayer Section not finished yet..."));
    auto* launchMulti = new QPushButton("Launch Multiplayer", multiPlayer);
    launchMulti->setEnabled(false);
    launchMulti->setAutoDefault(false);
    multi->addWidget(launchMulti, 0, Qt::AlignLeft);
    multi->addStretch();

    topRow_ = new QWidget(singlePlayer_);
    auto* top = new QHBoxLayout(topRow_);
    chkLaunchReg = NewCheck(topRow_, "chkLaunchReg", frame.launchReg);
    btnRun = NewButton(topRow_, "btnRun", frame.run);
    btnRun->setDefault(true);
    top->addWidget(chkLaunchReg, 1);
    top->addWidget(btnRun);
    OnControl(chkLaunchReg, &QCheckBox::toggled, [this] { chkLaunchRegClick(); });
    OnControl(btnRun, &QPushButton::clicked, [this] { btnRunClick(); });
}

void LauncherDialog::Build()
{
    CreateLauncherPage();
    CreateOptionsPage();
    RunGuarded(prompter_, [this] {
        FitToGroups();
        FormCreate();
    });
}

// --- the pages ---------------------------------------------------------------

void LauncherDialog::SetBottomRow(QWidget* bottom)
{
    bottomRow_ = bottom;
}

QGridLayout* LauncherDialog::AddRegularGroup(const NamedControl (&skills)[4], int columns)
{
    auto* regular = new QGroupBox("Regular Map Options", singlePlayer_);
    groups_[Regular] = regular;
    auto* grid = new QGridLayout(regular);
    Compact(grid);
    grid->addWidget(NewLabel(regular, "Skill Levels:"), 0, 0, 1, columns);
    for (int i = 0; i < 4; ++i)
        skills_[i] = NewRadio(regular, skills[i].name, skills[i].caption);
    skills_[2]->setChecked(true);
    const int half = columns / 2;
    for (int i = 0; i < 4; ++i)
        grid->addWidget(skills_[i], 1 + i / 2, i % 2 * half, 1, half);
    return grid;
}

void LauncherDialog::AddUserMapRows(QGridLayout* grid, const char* mapsNote)
{
    // Across the columns the skill rows laid out.
    QWidget* regular = grid->parentWidget();
    const int columns = grid->columnCount(), half = columns / 2;
    grid->addWidget(NewLabel(regular, "User Map:"), 4, 0, 1, columns);
    txtUserMap = NewReadOnlyText(regular, "txtUserMap");
    grid->addWidget(txtUserMap, 5, 0, 1, columns);
    btnUserBrowse = NewButton(regular, "btnUserBrowse", "&Browse");
    btnUserClear = NewButton(regular, "btnUserClear", "&Clear");
    grid->addWidget(btnUserBrowse, 6, 0, 1, half);
    grid->addWidget(btnUserClear, 6, half, 1, half);
    grid->addWidget(NewLabel(regular, mapsNote), 7, 0, 1, columns);
    grid->setRowStretch(8, 1);
    OnControl(btnUserBrowse, &QPushButton::clicked, [this] { btnUserBrowseClick(); });
    connect(btnUserClear, &QPushButton::clicked, txtUserMap, &QLineEdit::clear);
}

QVBoxLayout* LauncherDialog::AddTestingGroup()
{
    auto* testing = new QGroupBox("Testing Map/Misc Options", singlePlayer_);
    groups_[Testing] = testing;
    auto* column = new QVBoxLayout(testing);
    Compact(column);
    return column;
}

LauncherDialog::MainFolders LauncherDialog::AddSettingsGroup(const SettingsGroup& main)
{
    auto* settings = new QGroupBox(Text(main.title), options_);
    groups_[MainSettings] = settings;
    auto* grid = new QGridLayout(settings);
    Compact(grid);
    QLineEdit* game = AddFolderRow(grid, 0, main.game);
    scriptFolder_ = AddFolderRow(grid, 2, main.scripts);
    chkCopy = NewCheck(settings, "chkCopy", main.copyCaption);
    Label10 = NewLabel(settings, main.label10Caption, "Label10");
    if (main.label10Wraps)
        Label10->setWordWrap(true);
    Label10->setIndent(style()->pixelMetric(QStyle::PM_IndicatorWidth) +
                       style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing));
    grid->addWidget(chkCopy, 4, 0, 1, 2);
    grid->addWidget(Label10, 5, 0, 1, 2);
    return {grid, game, scriptFolder_};
}

LauncherDialog::MiscGroup LauncherDialog::AddMiscGroup(const char* tcCaption, int columns)
{
    auto* misc = new QGroupBox("Misc. Options", options_);
    groups_[Misc] = misc;
    MiscGroup group;
    group.grid = new QGridLayout(misc);
    Compact(group.grid);
    group.grid->addWidget(NewLabel(misc, tcCaption), 0, 0, 1, columns);
    txtTCApp = NewReadOnlyText(misc, "txtTCApp");
    group.grid->addWidget(txtTCApp, 1, 0, 1, columns);
    group.browse = NewButton(misc, "btnTCBrowse", "Browse");
    group.clear = NewButton(misc, "btnTCClear", "Clear");
    OnControl(group.browse, &QPushButton::clicked, [this] { btnTCBrowseClick(); });
    OnControl(group.clear, &QPushButton::clicked, [this] { btnTCClearClick(); });
    return group;
}

QLineEdit* LauncherDialog::AddFolderRow(QGridLayout* grid, int row, const FolderRow& folder)
{
    QWidget* group = grid->parentWidget();
    grid->addWidget(NewLabel(group, folder.caption), row, 0, 1, 2);
    QLineEdit* text = NewReadOnlyText(group, folder.field);
    grid->addWidget(text, row + 1, 0);
    QPushButton* browse = NewButton(group, folder.button, "Browse");
    grid->addWidget(browse, row + 1, 1);
    OnControl(browse, &QPushButton::clicked, [click = folder.click] { click(); });
    return text;
}

QLabel* LauncherDialog::NewAlternateNote(QWidget* misc)
{
    QLabel* note = NewLabel(misc, "Note: for this Alternate exe to launch when you press run, you must check the "
                                  "check box on first tab.");
    note->setWordWrap(true);
    return note;
}

void LauncherDialog::AddEngineRows(QGridLayout* grid, int row, int columns, const EngineChoice& choice)
{
    engines_ = choice;
    QWidget* group = grid->parentWidget();
    grid->addWidget(NewLabel(group, "Engine (the program Run starts):"), row, 0, 1, columns);
    cmbEngine = new QComboBox(group);
    cmbEngine->setObjectName("cmbEngine");
    cmbEngine->addItem(Text(choice.ownProgram), PathData(std::string()));
    for (const std::string& engine : choice.found)
        cmbEngine->addItem(Shown(engine), PathData(engine));
    // The closed list fits the group (the whole path is its tip); the open one shows the items whole.
    cmbEngine->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cmbEngine->setMinimumContentsLength(10);
    cmbEngine->view()->setMinimumWidth(cmbEngine->view()->sizeHintForColumn(0) + 24);
    auto* browse = NewButton(group, "btnEngineBrowse", "Browse");
    auto* clear = NewButton(group, "btnEngineClear", "Clear");
    grid->addWidget(cmbEngine, row + 1, 0, 1, columns);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(browse);
    buttons->addWidget(clear);
    buttons->addStretch();
    grid->addLayout(buttons, row + 2, 0, 1, columns);
    connect(cmbEngine, &QComboBox::currentIndexChanged, cmbEngine,
            [this] { cmbEngine->setToolTip(cmbEngine->currentText()); });
    OnControl(browse, &QPushButton::clicked, [this] { btnEngineBrowseClick(); });
    OnControl(clear, &QPushButton::clicked, [this] { ShowEngine(std::string()); });
}

std::string LauncherDialog::Engine() const
{
    return DataPath(cmbEngine->currentData());
}

void LauncherDialog::ShowEngine(const std::string& engine)
{
    // One item past the engines found holds the chosen one; a new choice takes its place.
    const int chosen = 1 + static_cast<int>(engines_.found.size());
    int at = cmbEngine->findData(PathData(engine));   // "" is the game's own, the first
    if (at >= chosen)
        at = -1;
    while (cmbEngine->count() > chosen)
        cmbEngine->removeItem(chosen);
    if (at < 0) {
        cmbEngine->addItem(Shown(engine), PathData(engine));
        at = chosen;
    }
    cmbEngine->setCurrentIndex(at);
    cmbEngine->view()->setMinimumWidth(cmbEngine->view()->sizeHintForColumn(0) + 24);
}

void LauncherDialog::btnEngineBrowseClick()
{
    std::string engine = Engine();
    if (BrowseEngine(engine, OpenDialog1, *engines_.gameFolder, engines_.section, prompter_))
        ShowEngine(engine);
}

void LauncherDialog::FitToGroups()
{
    auto need = [this](Group g) { return groups_[g]->minimumSizeHint(); };
    // The left groups have a width of their own; where they need more, the
    // right ones give way rather than be cut off.
    regularWidth_ = std::max(RegularWidth, need(Regular).width());
    mainSettingsWidth_ = std::max(MainSettingsWidth, need(MainSettings).width());
    const int width = std::max({DesignWidth, need(Testing).width() + 254 + (regularWidth_ - RegularWidth),
                                need(Misc).width() + 310 + (mainSettingsWidth_ - MainSettingsWidth)});
    // A group's height at the width it gets: its wrapped notes take more lines when it is narrow.
    auto tall = [this](Group g, int groupWidth) {
        const QWidget* box = groups_[g];
        const int least = box->minimumSizeHint().height();
        return box->hasHeightForWidth() ? std::max(least, box->heightForWidth(groupWidth)) : least;
    };
    const int regularExtra = regularWidth_ - RegularWidth, mainExtra = mainSettingsWidth_ - MainSettingsWidth;
    const int height = std::max({DesignHeight, tall(Regular, regularWidth_) + 169,
                                 tall(Testing, width - 254 - regularExtra) + 169,
                                 tall(MainSettings, mainSettingsWidth_) + 101,
                                 tall(Misc, width - 310 - mainExtra) + 101});
    setFixedSize(width, height);
    FormResize();
    // Centred on the desktop, not over the main window.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(), screen->availableGeometry()));
}

void LauncherDialog::FormResize()
{
    const int W = width(), H = height();
    MainNoteBook->setGeometry(4, NoteBookTop, W - 8, H - 46);
    const int tabsHeight = MainTabs->sizeHint().height();
    MainTabs->setGeometry(4, NoteBookTop - tabsHeight + 1, W - 8, tabsHeight);

    // LaunchNote ends at the page's foot; its tab strip stands right above it.
    const int noteTop = (H - 46) - (H - 95) - 2;
    const int barHeight = LauncherTabs->sizeHint().height();
    LaunchNote->setGeometry(LaunchNoteLeft, noteTop, W - 18, H - 95);
    // As tall as the notebook, as the rule has it; the notebook covers all of it but its tabs.
    LauncherTabs->setGeometry(LaunchNoteLeft, noteTop - barHeight, W - 18, H - 95);
    title_->setGeometry(8, 0, W - 24, std::max(noteTop - barHeight, 0));

    if (!groups_[Regular])
        return;
    const int groupsBottom = launcherGroupsTop + H - 169;
    if (topRow_)
        topRow_->setGeometry(0, 0, W - 18, launcherGroupsTop);
    if (bottomRow_)
        bottomRow_->setGeometry(0, groupsBottom, W - 18, (H - 95) - groupsBottom);
    const int regularExtra = regularWidth_ - RegularWidth, mainExtra = mainSettingsWidth_ - MainSettingsWidth;
    groups_[Regular]->setGeometry(4, launcherGroupsTop, regularWidth_, H - 169);
    groups_[Testing]->setGeometry(regularWidth_ + 8, launcherGroupsTop, W - 254 - regularExtra, H - 169);
    groups_[MainSettings]->setGeometry(4, OptionsGroupsTop, mainSettingsWidth_, H - 101);
    groups_[Misc]->setGeometry(mainSettingsWidth_ + 8, OptionsGroupsTop, W - 310 - mainExtra, H - 101);
}

void LauncherDialog::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    FormResize();
}

bool LauncherDialog::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate)
        RunGuarded(prompter_, [this] { FormActivate(); });
    return QDialog::event(event);
}

void LauncherDialog::FormActivate()
{
    shell_.DisableEditorCommandsForLauncher();
    shell_.SetStatusText(0, "Ready");
    shell_.SetStatusText(1, "");
}

void LauncherDialog::closeEvent(QCloseEvent* event)
{
    event->ignore();
    hide();
}

void LauncherDialog::reject()
{
    // Escape closes the dialog as its close box does.
    close();
}

// --- the controls' state -----------------------------------------------------

int LauncherDialog::Skill() const
{
    int skill = 0;
    for (int i = 3; i >= 0; --i)
        if (skills_[i]->isChecked())
            skill = i + 1;
    return skill;
}

void LauncherDialog::ShowSkill(int skill)
{
    if (skill >= 1 && skill <= 4)
        skills_[skill - 1]->setChecked(true);
}

void LauncherDialog::EnableMapChoice(bool enabled)
{
    for (QWidget* w : skills_)
        w->setEnabled(enabled);
    for (QWidget* w : std::initializer_list<QWidget*>{txtUserMap, btnUserBrowse, btnUserClear, chkRecord})
        w->setEnabled(enabled);
}

void LauncherDialog::EnableRun(bool enabled)
{
    btnRun->setEnabled(enabled);
    for (const Cmd item : frame_.launchItems)
        shell_.SetCommandEnabled(item, enabled);
}

void LauncherDialog::ShowGameFolder(QLineEdit* field, const std::string& folder)
{
    if (!folder.empty())
        field->setText(Shown(folder));
    else
        EnableRun(false);
}

bool LauncherDialog::BrowseFolder(QLineEdit* field, const std::string& setting,
                                  const std::function<bool(ProfileFile&, DirectoryChooser&)>& browse)
{
    if (!Chooser())
        return false;
    ProfileFile ini = settings_;
    const bool accepted = browse(ini, *Chooser());
    field->setText(Shown(setting));
    return accepted;
}

void LauncherDialog::ClearScriptDirectoryField()
{
    scriptFolder_->clear();
}

void LauncherDialog::SetMainItemsEnabled(std::initializer_list<Cmd> items, bool enabled)
{
    for (const Cmd item : items)
        shell_.SetCommandEnabled(item, enabled);
}

QString LauncherDialog::Shown(const std::string& path)
{
    return ToQString(path);
}

std::string LauncherDialog::Taken(const QLineEdit* field)
{
    return FromQString(field->text());
}

// --- controls ----------------------------------------------------------------

QCheckBox* LauncherDialog::NewCheck(QWidget* parent, const char* name, const char* caption)
{
    auto* check = new QCheckBox(Text(caption), parent);
    check->setObjectName(name);
    return check;
}

QRadioButton* LauncherDialog::NewRadio(QWidget* parent, const char* name, const char* caption)
{
    auto* radio = new QRadioButton(Text(caption), parent);
    radio->setObjectName(name);
    return radio;
}

QPushButton* LauncherDialog::NewButton(QWidget* parent, const char* name, const char* caption)
{
    auto* button = new QPushButton(Text(caption), parent);
    button->setObjectName(name);
    button->setAutoDefault(false);   // Enter runs the game, whichever button has the focus
    return button;
}

QLineEdit* LauncherDialog::NewReadOnlyText(QWidget* parent, const char* name)
{
    auto* text = new QLineEdit(parent);
    text->setObjectName(name);
    text->setReadOnly(true);
    return text;
}

QLabel* LauncherDialog::NewLabel(QWidget* parent, const char* caption, const char* name)
{
    auto* label = new QLabel(Text(caption), parent);
    if (*name)
        label->setObjectName(name);
    return label;
}

QWidget* LauncherDialog::NewCaptionLine(QWidget* parent, const char* caption)
{
    auto* line = new QWidget(parent);
    auto* layout = new QHBoxLayout(line);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(Text(caption), line));
    auto* rule = new QFrame(line);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    layout->addWidget(rule, 1);
    return line;
}

void LauncherDialog::Compact(QLayout* layout)
{
    layout->setContentsMargins(6, 4, 6, 4);
    layout->setSpacing(4);
}

void CarryOutLaunch(Shell& shell, const LaunchSettings& launch, const GameLaunch& plan)
{
    if (plan.native && plan.start) {
        GameLaunch before = plan;   // its folder and copies, as any launch's
        before.start = false;
        CarryOut(before, launch.DosProgram);
        const LaunchPlan started = PlanLaunch(plan.program, plan.parameters, plan.workingDir, launch.DosProgram);
        if (!shell.RunInMessages(started, ExtractFileName(plan.program)))
            shell.SetStatusText(0, ToQString(CouldNotStartText(plan.program, started.problem)));
        return;
    }
    const LaunchOutcome outcome = CarryOut(plan, launch.DosProgram);
    const std::string status = outcome.StatusText();
    if (!status.empty())
        shell.SetStatusText(0, ToQString(status));
    if (!outcome.watch || outcome.watch->Done())
        return;
    // A runner that dies at once (DOSBox refusing what it was given) is told
    // as soon as the watch has its answer.
    auto* answer = new QSocketNotifier(outcome.watch->Descriptor(), QSocketNotifier::Read, shell.Window());
    QObject::connect(answer, &QSocketNotifier::activated, answer, [&shell, outcome, answer] {
        const std::string ended = outcome.EarlyEndText();
        if (!ended.empty())
            shell.SetStatusText(0, ToQString(ended));
        if (outcome.watch->Done()) {
            answer->setEnabled(false);
            answer->deleteLater();
        }
    });
}

} // namespace tessel
