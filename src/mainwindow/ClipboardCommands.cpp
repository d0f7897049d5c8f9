// Cut, Copy and Paste (menu entries and tool buttons): they act on the
// control with the keyboard focus, and are enabled by that control's
// selection and the clipboard, as the platform's usual rule has it: cut and
// copy need a selection, cut and paste a control that may be changed, paste
// text on the clipboard.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextEdit>
#include <Qsci/qsciscintilla.h>

#include "mainwindow/Commands.h"
#include "mainwindow/Main.h"
#include "ui/Guarded.h"

namespace tessel {

namespace {

struct TextControlState {
    bool isText = false;
    bool hasSelection = false;
    bool readOnly = true;
};

TextControlState StateOf(QWidget* w)
{
    if (auto* combo = qobject_cast<QComboBox*>(w))
        w = combo->lineEdit();
    if (auto* edit = qobject_cast<QLineEdit*>(w))
        return {true, edit->hasSelectedText(), edit->isReadOnly()};
    if (auto* sci = qobject_cast<QsciScintilla*>(w))
        return {true, sci->hasSelectedText(), sci->isReadOnly()};
    if (auto* edit = qobject_cast<QTextEdit*>(w))
        return {true, edit->textCursor().hasSelection(), edit->isReadOnly()};
    if (auto* edit = qobject_cast<QPlainTextEdit*>(w))
        return {true, edit->textCursor().hasSelection(), edit->isReadOnly()};
    return {};
}

class ClipboardFollower : public QObject {
public:
    explicit ClipboardFollower(TMainForm& main) : QObject(&main), prompter_(main.Prompts())
    {
        Prompter& prompter = prompter_;
        // Held weakly: the focus may still move while the window's parts go away.
        const Cmd commands[3][2] = {
            {Cmd::EditCut, Cmd::ToolCut}, {Cmd::EditCopy, Cmd::ToolCopy}, {Cmd::EditPaste, Cmd::ToolPaste}};
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 2; ++j)
                actions_[i][j] = main.Action(commands[i][j]);
        OnSignal(prompter, qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { Follow(now); });
        OnSignal(prompter, QApplication::clipboard(), &QClipboard::dataChanged, this, [this] {
            ReadClipboard();
            Update();
        });
        ReadClipboard();
        Follow(QApplication::focusWidget());
    }

private:
    void Follow(QWidget* now)
    {
        disconnect(selection_);
        focused_ = now;
        QWidget* w = now;
        if (auto* combo = qobject_cast<QComboBox*>(w))
            w = combo->lineEdit();
        if (auto* edit = qobject_cast<QLineEdit*>(w))
            selection_ = OnSignal(prompter_, edit, &QLineEdit::selectionChanged, this, [this] { Update(); });
        else if (auto* sci = qobject_cast<QsciScintilla*>(w))
            selection_ = OnSignal(prompter_, sci, &QsciScintilla::selectionChanged, this, [this] { Update(); });
        else if (auto* edit = qobject_cast<QTextEdit*>(w))
            selection_ = OnSignal(prompter_, edit, &QTextEdit::selectionChanged, this, [this] { Update(); });
        else if (auto* edit = qobject_cast<QPlainTextEdit*>(w))
            selection_ = OnSignal(prompter_, edit, &QPlainTextEdit::selectionChanged, this, [this] { Update(); });
        Update();
    }

    // Asked once per change: on some desktops each question is a round trip.
    void ReadClipboard()
    {
        const QMimeData* clip = QApplication::clipboard()->mimeData();
        clipboardHasText_ = clip && clip->hasText();
    }

    void Update()
    {
        const TextControlState s = StateOf(focused_);
        const bool can[3] = {s.hasSelection && !s.readOnly, s.hasSelection, s.isText && !s.readOnly && clipboardHasText_};
        for (int i = 0; i < 3; ++i)
            for (const QPointer<QAction>& action : actions_[i])
                if (action)
                    action->setEnabled(can[i]);
    }

    Prompter& prompter_;
    QPointer<QAction> actions_[3][2];
    QPointer<QWidget> focused_;
    bool clipboardHasText_ = false;
    QMetaObject::Connection selection_;
};

} // namespace

void RegisterClipboardCommands(TMainForm& main)
{
    const std::pair<Cmd, const char*> commands[] = {
        {Cmd::EditCut, "cut()"}, {Cmd::EditCopy, "copy()"}, {Cmd::EditPaste, "paste()"}};
    for (const auto& [id, signature] : commands)
        main.OnCommand(id, [signature = signature] {
            QWidget* w = QApplication::focusWidget();
            if (auto* combo = qobject_cast<QComboBox*>(w))
                w = combo->lineEdit();
            // Only a text control has the slot; any other focus takes nothing.
            if (w && w->metaObject()->indexOfMethod(signature) >= 0)
                QMetaObject::invokeMethod(w, QByteArray(signature).chopped(2).constData());
        });
    new ClipboardFollower(main);
}

} // namespace tessel
