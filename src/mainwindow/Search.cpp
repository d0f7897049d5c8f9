#include "mainwindow/Search.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "session/SearchRequests.h"
#include "ui/DialogFrame.h"
#include "ui/Guarded.h"
#include "ui/Shell.h"

namespace tessel {

void PostSearchRequests(Shell& shell, SearchMemory& memory)
{
    EditorRequests requests = RequestsOf(memory);
    shell.PostRequests(requests);
    Remember(memory, requests);
}

TfrmSearch::TfrmSearch(Shell& shell, SearchMemory& memory) : QDialog(shell.Window()), shell_(shell), memory_(memory)
{
    setObjectName("frmSearch");
    setWindowTitle("Search...");
    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel("Text to find:", this), 0, 0);
    txtSearch_ = new QLineEdit(this);
    txtSearch_->setObjectName("txtSearch");
    layout->addWidget(txtSearch_, 0, 1, 1, 2);
    layout->addWidget(new QLabel("Options:", this), 1, 0);
    chkCase_ = new QCheckBox("Match Case", this);
    chkCase_->setObjectName("chkCase");
    chkWord_ = new QCheckBox("Whole Word", this);
    chkWord_->setObjectName("chkWord");
    layout->addWidget(chkCase_, 1, 1);
    layout->addWidget(chkWord_, 1, 2);
    auto* divider = new QFrame(this);
    divider->setFrameShape(QFrame::HLine);
    divider->setFrameShadow(QFrame::Sunken);
    layout->addWidget(divider, 2, 0, 1, 3);
    chkStartTop_ = new QCheckBox("Start search from top (Otherwise, starts at cursor)", this);
    chkStartTop_->setObjectName("chkStartTop");
    chkStartTop_->setChecked(true);
    layout->addWidget(chkStartTop_, 3, 0, 1, 3);
    auto* buttons = new QHBoxLayout;
    auto* btnSearch = new QPushButton("&Find", this);
    btnSearch->setObjectName("btnSearch");
    auto* btnDone = new QPushButton("&Done", this);
    btnDone->setObjectName("btnDone");
    buttons->addStretch();
    buttons->addWidget(btnSearch);
    buttons->addWidget(btnDone);
    layout->addLayout(buttons, 4, 0, 1, 3);

    OnSignal(shell_.Prompts(), btnSearch, &QPushButton::clicked, this, [this] { btnSearchClick(); });
    connect(btnDone, &QPushButton::clicked, this, &QDialog::close);
    SetFixedDialogFrame(this);
    CentreOnScreen(this);
}

void TfrmSearch::btnSearchClick()
{
    const std::uint8_t options = SearchOptionsFrom(chkWord_->isChecked(), chkCase_->isChecked());
    const bool filled =
        FillSearchRequest(memory_, txtSearch_->text().toStdString(), options, chkStartTop_->isChecked());
    if (!filled)
        shell_.SetStatusText(0, "Invalid input into Search Box");
    close();
    if (filled)
        PostSearchRequests(shell_, memory_);
}

} // namespace tessel
