#include "windows/grp/GrpOpts.h"

#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <utility>


namespace tessel {

TfrmGRPOptions::TfrmGRPOptions(ExplorerOptions& options, ProfileFile settings, Prompter& prompter, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      options_(options), settings_(std::move(settings)), prompter_(prompter)
{
    setObjectName("frmGRPOptions");
    setWindowTitle("Tessel Group File Options");
    setModal(true);
    auto* label1 = new QLabel("Tessel grp file explorer options:", this);
    label1->setObjectName("Label1");
    label1->setAlignment(Qt::AlignCenter);
    auto* bevel1 = new QFrame(this);
    bevel1->setObjectName("Bevel1");
    bevel1->setFrameShape(QFrame::HLine);
    bevel1->setFrameShadow(QFrame::Sunken);
    chkDisableTreeList_ =
        new QCheckBox("Disable tree list option. (Will go faster, but it won't be as convenient to use)", this);
    chkDisableTreeList_->setObjectName("chkDisableTreeList");
    chkDisableTreeList_->setChecked(options_.TreeListDisabled);
    auto* btnDone = new QPushButton("&OK", this);
    btnDone->setObjectName("btnDone");
    btnDone->setDefault(true);
    connect(btnDone, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnDone);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label1);
    layout->addWidget(bevel1);
    layout->addWidget(chkDisableTreeList_);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TfrmGRPOptions::done(int result)
{
    // The OK button, the close box and Escape all end here. The key's name says
    // the opposite of its value: 1 means the tree list is off.
    options_.TreeListDisabled = chkDisableTreeList_->isChecked();
    RunGuarded(prompter_, [this] {
        settings_.WriteBool("GroupFileExplorer", "TreeListEnable", chkDisableTreeList_->isChecked());
    });
    QDialog::done(result);
}

} // namespace tessel
