#include "windows/editor/GeneralOpts.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>
#include <utility>

#include "ui/DialogFrame.h"
#include "ui/Guarded.h"

namespace tessel {

namespace {

QRadioButton* AddRadio(QGroupBox* group, const char* name, const char* caption)
{
    auto* button = new QRadioButton(caption, group);
    button->setObjectName(name);
    group->layout()->addWidget(button);
    return button;
}

QGroupBox* AddGroup(QWidget* parent, const char* name, const char* caption)
{
    auto* group = new QGroupBox(caption, parent);
    group->setObjectName(name);
    new QVBoxLayout(group);
    return group;
}

} // namespace

// A dialog's kind of window: owned by its parent (the main window), it stays
// above it; a plain window has no owner on X11 and drops behind at a click.
TfrmGeneralOpts::TfrmGeneralOpts(EditorOptions& options, ProfileFile settings, Prompter& prompter, QWidget* parent,
                                 std::function<void(ConLanguage)> chooseLanguage)
    : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      options_(options), settings_(std::move(settings)), prompter_(prompter),
      chooseLanguage_(std::move(chooseLanguage))
{
    setObjectName("frmGeneralOpts");
    setWindowTitle("General Options");

    auto* label1 = new QLabel("General Editor Options", this);
    label1->setObjectName("Label1");
    QFont large = label1->font();
    large.setPointSize(large.pointSize() * 3 / 2);
    large.setBold(true);
    label1->setFont(large);
    label1->setStyleSheet("color: navy");

    QGroupBox* saving = AddGroup(
        this, "RadioGroup1",
        "Saving Options (QZT's take up more space but make the color coting time almost unnoticable)");
    rdiQztCon_ = AddRadio(saving, "rdiQztCon",
                          "Save both the QZT and the Game file. The game files are: Con's, QC's, ect.. (Recommened)");
    rdiQzt_ = AddRadio(saving, "rdiQzt", "Save just the QZT file.");
    rdiCon_ = AddRadio(saving, "rdiCon", "Save just the Game file.");
    rdiQztCon_->setChecked(true);

    QGroupBox* appearance = AddGroup(this, "GroupBox1", "Appearance Options");
    rdiColorGameFls_ = AddRadio(appearance, "rdiColorGameFls", "Color cote Game files when the game files are loaded.");
    rdiNoColorFls_ = AddRadio(appearance, "rdiNoColorFls", "Don't color cote anything including QZT files.");
    rdiColorGameFls_->setChecked(true);

    // Duke mode's colours and the wizard's list: the 1996 language, or today's port's.
    QGroupBox* language = AddGroup(this, "grpConLanguage", "CON language");
    rdiConDuke15_ = AddRadio(language, "rdiConDuke15", "Duke Nukem 3D 1.5");
    rdiConEDuke32_ = AddRadio(language, "rdiConEDuke32", "EDuke32");
    rdiConDuke15_->setChecked(true);

    auto* btnDone = new QPushButton("&Done", this);
    btnDone->setObjectName("btnDone");
    connect(btnDone, &QPushButton::clicked, this, &QWidget::close);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnDone);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label1);
    layout->addWidget(saving);
    layout->addWidget(appearance);
    layout->addWidget(language);
    layout->addStretch();
    layout->addLayout(buttons);
    // A fixed size: window managers then offer no maximise button.
    setFixedSize(QSize(481, 240).expandedTo(sizeHint()));

    FormCreate();
    // Both take effect at once, for whatever is saved or coloured from then on.
    OnSignal(prompter_, rdiNoColorFls_, &QRadioButton::toggled, this, [this](bool on) { options_.NoColoring = on; });
    for (QRadioButton* saving : {rdiQztCon_, rdiQzt_, rdiCon_})
        OnSignal(prompter_, saving, &QRadioButton::toggled, this, [this] { options_.Saving = CurrentSavingOption(); });
    OnSignal(prompter_, rdiConEDuke32_, &QRadioButton::toggled, this, [this](bool on) {
        if (chooseLanguage_)
            chooseLanguage_(on ? ConLanguage::EDuke32 : ConLanguage::Duke15);
    });
}

void TfrmGeneralOpts::FormCreate()
{
    RunGuarded(prompter_, [this] {
        const GeneralSetup setup = ReadGeneralSetup(settings_);
        QRadioButton* const saving[] = {rdiQztCon_, rdiQzt_, rdiCon_};
        saving[setup.QztCon - 1]->setChecked(true);
        (setup.ColorGameFiles == 1 ? rdiColorGameFls_ : rdiNoColorFls_)->setChecked(true);
        (setup.Con() == ConLanguage::EDuke32 ? rdiConEDuke32_ : rdiConDuke15_)->setChecked(true);
    });
    if (rdiNoColorFls_->isChecked())
        options_.NoColoring = true;
    options_.Saving = CurrentSavingOption();
}

SavingOption TfrmGeneralOpts::CurrentSavingOption() const
{
    if (rdiQzt_->isChecked())
        return SavingOption::ProjectFile;
    if (rdiCon_->isChecked())
        return SavingOption::GameFile;
    return SavingOption::Both;
}

void TfrmGeneralOpts::ShowWindow()
{
    if (!isVisible()) {
        CentreOnScreen(this);
        show();
    }
    BringToFront();
}

void TfrmGeneralOpts::BringToFront()
{
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
}

void TfrmGeneralOpts::closeEvent(QCloseEvent* event)
{
    RunGuarded(prompter_, [this] {
        ProfileEdit edit(settings_.FileName());
        WriteGeneralSetup(edit, GeneralSetup{static_cast<int>(CurrentSavingOption()), rdiNoColorFls_->isChecked() ? 2 : 1,
                                             static_cast<int>(rdiConEDuke32_->isChecked() ? ConLanguage::EDuke32
                                                                                          : ConLanguage::Duke15)});
        edit.Commit();
    });
    event->accept();   // hidden, not destroyed
}

} // namespace tessel
