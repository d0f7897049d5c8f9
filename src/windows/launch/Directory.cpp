#include "windows/launch/Directory.h"

#include <QApplication>
#include <QComboBox>
#include <QFileSystemModel>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStorageInfo>
#include <QStyle>
#include <QTreeView>
#include <QVBoxLayout>
#include <QWindow>

#include "platform/Files.h"
#include "ui/Guarded.h"
#include "ui/QtPaths.h"

namespace tessel {

namespace {

// A folder without the separators at its end, the root itself excepted.
std::string WithoutTrailingSeparators(std::string path)
{
    while (path.size() > 1 && path.back() == PathDelim)
        path.pop_back();
    return path;
}

} // namespace

TfrmDirectory::TfrmDirectory(Prompter& prompter, QWidget* parent) : QDialog(parent), prompter_(prompter)
{
    setWindowTitle("Select Directory");
    setFixedSize(260, 312);

    Label1 = new QLabel("Select Directory", this);
    Label1->setObjectName("Label1");
    QFont large = Label1->font();
    large.setPointSize(14);
    large.setBold(true);
    Label1->setFont(large);
    QPalette navy = Label1->palette();
    navy.setColor(QPalette::WindowText, QColor(0, 0, 0x80));
    Label1->setPalette(navy);

    // The root first, then the other mounted volumes.
    DriveComboBox1 = new QComboBox(this);
    DriveComboBox1->setObjectName("DriveComboBox1");
    DriveComboBox1->addItem("/", QString("/"));
    QStringList roots;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes())
        if (volume.isValid() && volume.isReady() && volume.rootPath() != "/")
            roots << volume.rootPath();
    roots.sort();
    roots.removeDuplicates();
    for (const QString& root : roots)
        DriveComboBox1->addItem(root, root);

    folders_ = new QFileSystemModel(this);
    // Hidden folders too: games installed for wine live under ~/.wine.
    folders_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Hidden);
    folders_->setRootPath("/");
    DirList1 = new QTreeView(this);
    DirList1->setObjectName("DirList1");
    DirList1->setModel(folders_);
    DirList1->setHeaderHidden(true);
    for (int column = 1; column < folders_->columnCount(); ++column)
        DirList1->hideColumn(column);
    OnSignal(prompter_, DirList1->selectionModel(), &QItemSelectionModel::currentChanged, this,
             [this](const QModelIndex& current) {
                 if (!current.isValid())
                     return;
                 directory_ = FromQString(folders_->filePath(current));
                 // The volume list names the volume of the folder shown.
                 if (const int volume = VolumeOf(directory_); volume >= 0)
                     DriveComboBox1->setCurrentIndex(volume);
             });

    btnOk = new QPushButton("&Ok", this);
    btnOk->setObjectName("btnOk");
    btnOk->setDefault(true);
    btnCancel = new QPushButton("&Cancel", this);
    btnCancel->setObjectName("btnCancel");
    btnCancel->setAutoDefault(false);
    OnSignal(prompter_, btnOk, &QPushButton::clicked, this, [this] { btnOkClick(); });
    OnSignal(prompter_, btnCancel, &QPushButton::clicked, this, [this] { btnCancelClick(); });
    OnSignal(prompter_, DriveComboBox1, &QComboBox::activated, this, [this] { DriveComboBox1Change(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(DriveComboBox1);
    layout->addWidget(DirList1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOk);
    buttons->addWidget(btnCancel);
    layout->addLayout(buttons);

    SetDirectory(CurrentDirectory());
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(), screen->availableGeometry()));
}

std::optional<std::string> TfrmDirectory::ChooseDirectory(const std::optional<std::string>& start)
{
    if (start)
        SetDirectory(*start);
    // Above the window that asks (a launcher): made the main window's, the
    // window manager may raise the main window over that launcher.
    if (QWidget* owner = QApplication::activeWindow(); owner && owner != this) {
        createWinId();
        windowHandle()->setTransientParent(owner->windowHandle());
    }
    DirList1->setFocus();   // the arrow keys move through the folders, not the volumes
    chosen_ = false;
    exec();
    if (!chosen_)
        return std::nullopt;
    return ConfirmedDirectory(directory_);
}

void TfrmDirectory::SetDirectory(const std::string& dir)
{
    const std::string path = WithoutTrailingSeparators(AbsolutePath(dir));
    directory_ = path;
    const QModelIndex index = folders_->index(ToQString(path));
    if (!index.isValid())
        return;
    DirList1->setCurrentIndex(index);
    DirList1->expand(index);
    DirList1->scrollTo(index, QAbstractItemView::PositionAtCenter);
}

int TfrmDirectory::VolumeOf(const std::string& path) const
{
    int best = -1;
    std::size_t bestLength = 0;
    for (int i = 0; i < DriveComboBox1->count(); ++i) {
        const std::string root = IncludeTrailingPathDelimiter(FromQString(DriveComboBox1->itemData(i).toString()));
        const std::string within = IncludeTrailingPathDelimiter(path);
        if (within.compare(0, root.size(), root) == 0 && root.size() > bestLength) {
            best = i;
            bestLength = root.size();
        }
    }
    return best;
}

void TfrmDirectory::DriveComboBox1Change()
{
    SetDirectory(FromQString(DriveComboBox1->currentData().toString()));
}

void TfrmDirectory::btnOkClick()
{
    chosen_ = true;
    accept();
}

void TfrmDirectory::btnCancelClick()
{
    chosen_ = false;
    reject();
}

} // namespace tessel
