#include "shell/Picture.h"

#include "shell/Guarded.h"

#include <QAction>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QScrollArea>
#include <QSvgRenderer>
#include <QVBoxLayout>
#include <cerrno>
#include <new>

#include "platform/Files.h"
#include "shell/PictureFile.h"

namespace tessel {

namespace {

QImage DrawMetafile(PictureKind kind, const std::string& bytes)
{
    QSvgRenderer renderer(QByteArray::fromStdString(MetafileToSvg(kind, bytes)));
    const QSize size = renderer.defaultSize();
    if (!renderer.isValid() || size.isEmpty())
        throw AppError(InvalidPictureText(kind));
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        throw std::bad_alloc();
    // Like a metafile on a window, what it does not paint shows the window behind.
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    return image;
}

// Qt's decoder for a bitmap kind: the one the extension names, whatever the content.
const char* DecoderOf(PictureKind kind)
{
    switch (kind) {
    case PictureKind::Bitmap: return "BMP";
    case PictureKind::Icon: return "ICO";
    case PictureKind::Jpeg: return "JPEG";
    case PictureKind::Png: return "PNG";
    default: return "GIF";
    }
}

} // namespace

QImage ReadPicture(const std::string& path)
{
    const PictureKind kind = PictureKindOf(path);
    std::string bytes;
    if (!ReadWholeFile(path, bytes))
        ThrowIoError(ENOENT);
    if (kind == PictureKind::EnhancedMetafile || kind == PictureKind::Metafile)
        return DrawMetafile(kind, bytes);
    QImage image;
    image.loadFromData(QByteArray::fromRawData(bytes.data(), static_cast<int>(bytes.size())), DecoderOf(kind));
    if (image.isNull())
        throw AppError(InvalidPictureText(kind));
    return image;
}

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
