#include "mainwindow/Replace.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "mainwindow/Search.h"
#include "session/SearchRequests.h"
#include "ui/DialogFrame.h"
#include "ui/Guarded.h"
#include "ui/Shell.h"

namespace tessel {

TfrmReplace::TfrmReplace(Shell& shell, SearchMemory& memory) : QDialog(shell.Window()), shell_(shell), memory_(memory)
{
    setObjectName("frmReplace");
    setWindowTitle("Replace...");
    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel("Word to find:", this), 0, 0);
    txtFind_ = new QLineEdit(this);
    txtFind_->setObjectName("txtFind");
    layout->addWidget(txtFind_, 0, 1, 1, 2);
    layout->addWidget(new QLabel("Replace with:", this), 1, 0);
    txtReplace_ = new QLineEdit(this);
    txtReplace_->setObjectName("txtReplace");
    layout->addWidget(txtReplace_, 1, 1, 1, 2);
    layout->addWidget(new QLabel("Options:", this), 2, 0);
    chkCase_ = new QCheckBox("Match Case", this);
    chkCase_->setObjectName("chkCase");
    chkWord_ = new QCheckBox("Whole Word", this);
    chkWord_->setObjectName("chkWord");
    layout->addWidget(chkCase_, 2, 1);
    layout->addWidget(chkWord_, 2, 2);
    // Radio buttons of one parent exclude each other.
    auto* from = new QVBoxLayout;
    chkStartTop_ = new QRadioButton("Start search from top.", this);
    chkStartTop_->setObjectName("chkStartTop");
    chkStartTop_->setChecked(true);
    rdiSelectedTxt_ = new QRadioButton("Selected text only.", this);
    rdiSelectedTxt_->setObjectName("rdiSelectedTxt");
    rdiCursor_ = new QRadioButton("Start from cursor.", this);
    rdiCursor_->setObjectName("rdiCursor");
    from->addWidget(chkStartTop_);
    from->addWidget(rdiSelectedTxt_);
    from->addWidget(rdiCursor_);
    layout->addLayout(from, 3, 1, 1, 2);
    auto* buttons = new QHBoxLayout;
    auto* btnReplace = new QPushButton("&Replace", this);
    btnReplace->setObjectName("btnReplace");
    auto* btnReplaceAll = new QPushButton("Replace &All", this);
    btnReplaceAll->setObjectName("btnReplaceAll");
    auto* btnDone = new QPushButton("&Done", this);
    btnDone->setObjectName("btnDone");
    buttons->addStretch();
    buttons->addWidget(btnReplace);
    buttons->addWidget(btnReplaceAll);
    buttons->addWidget(btnDone);
    layout->addLayout(buttons, 4, 0, 1, 3);

    OnSignal(shell_.Prompts(), btnReplace, &QPushButton::clicked, this, [this] { btnReplaceClick(); });
    OnSignal(shell_.Prompts(), btnReplaceAll, &QPushButton::clicked, this, [this] { btnReplaceAllClick(); });
    connect(btnDone, &QPushButton::clicked, this, &QDialog::close);
    SetFixedDialogFrame(this);
    CentreOnScreen(this);
}

void TfrmReplace::Replace(bool all)
{
    const ReplaceFrom from = rdiCursor_->isChecked()        ? ReplaceFrom::Cursor
                             : rdiSelectedTxt_->isChecked() ? ReplaceFrom::Selection
                                                            : ReplaceFrom::Top;
    const bool filled = FillReplaceRequest(memory_, txtFind_->text().toStdString(),
                                           txtReplace_->text().toStdString(),
                                           SearchOptionsFrom(chkWord_->isChecked(), chkCase_->isChecked()), from, all);
    if (!filled) {
        shell_.SetStatusText(0, "Invalid input into Replace Box");
        close();
        return;
    }
    if (all) {
        PostSearchRequests(shell_, memory_);
        close();
    } else {
        close();
        PostSearchRequests(shell_, memory_);
    }
}

} // namespace tessel
