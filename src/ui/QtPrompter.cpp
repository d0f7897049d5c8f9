#include "ui/QtPrompter.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

#include "platform/Paths.h"
#include "ui/PictureImage.h"
#include "ui/QtPaths.h"

namespace tessel {

namespace {

// Message texts are UTF-8; paths go through the file-name conversion.
QString Q(const std::string& s)
{
    return QString::fromStdString(s);
}

int Exec(QMessageBox::Icon icon, const QString& caption, const std::string& text, QMessageBox::StandardButtons buttons)
{
    QMessageBox box(icon, caption, Q(text), buttons, QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    if (buttons != QMessageBox::NoButton)
        return box.exec();
    // Restore and Discard, answered as Yes and No; closing the box is neither.
    QPushButton* restore = box.addButton("&Restore", QMessageBox::YesRole);
    QPushButton* discard = box.addButton("&Discard", QMessageBox::NoRole);
    box.exec();
    return box.clickedButton() == restore ? QMessageBox::Yes
           : box.clickedButton() == discard ? QMessageBox::No
                                            : QMessageBox::Cancel;
}

// The picture of the current file (none for a folder or what cannot be read)
// in a box beside the dialog's list.
void AddPicturePreview(QFileDialog& dlg)
{
    auto* grid = qobject_cast<QGridLayout*>(dlg.layout());
    if (!grid)
        return;
    auto* preview = new QLabel(&dlg);
    preview->setObjectName("PicturePreview");
    preview->setFixedSize(180, 180);
    preview->setAlignment(Qt::AlignCenter);
    preview->setFrameShape(QFrame::StyledPanel);
    grid->addWidget(preview, 1, grid->columnCount(), grid->rowCount() - 1, 1);
    QObject::connect(&dlg, &QFileDialog::currentChanged, preview, [preview](const QString& path) {
        QImage picture;
        try {
            picture = ReadPicture(FromQString(path));
        } catch (const std::exception&) {
        }
        preview->setPixmap(picture.isNull() ? QPixmap()
                                            : QPixmap::fromImage(picture.scaled(preview->contentsRect().size(),
                                                                                Qt::KeepAspectRatio,
                                                                                Qt::SmoothTransformation)));
    });
}

bool ExecuteDialog(FileDialog& d, QFileDialog::AcceptMode mode, bool picturePreview = false)
{
    QFileDialog dlg(QApplication::activeWindow(), Q(d.title), ToQString(d.initialDir));
    dlg.setOption(QFileDialog::DontUseNativeDialog);
    // Each command asks its own question, for every file it would replace.
    dlg.setOption(QFileDialog::DontConfirmOverwrite);
    dlg.setAcceptMode(mode);
    dlg.setFileMode(QFileDialog::AnyFile);
    const QStringList filters = QtNameFilters(d.filter);
    if (!filters.isEmpty())
        dlg.setNameFilters(filters);
    if (picturePreview)
        AddPicturePreview(dlg);
    if (!d.fileName.empty())
        dlg.selectFile(QFileInfo(ToQString(d.fileName)).fileName());
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return false;
    const QFileInfo chosen(dlg.selectedFiles().constFirst());
    const std::string name = NameOnDisk(chosen.absoluteFilePath());
    if (name.empty()) {
        Exec(QMessageBox::Warning, MsgTypeCaption(MsgType::Warning),
             FromQString(chosen.fileName()) + " cannot be told apart from another name in its folder that is shown "
                                              "alike; rename one of them first.",
             QMessageBox::Ok);
        return false;
    }
    d.fileName = name;
    d.initialDir = FolderPrefix(name);
    return true;
}

QString BothCases(const QString& pattern)
{
    QStringList out;
    for (const QString& p : pattern.split(';', Qt::SkipEmptyParts)) {
        const QString t = p.trimmed();
        out << t;
        if (t.toLower() != t)
            out << t.toLower();
        if (t.toUpper() != t)
            out << t.toUpper();
    }
    out.removeDuplicates();
    return out.join(' ');
}

} // namespace

QStringList QtNameFilters(const std::string& filter)
{
    const QStringList parts = Q(filter).split('|');
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i];
        // Qt reads the patterns from the trailing parentheses of the description.
        const int open = description.lastIndexOf('(');
        if (open > 0 && description.endsWith(')'))
            description = description.left(open).trimmed();
        out << description + " (" + BothCases(parts[i + 1]) + ")";
    }
    return out;
}

void QtPrompter::ShowMessage(const std::string& text)
{
    Exec(QMessageBox::NoIcon, "Tessel", text, QMessageBox::Ok);
}

MsgResult QtPrompter::MessageDlg(const std::string& text, MsgType type, MsgButtons buttons)
{
    QMessageBox::Icon icon = QMessageBox::Information;
    switch (type) {
    case MsgType::Warning: icon = QMessageBox::Warning; break;
    case MsgType::Error: icon = QMessageBox::Critical; break;
    case MsgType::Information: icon = QMessageBox::Information; break;
    case MsgType::Confirm: icon = QMessageBox::Question; break;
    }
    QMessageBox::StandardButtons set = QMessageBox::Ok;
    if (buttons == MsgButtons::YesNo)
        set = QMessageBox::Yes | QMessageBox::No;
    else if (buttons == MsgButtons::YesNoCancel)
        set = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    else if (buttons == MsgButtons::RestoreDiscard)
        set = QMessageBox::NoButton;
    switch (Exec(icon, MsgTypeCaption(type), text, set)) {
    case QMessageBox::Yes: return MsgResult::Yes;
    case QMessageBox::No: return MsgResult::No;
    case QMessageBox::Ok: return MsgResult::Ok;
    default: return buttons == MsgButtons::YesNo ? MsgResult::No : MsgResult::Cancel;
    }
}

void QtPrompter::ShowError(const std::string& text)
{
    Exec(QMessageBox::Critical, "Tessel", text, QMessageBox::Ok);
}

bool QtPrompter::ExecuteOpen(FileDialog& dialog)
{
    return ExecuteDialog(dialog, QFileDialog::AcceptOpen);
}

bool QtPrompter::ExecuteSave(FileDialog& dialog)
{
    return ExecuteDialog(dialog, QFileDialog::AcceptSave);
}

bool QtPrompter::ExecuteOpenPicture(FileDialog& dialog)
{
    return ExecuteDialog(dialog, QFileDialog::AcceptOpen, true);
}

} // namespace tessel
