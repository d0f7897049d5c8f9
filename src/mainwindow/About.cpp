#include "mainwindow/About.h"

#include <QEvent>
#include <QIcon>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "platform/Process.h"
#include "ui/DialogFrame.h"
#include "ui/Resources.h"

namespace tessel {

namespace {
// Where a link label's address is kept.
const char* const LinkProperty = "linkAddress";
} // namespace

TAboutBox::TAboutBox(Prompter& prompter, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      prompter_(prompter)
{
    setObjectName("AboutBox");
    setWindowTitle("About");
    setWindowModality(Qt::ApplicationModal);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 16, 18, 14);
    layout->setSpacing(6);
    const auto label = [&](const char* name, const QString& text) {
        auto* l = new QLabel(text, this);
        l->setObjectName(name);
        l->setAlignment(Qt::AlignHCenter);
        l->setWordWrap(true);
        l->setMinimumWidth(320);
        layout->addWidget(l);
        return l;
    };
    UseResources();
    QLabel* icon = label("ProgramIcon", QString());
    icon->setPixmap(QIcon(":/tessel.svg").pixmap(64, 64));
    QLabel* title = label("ProductName", "The Tessel");
    QFont big = title->font();
    big.setPointSize(big.pointSize() + 6);
    big.setBold(true);
    title->setFont(big);
    label("Version", "Version 1.7.2.9");
    layout->addSpacing(6);
    label("Comments", "Tessel edits, colours and checks the scripts of Duke Nukem 3D, Quake and Verge, launches the "
                      "games and their tools, and browses Duke Nukem 3D group files.");
    label("Copyright", "Free software under the GNU General Public License, version 3 or later.");
    label("lblBuiltWith", "Built with Qt, QScintilla, libwmf and libemf2svg.");
    layout->addSpacing(6);

    const struct {
        const char* name;
        const char* address;
    } links[] = {{"lblLicenceLink", "https://www.gnu.org/licenses/gpl-3.0.html"},
                 {"lblQtLink", "https://www.qt.io/"}};
    for (const auto& link : links) {
        QLabel* l = label(link.name, link.address);
        QPalette blue = l->palette();
        blue.setColor(QPalette::WindowText, Qt::blue);
        l->setPalette(blue);
        QFont underlined = l->font();
        underlined.setUnderline(true);
        l->setFont(underlined);
        l->setCursor(Qt::PointingHandCursor);
        l->setProperty(LinkProperty, QString(link.address));
        l->installEventFilter(this);
    }

    layout->addSpacing(8);
    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("OKButton");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

bool TAboutBox::eventFilter(QObject* watched, QEvent* event)
{
    const QVariant address = watched->property(LinkProperty);
    if (address.isValid() && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        RunGuarded(prompter_, [&] { OpenWebLink(address.toString().toStdString(), prompter_); });
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TAboutBox::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    CentreOnScreen(this);
}

} // namespace tessel
