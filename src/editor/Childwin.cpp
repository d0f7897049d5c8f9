#include "editor/Childwin.h"

#include <Qsci/qscicommand.h>
#include <Qsci/qscicommandset.h>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QDropEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QMenu>
#include <QScopedValueRollback>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>
#include <vector>

#include "editor/ColorizeDlg.h"
#include "editor/ScriptEdit.h"
#include "language/WizardMatch.h"
#include "platform/Errors.h"
#include "richtext/DocumentFile.h"
#include "shell/CommandTable.h"
#include "shell/Main.h"
#include "shell/QtPaths.h"
#include "shell/Session.h"

namespace tessel {

namespace {

const char* const Unnamed = "unnamed";

// The virtual-key code the keyboard rules use for a Qt key.
int VirtualKeyOf(int key)
{
    switch (key) {
    case Qt::Key_Backspace: return vkBack;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return vkTab;
    case Qt::Key_Clear: return 12;
    case Qt::Key_Return:
    case Qt::Key_Enter: return vkReturn;
    case Qt::Key_Shift: return vkShift;
    case Qt::Key_Control: return vkControl;
    case Qt::Key_Alt:
    case Qt::Key_AltGr: return vkMenu;
    case Qt::Key_Pause: return 19;
    case Qt::Key_CapsLock: return 20;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Space: return vkSpace;
    case Qt::Key_PageUp: return 33;
    case Qt::Key_PageDown: return 34;
    case Qt::Key_End: return 35;
    case Qt::Key_Home: return 36;
    case Qt::Key_Left: return vkLeft;
    case Qt::Key_Up: return vkUp;
    case Qt::Key_Right: return vkRight;
    case Qt::Key_Down: return vkDown;
    case Qt::Key_Print: return 44;
    case Qt::Key_Insert: return 45;
    case Qt::Key_Delete: return 46;
    case Qt::Key_Meta:
    case Qt::Key_Super_L: return 91;
    case Qt::Key_Super_R: return 92;
    case Qt::Key_Menu: return 93;
    case Qt::Key_NumLock: return 144;
    case Qt::Key_ScrollLock: return 145;
    case 0: return 0;
    default: break;
    }
    if ((key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z))
        return key;   // the same codes
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return 112 + (key - Qt::Key_F1);
    // Punctuation, letters of other alphabets and the rest: keys of codes
    // above 41 on that keyboard (VK_OEM_1 stands for them all). Qt's codes of
    // some signs ('%' is 37) would otherwise read as arrows.
    return 0xBA;
}

// The keys of the main window's commands. The control lets them go, so that a
// key never does two things (a key the control has no command for is left to
// the main window's shortcut); the clipboard keys stay the focused control's own.
const std::vector<QKeyCombination>& MainWindowKeys()
{
    static const std::vector<QKeyCombination> keys = [] {
        std::vector<QKeyCombination> out;
        for (int i = 0; i < CommandRowCount; ++i) {
            const CommandRow& row = CommandRows[i];
            if (!*row.shortcut || row.id == Cmd::EditCut || row.id == Cmd::EditCopy || row.id == Cmd::EditPaste)
                continue;
            out.push_back(QKeySequence(row.shortcut)[0]);
        }
        return out;
    }();
    return keys;
}

} // namespace

// The editing control with this window's handlers around the control's own:
// key down and key press before it acts, key up and mouse down after.
class TfrmConEdit::RichEdit : public ScriptEdit {
public:
    RichEdit(TfrmConEdit& owner, QWidget* parent) : ScriptEdit(parent), owner_(owner)
    {
        // Scintilla's own key map and the command set behind it.
        QsciCommandSet* commands = standardCommands();
        for (const QKeyCombination& key : MainWindowKeys()) {
            const int code = key.toCombined();
            if (QsciCommand* command = commands->boundTo(code)) {
                if (command->key() == code)
                    command->setKey(0);
                if (command->alternateKey() == code)
                    command->setAlternateKey(0);
            }
        }
    }

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        bool consumed = false;
        RunGuarded(owner_.prompter_, [&] {
            consumed = owner_.MainRichEditKeyDown(event->key(), event->modifiers()) ||
                       owner_.MainRichEditKeyPress(event->key(), event->modifiers());
        });
        if (consumed)
            event->accept();
        else
            ScriptEdit::keyPressEvent(event);
    }
    void keyReleaseEvent(QKeyEvent* event) override
    {
        ScriptEdit::keyReleaseEvent(event);
        RunGuarded(owner_.prompter_, [this] { owner_.MainRichEditKeyUp(); });
    }
    void mousePressEvent(QMouseEvent* event) override
    {
        ScriptEdit::mousePressEvent(event);
        RunGuarded(owner_.prompter_, [this] { owner_.MainRichEditMouseDown(); });
    }
    // Files dragged here from a file manager go on to the main window, which
    // opens them, instead of being pasted as their names.
    void dragEnterEvent(QDragEnterEvent* event) override
    {
        if (event->mimeData()->hasUrls())
            event->ignore();
        else
            ScriptEdit::dragEnterEvent(event);
    }
    void dragMoveEvent(QDragMoveEvent* event) override
    {
        if (event->mimeData()->hasUrls())
            event->ignore();
        else
            ScriptEdit::dragMoveEvent(event);
    }
    void dropEvent(QDropEvent* event) override
    {
        if (event->mimeData()->hasUrls())
            event->ignore();
        else
            ScriptEdit::dropEvent(event);
    }

private:
    TfrmConEdit& owner_;
};

TfrmConEdit::TfrmConEdit(TMainForm& main, QWidget* parent)
    : QWidget(parent), main_(main), prompter_(main.prompter())
{
    setObjectName("frmConEdit");
    setWindowTitle("VurAvozid");
    setFont(QFont("Courier"));

    edit_ = new RichEdit(*this, this);
    edit_->setObjectName("MainRichEdit");
    // The control signals the moment its modified flag is set (textChanged is
    // not signalled, see ScriptEdit).
    connect(edit_, &QsciScintilla::modificationChanged, this, [this] { MainRichEditChange(); });

    errorListBox_ = new QListWidget(this);
    errorListBox_->setObjectName("ErrorListBox");
    errorListBox_->setFixedHeight(62);
    errorListBox_->hide();
    errorListBox_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(errorListBox_, &QListWidget::itemDoubleClicked, this,
            [this] { RunGuarded(prompter_, [this] { ErrorListBoxDblClick(); }); });
    listPopMenu_ = new QMenu(this);
    listPopMenu_->setObjectName("ListPopMenu");
    QAction* close = listPopMenu_->addAction("&Close");
    close->setObjectName("popClose");
    connect(close, &QAction::triggered, errorListBox_, &QWidget::hide);
    connect(errorListBox_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { listPopMenu_->popup(errorListBox_->mapToGlobal(at)); });

    txtFile_ = new QLineEdit(Unnamed, this);
    txtFile_->setObjectName("txtFile");
    txtFile_->hide();
    for (const char* name : {"lblLastVisLine", "lblLinesColored"}) {
        auto* label = new QLabel(this);
        label->setObjectName(name);
        label->hide();
    }

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(edit_, 1);
    layout->addWidget(errorListBox_);

    timer1_ = new QTimer(this);
    timer1_->setObjectName("Timer1");
    timer1_->setSingleShot(true);
    connect(timer1_, &QTimer::timeout, this, [this] { RunGuarded(prompter_, [this] { Timer1Timer(); }); });
    timer1_->start(1000);

    edit_->SetModified(false);
    main_.SetStatusText(2, QString::fromStdString(CaretPositionText(*edit_)));
}

TfrmConEdit::~TfrmConEdit() = default;

ScriptEdit* TfrmConEdit::MainRichEdit() const
{
    return edit_;
}

QSize TfrmConEdit::sizeHint() const
{
    const std::string columns(80, '0');
    const int width = static_cast<int>(edit_->SendScintilla(QsciScintillaBase::SCI_TEXTWIDTH,
                                                            static_cast<uintptr_t>(QsciScintillaBase::STYLE_DEFAULT),
                                                            columns.c_str()));
    const int lineHeight = static_cast<int>(edit_->SendScintilla(QsciScintillaBase::SCI_TEXTHEIGHT, 0));
    const int margins = static_cast<int>(edit_->SendScintilla(QsciScintillaBase::SCI_GETMARGINLEFT) +
                                         edit_->SendScintilla(QsciScintillaBase::SCI_GETMARGINRIGHT));
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, edit_);
    const int frame = 2 * edit_->frameWidth();
    return QSize(width + margins + bar + frame, 25 * lineHeight + bar + frame);
}

// --- activation and closing ----------------------------------------------------------

void TfrmConEdit::FormActivate()
{
    // Nothing runs it again while it works (a wait window, a message box).
    if (activating_)
        return;
    QScopedValueRollback<bool> guard(activating_, true);
    main_.SetStatusText(0, "Ready");
    main_.SetEditorCommandsEnabled(true);
    LineClean = true;
    LineBlackened = false;
    main_.SetStatusText(1, edit_->Modified() ? "Modified" : "");
    EditorRequests.RightClickRequest = false;
    CarryOutRequests(*edit_, EditorRequests, *this, prompter_);
}

void TfrmConEdit::FormDeactivate()
{
    LineColoringAtDeactivate(*edit_);
}

bool TfrmConEdit::FormCloseQuery()
{
    bool mayClose = false;
    RunGuarded(prompter_, [this, &mayClose] { mayClose = CloseQuery(); });
    return mayClose;
}

bool TfrmConEdit::CloseQuery()
{
    if (!edit_->Modified())
        return true;
    const MsgResult answer = prompter_.MessageDlg(fileName_ + " is modified, do you want to save it?",
                                                  MsgType::Information, MsgButtons::YesNoCancel);
    if (answer == MsgResult::No)
        return true;
    if (answer != MsgResult::Yes)
        return false;
    std::string name = fileName_;
    if (name == Unnamed) {
        // Cancelling the dialog keeps the window and its text, as Cancel does.
        if (!prompter_.ExecuteSave(main_.SaveDialog1))
            return false;
        name = main_.SaveDialog1.fileName;
    }
    PendingFileName = name;
    return SaveDocument(name);   // a failed save keeps the window open
}

void TfrmConEdit::closeEvent(QCloseEvent* event)
{
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    // The window goes: the commands are disabled before another editor
    // window's activation enables them again.
    main_.SetEditorCommandsEnabled(false);
    main_.SetStatusText(1, "");
    main_.SetStatusText(0, "Ready");
    event->accept();
}

// --- files ----------------------------------------------------------------------------------

bool TfrmConEdit::LoadDocument(const std::string& name)
{
    LoadedDocument loaded;
    try {
        loaded = ReadDocumentFile(name);
    } catch (const AppError&) {
        // The text the window holds stays.
        prompter_.ShowError(FormatText("Cannot open file %s", name));
        return false;
    }
    edit_->SetDocument(loaded.document);
    fileName_ = name;
    txtFile_->setText(ToQString(name));
    const GameModeInfo* mode = GameModeOf(GameMode);
    setWindowTitle(QString(mode ? mode->captionPrefix : "VurAvozid - ") + ToQString(name));

    const bool projectName = name.size() >= 3 && name.compare(name.size() - 3, 3, "qzt") == 0;
    if (!NoColoring && !projectName) {
        UpdateScope scope(*edit_);
        ColorizeScope wait(this);
        ColorWholeDocument(*edit_, KeywordTable, !loaded.richText);
    } else if (NoColoring && projectName) {
        edit_->PaintRange(0, edit_->TextLength(), clBlack);
        edit_->SetSelection(0, 0);
    }
    edit_->setFocus();
    edit_->SetModified(false);
    main_.SetStatusText(1, "");
    return true;
}

bool TfrmConEdit::SaveDocument(const std::string& name)
{
    const ControlText document = edit_->Document();
    for (const SaveTarget& target : SaveTargets(name, GameMode, CurrentSavingOption())) {
        try {
            if (target.projectFile)
                SaveProjectFile(target.path, document, edit_->Colors());
            else
                SavePlainTextFile(target.path, document);
        } catch (const AppError&) {
            // The old file stays whole; the text stays modified.
            prompter_.ShowError(FormatText("Cannot create file %s", target.path));
            return false;
        }
    }
    edit_->SetModified(false);
    main_.SetStatusText(1, "");
    edit_->setFocus();
    return true;
}

// --- the error list -----------------------------------------------------------------------------

void TfrmConEdit::ShowBraceErrors(const BraceCheckResult& result)
{
    errors_ = result;
    errorListBox_->clear();
    for (const ErrorConType& error : result.ErrorList)
        errorListBox_->addItem(QString::fromStdString(error.Message));
}

void TfrmConEdit::SetErrorListVisible(bool visible)
{
    errorListBox_->setVisible(visible);
}

void TfrmConEdit::ErrorListBoxDblClick()
{
    const int row = errorListBox_->currentRow();
    if (row < 0 || row >= errors_.ErrorCount() || errors_.ErrorList[static_cast<std::size_t>(row)].Offset < 0)
        return;   // the closing note of a cut list names no brace
    edit_->SetSelection(errors_.ErrorList[static_cast<std::size_t>(row)].Offset, 1);
    edit_->setFocus();
}

// --- hooks ---------------------------------------------------------------------------------------

void TfrmConEdit::FocusText()
{
    edit_->setFocus();
}

void TfrmConEdit::ShowCaretPosition(const std::string& text)
{
    main_.SetStatusText(2, QString::fromStdString(text));
}

std::string TfrmConEdit::SelectedWizardEntry()
{
    const int k = main_.selectedWizardEntry();
    return k >= 1 && k <= Wizard.WizardCount() ? Wizard.Names[static_cast<std::size_t>(k - 1)] : std::string();
}

void TfrmConEdit::SelectFirstWizardEntry()
{
    // MovConWiz, which the wizard keys would hide, is never shown.
    main_.selectWizardEntry(1);
}

void TfrmConEdit::BeginBusy()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void TfrmConEdit::EndBusy()
{
    QApplication::restoreOverrideCursor();
}

// --- the control's events ------------------------------------------------------------------------------

bool TfrmConEdit::MainRichEditKeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    KeyStroke stroke;
    stroke.key = VirtualKeyOf(key);
    stroke.ctrl = modifiers & Qt::ControlModifier;
    stroke.alt = modifiers & Qt::AltModifier;
    return EditorKeyDown(*edit_, stroke, *this);
}

bool TfrmConEdit::MainRichEditKeyPress(int key, Qt::KeyboardModifiers modifiers)
{
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    return enter && !(modifiers & (Qt::ControlModifier | Qt::AltModifier)) && EditorKeyPress(*edit_, '\r');
}

void TfrmConEdit::MainRichEditKeyUp()
{
    ShowCaretPosition(CaretPositionText(*edit_));
    timer1_->start(500);
}

void TfrmConEdit::MainRichEditMouseDown()
{
    ShowCaretPosition(CaretPositionText(*edit_));
    LineColoringAtMouseDown(*edit_);
}

void TfrmConEdit::MainRichEditChange()
{
    if (edit_->Modified())
        main_.SetStatusText(1, "Modified");
}

void TfrmConEdit::Timer1Timer()
{
    // The typed-word match belongs to the window being typed in.
    if (main_.ActiveDocument() != this)
        return;
    const int caret = edit_->SelStart();
    const int lineStart = edit_->OffsetOfLine(edit_->LineFromOffset(caret));
    if (caret == 0 || caret == lineStart)
        return;
    const int entry = TypedWordMatch(edit_->TextRange(lineStart, caret - lineStart), caret - lineStart, Wizard.IndexText);
    if (entry <= 0)
        return;
    Wizard.TypedWordMatch = true;
    main_.selectWizardEntry(entry);
}

} // namespace tessel
