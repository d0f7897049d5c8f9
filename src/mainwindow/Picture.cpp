#include "mainwindow/Picture.h"

#include "ui/Guarded.h"

#include <QAction>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScrollArea>
#include <QVBoxLayout>

#include "picture/PictureFile.h"
#include "ui/PictureImage.h"

namespace tessel {

TfrmPicture::TfrmPicture(Prompter& prompter, QWidget* parent) : QMainWindow(parent, Qt::Window), prompter_(prompter)
{
    setObjectName("frmPicture");
    setWindowTitle("Tessel Picture Viewer");
    setWindowModality(Qt::ApplicationModal);
    resize(696, 480);
    OpenPictureDialog.filter = PictureFilter;

    QMenu* file = menuBar()->addMenu("&File");
    file->setObjectName("mnuFile");
    QAction* open = file->addAction("&Open...");
    open->setObjectName("mnuFileOpen");
    file->addSeparator()->setObjectName("N1");
    QAction* exit = file->addAction("&Exit");
    exit->setObjectName("mnuFileExit");
    OnSignal(prompter_, open, &QAction::triggered, this, [this] { mnuFileOpenClick(); });
    connect(exit, &QAction::triggered, this, &QWidget::close);

    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* divider = new QFrame(body);
    divider->setObjectName("Bevel1");
    divider->setFrameShape(QFrame::HLine);
    divider->setFrameShadow(QFrame::Sunken);
    layout->addWidget(divider);
    scroller_ = new QScrollArea(body);
    scroller_->setObjectName("ScrollBox1");
    scroller_->setAlignment(Qt::AlignCenter);
    scroller_->setFrameShape(QFrame::NoFrame);
    imgMain_ = new QLabel;
    imgMain_->setObjectName("imgMain");
    scroller_->setWidget(imgMain_);
    layout->addWidget(scroller_);
    setCentralWidget(body);
}

void TfrmPicture::LoadPicture(const std::string& path)
{
    const QImage image = ReadPicture(path);
    imgMain_->setPixmap(QPixmap::fromImage(image));
    imgMain_->resize(image.size());
}

void TfrmPicture::mnuFileOpenClick()
{
    RunGuarded(prompter_, [this] {
        if (prompter_.ExecuteOpenPicture(OpenPictureDialog))
            LoadPicture(OpenPictureDialog.fileName);
    });
}

} // namespace tessel
