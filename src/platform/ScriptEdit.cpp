#include "platform/ScriptEdit.h"

#include <QEvent>
#include <QFontInfo>
#include <QScrollBar>

#include <algorithm>
#include <cerrno>
#include <climits>

#include "platform/Errors.h"
#include "platform/Files.h"
#include "platform/RtfReader.h"

namespace tessel {

namespace {

constexpr std::uint32_t Black = 0;
constexpr int FirstPredefinedStyle = QsciScintillaBase::STYLE_DEFAULT;         // 32
constexpr int LastPredefinedStyle = QsciScintillaBase::STYLE_LASTPREDEFINED;   // 39
constexpr int LastStyle = 255;

// The family Qt actually uses for "courier" asked with a fixed-pitch hint.
QByteArray FixedPitchCourier()
{
    QFont font(QStringLiteral("courier"), 8);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    const QFontInfo info(font);
    return (info.fixedPitch() ? info.family() : QStringLiteral("Monospace")).toUtf8();
}

} // namespace

// Scintilla resets the scroll-bar policies whenever it reconfigures the bars
// and hides a bar it thinks is not needed; this puts them back.
class ScriptEdit::ScrollBarGuard : public QObject {
public:
    explicit ScrollBarGuard(ScriptEdit* edit) : QObject(edit), edit_(edit) {}
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Hide && edit_->isVisible())
            edit_->ApplyFixedScrollBars();
        return false;
    }

private:
    ScriptEdit* edit_;
};

ScriptEdit::ScriptEdit(QWidget* parent) : QsciScintilla(parent)
{
    // QScintilla starts with LF line ends and UTF-8 on this platform.
    setEolMode(EolWindows);
    setUtf8(true);
    setWrapMode(WrapNone);
    setIndentationsUseTabs(true);
    setTabIndents(false);
    setAutoIndent(false);
    for (int margin = 0; margin < 5; ++margin)
        setMarginWidth(margin, 0);
    Send(SCI_SETWORDCHARS, 0, reinterpret_cast<long>("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_"));

    const QByteArray family = FixedPitchCourier();
    Send(SCI_STYLESETFONT, STYLE_DEFAULT, reinterpret_cast<long>(family.constData()));
    Send(SCI_STYLESETSIZE, STYLE_DEFAULT, 8);
    Send(SCI_STYLESETFORE, STYLE_DEFAULT, Black);
    Send(SCI_STYLECLEARALL);
    colourOfStyle_.assign(LastStyle + 1, Black);
    styleOfColour_[Black] = 0;

    ApplyFixedScrollBars();
    guard_ = new ScrollBarGuard(this);
    horizontalScrollBar()->installEventFilter(guard_);
    verticalScrollBar()->installEventFilter(guard_);
    setModified(false);
}

ScriptEdit::~ScriptEdit()
{
    // The bars are hidden while the base classes are torn down.
    delete guard_;
}

void ScriptEdit::ApplyFixedScrollBars()
{
    Send(SCI_SETHSCROLLBAR, 1);
    Send(SCI_SETVSCROLLBAR, 1);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

// --- text -------------------------------------------------------------------

std::string ScriptEdit::Text() const
{
    return TextRange(0, TextLength());
}

int ScriptEdit::TextLength() const
{
    return static_cast<int>(Send(SCI_GETLENGTH));
}

std::string ScriptEdit::TextRange(int start, int length) const
{
    const int size = TextLength();
    start = std::clamp(start, 0, size);
    length = std::clamp(length, 0, size - start);
    if (length == 0)
        return {};
    const auto* p = reinterpret_cast<const char*>(Send(SCI_GETRANGEPOINTER, start, length));
    return std::string(p, static_cast<std::size_t>(length));
}

void ScriptEdit::SetDocument(const ControlText& text)
{
    lineEnds_ = text.lineEnds;
    encoding_ = text.encoding;
    Send(SCI_SETUNDOCOLLECTION, 0);
    Send(SCI_CLEARALL);
    setUtf8(encoding_ == TextEncoding::Utf8);
    // Not setText: it stops at a NUL byte and goes through QString.
    if (!text.text.empty())
        Send(SCI_ADDTEXT, text.text.size(), reinterpret_cast<long>(text.text.data()));
    Send(SCI_SETUNDOCOLLECTION, 1);
    Send(SCI_EMPTYUNDOBUFFER);
    Send(SCI_GOTOPOS, 0);
    SetModified(false);
}

void ScriptEdit::SetDocument(const ColouredText& document)
{
    BeginUpdate();
    SetDocument(document.text);
    PaintColours(document.colours);
    EndUpdate();
}

ControlText ScriptEdit::Document() const
{
    ControlText result;
    result.text = Text();
    result.lineEnds = lineEnds_;
    result.encoding = encoding_;
    return result;
}

// --- selection ----------------------------------------------------------------

int ScriptEdit::SelStart() const
{
    return static_cast<int>(Send(SCI_GETSELECTIONSTART));
}

int ScriptEdit::SelLength() const
{
    return static_cast<int>(Send(SCI_GETSELECTIONEND)) - SelStart();
}

std::string ScriptEdit::SelText() const
{
    return TextRange(SelStart(), SelLength());
}

void ScriptEdit::SetSelection(int start, int length)
{
    const int size = TextLength();
    start = std::clamp(start, 0, size);
    const int end = length < 0 ? start : static_cast<int>(std::min<long long>(size, static_cast<long long>(start) + length));
    Send(SCI_SETSEL, start, end);
}

void ScriptEdit::ReplaceSelection(std::string_view text)
{
    const int start = SelStart();
    Send(SCI_BEGINUNDOACTION);
    Send(SCI_SETTARGETRANGE, start, start + SelLength());
    // With an explicit length, so NUL bytes are kept.
    Send(SCI_REPLACETARGET, text.size(), reinterpret_cast<long>(text.data()));
    Send(SCI_ENDUNDOACTION);
    const int end = start + static_cast<int>(text.size());
    Send(SCI_SETSEL, end, end);
    // Scintilla gives inserted text style 0 only where nothing restyles it;
    // make sure the new text is black.
    PaintRange(start, static_cast<int>(text.size()), Black);
}

void ScriptEdit::ReplaceSelection(std::string_view text, std::uint32_t colour)
{
    const int start = SelStart();
    ReplaceSelection(text);
    PaintRange(start, static_cast<int>(text.size()), colour);
}

int ScriptEdit::FindText(std::string_view pattern, int from, int to, bool wholeWord, bool matchCase) const
{
    const int size = TextLength();
    from = std::clamp(from, 0, size);
    to = std::clamp(to, 0, size);
    if (pattern.empty() || from >= to)
        return -1;
    Send(SCI_SETSEARCHFLAGS, (wholeWord ? SCFIND_WHOLEWORD : 0) | (matchCase ? SCFIND_MATCHCASE : 0));
    Send(SCI_SETTARGETRANGE, from, to);
    return static_cast<int>(Send(SCI_SEARCHINTARGET, pattern.size(), reinterpret_cast<long>(pattern.data())));
}

// --- lines ------------------------------------------------------------------

int ScriptEdit::LineCount() const
{
    return static_cast<int>(Send(SCI_GETLINECOUNT));
}

int ScriptEdit::LineFromOffset(int offset) const
{
    return static_cast<int>(Send(SCI_LINEFROMPOSITION, std::clamp(offset, 0, TextLength())));
}

int ScriptEdit::OffsetOfLine(int line) const
{
    if (line < 0 || line >= LineCount())
        return -1;
    return static_cast<int>(Send(SCI_POSITIONFROMLINE, line));
}

int ScriptEdit::LineLength(int line) const
{
    if (line < 0 || line >= LineCount())
        return 0;
    return static_cast<int>(Send(SCI_GETLINEENDPOSITION, line) - Send(SCI_POSITIONFROMLINE, line));
}

// --- colours ------------------------------------------------------------------

int ScriptEdit::StyleFor(std::uint32_t colour)
{
    colour &= 0xFFFFFFu;
    const auto found = styleOfColour_.find(colour);
    if (found != styleOfColour_.end())
        return found->second;
    if (nextStyle_ == FirstPredefinedStyle)
        nextStyle_ = LastPredefinedStyle + 1;
    if (nextStyle_ > LastStyle) {
        // Every style is taken (a foreign document of many colours): the nearest colour.
        auto distance = [](std::uint32_t a, std::uint32_t b) {
            long d = 0;
            for (int shift = 0; shift < 24; shift += 8) {
                const long c = static_cast<long>((a >> shift) & 0xFF) - static_cast<long>((b >> shift) & 0xFF);
                d += c * c;
            }
            return d;
        };
        int best = 0;
        long bestDistance = LONG_MAX;
        for (const auto& [c, style] : styleOfColour_) {
            const long d = distance(c, colour);
            if (d < bestDistance) {
                bestDistance = d;
                best = style;
            }
        }
        return best;
    }
    const int style = nextStyle_++;
    Send(SCI_STYLESETFORE, style, static_cast<long>(colour));
    colourOfStyle_[style] = colour;
    styleOfColour_[colour] = style;
    return style;
}

void ScriptEdit::PaintRange(int start, int length, std::uint32_t colour)
{
    const int size = TextLength();
    start = std::clamp(start, 0, size);
    length = std::clamp(length, 0, size - start);
    if (length == 0)
        return;
    const int style = StyleFor(colour);
    Send(SCI_STARTSTYLING, start, 0);
    Send(SCI_SETSTYLING, length, style);
}

void ScriptEdit::PaintColours(int start, const std::uint32_t* colours, std::size_t count)
{
    const int size = TextLength();
    start = std::clamp(start, 0, size);
    const std::size_t length = std::min<std::size_t>(count, static_cast<std::size_t>(size - start));
    if (length == 0)
        return;
    std::string styles(length, '\0');
    std::uint32_t lastColour = Black;
    char lastStyle = 0;
    for (std::size_t i = 0; i < length; ++i) {
        if (colours[i] != lastColour) {
            lastColour = colours[i];
            lastStyle = static_cast<char>(StyleFor(lastColour));
        }
        styles[i] = lastStyle;
    }
    Send(SCI_STARTSTYLING, start, 0);
    Send(SCI_SETSTYLINGEX, length, reinterpret_cast<long>(styles.data()));
}

std::uint32_t ScriptEdit::ColourAt(int offset) const
{
    if (offset < 0 || offset >= TextLength())
        return Black;
    return colourOfStyle_[static_cast<std::size_t>(Send(SCI_GETSTYLEAT, offset)) & 0xFF];
}

std::vector<std::uint32_t> ScriptEdit::Colours() const
{
    const int size = TextLength();
    std::vector<std::uint32_t> colours(static_cast<std::size_t>(size));
    if (size == 0)
        return colours;
    // Pairs of character and style, and two closing NULs.
    std::string styled(2 * static_cast<std::size_t>(size) + 2, '\0');
    SendScintilla(SCI_GETSTYLEDTEXT, 0L, static_cast<long>(size), styled.data());
    for (int i = 0; i < size; ++i)
        colours[i] = colourOfStyle_[static_cast<unsigned char>(styled[2 * i + 1])];
    return colours;
}

// --- state --------------------------------------------------------------------

bool ScriptEdit::Modified() const
{
    return Send(SCI_GETMODIFY) != 0;
}

void ScriptEdit::SetModified(bool modified)
{
    setModified(modified);
}

bool ScriptEdit::CanUndo() const
{
    return Send(SCI_CANUNDO) != 0;
}

void ScriptEdit::Undo()
{
    undo();
}

void ScriptEdit::BeginUpdate()
{
    if (updateDepth_++ > 0)
        return;
    viewport()->setUpdatesEnabled(false);
    // Each change notification costs QScintilla time in proportion to the
    // text (accessibility). textChanged is still signalled.
    Send(SCI_SETMODEVENTMASK, 0);
}

void ScriptEdit::EndUpdate()
{
    if (updateDepth_ == 0 || --updateDepth_ > 0)
        return;
    Send(SCI_SETMODEVENTMASK, SC_MODEVENTMASKALL);
    viewport()->setUpdatesEnabled(true);
    viewport()->update();
}

// --- files --------------------------------------------------------------------

bool ScriptEdit::LoadFromFile(const std::string& path)
{
    std::string bytes;
    if (!ReadWholeFile(path, bytes))
        ThrowIoError(ENOENT);
    if (LooksLikeRtf(bytes)) {
        SetDocument(ReadProjectFile(bytes));
        return true;
    }
    SetDocument(ControlTextOfFile(bytes));
    return false;
}

void ScriptEdit::SavePlainText(const std::string& path) const
{
    WriteFileAtomically(path, FileBytesOf(Text(), lineEnds_));
}

void ScriptEdit::SaveRichText(const std::string& path) const
{
    WriteFileAtomically(path, WriteProjectFile(Document(), Colours()));
}

} // namespace tessel
