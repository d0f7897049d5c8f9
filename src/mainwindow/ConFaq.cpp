#include "mainwindow/ConFaq.h"

#include <QLabel>
#include <QStatusBar>
#include <QStringDecoder>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextLayout>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>
#include <cerrno>
#include <functional>

#include "platform/Files.h"
#include "platform/Process.h"
#include "richtext/RtfReader.h"
#include "ui/Guarded.h"

namespace tessel {

const char* const FaqFileName = "confaq40.rtf";

namespace {

// RTF measures in twips, the view in pixels of a 96 dpi screen.
qreal Pixels(int twips)
{
    return twips / 15.0;
}

QColor ToQColor(TColor c)
{
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>(c >> 8 & 0xFF), static_cast<int>(c >> 16 & 0xFF));
}

QTextCharFormat CharFormat(const RtfDocument& rtf, const RtfCharFormat& f)
{
    QTextCharFormat out;
    if (f.font >= 0 && f.font < static_cast<int>(rtf.fonts.size()) && !rtf.fonts[f.font].name.empty())
        out.setFontFamilies({QString::fromStdString(rtf.fonts[f.font].name)});
    out.setFontPointSize(std::clamp(f.halfPoints, 2, 2000) / 2.0);
    out.setFontWeight(f.bold ? QFont::Bold : QFont::Normal);
    out.setFontItalic(f.italic);
    out.setFontUnderline(f.underline);
    out.setFontStrikeOut(f.strike);
    if (f.foreground != clAutomatic)
        out.setForeground(ToQColor(f.foreground));
    if (f.background != clAutomatic)
        out.setBackground(ToQColor(f.background));
    if (f.link >= 0 && f.link < static_cast<int>(rtf.links.size())) {
        out.setAnchor(true);
        out.setAnchorHref(QString::fromStdString(rtf.links[f.link]));
    }
    return out;
}

QTextBlockFormat BlockFormat(const RtfParagraphFormat& p)
{
    QTextBlockFormat out;
    switch (p.alignment) {
    case RtfAlignment::Left: out.setAlignment(Qt::AlignLeft); break;
    case RtfAlignment::Center: out.setAlignment(Qt::AlignHCenter); break;
    case RtfAlignment::Right: out.setAlignment(Qt::AlignRight); break;
    case RtfAlignment::Justify: out.setAlignment(Qt::AlignJustify); break;
    }
    out.setLeftMargin(Pixels(p.leftIndent));
    out.setRightMargin(Pixels(p.rightIndent));
    out.setTextIndent(Pixels(p.firstIndent));
    out.setTopMargin(Pixels(p.spaceBefore));
    out.setBottomMargin(Pixels(p.spaceAfter));
    return out;
}

// The view, reporting the events after which the caret position is shown.
class FaqText : public QTextBrowser {
public:
    FaqText(QWidget* parent, std::function<void()> caretEvent) : QTextBrowser(parent), caretEvent_(std::move(caretEvent)) {}

protected:
    void keyPressEvent(QKeyEvent* e) override
    {
        QTextBrowser::keyPressEvent(e);
        caretEvent_();
    }
    void keyReleaseEvent(QKeyEvent* e) override
    {
        QTextBrowser::keyReleaseEvent(e);
        caretEvent_();
    }
    void mousePressEvent(QMouseEvent* e) override
    {
        QTextBrowser::mousePressEvent(e);
        caretEvent_();
    }

private:
    std::function<void()> caretEvent_;
};

} // namespace

void FillTextDocument(QTextDocument& target, const RtfDocument& rtf)
{
    target.clear();
    QTextCursor cursor(&target);
    bool first = true;
    for (const RtfParagraph& paragraph : rtf.paragraphs) {
        if (first)
            cursor.setBlockFormat(BlockFormat(paragraph));
        else
            cursor.insertBlock(BlockFormat(paragraph), CharFormat(rtf, paragraph.mark));
        first = false;
        cursor.setBlockCharFormat(CharFormat(rtf, paragraph.mark));
        for (const RtfRun& run : paragraph.runs)
            cursor.insertText(run.lineBreak ? QString(QChar::LineSeparator) : QString::fromStdString(run.text),
                              CharFormat(rtf, run.format));
    }
}

TfrmConFaq::TfrmConFaq(Prompter& prompter, const std::string& path, QWidget* parent)
    : QWidget(parent, Qt::Window), prompter_(prompter)
{
    setObjectName("frmConFaq");
    setWindowTitle("ConFaq4.0 Viewer");
    setAttribute(Qt::WA_DeleteOnClose);
    resize(678, 485);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    rchConFaq_ = new FaqText(this, [this] { ShowCaretPosition(); });
    rchConFaq_->setObjectName("rchConFaq");
    rchConFaq_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Read-only, yet with a caret the keys move; links open in the browser.
    rchConFaq_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard |
                                        Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    rchConFaq_->setOpenLinks(false);
    rchConFaq_->document()->setDefaultFont(QFont("Courier New", 8));
    OnSignal(prompter_, rchConFaq_, &QTextBrowser::anchorClicked, this,
             [this](const QUrl& url) { OpenWebLink(url.toString().toStdString(), prompter_); });
    layout->addWidget(rchConFaq_);

    auto* statusBar1 = new QStatusBar(this);
    statusBar1->setObjectName("StatusBar1");
    statusBar1->setSizeGripEnabled(false);
    const char* texts[2] = {"ConFaq 4.0, the Duke Nukem 3D CON scripting FAQ", "Line: 0 ; Column: 0"};
    for (int i = 0; i < 2; ++i) {
        panels_[i] = new QLabel(texts[i], statusBar1);
        panels_[i]->setObjectName(QString("StatusPanel%1").arg(i));
        panels_[i]->setFrameShape(QFrame::Panel);
        panels_[i]->setFrameShadow(QFrame::Sunken);
        statusBar1->addWidget(panels_[i], i);
    }
    panels_[0]->setFixedWidth(400);
    layout->addWidget(statusBar1);

    RunGuarded(prompter_, [&] { Load(path); });
    rchConFaq_->moveCursor(QTextCursor::Start);
    panels_[1]->setText("Line: 1 ; Column: 1");
    show();
}

void TfrmConFaq::Load(const std::string& path)
{
    std::string bytes;
    if (!ReadWholeFile(path, bytes))
        ThrowIoError(ENOENT);
    if (LooksLikeRtf(bytes)) {
        FillTextDocument(*rchConFaq_->document(), ReadRtf(bytes));
        return;
    }
    // A file that is no RTF shows as its text, as the rich-text control shows it.
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(QByteArray::fromStdString(bytes));
    if (utf8.hasError())
        text = QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
    rchConFaq_->setPlainText(text);
}

void TfrmConFaq::ShowCaretPosition()
{
    // Lines as the view shows them, wrapped lines counted one by one.
    const QTextCursor cursor = rchConFaq_->textCursor();
    const QTextBlock block = cursor.block();
    int line = 0;
    for (QTextBlock b = rchConFaq_->document()->begin(); b.isValid() && b != block; b = b.next())
        line += std::max(1, b.layout() ? b.layout()->lineCount() : 1);
    int column = cursor.positionInBlock();
    if (QTextLayout* layout = block.layout(); layout && layout->lineCount() > 0) {
        const QTextLine textLine = layout->lineForTextPosition(column);
        if (textLine.isValid()) {
            line += textLine.lineNumber();
            column -= textLine.textStart();
        }
    }
    panels_[1]->setText(QString("Line: %1 ; Column: %2").arg(line + 1).arg(column + 1));
}

} // namespace tessel
