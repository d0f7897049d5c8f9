#include "mainwindow/Keystroke.h"

#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QScreen>

#include "ui/DialogFrame.h"

namespace tessel {

namespace {

// A key cap with the key's letter, as the tips' pictures.
QPixmap KeyPicture(const QString& letter)
{
    QPixmap pix(32, 32);
    pix.fill(Qt::transparent);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(0x50, 0x50, 0x58));
    p.setBrush(QColor(0xd8, 0xd8, 0xdc));
    p.drawRoundedRect(QRectF(2.5, 2.5, 27, 27), 4, 4);
    p.setBrush(QColor(0xf4, 0xf4, 0xf6));
    p.drawRoundedRect(QRectF(5.5, 4.5, 21, 19), 3, 3);
    QFont f = p.font();
    f.setBold(true);
    f.setPixelSize(13);
    p.setFont(f);
    p.setPen(QColor(0x20, 0x20, 0x28));
    p.drawText(QRectF(5.5, 4.5, 21, 19), Qt::AlignCenter, letter);
    return pix;
}

} // namespace

TfrmKeyStrokes::TfrmKeyStrokes(Prompter&, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
{
    setObjectName("frmKeyStrokes");
    setWindowTitle("Tessel Key Strokes...");
    setWindowModality(Qt::ApplicationModal);

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(14, 12, 14, 14);
    layout->setHorizontalSpacing(12);
    layout->setVerticalSpacing(12);
    auto* heading = new QLabel("Common Key Strokes:", this);
    heading->setObjectName("lblCommonKeyStrokes");
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    layout->addWidget(heading, 0, 0, 1, 2);

    const struct {
        const char* letter;
        const char* text;
    } tips[] = {
        {"C", "To insert the programming identifier that appears in the wizard box, press: Ctrl + Alt + C . Note: "
              "If you use the regular insert button, it doesn't check to see if you were previously \n"
              "typing in a word, but Ctrl + Alt + C does and it replaces the word with a new one."},
        {"I", "To block indent a block of code use Ctrl + I ."},
        {"I", "To Deblock indent a block of code use Ctrl + Alt + I ."},
    };
    int row = 1;
    for (const auto& tip : tips) {
        auto* picture = new QLabel(this);
        picture->setObjectName(QString("imgTip%1").arg(row));
        picture->setPixmap(KeyPicture(tip.letter));
        picture->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        picture->setFixedSize(38, 38);
        picture->setAlignment(Qt::AlignCenter);
        auto* text = new QLabel(tip.text, this);
        text->setObjectName(QString("lblTip%1").arg(row));
        text->setWordWrap(true);
        text->setFixedWidth(420);
        layout->addWidget(picture, row, 0, Qt::AlignTop);
        layout->addWidget(text, row, 1);
        ++row;
    }
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TfrmKeyStrokes::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    CentreOnScreen(this);
}

} // namespace tessel
