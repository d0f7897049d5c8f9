#include "windows/editor/ScriptEdit.h"

#include <Qsci/qscicommandset.h>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QColor>
#include <QEvent>
#include <QFontInfo>
#include <QKeyEvent>
#include <QScrollBar>

#include <algorithm>
#include <cerrno>
#include <climits>

#include "platform/Errors.h"
#include "platform/Files.h"
#include "richtext/RtfReader.h"
#include "richtext/Unicode.h"

namespace tessel {

namespace {

constexpr int FirstPredefinedStyle = QsciScintillaBase::STYLE_DEFAULT;         // 32
constexpr int LastPredefinedStyle = QsciScintillaBase::STYLE_LASTPREDEFINED;   // 39
constexpr int LastStyle = 255;
// The markers of the margin marks.
constexpr int ErrorMarker = 0;
constexpr int WarningMarker = 1;

// The family Qt actually uses for "courier" asked with a fixed-pitch hint.
QByteArray FixedPitchCourier()
{
    QFont font(QStringLiteral("courier"), 8);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    const QFontInfo info(font);
    return (info.fixedPitch() ? info.family() : QStringLiteral("Monospace")).toUtf8();
}

// QScintilla's accessibility bridge turns byte positions into character
// offsets by counting from the start of the text, at every edit and at every
// repaint after the caret moved: in a script of megabytes each keystroke then
// costs milliseconds. While no assistive technology listens, the control gets
// a plain accessible and no edit notifications; with one, QScintilla's own.
bool AssistiveTechnologyListens()
{
    return QAccessible::isActive();
}

QAccessibleInterface* PlainAccessible(const QString& className, QObject* object)
{
    if (className != QLatin1String(ScriptEdit::staticMetaObject.className()) || !object->isWidgetType() ||
        AssistiveTechnologyListens())
        return nullptr;
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::EditableText);
}

long EditNotifications()
{
    // Scintilla lets a notification through when any of its bits is in the
    // mask, the "performed by the user" flags of an insertion included; so all
    // or nothing. textChanged does not depend on them.
    return AssistiveTechnologyListens() ? QsciScintillaBase::SC_MODEVENTMASKALL : 0;
}

// The keys that act in the control, and all of them: the caret keys (with
// Shift they select), Delete, Backspace, Enter and the clipboard's. Every
// other key of Scintilla's own map (Ctrl+L cutting a line, Ctrl+D, Ctrl+T,
// Ctrl+U, Alt+Backspace, zoom...) is unbound: it does nothing here, or is
// the main window's command (Ctrl+Z, Ctrl+A, Ctrl+I...). Tab is typed below.
struct KeptKey {
    QsciCommand::Command command;
    int key;
};
constexpr int Shift = Qt::SHIFT, Ctrl = Qt::CTRL;
const KeptKey KeptKeys[] = {
    {QsciCommand::LineUp, Qt::Key_Up}, {QsciCommand::LineUpExtend, Shift | Qt::Key_Up},
    {QsciCommand::LineDown, Qt::Key_Down}, {QsciCommand::LineDownExtend, Shift | Qt::Key_Down},
    {QsciCommand::CharLeft, Qt::Key_Left}, {QsciCommand::CharLeftExtend, Shift | Qt::Key_Left},
    {QsciCommand::CharRight, Qt::Key_Right}, {QsciCommand::CharRightExtend, Shift | Qt::Key_Right},
    {QsciCommand::WordLeft, Ctrl | Qt::Key_Left}, {QsciCommand::WordLeftExtend, Ctrl | Shift | Qt::Key_Left},
    {QsciCommand::WordRight, Ctrl | Qt::Key_Right}, {QsciCommand::WordRightExtend, Ctrl | Shift | Qt::Key_Right},
    {QsciCommand::Home, Qt::Key_Home}, {QsciCommand::HomeExtend, Shift | Qt::Key_Home},
    {QsciCommand::LineEnd, Qt::Key_End}, {QsciCommand::LineEndExtend, Shift | Qt::Key_End},
    {QsciCommand::DocumentStart, Ctrl | Qt::Key_Home}, {QsciCommand::DocumentStartExtend, Ctrl | Shift | Qt::Key_Home},
    {QsciCommand::DocumentEnd, Ctrl | Qt::Key_End}, {QsciCommand::DocumentEndExtend, Ctrl | Shift | Qt::Key_End},
    {QsciCommand::PageUp, Qt::Key_PageUp}, {QsciCommand::PageUpExtend, Shift | Qt::Key_PageUp},
    {QsciCommand::PageDown, Qt::Key_PageDown}, {QsciCommand::PageDownExtend, Shift | Qt::Key_PageDown},
    {QsciCommand::Delete, Qt::Key_Delete}, {QsciCommand::DeleteBack, Qt::Key_Backspace},
    {QsciCommand::Newline, Qt::Key_Return}, {QsciCommand::Newline, Shift | Qt::Key_Return},
    {QsciCommand::SelectionCut, Ctrl | Qt::Key_X}, {QsciCommand::SelectionCopy, Ctrl | Qt::Key_C},
    {QsciCommand::Paste, Ctrl | Qt::Key_V},
};

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
    static const bool plainAccessible = (QAccessible::installFactory(PlainAccessible), true);
    (void)plainAccessible;
    Send(SCI_SETMODEVENTMASK, EditNotifications());
    // QScintilla starts with LF line ends and UTF-8 on this platform.
    setEolMode(EolWindows);
    setUtf8(true);
    setWrapMode(WrapNone);
    setIndentationsUseTabs(true);
    setTabIndents(false);
    setAutoIndent(false);
    for (int margin = 0; margin < 5; ++margin)
        setMarginWidth(margin, 0);
    // The marks of a compile's messages, in margin 1 while there are any.
    markerDefine(QsciScintilla::Circle, ErrorMarker);
    setMarkerBackgroundColor(QColor(210, 0, 0), ErrorMarker);
    setMarkerForegroundColor(QColor(120, 0, 0), ErrorMarker);
    markerDefine(QsciScintilla::Circle, WarningMarker);
    setMarkerBackgroundColor(QColor(240, 170, 0), WarningMarker);
    setMarkerForegroundColor(QColor(140, 90, 0), WarningMarker);
    SendScintilla(SCI_SETWORDCHARS, 0UL, "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_");
    QsciCommandSet* commands = standardCommands();
    commands->clearKeys();
    commands->clearAlternateKeys();
    for (const KeptKey& kept : KeptKeys) {
        QsciCommand* command = commands->find(kept.command);
        if (command->key())
            command->setAlternateKey(kept.key);   // its second key
        else
            command->setKey(kept.key);
    }
    // A right-click is the main window's (its hook), with no menu of Scintilla's.
    setContextMenuPolicy(Qt::PreventContextMenu);

    const QByteArray family = FixedPitchCourier();
    SendScintilla(SCI_STYLESETFONT, static_cast<uintptr_t>(STYLE_DEFAULT), family.constData());
    Send(SCI_STYLESETSIZE, STYLE_DEFAULT, 8);
    Send(SCI_STYLESETFORE, STYLE_DEFAULT, clBlack);
    Send(SCI_STYLECLEARALL);
    colorOfStyle_.assign(LastStyle + 1, clBlack);
    styleOfColor_[clBlack] = 0;

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

void ScriptEdit::keyPressEvent(QKeyEvent* event)
{
    const Qt::KeyboardModifiers chord = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier);
    if (event->key() == Qt::Key_Tab && !(event->modifiers() & ~Qt::KeypadModifier)) {
        // A tab character in place of the selection, over any number of lines.
        SendScintilla(SCI_REPLACESEL, "\t");
        return;
    }
    if (chord == Qt::ControlModifier || chord == Qt::AltModifier) {
        // A Ctrl or Alt chord types nothing (an Alt chord is the menu bar's
        // access key or nothing); only a bound key acts. Ctrl with Alt is
        // AltGr on some systems: its characters still type.
        QKeyEvent bare(event->type(), event->key(), event->modifiers(), event->nativeScanCode(),
                       event->nativeVirtualKey(), event->nativeModifiers(), QString(), event->isAutoRepeat(),
                       static_cast<quint16>(event->count()));
        QsciScintilla::keyPressEvent(&bare);
        event->setAccepted(bare.isAccepted());
        return;
    }
    QsciScintilla::keyPressEvent(event);
}

void ScriptEdit::ApplyFixedScrollBars()
{
    Send(SCI_SETHSCROLLBAR, 1);
    Send(SCI_SETVSCROLLBAR, 1);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

// --- text -------------------------------------------------------------------

int ScriptEdit::TextLength() const
{
    return static_cast<int>(Send(SCI_GETLENGTH));
}

std::string ScriptEdit::FromUtf8(std::string_view utf8) const
{
    return encoding_ == TextEncoding::Latin1 ? Utf8ToLatin1(utf8) : std::string(utf8);
}

std::string_view ScriptEdit::TextView() const
{
    // The gap buffer is made contiguous; the pointer holds until the next change.
    const auto* p = static_cast<const char*>(SendScintillaPtrResult(SCI_GETCHARACTERPOINTER));
    return std::string_view(p, static_cast<std::size_t>(TextLength()));
}

std::string_view ScriptEdit::TextTail(int start) const
{
    const int size = TextLength();
    start = std::clamp(start, 0, size);
    if (start == size)
        return std::string_view();
    // Only the gap inside the range moves, not the text after it.
    const auto* p = reinterpret_cast<const char*>(Send(SCI_GETRANGEPOINTER, static_cast<unsigned long>(start), size - start));
    return std::string_view(p, static_cast<std::size_t>(size - start));
}

std::string ScriptEdit::TextRange(int start, int length) const
{
    const int size = TextLength();
    start = std::clamp(start, 0, size);
    length = std::clamp(length, 0, size - start);
    // A copy of the range alone: the gap stays where it is.
    std::string range(static_cast<std::size_t>(length) + 1, '\0');
    SendScintilla(SCI_GETTEXTRANGE, static_cast<long>(start), static_cast<long>(start + length), range.data());
    range.resize(static_cast<std::size_t>(length));
    return range;
}

void ScriptEdit::SetDocument(const ControlText& text)
{
    lineEnds_ = text.lineEnds;
    encoding_ = text.encoding;
    // What Enter and a paste put in; Scintilla reads every kind as a line end.
    setEolMode(lineEnds_ == LineEnds::Lf ? EolUnix : lineEnds_ == LineEnds::Cr ? EolMac : EolWindows);
    Send(SCI_SETUNDOCOLLECTION, 0);
    Send(SCI_CLEARALL);
    setUtf8(encoding_ == TextEncoding::Utf8);
    // Not setText: it stops at a NUL byte and goes through QString.
    if (!text.text.empty())
        SendScintilla(SCI_ADDTEXT, static_cast<uintptr_t>(text.text.size()), text.text.data());
    Send(SCI_SETUNDOCOLLECTION, 1);
    Send(SCI_EMPTYUNDOBUFFER);
    Send(SCI_GOTOPOS, 0);
    SetModified(false);
}

void ScriptEdit::SetDocument(const ColoredText& document)
{
    BeginUpdate();
    SetDocument(document.text);
    PaintColors(document.colors);
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

void ScriptEdit::MarkLines(const std::vector<int>& errors, const std::vector<int>& warnings)
{
    markerDeleteAll(ErrorMarker);
    markerDeleteAll(WarningMarker);
    const int lines = LineCount();
    for (const auto& [marked, marker] : {std::pair{&errors, ErrorMarker}, std::pair{&warnings, WarningMarker}})
        for (const int line : *marked)
            if (line >= 0 && line < lines)
                markerAdd(line, marker);
    const bool any = MarkedLines(true).size() + MarkedLines(false).size() > 0;
    setMarginWidth(1, any ? 12 : 0);
}

std::vector<int> ScriptEdit::MarkedLines(bool errors) const
{
    std::vector<int> out;
    const unsigned mask = 1u << (errors ? ErrorMarker : WarningMarker);
    for (int line = markerFindNext(0, mask); line >= 0; line = markerFindNext(line + 1, mask))
        out.push_back(line);
    return out;
}

void ScriptEdit::SetSelection(int start, int length)
{
    const int size = TextLength();
    start = std::clamp(start, 0, size);
    const int end = length < 0 ? start : static_cast<int>(std::min<long long>(size, static_cast<long long>(start) + length));
    Send(SCI_SETSEL, start, end);
}

void ScriptEdit::ReplaceSelection(std::string_view text, TColor color)
{
    const int start = SelStart();
    Send(SCI_BEGINUNDOACTION);
    Send(SCI_SETTARGETRANGE, start, start + SelLength());
    // With an explicit length, so NUL bytes are kept.
    SendScintilla(SCI_REPLACETARGET, static_cast<uintptr_t>(text.size()), text.data());
    Send(SCI_ENDUNDOACTION);
    const int end = start + static_cast<int>(text.size());
    Send(SCI_SETSEL, end, end);
    // Scintilla gives inserted text style 0 only where nothing restyles it;
    // paint it, black or in the colour asked for.
    PaintRange(start, static_cast<int>(text.size()), color);
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

int ScriptEdit::StyleFor(TColor color)
{
    color &= 0xFFFFFFu;
    const auto found = styleOfColor_.find(color);
    if (found != styleOfColor_.end())
        return found->second;
    if (nextStyle_ == FirstPredefinedStyle)
        nextStyle_ = LastPredefinedStyle + 1;
    if (nextStyle_ > LastStyle) {
        // Every style is taken (a foreign document of many colours): the nearest colour.
        auto distance = [](TColor a, TColor b) {
            long d = 0;
            for (int shift = 0; shift < 24; shift += 8) {
                const long c = static_cast<long>((a >> shift) & 0xFF) - static_cast<long>((b >> shift) & 0xFF);
                d += c * c;
            }
            return d;
        };
        int best = 0;
        long bestDistance = LONG_MAX;
        for (const auto& [c, style] : styleOfColor_) {
            const long d = distance(c, color);
            if (d < bestDistance) {
                bestDistance = d;
                best = style;
            }
        }
        return best;
    }
    const int style = nextStyle_++;
    Send(SCI_STYLESETFORE, style, static_cast<long>(color));
    colorOfStyle_[style] = color;
    styleOfColor_[color] = style;
    return style;
}

void ScriptEdit::PaintRange(int start, int length, TColor color)
{
    const int size = TextLength();
    start = std::clamp(start, 0, size);
    length = std::clamp(length, 0, size - start);
    if (length == 0)
        return;
    const int style = StyleFor(color);
    Send(SCI_STARTSTYLING, start, 0);
    Send(SCI_SETSTYLING, length, style);
}

void ScriptEdit::PaintColors(int start, const TColor* colors, std::size_t count)
{
    const int size = TextLength();
    start = std::clamp(start, 0, size);
    const std::size_t length = std::min<std::size_t>(count, static_cast<std::size_t>(size - start));
    if (length == 0)
        return;
    std::string styles(length, '\0');
    TColor lastColor = clBlack;
    char lastStyle = 0;
    for (std::size_t i = 0; i < length; ++i) {
        if (colors[i] != lastColor) {
            lastColor = colors[i];
            lastStyle = static_cast<char>(StyleFor(lastColor));
        }
        styles[i] = lastStyle;
    }
    Send(SCI_STARTSTYLING, start, 0);
    SendScintilla(SCI_SETSTYLINGEX, static_cast<uintptr_t>(length), styles.data());
}

TColor ScriptEdit::ColorAt(int offset) const
{
    if (offset < 0 || offset >= TextLength())
        return clBlack;
    return colorOfStyle_[static_cast<std::size_t>(Send(SCI_GETSTYLEAT, offset)) & 0xFF];
}

void ScriptEdit::CopyColors(int start, TColor* out, std::size_t count) const
{
    const int size = TextLength();
    const long long first = std::max<long long>(start, 0);
    const long long last = std::min<long long>(static_cast<long long>(start) + static_cast<long long>(count), size);
    if (first >= last)
        return;
    // Pairs of character and style, and two closing NULs.
    std::string styled(2 * static_cast<std::size_t>(last - first) + 2, '\0');
    SendScintilla(SCI_GETSTYLEDTEXT, static_cast<long>(first), static_cast<long>(last), styled.data());
    for (long long i = first; i < last; ++i)
        out[i - start] = colorOfStyle_[static_cast<unsigned char>(styled[2 * static_cast<std::size_t>(i - first) + 1])];
}

void ScriptEdit::PaintRuns(const ColorRuns& runs, bool onBlack)
{
    const auto [first, last] = RunsExtent(runs, TextLength());
    if (first == last)
        return;
    // Composed straight into style numbers: no colour per byte in between.
    const std::size_t length = static_cast<std::size_t>(last - first);
    std::string styles(length, '\0');
    if (!onBlack) {
        std::string styled(2 * length + 2, '\0');
        SendScintilla(SCI_GETSTYLEDTEXT, static_cast<long>(first), static_cast<long>(last), styled.data());
        for (std::size_t i = 0; i < length; ++i)
            styles[i] = styled[2 * i + 1];
    }
    TColor lastColor = clBlack;
    char lastStyle = 0;
    ComposeRunsAs(runs, styles.data(), first, last, [&](TColor color) {
        if (color != lastColor) {
            lastColor = color;
            lastStyle = static_cast<char>(StyleFor(color));
        }
        return lastStyle;
    });
    BeginUpdate();
    Send(SCI_STARTSTYLING, first, 0);
    SendScintilla(SCI_SETSTYLINGEX, static_cast<uintptr_t>(length), styles.data());
    EndUpdate();
}

std::vector<TColor> ScriptEdit::Colors() const
{
    const int size = TextLength();
    std::vector<TColor> colors(static_cast<std::size_t>(size));
    CopyColors(0, colors.data(), colors.size());
    return colors;
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

void ScriptEdit::BeginUndoAction()
{
    Send(SCI_BEGINUNDOACTION);
}

void ScriptEdit::EndUndoAction()
{
    Send(SCI_ENDUNDOACTION);
}

void ScriptEdit::BeginUpdate()
{
    if (updateDepth_++ > 0)
        return;
    viewport()->setUpdatesEnabled(false);
    // No change notifications at all while it works (textChanged is still signalled).
    Send(SCI_SETMODEVENTMASK, 0);
}

void ScriptEdit::EndUpdate()
{
    if (updateDepth_ == 0 || --updateDepth_ > 0)
        return;
    Send(SCI_SETMODEVENTMASK, EditNotifications());
    viewport()->setUpdatesEnabled(true);
    viewport()->update();
}

} // namespace tessel
