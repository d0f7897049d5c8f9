#include "windows/grp/ResSpace.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "grp/GrpCommands.h"
#include "ui/DialogFrame.h"
#include "windows/grp/NewGRP.h"

namespace tessel {

namespace {
QLabel* WrappedLabel(const char* name, const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    return label;
}
} // namespace

TfrmResSpace::TfrmResSpace(QWidget* parent) : QDialog(parent, FixedDialogFlags)
{
    setObjectName("frmResSpace");
    setWindowTitle("Reserved Space...");
    setModal(true);
    auto* label1 = WrappedLabel(
        "Label1",
        "Reserved space is necessary in a group file if you plan on using Tessel to edit them. It will make the GRP "
        "file a little larger, but by only a few bytes per reserved space. (Reserved space is recommended)",
        this);
    label1->setMinimumWidth(420);
    auto* label3 = WrappedLabel(
        "Label3", "You can delete any of this reserved space, or make more of it at anytime.", this);
    auto* label2 = WrappedLabel(
        "Label2",
        "This feature will also defragment the file (Delete any previously deleted files in the GRP file).", this);
    label4_ = WrappedLabel("Label4", QString(), this);
    auto* label5 = new QLabel("Number of reserved spaces to Create:", this);
    label5->setObjectName("Label5");
    spnReservedSpaces_ = new QSpinBox(this);
    spnReservedSpaces_->setObjectName("spnReservedSpaces");
    spnReservedSpaces_->setRange(1, 1000);
    spnReservedSpaces_->setValue(25);
    auto* bitBtn1 = new QPushButton("Begin Process", this);
    bitBtn1->setObjectName("BitBtn1");
    bitBtn1->setDefault(true);
    auto* btnCancel = new QPushButton("Cancel", this);
    btnCancel->setObjectName("btnCancel");
    connect(bitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* number = new QHBoxLayout;
    number->addWidget(label5);
    number->addWidget(spnReservedSpaces_);
    number->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(bitBtn1);
    buttons->addWidget(btnCancel);
    auto* layout = new QVBoxLayout(this);
    for (QLabel* label : {label1, label3, label2, label4_})
        layout->addWidget(label);
    layout->addLayout(number);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

int TfrmResSpace::Execute(std::int64_t archiveSize)
{
    archiveSize_ = archiveSize;
    return exec() == QDialog::Accepted ? spnReservedSpaces_->value() : 0;
}

void TfrmResSpace::showEvent(QShowEvent* event)
{
    // The notice quotes the size of the archive the dialog is shown for.
    label4_->setText(QString::fromStdString(ReservedSpaceNotice(archiveSize_)));
    // Centred at the size the notice gives it, not the one it had before:
    // the layout fixes that size now rather than after the dialog shows.
    layout()->activate();
    QDialog::showEvent(event);
    CentreOnScreen(this);
}

} // namespace tessel
