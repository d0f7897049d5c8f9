#include "mainwindow/gotoline.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "editor/EditorRequests.h"
#include "platform/Convert.h"
#include "session/SearchRequests.h"
#include "ui/DialogFrame.h"
#include "ui/Guarded.h"
#include "ui/Shell.h"

namespace tessel {

TfrmGotoLine::TfrmGotoLine(Shell& shell) : QDialog(shell.Window()), shell_(shell)
{
    setObjectName("frmGotoLine");
    setWindowTitle("Goto Line");
    auto* layout = new QVBoxLayout(this);
    auto* line = new QHBoxLayout;
    line->addWidget(new QLabel("Line Number:", this));
    edit1_ = new QLineEdit(this);
    edit1_->setObjectName("Edit1");
    line->addWidget(edit1_);
    layout->addLayout(line);
    auto* buttons = new QHBoxLayout;
    auto* btnGoto = new QPushButton("&Goto", this);
    btnGoto->setObjectName("btnGoto");
    btnGoto->setDefault(true);
    auto* btnCancel = new QPushButton("&Cancel", this);
    btnCancel->setObjectName("btnCancel");
    buttons->addStretch();
    buttons->addWidget(btnGoto);
    buttons->addWidget(btnCancel);
    layout->addLayout(buttons);

    OnSignal(shell_.Prompts(), btnGoto, &QPushButton::clicked, this, [this] { btnGotoClick(); });
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::hide);
    SetFixedDialogFrame(this);
}

void TfrmGotoLine::showEvent(QShowEvent* event)
{
    // Before the window manager maps it, so it never shows centred first.
    if (!placed_) {
        placed_ = true;
        move(parentWidget()->geometry().topLeft() + QPoint(160, 120));
    }
    QDialog::showEvent(event);
}

void TfrmGotoLine::btnGotoClick()
{
    const int typed = StrToInt(edit1_->text().toStdString());
    EditorRequests requests;
    requests.GotoLineRequest = GotoLineRequestFor(typed);
    hide();
    shell_.PostRequests(requests);
}

} // namespace tessel
