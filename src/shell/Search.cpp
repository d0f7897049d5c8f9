#include "shell/Search.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

#include "shell/Guarded.h"
#include "shell/Shell.h"
#include "shell/Workspace.h"
#include "shell/SearchRequests.h"

namespace tessel {

void SetFixedDialogFrame(QDialog* dialog)
{
    dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    dialog->layout()->setSizeConstraint(QLayout::SetFixedSize);
    dialog->adjustSize();
}

namespace {

QMargins FrameMargins(const QWidget* window)
{
    const QRect frame = window->frameGeometry(), inner = window->geometry();
    return {inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
            frame.bottom() - inner.bottom()};
}

} // namespace

void CentreOnScreen(QWidget* window)
{
    const QScreen* screen = window->screen();
    if (!screen)
        return;
    // The window manager's frame counts: the window's own once it has shown,
    // before that the one around the window it belongs to (the same
    // decorations), so that it is centred and comes back to the same place.
    QMargins frame = FrameMargins(window);
    if (frame.isNull() && !(window->windowFlags() & Qt::FramelessWindowHint) && window->parentWidget())
        frame = FrameMargins(window->parentWidget()->window());
    const QRect outer = QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, window->size().grownBy(frame),
                                            screen->availableGeometry());
    window->setGeometry(QRect(outer.topLeft() + QPoint(frame.left(), frame.top()), window->size()));
}

TfrmSearch::TfrmSearch(Shell& shell) : QDialog(shell.Window()), shell_(shell)
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
        FillSearchRequest(shell_.State().EditorRequests, txtSearch_->text().toStdString(), options, chkStartTop_->isChecked());
    if (!filled)
        shell_.SetStatusText(0, "Invalid input into Search Box");
    close();
    if (filled)
        shell_.PostEditorRequest();
}

} // namespace tessel
