#include "windows/grp/NewGRP.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/DialogFrame.h"

namespace tessel {

TfrmNewGRP::TfrmNewGRP(QWidget* parent) : QDialog(parent, FixedDialogFlags)
{
    setObjectName("frmNewGRP");
    setWindowTitle("New Group File");
    setModal(true);
    auto* label1 = new QLabel("What should the group files signature be? (Probably should be you name):", this);
    label1->setObjectName("Label1");
    label1->setWordWrap(true);
    label1->setMinimumWidth(380);
    edit1_ = new QLineEdit(this);
    edit1_->setObjectName("Edit1");
    // The signature field holds 12 bytes and always ends in a NUL; one byte a
    // character, as the games' own tools write it.
    edit1_->setMaxLength(11);
    auto* button1 = new QPushButton("&OK", this);
    button1->setObjectName("Button1");
    button1->setDefault(true);
    auto* button2 = new QPushButton("&Cancel", this);
    button2->setObjectName("Button2");
    connect(button1, &QPushButton::clicked, this, &QDialog::accept);
    connect(button2, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(button1);
    buttons->addWidget(button2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label1);
    layout->addWidget(edit1_);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TfrmNewGRP::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    CentreOnScreen(this);
}

std::string TfrmNewGRP::Execute()
{
    edit1_->setFocus();
    edit1_->selectAll();
    return exec() == QDialog::Accepted ? edit1_->text().toLatin1().toStdString() : std::string();
}

} // namespace tessel
